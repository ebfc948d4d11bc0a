// The error report's byte layout, the report list, packing and scrambling, the passive
// reply, the FTP upload against a local server and the update check against a local
// HTTP server.
#include <zlib.h>

#include <chrono>
#include <cstring>
#include <filesystem>

#include "documents/documents.h"
#include "shell/loops_fixture.h"
#include "shell/local_servers.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

namespace fs = std::filesystem;

// A program folder of its own with "Error", "Data", "Undo" and "Konfigurations".
class ReportFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    old = tk::programFolder();
    dir = fs::temp_directory_path() / ("cv_reports_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    for (const char* f : {"Error", "Data", "Undo", "Konfigurations"}) fs::create_directories(dir / f);
    tk::setProgramFolder(dir.string() + "/");
    tk::test::clear();
    ImageRecords.assign(11, ImageRecord{});
    ImageCount = 1;
    CurrentImage = 1;
  }
  void TearDown() override {
    tk::setProgramFolder(old);
    fs::remove_all(dir);
    tk::testSetOperatingSystemCode(-1);
  }
  std::vector<uint8_t> Read(const std::string& rel) {
    std::vector<uint8_t> b;
    tk::readWholeFile(rel, b);
    return b;
  }
  void Write(const std::string& rel, const std::string& text) {
    ASSERT_TRUE(tk::writeWholeFile(rel, text.data(), text.size()));
  }
  void ServerConfig(int ftpPort, const std::string& updateUrl = "") {
    std::string ini = "[Server]\r\nFtpHost = 127.0.0.1\r\nFtpPort = " + std::to_string(ftpPort) +
                      "\r\nFtpFolder = bugs\r\nTimeout = 2\r\n";
    if (!updateUrl.empty()) ini += "Update = " + updateUrl + "\r\n";
    Write("Konfigurations/Konfig.ini", ini);
  }
  static int32_t LongAt(const std::vector<uint8_t>& b, size_t at) {
    return int32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24);
  }
  std::string old;
  fs::path dir;
};

TEST_F(ReportFolder, ReportLayoutAndCounter) {
  tk::testSetOperatingSystemCode(60);
  bildlang = 1233;
  bildhoch = 9;
  length = 2.0f;
  OnErrorCode1 = 19;
  WriteBugReport("");
  std::vector<uint8_t> r = Read("Error/Error_0.bug");
  ASSERT_EQ(r.size(), 3167u);
  EXPECT_EQ(LongAt(r, 0), int32_t(0x3F3D70A4));
  EXPECT_EQ(r[4], '\r');
  EXPECT_EQ(r[5], '\n');
  EXPECT_EQ(LongAt(r, 6), 60);
  EXPECT_EQ(LongAt(r, 6 + 40), 19);
  EXPECT_EQ(LongAt(r, 6 + 51), 1233) << "block 1 holds the live extents of the current image";
  float zoom;
  std::memcpy(&zoom, &r[6 + 2971 + 51], 4);
  EXPECT_EQ(zoom, 2.0f);
  EXPECT_EQ(Read("Error/index.num"), (std::vector<uint8_t>{1, 0, 0, 0}));

  WriteBugReport("0123456789");
  r = Read("Error/Error_1.bug");
  ASSERT_EQ(r.size(), 3177u);
  EXPECT_EQ(LongAt(r, 16), 60);
  EXPECT_EQ(LongAt(r, 67), 1233);
  EXPECT_EQ(Read("Error/index.num"), (std::vector<uint8_t>{2, 0, 0, 0}));

  // Line breaks in the description would end its line early.
  WriteBugReport("ab\r\ncd\r");
  r = Read("Error/Error_2.bug");
  ASSERT_EQ(r.size(), 3161u + 4 + 4 + 2);
  EXPECT_EQ(std::string(r.begin() + 4, r.begin() + 10), "abcd\r\n");

  // Without the folder nothing is written, not even the counter.
  fs::remove_all(dir / "Error");
  WriteBugReport("x");
  EXPECT_FALSE(tk::fileExists("Error/index.num"));
}

TEST_F(ReportFolder, ListScrambleAndPassiveReply) {
  for (const char* f : {"Error_10.bug", "Error_2.bug", "x.bug", "x.BUG", "Error_1.bug.txt", "Load1.up"})
    Write(std::string("Error/") + f, "r");
  EXPECT_EQ(ListBugReports(), (std::vector<std::string>{"Error_2.bug", "Error_10.bug", "x.bug"}));

  std::vector<uint8_t> three = {0, 0, 0};
  ScrambleBytes(three);
  EXPECT_EQ(three, (std::vector<uint8_t>{1, 0, 255}));
  Write("Error/s.bin", std::string(3, '\0'));
  ScrambleFile("Error/s.bin");
  EXPECT_EQ(Read("Error/s.bin"), (std::vector<uint8_t>{1, 0, 255}));
  EXPECT_EQ(UnscrambleText("\x92\x9E\x21"), std::string("co") + char(0xF2));   // wraps below 0

  EXPECT_EQ(FirstDigitPosition("ab3"), 3);
  EXPECT_EQ(FirstDigitPosition("abc"), 0);
  EXPECT_EQ(ReverseText("abc"), "cba");
  struct Case {
    const char* reply;
    bool ok;
    const char* address;
    int32_t port;
  };
  const Case cases[] = {
      {"227 Entering Passive Mode (10,0,0,5,4,1).\r\n", true, "10.0.0.5", 1025},
      {"227 =127,0,0,1,200,10\r\n", true, "127.0.0.1", 51210},
      {"500 PASV not understood\r\n", false, "", 0},
      {"227 Entering Passive Mode (10,0,0,5,4).\r\n", false, "", 0},
      {"227 Entering Passive Mode (300,0,0,5,4,1).\r\n", false, "", 0},
      {"227 Entering Passive Mode (1,x,0,5,4,1).\r\n", false, "", 0},
      {"227 no numbers\r\n", false, "", 0},
      {"227", false, "", 0},
  };
  for (const Case& c : cases) {
    std::string address;
    int32_t port = 0;
    EXPECT_EQ(ParsePassiveReply(c.reply, address, port), c.ok) << c.reply;
    if (c.ok) {
      EXPECT_EQ(address, c.address);
      EXPECT_EQ(port, c.port);
    }
  }
}

// Undoes ScrambleBytes and unpacks the entries of a pack: name -> contents.
std::map<std::string, std::string> Unpack(std::string bytes) {
  std::reverse(bytes.begin(), bytes.end());
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(255 - uint8_t(uint8_t(bytes[i]) - i % 255));
  std::map<std::string, std::string> out;
  auto longAt = [&](size_t at) {
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v |= uint32_t(uint8_t(bytes[at + k])) << (8 * k);
    return v;
  };
  for (size_t at = 0; at + 4 <= bytes.size();) {
    const uint32_t n = longAt(at);
    std::string name = bytes.substr(at + 4, n);
    const uint32_t size = longAt(at + 4 + n), packed = longAt(at + 8 + n);
    std::string data(size, '\0');
    uLongf got = size;
    uncompress(reinterpret_cast<Bytef*>(data.data()), &got, reinterpret_cast<const Bytef*>(bytes.data() + at + 12 + n), packed);
    out[name] = data;
    at += 12 + n + packed;
  }
  return out;
}

TEST_F(ReportFolder, UploadSendsThePackAndDeletesOnlyWhatWasSent) {
  local_servers::FtpServer server(local_servers::FtpServer::Normal);
  ServerConfig(server.port());
  Write("Error/Error_0.bug", "erster");
  Write("Error/Error_3.bug", "zweiter");
  BugReportRows = ListBugReports();
  const std::string base = PackBugReports();
  ASSERT_EQ(base.rfind("Load", 0), 0u);
  Write("Error/Error_4.bug", "danach");   // came after the pack: not sent, not deleted
  tk::test::queueResult(tk::ResultYes);
  EXPECT_EQ(UploadBugReports(base), 1);
  const auto files = server.files();
  ASSERT_EQ(files.count("/bugs/" + base + ".up"), 1u);
  // The passive reply named 10.0.0.5; the data still reached this server.
  EXPECT_EQ(Unpack(files.at("/bugs/" + base + ".up")),
            (std::map<std::string, std::string>{{"Error_0.bug", "erster"}, {"Error_3.bug", "zweiter"}}));
  EXPECT_EQ(tk::test::shown().at(0), "Fertig!|Sollen  die Dateien jetzt gelöscht werden?");
  EXPECT_FALSE(tk::fileExists("Error/Error_0.bug"));
  EXPECT_FALSE(tk::fileExists("Error/Error_3.bug"));
  EXPECT_FALSE(tk::fileExists("Error/" + base + ".up"));
  EXPECT_TRUE(tk::fileExists("Error/Error_4.bug"));
}

TEST_F(ReportFolder, FailedUploadsKeepEverything) {
  Write("Error/Error_0.bug", "erster");
  BugReportRows = ListBugReports();
  const std::string base = PackBugReports();
  {
    local_servers::FtpServer refusing(local_servers::FtpServer::RefuseLogin);
    ServerConfig(refusing.port());
    EXPECT_EQ(UploadBugReports(base), 0);
    EXPECT_TRUE(refusing.files().empty());
  }
  {
    local_servers::FtpServer silent(local_servers::FtpServer::Silent);
    ServerConfig(silent.port());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(UploadBugReports(base), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30)) << "the wait has a time-out";
  }
  {
    int port = 0;
    const int closed = local_servers::Listen(port);
    ::close(closed);   // nothing listens there any more
    ServerConfig(port);
    EXPECT_EQ(UploadBugReports(base), 0);
  }
  EXPECT_TRUE(tk::test::shown().empty()) << "no deletion question after a failure";
  EXPECT_TRUE(tk::fileExists("Error/Error_0.bug"));
  EXPECT_TRUE(tk::fileExists("Error/" + base + ".up"));
}

TEST_F(ReportFolder, DialogListsPacksAndSendsTheCheckedReports) {
  local_servers::FtpServer server(local_servers::FtpServer::Normal);
  ServerConfig(server.port());
  Write("Error/Error_0.bug", "erster");
  Write("Error/Error_1.bug", "zweiter");
  tk::openWindow(0, 0, 0, 300, 200, "Haupt", tk::WfCaption);
  // The dialog runs its own loop: once it shows its rows, the user unchecks the first,
  // uploads, then leaves.
  tk::test::queueResult(tk::ResultNo);    // "Fertig!": keep the files
  tk::test::queueResult(tk::ResultOk);    // "Danke!!!"
  std::vector<std::string> rows;
  tk::addTimer(0, 9, 1, [&] {
    if (!tk::isGadget(832) || !rows.empty()) return;
    for (int i = 0; i < tk::countGadgetItems(832); ++i) rows.push_back(tk::gadgetItemText(832, i));
    tk::setGadgetItemState(832, 0, 0);
    loops_test::Post(tk::EvGadget, 38, 833);
    loops_test::Post(tk::EvGadget, 38, 834);
  });
  BugReportDialog();
  tk::removeTimer(0, 9);
  EXPECT_EQ(rows, (std::vector<std::string>{"Error_0.bug", "Error_1.bug"}));
  ASSERT_EQ(server.files().size(), 1u);
  EXPECT_EQ(Unpack(server.files().begin()->second), (std::map<std::string, std::string>{{"Error_1.bug", "zweiter"}}));
  EXPECT_EQ(tk::test::shown().back().rfind("Danke!!!|", 0), 0u);
  EXPECT_FALSE(tk::isWindow(38));
  EXPECT_TRUE(tk::fileExists("Error/Error_0.bug"));
  EXPECT_TRUE(tk::fileExists("Error/Error_1.bug"));
  tk::closeWindow(0);
}

TEST_F(ReportFolder, UpdateCheckComparesTheFirstLine) {
  NetworkAvailable = 1;
  struct Case {
    int status;
    const char* body;
    uint8_t available;
  };
  const Case cases[] = {
      {200, "0_74Final\r\nmehr", 0}, {200, "0_75Final\r\n", 1}, {200, "0_73Final", 1},
      {200, "", 1},                  {404, "0_75Final", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    local_servers::HttpServer server("/version/version.txt", c.status, c.body);
    ServerConfig(1, server.url());
    UpdateAvailable = 0;
    CheckForUpdate();
    EXPECT_EQ(UpdateAvailable, c.available);
    EXPECT_EQ(server.requests(), 1);
    EXPECT_FALSE(tk::fileExists("Data/version.txt"));
  }
  // Without a network nothing is asked of the server.
  local_servers::HttpServer server("/version/version.txt", 200, "0_75Final");
  ServerConfig(1, server.url());
  NetworkAvailable = 0;
  CheckForUpdate();
  EXPECT_EQ(server.requests(), 0);
  // No server at all: no message, no offer.
  NetworkAvailable = 1;
  UpdateAvailable = 0;
  ServerConfig(1, "http://127.0.0.1:1/");
  CheckForUpdate();
  EXPECT_EQ(UpdateAvailable, 0);
  EXPECT_TRUE(tk::test::shown().empty());
}

}  // namespace
