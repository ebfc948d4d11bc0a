// Effect commands run through RunScript: per command the order of its checks and their
// messages, and that a passing command gives exactly the picture of the effect called
// directly with quiet 1 (the run's own undo point is the only one made).
#include <gtest/gtest.h>

#include <functional>

#include "documents/documents.h"
#include "effects/effects.h"
#include "script/script.h"
#include "shell/loops_fixture.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

constexpr int kW = 24, kH = 20;
// The marked rectangle of the marked rows: script Mark(3, 4, 10, 8).
constexpr int kAx = 2, kAy = 3, kAw = 10, kAh = 8;

class EffectCommands : public ::testing::Test {
 public:
  void SetUp() override {
    loops_test::EnsureProgramStarted();
    VariableList.clear();
    InvalidateVariableIndex();
    tk::test::clear();
    tk::drainEvents();
    colororder = 1;
  }
  void TearDown() override {
    tk::test::clear();
    StructureSectionOpen = 0;
  }
  // A picture with every channel varying, so that moves, turns and mirrors all show.
  static void Pattern() {
    SetImageDimensions(kH, kW, 1);
    ImagePixels.assign(size_t(kW) * kH, 0);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        ImagePixels[size_t(y) * kW + x] = PixelCell((x * 11 + y * 3) & 0xFF) | PixelCell((x * y * 7) & 0xFF) << 8 |
                                          PixelCell((200 - x * 5 + y * 9) & 0xFF) << 16;
    colororder = 1;
    areacolororder = 1;
  }
  // Runs the text; returns the boxes shown as "title|text".
  static std::vector<std::string> Script(const std::string& text) {
    tk::setRichText(496, text);
    tk::test::clear();
    for (int i = 0; i < 3; ++i) tk::test::queueResult(tk::ResultOk);
    tk::randomSeed(7);
    RunScript(496, 0);
    std::vector<std::string> shown = tk::test::shown();
    tk::test::clear();
    return shown;
  }
  // The image after `direct` on the pattern, with an area lifted as Mark lifts it when
  // `marked`, and merged back as EndMark(0) does.
  static std::vector<PixelCell> Direct(const std::function<void()>& direct, bool marked) {
    Pattern();
    tk::randomSeed(7);
    if (marked) {
      startx = kAx;
      starty = kAy;
      arealang = kAw - 1;
      areahoch = kAh - 1;
      AreaPixels.assign(size_t(kAw) * kAh, 0);
      for (int y = 0; y < kAh; ++y)
        for (int x = 0; x < kAw; ++x)
          AreaPixels[size_t(y) * kAw + x] = (ImagePixels[size_t(kAy + y) * kW + kAx + x] & 0xFFFFFFu) | 0x01000000u;
      areamark = 1;
    }
    direct();
    if (marked) {
      const int32_t h = horz, v = vert;
      horz = vert = 0;
      MergeAreaIntoImage(130);
      horz = h;
      vert = v;
      areamark = 0;
    }
    return ImagePixels;
  }
};

struct Case {
  const char* line;       // the command statement
  const char* message;    // "" when it passes
  std::function<void()> direct;
};

const char* const kNoImage =
    "Es muss ein Bild,Icon oder Cursor  erstellt werden,\rbevor irgendwelche Operationen darauf ausgeführt "
    "werden können";

void RunCases(EffectCommands* self, const std::vector<Case>& cases, bool marked) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const std::string name = std::string(c.line).substr(0, std::string(c.line).find('('));
    // Without an image every command stops with the image message first.
    EffectCommands::Pattern();
    const std::vector<PixelCell> before = ImagePixels;
    std::vector<std::string> boxes = EffectCommands::Script(std::string(c.line) + "\r");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(name == "Waves" || name == "Waves_Marked"
                                ? "Es muss ein Bild, Icon oder Cursor erstellt werden,"
                                : kNoImage),
              std::string::npos)
        << boxes[0];
    EXPECT_EQ(ImagePixels, before);

    EffectCommands::Pattern();
    const int32_t undoBefore = undostate;
    const std::string text = marked ? "UseCurrentImage()\rMark(3,4,10,8)\r" + std::string(c.line) + "\rEndMark(0)\r"
                                    : "UseCurrentImage()\r" + std::string(c.line) + "\r";
    boxes = EffectCommands::Script(text);
    if (*c.message) {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0], "Fehler in Zeile " + std::to_string(marked ? 3 : 2) + " : " + name + "|" + c.message);
      EXPECT_EQ(ImagePixels, before);   // the failed run is stepped back
      continue;
    }
    EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : boxes[0]);
    // Only the run's undo point (the store is a ring of ten): the effect ran quietly.
    EXPECT_EQ(undostate, undoBefore >= 10 ? 1 : undoBefore + 1);
    const std::vector<PixelCell> got = ImagePixels;
    const int32_t gotW = bildlang, gotH = bildhoch;
    const std::vector<PixelCell> want = EffectCommands::Direct(c.direct, marked);
    EXPECT_EQ(gotW, bildlang);
    EXPECT_EQ(gotH, bildhoch);
    EXPECT_TRUE(got == want);
  }
}

TEST_F(EffectCommands, WholeImageChecksAndCalls) {
  const char* e = "Hier wird ein numerischer Wert erwartet";
  const char* v = "Hier wird ein numerischer Wert verlangt";
  const std::vector<Case> cases = {
      {"FillImage(10,20,30)", "", [] { FillImage(10, 20, 30, 1); }},
      {"FillImage(255,0,256)", "Farbwerte müssen zwischen 0 und 255 liegen", {}},
      {"FillImage(255,0)", "Falsche Anzahl an Parametern", {}},
      {"FillImage(\"a\",0,0)", e, {}},
      {"Attributes(10,-5,3,4,5)", "", [] { Attributes(10, -5, 3, 4, 5, 1); }},
      {"Attributes(10,-5,3,4,128)", "Die angegebenen Werte müssen zwischen -128 und 127 liegen", {}},
      {"Attributes(\"x\",0,0,0,0)", v, {}},
      {"BiChromaticDithering(0,0,0,255,255,255)", "", [] { BiChromaticDithering(0, 0, 0, 255, 255, 255, 1); }},
      {"BiChromaticDithering(0,0,0,255,255,256)", "Farbwerte müssen zwischen 0 und 255 liegen", {}},
      {"ColorTurn(7)", "", [] { ColorTurn(1); }},
      {"XtremeColors()", "", [] { XtremeColors(1); }},
      {"Corny(128)", "", [] { Corny(128, 1); }},
      {"Corny(129)", "Maximaler Wert 128", {}},
      {"Chess(100)", "", [] { Chess(100, 0, 1); }},
      {"Chess(101)", "Maximaler Wert 100", {}},
      {"Chess(0)", "Der angegebene Wert muss zwischen 1 und 100 liegen", {}},
      {"ChessCircle(0)", "Der angegebene Wert muss zwischen 1 und 100 liegen", {}},
      {"ChessCircle(7)", "", [] { ChessCircle(7, 1); }},
      {"Wind_Left(5)", "", [] { Wind_Left(5, 1); }},
      {"Wind_Up(0)", "Der angegebene Wert muss zwischen 1 und 100 liegen", {}},
      {"Coloring(0,0,0)", "", [] { Coloring(0, 0, 0, 1); }},
      {"Coloring(0,256,0)", "Die angegebenen Werte müssen zwischen 0 und 255 liegen", {}},
      {"UnClear(12.9)", "", [] { UnClear(12, 1); }},
      {"SpecialEffect(4)", "Der angegebene Wert muss zwischen 1 und 3 liegen", {}},
      {"SpecialEffect(2)", "", [] { SpecialEffect(2, 1); }},
      {"Blur_Right()", "", [] { Blur_Right(1); }},
      {"Mirror_Y()", "", [] { Mirror_Y(1); }},
      {"Colormove(-3,0,0,0,0,2)", "",
       [] {
         Colormove(3, 0, 0, 2, 1, 1, 1);
         Colormove(0, 0, 2, 3, 3, 3, 1);
       }},
      {"Colormove(-11,0,0,0,0,2)", "Die angegebenen Werte müssen zwischen -10 und 10 liegen", {}},
      {"Shadow()", "", [] { Shadow(1); }},
      {"SetGreenColors(256)", "Gruenwert muss zwischen 0 und 255 liegen", {}},
      {"SetBlueColors(40)", "", [] { SetBlueColors(40, 1); }},
      {"SetColorspec(0,255,0,0,255,0,0,127,0)", "Blaumaximum muss zwischen 128 und 255 liegen", {}},
      {"SetColorspec(0,255,0)", "Falsche Anzahl an Parametern", {}},
      {"SetColorspec(10,200,5,0,255,0,20,230,-5)", "",
       [] { SetColorspec(10, 200, 5, 0, 255, 0, 20, 230, -5, 1); }},
      {"GreenDataFromRedData()", "", [] { GreenDataFromRedData(1); }},
      {"Linedouble_mirror()", "", [] { Linedouble_mirror(1); }},
      {"Bars(3)", "", [] { BarsUp(1); }},
      {"Bars(0)", "Maximaler Wert 4", {}},
      {"Bars(5)", "Maximaler Wert 4", {}},
      {"ColorBars(1,2,3)", "", [] { ColorBars(1, 2, 3, 1); }},
      {"ColorBars(\"a\",2,3)", e, {}},
      {"Softdraw(20)", "", [] { SoftSharpDraw(1, 20); }},
      {"Softdraw(128)", "", [] { SoftSharpDraw(1, 127); }},
      {"Sharpdraw(20)", "", [] { SoftSharpDraw(1, -20); }},
      {"Sharpdraw(129)", "Maximaler Wert 128", {}},
      {"Waves(10,0,5,12,0,6)", "", [] { Waves(5, 10, 6, 12, 0, 0, 1); }},
      {"Waves(1,0,5,10,0,5)", "Die Breite muss größer als 1 sein", {}},
      {"Waves(10,0,5,10,101,5)", "Der AnfangsWert für die Höhe muss zwischen 100 und -100 liegen", {}},
      {"BlowUp(2,3)", "", [] { BlowUp(2, 3, 1); }},
      {"MoveImage(-2,3)", "", [] { MoveImage(-2, 3, 1); }},
      {"Implode(500)", "", [] { Implode(200, 1); }},
      {"Whirl_Left(30)", "", [] { Whirl_Left(30, 1); }},
      {"OwnEffect(\"#x\",\"#y+1\")", "", [] { OwnEffect("\"#x\"", "\"#y+1\"", 1); }},
      {"OwnEffect(1,\"#y\")", e, {}},
      {"Turn_90()", "", [] { Turn_90(1); }},
  };
  RunCases(this, cases, false);
}

TEST_F(EffectCommands, MarkedChecksAndCalls) {
  const char* e = "Hier wird ein numerischer Wert erwartet";
  const std::vector<Case> cases = {
      {"FillImage_Marked(1,2,3)", "", [] { FillImage_Marked(1, 2, 3, 1); }},
      {"FillImage_Marked(1,2,256)", "Farbwerte müssen zwischen 0 und 255 liegen", {}},
      {"Attributes_Marked(5,5,5,5,5,101)", "Transparenzwert muss zwischen 0 und 100 liegen", {}},
      {"Attributes_Marked(5,-5,7,0,0,30)", "", [] { Attributes_Marked(5, -5, 7, 0, 0, 30, 1); }},
      {"ColorTurn_Marked()", "", [] { ColorTurn_Marked(1); }},
      {"Blur_Up_Marked()", "", [] { Blur_Up_Marked(1); }},
      {"Turn_90_Marked()", "", [] { Turn_90_Marked(1); }},
      {"Corny_Marked(128)", "Der angegebene Wert muss zwischen 0 und 127 liegen", {}},
      {"UnClear_Marked(3)", "", [] { UnClear_Marked(3, 1); }},
      {"Chess_Marked(0)", "Der angegebene Wert muss zwischen 1 und 100 liegen", {}},
      {"Chess_Marked(3)", "", [] { Chess(3, 1, 1); }},
      {"Wind_Down_Marked(4)", "", [] { Wind_Down_Marked(4, 1); }},
      {"Coloring_Marked(0,300,0)", "Der Gruenwert muss zwischen 0 und 255 liegen", {}},
      {"SpecialEffect_Marked(\"a\")", e, {}},
      {"GBR_Marked()", "", [] { areacolororder = uint8_t(GBR_Marked(areacolororder, 1)); }},
      {"Colormove_Marked(2,-1,0,0,-4,3)", "",
       [] {
         Colormove_Marked(2, 0, 4, 1, 1, 2, 1);
         Colormove_Marked(1, 0, 3, 4, 3, 3, 1);
       }},
      {"SetColorspec_Marked(0,255,0,0,255,0,0,127,0)", "Blaumaximum muss zwischen 128 und 255 liegen", {}},
      {"SetColorspec_Marked(0,255,0,0,255,51,0,255,0)", "Gruenwende muss zwischen -50 und 50 liegen", {}},
      {"SetRedColors_Marked(9)", "", [] { SetRedColors_Marked(9, 1); }},
      {"BlueDataFromGreenData_Marked()", "", [] { BlueDataFromGreenData_Marked(1); }},
      {"Incircle_Marked()", "", [] { Incircle_Marked(1); }},
      {"Bars_Marked(5)", "Der angegebene Wert muss zwischen 1 und 4 liegen", {}},
      {"Bars_Marked(2)", "", [] { BarsLeft_Marked(1); }},
      {"ColorBars_Marked(1,256,3)", "Der Gruenwert muss zwischen 0 und 255 liegen ", {}},
      {"Softdraw_Marked(\"x\")", "", [] { SoftSharpDraw_Marked(0, 1); }},
      {"Sharpdraw_Marked(20)", "", [] { SoftSharpDraw_Marked(-20, 1); }},
      {"Sharpdraw_Marked(128)", "Der angegebene Wert muss zwischen 0 und 127 liegen", {}},
      {"Waves_Marked(1,5,0,10,5,0)", "Die Breite muss größer als 1 sein", {}},
      {"Waves_Marked(10,5,0,12,6,-101)", "Der AnfangsWert für die Höhe muss zwischen 100 und -100 liegen", {}},
      {"Waves_Marked(10,5,1,12,6,-3)", "", [] { Waves_Marked(5, 10, 6, 12, -3, 1, 1); }},
      {"BlowUp_Marked(1,2)", "", [] { BlowUp_Marked(1, 2, 1); }},
      {"Implode_Marked(300)", "", [] { Implode_Marked(200, 1); }},
      {"OwnEffect_Marked(\"#y\",\"#x\")", "", [] { OwnEffect_Marked("\"#y\"", "\"#x\"", 1); }},
  };
  RunCases(this, cases, true);
}

TEST_F(EffectCommands, MarkedCommandsRefuseWithoutAnArea) {
  struct C { const char* line; const char* message; };
  const C cases[] = {
      {"ColorTurn_Marked()", "Kein Bereich markiert"},
      {"Waves_Marked(10,5,0,10,5,0)", "Kein markierter Bereich vorhanden"},
      {"FillImage_Marked(1,2,3)", "Kein Markierter Bereich vorhanden"},
      {"Wind_Up_Marked(5)", "Kein Bereich markiert"},
      {"RedDataFromBlueData_Marked()", "Kein Bereich markiert"},
      {"Implode_Marked(5)", "Kein markierter Bereich vorhanden"},
  };
  for (const C& c : cases) {
    SCOPED_TRACE(c.line);
    Pattern();
    const std::vector<std::string> boxes = Script("UseCurrentImage()\r" + std::string(c.line));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(std::string("|") + c.message), std::string::npos) << boxes[0];
  }
}

TEST_F(EffectCommands, ChannelSwitchesHoldOutAndBringBack) {
  Pattern();
  const std::vector<PixelCell> before = ImagePixels;
  EXPECT_TRUE(Script("UseCurrentImage()\rRedAway()").empty());
  for (PixelCell c : ImagePixels) ASSERT_EQ(c & 0xFF0000u, 0u);
  EXPECT_TRUE(Script("UseCurrentImage()\rRedBack()").empty());
  EXPECT_EQ(ImagePixels, before);
}

TEST_F(EffectCommands, ChannelOrderCommandsTrackTheOrder) {
  Pattern();
  const std::vector<PixelCell> before = ImagePixels;
  EXPECT_TRUE(Script("UseCurrentImage()\rRBG()\rRBG()").empty());
  EXPECT_EQ(colororder, 2);
  const std::vector<PixelCell> once = Direct([] { colororder = uint8_t(RBG(colororder, 1)); }, false);
  Pattern();
  EXPECT_TRUE(Script("UseCurrentImage()\rRBG()\rRBG()").empty());
  EXPECT_EQ(ImagePixels, once);
  EXPECT_TRUE(Script("UseCurrentImage()\rRGB()").empty());
  EXPECT_EQ(ImagePixels, before);
  EXPECT_EQ(colororder, 1);
}

TEST_F(EffectCommands, WholeImageTurnIsRefusedInsideAStructureSection) {
  Pattern();
  StructureSectionOpen = 1;   // as StructureSection leaves it while its section is open
  tk::setRichText(496, "UseCurrentImage()\rTurn_90()");
  tk::test::clear();
  tk::test::queueResult(tk::ResultOk);
  isimage = 0;
  // The run resets the section flag at its start, so the command is called on its own.
  isimage = 1;
  ScriptArgumentCount = 1;
  ScriptErrorLine = 1;
  ScriptErrorName = "Turn_90";
  const int32_t row = FindScriptCommand("Turn_90");
  ASSERT_GT(row, 0);
  ScriptCommandTable[row - 1].run();
  const std::vector<std::string> shown = tk::test::shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Fehler in Zeile 1 : Turn_90|In StructureSection nicht möglich");
  EXPECT_EQ(bildlang, kW - 1);
  isimage = 0;
  allok = 1;
}

TEST_F(EffectCommands, MarkBounds) {
  struct C { const char* line; const char* message; };
  const std::string outside = "Einer oder mehrere der angegebenen Punkte ausserhalb des Bildes";
  const C cases[] = {
      {"Mark(1,1,24,20)", ""},
      {"Mark(1,1,25,20)", outside.c_str()},
      {"Mark(1,1,24,21)", outside.c_str()},
      {"Mark(0,1,2,2)", outside.c_str()},
      {"Mark(1,0,2,2)", outside.c_str()},
      {"Mark(2,2,0,2)", outside.c_str()},
      {"Mark(2,2,3,-1)", outside.c_str()},
      {"Mark(2,2,3)", "Falsche Anzahl an Parametern"},
      {"Mark(2,2,3,\"a\")", "Hier wird ein Numerischer wert verlangt"},
  };
  for (const C& c : cases) {
    SCOPED_TRACE(c.line);
    Pattern();
    const std::vector<std::string> boxes = Script("UseCurrentImage()\r" + std::string(c.line) + "\rEndMark(0)");
    if (!*c.message) {
      EXPECT_TRUE(boxes.empty());
      continue;
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Fehler in Zeile 2 : Mark|" + std::string(c.message));
  }
  Pattern();
  std::vector<std::string> boxes = Script("UseCurrentImage()\rMark(1,1,2,2)\rMark(1,1,2,2)");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("|Der markierte Bereich muss geschlossen werden"), std::string::npos);
  Pattern();
  boxes = Script("UseCurrentImage()\rMark(1,1,2,2)\rEndMark(3)");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Fehler in Zeile 3 : EndMark|Randbearbeitung muss einen Wert zwischen 0 und 2 enthalten");
}

TEST_F(EffectCommands, ImageCommands) {
  Pattern();
  std::vector<std::string> boxes = Script("FreeImage()");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Fehler in Zeile 1 : FreeImage|Es ist kein Bild vorhanden, welches freigegeben werden könnte");
  boxes = Script("UseCurrentImage()\rCreateBitmap(2,2,0,1,2,3)");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("|Altes Bild muss gelöscht werden"), std::string::npos);
  boxes = Script("CreateBitmap(0,2,0,1,2,3)");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("|Die Länge/Höhe eines Bildes kann nicht negativ sein"), std::string::npos);
  boxes = Script("CreateBitmap(2,2,0,1,\"x\",3)");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("|Hier wird ein numerischer Wert erwartet"), std::string::npos);
  EXPECT_TRUE(Script("UseCurrentImage()\rFreeImage()\rCreateBitmap(3,2,0,1,2,3)").empty());
  EXPECT_EQ(bildlang, 2);
  EXPECT_EQ(bildhoch, 1);
  EXPECT_EQ(ImagePixels[0] & 0xFFFFFFu, 0x010203u);
}

}  // namespace
