// Script runs through RunScript on the real editor gadget after the real start-up:
// assignments, Dim, the dispatch, every block structure, the undo of a failed run, the
// end-of-run colour and the progress window.
#include <gtest/gtest.h>

#include "documents/documents.h"
#include "script/script.h"
#include "shell/loops_fixture.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

class Run : public ::testing::Test {
 protected:
  void SetUp() override {
    loops_test::EnsureProgramStarted();
    VariableList.clear();
    InvalidateVariableIndex();
    tk::test::clear();
    tk::drainEvents();
  }
  void TearDown() override { tk::test::clear(); }
  // Runs the text; returns the boxes shown ("title|text").
  static std::vector<std::string> Script(const std::string& text, uint8_t progress = 0, int answers = 3) {
    tk::setRichText(496, text);
    tk::test::clear();
    for (int i = 0; i < answers; ++i) tk::test::queueResult(tk::ResultOk);
    RunScript(496, progress);
    std::vector<std::string> shown = tk::test::shown();
    tk::test::clear();
    return shown;
  }
  static std::string Value(const std::string& name) {
    for (const ScriptVariable& v : VariableList)
      if (v.name == name) return v.value;
    return "<none>";
  }
  static std::string Lines(std::initializer_list<const char*> lines) {
    std::string s;
    for (const char* l : lines) s += std::string(l) + "\r";
    return s;
  }
};

TEST_F(Run, EmptyTextMakesTheUndoPointAndNothingElse) {
  const int32_t before = undostate;
  EXPECT_TRUE(Script("").empty());
  EXPECT_EQ(allok, 1);
  EXPECT_EQ(undostate, before + 1);
}

TEST_F(Run, AssignmentsAndVariablesOutliveTheRun) {
  EXPECT_TRUE(Script(Lines({"#a = 1+1", "#s = \"x\" + \"y\"", "#t = \"str\"", "#t = 5", "#w = 7, 8"})).empty());
  EXPECT_EQ(Value("a"), "2.000000");
  EXPECT_EQ(Value("s"), "\"xy\"");
  EXPECT_EQ(Value("t"), "5");
  EXPECT_EQ(Value("w"), "7");
  EXPECT_TRUE(Script("#b = #a*2").empty());
  EXPECT_EQ(Value("b"), "4.000000");
  for (const ScriptVariable& v : VariableList) {
    if (v.name == "s") EXPECT_EQ(v.kind, 1);
  }
}

TEST_F(Run, ErrorsNameLineAndStatementAndStopTheRun) {
  struct C { const char* text; const char* box; };
  const C cases[] = {
      {"#a=1\r\rZoom(1)\r#b=2", "Fehler in Zeile 3 : Zoom|Zoom() ist Kein Befehl und keine Variable"},
      {"Debug(\"a\")\r#b=2", "Fehler in Zeile 1 : Debug|Hier wird ein numerischer Wert erwartet"},
      {"Plot(1,1)\r#b=2",
       "Fehler in Zeile 1 : Plot|Es muss ein Bild,Icon oder Cursor  erstellt werden,\rbevor irgendwelche Operationen "
       "darauf ausgeführt werden können"},
      {"Sin(1,1)\r#b=2", "Fehler in Zeile 1 : Sin|Sin() ist Kein Befehl und keine Variable"},
      {"EndProcedure()\r#b=2", "Fehler in Zeile 1 : EndProcedure|EndProcedure() ist Kein Befehl und keine Variable"},
      {"#cvn_pi = 3\r#b=2", "Fehler in Zeile 1 : #cvn_pi|Systemkonstanten können nicht verändert werden"},
      {"#a = 1/0\r#b=2", "Fehler in Zeile 1 : #a|Dividieren durch 0?"},
      {"Procedure(P)\r#q=1/0\rEndProcedure()\rP()\r#b=2", "Fehler in Zeile 0 : #q|Dividieren"},
  };
  for (const C& c : cases) {
    SCOPED_TRACE(c.text);
    VariableList.clear();
    InvalidateVariableIndex();
    const auto shown = Script(c.text);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].substr(0, std::string(c.box).size()), c.box);
    EXPECT_EQ(allok, 0);
    EXPECT_EQ(Value("b"), "<none>");
  }
}

TEST_F(Run, Dim) {
  EXPECT_TRUE(Script("Dim(\"#f\", 2)\rDim(\"#g\", -1)\r#f[1] = 5\r#i = 2\r#f[#i] = #f[1]+1").empty());
  EXPECT_EQ(Value("f[0]"), "");
  EXPECT_EQ(Value("f[1]"), "5");
  EXPECT_EQ(Value("f[2]"), "6.000000");
  EXPECT_EQ(Value("f[3]"), "<none>");
  EXPECT_EQ(Value("g[0]"), "<none>");
  struct C { const char* text; const char* message; };
  const C cases[] = {
      {"Dim(\"#f\")", "Falsche anzahl an Parametern"},
      {"Dim(5, 2)", "Hier wird ein String erwartet"},
      {"Dim(\"#f\", \"2\")", "Hier wird ein numerischer Wert erwartet"},
      {"Dim(\"f\", 2)", "Variablen müssen mit '#' beginnen"},
      {"Dim(\"#f-g\", 2)", "Syntaxerror"},
      {"Dim(\"#h\", 2000000000)", "Zu viele Variablen"},
  };
  for (const C& c : cases) {
    SCOPED_TRACE(c.text);
    const auto shown = Script(c.text);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(c.message), std::string::npos) << shown[0];
  }
}

TEST_F(Run, AFailedRunIsUndoneButNotOneStoppedInPreprocessing) {
  const int32_t before = undostate;
  const std::vector<PixelCell> image = ImagePixels;
  EXPECT_EQ(Script("#a=1\rZoom()").size(), 1u);
  EXPECT_EQ(undostate, before);   // the run's undo point was taken back
  EXPECT_EQ(ImagePixels, image);
  const int32_t redo = RedoState;
  EXPECT_EQ(Script("#a=(1").size(), 1u);   // bracket error: no undo point, nothing undone
  EXPECT_EQ(undostate, before);
  EXPECT_EQ(RedoState, redo);
}

TEST_F(Run, DrawingColourStaysWithoutColourCommands) {
  Rot = 10;
  Gruen = 20;
  Blau = 30;
  EXPECT_TRUE(Script("#a=1").empty());
  EXPECT_EQ(Rot, 10);
  EXPECT_EQ(Gruen, 20);
  EXPECT_EQ(Blau, 30);
  EXPECT_EQ(SystemConstantTable[6].value, "20");
}

TEST_F(Run, ForLoops) {
  EXPECT_TRUE(Script(Lines({"#n = 0", "For(#i, 1, 3, 1)", "#n = #n+1", "#v[#n] = #i", "Next()"})).empty());
  EXPECT_EQ(Value("v[1]"), "1");
  EXPECT_EQ(Value("v[2]"), "2.000000");
  EXPECT_EQ(Value("v[3]"), "3.000000");
  EXPECT_EQ(Value("i"), "3.000000");
  EXPECT_TRUE(Script(Lines({"#n = 0", "For(#i, 3, 1, -1)", "#i = 100", "#n = #n+1", "Next()"})).empty());
  EXPECT_EQ(Value("n"), "3.000000");   // assigning the counter changes nothing
  EXPECT_TRUE(Script(Lines({"#n = 0", "For(#i, 2, 2, 1)", "#n = #n+1", "Next()"})).empty());
  EXPECT_EQ(Value("n"), "1.000000");
  struct C { const char* text; const char* message; };
  const C cases[] = {
      {"For(#i, 1, 3, -1)\rNext()", "DauerSchleife"},
      {"For(#i, 3, 1, 1)\rNext()", "DauerSchleife"},
      {"For(#i, 1, 3, 0)\rNext()", "ForSchleife mit 0 Schritten führt zu Dauerschleife"},
      {"For(#i, 1, 3)\rNext()", "Falsche Anzahl an Parametern"},
      {"For(i, 1, 3, 1)\rNext()", "SyntaxFehler"},
      {"For(#cvn_pi, 1, 3, 1)\rNext()", "SystemConstanten können nicht verändert werden"},
      {"For(#i, \"a\", 3, 1)\rNext()", "Ein numerischer Wert wird hier erwartet"},
      {"Next()", "Next ohne For"},
  };
  for (const C& c : cases) {
    SCOPED_TRACE(c.text);
    const auto shown = Script(c.text);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(c.message), std::string::npos) << shown[0];
  }
}

TEST_F(Run, NestingLimits) {
  auto nest = [](const char* open, const char* close, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += std::string(open) + "\r";
    for (int i = 0; i < n; ++i) s += std::string(close) + "\r";
    return s;
  };
  struct C { const char* open; const char* close; int limit; const char* message; };
  const C cases[] = {
      {"If(1,\"=\",1)", "EndIf()", 30, "Es können nicht mehr als 30 If-Verzweigungen ineinander Verschachtelt werden"},
      {"For(#i,1,1,1)", "Next()", 9, "Es können nicht mehr als 9 ForSchleifen ineinander verschachtelt werden"},
      {"Repeat()", "Until(1,\"=\",1)", 10, "Es können nicht mehr als 10 Repeat-Schleifen ineinander verschachtelt werden"},
      {"While(1,\"=\",1)", "Wend()\r#x=1\rUntil(1,\"=\",2)", 10, "Es können nicht mehr als 10 While-Schleifen"},
  };
  for (const C& c : cases) {
    SCOPED_TRACE(c.open);
    if (std::string(c.open).rfind("While", 0) == 0) {
      // Each While runs its body once: the Wend goes back, the test then fails... so
      // count the depth with a body that leaves at once.
      std::string s;
      for (int i = 0; i < c.limit; ++i) s += "While(#d" + std::to_string(i) + ",\"=\",0)\r#d" + std::to_string(i) + "=1\r";
      for (int i = 0; i < c.limit; ++i) s += "Wend()\r";
      EXPECT_TRUE(Script(s).empty());
      std::string t;
      for (int i = 0; i <= c.limit; ++i) t += "While(1,\"=\",1)\r";
      const auto shown = Script(t);
      ASSERT_EQ(shown.size(), 1u);
      EXPECT_NE(shown[0].find(c.message), std::string::npos) << shown[0];
      continue;
    }
    EXPECT_TRUE(Script(nest(c.open, c.close, c.limit)).empty());
    const auto shown = Script(nest(c.open, c.close, c.limit + 1));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(c.message), std::string::npos) << shown[0];
  }
}

TEST_F(Run, IfBranches) {
  struct C { std::string text; const char* r; };
  const C cases[] = {
      {Lines({"If(1, \"=\", 1)", "#r=1", "Else()", "#r=2", "EndIf()"}), "1"},
      {Lines({"If(1, \"=\", 2)", "#r=1", "Else()", "#r=2", "EndIf()"}), "2"},
      {Lines({"If(1, \">\", 2)", "#r=1", "ElseIf(2, \">\", 1)", "#r=2", "ElseIf(3, \">\", 1)", "#r=3", "Else()",
              "#r=4", "EndIf()"}),
       "2"},
      {Lines({"If(1, \"=\", 2)", "If(1, \"=\", 1)", "#r=9", "Else()", "#r=8", "EndIf()", "Else()", "#r=3",
              "EndIf()"}),
       "3"},
      {Lines({"If(\"ab\", \"=\", \"ab\")", "#r=5", "EndIf()"}), "5"},
      {Lines({"If(\"ab\", \"=\", \"ac\")", "#r=5", "Else()", "#r=6", "EndIf()"}), "6"},
      {Lines({"If(2.6, \"=\", 3)", "#r=7", "EndIf()"}), "7"},   // rounded to whole numbers
      {Lines({"If(6, \"%\", 3)", "#r=8", "EndIf()"}), "8"},
  };
  for (const C& c : cases) {
    SCOPED_TRACE(c.text);
    VariableList.clear();
    InvalidateVariableIndex();
    EXPECT_TRUE(Script(c.text).empty());
    EXPECT_EQ(Value("r"), c.r);
  }
  struct E { const char* text; const char* message; };
  const E errors[] = {
      {"If(\"a\", \"<\", \"b\")\rEndIf()", "Strings können nur durch\"=\" verglichen werden"},
      {"If(\"a\", \"=\", 1)\rEndIf()", "Vergleich zwischen String und  Zahl nicht möglich"},
      {"If(1, 5, 1)\rEndIf()", "Der Operator muss in Form eines Strings vorliegen"},
      {"If(1, \"=\")\rEndIf()", "Falsche Anzahl an Parametern"},
      {"EndIf()", "Keine If-Verzweigung gefunden"},
      {"If(\"a\", \"=\", \"b\")\rFor(#i,1,2,1)\rElse()\rNext()\rEndIf()", "Falsche Reihenfolge"},
  };
  for (const E& e : errors) {
    SCOPED_TRACE(e.text);
    const auto shown = Script(e.text);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(e.message), std::string::npos) << shown[0];
  }
}

TEST_F(Run, RepeatAndWhile) {
  EXPECT_TRUE(Script(Lines({"#k=0", "Repeat()", "#k=#k+1", "Until(#k, \">=\", 3)"})).empty());
  EXPECT_EQ(Value("k"), "3.000000");
  EXPECT_TRUE(Script(Lines({"#s=\"\"", "Repeat()", "#s=#s+\"a\"", "Until(#s, \"=\", \"aaa\")"})).empty());
  EXPECT_EQ(Value("s"), "\"aaa\"");
  EXPECT_TRUE(Script(Lines({"#k=0", "While(#k, \"<\", 4)", "#k=#k+1", "Wend()"})).empty());
  EXPECT_EQ(Value("k"), "4.000000");
  // A false outer While resumes after its own Wend, not after the inner one.
  EXPECT_TRUE(Script(Lines({"#r=0", "While(1, \"=\", 2)", "While(1, \"=\", 1)", "#r=1", "Wend()", "#r=2",
                            "Wend()", "#z=3"}))
                  .empty());
  EXPECT_EQ(Value("r"), "0");
  EXPECT_EQ(Value("z"), "3");
  struct E { const char* text; const char* message; };
  const E errors[] = {
      {"Until(1, \"=\", 1)", "Until ohne Repeat"},
      {"Repeat()\rUntil(\"a\", \"<\", \"b\")", "Strings können nur mittels '=' verglichen werden"},
      {"Repeat()\rUntil(\"a\", \"=\", 1)", "Strings können nicht mit numerischen Werten verglichen werden"},
      {"While(\"a\", \"=\", 1)\rWend()", "Strings können nicht mit numerischen Werten verglichen werden"},
      {"Wend()", "Wend ohne While"},
  };
  for (const E& e : errors) {
    SCOPED_TRACE(e.text);
    const auto shown = Script(e.text);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(e.message), std::string::npos) << shown[0];
  }
}

TEST_F(Run, OnlyAnOpenForIsReportedAtTheEnd) {
  auto shown = Script("For(#i,1,2,1)");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0],
            "Offene Schleifen/Funktionen|Einige Schleifen und Funktionen  sind nicht geschlossen,\rsollten "
            "komische Ergebnisse auftreten, kann es daran liegen");
  EXPECT_TRUE(Script("If(1,\"=\",1)\rRepeat()").empty());
}

TEST_F(Run, ProceduresRunInline) {
  EXPECT_TRUE(Script(Lines({"Procedure(Twice, #p)", "#out = #p*2", "EndProcedure()", "Twice(4)", "#a = #out",
                            "Twice(#a+1)"}))
                  .empty());
  EXPECT_EQ(Value("a"), "8.000000");
  EXPECT_EQ(Value("out"), "18.000000");
  EXPECT_EQ(Value("p"), "9.000000");
}

TEST_F(Run, TheProgressWindowStopsAnEndlessLoop) {
  tk::postEvent(tk::Event{tk::EvClose, 26});
  const auto shown = Script("Repeat()\r#n=#n+1\rUntil(1, \"=\", 2)", 1);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find("|Das Skript wurde abgebrochen"), std::string::npos) << shown[0];
  EXPECT_FALSE(tk::isWindow(26));
  EXPECT_EQ(allok, 0);
}

TEST_F(Run, ALongRunWithoutTheWindowShowsItSoThatItCanBeStopped) {
  tk::postEvent(tk::Event{tk::EvClose, 26});
  const auto shown = Script("Repeat()\rUntil(1, \"=\", 2)", 0);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find("Das Skript wurde abgebrochen"), std::string::npos);
  EXPECT_FALSE(tk::isWindow(26));
}

TEST_F(Run, AStringThatDoublesItselfEndsWithAMessage) {
  const auto shown = Script("#s=\"ab\"\rRepeat()\r#s=#s+#s\rUntil(1, \"=\", 2)");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find("Der Text ist zu lang"), std::string::npos);
}

}  // namespace
