// The rich editor: offsets, lines, selection, replacing, formats, find and key order.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextEdit>
#include <QTest>

#include "toolkit/internal.h"
#include "toolkit/toolkit.h"

namespace {

// "abc" / "de" / "" / "fghij": offsets 0-2, break 3, 4-5, break 6, break 7, 8-12; length 13.
const char* kLines = "abc\r\nde\r\n\r\nfghij";

class RichTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win = tk::openWindow(-1, 0, 0, 300, 200, "Rich", tk::WfCaption);
    ASSERT_GE(win, 0);
    ed = tk::richEditor(-1, 0, 0, 300, 200);
    ASSERT_GE(ed, 0);
    tk::drainEvents();
  }
  void TearDown() override {
    tk::closeWindow(win);
    tk::drainEvents();
  }
  // Polls everything queued now.
  std::vector<tk::Event> pollAll() {
    std::vector<tk::Event> out;
    while (tk::pollEvent() != tk::EvNone) out.push_back(tk::currentEvent());
    return out;
  }
  static bool hasChange(const std::vector<tk::Event>& evs, int gadget) {
    for (auto& e : evs)
      if (e.code == tk::EvGadget && e.gadget == gadget && e.type == tk::EtChange) return true;
    return false;
  }
  int win = -1, ed = -1;
};

TEST_F(RichTest, TextBreaksCountOneAndComeBackAsCR) {
  tk::setRichText(ed, kLines);
  EXPECT_EQ(tk::richText(ed), "abc\rde\r\rfghij");
  EXPECT_EQ(tk::richTextLength(ed), 13);
  EXPECT_EQ(tk::richLineCount(ed), 4);
  tk::setRichText(ed, "x\ry\nz");
  EXPECT_EQ(tk::richText(ed), "x\ry\rz");
  tk::setRichText(ed, "\xE4\xF6\xFC\x80");  // Windows-1252 survives
  EXPECT_EQ(tk::richText(ed), "\xE4\xF6\xFC\x80");
  EXPECT_TRUE(pollAll().empty());  // the program's own changes raise no event
}

TEST_F(RichTest, LineFunctions) {
  tk::setRichText(ed, kLines);
  struct { int32_t offset, line, length; } fromChar[] = {
      {0, 0, 3}, {3, 0, 3}, {4, 1, 2}, {6, 1, 2}, {7, 2, 0}, {8, 3, 5}, {13, 3, 5}, {99, 3, 5},
  };
  for (auto& c : fromChar) {
    EXPECT_EQ(tk::richLineFromChar(ed, c.offset), c.line) << c.offset;
    EXPECT_EQ(tk::richLineLength(ed, c.offset), c.length) << c.offset;
  }
  struct { int32_t line, index; const char* text; } lines[] = {
      {0, 0, "abc"}, {1, 4, "de"}, {2, 7, ""}, {3, 8, "fghij"}, {4, -1, ""}, {100, -1, ""},
  };
  for (auto& c : lines) {
    EXPECT_EQ(tk::richLineIndex(ed, c.line), c.index) << c.line;
    EXPECT_EQ(tk::richLine(ed, c.line), c.text) << c.line;
  }
  tk::richSetSelection(ed, 5, 5);  // -1 stands for the caret's line
  EXPECT_EQ(tk::richLineFromChar(ed, -1), 1);
  EXPECT_EQ(tk::richLineIndex(ed, -1), 4);
  EXPECT_EQ(tk::richLineLength(ed, -1), 2);
}

TEST_F(RichTest, Selection) {
  tk::setRichText(ed, kLines);
  struct { int32_t start, end, gotStart, gotEnd; const char* text; } cases[] = {
      {1, 5, 1, 5, "bc\rd"}, {5, 1, 1, 5, "bc\rd"}, {0, -1, 0, 13, "abc\rde\r\rfghij"},
      {10, 99, 10, 13, "hij"}, {-1, 4, 13, 13, ""},  // -1: selection dropped at its end
      {6, 6, 6, 6, ""}, {-7, -7, 6, 6, ""},
  };
  for (auto& c : cases) {
    tk::richSetSelection(ed, c.start, c.end);
    int32_t s = -9, e = -9;
    tk::richGetSelection(ed, &s, &e);
    EXPECT_EQ(s, c.gotStart) << c.start << "," << c.end;
    EXPECT_EQ(e, c.gotEnd) << c.start << "," << c.end;
    EXPECT_EQ(tk::richSelectedText(ed), c.text) << c.start << "," << c.end;
  }
}

TEST_F(RichTest, ReplaceWithAndWithoutUndo) {
  tk::setRichText(ed, kLines);
  EXPECT_FALSE(tk::richCanUndo(ed));
  tk::richSetSelection(ed, 4, 6);
  tk::richReplaceSelection(ed, "XY\r\nZ", true);
  EXPECT_EQ(tk::richText(ed), "abc\rXY\rZ\r\rfghij");
  int32_t s, e;
  tk::richGetSelection(ed, &s, &e);
  EXPECT_EQ(s, 8);  // caret after the inserted text, the break counted once
  EXPECT_EQ(e, 8);
  ASSERT_TRUE(tk::richCanUndo(ed));
  tk::richUndo(ed);  // one step for the whole replacement
  EXPECT_EQ(tk::richText(ed), "abc\rde\r\rfghij");

  tk::richSetSelection(ed, 0, 0);
  tk::richReplaceSelection(ed, "1", true);
  tk::richReplaceSelection(ed, "2", false);
  EXPECT_EQ(tk::richText(ed), "12abc\rde\r\rfghij");
  EXPECT_FALSE(tk::richCanUndo(ed));  // an unrecorded edit drops the older steps
  tk::richUndo(ed);
  EXPECT_EQ(tk::richText(ed), "12abc\rde\r\rfghij");
  tk::richReplaceSelection(ed, "3", true);  // recording works again afterwards
  EXPECT_TRUE(tk::richCanUndo(ed));
  EXPECT_TRUE(pollAll().empty());
}

TEST_F(RichTest, EmptyUndo) {
  tk::setRichText(ed, "abc");
  tk::richSetSelection(ed, 3, 3);
  tk::richReplaceSelection(ed, "d", true);
  ASSERT_TRUE(tk::richCanUndo(ed));
  tk::richEmptyUndo(ed);
  EXPECT_FALSE(tk::richCanUndo(ed));
  tk::richUndo(ed);
  EXPECT_EQ(tk::richText(ed), "abcd");
}

TEST_F(RichTest, CharFormatOnSelectionOnly) {
  tk::setRichText(ed, "rot normal");
  tk::CharFormat f;
  f.mask = tk::CharFormat::HasColor | tk::CharFormat::HasBold | tk::CharFormat::HasFace |
           tk::CharFormat::HasSize | tk::CharFormat::HasUnderline;
  f.color = 0x0000FF;
  f.bold = true;
  f.underline = true;
  f.face = "Courier New";
  f.heightTwips = 240;
  tk::richSetSelection(ed, 0, 3);
  tk::richSetCharFormat(ed, f);
  tk::CharFormat g = tk::richCharFormat(ed);
  EXPECT_EQ(g.color, 0x0000FFu);
  EXPECT_TRUE(g.bold);
  EXPECT_FALSE(g.italic);
  EXPECT_TRUE(g.underline);
  EXPECT_EQ(g.face, "Courier New");
  EXPECT_EQ(g.heightTwips, 240);

  tk::richSetSelection(ed, 4, 10);  // untouched
  g = tk::richCharFormat(ed);
  EXPECT_FALSE(g.bold);
  EXPECT_NE(g.color, 0x0000FFu);

  tk::CharFormat it;  // the mask limits what changes
  it.mask = tk::CharFormat::HasItalic;
  it.italic = true;
  tk::richSetSelection(ed, 1, 2);
  tk::richSetCharFormat(ed, it);
  g = tk::richCharFormat(ed);
  EXPECT_TRUE(g.italic);
  EXPECT_TRUE(g.bold);
  EXPECT_EQ(g.color, 0x0000FFu);

  tk::CharFormat face;
  face.mask = tk::CharFormat::HasFace;
  face.face = std::string(40, 'F');
  tk::richSetCharFormat(ed, face);
  EXPECT_EQ(tk::richCharFormat(ed).face, std::string(31, 'F'));
  EXPECT_EQ(tk::richText(ed), "rot normal");
}

TEST_F(RichTest, Find) {
  // "Hallo Welt" 0-9, break 10, "hallo welten" 11-22, break 23, "HALLO" 24-28.
  tk::setRichText(ed, "Hallo Welt\r\nhallo welten\r\nHALLO");
  using tk::FindDown, tk::FindWholeWord, tk::FindMatchCase;
  struct { const char* what; int32_t from, to; unsigned flags; int32_t found; } cases[] = {
      {"hallo", 0, -1, FindDown, 0},
      {"hallo", 1, -1, FindDown, 11},
      {"hallo", 0, -1, FindDown | FindMatchCase, 11},
      {"hallo", 0, 15, FindDown, 0},
      {"hallo", 1, 15, FindDown, -1},          // the match must end by `to`
      {"welt", 0, -1, FindDown | FindWholeWord, 6},
      {"welt", 7, -1, FindDown | FindWholeWord, -1},
      {"welt", 7, -1, FindDown, 17},
      {"Welt\rhallo", 0, -1, FindDown, 6},     // a break is one character
      {"hallo", 29, -1, 0, 24},                // upwards from the end
      {"hallo", 24, -1, 0, 11},
      {"hallo", 29, 12, 0, 24},
      {"hallo", 28, 12, 0, -1},
      {"Hallo", 29, -1, FindMatchCase, 0},
      {"welt", 29, -1, FindWholeWord, 6},
      {"hallo", 99, -1, 0, 24},                // offsets are clamped
      {"", 0, -1, FindDown, -1},
      {"nirgends", 0, -1, FindDown, -1},
  };
  for (auto& c : cases) {
    int32_t end = -5;
    int32_t at = tk::richFind(ed, c.what, c.from, c.to, c.flags, &end);
    EXPECT_EQ(at, c.found) << c.what << " " << c.from << ".." << c.to << " flags " << c.flags;
    if (at >= 0) EXPECT_EQ(end, at + int32_t(tk::toQt(c.what).size()));
  }
}

// The program's key handler runs before the editor inserts the typed character.
TEST_F(RichTest, KeyReachesProgramBeforeText) {
  tk::setRichText(ed, "ab");
  tk::richSetSelection(ed, 2, 2);
  QWidget* w = tk::detail::gadgetWidget(ed);
  ASSERT_NE(w, nullptr);
  QTest::keyClick(w, Qt::Key_X, Qt::NoModifier);
  EXPECT_EQ(tk::richText(ed), "ab");
  ASSERT_GT(tk::queuedEvents(), 0);
  ASSERT_EQ(tk::pollEvent(), tk::EvKeyDown);
  EXPECT_EQ(tk::eventWParam(), 'X');
  EXPECT_EQ(tk::eventGadget(), ed);
  EXPECT_EQ(tk::richText(ed), "abx");  // inserted by the time the handler's poll returned
  EXPECT_TRUE(hasChange(pollAll(), ed));  // the user's change is reported

  QTest::keyClicks(w, "yz");  // several keys before one poll: all applied, in order
  EXPECT_EQ(tk::richText(ed), "abx");
  std::vector<int> downs;
  for (auto& e : pollAll())
    if (e.code == tk::EvKeyDown) downs.push_back(int(e.wParam));
  EXPECT_EQ(downs, (std::vector<int>{'Y', 'Z'}));
  EXPECT_EQ(tk::richText(ed), "abxyz");
}

TEST_F(RichTest, PasteTakesPlainText) {
  auto* te = qobject_cast<QTextEdit*>(tk::detail::gadgetWidget(ed));
  ASSERT_NE(te, nullptr);
  EXPECT_EQ(te->property("tkClass").toString(), QStringLiteral("RichEdit20A"));
  auto* mime = new QMimeData;
  mime->setHtml(QStringLiteral("<b>fett</b>"));
  mime->setText(QStringLiteral("fett"));
  QApplication::clipboard()->setMimeData(mime);
  te->paste();
  EXPECT_EQ(tk::richText(ed), "fett");
  tk::richSetSelection(ed, 0, 2);
  EXPECT_FALSE(tk::richCharFormat(ed).bold);
}

TEST(RichNoGadget, UnknownGadgetFailsCleanly) {
  const int g = 987654;
  tk::setRichText(g, "x");
  tk::richSetSelection(g, 0, 1);
  tk::richReplaceSelection(g, "y", true);
  tk::richSetCharFormat(g, tk::CharFormat{});
  tk::richUndo(g);
  int32_t s = 7, e = 7;
  tk::richGetSelection(g, &s, &e);
  EXPECT_EQ(s, 0);
  EXPECT_EQ(e, 0);
  EXPECT_EQ(tk::richText(g), "");
  EXPECT_EQ(tk::richTextLength(g), 0);
  EXPECT_EQ(tk::richLineIndex(g, 0), -1);
  EXPECT_EQ(tk::richFind(g, "x", 0, -1, tk::FindDown), -1);
  EXPECT_FALSE(tk::richCanUndo(g));
}

}  // namespace
