// The editor's own undo and redo, driven by real keys through the script view's loop.
#include <filesystem>

#include "editor_fixture.h"

using namespace editor_test;

TEST_F(EditorTest, TypingRecordsOneStepPerKeyAndUndoRedoWalkBothWays) {
  Type("ab");
  EXPECT_EQ(Text(), "ab");
  EXPECT_EQ(EditUndoList.size(), 2u);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "a");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "");
  Key(Qt::Key_Z, Qt::ControlModifier);   // nothing left: nothing changes
  EXPECT_EQ(Text(), "");
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Text(), "a");
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Text(), "ab");
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Text(), "ab");
  EXPECT_EQ(EditUndoList.size(), 2u);

  // A typed character over a selection: undo puts the selection back, redo types again.
  Set("hello", 1, 4);
  Type("x");
  EXPECT_EQ(Text(), "hxo");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "hello");
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Text(), "hxo");
}

// Each key's step covers exactly what the key changed: one undo brings the text back.
TEST_F(EditorTest, EditingKeysAreUndoneExactly) {
  struct Case {
    const char* name;
    const char* text;
    int32_t s, e;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const char* after;
  };
  const Case cases[] = {
      {"backspace", "abc", 2, 2, Qt::Key_Backspace, Qt::NoModifier, "ac"},
      {"backspace over a line end", "ab\rcd", 3, 3, Qt::Key_Backspace, Qt::NoModifier, "abcd"},
      {"backspace over a selection", "abcdef", 1, 4, Qt::Key_Backspace, Qt::NoModifier, "aef"},
      {"delete", "abc", 0, 0, Qt::Key_Delete, Qt::NoModifier, "bc"},
      {"delete a line end", "ab\rcd", 2, 2, Qt::Key_Delete, Qt::NoModifier, "abcd"},
      {"cut", "abcdef", 2, 5, Qt::Key_X, Qt::ControlModifier, "abf"},
      {"paste over a selection", "abcdef", 1, 3, Qt::Key_V, Qt::ControlModifier, "aXY\rZdef"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tk::setClipboardText("XY\r\nZ");
    ResetScriptEditorState();
    Set(c.text, c.s, c.e);
    Key(c.key, c.mods);
    EXPECT_EQ(Text(), c.after);
    ASSERT_EQ(EditUndoList.size(), 1u);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), c.text);
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Text(), c.after);
  }
}

TEST_F(EditorTest, UndoDepthCapsBothListsAndCaptureOnlyKeepsRedo) {
  EditUndoDepth = 3;
  Type("abcde");
  EXPECT_EQ(EditUndoList.size(), 3u);
  for (int i = 0; i < 5; ++i) Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Text(), "ab");   // the two oldest steps were dropped
  EXPECT_EQ(EditRedoList.size(), 3u);
  // Copying (code 5) records nothing and keeps redo possible.
  tk::richSetSelection(Ed, 0, 1);
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(EditUndoList.empty());
  EXPECT_EQ(EditRedoList.size(), 3u);
  // A second call without a handler in between records nothing.
  EditCaptureDone = 1;
  CreateEditUndo(0);
  EXPECT_TRUE(EditUndoList.empty());
  // A new edit ends the redo chain.
  tk::richSetSelection(Ed, 2, 2);
  Type("z");
  EXPECT_TRUE(EditRedoList.empty());
  EXPECT_EQ(EditUndoList.size(), 1u);
}

TEST_F(EditorTest, HoldingAnArrowRecordsNothingAndTheReleaseColoursTheLine) {
  Set("plot(1)", 0, 0);
  tk::richFormatRange(Ed, 0, 7, tk::CharFormat{});
  for (int i = 0; i < 4; ++i) Press(Qt::Key_Right, Qt::NoModifier, i > 0);
  EXPECT_TRUE(EditUndoList.empty());
  EXPECT_NE(ColourAt(0), kStyleColour[2]);   // not coloured while held
  Release(Qt::Key_Right);
  EXPECT_TRUE(EditUndoList.empty());
  EXPECT_EQ(ColourAt(0), kStyleColour[2]);
  EXPECT_EQ(Text(), "Plot(1)");
}

TEST_F(EditorTest, ListsSurviveASaveAndLoadWholeAndTheFilesGo) {
  ASSERT_TRUE(UndoAvailable);
  CurrentImage = 1;
  const std::string longText(70000, 'q');
  EditUndoList = {{1, 2, "line one\r\nline two"}, {3, 4, longText}, {-5, 0, ""}};
  EditRedoList = {{7, 8, "re\rdo", 9, 10, "un\ndone"}};
  const auto undo = EditUndoList;
  const auto redo = EditRedoList;
  SaveEditUndoLists();
  EXPECT_TRUE(EditUndoList.empty());
  EXPECT_TRUE(EditRedoList.empty());
  const std::string folder = SlotFolder(1);
  EXPECT_TRUE(tk::fileExists(folder + "data.ub"));
  LoadEditUndoLists(1);
  auto same = [](const std::list<EditStep>& a, const std::list<EditStep>& b) {
    if (a.size() != b.size()) return false;
    return std::equal(a.begin(), a.end(), b.begin(), [](const EditStep& x, const EditStep& y) {
      return x.position == y.position && x.end == y.end && x.text == y.text && x.undonePosition == y.undonePosition &&
             x.undoneEnd == y.undoneEnd && x.undoneText == y.undoneText;
    });
  };
  EXPECT_TRUE(same(EditUndoList, undo));
  EXPECT_TRUE(same(EditRedoList, redo));
  EXPECT_FALSE(tk::fileExists(folder + "data.ub"));
  EXPECT_FALSE(tk::fileExists(folder + "data.rb"));

  // A damaged file: a text length past its end stops the reading after the whole records.
  const uint8_t broken[] = {1, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 'a',          // whole
                            3, 0, 0, 0, 4, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 'b'};  // length past the end
  tk::writeWholeFile(folder + "data.ub", broken, sizeof broken);
  const uint8_t negative[] = {1, 0, 0, 0, 2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  tk::writeWholeFile(folder + "data.rb", negative, sizeof negative);
  LoadEditUndoLists(1);
  ASSERT_EQ(EditUndoList.size(), 1u);
  EXPECT_EQ(EditUndoList.front().text, "a");
  EXPECT_TRUE(EditRedoList.empty());
  // Missing files leave both lists empty.
  LoadEditUndoLists(1);
  EXPECT_TRUE(EditUndoList.empty());
}

// The focus entering the editor is recorded with code 6 by the mode loop: it captures but
// adds no step, so no undo takes away a character the user typed.
TEST_F(EditorTest, FocusEnteringTheEditorAddsNoStep) {
  Set("abc", 2, 2);
  CreateEditUndo(6);
  EXPECT_TRUE(EditUndoList.empty());
  EXPECT_EQ(EditCaptureDone, 1);
  EditUndo();
  EXPECT_EQ(Text(), "abc");
}
