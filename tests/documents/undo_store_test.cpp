// The undo ring and the redo chain on disk: order of the steps, exact round trips, which
// undo points drop the redo chain, size changes, and steps that are broken or cannot be
// written changing nothing.

#include <fstream>

#include "documents/slot_fixture.h"
#include "file_size_limit.h"

namespace {

using UndoTest = SlotFixture;

const std::string kUndoFailed = "Fehler|Undo nicht möglich";
const std::string kStepNotWritten =
    "Fehler|Der Rückgängig-Schritt konnte nicht gespeichert werden.\rDer Datenträger ist voll oder nicht beschreibbar.";

void WriteFile(const std::string& path, const std::vector<int32_t>& longs, size_t cutBytes = 0) {
  std::string bytes(reinterpret_cast<const char*>(longs.data()), longs.size() * 4);
  bytes.resize(bytes.size() - cutBytes);
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

TEST_F(UndoTest, RingOfTenKeepsTheNewestTenAndTheEleventhUndoFailsCleanly) {
  MakeImage(4, 3, 0);
  for (int i = 1; i <= 11; ++i) {
    ImagePixels = Pattern(4, 3, i);
    ASSERT_EQ(CreateUndoPoint(), 1);
    EXPECT_EQ(undostate, i % 10 + 1);
  }
  ImagePixels = Pattern(4, 3, 12);
  // Ten undos read files 1, 10, 9, ..., 2: the points of images 11, 10, ..., 2.
  for (int i = 11; i >= 2; --i) {
    Undo(1);
    EXPECT_EQ(ImagePixels, Pattern(4, 3, i)) << i;
  }
  EXPECT_EQ(undostate, 2);
  const int32_t redo = RedoState;
  tk::test::queueResult(tk::ResultOk);
  Undo(1);
  EXPECT_EQ(tk::test::shown(), std::vector<std::string>{kUndoFailed});
  EXPECT_EQ(undostate, 2);
  EXPECT_EQ(RedoState, redo);
  EXPECT_EQ(ImagePixels, Pattern(4, 3, 2));
  EXPECT_FALSE(Exists(Slot(1) + "Redo" + std::to_string(redo) + ".redo"));
}

TEST_F(UndoTest, UndoThenRedoRestoresExactlyAndOnlyANewChangeDropsTheRedoChain) {
  MakeImage(5, 4, 1);
  ImagePixels[7] |= 0x03000000;   // flags go with the image
  const std::vector<PixelCell> first = ImagePixels;
  ASSERT_EQ(CreateUndoPoint(), 1);
  ImagePixels = Pattern(5, 4, 2);
  ASSERT_EQ(CreateUndoPoint(), 1);
  ImagePixels = Pattern(5, 4, 3);
  EXPECT_EQ(RedoState, -1);

  Undo(1);
  EXPECT_EQ(ImagePixels, Pattern(5, 4, 2));
  Undo(1);
  EXPECT_EQ(ImagePixels, first);
  // Redo writes an undo point of its own; the chain survives it.
  Redo();
  EXPECT_EQ(ImagePixels, Pattern(5, 4, 2));
  Redo();
  EXPECT_EQ(ImagePixels, Pattern(5, 4, 3));
  EXPECT_EQ(RedoState, -1);
  Redo();   // nothing left: nothing happens
  EXPECT_EQ(ImagePixels, Pattern(5, 4, 3));
  // ... and the undo points Redo wrote lead back again.
  Undo(1);
  EXPECT_EQ(ImagePixels, Pattern(5, 4, 2));

  // Any other undo point after an undo makes Redo a no-op.
  ASSERT_EQ(CreateUndoPoint(), 1);
  ImagePixels = Pattern(5, 4, 9);
  Redo();
  EXPECT_EQ(ImagePixels, Pattern(5, 4, 9));
}

TEST_F(UndoTest, UndoToAnotherSizeResizesTheImageAndClampsTheScroll) {
  SetView(64, 64);
  MakeImage(40, 30, 1);
  ASSERT_EQ(CreateUndoPoint(), 1);
  MakeImage(400, 300, 2);
  horz = 300;
  vert = 250;
  Undo(1);
  EXPECT_EQ(bildlang, 39);
  EXPECT_EQ(bildhoch, 29);
  EXPECT_EQ(ImageRecords[1].laenge, 39);
  EXPECT_EQ(ImageRecords[1].hoehe, 29);
  EXPECT_EQ(ImagePixels, Pattern(40, 30, 1));
  EXPECT_LE(horz, scrollmaxx);
  EXPECT_LE(vert, scrollmaxY);
  EXPECT_EQ(tk::gadgetState(12), horz);
  // Redo brings the large image back.
  Redo();
  EXPECT_EQ(bildlang, 399);
  EXPECT_EQ(ImagePixels, Pattern(400, 300, 2));
}

TEST_F(UndoTest, PixelStepsApplyAndAnEmptyStepConsumesAStep) {
  MakeImage(3, 2, 1);
  const std::string step1 = Slot(1) + "Undo1.undo", step2 = Slot(1) + "Undo2.undo";
  // Type 1: two pixel records (y, x, red, green, blue); the flag byte stays.
  ImagePixels[1 * 3 + 2] |= 0x07000000;
  {
    std::ofstream f(step2, std::ios::binary);
    const int32_t type = 1, y1 = 1, x1 = 2, y2 = 0, x2 = 0;
    f.write(reinterpret_cast<const char*>(&type), 4);
    f.write(reinterpret_cast<const char*>(&y1), 4);
    f.write(reinterpret_cast<const char*>(&x1), 4);
    f.write("\x10\x20\x30", 3);
    f.write(reinterpret_cast<const char*>(&y2), 4);
    f.write(reinterpret_cast<const char*>(&x2), 4);
    f.write("\x01\x02\x03", 3);
  }
  WriteFile(step1, {4});
  undostate = 3;
  Undo(1);
  EXPECT_EQ(ImagePixels[1 * 3 + 2], 0x07102030u);
  EXPECT_EQ(ImagePixels[0], 0x00010203u);
  EXPECT_FALSE(Exists(step2));
  const std::vector<PixelCell> before = ImagePixels;
  Undo(1);
  EXPECT_EQ(undostate, 1);
  EXPECT_FALSE(Exists(step1));
  EXPECT_EQ(ImagePixels, before);
}

TEST_F(UndoTest, BrokenOrMissingStepChangesNothing) {
  MakeImage(4, 3, 1);
  struct Case {
    const char* what;
    std::vector<int32_t> longs;
    size_t cut;
  };
  const std::vector<int32_t> whole = [] {
    std::vector<int32_t> v = {3, 3, 2};
    for (PixelCell c : Pattern(4, 3, 5)) v.push_back(int32_t(c));
    return v;
  }();
  const Case cases[] = {
      {"missing", {}, 0},
      {"cut short", whole, 1},
      {"empty", {3}, 4},
      {"no cells", {3, 3, 2}, 0},
      {"negative extent", {3, -1, 2}, 0},
      {"unknown type", {7, 3, 2}, 0},
      {"pixel outside the image", {0, 2, 9, 0}, 1},   // y 2, x 9
      {"pixel record cut", {1, 1, 1}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string step = Slot(1) + "Undo1.undo";
    std::filesystem::remove(step);
    if (!c.longs.empty()) WriteFile(step, c.longs, c.cut);
    undostate = 2;
    RedoState = -1;
    tk::test::queueResult(tk::ResultOk);
    Undo(0);
    EXPECT_EQ(tk::test::shown(), std::vector<std::string>{kUndoFailed});
    tk::test::clear();
    EXPECT_EQ(undostate, 2);
    EXPECT_EQ(RedoState, -1);
    EXPECT_EQ(ImagePixels, Pattern(4, 3, 1));
    EXPECT_FALSE(Exists(Slot(1) + "Redo-1.redo"));
    EXPECT_EQ(Exists(step), !c.longs.empty());
  }
  // A broken redo step is refused the same way, before the undo point of Redo.
  WriteFile(Slot(1) + "Redo0.redo", {3, 2}, 0);
  RedoState = 1;
  tk::test::queueResult(tk::ResultOk);
  Redo();
  EXPECT_EQ(tk::test::shown(), std::vector<std::string>{"Fehler|Redo nicht möglich"});
  EXPECT_EQ(RedoState, 1);
  EXPECT_EQ(undostate, 2);
  EXPECT_EQ(ImagePixels, Pattern(4, 3, 1));
}

// A disk that takes no more than a few bytes: every step write fails. The child process
// reports through its exit code what it found.
TEST_F(UndoTest, FullDiskLosesNothing) {
  MakeImage(40, 30, 1);
  ASSERT_EQ(CreateUndoPoint(), 1);   // Undo1.undo holds image 1
  ImagePixels = Pattern(40, 30, 2);
  ASSERT_EQ(CreateUndoPoint(), 1);   // Undo2.undo holds image 2
  undostate = 2;                     // the next point would replace Undo2.undo
  const auto before = Bytes(Slot(1) + "Undo2.undo");
  ImagePixels = Pattern(40, 30, 3);
  auto child = [&] {
        FileSizeLimit full(64);
        tk::test::clear();
        tk::test::queueResult(tk::ResultOk);
        tk::test::queueResult(tk::ResultOk);
        int failures = 0;
        if (CreateUndoPoint() != 0 || undostate != 2 || RedoState != -1) failures |= 1;
        if (Bytes(Slot(1) + "Undo2.undo") != before) failures |= 2;
        // An undo whose redo step cannot be written leaves image and counters alone.
        undostate = 3;
        Undo(1);
        if (undostate != 3 || RedoState != -1 || ImagePixels != Pattern(40, 30, 3)) failures |= 4;
        if (!Exists(Slot(1) + "Undo2.undo")) failures |= 8;
        if (tk::test::shown() != std::vector<std::string>(2, kStepNotWritten)) failures |= 16;
        std::_Exit(failures);
  };
  EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
}

TEST_F(UndoTest, HeldImageCommitsAsAnUndoStepAndComesBack) {
  MakeImage(6, 5, 1);
  HoldImage();
  ImagePixels = Pattern(6, 5, 2);
  ASSERT_EQ(CreateUndoPointFromHold(), 1);
  RestoreHeldImage();
  EXPECT_EQ(ImagePixels, Pattern(6, 5, 1));
  ImagePixels = Pattern(6, 5, 3);
  Undo(1);
  EXPECT_EQ(ImagePixels, Pattern(6, 5, 1));
}
