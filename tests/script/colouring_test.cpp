// Syntax colouring, indentation after Enter, procedure hints, string expressions and the
// block commands of the editor.
#include "editor_fixture.h"

using namespace editor_test;

namespace {

// A line's styles as one digit per byte.
std::string Styles(const std::string& line) {
  std::string out;
  for (uint8_t s : LineStyles(line)) out += char('0' + s);
  return out;
}

}  // namespace

TEST_F(EditorTest, LineStylesByRule) {
  struct Case {
    const char* line;
    const char* styles;
  };
  const Case cases[] = {
      {"plot(1,2)", "222211111"},
      {"XPlot(1)", "11111111"},                 // a longer name that ends in a function's name
      {"a=Plot(1)", "112222111"},
      {"\"Plot(1)\"", "444444444"},             // a call inside a literal is string
      {"#a=1 ;#a", "33111555"},                 // the comment wins over the name in it
      {"#x|#y", "33133"},                       // "|" ends a "#" name
      {"\"ab ;c", "444444"},                    // unclosed: string to the end, no comment
      {"Color(1) \"s\" ;c", "222221111444155"},
  };
  for (const Case& c : cases) EXPECT_EQ(Styles(c.line), c.styles) << c.line;
}

TEST_F(EditorTest, HighlightColoursTheCaretLineSpellsNamesAndShowsTheHelp) {
  Set("#v = 1\rplot(1,2) ;plot", 8, 8);
  HighlightSyntax();
  EXPECT_EQ(Text(), "#v = 1\rPlot(1,2) ;plot");
  EXPECT_EQ(tk::gadgetText(ScriptHelpLine).rfind("Plot(x, y)", 0), 0u) << tk::gadgetText(ScriptHelpLine);
  EXPECT_EQ(ColourAt(7), kStyleColour[2]);
  EXPECT_EQ(ColourAt(11), kStyleColour[1]);
  EXPECT_EQ(ColourAt(17), kStyleColour[5]);
  int32_t s = 0, e = 0;
  tk::richGetSelection(Ed, &s, &e);
  EXPECT_EQ(s, 8);
  EXPECT_EQ(e, 8);
}

TEST_F(EditorTest, EnterIndentsByTheLineAboveWithRueckwidth3) {
  Set("   If(#a=1)", 11, 11);
  Key(Qt::Key_Return);
  EXPECT_EQ(Text(), "   If(#a=1)\r      ");
  Set("   If(#a=1)\r      EndIf()", 25, 25);
  Key(Qt::Key_Return);
  EXPECT_EQ(Text(), "   If(#a=1)\r   EndIf()\r   ");
  Set("Smear(1)", 8, 8);
  Key(Qt::Key_Return);
  EXPECT_EQ(Text(), "Smear(1)\r   ");
  Set("      Else()", 12, 12);
  Key(Qt::Key_Return);
  EXPECT_EQ(Text(), "   Else()\r      ");
  // Undo takes the added blanks away first, then the line break.
  Set("For(#i,1,2,1)", 13, 13);
  Key(Qt::Key_Return);
  ASSERT_EQ(Text(), "For(#i,1,2,1)\r   ");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "For(#i,1,2,1)\r");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "For(#i,1,2,1)");
}

TEST_F(EditorTest, ADeclaredProcedureGivesItsHintToLaterCallsButNoVariable) {
  Set("Procedure(MyProc, #a) ;makes a point", 36, 36);
  Key(Qt::Key_Return);
  ASSERT_EQ(ProcedureHints.size(), 1u);
  EXPECT_EQ(ProcedureHints.front().name, "MyProc");
  EXPECT_EQ(ProcedureHints.front().hint, "MyProc(#a) \r\nmakes a point");
  EXPECT_EQ(FindScriptVariable("MyProc"), nullptr);
  Set("myproc(1)", 0, 0);
  HighlightSyntax();
  EXPECT_EQ(Text(), "MyProc(1)");
  EXPECT_EQ(ColourAt(0), kStyleColour[2]);
  EXPECT_EQ(tk::gadgetText(ScriptHelpLine), "MyProc(#a) \r\nmakes a point");
  // A declaration without a comma gives an empty name, which no call matches.
  Set("Procedure(Lonely)", 17, 17);
  Key(Qt::Key_Return);
  Set("x(1)", 0, 0);
  HighlightSyntax();
  EXPECT_EQ(ColourAt(0), kStyleColour[1]);
}

TEST_F(EditorTest, TextToStringExpressionRoundTrips) {
  EXPECT_EQ(TextToStringExpression("Hallo \"Welt\""), "\"Hallo \"+Chr(34)+\"Welt\"+Chr(34)");
  EXPECT_EQ(TextToStringExpression("x+\"\"y"), "\"x+\"+Chr(34)+Chr(34)+\"y\"");
  // Evaluated again, the expression gives the text (line ends as CR LF). A quote stands
  // last here: the value evaluator reads a Chr(34) result followed by more parts wrongly.
  const char* texts[] = {"Hallo Welt", "a\rb", "a\nb", "a\r\nb", "\"", "sag \"", "", "\r", "x+y\r"};
  for (const char* t : texts) {
    std::string want = t;
    // Every line end, of whatever form, comes back as CR LF.
    std::string norm;
    for (size_t i = 0; i < want.size(); ++i) {
      if (want[i] == '\r' || want[i] == '\n') {
        if (want[i] == '\r' && i + 1 < want.size() && want[i + 1] == '\n') ++i;
        norm += "\r\n";
      } else {
        norm += want[i];
      }
    }
    allok = 1;
    EXPECT_EQ(EvaluateValue(TextToStringExpression(t)), "\"" + norm + "\"") << TextToStringExpression(t);
  }
}

TEST_F(EditorTest, BlockIndentAndCommentKeepATrailingLineEnd) {
  Set("a\rb\rc", 0, 4);   // "a\rb\r" selected
  Key(Qt::Key_Tab);
  EXPECT_EQ(Text(), "   a\r   b\rc");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "a\rb\rc");
  tk::richSetSelection(Ed, 0, 4);
  Key(Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(Text(), ";a\r;b\rc");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "a\rb\rc");
  // Nothing selected: Tab inserts the blanks, no tab character.
  Set("xy", 1, 1);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Text(), "x   y");
  int32_t s = 0, e = 0;
  tk::richGetSelection(Ed, &s, &e);
  EXPECT_EQ(s, 4);
  EXPECT_EQ(e, 4);
  // Ctrl+T makes a string expression of the selection.
  Set("say \"hi\"", 0, 8);
  Key(Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(Text(), "\"say \"+Chr(34)+\"hi\"+Chr(34)");
}
