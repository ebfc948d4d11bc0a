// The documents driven through the real main window after the real start-up: new images
// from the new-image dialog (window 7, its real gadgets), tab switches through the draw
// loop, a resize undone and redone, and the quit.
#include <QLineEdit>
#include <QApplication>
#include <QTest>
#include <QThreadPool>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "effects/dialog_driver.h"
#include "loops_fixture.h"
#include "toolkit/internal.h"

using namespace loops_test;

namespace {

// Types text into a string field of the open dialog as the user would.
void TypeInto(int gadget, const std::string& text) {
  QWidget* w = tk::detail::gadgetWidget(gadget);
  ASSERT_NE(w, nullptr) << gadget;
  QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(w, QString::fromStdString(text));
}

// Runs the new-image dialog; while it waits, the width and height are typed and OK is
// clicked. A click that does not arrive closes the window so the test cannot hang.
void NewImageThroughDialog(int width, int height) {
  tk::deferToNextWait([=] {
    EXPECT_TRUE(tk::isWindow(7));
    EXPECT_EQ(tk::windowTitle(7), "Neues Bild erstellen");
    TypeInto(759, std::to_string(width));
    TypeInto(760, std::to_string(height));
    QTest::mouseClick(tk::detail::gadgetWidget(766), Qt::LeftButton);
    if (tk::queuedEvents() == 0) {
      ADD_FAILURE() << "the OK button gave no event";
      Post(tk::EvClose, 7);
    }
  });
  NewImageDialog(100, 100);
  EXPECT_FALSE(tk::isWindow(7));
}

void ClickTab(int slot, int type) {
  tk::drainEvents();   // focus and window events the dialogs left behind
  Post(tk::EvGadget, 0, 160 + slot, -1, type);
  RunOneTurn(ModeDraw);
}

std::vector<int32_t> Instances(const std::string& folder) {
  std::vector<uint8_t> bytes;
  tk::readWholeFile(folder + "Undo/startet.ind", bytes);
  std::vector<int32_t> out(bytes.size() / 4);
  std::copy(bytes.begin(), bytes.begin() + out.size() * 4, reinterpret_cast<uint8_t*>(out.data()));
  return out;
}

}  // namespace

TEST_F(LoopsTest, TenNewImagesSwitchedResizedUndoneRedoneAndQuit) {
  const std::string folder = tk::programFolder();
  const std::string instance = folder + "Undo/Undo" + std::to_string(CVNIndex);
  ASSERT_TRUE(std::filesystem::is_directory(instance + "/Undo10"));
  tk::test::clear();

  // The start image is closed with its tab's close request, without saving.
  tk::test::queueResult(tk::ResultNo);
  ClickTab(1, tk::EtButtonMenu);
  ASSERT_EQ(ImageCount, 0);

  // Ten images through the dialog, image k of (20 + k) x (10 + k) pixels.
  for (int k = 1; k <= 10; ++k) {
    NewImageThroughDialog(20 + k, 10 + k);
    ASSERT_EQ(ImageCount, k);
    EXPECT_EQ(CurrentImage, k);
    EXPECT_EQ(bildlang, 19 + k);
    EXPECT_FALSE(tk::gadgetHidden(160 + k));
    EXPECT_EQ(tk::gadgetState(160 + k), 1);
  }
  EXPECT_EQ(ImageRecords[10].DisplayName, "Unbenannt9.bmp");
  // An eleventh is refused.
  tk::test::queueResult(tk::ResultOk);
  NewImageThroughDialog(5, 5);
  EXPECT_EQ(tk::test::shown().back(),
            "Kein Weiteres Bild möglich|Bitte schließen sie ein Bild, bevor sie ein neues Öffnen");
  EXPECT_EQ(ImageCount, 10);

  // The tabs switch between them; the active tab stays pressed when clicked again.
  for (int k : {3, 7, 1, 10, 3}) {
    ClickTab(k, tk::EtButtonClick);
    EXPECT_EQ(CurrentImage, k);
    EXPECT_EQ(bildlang, 19 + k);
    EXPECT_EQ(bildhoch, 9 + k);
    EXPECT_EQ(tk::gadgetText(63), std::to_string(20 + k));
    for (int t = 1; t <= 10; ++t) EXPECT_EQ(tk::gadgetState(160 + t), t == k ? 1 : 0);
  }
  ClickTab(3, tk::EtButtonClick);
  EXPECT_EQ(tk::gadgetState(163), 1);

  // Image 3 is made larger, undone and redone.
  ImagePixels[0] = 0x00123456;
  const std::vector<PixelCell> before = ImagePixels;
  ChangeImageSize(59, 39, 1, 0, 0, 255, 255, 255, 0);
  EXPECT_EQ(bildlang, 59);
  Undo(0);
  EXPECT_EQ(bildlang, 22);
  EXPECT_EQ(bildhoch, 12);
  EXPECT_EQ(ImagePixels, before);
  Redo();
  EXPECT_EQ(bildlang, 59);
  EXPECT_EQ(bildhoch, 39);
  EXPECT_EQ(ImagePixels[0], 0x00123456u);
  // The size survives a switch away and back.
  ClickTab(4, tk::EtButtonClick);
  ClickTab(3, tk::EtButtonClick);
  EXPECT_EQ(bildlang, 59);
  EXPECT_EQ(ImagePixels[0], 0x00123456u);

  // A cancelled quit touches nothing.
  {
    dialog_test::Drive d(35, {[] { dialog_test::Drive::Click(791); }});
    QuitProgram();
  }
  EXPECT_EQ(NextMode, -1);
  EXPECT_EQ(ImageCount, 10);
  EXPECT_TRUE(std::filesystem::exists(instance + "/Undo4/Image.zs"));
  EXPECT_NE(std::find(InstanceList.begin(), InstanceList.end(), CVNIndex), InstanceList.end());

  // The quit through the main loop ends the program and leaves no trace of this copy,
  // while the other instances keep their numbers.
  const int32_t me = CVNIndex;
  std::vector<int32_t> others;   // the list as written, without this copy's number
  {
    std::vector<int32_t> list = Instances(folder);
    list.insert(list.begin(), me + 1);
    list.push_back(me + 2);
    tk::writeWholeFile(folder + "Undo/startet.ind", list.data(), list.size() * 4);
    for (int32_t n : list)
      if (n != me) others.push_back(n);
  }
  std::filesystem::create_directories(folder + "Undo/Undo" + std::to_string(me + 1) + "/Undo1");
  tk::drainEvents();
  // The quit shows its dialog in the child: painting there must not wait on drawing threads
  // that were left behind in the parent.
  QThreadPool::globalInstance()->waitForDone();
  for (QThreadPool* pool : qApp->findChildren<QThreadPool*>()) pool->waitForDone();
  CurrentMode = ModeDraw;
  Post(tk::EvClose, 0);
  // The quitting child must not run the test program's own clean-up of the program folder
  // on its way out: the last exit handler ends it first.
  auto quit = [] {
    std::atexit([] { std::_Exit(0); });
    dialog_test::Drive d(35, {[] { dialog_test::Drive::Click(790); }});   // "Beenden ohne Speichern"
    WithOneBoundedTurn(RunMainLoopTurn);
    std::_Exit(3);   // the quit returned
  };
  EXPECT_EXIT(quit(), ::testing::ExitedWithCode(0), "");
  EXPECT_FALSE(std::filesystem::exists(instance));
  EXPECT_TRUE(std::filesystem::exists(folder + "Undo/Undo" + std::to_string(me + 1) + "/Undo1"));
  EXPECT_EQ(Instances(folder), others);
  tk::test::clear();
}
