// Value evaluation: indexes, variables and constants, numbers and strings.
#include <gtest/gtest.h>

#include "script/script_fixture.h"

namespace {

using Values = ScriptFixture;

void SetVar(const std::string& name, const std::string& value) {
  VariableList.push_back({name, value, uint8_t(!value.empty() && value[0] == '"')});
  InvalidateVariableIndex();
}

TEST_F(Values, VariablesReplaceOnlyWholeNames) {
  SetVar("a", "5");
  EXPECT_EQ(EvaluateValue("#a+1"), "6.000000");
  EXPECT_EQ(EvaluateValue("#a"), "5");
  EXPECT_EQ(EvaluateValue("(#a)*2"), "10.000000");
  SetVar("ab", "2");
  EXPECT_EQ(EvaluateValue("#ab+#a"), "7.000000");
  // "^" ends no name: a^2 is an unknown name, made a variable holding 0.
  EXPECT_EQ(EvaluateValue("#a^2"), "0");
  ASSERT_NE(Var("a^2"), nullptr);
  EXPECT_EQ(Var("a^2")->value, "0");
}

TEST_F(Values, FirstOfTwoEqualNamesAndConstantsAfterVariables) {
  SetVar("n", "1");
  SetVar("n", "2");
  EXPECT_EQ(EvaluateValue("#n"), "1");
  EXPECT_EQ(EvaluateValue("#cvn_pi*2"), "6.283185");
  SetVar("cvn_pi", "3");
  EXPECT_EQ(EvaluateValue("#cvn_pi"), "3");
}

TEST_F(Values, UnknownNamesBecomeVariables) {
  EXPECT_EQ(EvaluateValue("#x+1"), "1.000000");
  ASSERT_NE(Var("x"), nullptr);
  EXPECT_EQ(Var("x")->kind, 0);
  EXPECT_EQ(EvaluateValue("\"s\"+#y"), "\"s\"");
  ASSERT_NE(Var("y"), nullptr);
  EXPECT_EQ(Var("y")->value, "\"\"");
  EXPECT_EQ(Var("y")->kind, 1);
  EXPECT_EQ(EvaluateValue("\"#z\""), "\"#z\"");   // text in a literal
  EXPECT_EQ(Var("z"), nullptr);
}

TEST_F(Values, Strings) {
  struct C { const char* in; const char* out; };
  const C cases[] = {
      {"\"ab\"+\"cd\"", "\"abcd\""},
      {"\"a\"+Chr(33)", "\"a!\""},
      {"Str(2.7)", "\"2\""},
      {"Str(1/3)", "\"0\""},
      {"Str(-5)", "\"-5\""},
      {"Chr(Sin(1,1)*100)", "\"T\""},
      {"\"+\"", "\"+\""},
      {"Chr(321)", "\"A\""},   // the low byte
      {"Chr(256)", "\"\""},    // never a NUL byte
      {"\"a b\"", "\"a b\""},
  };
  for (const C& c : cases) {
    SCOPED_TRACE(c.in);
    allok = 1;
    EXPECT_EQ(EvaluateValue(c.in), c.out);
    EXPECT_EQ(allok, 1);
  }
}

TEST_F(Values, StringErrors) {
  struct C { const char* in; const char* message; };
  const C cases[] = {
      {"\"a\"+Sin(1,1)", "Strings und numerische Werte können nicht vermischt werden"},
      {"Chr(\"a\")", "Strings und numerische Werte können nicht vermischt werden"},
      {"a[1]", "Syntaxerror"},
      {"#a[1", "Syntaxerror"},
  };
  for (const C& c : cases) {
    SCOPED_TRACE(c.in);
    allok = 1;
    const auto shown = Boxes([&] { EvaluateValue(c.in); });
    EXPECT_EQ(allok, 0);
    ASSERT_FALSE(shown.empty());
    EXPECT_NE(shown[0].find(c.message), std::string::npos) << shown[0];
  }
}

TEST_F(Values, IndexesAreWrittenAsWholeNumbers) {
  SetVar("i", "2");
  SetVar("a[3]", "30");
  EXPECT_EQ(ResolveIndexes("#a[#i+1]"), "#a[3]");
  EXPECT_EQ(EvaluateValue("#a[#i+1]*2"), "60.000000");
  EXPECT_EQ(ResolveIndexes("\"[x]\""), "\"[x]\"");
  SetVar("m[1]", "4");
  SetVar("m[4]", "9");
  EXPECT_EQ(EvaluateValue("#m[#m[1]]"), "9");
}

TEST_F(Values, NamesWithOperatorCharactersTakeTheLongWay) {
  // A name made by an assignment may hold "-": the first variable of the list that ends
  // at an operator wins, as a pass per variable gives it.
  SetVar("a-b", "7");
  SetVar("a", "1");
  EXPECT_EQ(EvaluateValue("#a-b+1"), "8.000000");
  EXPECT_EQ(EvaluateValue("#a-1"), "0.000000");
}

TEST_F(Values, AStringThatDoublesItselfIsStopped) {
  std::string s = "\"ab\"";
  for (int i = 0; i < 40 && allok == 1; ++i) {
    VariableList.clear();
    SetVar("s", s);
    auto shown = Boxes([&] { s = EvaluateValue("#s+#s"); });
    if (allok == 0) {
      ASSERT_FALSE(shown.empty());
      EXPECT_NE(shown[0].find("Der Text ist zu lang"), std::string::npos);
    }
  }
  EXPECT_EQ(allok, 0);
  EXPECT_LE(s.size(), MaxScriptTextLength);
}

}  // namespace
