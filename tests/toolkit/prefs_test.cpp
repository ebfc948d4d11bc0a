// Preference files: reading with defaults, rewriting in place, CR LF, failures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "toolkit/tk_file.h"
#include "file_size_limit.h"

namespace fs = std::filesystem;

namespace {

const char kSample[] =
    "; Kommentar\r\n"
    "top=1\r\n"
    "\r\n"
    "[All]\r\n"
    "Name = Bild\r\n"
    "Width=640\r\n"
    "# noch ein Kommentar\r\n"
    "unbekannte Zeile\r\n"
    "\r\n"
    "[Editorstyle]\n"          // a lone LF is read as well
    "name = Style\r\n"
    "Scale = 1,5\r\n"
    "Zoom = 0.25\r\n"
    "Bad = abc\r\n";

class PrefTest : public testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tkprefXXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = std::string(tmpl) + "/";
    file_ = dir_ + "Konfig.ini";
  }
  void TearDown() override {
    tk::closePreferences();
    fs::remove_all(dir_);
  }
  void put(const std::string& bytes) { std::ofstream(file_, std::ios::binary) << bytes; }
  std::string get() {
    std::ifstream in(file_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string dir_, file_;
};

TEST_F(PrefTest, ReadsMatchWithoutCaseAndFallBackToDefaults) {
  put(kSample);
  ASSERT_TRUE(tk::openPreferences(file_));
  struct Case { const char* group; const char* key; const char* want; };
  const Case strings[] = {
      {"", "TOP", "1"},
      {"all", "NAME", "Bild"},
      {"ALL", "width", "640"},
      {"editorSTYLE", "Name", "Style"},     // the same key in another group
      {"All", "Scale", "def"},              // a key of another group
      {"Nirgends", "Name", "def"},
      {"All", "unbekannte Zeile", "def"},
  };
  for (const Case& c : strings) {
    SCOPED_TRACE(std::string(c.group) + "/" + c.key);
    tk::preferenceGroup(c.group);
    EXPECT_EQ(tk::readPreferenceString(c.key, "def"), c.want);
  }
  tk::preferenceGroup("All");
  EXPECT_EQ(tk::readPreferenceLong("Width", 1), 640);
  EXPECT_EQ(tk::readPreferenceLong("Height", 100), 100);
  EXPECT_EQ(tk::readPreferenceLong("Name", -7), -7);   // not a number
  tk::preferenceGroup("Editorstyle");
  EXPECT_FLOAT_EQ(tk::readPreferenceFloat("Scale", 0), 1.5f);
  EXPECT_FLOAT_EQ(tk::readPreferenceFloat("zoom", 0), 0.25f);
  EXPECT_FLOAT_EQ(tk::readPreferenceFloat("Bad", 2.5f), 2.5f);
  EXPECT_FLOAT_EQ(tk::readPreferenceFloat("Missing", 3.5f), 3.5f);
  EXPECT_EQ(tk::preferenceKeys(), (std::vector<std::string>{"name", "Scale", "Zoom", "Bad"}));
  EXPECT_EQ(tk::preferenceGroups(), (std::vector<std::string>{"All", "Editorstyle"}));
  EXPECT_TRUE(tk::closePreferences());
}

// Numbers outside 32 bits would wrap into unrelated values: they read as missing.
TEST_F(PrefTest, LongsOutsideThirtyTwoBitsTakeTheDefault) {
  put("[All]\r\n"
      "a = 2147483647\r\nb = -2147483648\r\nc = 4294967295\r\n"
      "d = 4294967296\r\ne = -2147483649\r\nf = 1000000000000\r\n"
      "g = 99999999999999999999999\r\nh = +12\r\n");
  ASSERT_TRUE(tk::openPreferences(file_));
  tk::preferenceGroup("All");
  struct Case { const char* key; int32_t want; };
  const Case cases[] = {
      {"a", INT32_MAX}, {"b", INT32_MIN}, {"c", -1},   // written unsigned: -1
      {"d", 77}, {"e", 77}, {"f", 77}, {"g", 77}, {"h", 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(tk::readPreferenceLong(c.key, 77), c.want);
  }
  tk::closePreferences();
}

TEST_F(PrefTest, RewriteKeepsLinesAndChangesInPlace) {
  put(kSample);
  ASSERT_TRUE(tk::openPreferences(file_));
  tk::preferenceGroup("ALL");
  tk::writePreferenceLong("WIDTH", 800);          // in place, the key's own spelling
  tk::writePreferenceString("Height", "480");     // new key at the end of its group
  tk::preferenceGroup("");
  tk::writePreferenceFloat("Faktor", 0.5f);       // the unnamed group at the top
  tk::preferenceGroup("editorstyle");
  tk::removePreferenceKey("bad");
  tk::preferenceGroup("PickColor");
  tk::writePreferenceLong("Color1", -1);          // new group at the end
  tk::writePreferenceString("Text", "Gr\xF6\xDF" "e \x80");
  EXPECT_EQ(tk::readPreferenceLong("color1", 0), -1);
  EXPECT_TRUE(tk::closePreferences());
  EXPECT_EQ(get(),
            "; Kommentar\r\n"
            "top=1\r\n"
            "Faktor = 0.5\r\n"
            "\r\n"
            "[All]\r\n"
            "Name = Bild\r\n"
            "Width=800\r\n"
            "# noch ein Kommentar\r\n"
            "unbekannte Zeile\r\n"
            "Height = 480\r\n"
            "\r\n"
            "[Editorstyle]\r\n"
            "name = Style\r\n"
            "Scale = 1,5\r\n"
            "Zoom = 0.25\r\n"
            "\r\n"
            "[PickColor]\r\n"
            "Color1 = -1\r\n"
            "Text = Gr\xF6\xDF" "e \x80\r\n");

  ASSERT_TRUE(tk::openPreferences(file_));
  tk::preferenceGroup("pickcolor");
  EXPECT_EQ(tk::readPreferenceString("TEXT", ""), "Gr\xF6\xDF" "e \x80");
  tk::preferenceGroup("");
  EXPECT_FLOAT_EQ(tk::readPreferenceFloat("faktor", 0), 0.5f);
  EXPECT_TRUE(tk::closePreferences());
}

TEST_F(PrefTest, UnchangedFileIsNotRewritten) {
  put(kSample);
  ASSERT_TRUE(tk::openPreferences(file_));
  tk::preferenceGroup("All");
  tk::writePreferenceString("Name", "Bild");   // the same value
  put("replaced meanwhile");
  EXPECT_TRUE(tk::closePreferences());
  EXPECT_EQ(get(), "replaced meanwhile");
}

TEST_F(PrefTest, MissingFileGivesDefaultsAndWritesNothing) {
  EXPECT_FALSE(tk::openPreferences(file_));
  tk::preferenceGroup("All");
  EXPECT_EQ(tk::readPreferenceLong("Width", 100), 100);
  EXPECT_EQ(tk::readPreferenceString("Name", "x"), "x");
  tk::writePreferenceLong("Width", 5);
  EXPECT_EQ(tk::readPreferenceLong("Width", 100), 100);
  EXPECT_FALSE(tk::closePreferences());
  EXPECT_FALSE(fs::exists(file_));
}

TEST_F(PrefTest, CreatedFileIsWrittenOnClose) {
  ASSERT_TRUE(tk::createPreferences(file_));
  EXPECT_TRUE(tk::closePreferences());
  EXPECT_EQ(get(), "");

  put("[Alt]\r\nx = 1\r\n");
  ASSERT_TRUE(tk::createPreferences(file_));   // starts empty, replaces on close
  tk::writePreferenceLong("Undo", 10);
  tk::preferenceGroup("Styles");
  tk::writePreferenceFloat("Scale", -2.75f);
  EXPECT_TRUE(tk::closePreferences());
  EXPECT_EQ(get(), "Undo = 10\r\n\r\n[Styles]\r\nScale = -2.75\r\n");
}

// A write that fails (here: a file size limit) reports it and keeps the old file.
TEST_F(PrefTest, FailedWriteKeepsTheOldFile) {
  put(kSample);
  ASSERT_TRUE(tk::openPreferences(file_));
  tk::preferenceGroup("All");
  tk::writePreferenceString("Long", std::string(4000, 'x'));
  bool ok = true;
  {
    FileSizeLimit full(1024);
    ASSERT_TRUE(full.ok);
    ok = tk::closePreferences();
  }
  EXPECT_FALSE(ok);
  EXPECT_EQ(get(), kSample);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

  ASSERT_TRUE(tk::createPreferences(dir_ + "no/such/dir.ini"));
  tk::writePreferenceLong("x", 1);
  EXPECT_FALSE(tk::closePreferences());
}

TEST_F(PrefTest, OpeningAnotherFileClosesTheFirst) {
  put("a=1\r\n");
  ASSERT_TRUE(tk::openPreferences(file_));
  tk::writePreferenceLong("a", 2);
  EXPECT_FALSE(tk::openPreferences(dir_ + "other.ini"));
  EXPECT_EQ(tk::readPreferenceLong("a", 0), 0);
  EXPECT_EQ(get(), "a=2\r\n");
}

}  // namespace
