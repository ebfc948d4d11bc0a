// Statement helpers: splitting and evaluating arguments, conditions, path resolution.
#include <gtest/gtest.h>

#include "documents/documents.h"
#include "script/script_fixture.h"

namespace {

using Statements = ScriptFixture;

TEST_F(Statements, SplitKeepsBracketsAndLiteralsTogether) {
  EXPECT_EQ(SplitStatementArguments("1,(2,3),\"4,5\""), 3);
  EXPECT_EQ(StatementArgs[1], "1");
  EXPECT_EQ(StatementArgs[2], "(2,3)");
  EXPECT_EQ(StatementArgs[3], "\"4,5\"");
  EXPECT_EQ(StatementArgs[4], "");
  EXPECT_EQ(SplitStatementArguments(""), 1);
  EXPECT_EQ(SplitStatementArguments("1,"), 2);
  EXPECT_EQ(StatementArgs[2], "");
  std::string many;
  for (int i = 1; i <= 25; ++i) many += (i > 1 ? "," : "") + std::to_string(i);
  EXPECT_EQ(SplitStatementArguments(many), 20);
  EXPECT_EQ(paramlist, 20);
  EXPECT_EQ(StatementArgs[20], "20,21,22,23,24,25");
}

TEST_F(Statements, EvaluationStopsAtTheFirstFailedArgument) {
  SplitStatementArguments("1+1,1/0,2+2");
  const auto shown = Boxes([] { EvaluateStatementArguments(); });
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_EQ(StatementArgs[1], "2.000000");
  EXPECT_EQ(StatementArgs[3], "2+2");
  EXPECT_EQ(OnErrorCode2, 0);
}

TEST_F(Statements, TestCondition) {
  struct C { int32_t a; const char* op; int32_t b; int32_t r; };
  const C cases[] = {
      {1, "=", 1, 1}, {1, "=", 2, 0}, {2, "<", 3, 1}, {3, ">", 2, 1}, {3, "=>", 3, 1}, {3, ">=", 4, 0},
      {3, "<=", 3, 1}, {3, "=<", 3, 1}, {4, "=<", 3, 0}, {1, "<>", 2, 1}, {1, "><", 2, 1}, {2, "><", 2, 0},
      {6, "%", 3, 1}, {7, "%", 3, 0}, {7, "%", 0, 0}, {INT32_MIN, "%", -1, 1}, {5, "&", 2, 0},
      {6, "&", 2, 1}, {1, "==", 1, 0},
  };
  for (const C& c : cases) EXPECT_EQ(TestCondition(c.a, c.op, c.b), c.r) << c.a << c.op << c.b;
}

TEST_F(Statements, ErrorTitle) {
  ScriptErrorLine = 1;
  ScriptErrorName = "Debug";
  const auto shown = Boxes([] { ReportScriptError("x"); });
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Fehler in Zeile 1 : Debug|x");
  EXPECT_EQ(allok, 0);
}

TEST_F(Statements, ResolveScriptPath) {
  ResetDocumentsState();
  CurrentImage = 1;
  ImageRecords[1].DisplayName = "C:\\x\\y.bmp";
  EXPECT_EQ(ResolveScriptPath("\\bilder\\a.bmp"), "C:\\x\\bilder\\a.bmp");
  EXPECT_EQ(ResolveScriptPath("D:\\a.bmp"), "D:\\a.bmp");
  EXPECT_EQ(ResolveScriptPath("/D:\\a.bmp"), "D:\\a.bmp");
  ImageRecords[1].DisplayName = "\"C:\\q\"\\z.bmp";
  EXPECT_EQ(ResolveScriptPath("a.bmp"), "C:\\q\\a.bmp");
  ResetDocumentsState();
}

}  // namespace
