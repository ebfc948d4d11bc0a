// The dialog "Fehlerprotokolle hochladen": the reports listed by name with check boxes,
// packing, scrambling and sending the checked ones, and deleting what was sent.
#include <string>
#include <vector>

#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

void Status(const std::string& text) {
  if (tk::isGadget(836)) tk::setGadgetText(836, text);
  tk::processPending();
}

const char* const kUploadFailed = "Die Dateien konnten nicht hochgeladen werden.\rBitte versuchen sie es noch einmal";

}  // namespace

int32_t UploadBugReports(const std::string& base) {
  Status("Server kontaktieren");
  const ServerSettings server = ReadServerSettings();
  std::vector<uint8_t> pack;
  if (base.empty() || !tk::readWholeFile("Error/" + base + ".up", pack)) return 0;
  Status("Dateien hochladen");
  if (!FtpUpload(server, base + ".up", pack)) return 0;
  // Only what was sent may go: the pack and the reports it holds, by their names.
  if (tk::messageRequester("Fertig!", "Sollen  die Dateien jetzt gelöscht werden?", tk::MsgYesNo) == tk::ResultYes) {
    Status("Fehlerberichte und packdateien löschen");
    DeleteSentReports(base, PackedReports);
  }
  return 1;
}

void BugReportDialog() {
  if (tk::openWindow(38, 200, 200, 400, 300, "Fehlerprotokolle hochladen", tk::WfCaption | tk::WfSystemMenu, 0) < 0)
    return;
  for (int w : {0, 1})
    if (tk::isWindow(w)) tk::disableWindow(w, true);
  tk::label(-1, 10, 5, 300, 20, "Wählen sie die Fehlerberichte, die sie hochladen möchten");
  tk::columnList(832, 5, 35, 390, 220, "Fehler", 400, tk::GfCheckBoxes);
  tk::button(833, 0, 265, 133, 30, "Fehlerprotokolle hochladen");
  tk::button(834, 266, 265, 133, 30, "Abbrechen");
  tk::button(835, 133, 265, 133, 30, "Fehlerbericht ansehen");
  BugReportRows = ListBugReports();
  for (size_t i = 0; i < BugReportRows.size(); ++i) {
    tk::addGadgetItem(832, -1, BugReportRows[i]);
    tk::setGadgetItemState(832, int(i), tk::ItemChecked);
  }

  for (bool open = true; open;) {
    if (tk::activeWindow() == 0) tk::bringToFront(38);
    const int ev = tk::waitEvent(200);
    if (ev == tk::EvClose && tk::eventWindow() == 38) break;
    if (ev != tk::EvGadget) continue;
    switch (tk::eventGadget()) {
      case 834:
        open = false;
        break;
      case 835:
        tk::runProgram("Error/Orvandel", "", "Error/");
        break;
      case 833: {
        tk::openWindow(39, 200, 200, 300, 200, "Fehlerprotokolle hochladen", tk::WfCaption, 43);
        tk::label(836, 0, 90, 300, 20, "", tk::GfCenter);
        tk::bringToFront(39);
        const std::string base = PackBugReports();
        if (!base.empty() && UploadBugReports(base) == 1)
          tk::messageRequester("Danke!!!",
                               "Die Dateien wurden hochgeladen.\rVielen Dank, dass sie die Entwicklung von Corvalen "
                               "unterstützen :)",
                               tk::MsgOk | tk::MsgInfo);
        else
          tk::messageRequester("Fehler", kUploadFailed, tk::MsgOk | tk::MsgError);
        tk::closeWindow(39);
        // The rows follow what is left in the folder.
        tk::clearGadgetItems(832);
        BugReportRows = ListBugReports();
        for (size_t i = 0; i < BugReportRows.size(); ++i) {
          tk::addGadgetItem(832, -1, BugReportRows[i]);
          tk::setGadgetItemState(832, int(i), tk::ItemChecked);
        }
        tk::bringToFront(38);
        break;
      }
      default:
        break;
    }
  }
  tk::closeWindow(38);
  if (tk::isWindow(0)) tk::disableWindow(0, false);
  if (tk::isWindow(1) && !tk::windowHidden(1)) {
    tk::disableWindow(1, false);
    tk::bringToFront(1);
  }
}
