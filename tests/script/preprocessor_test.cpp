// The preprocessor and the procedure passes: from editor text to the statement list.
#include <gtest/gtest.h>

#include "script/script_fixture.h"

namespace {

using Preprocessor = ScriptFixture;
using List = std::vector<std::string>;

TEST_F(Preprocessor, LinesBecomeNameAndArguments) {
  EXPECT_EQ(Preprocess("\r\r"), List{});
  EXPECT_EQ(allok, 1);
  const List got = Preprocess(
      "  Plot( 10 , 20 ) ; Punkt\r"
      "\r"
      "EndIf\r"
      "EndIf()\r"
      "#a = Max(1, 2)\r"
      "If(#a, \"=\", 2)\r"
      "Debug(\"a ; b\", \"x y\")\r"
      "; nur ein Kommentar\r"
      "\tTab(1)");
  EXPECT_EQ(got, (List{"Plot|10,20|1", "EndIf||4", "#a|Max(1,2)|5", "If|#a,\"=\",2|6",
                       "Debug|\"a ; b\",\"x y\"|7", "\tTab|1|9"}));
  const std::string saved = [&] {
    const int f = tk::readFile(-1, "Lastcreatet.cod");
    std::string s = f >= 0 ? tk::readLine(f) : "";
    if (f >= 0) tk::closeFile(f);
    return s;
  }();
  EXPECT_EQ(saved, "  Plot( 10 , 20 ) ; Punkt");
}

TEST_F(Preprocessor, BracketCheckPerLine) {
  struct C { const char* text; int line; };
  const C cases[] = {{"A(1)\rB((1)", 2}, {"A(1))", 1}, {"A(\")\")\rB(1) ; )", 0}, {"A(1\r)", 1}};
  for (const C& c : cases) {
    SCOPED_TRACE(c.text);
    const auto shown = Boxes([&] { Preprocess(c.text); });
    if (c.line == 0) {
      EXPECT_TRUE(shown.empty());
      EXPECT_EQ(allok, 1);
    } else {
      ASSERT_EQ(shown.size(), 1u);
      EXPECT_EQ(shown[0].substr(0, 18), "Fehler in Zeile " + std::to_string(c.line) + " ");
      EXPECT_NE(shown[0].find("Syntaxfehler, irgendwo fehlt eine Klammer"), std::string::npos);
      EXPECT_EQ(allok, 0);
    }
  }
}

TEST_F(Preprocessor, NoCreateBlocks) {
  EXPECT_EQ(Preprocess("A()\rNoCreate()\rEndNoCreate()\rB()"), (List{"A||1", "B||4"}));
  EXPECT_EQ(Preprocess("A()\rNoCreate() ; aus\rB()\rEndNoCreate()\rC()"), (List{"A||1", "C||5"}));
  EXPECT_EQ(Preprocess("A()\rNoCreate()\rB()"), (List{"A||1"}));
}

TEST_F(Preprocessor, IncludeFiles) {
  WriteFile("inc.cod", "B(1)\r\n\r\n  C(2) ; c\r\n");
  EXPECT_EQ(Preprocess("A()\rIncludeFile(\"inc.cod\")\rD()"), (List{"A||1", "B|1|2", "C|2|2", "D||3"}));
  // Absolute paths, and files that include others.
  WriteFile("outer.cod", "IncludeFile(\"inc.cod\")\r\nE()");
  EXPECT_EQ(Preprocess("IncludeFile(\"" + folder + "outer.cod\")"), (List{"B|1|1", "C|2|1", "E||1"}));
  auto shown = Boxes([&] { Preprocess("A()\rIncludeFile(\"fehlt.cod\")"); });
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Fehler in Zeile 2 : IncludeFile|Datei nicht gefunden");
  shown = Boxes([&] { Preprocess("IncludeFile(#datei)"); });
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find("Hier wird ein String erwartet, Str() und Chr() sowie Variablen"), std::string::npos);
  // A file that includes itself, directly or through another.
  WriteFile("self.cod", "X()\r\nIncludeFile(\"self.cod\")");
  WriteFile("p.cod", "IncludeFile(\"q.cod\")");
  WriteFile("q.cod", "IncludeFile(\"p.cod\")");
  for (const char* name : {"self.cod", "p.cod"}) {
    shown = Boxes([&] { Preprocess(std::string("IncludeFile(\"") + name + "\")"); });
    ASSERT_EQ(shown.size(), 1u) << name;
    EXPECT_NE(shown[0].find("Die Datei bindet sich selbst ein"), std::string::npos);
    EXPECT_EQ(allok, 0);
  }
}

TEST_F(Preprocessor, ProceduresAreInlined) {
  const List got = Preprocess(
      "Male(1,2)\r"
      "Procedure(Male, #a, #b)\r"
      "  Line(#a, #b)\r"
      "  #c = #a+1\r"
      "EndProcedure()\r"
      "MeineMale(3)\r");
  EXPECT_EQ(got, (List{"#a|1|0", "#b|2|0", "Line|#a,#b|0", "#c|#a+1|0", "MeineMale|3|6"}));
  ASSERT_EQ(ProcedureList.size(), 1u);
  EXPECT_EQ(ProcedureList[0].body, "\xB6Line(#a,#b)\xB6#c(#a+1)");
  EXPECT_EQ(ProcedureList[0].line, 3);
}

TEST_F(Preprocessor, NestedCallsTakeTheCalleesStatements) {
  const List got = Preprocess(
      "Procedure(Outer,#x)\r"
      "Inner(#x*2)\r"
      "EndProcedure()\r"
      "Procedure(Inner,#y)\r"
      "Plot(#y,Max(#y,1))\r"
      "EndProcedure()\r"
      "Outer(5)");
  EXPECT_EQ(got, (List{"#x|5|0", "Plot|#x*2,Max(#x*2,1)|0"}));
  // A call written in a literal is text; a longer name ending in a procedure's name is
  // no call of it; a call ends at the bracket that closes its own.
  const List two = Preprocess(
      "Procedure(P)\r"
      "Debug(\"Q()\")\r"
      "MyQ(1)\r"
      "Q(Max(1,2))\r"
      "EndProcedure()\r"
      "Procedure(Q,#v)\r"
      "Plot(#v)\r"
      "EndProcedure()\r"
      "P()");
  EXPECT_EQ(two, (List{"Debug|\"Q()\"|0", "MyQ|1|0", "Plot|Max(1,2)|0"}));
}

TEST_F(Preprocessor, ProcedureErrors) {
  struct C { const char* text; const char* message; };
  const C cases[] = {
      {"Procedure(Fi.ll)\rEndProcedure()", "Syntaxfehler im Funktionsnamen"},
      {"Procedure(Male)\rEndProcedure()\rProcedure(MALE)\rEndProcedure()", "Funktion ist bereits deklariert"},
      {"Procedure(blur_up)\rEndProcedure()", "Selber Funktionsname wie eine vorgegebene Funktion"},
      {"Procedure(P,a)\rEndProcedure()", "Syntaxfehler, Parameter müssen mit '#' beginnen"},
      {"Procedure(P,#a.b)\rEndProcedure()", "Syntaxfehler, falsche Zeichen im Parameternamen"},
      {"Procedure(P)\rP()\rEndProcedure()", "Eine Procedure kann nicht in sich selbst aufgerufen werden"},
      {"Procedure(P)\rEndProcedure()\rP(1)", "Falsche Parameterangabe in der Procedure : P"},
      {"Procedure(P,#a)\rQ(1,2)\rEndProcedure()\rProcedure(Q,#b)\rEndProcedure()\rP(1)",
       "Falsche Parameterangabe in der Procedure : Q"},
      // A call cycle ends after a bounded number of rounds.
      {"Procedure(P)\rQ()\rEndProcedure()\rProcedure(Q)\rP()\rEndProcedure()\rP()",
       "Procedures rufen sich gegenseitig auf"},
      // A body that calls its own name in other letters expands itself forever.
      {"Procedure(P)\rp()\rEndProcedure()\rP()", "Procedures rufen sich gegenseitig auf"},
      // Each call doubles the body: stopped by its size.
      {"Procedure(A)\rB()\rB()\rEndProcedure()\rProcedure(B)\rA()\rA()\rEndProcedure()\rA()", "Procedure"},
  };
  for (const C& c : cases) {
    SCOPED_TRACE(c.text);
    const auto shown = Boxes([&] { Preprocess(c.text); });
    EXPECT_EQ(allok, 0);
    ASSERT_FALSE(shown.empty());
    EXPECT_NE(shown[0].find(c.message), std::string::npos) << shown[0];
  }
  // Only the first nine parameters count; a case-different call is no call.
  const List got = Preprocess(
      "Procedure(P,#a,#b,#c,#d,#e,#f,#g,#h,#i,#j)\rEndProcedure()\rP(1,2,3,4,5,6,7,8,9)\rp(1)");
  EXPECT_EQ(allok, 1);
  ASSERT_EQ(got.size(), 10u);
  EXPECT_EQ(got[8], "#i|9|0");
  EXPECT_EQ(got[9], "p|1|4");
  // Without EndProcedure the rest of the script is the body.
  EXPECT_EQ(Preprocess("A()\rProcedure(P)\rB()\rC()"), (List{"A||1"}));
}

}  // namespace
