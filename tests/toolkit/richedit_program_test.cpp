// The rich editor calls a program's own colouring and key handling use: formats and
// replacements of a range that leave the selection alone, batched changes, and keys the
// editor leaves to the program.
#include <gtest/gtest.h>

#include <QTest>

#include "toolkit/internal.h"
#include "toolkit/toolkit.h"

namespace {

class RichProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win = tk::openWindow(-1, 0, 0, 300, 200, "Rich", tk::WfCaption);
    ed = tk::richEditor(-1, 0, 0, 300, 200);
    ASSERT_GE(ed, 0);
    tk::drainEvents();
  }
  void TearDown() override {
    tk::closeWindow(win);
    tk::drainEvents();
  }
  int win = -1, ed = -1;
};

}  // namespace

TEST_F(RichProgramTest, RangeFormatsAndReplacementsKeepTheSelection) {
  tk::setRichText(ed, "abc\rdef");
  tk::richSetSelection(ed, 5, 6);
  tk::CharFormat f;
  f.color = 0x0000FF;
  f.bold = true;
  tk::richBeginChanges(ed);
  tk::richFormatRange(ed, 0, 2, f);
  tk::richReplaceRange(ed, 1, 2, "X");   // same length
  tk::richBeginChanges(ed);               // nests
  tk::richEndChanges(ed);
  tk::richEndChanges(ed);
  int32_t s = 0, e = 0;
  tk::richGetSelection(ed, &s, &e);
  EXPECT_EQ(s, 5);
  EXPECT_EQ(e, 6);
  EXPECT_EQ(tk::richText(ed), "aXc\rdef");
  tk::richSetSelection(ed, 0, 1);
  EXPECT_EQ(tk::richCharFormat(ed).color, 0x0000FFu);
  EXPECT_TRUE(tk::richCharFormat(ed).bold);
  tk::richSetSelection(ed, 2, 3);
  EXPECT_FALSE(tk::richCharFormat(ed).bold);
  EXPECT_FALSE(tk::richCanUndo(ed));
  // The program's changes raise no change event.
  while (tk::pollEvent() != tk::EvNone) EXPECT_NE(tk::eventType(), tk::EtChange);
}

TEST_F(RichProgramTest, IgnoredKeysReachTheProgramButNotTheText) {
  tk::richIgnoreKeys(ed, {0x09, tk::ModCtrl + 'Z'});
  tk::setRichText(ed, "ab");
  tk::richSetSelection(ed, 1, 1);
  QWidget* w = tk::detail::gadgetWidget(ed);
  QTest::keyClick(w, Qt::Key_Tab);
  ASSERT_EQ(tk::pollEvent(), tk::EvKeyDown);
  EXPECT_EQ(tk::eventWParam(), 0x09);
  EXPECT_EQ(tk::richText(ed), "ab");
  QTest::keyClick(w, Qt::Key_Z);   // a plain z is typed
  tk::drainEvents();
  EXPECT_EQ(tk::richText(ed), "azb");
}
