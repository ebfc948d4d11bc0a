// Structure-effect table built from the script function list.
#include <gtest/gtest.h>

#include "script/script.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

namespace {

TEST(StructureEffectTable, NamesHelpPanelsAndDefaultsByPosition) {
  ResetScriptState();
  ResetToolsState();
  LoadScriptTables();   // the shipped "Data/Functions.dat"
  BuildStructureEffectTable();
  ASSERT_EQ(StructureEffectTable.size(), 65u);
  const StructureEffectEntry* t = StructureEffectTable.data();
  struct Row { int pos; const char* name; int panel; };
  const Row rows[] = {{0, "FillImage", 223}, {1, "Attributes", 221}, {2, "RedAway", 0},
                      {11, "BiChromaticDithering", 233}, {22, "SpecialEffect", 224},
                      {35, "Colormove", 225}, {38, "SetColorspec", 226}, {41, "SetBlueColors", 227},
                      {50, "Bars", 228}, {53, "Sharpdraw", 222}, {54, "Softdraw", 222},
                      {56, "Waves", 229}, {57, "BlowUp", 222}, {58, "ClearColorRange", 230},
                      {59, "MoveImage", 231}, {64, "OwnEffect", 232}};
  for (const Row& r : rows) {
    EXPECT_EQ(t[r.pos].name, r.name) << r.pos;
    EXPECT_EQ(t[r.pos].settingsPanel, r.panel) << r.pos;
    EXPECT_FALSE(t[r.pos].help.empty()) << r.pos;
  }
  for (const FunctionEntry& f : FunctionTable)
    if (f.name == "Waves") EXPECT_EQ(t[56].help, f.help);
  EXPECT_EQ(t[11].param10, -128);
  EXPECT_EQ(t[11].param15, 127);
  EXPECT_EQ(t[35].param7, 1);
  EXPECT_EQ(t[35].param9, 1);
  EXPECT_EQ(t[38].param12, 0);
  EXPECT_EQ(t[38].param13, 255);
  EXPECT_EQ(t[38].param18, 50);
  EXPECT_EQ(t[56].param2, 100);
  EXPECT_EQ(t[56].param3, 100);
  EXPECT_EQ(t[58].param7, 128);
  EXPECT_EQ(t[58].param12, 128);
  EXPECT_EQ(t[58].param13, 0);
  EXPECT_EQ(t[58].param16, 128);
  EXPECT_EQ(t[58].param18, 128);
  EXPECT_EQ(t[0].param1, 0);
  ResetScriptState();
  ResetToolsState();
}

TEST(StructureEffectTable, ShortRangeIsReportedAndNotOverrun) {
  ResetScriptState();
  ResetToolsState();
  FunctionNamesInFileOrder.assign(301, "");
  FunctionNamesInFileOrder[1] = "FillImage";
  FunctionNamesInFileOrder[2] = "Attributes";
  effects_start = 1;
  effects_end = 2;
  tk::test::clear();
  tk::test::queueResult(tk::ResultOk);
  BuildStructureEffectTable();
  ASSERT_EQ(StructureEffectTable.size(), 2u);
  EXPECT_EQ(StructureEffectTable[1].settingsPanel, 221);
  ASSERT_EQ(tk::test::shown().size(), 1u);
  EXPECT_EQ(tk::test::shown()[0].substr(0, 7), "Fehler|");

  // No data file at all: an empty range, reported the same way.
  effects_start = effects_end = 0;
  FunctionNamesInFileOrder.assign(301, "");
  tk::test::clear();
  tk::test::queueResult(tk::ResultOk);
  BuildStructureEffectTable();
  EXPECT_EQ(tk::test::shown().size(), 1u);

  // A damaged file is named as damaged, even when its range holds 65 entries.
  effects_start = 1;
  effects_end = 65;
  FunctionsDatDamaged = 1;
  tk::test::clear();
  tk::test::queueResult(tk::ResultOk);
  BuildStructureEffectTable();
  ASSERT_EQ(tk::test::shown().size(), 1u);
  EXPECT_NE(tk::test::shown()[0].find("Functions.dat ist beschädigt"), std::string::npos);
  EXPECT_EQ(tk::test::shown()[0].find("der 65"), std::string::npos);
  tk::test::clear();
  ResetScriptState();
  ResetToolsState();
}

}  // namespace
