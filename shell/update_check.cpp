// The update check: the first line of the server's version file against the program's own
// version text. On Linux a newer version is only announced; nothing downloaded is run.
#include <thread>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

std::string UpdateVersion;

void CheckForUpdate() {
  if (NetworkAvailable == 0) return;
  const ServerSettings server = ReadServerSettings();
  if (!DownloadToFile(server.updateUrl + "version/version.txt", "Data/version.txt", server.timeoutSeconds)) return;
  // The fresh file is opened with a few bounded retries (a scanner may hold it a moment).
  int f = -1;
  for (int attempt = 0; attempt < 5 && f < 0; ++attempt) {
    f = tk::readFile(-1, "Data/version.txt");
    if (f < 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  if (f < 0) return;
  UpdateVersion = tk::readLine(f);
  tk::closeFile(f);
  tk::deleteFile("Data/version.txt");
  if (UpdateVersion != ProgramVersionText) UpdateAvailable = 1;
}

// The offer was accepted: this build runs no installer, it tells where the new version is.
void DownloadUpdate() {
  if (NetworkAvailable == 0) return;
  const ServerSettings server = ReadServerSettings();
  tk::messageRequester("Update da",
                       "Die neue Version " + UpdateVersion + " kann von " + server.updateUrl +
                           " geladen werden.\rBitte installieren sie sie von dort; Corvalen läuft so lange weiter.",
                       tk::MsgOk | tk::MsgInfo);
}
