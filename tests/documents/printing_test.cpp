// Print preview and printing: the page tiling in the preview (a partial page on white,
// a full one without), scrolling at the listed zoom, a PDF of four pages, and the refusals
// without a printer or with a page of no dots.
#include <QScrollBar>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "documents/slot_fixture.h"
#include "shell/shell.h"
#include "toolkit/internal.h"

namespace {

constexpr uint32_t Grey = 0x646464, White = 0xFFFFFF;

struct PrintingTest : SlotFixture {
  void TearDown() override {
    tk::testSetPrinter(-1, 0);
    SlotFixture::TearDown();
  }
  static uint32_t Shown(int x, int y) {
    int stride = 0;
    const uint32_t* c = tk::imageCells(30, &stride);
    return c ? c[size_t(y) * stride + x] & 0xFFFFFF : 0xFFFFFFFFu;
  }
  static void Post(int gadget) {
    tk::Event e;
    e.code = tk::EvGadget;
    e.window = 6;
    e.gadget = gadget;
    tk::postEvent(e);
  }
  static std::string Read(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
  static int Pages(const std::string& pdf) {
    const std::regex page("/Type\\s*/Page[^s]");
    return int(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
  }
};

}  // namespace

// A page 600 dots wide (landscape, as the preview opens) and an image one dot wider: two
// columns of pages, the second one dot wide on white.
TEST_F(PrintingTest, PreviewTilesPagesScrollsAtTheListedZoomAndPrints) {
  tk::testSetPrinter(8, 600);
  MakeImage(601, 8, 3);
  const std::string pdf = folder + "vorschau.pdf";
  bool looked = false;
  tk::deferToNextWait([&] {
    looked = true;
    EXPECT_EQ(tk::windowTitle(6), "Unbenannt1 - Druckvorschau");
    EXPECT_TRUE(tk::windowHidden(0));
    EXPECT_EQ(tk::gadgetState(603), 1);
    EXPECT_EQ(tk::gadgetItemText(603, 40), "205%");
    RenderPrintPreview(100, 0, 0, 0, 0);
    for (int y : {20, 27}) {
      EXPECT_EQ(Shown(20, y), PatternCell(0, y - 20, 3));
      EXPECT_EQ(Shown(619, y), PatternCell(599, y - 20, 3));   // a full page: no white
      EXPECT_EQ(Shown(630, y), Grey);                          // the gap between the columns
      EXPECT_EQ(Shown(640, y), PatternCell(600, y - 20, 3));   // the second column: one dot
      EXPECT_EQ(Shown(641, y), White);
      EXPECT_EQ(Shown(999, y), White);
    }
    EXPECT_EQ(Shown(20, 28), Grey);
    EXPECT_EQ(Shown(10, 10), Grey);
    EXPECT_EQ(tk::gadgetAttribute(604, tk::AttrMaximum), (620 * 2 + 20) - 1000);
    // The list shows 100 %; scrolling redraws at that zoom.
    tk::setGadgetState(603, 19);
    auto* bar = qobject_cast<QScrollBar*>(tk::detail::gadgetWidget(604));
    ASSERT_NE(bar, nullptr);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);   // as the user's arrow click
    bar->setValue(15);                                            // and thumb drag
    EXPECT_EQ(Shown(5, 20), PatternCell(0, 0, 3));
    EXPECT_EQ(Shown(625, 20), PatternCell(600, 0, 3));
    EXPECT_EQ(Shown(626, 20), White);
    Post(599);   // print from the preview
    Post(598);
  });
  tk::test::queueString(pdf);
  OpenPrintPreview();
  EXPECT_TRUE(looked);
  EXPECT_FALSE(tk::isWindow(6));
  EXPECT_FALSE(tk::windowHidden(0));
  for (int image : {29, 30, 32}) EXPECT_FALSE(tk::isImage(image)) << image;
  EXPECT_EQ(LastEvent, 0);
  EXPECT_EQ(Pages(Read(pdf)), 76);   // printed on the page as the printer holds it: 8 dots wide
}

TEST_F(PrintingTest, ImageOfTwoByTwoPagesPrintsFourPagesWithScratchFilesInTheInstanceFolder) {
  tk::testSetPrinter(40, 30);
  MakeImage(70, 50, 2);
  const std::string pdf = folder + "druck.pdf";
  const std::string cwdScratch = (std::filesystem::current_path() / "Datei1.bmp").string();
  const bool cwdHadOne = Exists(cwdScratch);
  tk::test::queueString(pdf);
  PrintImage();
  const std::string bytes = Read(pdf);
  ASSERT_EQ(bytes.substr(0, 4), "%PDF");
  EXPECT_EQ(Pages(bytes), 4);
  EXPECT_TRUE(tk::test::shown() == std::vector<std::string>{"Drucken"});   // the dialog, no message
  EXPECT_TRUE(Exists(folder + "Undo/Undo1/Datei1.bmp"));
  EXPECT_TRUE(Exists(folder + "Undo/Undo1/Datei.bmp"));
  EXPECT_EQ(Exists(cwdScratch), cwdHadOne);
  EXPECT_FALSE(tk::isImage(29));

  // A cancelled dialog prints nothing.
  std::filesystem::remove(pdf);
  tk::test::queueString("");
  PrintImage();
  EXPECT_FALSE(Exists(pdf));
}

TEST_F(PrintingTest, NoPrinterOrAPageOfNoDotsIsRefusedWithAMessage) {
  MakeImage(20, 10, 1);
  const std::string pdf = folder + "nichts.pdf";
  tk::testSetPrinter(-2, 0);
  EXPECT_FALSE(tk::printerPage(nullptr, nullptr));
  tk::test::queueResult(tk::ResultOk);
  tk::test::queueResult(tk::ResultOk);
  PrintImage();
  OpenPrintPreview();
  ASSERT_EQ(tk::test::shown().size(), 2u);
  EXPECT_EQ(tk::test::shown()[0], "Drucken|Es ist kein Drucker eingerichtet.\rBitte richten Sie zuerst einen Drucker ein.");
  EXPECT_EQ(tk::test::shown()[1].substr(0, 14), "Druckvorschau|");
  EXPECT_FALSE(tk::isWindow(6));

  tk::test::clear();
  tk::testSetPrinter(0, 0);
  tk::test::queueResult(tk::ResultOk);
  OpenPrintPreview();
  tk::test::queueString(pdf);
  tk::test::queueResult(tk::ResultOk);
  PrintImage();
  ASSERT_EQ(tk::test::shown().size(), 3u);
  EXPECT_EQ(tk::test::shown()[0].substr(0, 44), "Druckvorschau|Der Drucker meldet eine Seite ");
  EXPECT_EQ(tk::test::shown()[2].substr(0, 38), "Drucken|Der Drucker meldet eine Seite ");
  EXPECT_FALSE(tk::isWindow(6));
  EXPECT_FALSE(Exists(pdf));
}
