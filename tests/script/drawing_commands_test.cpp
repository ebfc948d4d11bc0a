// Marking, colour, painting, file, point and locate commands run through RunScript in the
// started program: their checks and messages, and what they leave in the image.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "documents/documents.h"
#include "effects/effects.h"
#include "script/script.h"
#include "image_folder_fixture.h"
#include "shell/loops_fixture.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace {

constexpr int kW = 24, kH = 20;
const std::string kNoImage =
    "Es muss ein Bild,Icon oder Cursor  erstellt werden,\rbevor irgendwelche Operationen darauf ausgeführt "
    "werden können";

class DrawingCommands : public ImageFolderScriptTest {
 protected:
  DrawingCommands() : ImageFolderScriptTest("ScriptFiles") {}

  static void Pattern(PixelCell fill = 0xFFFFFFFF) {
    SetImageDimensions(kH, kW, 1);
    ImagePixels.assign(size_t(kW) * kH, 0);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        ImagePixels[size_t(y) * kW + x] =
            fill != 0xFFFFFFFF ? fill
                               : PixelCell((x * 11 + y * 3) & 0xFF) | PixelCell((x * y * 7) & 0xFF) << 8 |
                                     PixelCell((200 - x * 5 + y * 9) & 0xFF) << 16;
    colororder = areacolororder = 1;
  }
  static std::vector<std::string> Script(const std::string& text) {
    tk::setRichText(496, text);
    tk::test::clear();
    for (int i = 0; i < 3; ++i) tk::test::queueResult(tk::ResultOk);
    RunScript(496, 0);
    std::vector<std::string> shown = tk::test::shown();
    tk::test::clear();
    return shown;
  }
  // The message of the one error box a text gives ("" when the run passes quietly).
  static std::string Message(const std::string& text) {
    const std::vector<std::string> boxes = Script(text);
    if (boxes.empty()) return "";
    const size_t bar = boxes[0].find('|');
    return boxes.size() == 1 && bar != std::string::npos ? boxes[0].substr(bar + 1) : "<" + boxes[0] + ">";
  }
  static std::vector<PixelCell> Colours() {
    std::vector<PixelCell> c = ImagePixels;
    for (PixelCell& p : c) p &= 0xFFFFFFu;
    return c;
  }
  static std::string Constant(size_t i) { return SystemConstantTable[i].value; }
};

struct Row {
  const char* text;
  const char* message;
};

void Expect(DrawingCommands* self, std::initializer_list<Row> rows, const char* prefix = "UseCurrentImage()\r") {
  (void)self;
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ([&] {
      SetImageDimensions(kH, kW, 1);
      ImagePixels.assign(size_t(kW) * kH, 0x00406080u);
      tk::setRichText(496, std::string(prefix) + r.text);
      tk::test::clear();
      for (int i = 0; i < 3; ++i) tk::test::queueResult(tk::ResultOk);
      RunScript(496, 0);
      const std::vector<std::string> boxes = tk::test::shown();
      tk::test::clear();
      if (boxes.empty()) return std::string();
      const size_t bar = boxes[0].find('|');
      return boxes.size() == 1 && bar != std::string::npos ? boxes[0].substr(bar + 1) : "<" + boxes[0] + ">";
    }(), std::string(r.message));
  }
}

TEST_F(DrawingCommands, ColourAndSettingChecks) {
  Expect(this, {
      {"Color(1,2,256)", "Blauwert muss zwischen 0 und 255 liegen"},
      {"Color(1,2)", "Falsche Anzahl an Parametern"},
      {"HexColor(\"00ff00\")", "Syntaxerror"},
      {"HexColor(12)", "Hier wird ein String erwartet"},
      {"SetFillMode(12)", ""},
      {"SetFillMode(13)", "Falscher Parameter"},
      {"SetFillMode(-1)", "Falscher Parameter"},
      {"SetTransparency(256)", "Der angegebene Wert muss zwischen 0 und 255 liegen"},
      {"SetDrawSteps(0)", "Der angegebene Wert muss mindestens 1 sein"},
      {"SetDrawWidth(0)", "Der angegebene Wert muss mindestens 1 sein"},
      {"SetDrawForm(\"Forms\\\\Nichts.df\")", "ZeichenForm nicht gefunden"},
      {"PaletteColor(1)", ""},
      {"PaletteColor(1,2)", "Falsche Anzahl an Parametern"},
      {"GetColor(\"a\",1)", "Angegebener Punkt ausserhalb des Bereichs"},
      {"GetColor(25,1)", "Angegebener Punkt ausserhalb des Bereichs"},
      {"SetRedPoint(1,21,5)", "Angegebener Punkt ist ausserhalb des Bereichs"},
      {"SetRedPoint(1,1,256)", "Der Farbwert muss zwischen 0 und 255 liegen"},
      {"Point(1,1)", "Keine Funktion zugewiesen"},
      {"EndMark(0)", "Mark muss aufgerufen werden, bevor endmark aufgerufen werden kann"},
      {"FreeMark(2,2)\rEndMark(0)", "Markierung muss abgeschlossen werden,bevor darauf Funktionen ausgeführt werden können"},
      {"FreeMark(2,2)\rBlur_Up_Marked()", "Markierung muss abgeschlossen werden,bevor darauf Funktionen ausgeführt werden können"},
      {"CloseFreeMark()", "Kein Frei markierter Bereich"},
      {"CircleMark(24,20,40)\rEndMark(0)", ""},
      {"CircleMark(25,20,4)", "Einer oder mehrere der angegebenen Punkte ausserhalb des Bildes"},
      {"MagicStick(1,21,5)", "Einer der angegebenen Punkte liegt ausserhalb des Bildes"},
      {"PasteBitmap(1,1,\"fehlt.png\")", "Datei nicht gefunden"},
  });
}

TEST_F(DrawingCommands, ColoursReachTheDrawingColourAndConstants) {
  Pattern();
  EXPECT_EQ(Message("HexColor(\"FF\")"), "");
  EXPECT_EQ(int(Rot), 0);
  EXPECT_EQ(int(Gruen), 0);
  EXPECT_EQ(int(Blau), 255);
  EXPECT_EQ(Message("HexColor(\"12A0B0C0\")"), "");
  EXPECT_EQ(int(Rot), 0xA0);
  EXPECT_EQ(int(Gruen), 0xB0);
  EXPECT_EQ(int(Blau), 0xC0);
  EXPECT_EQ(Message("UseCurrentImage()\rGetColor(2,3)"), "");
  const PixelCell c = ImagePixels[2 * kW + 1];
  EXPECT_EQ(int(Rot), int((c >> 16) & 0xFF));
  EXPECT_EQ(int(Blau), int(c & 0xFF));
  EXPECT_EQ(Message("UseCurrentImage()\rSetGreenPoint(2,3,77)"), "");
  EXPECT_EQ(int((ImagePixels[2 * kW + 1] >> 8) & 0xFF), 77);

  // The extremes are shown as plain channel values.
  Pattern(0x00C81E05u);   // red 200, green 30, blue 5
  ImagePixels[0] = 0x00FA0A01u;
  EXPECT_EQ(Message("UseCurrentImage()\rUpdateAverageColors()"), "");
  EXPECT_EQ(Constant(8), "200");
  EXPECT_EQ(Constant(9), "10");
  EXPECT_EQ(Constant(10), "1");
  EXPECT_EQ(Constant(14), "250");
  EXPECT_EQ(Constant(15), "30");
  EXPECT_EQ(Constant(16), "5");
  EXPECT_EQ(Constant(11), std::to_string(AllRot & 0xFF));
}

TEST_F(DrawingCommands, PaintingChecks) {
  Expect(this, {
      {"Plot(25,1)", "Angegebener Punkt ausserhalb des Bereichs"},
      {"Fill(1,1,256,0)", "Tolleranzwert muss zwischen 0 und 255 liegen"},
      {"Line(1,1,5,5,3,2)", "Formparameter muss 0(#cvn_box) oder 1(#cvn_circle) sein"},
      {"Line(1,1,5,5,-1,0)", "Breite muss positiv sein"},
      {"Line(1,1,50,50,3,0)", ""},
      {"Circle(5,5,3,2)", "Formstatus muss 0 oder 1 sein"},
      {"Ellipse(5,5,3,2,2)", "Formstatus muss 0 oder 1 sein"},
      {"Rhombus(5,5,3,2,1)", ""},
      {"Box(1,1,2,2,2)", "Form muss 0(#cvn_box) oder 1(#cvn_circle) sein"},
      {"Spray(5,5,0,0,0)", "Negative Breite und 0 nicht möglich"},
      {"Spray(5,5,-1,0,3)", "Negative Menge nicht möglich"},
      {"Spray(5,5,0,1,3)", ""},
      {"FreePaint(2,2)\rBrush(3,3)", "Letzte Zeichenoperation noch nicht beendet"},
      {"FreePaint(2,2)\rEndBrush()\rBrush(3,3)\rEndSmear()", ""},
      {"Rubber(2,2,-1,0)", "Breite kann nicht negativ sein"},
      {"Rubber(2,2,3,2)", "Form muss 0(#cvn_box) oder 1(#cvn_circle) sein"},
      {"FreeMark(2,2)\rFreePaint(3,3)", "Mittels CloseFreeMark() muss  die Markierung zuvor abgeschlossen werden"},
      {"Resize(1,20,0,1,1,0,0,0)", "Die angegebene Größe muss zwischen 0 udn 3999 liegen"},
      {"Resize(30,20,2,1,1,0,0,0)", "Modus muss zwischen 0 und 1 liegen"},
      {"Resize(30,20,0,99,99,999,0,0)", ""},
      {"Resize(30,20,1,1,1,0,0,256)", "Blauwert muss zwischen 0 und 255 liegen"},
      {"Resize(30,20,1,8,1,0,0,0)", "'x' muss zwischen 1 und der Differenz von alter und neuer Bildlänge liegen"},
      {"Resize(30,22,1,7,4,0,0,0)", "'y' muss zwischen 1 und der Differenz von alter und neuer Bildhöhe liegen"},
      {"FreePaint(2,2)\rResize(30,20,0,1,1,0,0,0)", "Zeichenoperationen müssen vor dem Resizen beendet werden"},
  });
  SetImageDimensions(kH, kW, 1);
  EXPECT_EQ(Message("UseCurrentImage()\rResize(4000,20,0,1,1,0,0,0)"), "");
  EXPECT_EQ(bildlang, 3999);
}

TEST_F(DrawingCommands, ShapesMatchTheTools) {
  // Line: option 467 + width, so the half-width is (width + 1) / 2.
  for (int w : {0, 1, 2, 3}) {
    SCOPED_TRACE(w);
    Pattern(0);
    EXPECT_EQ(Message("UseCurrentImage()\rColor(255,255,255)\rLine(3,4,20,12," + std::to_string(w) + ",0)"), "");
    const std::vector<PixelCell> got = Colours();
    Pattern(0);
    Rot = Gruen = Blau = 255;
    UpdateColourRatios();
    DrawLine(2, 3, 19, 11, 0, 0, 0, 1.0f, 467 + w);
    EXPECT_EQ(got, Colours());
  }
  // A 2 x 2 box covers 3 x 3 cells from its corner, taken as given.
  Pattern(0);
  EXPECT_EQ(Message("UseCurrentImage()\rColor(255,255,255)\rBox(1,1,2,2,0)"), "");
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      EXPECT_EQ(ImagePixels[size_t(y) * kW + x] & 0xFFFFFFu, (x >= 1 && x <= 3 && y >= 1 && y <= 3) ? 0xFFFFFFu : 0u)
          << x << "," << y;
}

TEST_F(DrawingCommands, FilesAndTheirTypes) {
  Pattern();
  Expect(this, {
      {"SaveBitmap(\"a.jpeg\",5)", "Falsches Dateiformat"},
      {"SaveBitmap(\"ord.ner\\\\bild\",5)", "Falsches Dateiformat"},
      {"SaveBitmap(\"a.png\",11)", "Kompression muss zwischen 0 und 10 liegen"},
      {"SaveBitmap(1,5)", "Dateipfad muss ein String, Kompression ein Wert sein."},
      {"SaveStructure(\"a.png\")", "Falsches Dateiformat"},
      {"SaveDrawForm(\"a.dff\")", "Falsches Dateiformat"},
      {"FreeImage()\rOpenBitmap(\"fehlt.jpeg\")", "Datei nicht gefunden"},
      {"FreeImage()\rFreeImage()", "Es ist kein Bild vorhanden, welches freigegeben werden könnte"},
      {"OpenBitmap(\"a.png\")", "Kein Bild zum Laden da"},
  });
  EXPECT_EQ(Message("SaveBitmap(\"a.png\",0)"), "Kein Bild zum Speichern da");
  Pattern();
  EXPECT_EQ(Message("UseCurrentImage()\rSaveBitmap(\"a.Jpg\",7)\rSaveBitmap(\"b.png\",0)"), "");
  EXPECT_TRUE(std::filesystem::exists(folder + "a.Jpg"));
  EXPECT_TRUE(std::filesystem::exists(folder + "b.png"));
  EXPECT_EQ(ImageRecords[size_t(CurrentImage)].compression, 7);
  std::filesystem::copy_file(folder + "b.png", folder + "b.jpeg");
  EXPECT_EQ(Message("OpenBitmap(\"b.jpeg\")"), "Falsches Dateiformat");
  const std::vector<PixelCell> saved = Colours();
  Pattern(0);
  EXPECT_EQ(Message("OpenBitmap(\"b.png\")\rFreeImage()\rOpenBitmap(\"b.png\")"), "");
  EXPECT_EQ(Colours(), saved);
}

TEST_F(DrawingCommands, LocateNestingAndRoundTrip) {
  Expect(this, {
      {"MinLocate(0,1)", "Die angegebenen Werte müssen zwischen 0 und der breite/Höhe des Gesamtbildes betragen"},
      {"MinLocate(2,2)\rMinLocate(2,2)", "EndMinLocate muss aufgerufen werden,bevor MinLocate erneut aufgerufen werden kann"},
      {"EndMinLocate()", "MinLocate muss aufgerufen werden,bevor EndMinLocate aufgerufen werden kann"},
      {"EndMaxLocate()", "MaxLocate muss aufgerufen werden, bevor EndMaxLocate aufgerufen werden kann"},
      {"MaxLocate(10,10)\rMinLocate(2,2)\rEndMaxLocate()", "Abfolgefehler"},
      {"MinLocate(2,2)\rMaxLocate(5,5)\rEndMinLocate()", "EndMaxLocate fehlt"},
      {"MaxLocate(10,10)\rMinLocate(2,2)\rEndMinLocate()\rEndMaxLocate()", ""},
      {"Mark(1,1,2,2)\rMinLocate(2,2)", "Der Markierte Bereich muss vor Minlocate geschlossen werden"},
      {"MaxLocate(25,1)", "Die angegebenen Werte müssen zwischen 0 und der Breite/Höhe des Gesamtbildes betragen"},
  });
  // Round trip: only the region is filled, the image keeps its size.
  Pattern();
  const std::vector<PixelCell> before = Colours();
  EXPECT_EQ(Message("UseCurrentImage()\rMinLocate(24,20)\rUpdateConstants()\rFillImage(1,2,3)\rEndMinLocate()"), "");
  EXPECT_EQ(bildlang, kW - 1);
  EXPECT_EQ(bildhoch, kH - 1);
  std::vector<PixelCell> want = before;
  want.back() = 0x010203u;
  EXPECT_EQ(Colours(), want);
  EXPECT_EQ(Constant(3), "1");
  Pattern();
  EXPECT_EQ(Message("UseCurrentImage()\rMinLocate(21,17)\rFillImage(9,9,9)\rEndMinLocate()"), "");
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      ASSERT_EQ(ImagePixels[size_t(y) * kW + x] & 0xFFFFFFu,
                (x >= 20 && y >= 16) ? 0x090909u : before[size_t(y) * kW + x]);
}

TEST_F(DrawingCommands, LocateLeftOpenIsWrittenBackWithTheWarning) {
  Pattern();
  const std::vector<PixelCell> before = Colours();
  const std::vector<std::string> boxes = Script("UseCurrentImage()\rMaxLocate(2,2)\rFillImage(5,5,5)");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].substr(0, boxes[0].find('|')), "Offene Schleifen/Funktionen");
  EXPECT_EQ(bildlang, kW - 1);
  EXPECT_EQ(bildhoch, kH - 1);
  std::vector<PixelCell> want = before;
  want[0] = want[1] = want[kW] = want[kW + 1] = 0x050505u;
  EXPECT_EQ(Colours(), want);
}

// A picture opened, marked, five area effects and two whole-image effects, a line and a
// box, saved: the same picture as the same steps called directly.
TEST_F(DrawingCommands, ScriptMatchesTheDirectSteps) {
  Pattern();
  ASSERT_EQ(SaveBitmap(folder + "src.png", 1), 1);
  const std::string text =
      "OpenBitmap(\"src.png\")\rMark(3,4,10,8)\rColorTurn_Marked()\rBlur_Up_Marked()\rSetRedColors_Marked(9)\r"
      "Mirror_X_Marked()\rBars_Marked(2)\rEndMark(0)\rShadow()\rMirror_Y()\rColor(255,0,0)\r"
      "Line(1,1,20,15,3,0)\rBox(2,2,4,5,1)\rSaveBitmap(\"out.png\",0)";
  Pattern(0);
  EXPECT_EQ(Message(text), "");
  const std::vector<PixelCell> scripted = Colours();

  ASSERT_EQ(LoadPngImage(folder + "src.png"), 1);
  startx = 2;
  starty = 3;
  arealang = 9;
  areahoch = 7;
  AreaPixels.assign(80, 0);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) AreaPixels[size_t(y) * 10 + x] = (ImagePixels[size_t(3 + y) * kW + 2 + x] & 0xFFFFFFu) | 0x01000000u;
  areamark = 1;
  areacolororder = 1;
  ColorTurn_Marked(1);
  Blur_Up_Marked(1);
  SetRedColors_Marked(9, 1);
  Mirror_X_Marked(1);
  BarsLeft_Marked(1);
  const int32_t h = horz, v = vert;
  horz = vert = 0;
  MergeAreaIntoImage(130);
  horz = h;
  vert = v;
  areamark = 0;
  Shadow(1);
  Mirror_Y(1);
  Rot = 255;
  Gruen = Blau = 0;
  UpdateColourRatios();
  DrawLine(0, 0, 19, 14, 0, 0, 0, 1.0f, 470);
  ::Box(2, 2, 4, 5, 0, 0, 479, 0, 1.0f, 1);
  const std::vector<PixelCell> direct = Colours();
  EXPECT_EQ(scripted, direct);
  ASSERT_EQ(LoadPngImage(folder + "out.png"), 1);
  EXPECT_EQ(Colours(), direct);
}

TEST_F(DrawingCommands, TextBlendsTheBoxAndChecksItsSize) {
  const std::vector<std::string> families = tk::fontFamilies();
  ASSERT_FALSE(families.empty());
  const std::string font = "\"" + families[0] + "\"";
  struct C { int transparency; PixelCell inside; };
  // Empty text: only the blend of the box with the colour (100, 150, 200) shows.
  const C cases[] = {{0, 0x00406080u}, {100, 0x006496C8u}, {50, 0x00527BA4u}};
  for (const C& c : cases) {
    SCOPED_TRACE(c.transparency);
    Pattern(0x00406080u);
    EXPECT_EQ(Message("UseCurrentImage()\rText(3,4,5,6,\"\"," + font + ",12,0," + std::to_string(c.transparency) +
                      ",100,150,200)"),
              "");
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        ASSERT_EQ(ImagePixels[size_t(y) * kW + x] & 0xFFFFFFu,
                  (x >= 2 && x < 7 && y >= 3 && y < 9) ? c.inside : 0x00406080u)
            << x << "," << y;
  }
  // Text in the drawing colour changes cells inside the box only.
  Pattern(0);
  EXPECT_EQ(Message("UseCurrentImage()\rColor(255,255,255)\rText(2,2,20,16,\"W\"," + font + ",14,256,0,0,0,0)"), "");
  int lit = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      if (ImagePixels[size_t(y) * kW + x] & 0xFFFFFFu) {
        ++lit;
        EXPECT_TRUE(x >= 1 && x < 21 && y >= 1 && y < 17) << x << "," << y;
      }
  EXPECT_GT(lit, 0);
  Expect(this, {
      {("Text(20,1,6,2,\"a\"," + font + ",12,0,0,0,0,0)").c_str(),
       "Masse des Schreibbereichs müssen zwischen 1 und der Größe des Bildes - den Anfangskoordinaten des Bereichs"},
      {("Text(0,1,6,2,\"a\"," + font + ",12,0,0,0,0,0)").c_str(), "Bereich ausserhalb des Bildes"},
      {("Text(1,1,6,2,\"a\"," + font + ",201,0,0,0,0,0)").c_str(), "'Größe' muss zwischen 1 und 200 liegen"},
      {("Text(1,1,6,2,\"a\"," + font + ",12,0,0,256,0,0)").c_str(), "'Rotwert muss zwischen 0 und 255 liegen"},
      {"Text(1,1,6,2,5,\"x\",12,0,0,0,0,0)", "Hier wird ein String verlangt"},
  });
}

TEST_F(DrawingCommands, StretchKeepsTheImageWhenThePointStays) {
  for (const char* text : {"Stretch(5,6,5,6)", "Stretch(0,0,0,0)", "Stretch(23,19,23,19)"}) {
    SCOPED_TRACE(text);
    Pattern();
    const std::vector<PixelCell> before = Colours();
    EXPECT_EQ(Message(std::string("UseCurrentImage()\r") + text), "");
    EXPECT_EQ(Colours(), before);
  }
  Pattern();
  EXPECT_EQ(Message("UseCurrentImage()\rStretch(0,0,10,8)"), "");   // a split at the edge: no empty parts
  EXPECT_EQ(bildlang, kW - 1);
  EXPECT_EQ(Message("UseCurrentImage()\rStretch(24,0,0,0)"), "Einer der Punkte ist ausserhalb des Bereichs");
}

}  // namespace
