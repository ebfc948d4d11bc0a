// The report viewer: a report written by the main program's writer shown on every tab,
// a zero-byte report, colour and byte decoding, and the name lookups.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "documents/documents.h"
#include "effects/effects.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"
#include "viewer/viewer.h"

namespace {

namespace fs = std::filesystem;

class ViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old = tk::programFolder();
    dir = fs::temp_directory_path() / ("cv_viewer_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "Error");
    tk::setProgramFolder(dir.string() + "/");
    tk::test::clear();
    BuildNameTables();
    BuildOsAndEventNames();
  }
  void TearDown() override {
    ResetViewerState();
    tk::setProgramFolder(old);
    fs::remove_all(dir);
    tk::testSetOperatingSystemCode(-1);
  }
  // The row of `label` in a list: its value column; "<none>" when no row has it.
  static std::string Value(int list, const std::string& label) {
    for (int i = 0; i < tk::countGadgetItems(list); ++i)
      if (tk::gadgetItemText(list, i, 0) == label) return tk::gadgetItemText(list, i, 1);
    return "<none>";
  }
  static std::string TabText(int pos, size_t k) { return tk::gadgetText(ViewerTabGadgets.at(size_t(pos)).at(k)); }
  static int TabList(int pos) { return ViewerTabGadgets.at(size_t(pos)).at(0); }
  void WriteBytes(const std::string& name, const std::vector<uint8_t>& b) {
    ASSERT_TRUE(tk::writeWholeFile("Error/" + name, b.data(), b.size()));
  }
  std::string old;
  fs::path dir;
};

TEST_F(ViewerTest, ShowsEveryTabOfAReportTheProgramWrote) {
  tk::testSetOperatingSystemCode(60);
  ImageRecords.assign(11, ImageRecord{});
  ImageCount = 2;
  CurrentImage = 2;
  Lastimage = 1;
  bildlang = 639;
  bildhoch = 479;
  length = 1.0f;
  horz = 7;
  maxundo = 25;
  ImageRecords[1].PixSize = 0.5f;
  ImageRecords[1].GadgetState = 41;
  ImageRecords[3].Oldcolors[0][0] = 1;
  OnErrorCode1 = 12;
  OnErrorCode2 = 7;
  RedHoldWidth = 21;
  effects_start = 5;
  tolleranz = 200;      // a byte field: shows as signed
  drawstep = 77;
  KeyboardX = 12;
  scrollmaxY = 33;
  paintstate = 0;
  linestate = -1;
  WriteBugReport("abc");
  const std::string path = tk::resolvePath("Error/Error_0.bug");
  ASSERT_EQ(tk::fileSizeOf(path), 3170);
  ASSERT_TRUE(ShowBugReport(path));

  const char* tabs[13] = {"Erklärung", "Multiimaging", "Farbinfos", "Normalvariablen", "Markierter Bereich",
                          "Effektvariablen", "Scripteditor", "Farbebenen", "Zeichnen", "Keyboardmodus",
                          "ZeichenBereich", "TextFeld", "Willkommen"};
  ASSERT_EQ(tk::countGadgetItems(1), 13);
  for (int i = 0; i < 13; ++i) EXPECT_EQ(tk::gadgetItemText(1, i), tabs[i]);
  EXPECT_EQ(tk::gadgetState(1), 0);
  EXPECT_EQ(tk::windowTitle(1), "CVN Orvandel");

  EXPECT_EQ(TabText(0, 0), "Version: 0.740000");
  EXPECT_EQ(TabText(0, 1), "abc");
  EXPECT_EQ(TabText(0, 2), "Operationssystem: Windows XP");
  EXPECT_EQ(TabText(0, 4), "Event:Unbekannt: NR. " + std::to_string(LastEvent));
  EXPECT_EQ(TabText(0, 11), "CVNIndex:  " + std::to_string(CVNIndex));
  EXPECT_EQ(TabText(0, 12), "Procedure 1: #onerror_1_effect");
  EXPECT_EQ(TabText(0, 13), "Procedure 2: #onerror_2_paint");

  EXPECT_EQ(TabText(1, 0), "Geöffnete Bilder: 2");
  EXPECT_EQ(TabText(1, 1), "Aktuelles Bild: 2");
  EXPECT_EQ(TabText(1, 2), "Lastimage: 1");
  ASSERT_EQ(ImageBlockLists.size(), 10u);
  EXPECT_EQ(Value(ImageBlockLists[0], "PixSize"), "0.500000");
  EXPECT_EQ(Value(ImageBlockLists[0], "GadgetState"), "#gadget_freihand");
  EXPECT_EQ(Value(ImageBlockLists[1], "laenge"), "639");
  EXPECT_EQ(Value(ImageBlockLists[1], "PixSize"), "1.000000");
  EXPECT_EQ(Value(ImageBlockLists[2], "Oldcolors0"), "RGB(128,128,129)");   // blue 1 in the record
  EXPECT_EQ(Value(ImageBlockLists[9], "Colororder"), "0");
  EXPECT_EQ(tk::countGadgetItems(ImageBlockLists[9]), 5 + 3 + 2 + 1 + 1 + 1 + 4 + 10 + 1 + 8 + 2 + 2 + 2 + 10 + 26);

  EXPECT_EQ(Value(TabList(3), "bildlang"), "639");
  EXPECT_EQ(Value(TabList(3), "length"), "1.000000");
  EXPECT_EQ(Value(TabList(3), "horz"), "7");
  EXPECT_EQ(Value(TabList(3), "maxundo"), "25");
  EXPECT_EQ(Value(TabList(5), "effects_start"), "5");
  EXPECT_EQ(Value(TabList(7), "rotlang"), "21");
  EXPECT_EQ(Value(TabList(7), "blauhoch_marked"), "0");
  EXPECT_EQ(Value(TabList(8), "tolleranz"), "-56");
  EXPECT_EQ(Value(TabList(8), "drawstep"), "77");
  EXPECT_EQ(Value(TabList(8), "paintstate"), "#gadget_begin");
  EXPECT_EQ(Value(TabList(8), "linestate"), "Out of Bounds: -1");
  EXPECT_EQ(Value(TabList(9), "KeyboardX"), "12");
  EXPECT_EQ(Value(TabList(10), "scrollmaxY"), "33");
  EXPECT_EQ(Value(TabList(11), "fontsize"), "0");
  EXPECT_EQ(tk::countGadgetItems(TabList(2)), 3 + 2 + 3 + 1 + 3 + 1 + 3 + 1 + 1 + 1);
  EXPECT_EQ(tk::gadgetItemText(TabList(2), 3), "");
  EXPECT_FALSE(TabText(12, 0).empty());
}

TEST_F(ViewerTest, ZeroByteReportShowsZeros) {
  WriteBytes("leer.bug", {});
  ASSERT_TRUE(ShowBugReport(tk::resolvePath("Error/leer.bug")));
  EXPECT_EQ(TabText(0, 0), "Version: 0.000000");
  EXPECT_EQ(TabText(0, 1), "");
  EXPECT_EQ(TabText(0, 2), "Operationssystem: ");
  EXPECT_EQ(TabText(0, 4), "Event:Unbekannt: NR. 0");
  EXPECT_EQ(TabText(0, 5), "Gadget:  #gadget_begin");
  EXPECT_EQ(TabText(0, 7), "Window:  #window_main");
  EXPECT_EQ(TabText(0, 12), "Procedure 1: #onerror_1_none");
  EXPECT_EQ(TabText(0, 13), "Procedure 2: #onerror_2_none");
  EXPECT_EQ(Value(ImageBlockLists[4], "fgcolor"), "RGB(128,128,128)");
  EXPECT_EQ(Value(TabList(3), "length"), "0.000000");
  EXPECT_EQ(Value(TabList(11), "fontsize"), "0");
}

TEST_F(ViewerTest, DecodesColoursBytesAndAnEmptyDescription) {
  std::vector<uint8_t> r(6 + BugReportFixedSize);
  ImageRecords.assign(11, ImageRecord{});
  r.resize(BuildBugReport("", 0, r.data()));
  const size_t block1 = 6 + 51;
  // fgcolor as blue, green, red: 127, -128, -1.
  r[block1 + 140] = 127;
  r[block1 + 141] = 0x80;
  r[block1 + 142] = 0xFF;
  // A recent colour as red, green, blue: -128, 0, 127.
  r[block1 + 148] = 0x80;
  r[block1 + 149] = 0;
  r[block1 + 150] = 127;
  // CVNIndex, the last long of the head, right after the empty line.
  r[6 + 36] = 42;
  r[6 + 2971 + 185] = 200;   // text_bgrot
  WriteBytes("farben.bug", r);
  ASSERT_TRUE(ShowBugReport(tk::resolvePath("Error/farben.bug")));
  EXPECT_EQ(Value(ImageBlockLists[0], "fgcolor"), "RGB(127,0,255)");
  EXPECT_EQ(Value(ImageBlockLists[0], "Oldcolors0"), "RGB(0,128,255)");
  EXPECT_EQ(TabText(0, 11), "CVNIndex:  42");
  EXPECT_EQ(Value(TabList(11), "text_bgrot"), "-56");
}

TEST_F(ViewerTest, Lookups) {
  EXPECT_EQ(LookupGadgetName(11), "#gadget_mainimage");
  EXPECT_EQ(LookupGadgetName(int32_t(GadgetNames.size() - 1)), "#gadget_last");
  EXPECT_EQ(LookupGadgetName(int32_t(GadgetNames.size())), "Out of Bounds: " + std::to_string(GadgetNames.size()));
  EXPECT_EQ(LookupGadgetName(-1), "Out of Bounds: -1");
  EXPECT_EQ(LookupGadgetName(20), "") << "a number the program gives no name";
  EXPECT_EQ(LookupWindowName(1), "#window_konfiguration");
  EXPECT_EQ(LookupWindowName(2), "#window_debug");
  EXPECT_EQ(LookupWindowName(4), "");
  EXPECT_EQ(LookupWindowName(99), "Out of Bounds: 99");
  EXPECT_EQ(LookupWindowName(-3), "Out of Bounds: -3");
  EXPECT_EQ(LookupMenuName(17), "#menu_neu");
  EXPECT_EQ(LookupMenuName(369), "#shortcut_norm_save");
  EXPECT_EQ(LookupMenuName(100000), "Out of Bounds: 100000");
  EXPECT_EQ(LookupErrorLocation1(40), "#onerror_1_undo");
  EXPECT_EQ(LookupErrorLocation1(41), "Out of Bounds: 41");
  EXPECT_EQ(LookupErrorLocation2(22), "#onerror_2_workparams");
  EXPECT_EQ(LookupOsName(60), "Windows XP");
  EXPECT_EQ(LookupOsName(100), "Zukünftiges Windows");
  EXPECT_EQ(LookupOsName(0), "");
  EXPECT_EQ(LookupEventName(0x332C), "#TK_EventGadget");
  EXPECT_EQ(LookupEventName(0x332D), "##TK_EventMenu");
  EXPECT_EQ(LookupEventName(0x333), "Unbekannt: NR. 819");
  EXPECT_EQ(LookupEventName(-5), "Unbekannt: NR. -5");
}

TEST_F(ViewerTest, CancelledRequesterOrMissingFileShowsNothing) {
  tk::test::queueString("");
  EXPECT_EQ(OrvandelEntry(), 0);
  EXPECT_EQ(tk::test::shown().at(0), "Fehlerbericht laden");
  EXPECT_FALSE(tk::isWindow(1));
  EXPECT_FALSE(ShowBugReport(tk::resolvePath("Error/fehlt.bug")));
  EXPECT_FALSE(tk::isWindow(1));
}

}  // namespace
