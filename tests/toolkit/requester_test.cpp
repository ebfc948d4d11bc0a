// Requesters in test mode (answers from the queue), the file filters, and the shell calls.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include "toolkit/internal.h"
#include "toolkit/toolkit.h"

namespace {

class RequesterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tk::test::enabled());
    tk::test::clear();
  }
  void TearDown() override { tk::test::clear(); }
};

TEST_F(RequesterTest, EachKindAnswersFromTheQueue) {
  tk::test::queueResult(tk::ResultNo);
  tk::test::queueString("Neu");
  tk::test::queueFileAnswer("/tmp/a.png", 2);
  tk::test::queueString("/tmp/b.bmp");
  tk::test::queueString("/tmp/");
  tk::test::queueColor(0x123456);
  tk::FontChoice chosen{"Courier", 14, tk::FontBold, 0};
  tk::test::queueFont(chosen, true);
  EXPECT_EQ(tk::test::pending(), 7);

  EXPECT_EQ(tk::messageRequester("Frage", "Speichern?", tk::MsgYesNoCancel), tk::ResultNo);
  EXPECT_EQ(tk::inputRequester("Name", "Wie?", "alt"), "Neu");
  int pattern = -1;
  EXPECT_EQ(tk::openFileRequester("Laden", "", "Bitmap|*.bmp|JPEG|*.jpg|PNG|*.png", 0, &pattern), "/tmp/a.png");
  EXPECT_EQ(pattern, 2);
  EXPECT_EQ(tk::saveFileRequester("Speichern", "", "Bitmap|*.bmp|PNG|*.png", 1, &pattern), "/tmp/b.bmp");
  EXPECT_EQ(pattern, 1);  // a plain text answer keeps the pattern passed in
  EXPECT_EQ(tk::folderRequester("Ordner", ""), "/tmp/");
  uint32_t custom[16] = {};
  EXPECT_EQ(tk::colorRequester(0, custom), 0x123456);
  tk::FontChoice f{"Arial", 12, 0, 0};
  EXPECT_TRUE(tk::fontRequester(f));
  EXPECT_EQ(f.face, "Courier");
  EXPECT_EQ(f.size, 14);
  EXPECT_EQ(f.style, unsigned(tk::FontBold));

  EXPECT_EQ(tk::test::pending(), 0);
  std::vector<std::string> expected = {"Frage|Speichern?", "Name", "Laden", "Speichern", "Ordner", "Farbe",
                                       "Schriftart"};
  EXPECT_EQ(tk::test::shown(), expected);
}

TEST_F(RequesterTest, CancelAnswers) {
  tk::test::queueString("");
  tk::test::queueColor(-1);
  tk::FontChoice other{"Other", 30, tk::FontItalic, 0};
  tk::test::queueFont(other, false);
  EXPECT_EQ(tk::inputRequester("Name", "Wie?", "alt"), "");
  EXPECT_EQ(tk::colorRequester(0xFF), -1);
  tk::FontChoice f{"Arial", 12, 0, 0};
  EXPECT_FALSE(tk::fontRequester(f));
  EXPECT_EQ(f.face, "Arial");  // unchanged when cancelled
  EXPECT_EQ(f.size, 12);
}

TEST_F(RequesterTest, MissingOrWrongAnswerThrowsAtOnce) {
  EXPECT_THROW(tk::messageRequester("Fehler", "leer"), tk::TestRequesterError);
  EXPECT_THROW(tk::inputRequester("Name", "?", ""), tk::TestRequesterError);

  tk::test::queueString("x");
  EXPECT_THROW(tk::messageRequester("Fehler", "falsch"), tk::TestRequesterError);
  EXPECT_THROW(tk::colorRequester(0), tk::TestRequesterError);
  EXPECT_EQ(tk::test::pending(), 1);  // a refused answer stays queued
  tk::test::clear();

  tk::test::queueFileAnswer("/tmp/a", 0);  // file answers suit file requesters only
  EXPECT_THROW(tk::inputRequester("Name", "?", ""), tk::TestRequesterError);
  EXPECT_THROW(tk::folderRequester("Ordner", ""), tk::TestRequesterError);
  tk::test::clear();

  struct { unsigned flags; int result; bool ok; } buttons[] = {
      {tk::MsgOk, tk::ResultOk, true},          {tk::MsgOk, tk::ResultYes, false},
      {tk::MsgYesNo, tk::ResultYes, true},      {tk::MsgYesNo, tk::ResultCancel, false},
      {tk::MsgYesNo | tk::MsgWarning, tk::ResultOk, false},
      {tk::MsgYesNoCancel | tk::MsgError, tk::ResultCancel, true},
  };
  for (auto& c : buttons) {
    tk::test::clear();
    tk::test::queueResult(c.result);
    if (c.ok)
      EXPECT_EQ(tk::messageRequester("T", "x", c.flags), c.result) << c.flags << " " << c.result;
    else
      EXPECT_THROW(tk::messageRequester("T", "x", c.flags), tk::TestRequesterError) << c.flags << " " << c.result;
  }
}

TEST_F(RequesterTest, ShownRecordsRefusedRequestersToo) {
  EXPECT_THROW(tk::messageRequester("Titel", "Text\rZeile 2"), tk::TestRequesterError);
  ASSERT_EQ(tk::test::shown().size(), 1u);
  EXPECT_EQ(tk::test::shown()[0], "Titel|Text\rZeile 2");
  tk::test::clear();
  EXPECT_TRUE(tk::test::shown().empty());
}

TEST(RequesterFilters, PatternStringBecomesNameFilters) {
  struct { const char* patterns; std::vector<std::string> filters; } cases[] = {
      {"Bitmap|*.bmp|JPEG|*.jpg", {"Bitmap (*.bmp)", "JPEG (*.jpg)"}},
      {"Bilder|*.bmp;*.png", {"Bilder (*.bmp *.png)"}},
      {"HTML-Datei|*.html*", {"HTML-Datei (*.html*)"}},
      {"Alle", {"Alle (*)"}},
      {"", {}},
      {"Bitmap|*.bmp|", {"Bitmap (*.bmp)"}},
      {"256 Farben \xC4|*.bmp", {"256 Farben \xC4 (*.bmp)"}},
  };
  for (auto& c : cases) EXPECT_EQ(tk::fileFilters(c.patterns), c.filters) << c.patterns;
}

// Input to a requester's own widgets never lands in the program's queue: the dialog is
// a window of its own, not one of ours, even with our window as its parent.
TEST(RequesterDialogInput, StaysOutOfTheQueue) {
  int win = tk::openWindow(-1, 0, 0, 200, 100, "Haupt", tk::WfCaption);
  ASSERT_GE(win, 0);
  tk::drainEvents();
  {
    QDialog dlg(tk::detail::window(win)->top);
    auto* edit = new QLineEdit(&dlg);
    dlg.show();
    QTest::keyClicks(edit, "ab");
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_EQ(edit->text(), QStringLiteral("ab"));
    tk::processPending();
  }
  EXPECT_EQ(tk::queuedEvents(), 0);
  tk::closeWindow(win);
  tk::drainEvents();
}

class RequesterShellTest : public ::testing::Test {
 protected:
  void SetUp() override { tk::testSetShellRecorder(&record); }
  void TearDown() override { tk::testSetShellRecorder(nullptr); }
  std::vector<std::string> record;
};

TEST_F(RequesterShellTest, RecorderTakesTheCalls) {
  const std::string pf = tk::programFolder();
  EXPECT_TRUE(tk::runProgram("Tools\\conv", "-a \"b c\"", "Data\\"));
  EXPECT_TRUE(tk::runProgram("kein-solches-programm-xyz"));  // bare name: left to the search path
  EXPECT_TRUE(tk::openWithShell("http://example.org/"));
  EXPECT_TRUE(tk::openWithShell("Hilfe\\index.html"));
  EXPECT_FALSE(tk::runProgram(""));
  EXPECT_FALSE(tk::openWithShell(""));
  std::vector<std::string> expected = {
      "run|" + pf + "Tools/conv|-a \"b c\"|" + pf + "Data/",
      "run|kein-solches-programm-xyz||",
      "open|http://example.org/",
      "open|Hilfe\\index.html",
  };
  EXPECT_EQ(record, expected);
}

TEST(RequesterShellReal, MissingProgramDoesNotStart) {
  EXPECT_FALSE(tk::runProgram("/nonexistent/folder/prog-xyz"));
}

}  // namespace
