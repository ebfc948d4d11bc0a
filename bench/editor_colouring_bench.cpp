// Speed of the script editor's colouring: a 5,000-line script pasted into the editor and
// coloured line by line (what a paste asks for), and the colouring of one line after a
// typed character in that script, against plain placement of the same text.
// Run by hand: QT_QPA_PLATFORM=offscreen ./editor_colouring_bench
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_util.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  tk::init(argc, argv);
  tk::test::enable(true);
  const std::filesystem::path self = std::filesystem::absolute(argv[0]);
  tk::setProgramFolder((self.parent_path().parent_path() / "Corvalen").string() + "/");
  ResetScriptState();
  LoadScriptTables();
  for (int n = 1; n <= 5; ++n) {
    ScriptStyleFormats[n].face = "Arial";
    ScriptStyleFormats[n].height = 200;
    ScriptStyleFormats[n].color = uint32_t(n * 0x203040);
  }
  tk::openWindow(1, 0, 0, 600, 600, "Bench", tk::WfHidden);
  tk::richEditor(ScriptEditorGadget, 0, 0, 600, 580);
  tk::textBox(ScriptHelpLine, 0, 580, 600, 20, "");

  std::string script;
  for (int i = 0; i < 5000; ++i) {
    switch (i % 5) {
      case 0: script += "For(#i, 1, 10, 1) ; loop " + std::to_string(i) + "\r\n"; break;
      case 1: script += "   Plot(#i, #y" + std::to_string(i) + ")\r\n"; break;
      case 2: script += "   #s = \"text\" + Str(#i)\r\n"; break;
      case 3: script += "   Color(255, 128, 0)\r\n"; break;
      default: script += "Next()\r\n"; break;
    }
  }

  const double place = msPer(2, [&] { tk::setRichText(ScriptEditorGadget, script); });
  const double paste = msPer(2, [&] {
    tk::setRichText(ScriptEditorGadget, "");
    tk::setClipboardText(script);
    tk::richReplaceSelection(ScriptEditorGadget, script, false);
    ColourInsertedText(script);
  });
  std::printf("editor colouring: paste 5000 lines %.1f ms, placing the text alone %.1f ms, ratio=%.2f\n", paste,
              place, paste / place);

  // A character typed in the middle of the script: its line coloured again.
  const int32_t mid = tk::richLineIndex(ScriptEditorGadget, 2501);
  const double line = msPer(200, [&] {
    tk::richSetSelection(ScriptEditorGadget, mid + 5, mid + 5);
    tk::richReplaceSelection(ScriptEditorGadget, "x", false);
    HighlightSyntax();
    tk::richSetSelection(ScriptEditorGadget, mid + 5, mid + 6);
    tk::richReplaceSelection(ScriptEditorGadget, "", false);
  });
  std::printf("editor colouring: one typed character in 5000 lines %.3f ms (limit 16 ms), ratio=%.3f\n", line,
              line / 16.0);
  return 0;
}
