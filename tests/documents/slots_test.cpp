// Image slots: the record's fixed bytes, switching round trips, closing with the later
// slots moving down, the close question, the last image closed, and a store that cannot
// write its files.
#include "documents/slot_fixture.h"
#include "file_size_limit.h"

namespace {

using SlotsTest = SlotFixture;

const std::string kCloseQuestion = "Speichern?|Wollen sie vor dem beenden Speichern?";

std::vector<std::string> StepFiles(const std::string& folder) {
  std::vector<std::string> out;
  for (const tk::FolderEntry& e : tk::listFolder(folder, "*.*")) out.push_back(e.name);
  return out;
}

}  // namespace

TEST(ImageRecordBytes, FixedOffsetsAndTheCrashBlockRoundTrip) {
  ImageRecord r;
  r.laenge = 0x11223344;
  r.KeyBoardModus = 7;
  r.KeyBoardX = -2;
  r.Splitstate = 260;
  r.WindowState = 495;
  r.Effectgadgetstates[9] = 99;
  r.PixSize = 2.0f;
  r.areaorder = 6;
  r.Extension = 255;
  r.compression = -1;
  r.fgcolor[2] = 0x80;
  r.Oldcolors[0][0] = 1;   // blue
  r.Oldcolors[0][2] = 3;   // red
  r.Colororder = 5;
  r.SpareText = "frei";
  r.DisplayName = "C:\\Bilder\\Katze.bmp";
  uint8_t b[ImageRecordBlockSize];
  PackImageRecord(r, b);
  auto l = [&](size_t at) { return int32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24); };
  EXPECT_EQ(l(0), 0x11223344);
  EXPECT_EQ(b[20], 7);
  EXPECT_EQ(l(23), -2);
  EXPECT_EQ(b[36] | b[37] << 8, 260);
  EXPECT_EQ(l(50), 495);
  EXPECT_EQ(l(54 + 36), 99);
  EXPECT_EQ(l(94), 0x40000000);   // 2.0f
  EXPECT_EQ(l(126), 6);
  EXPECT_EQ(b[130], 255);
  EXPECT_EQ(b[131], 255);
  EXPECT_EQ(b[142], 0x80);
  EXPECT_EQ(b[148], 3);   // old colours are stored red first
  EXPECT_EQ(b[150], 1);
  EXPECT_EQ(l(288), 5);
  ImageRecord back;
  UnpackImageRecord(b, back);
  uint8_t again[ImageRecordBlockSize];
  PackImageRecord(back, again);
  EXPECT_EQ(std::vector<uint8_t>(b, b + sizeof b), std::vector<uint8_t>(again, again + sizeof again));
  EXPECT_EQ(back.Oldcolors[0][0], 1);

  const std::string path = ::testing::TempDir() + "record_block.bin";
  int f = tk::createFile(-1, path);
  ASSERT_TRUE(WriteImageRecordBlock(f, r));
  tk::closeFile(f);
  EXPECT_EQ(tk::fileSizeOf(path), int64_t(ImageRecordBlockSize + r.SpareText.size() + r.DisplayName.size() + 4));
  f = tk::readFile(-1, path);
  ImageRecord read;
  ASSERT_TRUE(ReadImageRecordBlock(f, read));
  EXPECT_FALSE(ReadImageRecordBlock(f, read));   // the file ends
  tk::closeFile(f);
  EXPECT_EQ(read.SpareText, "frei");
  EXPECT_EQ(read.DisplayName, r.DisplayName);
  EXPECT_EQ(read.compression, -1);
  tk::deleteFile(path);
}

TEST(ZoomList, EveryZoomShowsItsOwnEntry) {
  const float zooms[] = {0.25f, 0.5f, 0.75f, 1.0f, 2.0f, 4.0f, 8.0f, 16.0f};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(ZoomListEntry(zooms[i]), i) << zooms[i];
  EXPECT_EQ(ZoomListEntry(2.5f), 4);   // between entries: the nearer one
  EXPECT_EQ(ZoomListEntry(0.0f), 3);
}

TEST_F(SlotsTest, SwitchingRoundTripsImageAreaRecordAndScriptText) {
  OpenImages(2);   // image 2 active
  // Image 2: a marked area, a zoom, a script text and variables.
  areamark = 2;
  arealang = 2;
  areahoch = 1;
  startx = 3;
  starty = 4;
  AreaPixels = Pattern(3, 2, 77);
  AreaPixels[1] |= 0x01000000;
  length = 2.0f;
  undostate = 4;
  RedoState = 2;
  Rot = 10;
  Gruen = 20;
  Blau = 30;
  tolleranz = 17;
  colororder = 3;
  ImagePath = "Bilder/zwei.png";
  tk::setRichText(496, "Zeile 1\r\nZeile 2");
  VariableList = {{"#a", "1"}, {"#b", "zwei"}};
  const std::vector<PixelCell> area = AreaPixels;

  SwitchImage(1);
  EXPECT_EQ(CurrentImage, 1);
  EXPECT_EQ(ImagePixels, Pattern(11, 6, 1));
  EXPECT_EQ(areamark, 0);
  EXPECT_TRUE(VariableList.empty());
  EXPECT_EQ(tk::richText(496), "");
  EXPECT_EQ(tk::gadgetState(161), 1);
  EXPECT_EQ(tk::gadgetState(162), 0);
  EXPECT_TRUE(Exists(Slot(2) + "Image.zs"));
  EXPECT_TRUE(Exists(Slot(2) + "Area.zs"));
  EXPECT_FALSE(Exists(Slot(1) + "Image.zs"));   // a live image has no parked pixels

  SwitchImage(2);
  EXPECT_EQ(CurrentImage, 2);
  EXPECT_EQ(bildlang, 11);
  EXPECT_EQ(bildhoch, 6);
  EXPECT_EQ(ImagePixels, Pattern(12, 7, 2));
  EXPECT_EQ(areamark, 2);
  EXPECT_EQ(AreaPixels, area);
  EXPECT_EQ(startx, 3);
  EXPECT_EQ(starty, 4);
  EXPECT_EQ(length, 2.0f);
  EXPECT_EQ(tk::gadgetState(60), 4);
  EXPECT_EQ(undostate, 4);
  EXPECT_EQ(RedoState, 2);
  EXPECT_EQ(Rot, 10);
  EXPECT_EQ(Blau, 30);
  EXPECT_EQ(tolleranz, 17);
  EXPECT_EQ(colororder, 3);
  EXPECT_EQ(ImagePath, "Bilder/zwei.png");
  EXPECT_EQ(ImageTexts[2].code, "Zeile 1\r\nZeile 2");
  EXPECT_EQ(tk::richText(496), "Zeile 1\rZeile 2");
  ASSERT_EQ(VariableList.size(), 2u);
  EXPECT_EQ(VariableList.back().name, "#b");
  EXPECT_EQ(VariableList.back().value, "zwei");
  EXPECT_EQ(NextMode, ModeDraw);
  EXPECT_FALSE(Exists(Slot(2) + "Image.zs"));
  EXPECT_FALSE(Exists(Slot(2) + "Area.zs"));
  // The restored size is in the record too.
  EXPECT_EQ(ImageRecords[2].laenge, 11);
  EXPECT_EQ(ImageRecords[2].hoehe, 6);

  // Switching to the active slot gives the image back unchanged.
  SwitchImage(2);
  EXPECT_EQ(ImagePixels, Pattern(12, 7, 2));
  EXPECT_FALSE(Exists(Slot(2) + "Image.zs"));
}

TEST_F(SlotsTest, ClosingImageTwoOfFourWithFourActiveMovesTheLaterSlotsDown) {
  OpenImages(4);
  // Each image gets one undo step of its own pattern; image 4 stays active.
  for (int k = 1; k <= 4; ++k) {
    SwitchImage(k);
    ASSERT_EQ(CreateUndoPoint(), 1);
    ImageRecords[k].Fillmode = 100 + k;
  }
  tk::setGadgetText(163, "drei");
  tk::setGadgetText(164, "vier");
  tk::test::queueResult(tk::ResultNo);
  CloseImage(2);
  EXPECT_EQ(tk::test::shown(), std::vector<std::string>{kCloseQuestion});
  EXPECT_EQ(ImageCount, 3);
  EXPECT_EQ(CurrentImage, 3);
  EXPECT_EQ(ImagePixels, Pattern(14, 9, 4));
  EXPECT_EQ(ImageRecords[2].Fillmode, 103);
  EXPECT_EQ(ImageRecords[3].Fillmode, 104);
  EXPECT_EQ(ImageRecords[4].Fillmode, 0);   // the vacated record is cleared
  EXPECT_EQ(ImageRecords[4].DisplayName, "");
  EXPECT_EQ(tk::gadgetText(162), "drei");
  EXPECT_EQ(tk::gadgetText(163), "vier");
  EXPECT_TRUE(tk::gadgetHidden(164));
  EXPECT_EQ(tk::gadgetState(163), 1);
  EXPECT_TRUE(StepFiles(Slot(4)).empty());
  // Image 3, now 2, comes with its pixels and its own undo step only.
  SwitchImage(2);
  EXPECT_EQ(ImagePixels, Pattern(13, 8, 3));
  EXPECT_EQ(StepFiles(Slot(2)), std::vector<std::string>{"Undo1.undo"});
  ImagePixels.assign(ImagePixels.size(), 0);
  Undo(1);
  EXPECT_EQ(ImagePixels, Pattern(13, 8, 3));
  tk::test::queueResult(tk::ResultOk);
  Undo(1);   // the ring never reaches into the closed image's steps
  EXPECT_EQ(tk::test::shown().back(), "Fehler|Undo nicht möglich");
}

TEST_F(SlotsTest, CloseQuestionCancelOrUnsavedYesKeepsEverything) {
  OpenImages(3);
  SwitchImage(1);
  for (int answer : {tk::ResultCancel, tk::ResultYes}) {
    SCOPED_TRACE(answer);
    tk::test::clear();
    tk::test::queueResult(answer);
    if (answer == tk::ResultYes) tk::test::queueString("");   // the save requester cancelled
    CloseImage(3);   // "Yes": the save is cancelled, so the image must stay
    EXPECT_EQ(ImageCount, 3);
    EXPECT_EQ(CurrentImage, 1);
    EXPECT_EQ(ImagePixels, Pattern(11, 6, 1));
    EXPECT_EQ(tk::gadgetState(161), 1);
    EXPECT_TRUE(Exists(Slot(3) + "Image.zs"));
  }
  SwitchImage(3);
  EXPECT_EQ(ImagePixels, Pattern(13, 8, 3));
}

TEST_F(SlotsTest, ClosingTheLastImagesLeavesNothingBehindAndANewImageStartsClean) {
  OpenImages(2);
  ASSERT_EQ(CreateUndoPoint(), 1);
  // The active image is the last one: image 1 comes back, not the one before.
  tk::test::queueResult(tk::ResultNo);
  CloseImage(2);
  EXPECT_EQ(CurrentImage, 1);
  EXPECT_EQ(ImagePixels, Pattern(11, 6, 1));
  EXPECT_TRUE(StepFiles(Slot(2)).empty());
  ASSERT_EQ(CreateUndoPoint(), 1);
  tk::test::queueResult(tk::ResultNo);
  CloseImage(1);
  EXPECT_EQ(ImageCount, 0);
  EXPECT_EQ(bildlang, 0);
  EXPECT_EQ(bildhoch, 0);
  EXPECT_TRUE(tk::gadgetHidden(11));
  EXPECT_TRUE(StepFiles(Slot(1)).empty());

  ImageRecords[1].Fillmode = 5;   // whatever a closed image may have left
  CreateImageSlot(-1, 2, 1, 2, 3, 0, 0, "Neu");   // width 0 becomes one pixel
  EXPECT_EQ(ImageCount, 1);
  EXPECT_EQ(CurrentImage, 1);
  EXPECT_EQ(bildlang, 0);
  EXPECT_EQ(bildhoch, 2);
  EXPECT_EQ(ImageRecords[1].Fillmode, 0);
  EXPECT_EQ(ImageRecords[1].DisplayName, "Neu");
  EXPECT_EQ(ImageRecords[2].DisplayName, "");   // no orphan record of the 1 x 1 image
  EXPECT_FALSE(tk::gadgetHidden(11));
  EXPECT_TRUE(StepFiles(Slot(2)).empty());
}

TEST_F(SlotsTest, StoreThatCannotWriteKeepsTheImageLive) {
  OpenImages(2);
  auto child = [&] {
    FileSizeLimit full(64);
    tk::test::clear();
    tk::test::queueResult(tk::ResultOk);
    int failures = 0;
    SwitchImage(1);
    if (CurrentImage != 2 || ImagePixels != Pattern(12, 7, 2)) failures |= 1;
    if (Exists(Slot(2) + "Image.zs") || !Exists(Slot(1) + "Image.zs")) failures |= 2;
    if (tk::test::shown() != std::vector<std::string>{"Fehler|Der Zwischenspeicher konnte nicht erstellt werden"})
      failures |= 4;
    std::_Exit(failures);
  };
  EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
}
