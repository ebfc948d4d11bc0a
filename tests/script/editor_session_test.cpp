// A session in the real program: a script with a loop typed key by key, coloured and
// indented as it is typed, undone and redone, a name replaced, run with F5 and exported.
#include <filesystem>

#include "editor_fixture.h"

using namespace editor_test;

namespace {

void TypeScript(const std::string& text) {
  for (char c : text) {
    if (c == '\r') EditorTest::Key(Qt::Key_Return);
    else if (std::string("()#+\"").find(c) != std::string::npos) EditorTest::Key(Qt::Key(uint8_t(c)), Qt::ShiftModifier);
    else EditorTest::Type(std::string(1, c));
  }
}

}  // namespace

TEST_F(EditorTest, TypeColourUndoReplaceRunAndExportAScript) {
  tk::setMenuItemChecked(1, 236, false);
  TypeScript("#s=0\rFor(#i,1,3,1)\r#s=#s+#i\rNext()\r");
  EXPECT_EQ(Text(), "#s=0\rFor(#i,1,3,1)\r   #s=#s+#i\rNext()\r");
  const int32_t next = tk::richLineIndex(Ed, 3);
  EXPECT_EQ(ColourAt(next), kStyleColour[2]);       // Next(
  EXPECT_EQ(ColourAt(0), kStyleColour[3]);          // #s
  EXPECT_EQ(ColourAt(tk::richLineIndex(Ed, 1) + 4), kStyleColour[3]);   // #i

  Type("x");
  EXPECT_EQ(Text(), "#s=0\rFor(#i,1,3,1)\r   #s=#s+#i\rNext()\rx");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "#s=0\rFor(#i,1,3,1)\r   #s=#s+#i\rNext()\r");
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Text(), "#s=0\rFor(#i,1,3,1)\r   #s=#s+#i\rNext()\rx");
  Key(Qt::Key_Backspace);
  EXPECT_EQ(Text(), "#s=0\rFor(#i,1,3,1)\r   #s=#s+#i\rNext()\r");

  // Find and replace the name through window 3, from the start.
  OnFindReplace(506);
  tk::setGadgetState(509, 1);
  tk::setGadgetState(510, 0);
  tk::setGadgetState(507, 0);
  tk::setGadgetState(508, 1);
  tk::setGadgetText(499, "#s");
  tk::setGadgetText(501, "#sum");
  tk::test::queueResult(tk::ResultOk);
  OnFindReplace(504);
  EXPECT_EQ(Text(), "#sum=0\rFor(#i,1,3,1)\r   #sum=#sum+#i\rNext()\r");

  // F5 runs it.
  tk::activateWindow(0);
  tk::setActiveGadget(Ed);
  Key(Qt::Key_F5);
  const ScriptVariable* sum = FindScriptVariable("sum");
  ASSERT_NE(sum, nullptr);
  EXPECT_EQ(TextToFloat(sum->value), 6.0f);

  // Exported as HTML, one line per editor line.
  const std::string dir = std::filesystem::temp_directory_path() / ("cv_session_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  tk::test::queueString(dir + "/script");
  OnScriptMenu(216);
  std::vector<uint8_t> d;
  ASSERT_TRUE(tk::readWholeFile(dir + "/script.html", d));
  const std::string page(d.begin(), d.end());
  size_t lines = 0;
  for (size_t p = page.find("<br>"); p != std::string::npos; p = page.find("<br>", p + 1)) ++lines;
  EXPECT_EQ(lines, 5u);
  EXPECT_NE(page.find(HtmlStyleTags[2][0] + "Next" + HtmlStyleTags[2][1] + "()<br>"), std::string::npos);
  std::filesystem::remove_all(dir);
}
