// The update check as start-up runs it: only with the setting on, and then the offer.
#include "shell/local_servers.h"
#include "shell/loops_fixture.h"

namespace {

// Starts the program in a copy of the program folder whose configuration names the local
// server and sets All/Update; true when start-up got through.
bool StartWithUpdateSetting(const local_servers::HttpServer& server, int update) {
  const std::string folder = loops_test::CopyProgramFolder("corvalen_update");
  tk::setProgramFolder(folder);
  const std::string ini = "[All]\r\nUpdate = " + std::to_string(update) + "\r\nTDT = 0\r\n[Server]\r\nUpdate = " +
                          server.url() + "\r\nTimeout = 2\r\n";
  tk::createFolder("Konfigurations");
  tk::writeWholeFile("Konfigurations/Konfig.ini", ini.data(), ini.size());
  SplashWaitMs = 0;
  return StartUp(true) == 0;
}

TEST(UpdateAtStartUp, SettingOffFetchesNothing) {
  local_servers::HttpServer server("/version/version.txt", 200, "0_80Final\r\n");
  ASSERT_TRUE(StartWithUpdateSetting(server, 0));
  EXPECT_EQ(server.requests(), 0);
  EXPECT_EQ(UpdateAvailable, 0);
}

TEST(UpdateAtStartUp, NewVersionIsOfferedAndOnlyAnnounced) {
  local_servers::HttpServer server("/version/version.txt", 200, "0_80Final\r\n");
  tk::test::queueResult(tk::ResultYes);   // "Update da"
  tk::test::queueResult(tk::ResultOk);    // where the new version is
  ASSERT_TRUE(StartWithUpdateSetting(server, 1));
  EXPECT_EQ(server.requests(), 1);
  EXPECT_EQ(UpdateVersion, "0_80Final");
  const std::vector<std::string>& shown = tk::test::shown();
  ASSERT_GE(shown.size(), 2u);
  EXPECT_EQ(shown[0].rfind("Update da|Es ist eine neue Version", 0), 0u);
  EXPECT_NE(shown[1].find("0_80Final"), std::string::npos);
  EXPECT_TRUE(tk::isWindow(0)) << "the program goes on";
}

}  // namespace
