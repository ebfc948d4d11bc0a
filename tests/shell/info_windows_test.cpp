// The shortcut list file and window, the about and thanks windows, and the welcome window.
#include <QTextBrowser>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "loops_fixture.h"
#include "script/script.h"
#include "toolkit/internal.h"

using namespace loops_test;

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::string Count(int32_t n) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[size_t(i)] = char(uint32_t(n) >> (8 * i));
  return s;
}

// Runs the steps one after the other while a window's loop waits (a step runs once the
// events of the one before have been taken), then the window's own procedure returns.
class Script {
 public:
  explicit Script(std::vector<std::function<void()>> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (tk::queuedEvents() != 0 || steps_.empty()) return;
      auto step = steps_.front();
      steps_.erase(steps_.begin());
      step();
    });
    timer_.start(5);
  }

 private:
  std::vector<std::function<void()>> steps_;
  QTimer timer_;
};

void WriteKeyList(const std::string& bytes) { tk::writeWholeFile("Data/Key.list", bytes.data(), bytes.size()); }

class InfoWindowsTest : public LoopsTest {
 protected:
  void SetUp() override {
    LoopsTest::SetUp();
    old_ = tk::programFolder();
    tk::setProgramFolder(CopyProgramFolder("corvalen_info"));
  }
  void TearDown() override {
    tk::setProgramFolder(old_);
    LoopsTest::TearDown();
  }
  std::string old_;
};

}  // namespace

TEST(KeyListTest, LineEndingsCountsAndCaps) {
  // The same two sections with every kind of line end.
  for (const std::string& eol : {std::string("\r\n"), std::string("\n"), std::string("\r"), std::string(1, '\0')}) {
    const std::string file = "Bild" + eol + Count(1) + "Strg+S" + eol + "Speichern" + eol + "Script" + eol + Count(0);
    const auto s = ParseKeyList(Bytes(file));
    ASSERT_EQ(s.size(), 2u) << int(eol[0]);
    EXPECT_EQ(s[0].title, "Bild");
    ASSERT_EQ(s[0].rows.size(), 1u);
    EXPECT_EQ(s[0].rows[0], std::make_pair(std::string("Strg+S"), std::string("Speichern")));
    EXPECT_EQ(s[1].title, "Script");
    EXPECT_TRUE(s[1].rows.empty());
  }
  // A count cut off by the end reads its missing bytes as 0: 0x000002 is 2, and the rows
  // stop at the end of the data.
  auto s = ParseKeyList(Bytes("Bild\r\n\x02"));
  ASSERT_EQ(s.size(), 1u);
  EXPECT_TRUE(s[0].rows.empty());
  // Counts of zero or less are empty sections; the next section follows at once.
  s = ParseKeyList(Bytes("A\r\n" + Count(-5) + "B\r\n" + Count(0)));
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[1].title, "B");
  // A count far beyond the data ends with the data.
  s = ParseKeyList(Bytes("A\r\n" + Count(0x7FFFFFFF) + "k\r\ne\r\n"));
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].rows.size(), 1u);
  // No more sections than there are column lists.
  std::string many;
  for (int i = 0; i < 30; ++i) many += "T" + std::to_string(i) + "\r\n" + Count(0);
  s = ParseKeyList(Bytes(many));
  EXPECT_EQ(s.size(), size_t(MaxKeyListSections));
  EXPECT_TRUE(ParseKeyList({}).empty());
}

TEST(KeyListTest, ShippedFileHoldsTheFiveSectionsOfTheShortcutSets) {
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(tk::readWholeFile("Data/Key.list", bytes));
  const auto s = ParseKeyList(bytes);
  ASSERT_EQ(s.size(), 5u);
  const char* titles[5] = {"Zeichnen", "Tastaturmodus", "Scripteditor", "Effekte", "Markierter Bereich"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(s[size_t(i)].title, titles[i]);
    EXPECT_FALSE(s[size_t(i)].rows.empty());
  }
  auto has = [&](int section, const std::string& key) {
    for (const auto& r : s[size_t(section)].rows)
      if (r.first == key) return true;
    return false;
  };
  EXPECT_TRUE(has(0, "Strg+S"));
  EXPECT_TRUE(has(0, "Y"));
  EXPECT_FALSE(has(0, "Z"));         // the image set has no Z
  EXPECT_TRUE(has(2, "F5"));
  EXPECT_TRUE(has(3, "Strg+Z"));     // undo by key only in the effects view
  EXPECT_FALSE(has(0, "Strg+Z"));
}

TEST_F(InfoWindowsTest, ShortcutWindowOpensOnTheSectionAndClosesOnEnter) {
  WriteKeyList("A\r\n" + Count(1) + "k1\r\ne1\r\nB\r\n" + Count(2) + "k2\r\ne2\r\nk3\r\ne3\r\nC\r\n" + Count(-1));
  int tab = -1, rows = -1, tabs = -1;
  std::string cell;
  bool mainDisabled = false;
  {
    Script s({[&] {
      tab = tk::gadgetState(781);
      tabs = tk::countGadgetItems(781);
      rows = tk::countGadgetItems(783);
      cell = tk::gadgetItemText(783, 1, 1);
      mainDisabled = !tk::detail::window(0)->top->isEnabled();
      Post(tk::EvKeyUp, 37, -1, -1, 0, 'A');   // other keys do nothing
    },
              [&] { Post(tk::EvKeyUp, 37, -1, -1, 0, 13); }});
    ShowShortcutWindow(1);
  }
  EXPECT_EQ(tab, 1);
  EXPECT_EQ(tabs, 3);
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(cell, "e3");
  EXPECT_TRUE(mainDisabled);
  EXPECT_FALSE(tk::isWindow(37));
  EXPECT_TRUE(tk::detail::window(0)->top->isEnabled());

  // A section the file has no tab for shows the first tab.
  {
    Script s({[&] {
      tab = tk::gadgetState(781);
      Post(tk::EvClose, 37);
    }});
    ShowShortcutWindow(9);
  }
  EXPECT_EQ(tab, 0);
}

TEST_F(InfoWindowsTest, MissingKeyListIsToldAndTheWindowCloses) {
  tk::deleteFile("Data/Key.list");
  tk::test::clear();
  tk::test::queueResult(tk::ResultOk);
  ShowShortcutWindow(0);
  ASSERT_EQ(tk::test::shown().size(), 1u);
  EXPECT_EQ(tk::test::shown()[0], "Fehler|Die Datei Key.list im Ordner Data wurde nicht gefunden");
  EXPECT_FALSE(tk::isWindow(37));
  EXPECT_TRUE(tk::detail::window(0)->top->isEnabled());
}

TEST_F(InfoWindowsTest, AboutWindowSpaceThanksAndVersion) {
  ThanksList.assign(ThanksListSize, ThanksEntry{});
  for (int i = 0; i < 7; ++i)
    ThanksList[size_t(i)] = {"Name" + std::to_string(i), "Zeile 1\rZeile 2", "http://example.org/" + std::to_string(i)};
  ThanksLastIndex = 6;
  std::vector<std::string> recorded;
  tk::testSetShellRecorder(&recorded);
  std::string version;
  int links = 0;
  bool pictureShown = false, textsHidden = false, aboutDisabledBehindThanks = false, restored = false;
  std::string thanksTitle;
  int thanksLink = -1;
  {
    Script s({
        [&] {
          version = tk::gadgetText(111);
          for (int g = 10000; g < 20000; ++g)
            if (tk::isGadget(g) && tk::gadgetKind(g) == tk::GkHyperlink && tk::gadgetText(g).rfind("      Name", 0) == 0)
              ++links;
          Post(tk::EvKeyDown, 23, -1, -1, 0, 32);   // only the release counts
        },
        [&] {
          EXPECT_TRUE(tk::gadgetHidden(116));
          Post(tk::EvKeyUp, 23, -1, -1, 0, 32);
        },
        [&] {
          pictureShown = !tk::gadgetHidden(116);
          textsHidden = tk::gadgetHidden(111) && tk::gadgetHidden(114);
          Post(tk::EvKeyUp, 23, -1, -1, 0, 32);
        },
        [&] {
          restored = tk::gadgetHidden(116) && !tk::gadgetHidden(111);
          // The fourth thanks link: the gadget whose text names entry 3.
          for (int g = 10000; g < 20000; ++g)
            if (tk::isGadget(g) && tk::gadgetText(g) == "      Name3") thanksLink = g;
          Post(tk::EvGadget, 23, thanksLink, -1, tk::EtLeftClick);
        },
        [&] {
          thanksTitle = tk::windowTitle(24);
          aboutDisabledBehindThanks = !tk::detail::window(23)->top->isEnabled();
          Post(tk::EvGadget, 24, 119, -1, tk::EtLeftClick);
        },
        [&] { Post(tk::EvClose, 24); },
        [&] { Post(tk::EvGadget, 23, 112, -1, tk::EtLeftClick); },
        [&] { Post(tk::EvClose, 23); },
    });
    OpenAboutWindow();
  }
  tk::testSetShellRecorder(nullptr);
  EXPECT_NE(version.find("0.74 Final"), std::string::npos) << version;
  EXPECT_EQ(links, 7);
  EXPECT_TRUE(pictureShown);
  EXPECT_TRUE(textsHidden);
  EXPECT_TRUE(restored);
  EXPECT_EQ(thanksTitle, "Danke an Name3");
  EXPECT_TRUE(aboutDisabledBehindThanks);
  ASSERT_EQ(recorded.size(), 2u);
  EXPECT_EQ(recorded[0], "open|http://example.org/3");
  EXPECT_EQ(recorded[1].substr(0, 12), "open|MailTo:");
  EXPECT_FALSE(tk::isWindow(23));
  EXPECT_FALSE(tk::isWindow(24));
  EXPECT_FALSE(tk::isImage(15));
  EXPECT_TRUE(tk::detail::window(0)->top->isEnabled());
  EXPECT_EQ(OnErrorCode1, 1);
}

TEST_F(InfoWindowsTest, WelcomeWindowShowsThePageAndClosesOnEscape) {
  std::vector<std::string> recorded;
  tk::testSetShellRecorder(&recorded);
  ImageRecords[CurrentImage].WindowState = 9;
  ASSERT_EQ(cutsda, 1);
  std::string page;
  int shortcutsDuring = -1;
  bool waitHidden = false;
  {
    Script s({
        [&] {
          auto* b = qobject_cast<QTextBrowser*>(tk::detail::gadgetWidget(779));
          page = b ? tk::fromQt(b->toPlainText()) : "";
          waitHidden = tk::gadgetHidden(780) && !tk::gadgetHidden(779);
          shortcutsDuring = cutsda;
          // A link to the outside goes to the desktop's browser; one to another page follows.
          emit b->anchorClicked(QUrl("http://forum.corvalen.example/"));
          emit b->anchorClicked(QUrl("Gitter.html"));
          page += "|" + tk::fromQt(b->documentTitle());
          Post(tk::EvMenu, 30, -1, 449);         // F: the forum
        },
        [&] { Post(tk::EvMenu, 30, -1, 448); },  // Esc or Enter
    });
    OpenWelcomeWindow("file:\\\\" + tk::programFolder() + "FAQ\\Lineal.html");
  }
  tk::testSetShellRecorder(nullptr);
  EXPECT_NE(page.find("Lineal"), std::string::npos) << page;
  EXPECT_NE(page.find("|Gitternetz"), std::string::npos) << page;
  EXPECT_TRUE(waitHidden);
  EXPECT_EQ(shortcutsDuring, 0);
  EXPECT_EQ(cutsda, 1);                           // the image set is back
  ASSERT_EQ(recorded.size(), 2u);
  EXPECT_EQ(recorded[0], "open|http://forum.corvalen.example/");
  EXPECT_EQ(recorded[1].substr(0, 10), "open|http:");
  EXPECT_FALSE(tk::isWindow(30));
  EXPECT_TRUE(tk::detail::window(0)->top->isEnabled());
  EXPECT_EQ(OnErrorCode1, 14);
}

TEST_F(InfoWindowsTest, WelcomeWindowWithAMissingPageSaysSo) {
  std::string page;
  {
    Script s({[&] {
      auto* b = qobject_cast<QTextBrowser*>(tk::detail::gadgetWidget(779));
      page = b ? tk::fromQt(b->toPlainText()) : "";
      Post(tk::EvMenu, 30, -1, 448);
    }});
    OpenWelcomeWindow("file:\\\\" + tk::programFolder() + "FAQ\\Fehlt.html");
  }
  EXPECT_NE(page.find("nicht gefunden"), std::string::npos) << page;
}

// The Extras menu starts the snapshot tool from the program folder's "Xtra", not waiting.
TEST_F(InfoWindowsTest, ExtrasMenuStartsTheSnapshotTool) {
  std::vector<std::string> recorded;
  tk::testSetShellRecorder(&recorded);
  OnMainMenu(199);
  tk::testSetShellRecorder(nullptr);
  ASSERT_EQ(recorded.size(), 1u);
  EXPECT_EQ(recorded[0].rfind("run|" + tk::programFolder() + "Xtra/Glimvane|", 0), 0u) << recorded[0];
  EXPECT_TRUE(tk::fileExists(std::string(PROGRAM_FOLDER) + "/Xtra/Glimvane"));
}
