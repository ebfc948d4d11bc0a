// Settings record, Konfig.ini, Last.ini and the instance list.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

extern int32_t bildlang, bildhoch;
extern uint8_t Rot, Gruen, Blau;
extern uint8_t fillstate;
extern int32_t paintstate, drawform_current, drawforms_length, drawstep, GridWidth, TipNumber;
extern uint8_t GridActive, GridHorz, GridVert;
extern int16_t ToolFormStates[9];

namespace {

class Config : public ::testing::Test {
 protected:
  std::string folder;
  void SetUp() override {
    char tmpl[] = "/tmp/cv_config_XXXXXX";
    folder = std::string(mkdtemp(tmpl)) + "/";
    tk::setProgramFolder(folder);
    ResetShellState();
  }
  void TearDown() override {
    tk::setProgramFolder(PROGRAM_FOLDER);
    std::system(("rm -rf " + folder).c_str());
    ResetShellState();
  }
  std::vector<int32_t> instances() {
    std::vector<uint8_t> b;
    std::vector<int32_t> out;
    if (!tk::readWholeFile("Undo/startet.ind", b)) return out;
    for (size_t i = 0; i + 4 <= b.size(); i += 4)
      out.push_back(int32_t(b[i] | (b[i + 1] << 8) | (b[i + 2] << 16) | (uint32_t(b[i + 3]) << 24)));
    return out;
  }
  void writeInstances(const std::vector<int32_t>& v) {
    tk::createFolder("Undo");
    tk::writeWholeFile("Undo/startet.ind", v.data(), v.size() * 4);
  }
};

TEST_F(Config, MissingKonfigGivesEveryDefaultAndStillClaimsANumber) {
  LoadConfiguration();
  EXPECT_EQ(Settings.loaded, 0);
  EXPECT_EQ(maxundo, 10);
  EXPECT_EQ(Settings.startWidth, 99);
  EXPECT_EQ(bildlang, 99);
  EXPECT_EQ(Settings.TDT, 1);
  EXPECT_EQ(Settings.Edit_Undo, 200);
  EXPECT_EQ(EditUndoDepth, 200);
  EXPECT_EQ(Settings.Tabwidth, 3);
  EXPECT_EQ(Settings.All_BG, 0xFFFFFF);
  EXPECT_EQ(Settings.formats[5].face, "Arial");
  EXPECT_EQ(Settings.formats[5].height, 200);
  EXPECT_EQ(Settings.formats[0].size, 60u);
  EXPECT_EQ(Settings.formats[3].mask, 0xE0000007u);
  EXPECT_EQ(Settings.imageBackground[2], 140);
  EXPECT_EQ(Settings.Colorbutton, 1);
  EXPECT_EQ(Settings.BackUp, 1);
  EXPECT_EQ(Settings.ShowToolbar, 1);
  EXPECT_EQ(CVNIndex, 1);
  EXPECT_EQ(instances(), std::vector<int32_t>{1});
  EXPECT_TRUE(tk::folderExists("Undo/Undo1/Undo10"));
  // Last.ini missing too: its defaults.
  EXPECT_EQ(paintstate, 42);
  EXPECT_EQ(drawforms_length, 5);
  EXPECT_EQ(GridWidth, 100);
  EXPECT_EQ(TipNumber, 1);
  EXPECT_EQ(Rot, 127);   // 0xFFFFFF read back as (255 - 128)
}

TEST_F(Config, KonfigWithSizeAndNoErrorGroup) {
  tk::createFolder("Konfigurations");
  std::string ini = "[All]\r\nwidth = 640\r\nheight = 480\r\nUndo = 25\r\n";
  tk::writeWholeFile("Konfigurations/Konfig.ini", ini.data(), ini.size());
  LoadConfiguration();
  EXPECT_EQ(Settings.loaded, 1);
  EXPECT_EQ(bildlang, 639);
  EXPECT_EQ(bildhoch, 479);
  EXPECT_EQ(maxundo, 25);
  EXPECT_EQ(Settings.BackUp, 1);
  EXPECT_EQ(Settings.CreateError, 1);
  EXPECT_EQ(Settings.ShowToolbar, 1);
}

TEST_F(Config, KonfigRoundTripsEveryKey) {
  LoadConfiguration();
  Settings.defaultFolder = "C:\\Bilder\\Größe";
  Settings.Tooltips = 1;
  Settings.Update = 1;
  Settings.TDT = 0;
  Settings.startWidth = 319;
  Settings.startHeight = 199;
  maxundo = 42;
  for (int n = 1; n <= 5; ++n) {
    Settings.formats[n].face = "Face" + std::to_string(n);
    Settings.formats[n].height = (n + 7) * 20;
    Settings.formats[n].effects = uint32_t(n & 7);
    Settings.formats[n].color = uint32_t(0x010203 * n);
  }
  Settings.All_BG = 0x123456;
  Settings.Tabwidth = 5;
  Settings.Rueckwidth = 2;
  Settings.Edit_Undo = 333;
  for (int i = 1; i <= 16; ++i) CustomColours[i] = uint32_t(i * 1000);
  Settings.Banner = 2;
  Settings.Icons_unten = 0;
  Settings.Colorbutton = 3;
  Settings.imageBackground[0] = 10;   // blue
  Settings.imageBackground[1] = 20;
  Settings.imageBackground[2] = 30;
  Settings.BackUp = 0;
  Settings.CreateError = 0;
  Settings.ShowToolbar = 0;
  SaveConfiguration();
  SettingsRecord saved = Settings;
  uint32_t colours[17];
  std::copy(std::begin(CustomColours), std::end(CustomColours), colours);

  ResetShellState();
  LoadConfiguration();
  EXPECT_EQ(Settings.defaultFolder, saved.defaultFolder);
  EXPECT_EQ(Settings.Tooltips, 1);
  EXPECT_EQ(Settings.Update, 1);
  EXPECT_EQ(Settings.TDT, 0);
  EXPECT_EQ(Settings.startWidth, 319);
  EXPECT_EQ(Settings.startHeight, 199);
  EXPECT_EQ(maxundo, 42);
  for (int n = 1; n <= 5; ++n) {
    EXPECT_EQ(Settings.formats[n].face, saved.formats[n].face);
    EXPECT_EQ(Settings.formats[n].height, saved.formats[n].height);
    EXPECT_EQ(Settings.formats[n].effects, saved.formats[n].effects);
    EXPECT_EQ(Settings.formats[n].color, saved.formats[n].color);
  }
  EXPECT_EQ(Settings.All_BG, 0x123456);
  EXPECT_EQ(Settings.Tabwidth, 5);
  EXPECT_EQ(Settings.Rueckwidth, 2);
  EXPECT_EQ(Settings.Edit_Undo, 333);
  for (int i = 1; i <= 16; ++i) EXPECT_EQ(CustomColours[i], colours[i]);
  EXPECT_EQ(Settings.Banner, 2);
  EXPECT_EQ(Settings.Icons_unten, 0);
  EXPECT_EQ(Settings.Colorbutton, 3);
  EXPECT_EQ(Settings.imageBackground[0], 10);
  EXPECT_EQ(Settings.imageBackground[1], 20);
  EXPECT_EQ(Settings.imageBackground[2], 30);
  EXPECT_EQ(Settings.BackUp, 0);
  EXPECT_EQ(Settings.CreateError, 0);
  EXPECT_EQ(Settings.ShowToolbar, 0);
}

TEST_F(Config, LastStateRoundTripsEveryKey) {
  tk::testSetDesktopSize(1920, 1080);   // room for the stored placement
  LoadLastState();
  TipNumber = 4;
  Rot = 255;
  Gruen = 0;
  Blau = 130;
  fillstate = 7;
  paintstate = 48;
  drawform_current = 3;
  drawforms_length = 17;
  drawstep = 9;
  GridActive = 1;
  GridWidth = 50;
  GridHorz = 0;
  GridVert = 1;
  ToolFormStates[1] = 475;   // Kreis
  ToolFormStates[2] = 477;   // Ellipse
  ToolFormStates[0] = 479;   // Box
  ToolFormStates[4] = 485;   // Raute
  ToolFormStates[3] = 481;   // Spray
  ToolFormStates[5] = 487;   // Zirkel
  LastState.Voll = 1;
  LastState.Radiusmessung = 0;
  LastState.LinealAktiv = 1;
  LastState.LinealForm = 1;
  LastState.LinealHorz = 0;
  LastState.LinealVert = 0;
  for (int k = 0; k < 10; ++k) LastState.AltFarbe[k] = 0x10101 * (k + 1);
  LastState.EinstellBar = 1;
  LastState.Farbfenster = 1;
  LastState.FensterXPos = 12;
  LastState.FensterYPos = 34;
  LastState.FensterWidth = 800;
  LastState.FensterHeight = 600;
  SaveLastState();
  LastStateRecord saved = LastState;

  ResetShellState();
  Rot = Gruen = Blau = 0;
  fillstate = 0;
  paintstate = drawform_current = drawforms_length = drawstep = GridWidth = TipNumber = 0;
  GridActive = GridHorz = GridVert = 0;
  LoadLastState();
  EXPECT_EQ(TipNumber, 4);
  EXPECT_EQ(Rot, 255);
  EXPECT_EQ(Gruen, 0);
  EXPECT_EQ(Blau, 130);
  EXPECT_EQ(fillstate, 7);
  EXPECT_EQ(paintstate, 48);
  EXPECT_EQ(drawform_current, 3);
  EXPECT_EQ(drawforms_length, 17);
  EXPECT_EQ(drawstep, 9);
  EXPECT_EQ(GridActive, 1);
  EXPECT_EQ(GridWidth, 50);
  EXPECT_EQ(GridHorz, 0);
  EXPECT_EQ(GridVert, 1);
  EXPECT_EQ(ToolFormStates[1], 475);
  EXPECT_EQ(ToolFormStates[4], 485);
  EXPECT_EQ(ToolFormStates[5], 487);
  EXPECT_EQ(LastState.Voll, 1);
  EXPECT_EQ(LastState.Radiusmessung, 0);
  EXPECT_EQ(LastState.LinealAktiv, 1);
  EXPECT_EQ(LastState.LinealForm, 1);
  EXPECT_EQ(LastState.LinealHorz, 0);
  EXPECT_EQ(LastState.LinealVert, 0);
  for (int k = 0; k < 10; ++k) EXPECT_EQ(LastState.AltFarbe[k], saved.AltFarbe[k]);
  EXPECT_EQ(LastState.EinstellBar, 1);
  EXPECT_EQ(LastState.Farbfenster, 1);
  EXPECT_EQ(LastState.FensterXPos, 12);
  EXPECT_EQ(LastState.FensterHeight, 600);
  // The writer's spelling of the radius key.
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(tk::readWholeFile("Konfigurations/Last.ini", bytes));
  std::string text(bytes.begin(), bytes.end());
  EXPECT_NE(text.find("Pinsel_radius"), std::string::npos);
  EXPECT_NE(text.find("F\xFCllart"), std::string::npos);
  tk::testSetDesktopSize(-1, -1);
}

TEST_F(Config, InstancesClaimLowestFreeNumberAndReleaseOnlyTheirOwn) {
  EXPECT_EQ(ClaimInstanceNumber(), 1);
  EXPECT_EQ(ClaimInstanceNumber(), 2);
  EXPECT_EQ(ClaimInstanceNumber(), 3);
  EXPECT_EQ(instances(), (std::vector<int32_t>{1, 2, 3}));
  CVNIndex = 2;
  ReleaseInstanceNumber();
  EXPECT_EQ(instances(), (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(ClaimInstanceNumber(), 2);
  EXPECT_EQ(instances(), (std::vector<int32_t>{1, 3, 2}));
}

TEST_F(Config, EmptyInstanceFileGivesOne) {
  writeInstances({});
  EXPECT_EQ(ClaimInstanceNumber(), 1);
  EXPECT_EQ(instances(), std::vector<int32_t>{1});
}

TEST_F(Config, UndoFoldersAreLeftToTheRecoveryAfterACrash) {
  tk::createFolder("Undo");
  tk::writeWholeFile("Undo/hold.error", "x", 1);
  LoadConfiguration();
  EXPECT_FALSE(tk::folderExists("Undo/Undo1"));
}

// Ten copies start at the same moment: each gets its own number, or (when the list
// cannot be locked or written) each is told that undo is not available; never a shared
// number.
TEST_F(Config, InstancesStartingTogetherNeverShareANumber) {
  enum Blocked { None, UndoIsAFile, ListIsAFolder };
  for (Blocked blocked : {None, UndoIsAFile, ListIsAFolder}) {
    SCOPED_TRACE(int(blocked));
    std::system(("rm -rf " + folder + "Undo").c_str());
    if (blocked == UndoIsAFile) tk::writeWholeFile("Undo", "x", 1);
    if (blocked == ListIsAFolder) tk::createFolder("Undo/startet.ind");
    const int kChildren = 10;
    std::vector<pid_t> kids;
    for (int i = 0; i < kChildren; ++i) {
      pid_t pid = fork();
      if (pid == 0) _exit(ClaimInstanceNumber() == 0 ? (UndoAvailable ? 100 : 0) : CVNIndex);
      kids.push_back(pid);
    }
    std::vector<int> got;
    for (pid_t pid : kids) {
      int status = 0;
      waitpid(pid, &status, 0);
      got.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }
    std::sort(got.begin(), got.end());
    std::vector<int> expected(kChildren, 0);
    if (blocked == None) {
      for (int i = 0; i < kChildren; ++i) expected[i] = i + 1;
      std::vector<int32_t> list = instances();
      std::sort(list.begin(), list.end());
      EXPECT_EQ(std::vector<int>(list.begin(), list.end()), expected);
    }
    EXPECT_EQ(got, expected);
  }
}

// A copy that cannot claim a number says so and then writes nothing under "Undo/".
TEST_F(Config, UnwritableInstanceListTurnsUndoOffWithAMessage) {
  tk::writeWholeFile("Undo", "x", 1);   // a file where the folder belongs (root may write anywhere)
  tk::test::clear();
  tk::test::queueResult(tk::ResultOk);
  LoadConfiguration();
  ASSERT_EQ(tk::test::shown().size(), 1u);
  EXPECT_NE(tk::test::shown()[0].find("Rückgängig ist für diese Programmkopie nicht verfügbar"),
            std::string::npos);
  EXPECT_EQ(UndoAvailable, 0);
  EXPECT_EQ(CVNIndex, 0);
  EXPECT_EQ(tk::fileSizeOf("Undo"), 1);
  ReleaseInstanceNumber();
  EXPECT_EQ(tk::fileSizeOf("Undo"), 1);
  tk::test::clear();

  // The list reads back other than written: the claim fails as well.
  std::system(("rm -f " + folder + "Undo").c_str());
  tk::createFolder("Undo/startet.ind");
  EXPECT_EQ(ClaimInstanceNumber(), 0);
  EXPECT_EQ(UndoAvailable, 0);
  CreateInstanceUndoFolders();
  EXPECT_FALSE(tk::folderExists("Undo/Undo0"));
}

// A list grown by copies that were killed: only its newest numbers are read, and the
// rewritten list keeps only those.
TEST_F(Config, HugeStaleInstanceListIsReadOnlyInItsNewestPart) {
  std::vector<int32_t> stale(300000);
  for (size_t i = 0; i < stale.size(); ++i) stale[i] = int32_t(i + 2);   // 2 .. 300001
  writeInstances(stale);
  EXPECT_EQ(ClaimInstanceNumber(), 1);
  EXPECT_EQ(UndoAvailable, 1);
  std::vector<int32_t> list = instances();
  ASSERT_EQ(list.size(), 4097u);
  EXPECT_EQ(list.front(), 300001 - 4095);
  EXPECT_EQ(list.back(), 1);
  // Numbers out of any sensible range are kept but never block a claim.
  writeInstances({-5, 0, 2, INT32_MAX, 1});
  EXPECT_EQ(ClaimInstanceNumber(), 3);
}

// Start sizes past what the image arrays hold are cut before the start image is made;
// the size globals and the arrays always agree.
TEST_F(Config, StartImageSizeIsClampedToTheCellLimit) {
  ImageCellLimit = 1 << 16;
  struct Case { const char* width; const char* height; int32_t w, h; };
  const Case cases[] = {
      {"1000000000", "100", 65536, 1},
      {"300", "300", 300, 218},
      {"20000", "20000", 20000, 3},
      {"-5", "0", 1, 1},
      {"4294967296", "640", 100, 640},   // beyond 32 bits: the default
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.width) + " x " + c.height);
    ResetShellState();
    tk::createFolder("Konfigurations");
    std::string ini = std::string("[All]\r\nwidth = ") + c.width + "\r\nheight = " + c.height + "\r\n";
    tk::writeWholeFile("Konfigurations/Konfig.ini", ini.data(), ini.size());
    LoadConfiguration();
    EXPECT_EQ(Settings.startWidth, c.w - 1);
    EXPECT_EQ(Settings.startHeight, c.h - 1);
    EXPECT_EQ(bildlang, c.w - 1);
    EXPECT_EQ(bildhoch, c.h - 1);
    EXPECT_EQ(ImagePixels.size(), size_t(c.w) * size_t(c.h));
    EXPECT_EQ(ImagePixels.back(), 0x00FFFFFFu);
  }
  ImageCellLimit = int64_t(1) << 28;
}

// The stored window placement is brought onto the desktop.
TEST_F(Config, WindowPlacementIsKeptOnTheDesktop) {
  tk::testSetDesktopSize(1280, 1024);
  struct Case { int32_t x, y, w, h; int32_t wantX, wantY, wantW, wantH; };
  const Case cases[] = {
      {10, 20, 800, 600, 10, 20, 800, 600},
      {0, 0, 1000000000, 1000000000, 0, 0, 1280, 1024},
      {5, 5, -100, -1, 5, 5, 1024, 730},                  // no size: the default
      {-4000, 900, 800, 600, 0, 424, 800, 600},
      {2000000000, -2000000000, 10, 10, 960, 0, 320, 240}, // too small: a usable size
  };
  const bool ownWindow = !tk::isWindow(0);
  if (ownWindow) tk::openWindow(0, 0, 0, 200, 200, "Corvalen", tk::WfHidden | tk::WfSizing);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h));
    tk::createFolder("Konfigurations");
    std::string ini = "[Misk]\r\nFensterXPos = " + std::to_string(c.x) + "\r\nFensterYPos = " +
                      std::to_string(c.y) + "\r\nFensterWidth = " + std::to_string(c.w) +
                      "\r\nFensterHeight = " + std::to_string(c.h) + "\r\n";
    tk::writeWholeFile("Konfigurations/Last.ini", ini.data(), ini.size());
    LoadLastState();
    EXPECT_EQ(LastState.FensterXPos, c.wantX);
    EXPECT_EQ(LastState.FensterYPos, c.wantY);
    EXPECT_EQ(LastState.FensterWidth, c.wantW);
    EXPECT_EQ(LastState.FensterHeight, c.wantH);
    EXPECT_EQ(tk::windowWidth(0), c.wantW);
    EXPECT_EQ(tk::windowHeight(0), c.wantH);
  }
  if (ownWindow) tk::closeWindow(0);
  tk::testSetDesktopSize(-1, -1);
}

}  // namespace
