// Script tables read from "Data/Functions.dat".
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "script/script.h"
#include "toolkit/toolkit.h"

namespace {

struct DatWriter {
  std::string bytes;
  DatWriter& l(int32_t v) {
    for (int k = 0; k < 4; ++k) bytes += char((uint32_t(v) >> (8 * k)) & 255);
    return *this;
  }
  DatWriter& s(const std::string& line) {
    bytes += line + "\r\n";
    return *this;
  }
};

class ScriptTables : public ::testing::Test {
 protected:
  std::string folder;
  void SetUp() override {
    char tmpl[] = "/tmp/cv_tables_XXXXXX";
    folder = std::string(mkdtemp(tmpl)) + "/";
    tk::setProgramFolder(folder);
    tk::createFolder("Data");
    ResetScriptState();
  }
  void TearDown() override {
    tk::setProgramFolder(PROGRAM_FOLDER);
    std::system(("rm -rf " + folder).c_str());
    ResetScriptState();
  }
  void write(const DatWriter& w) { tk::writeWholeFile("Data/Functions.dat", w.bytes.data(), w.bytes.size()); }
  static DatWriter functions(const std::vector<std::pair<std::string, std::string>>& f) {
    DatWriter w;
    w.l(int32_t(f.size())).l(1).l(int32_t(f.size()));
    for (auto& [n, h] : f) w.s(n).s(h);
    return w;
  }
};

TEST_F(ScriptTables, MissingFileLeavesTablesEmptyButSetsFixedValues) {
  LoadScriptTables();
  EXPECT_EQ(FunctionCount, 0);
  EXPECT_EQ(effects_start, 0);
  EXPECT_EQ(effects_end, 0);
  for (const LetterIndexEntry& e : FunctionLetterIndex) {
    EXPECT_EQ(e.count, 0);
    EXPECT_EQ(e.first, 1);
  }
  EXPECT_EQ(SystemConstantTable[2].value, "3.141592653");
  EXPECT_EQ(SystemConstantTable[23].value, "256");
  EXPECT_EQ(SystemConstantTable[38].value, "12");
  EXPECT_EQ(SystemConstantTable[47].value, "-128");
  EXPECT_EQ(SystemConstantTable[51].value, "8");
  EXPECT_EQ(SystemConstantTable[0].value, "");
  EXPECT_EQ(SystemConstantTable[0].name, "");
  EXPECT_EQ(ThanksLastIndex, 0);
  EXPECT_EQ(ThanksList[0].name, "");
  EXPECT_EQ(EvaluatorFunctions[13].name, "Chr");
  EXPECT_EQ(EvaluatorFunctions[9].length, 13);
  EXPECT_EQ(EvaluatorFunctions[10].length, 12);
}

TEST_F(ScriptTables, ProgramFolderConstantIsQuotedAndEndsInBackslash) {
  LoadScriptTables();
  const std::string& v = SystemConstantTable[52].value;
  ASSERT_GE(v.size(), 3u);
  EXPECT_EQ(v.front(), '"');
  EXPECT_EQ(v.back(), '"');
  EXPECT_EQ(v[v.size() - 2], '\\');
  EXPECT_EQ(tk::resolvePath(v.substr(1, v.size() - 2)), folder);
}

TEST_F(ScriptTables, SortsCaseInsensitivelyWithOwnHelpAndIndexesLetters) {
  write(functions({{"Zoom", "z"}, {"blur_x", "bx"}, {"Blur", "b"}, {"abc", "abc"}, {"Ab", "ab"}, {"BlurX", "bX"}}));
  LoadScriptTables();
  ASSERT_EQ(FunctionCount, 6);
  std::vector<std::string> names, helps;
  for (int i = 1; i <= 6; ++i) {
    names.push_back(FunctionTable[i].name);
    helps.push_back(FunctionTable[i].help);
  }
  // A prefix first; "_" (95) before any letter (folded to 97..122).
  EXPECT_EQ(names, (std::vector<std::string>{"Ab", "abc", "Blur", "blur_x", "BlurX", "Zoom"}));
  EXPECT_EQ(helps, (std::vector<std::string>{"ab", "abc", "b", "bx", "bX", "z"}));
  EXPECT_EQ(FunctionTable[4].nameLength, 6);
  EXPECT_EQ(FunctionNamesInFileOrder[1], "Zoom");
  EXPECT_EQ(FunctionNamesInFileOrder[6], "BlurX");
  EXPECT_EQ(FunctionTable[7].name, "");
  // A: 1..2, B: 3..5, C..Y empty at 6, Z: 6.
  EXPECT_EQ(FunctionLetterIndex[1].first, 1);
  EXPECT_EQ(FunctionLetterIndex[1].count, 2);
  EXPECT_EQ(FunctionLetterIndex[2].first, 3);
  EXPECT_EQ(FunctionLetterIndex[2].count, 3);
  EXPECT_EQ(FunctionLetterIndex[3].first, 6);
  EXPECT_EQ(FunctionLetterIndex[3].count, 0);
  EXPECT_EQ(FunctionLetterIndex[26].first, 6);
  EXPECT_EQ(FunctionLetterIndex[26].count, 1);
}

TEST_F(ScriptTables, NameNotBeginningWithALetterStaysOutOfTheLetterIndex) {
  write(functions({{"Box", "b"}, {"_intern", "i"}, {"Add", "a"}, {"9lives", "n"}}));
  LoadScriptTables();
  EXPECT_EQ(FunctionLetterIndex[1].first, 3);   // behind "9lives" and "_intern"
  EXPECT_EQ(FunctionLetterIndex[1].count, 1);
  EXPECT_EQ(FunctionTable[FunctionLetterIndex[1].first].name, "Add");
  EXPECT_EQ(FunctionLetterIndex[2].count, 1);
  EXPECT_EQ(FunctionTable[FunctionLetterIndex[2].first].name, "Box");
}

TEST_F(ScriptTables, Byte160BreaksHelpWithCrLfAndThanksWithCr) {
  DatWriter w = functions({{"Sin", "zwei\xA0Zeilen"}});
  w.l(2).s("cvn_a").s("cvn_b");
  w.l(1).s("Eins").s("Text\xA0zwei").s("help/a.html").s("Zwei").s("t").s("help/b.html");
  write(w);
  LoadScriptTables();
  EXPECT_EQ(FunctionTable[1].help, "zwei\r\nZeilen");
  EXPECT_EQ(SystemConstantTable[1].name, "cvn_b");
  EXPECT_EQ(ThanksLastIndex, 1);
  EXPECT_EQ(ThanksList[0].text, "Text\rzwei");
  EXPECT_EQ(ThanksList[1].link, "help/b.html");
}

TEST_F(ScriptTables, ExactlyThreeHundredEntriesKeepTheirHelp) {
  std::vector<std::pair<std::string, std::string>> f;
  for (int i = 300; i >= 1; --i) f.push_back({"F" + std::to_string(1000 + i), "h" + std::to_string(i)});
  write(functions(f));
  LoadScriptTables();
  ASSERT_EQ(FunctionCount, 300);
  for (int i = 1; i <= 300; ++i) {
    EXPECT_EQ(FunctionTable[i].name, "F" + std::to_string(1000 + i));
    EXPECT_EQ(FunctionTable[i].help, "h" + std::to_string(i));
  }
  EXPECT_EQ(FunctionLetterIndex[6].count, 300);
}

TEST_F(ScriptTables, CountsBeyondTheTablesAreClampedAndTheRestStaysAligned) {
  DatWriter w;
  w.l(302).l(1).l(2);
  for (int i = 1; i <= 302; ++i) w.s("G" + std::to_string(1000 + i)).s("h");
  w.l(55);
  for (int i = 0; i < 55; ++i) w.s("c" + std::to_string(i));
  w.l(9);
  for (int i = 0; i <= 9; ++i) w.s("n" + std::to_string(i)).s("t").s("l");
  write(w);
  LoadScriptTables();
  EXPECT_EQ(FunctionCount, 300);
  EXPECT_EQ(FunctionTable[300].name, "G1300");
  EXPECT_EQ(SystemConstantTable[52].name, "c52");
  EXPECT_EQ(ThanksLastIndex, ThanksListSize - 1);
  EXPECT_EQ(ThanksList[0].name, "n0");   // the surplus constant names were skipped
  EXPECT_EQ(ThanksList[6].name, "n6");
}

TEST_F(ScriptTables, FileCutShortReadsOnWithEmptyEntries) {
  DatWriter w;
  w.l(4).l(1).l(4).s("Alpha").s("a").s("Beta");
  write(w);
  LoadScriptTables();
  EXPECT_EQ(FunctionCount, 4);
  EXPECT_EQ(FunctionTable[1].name, "Alpha");
  EXPECT_EQ(FunctionTable[2].name, "Beta");
  EXPECT_EQ(FunctionTable[2].help, "");
  EXPECT_EQ(FunctionTable[3].name, "");
  EXPECT_EQ(SystemConstantTable[0].name, "");
  EXPECT_EQ(ThanksLastIndex, 0);
  EXPECT_EQ(SystemConstantTable[2].value, "3.141592653");
  EXPECT_EQ(FunctionsDatDamaged, 1);
}

// Damaged, as opposed to missing or whole: reported by FunctionsDatDamaged.
TEST_F(ScriptTables, DamagedFileIsToldApartFromMissingAndWhole) {
  struct Case { const char* name; DatWriter file; bool present; int damaged; };
  DatWriter whole, headerOnly, shortHeader, rangePastEntries, negativeCount;
  whole.l(2).l(1).l(2).s("Alpha").s("a").s("Beta").s("b").l(0).l(-1);
  headerOnly.l(65).l(1).l(65);
  shortHeader.l(65).l(1);
  rangePastEntries.l(2).l(1).l(9).s("Alpha").s("a").s("Beta").s("b").l(0).l(-1);
  negativeCount.l(-4).l(1).l(1).l(0).l(-1);
  const Case cases[] = {
      {"whole", whole, true, 0},          {"missing", DatWriter{}, false, 0},
      {"header only", headerOnly, true, 1}, {"header cut short", shortHeader, true, 1},
      {"range past entries", rangePastEntries, true, 1}, {"negative count", negativeCount, true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tk::deleteFile("Data/Functions.dat");
    if (c.present) write(c.file);
    LoadScriptTables();
    EXPECT_EQ(FunctionsDatDamaged, c.damaged);
  }
}

// The shipped data file.
TEST(ShippedFunctionsDat, LoadsWithTheStructureEffectsInOrder) {
  ResetScriptState();
  LoadScriptTables();
  ASSERT_GT(FunctionCount, 200);
  ASSERT_EQ(effects_end - effects_start + 1, 65);
  const char* const first[] = {"FillImage", "Attributes", "RedAway", "RedBack", "GreenAway", "GreenBack",
                               "BlueAway", "BlueBack", "ColorTurn"};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(FunctionNamesInFileOrder[effects_start + i], first[i]);
  EXPECT_EQ(FunctionNamesInFileOrder[effects_start + 50], "Bars");
  EXPECT_EQ(FunctionNamesInFileOrder[effects_start + 53], "Sharpdraw");
  EXPECT_EQ(FunctionNamesInFileOrder[effects_start + 58], "ClearColorRange");
  EXPECT_EQ(FunctionNamesInFileOrder[effects_end], "OwnEffect");
  EXPECT_EQ(SystemConstantTable[2].name, "cvn_pi");
  EXPECT_EQ(SystemConstantTable[26].name, "cvn_box");
  EXPECT_EQ(SystemConstantTable[27].name, "cvn_circle");
  EXPECT_EQ(SystemConstantTable[52].name, "cvn_programfolder");
  EXPECT_GE(ThanksLastIndex, 0);
  EXPECT_EQ(ThanksList[0].link.substr(0, 5), "help/");
  for (int i = 1; i <= FunctionCount; ++i) EXPECT_FALSE(FunctionTable[i].help.empty()) << FunctionTable[i].name;
  EXPECT_EQ(FunctionsDatDamaged, 0);
  ResetScriptState();
}

}  // namespace
