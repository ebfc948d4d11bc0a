// Palettes: mapping the image onto the palette, palette files made from pictures, the
// palette chooser, the 256-colour switch, the palette colour picker and the editor, each
// window driven with gadget events as the user would give them.
#include "documents/file_fixture.h"

namespace {

struct PalettesTest : FileFixture {
  void SetUp() override {
    FileFixture::SetUp();
    tk::createFolder(folder + "Palettes");
  }
  static void Post(int code, int window, int gadget = -1) {
    tk::Event e;
    e.code = code;
    e.window = window;
    e.gadget = gadget;
    tk::postEvent(e);
  }
  static void Click(int window, int gadget, int times = 1) {
    for (int i = 0; i < times; ++i) Post(tk::EvGadget, window, gadget);
  }
  void WritePalette(const std::string& name, uint8_t (*colour)(int k, int channel)) const {
    ByteVec b;
    for (int k = 0; k < 256; ++k)
      for (int c = 0; c < 3; ++c) b.push_back(colour(k, c));
    Write("Palettes/" + name + ".pal", b);
  }
  // A strip image with every entry black but entry `white` white.
  static void StripWithWhite(int image, int white) {
    uint8_t rgb[768] = {};
    rgb[3 * white] = rgb[3 * white + 1] = rgb[3 * white + 2] = 255;
    tk::createImage(image, 512, 20);
    int stride = 0;
    uint32_t* cells = tk::imageCells(image, &stride);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 512; ++x) cells[y * stride + x] = x / 2 == white ? 0xFFFFFFFFu : 0xFF000000u;
  }
  static int StripRed(int image, int k) {
    int stride = 0;
    const uint32_t* cells = tk::imageCells(image, &stride);
    return int(cells[2 * stride + 2 * k + 1] >> 16 & 0xFF);
  }
  static int StripGrey(int image, int k) {
    int stride = 0;
    const uint32_t* cells = tk::imageCells(image, &stride);
    return int(cells[2 * stride + 2 * k + 1] & 0xFF);
  }
};

}  // namespace

TEST_F(PalettesTest, QuantizingMapsTheImageAndApplyingRecoloursByIndex) {
  MakeImage(2, 2, 0);
  for (int k = 0; k < 256; ++k) Palette[k] = PixelCell(k) * 0x010101u;
  ImagePixels = {0x05101010, 0x00101011, 0x00FFFFFF, 0x00FE0000};
  const int32_t undo = undostate;
  QuantizeToPalette(0);
  EXPECT_EQ(undostate, undo + 1) << "one undo point";
  EXPECT_EQ(IndexPlane, (std::vector<uint8_t>{16, 16, 255, 0}));   // (254, 0, 0): 254 from black
  EXPECT_EQ(ImagePixels[0], 0x05101010u) << "an exact match keeps its flag";
  EXPECT_EQ(ImagePixels[1], 0x00101010u);
  // Another palette by index: the indices stay, the colours follow.
  for (int k = 0; k < 256; ++k) Palette[k] = PixelCell(255 - k) << 16;
  ApplyPalette(1);
  EXPECT_EQ(IndexPlane, (std::vector<uint8_t>{16, 16, 255, 0}));
  EXPECT_EQ(ImagePixels[0], 0x05EF0000u);
  EXPECT_EQ(ImagePixels[2], 0x00000000u);
  // A true-colour image has no indices to recolour by: its colours are mapped.
  FreeIndexPlane();
  ImagePixels = {0x00EE0000, 0, 0, 0};
  ApplyPalette(1);
  EXPECT_EQ(IndexPlane.size(), 4u);
  EXPECT_EQ(IndexPlane[0], 17);
}

TEST_F(PalettesTest, PalettesFromTheImageAndFromAFileAreColumnMajor) {
  MakeImage(16, 16, 0);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ImagePixels[size_t(y) * 16 + x] = PixelCell(x * 16 + y) << 16 | PixelCell(y) << 8 | 7;
  const std::vector<PixelCell> image = ImagePixels;
  ASSERT_EQ(PaletteFromImage("bild"), 1);
  const ByteVec pal = Bytes(folder + "Palettes/bild.pal");
  ASSERT_EQ(pal.size(), 768u);
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 16; ++y) {
      const size_t e = 3 * size_t(16 * x + y);   // entry 1 is column 0, row 1
      ASSERT_EQ(pal[e], x * 16 + y) << x << "," << y;
      ASSERT_EQ(pal[e + 1], y);
      ASSERT_EQ(pal[e + 2], 7);
    }
  // From a file: the same palette, the active image untouched.
  ByteVec png;
  tk::codec::Picture p;
  p.w = p.h = 16;
  p.cells = image;
  for (uint32_t& c : p.cells) c |= 0xFF000000u;
  tk::codec::encodePNG(p, png);
  Write("bild16.png", png);
  MakeImage(3, 3, 9);
  ASSERT_EQ(PaletteFromImageFile(folder + "bild16.png", "datei"), 1);
  EXPECT_EQ(Bytes(folder + "Palettes/datei.pal"), pal);
  EXPECT_EQ(ImagePixels, Pattern(3, 3, 9));
  // An unreadable file writes nothing.
  tk::test::queueResult(tk::ResultOk);
  EXPECT_EQ(PaletteFromImageFile(folder + "fehlt.png", "nichts"), 0);
  EXPECT_FALSE(Exists(folder + "Palettes/nichts.pal"));
}

TEST_F(PalettesTest, ChooserTakesTheSelectedPaletteAndTheSwitchNeedsAChoice) {
  tk::test::queueResult(tk::ResultOk);
  EXPECT_EQ(PaletteChooser(), -1);
  EXPECT_EQ(tk::test::shown().back(), "Error|Keine paletten gefunden");
  EXPECT_FALSE(tk::isWindow(18));

  WritePalette("blau", [](int k, int c) { return uint8_t(c == 2 ? k : 0); });
  Write("Palettes/kurz.pal", {1, 2, 3});
  const std::vector<PixelCell> before = Palette;
  Post(tk::EvClose, 18);
  EXPECT_EQ(PaletteChooser(), -1);
  EXPECT_EQ(Palette, before);

  // The list holds both names; choosing the second (a short file) and OK takes it.
  tk::deferToNextWait([] {
    EXPECT_EQ(tk::countGadgetItems(717), 2);
    EXPECT_EQ(tk::gadgetItemText(717, 0), "blau");
    tk::setGadgetState(717, 1);
    Click(18, 717);
    Click(18, 719);
  });
  EXPECT_EQ(PaletteChooser(), 1);
  EXPECT_EQ(Palette[0], 0x00010203u);
  EXPECT_EQ(Palette[1], 0u);
  // The 256-colour switch: cancelled, the image stays true colour.
  MakeImage(4, 2, 1);
  Post(tk::EvClose, 18);
  EXPECT_EQ(MakePaletteImage(), 0);
  EXPECT_EQ(Colornumber, 0);
  EXPECT_EQ(IndexPlane.size(), 1u);
  tk::deferToNextWait([] {
    tk::setGadgetState(717, 0);
    Click(18, 717);
    Click(18, 719);
  });
  ASSERT_EQ(MakePaletteImage(), 1);
  EXPECT_EQ(Colornumber, 1);
  EXPECT_EQ(IndexPlane.size(), ImagePixels.size());
  EXPECT_EQ(Palette[200], 0x000000C8u);
  for (PixelCell c : ImagePixels) EXPECT_EQ(c & 0xFFFF00u, 0u);
  MakeTrueColourImage();
  EXPECT_EQ(Colornumber, 0);
  EXPECT_EQ(IndexPlane.size(), 1u);

  // "Palette hinzufügen": a taken name asks again.
  Write("fremd.pal", ByteVec(768, 9));
  tk::test::clear();
  tk::test::queueString(folder + "fremd.pal");
  tk::test::queueString("blau");
  tk::test::queueResult(tk::ResultOk);
  tk::test::queueString("neu");
  Click(18, 721);
  Post(tk::EvClose, 18);
  EXPECT_EQ(PaletteChooser(), -1);
  EXPECT_EQ(Bytes(folder + "Palettes/neu.pal"), ByteVec(768, 9));
  EXPECT_EQ(tk::test::shown()[2].rfind("Error|Eine Palette mit diesem Namen ist bereits vorhanden", 0), 0u);
}

TEST_F(PalettesTest, PickerChoosesAnyEntryBlackIncludedAndCancelChangesNothing) {
  for (int k = 0; k < 256; ++k) Palette[k] = PixelCell(k) << 8;   // entry 0 black
  PaintPaletteStrip(49);
  PaletteIndex = int8_t(40 - 128);
  tk::deferToNextWait([] {
    EXPECT_EQ(tk::gadgetState(711), 40) << "the slider starts at the current entry";
    tk::setGadgetState(711, 0);
    Click(17, 711);
    Click(17, 715);
  });
  EXPECT_EQ(ChoosePaletteColor(), 0);
  EXPECT_EQ(PaletteIndex, -128);
  tk::deferToNextWait([] {
    tk::setGadgetState(711, 99);
    Click(17, 715);
  });
  EXPECT_EQ(ChoosePaletteColor(), int64_t(99) << 8);
  EXPECT_EQ(PaletteIndex, 99 - 128);
  for (int gadget : {716, -1}) {
    tk::deferToNextWait([gadget] {
      tk::setGadgetState(711, 5);
      if (gadget > 0) Click(17, gadget);
      else Post(tk::EvClose, 17);
    });
    EXPECT_EQ(ChoosePaletteColor(), -1);
    EXPECT_EQ(PaletteIndex, 99 - 128);
  }
}

TEST_F(PalettesTest, EditorRampsBetweenTwoEntriesEitherWayRound) {
  // Joining entry 10 and entry 20: with the "+" and "-" buttons to the entries, three
  // clicks of "Farben verbinden" (two explanations), then "Benutzen".
  const struct {
    int white, first, second;
    int at11, at15;
  } cases[] = {
      {20, 10, 20, 25, 127},   // black to white
      {20, 20, 10, 25, 127},   // the same ramp chosen the other way round
      {10, 10, 20, 229, 127},  // white to black: the floor goes down
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    StripWithWhite(50, c.white);
    tk::test::queueResult(tk::ResultOk);
    tk::test::queueResult(tk::ResultOk);
    Click(19, 724, c.first);
    Click(19, 738, 2);
    Click(19, c.second > c.first ? 724 : 725, std::abs(c.second - c.first));
    Click(19, 738);
    Click(19, 744);
    ASSERT_EQ(PaletteEditor(50), 51);
    EXPECT_EQ(StripGrey(51, 11), c.at11);
    EXPECT_EQ(StripGrey(51, 15), c.at15);
    EXPECT_EQ(StripGrey(51, 10), c.white == 10 ? 255 : 0);
    EXPECT_EQ(StripGrey(51, 20), c.white == 20 ? 255 : 0);
    EXPECT_EQ(StripGrey(51, 21), 0);
    EXPECT_EQ(StripGrey(50, 11), 0) << "the caller's strip is the caller's";
  }
  // Neighbours: no entry changes, the caption comes back.
  StripWithWhite(50, 11);
  tk::test::queueResult(tk::ResultOk);
  tk::test::queueResult(tk::ResultOk);
  Click(19, 724, 10);
  Click(19, 738, 2);
  Click(19, 724);
  Click(19, 738);
  Post(tk::EvClose, 19);
  EXPECT_EQ(PaletteEditor(50), -1);
  EXPECT_EQ(StripGrey(51, 10), 0);
  EXPECT_EQ(StripGrey(51, 11), 255);
}

TEST_F(PalettesTest, EditorEntriesLoadingAndSaving) {
  // From the menu: black, entry 1; a loaded palette fills the strip.
  WritePalette("rot", [](int k, int c) { return uint8_t(c == 0 ? k : 0); });
  tk::deferToNextWait([] {
    EXPECT_EQ(tk::gadgetText(729), "Farbe: 1");
    EXPECT_EQ(tk::gadgetState(726), 0);
    EXPECT_EQ(tk::gadgetState(734), 0);
  });
  tk::test::queueString(folder + "Palettes/rot.pal");
  Click(19, 725);   // "-" at entry 0 stays there
  Click(19, 741);
  Click(19, 745);
  EXPECT_EQ(PaletteEditor(-1), -1);
  EXPECT_EQ(StripRed(51, 200), 200);
  EXPECT_EQ(StripRed(51, 0), 0);

  // From a strip: entry 7's red to 200 by its spin field, then saved at exactly the chosen
  // path and into the folder under a name; an empty name adds nothing.
  tk::test::clear();
  tk::test::queueString(folder + "export.pal");
  tk::test::queueResult(tk::ResultYes);
  tk::test::queueString("");
  tk::test::queueString("");
  tk::test::queueResult(tk::ResultYes);
  tk::test::queueString("gespeichert");
  tk::deferToNextWait([] {
    tk::setGadgetState(726, 7);
    tk::setGadgetState(734, 200);
    Click(19, 734);
    Click(19, 742);
    Click(19, 742);
    Click(19, 744);
  });
  StripWithWhite(50, 3);
  ASSERT_EQ(PaletteEditor(50), 51);
  EXPECT_EQ(StripGrey(50, 7), 0) << "the caller's strip is the caller's";
  EXPECT_EQ(Bytes(folder + "export.pal").size(), 768u);
  EXPECT_EQ(Bytes(folder + "export.pal")[9], 255);
  EXPECT_FALSE(Exists(folder + "Palettes/.pal"));
  const ByteVec saved = Bytes(folder + "Palettes/gespeichert.pal");
  ASSERT_EQ(saved.size(), 768u);
  EXPECT_EQ(saved[21], 200) << "entry 7 red, painted before the saves";
  EXPECT_EQ(saved[22], 0);
  EXPECT_EQ(tk::test::shown()[1], "Palettenverzeichnis|Soll diese Palette zu den Standardpaletten hinzugefügt werden?");
}
