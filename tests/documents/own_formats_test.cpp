// The program's own files through the program's procedures: structures, brush forms,
// icons (sizes dialog, chooser, 8-bit palette images) and script sources. Writers leave
// the image and its undo history as they were.
#include "documents/file_fixture.h"

namespace {

struct OwnFormatsTest : FileFixture {
  static void PostGadget(int window, int gadget) {
    tk::Event e;
    e.code = tk::EvGadget;
    e.window = window;
    e.gadget = gadget;
    tk::postEvent(e);
  }
  // The icon sizes dialog answers with the given boxes ticked.
  static void AnswerIconSizes(bool s16, bool s32, bool s64) {
    tk::deferToNextWait([=] {
      tk::setGadgetState(792, s16);
      tk::setGadgetState(793, s32);
      tk::setGadgetState(794, s64);
      PostGadget(32, 795);
    });
  }
  static uint32_t Le32(const ByteVec& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
  }
};

}  // namespace

TEST_F(OwnFormatsTest, StructuresAndBrushFormsWriteGreyMapsAndLeaveTheImage) {
  MakeImage(3, 2, 0);
  ImagePixels = {0x000000, 0x010000, 0x020000, 0xFFFFFF, 0x0A141E, 0x05FF00FF};
  const std::vector<PixelCell> before = ImagePixels;
  const int32_t undoBefore = undostate;
  ASSERT_EQ(SaveStructure(folder + "s.struc"), 1);
  const ByteVec s = Bytes(folder + "s.struc");
  ASSERT_EQ(s.size(), 14u);
  EXPECT_EQ(Le32(s, 0), 2u);
  EXPECT_EQ(Le32(s, 4), 1u);
  // The rounded mean: 1/3 -> 0, 2/3 -> 1, (10 + 20 + 30) / 3 = 20, 510 / 3 = 170.
  EXPECT_EQ(ByteVec(s.begin() + 8, s.end()), (ByteVec{0, 0, 1, 255, 20, 170}));
  EXPECT_EQ(ImagePixels, before);
  EXPECT_EQ(undostate, undoBefore);
  ASSERT_EQ(ReadStructureFile(folder + "s.struc"), 1);
  EXPECT_EQ(ImagePixels, (std::vector<PixelCell>{0, 0, 0x010101, 0xFFFFFF, 0x141414, 0xAAAAAA}));

  // Brush forms: 6 + side x side bytes; the two setting bytes from the grey extremes.
  for (auto [fill, hi, lo] : {std::tuple{0xFFFFFFu, 127, 127}, std::tuple{0u, -128, -128}}) {
    MakeImage(4, 4, 0);
    std::fill(ImagePixels.begin(), ImagePixels.end(), fill);
    ASSERT_EQ(SaveBrushForm(folder + "f.df"), 1);
    const ByteVec f = Bytes(folder + "f.df");
    ASSERT_EQ(f.size(), 22u);
    EXPECT_EQ(Le32(f, 0), 4u);
    EXPECT_EQ(int8_t(f[4]), hi);
    EXPECT_EQ(int8_t(f[5]), lo);
  }
  ImagePixels[5] = 0x404040;
  ASSERT_EQ(SaveBrushForm(folder + "f.df"), 1);
  const ByteVec f = Bytes(folder + "f.df");
  EXPECT_EQ(int8_t(f[4]), 0x40 - 128);
  EXPECT_EQ(int8_t(f[5]), -128);
  MakeImage(1, 1, 0);
  ASSERT_EQ(ReadBrushFormImage(folder + "f.df"), 1);
  EXPECT_EQ(bildlang, 3);
  EXPECT_EQ(ImagePixels[5], 0x404040u);
  // Not square: refused, nothing written.
  MakeImage(4, 3, 0);
  tk::test::queueResult(tk::ResultOk);
  EXPECT_EQ(SaveBrushForm(folder + "g.df"), 0);
  EXPECT_EQ(tk::test::shown().back(), "Fehler|Die Breite einer Pinselform muss gleich ihrer Höhe sein");
  EXPECT_FALSE(Exists(folder + "g.df"));
}

TEST_F(OwnFormatsTest, IconsAreWrittenFromACopyAndReadAsPaletteImages) {
  // A 100 x 80 image with flags; the palette a grey ramp with one marked entry.
  MakeImage(100, 80, 3);
  for (size_t i = 0; i < ImagePixels.size(); i += 3) ImagePixels[i] |= 0x01000000u;
  for (int k = 0; k < 256; ++k) Palette[k] = PixelCell(k) * 0x010101u;
  const std::vector<PixelCell> before = ImagePixels;
  const int32_t undoBefore = undostate;
  AnswerIconSizes(true, true, true);
  ASSERT_EQ(WriteImageFile(folder + "alle.ico"), 1);
  EXPECT_EQ(Bytes(folder + "alle.ico").size(), 9326u);
  EXPECT_EQ(bildlang, 99);
  EXPECT_EQ(bildhoch, 79);
  EXPECT_EQ(ImagePixels, before);
  EXPECT_EQ(undostate, undoBefore);
  EXPECT_EQ(ImageRecords[1].DisplayName, folder + "alle.ico");
  // No size chosen, or the dialog closed: nothing written.
  AnswerIconSizes(false, false, false);
  EXPECT_EQ(WriteImageFile(folder + "keins.ico"), 0);
  tk::deferToNextWait([] {
    tk::Event e;
    e.code = tk::EvClose;
    e.window = 32;
    tk::postEvent(e);
  });
  EXPECT_EQ(WriteImageFile(folder + "keins.ico"), 0);
  EXPECT_FALSE(Exists(folder + "keins.ico"));

  // A 64 x 64 image of known indices, read back through the chooser (third icon).
  MakeImage(64, 64, 0);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) ImagePixels[size_t(y) * 64 + x] = PixelCell((x + y) & 0xFF) * 0x010101u;
  ImagePixels[0] |= 0x01000000u;   // one transparent cell: the mask bit of the top-left
  AnswerIconSizes(false, true, true);
  ASSERT_EQ(WriteImageFile(folder + "zwei.ico"), 1);
  ByteVec ico = Bytes(folder + "zwei.ico");
  ASSERT_EQ(ico.size(), 6u + 32 + 2216 + 5672);
  const size_t image64 = 6 + 32 + 2216, mask64 = image64 + 40 + 1024 + 4096;
  EXPECT_EQ(ico[mask64 + 63 * 8], 0x80);   // mask row 63 (from the bottom) is the top row
  EXPECT_EQ(ico[image64 + 40 + 4 * 7 + 3], 0);   // the palette is written with fourth bytes 0
  ico[image64 + 40 + 4 * 7 + 3] = 0x2A;          // as another program may have written it
  Write("zwei.ico", ico);
  Palette.assign(256, 0);
  tk::test::queueString(folder + "zwei.ico");
  PostGadget(33, 798);
  OpenImageFile();
  ASSERT_EQ(ImageCount, 2);
  EXPECT_EQ(Colornumber, 1);
  EXPECT_EQ(ImageRecords[2].colornumber, 1);
  EXPECT_EQ(ImageRecords[2].Extension, 3);
  EXPECT_EQ(bildlang, 63);
  ASSERT_EQ(IndexPlane.size(), 64u * 64);
  for (size_t i = 0; i < 64 * 64; ++i) {
    ASSERT_EQ(IndexPlane[i], uint8_t((i % 64 + i / 64) & 0xFF)) << i;
    ASSERT_EQ(ImagePixels[i], Palette[IndexPlane[i]]) << i;   // the fourth byte comes with it
  }
  EXPECT_EQ(Palette[9], 0x090909u);
  EXPECT_EQ(ImagePixels[7], 0x2A070707u);
  EXPECT_FALSE(tk::isWindow(33));
  // The chooser closed: nothing opened.
  tk::test::queueString(folder + "zwei.ico");
  tk::Event close;
  close.code = tk::EvClose;
  close.window = 33;
  tk::postEvent(close);
  OpenImageFile();
  EXPECT_EQ(ImageCount, 2);
  // A true-colour icon (the layer's own writer) opens as a true-colour picture whose flag
  // marks the transparent cells.
  tk::codec::Picture p = CodecPicture(8, 8, 4);
  p.cells[0] &= 0x00FFFFFFu;
  ByteVec tc;
  ASSERT_TRUE(tk::codec::encodeICO({p}, tc));
  Write("bunt.ico", tc);
  ASSERT_EQ(DecodeIconImage(folder + "bunt.ico", 1), 1);
  EXPECT_EQ(Colornumber, 0);
  EXPECT_EQ(ImagePixels[0] >> 24, 1u);
  EXPECT_EQ(ImagePixels[1], Picture(8, 8, 4)[1]);
}

TEST_F(OwnFormatsTest, ScriptSourcesGainTheirLastLineEndAndOpenInTheScriptView) {
  Write("prog.cod", {'a', '\r', '\n', 'b', '\n', 'c'});
  ASSERT_EQ(LoadCodeFile(folder + "prog.cod"), 1);
  EXPECT_EQ(tk::richText(496), "a\rb\rc\r");
  ASSERT_EQ(SaveCodeFile(folder + "neu.cod"), 1);
  EXPECT_EQ(Bytes(folder + "neu.cod"), (ByteVec{'a', '\r', '\n', 'b', '\r', '\n', 'c', '\r', '\n'}));
  // Opened as a document: the script view, a white picture, the text in the slot.
  MakeImage(5, 4, 2);
  tk::setRichText(496, "alt");
  tk::test::queueString(folder + "prog.cod");
  OpenImageFile();
  ASSERT_EQ(ImageCount, 2);
  EXPECT_EQ(NextMode, ModeScript);
  EXPECT_EQ(ImageRecords[2].WindowState, 495);
  EXPECT_EQ(ImageRecords[2].Extension, 5);
  EXPECT_EQ(tk::richText(496), "a\rb\rc\r");
  for (PixelCell c : ImagePixels) ASSERT_EQ(c, 0x00FFFFFFu);
  SwitchImage(1);
  EXPECT_EQ(tk::richText(496), "alt");
  EXPECT_EQ(ImagePixels, Pattern(5, 4, 2));
}
