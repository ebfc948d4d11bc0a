// Find and replace (window 3), the script menu and the HTML export.
#include <filesystem>

#include "editor_fixture.h"

using namespace editor_test;

namespace {

void Options(bool backwards, bool wholeWord, bool matchCase) {
  tk::setGadgetState(509, backwards ? 0 : 1);
  tk::setGadgetState(510, backwards ? 1 : 0);
  tk::setGadgetState(507, wholeWord ? 1 : 0);
  tk::setGadgetState(508, matchCase ? 1 : 0);
}

std::string Selected() { return tk::richSelectedText(Ed); }

std::string ReadAll(const std::string& path) {
  std::vector<uint8_t> d;
  tk::readWholeFile(path, d);
  return std::string(d.begin(), d.end());
}

}  // namespace

TEST_F(EditorTest, FindHonoursCaseAndWholeWordAndTheCaptionFollowsChanges) {
  Set("Wert werte WERT", 0, 0);
  tk::setGadgetText(499, "wert");
  Options(false, false, false);
  tk::setGadgetText(502, "Finden");
  OnFindReplace(502);
  EXPECT_EQ(tk::gadgetText(502), "Weitersuchen");
  EXPECT_EQ(Selected(), "Wert");
  Options(false, true, false);
  OnFindReplace(502);
  EXPECT_EQ(Selected(), "WERT");   // "werte" is a longer word
  Options(false, false, true);
  OnFindReplace(508);
  EXPECT_EQ(tk::gadgetText(502), "Finden");
  tk::richSetSelection(Ed, 0, 0);
  OnFindReplace(502);
  EXPECT_EQ(Selected(), "wert");
  tk::test::queueResult(tk::ResultOk);
  OnFindReplace(502);   // "WERT" differs in case: nothing more
  EXPECT_EQ(tk::test::shown(), std::vector<std::string>{"Ende|'wert'  konte nicht gefunden werden"});
  EXPECT_EQ(FindStartPosition, -1);
  tk::test::clear();
  // An empty search text is refused.
  tk::setGadgetText(499, "");
  tk::test::queueResult(tk::ResultOk);
  OnFindReplace(504);
  EXPECT_EQ(tk::test::shown().size(), 1u);
  EXPECT_EQ(Text(), "Wert werte WERT");
}

TEST_F(EditorTest, ReplaceAllEndsWhenTheReplacementHoldsTheSearchTextAndUndoesOneByOne) {
  for (bool backwards : {false, true}) {
    SCOPED_TRACE(backwards ? "backwards" : "forwards");
    ResetScriptEditorState();
    Set("a x a x a", backwards ? 9 : 0, backwards ? 9 : 0);
    Options(backwards, false, true);
    tk::setGadgetText(499, "a");
    tk::setGadgetText(501, "aa");
    tk::test::clear();
    tk::test::queueResult(tk::ResultOk);
    OnFindReplace(504);
    EXPECT_EQ(Text(), "aa x aa x aa");
    EXPECT_EQ(tk::test::shown(), std::vector<std::string>{"Ende|'a'  konte nicht gefunden werden"});
    ASSERT_EQ(EditUndoList.size(), 3u);
    EditUndo();
    EXPECT_EQ(Text(), backwards ? "a x aa x aa" : "aa x aa x a");
    EditUndo();
    EditUndo();
    EXPECT_EQ(Text(), "a x a x a");
  }
  // Replace: the selection only, one step.
  ResetScriptEditorState();
  Set("one two", 4, 7);
  tk::setGadgetText(501, "three");
  OnFindReplace(503);
  EXPECT_EQ(Text(), "one three");
  EditUndo();
  EXPECT_EQ(Text(), "one two");
}

TEST_F(EditorTest, HtmlPiecesEscapesAndPage) {
  for (int n = 1; n <= 5; ++n) ScriptStyleFormats[n].effects = 0;
  ScriptStyleFormats[2].height = 240;
  ScriptStyleFormats[2].color = 0x05FF10;   // red 0x10, green 0xFF, blue 0x05
  ScriptStyleFormats[3].effects = 1 | 2;
  BuildHtmlStyleTags();
  EXPECT_EQ(HtmlStyleTags[2][0], "<font face=\"Arial\"><font color=\"#10FF05\"><font size=\"2\">");
  EXPECT_EQ(HtmlStyleTags[3][0].substr(HtmlStyleTags[3][0].size() - 6), "<b><i>");
  EXPECT_EQ(HtmlStyleTags[3][1], "</i></b></font></font></font>");
  EXPECT_EQ(HtmlColourText(0x050505), "050505");
  EXPECT_EQ(HtmlColourText(0xFF), "FF0000");
  // Tags of a style as markers, so the cases read plainly.
  for (int n = 1; n <= 5; ++n) {
    HtmlStyleTags[n][0] = "[" + std::to_string(n);
    HtmlStyleTags[n][1] = "]";
  }
  struct Case {
    const char* line;
    const char* html;
  };
  const Case cases[] = {
      {"a < b", "a&nbsp;&lt;&nbsp;b<br>"},
      {";x", "[5;x]<br>"},
      {"Color(1,2,3)", "[2Color](1,2,3)<br>"},
      {"\"open <b>", "[4\"open&nbsp;&lt;b&gt;]<br>"},
      {"#a=1 & 2>1", "[3#a]=1&nbsp;&amp;&nbsp;2&gt;1<br>"},
      {"  Plot(#x)", "&nbsp;&nbsp;[2Plot]([3#x])<br>"},
      {"", "<br>"},
  };
  for (const Case& c : cases) EXPECT_EQ(ScriptLineToHtml(c.line), c.html) << c.line;

  // The export names: ".html" unless the extension already reads HTML.
  EXPECT_EQ(HtmlExportFileName("/t/a.HTML"), "/t/a.HTML");
  EXPECT_EQ(HtmlExportFileName("/t/a"), "/t/a.html");
  EXPECT_EQ(HtmlExportFileName("/t/a.htm"), "/t/a.htm.html");
  EXPECT_EQ(HtmlExportFileName("/t.d/a"), "/t.d/a.html");

  // The page of an empty editor, written through menu id 216.
  const std::string dir = std::filesystem::temp_directory_path() / ("cv_html_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  tk::setRichText(Ed, "");
  Settings.All_BG = 0xFFFFFF;
  tk::test::queueString(dir + "/leer.htm");
  OnScriptMenu(216);
  const std::string page = ReadAll(dir + "/leer.htm.html");
  BuildHtmlStyleTags();
  EXPECT_EQ(page, "<html>\r\n<head>\r\n</head>\r\n<body bgcolor=\"#FFFFFF\" text=\"#" +
                      HtmlColourText(Settings.formats[0].color) + "\">\r\n" + HtmlStyleTags[1][0] + "\r\n" +
                      HtmlStyleTags[1][1] + "\r\n</body>\r\n</html>\r\n");
  std::filesystem::remove_all(dir);
}

TEST_F(EditorTest, MenuTemplatesAndNames) {
  // Font template: bold and underlined; only italic; a cancelled requester inserts nothing.
  tk::test::queueFont({"Arial", 14, tk::FontBold | tk::FontUnderline}, true);
  OnScriptMenu(231);
  EXPECT_EQ(Text(), "\"Arial\",14,#cvn_bold|#cvn_underline");
  EXPECT_EQ(FontStyleText(tk::FontItalic), "#cvn_italic");
  EditUndo();
  EXPECT_EQ(Text(), "");
  tk::test::queueFont({"Arial", 14, 0}, false);
  OnScriptMenu(231);
  EXPECT_EQ(Text(), "");

  // The structure-section template, spelled as the commands are, one undo step.
  tk::test::queueString("/x/s.struc");
  OnScriptMenu(233);
  EXPECT_EQ(Text(),
            "StructureSection(\"/x/s.struc\")\rWhiteEffects()\r\rEndWhiteEffects()\r\rBlackEffects()\r\r"
            "EndBlackEffects()\rEndStructureSection()");
  EditUndo();
  EXPECT_EQ(Text(), "");
  tk::test::queueString("");
  OnScriptMenu(222);
  EXPECT_EQ(Text(), "");

  // Id 228 inserts the whole file; a missing file is reported.
  const std::string dir = std::filesystem::temp_directory_path() / ("cv_code_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string code = "#a = 1\r\n#b = 2\r\nplot(1,1)\r\n";
  tk::writeWholeFile(dir + "/c.cod", code.data(), code.size());
  Set("X", 0, 0);
  tk::test::queueString(dir + "/c.cod");
  OnScriptMenu(228);
  EXPECT_EQ(Text(), "#a = 1\r#b = 2\rPlot(1,1)\rX");
  EditUndo();
  EXPECT_EQ(Text(), "X");
  tk::test::queueString(dir + "/missing.cod");
  tk::test::queueResult(tk::ResultOk);
  OnScriptMenu(228);
  EXPECT_EQ(tk::test::shown().back(), "Fehler|Datei nicht gefunden");
  std::filesystem::remove_all(dir);

  // Brush-form names and a cancelled name that changes nothing.
  EXPECT_EQ(BrushFormNameOf("C:\\Bilder\\Foto.jpeg"), "Foto");
  EXPECT_EQ(BrushFormNameOf("/b/Foto.bmp"), "Foto");
  EXPECT_EQ(BrushFormNameOf("Muster.struc"), "Muster");
  loops_test::Recorder rec;
  tk::test::queueString("");
  OnScriptMenu(22);
  EXPECT_TRUE(rec.calls.empty());

  // View and help ids go on; 215 does nothing here.
  OnScriptMenu(169);
  OnScriptMenu(203);
  OnScriptMenu(215);
  const std::vector<std::pair<std::string, int>> expected = {{"OnViewHelpMenu", 169}, {"OnViewHelpMenu", 203}};
  EXPECT_EQ(rec.calls, expected);
}

TEST_F(EditorTest, DebuggerItemShowsTheListWhileChecked) {
  tk::setMenuItemChecked(1, 234, true);
  tk::hideWindow(2, false);
  OnScriptMenu(234);
  EXPECT_FALSE(tk::menuItemChecked(1, 234));
  EXPECT_TRUE(tk::windowHidden(2));
  EXPECT_EQ(ImageRecords[CurrentImage].DebugState, 0);
  OnScriptMenu(234);
  EXPECT_FALSE(tk::windowHidden(2));
  EXPECT_EQ(ImageRecords[CurrentImage].DebugState, 1);
  tk::addGadgetItem(511, -1, "x");
  OnScriptMenu(235);
  EXPECT_EQ(tk::countGadgetItems(511), 0);
}

TEST_F(EditorTest, CloseAllStopsAtACancelAndEndsWhenNoImageIsLeft) {
  ASSERT_GE(ImageCount, 1);
  const int32_t before = ImageCount;
  tk::test::queueResult(tk::ResultCancel);
  OnScriptMenu(24);
  EXPECT_EQ(ImageCount, before);
  EXPECT_EQ(tk::test::pending(), 0);
  for (int i = 0; i < before; ++i) tk::test::queueResult(tk::ResultNo);
  OnScriptMenu(24);
  EXPECT_EQ(ImageCount, 0);
  EXPECT_EQ(tk::test::pending(), 0);
}
