// The run driver: preprocessing, the undo point, the statement loop with its command
// dispatch, assignments, Dim, the progress window and the end of a run.
#include <chrono>
#include <charconv>
#include <unordered_map>

#include "documents/documents.h"
#include "effects/effects.h"
#include "script/commands.h"
#include "script/script.h"
#include "script/script_internal.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

int32_t MarkState = 0, FreeMarkOpen = 0, PointMode = 0, StructureSectionOpen = 0;
int32_t MinLocateState = 0, MaxLocateState = 0;
uint8_t RunStopRequested = 0;
int32_t ScriptPosition = 0;
int32_t ScriptArgumentCount = 0;
std::string ScriptBrushFormPath;

// The commands in the order their names are compared: the block words first, then the
// command families; a row without a procedure names a command whose code is not in this
// program (the run stops with a message there).
const ScriptCommandRow ScriptCommandTable[] = {
    {"Dim", CmdDim},
    {"Debug", CmdDebug},
    {"DebugS", CmdDebugS},
    {"DebugImage", CmdDebugImage},
    {"ShowDebug", CmdShowDebug},
    {"ErrorMessage", CmdErrorMessage},
    {"Undo", CmdUndo},
    {"CreateUndoPoint", CmdCreateUndoPoint},
    {"If", CmdIf},
    {"ElseIf", CmdElseIf},
    {"Else", CmdElse},
    {"EndIf", CmdEndIf},
    {"Next", CmdNext},
    {"Repeat", CmdRepeat},
    {"Until", CmdUntil},
    {"While", CmdWhile},
    {"Wend", CmdWend},
    {"UpdateConstants", CmdUpdateConstants},
    {"Point", CmdPoint},
    {"MinLocate", CmdMinLocate},
    {"EndMinLocate", CmdEndMinLocate},
    {"MaxLocate", CmdMaxLocate},
    {"EndMaxLocate", CmdEndMaxLocate},
    {"ExamineDirectory", CmdExamineDirectory},
    {"ForEachDirectoryEntry", CmdForEachDirectoryEntry},
    {"NextDirectoryEntry", CmdNextDirectoryEntry},
    {"SkipDirectoryEntry", CmdSkipDirectoryEntry},
    {"UseDirectory", CmdUseDirectory},
    {"StructureSection", CmdStructureSection},
    {"EndStructureSection", CmdEndStructureSection},
    {"WhiteEffects", CmdWhiteEffects},
    {"EndWhiteEffects", CmdEndWhiteEffects},
    {"BlackEffects", CmdBlackEffects},
    {"EndBlackEffects", CmdEndBlackEffects},
    {"StructureSection_Marked", CmdStructureSection_Marked},
    {"EndStructureSection_Marked", CmdEndStructureSection_Marked},
    {"WhiteEffects_Marked", CmdWhiteEffects_Marked},
    {"EndWhiteEffects_Marked", CmdEndWhiteEffects_Marked},
    {"BlackEffects_Marked", CmdBlackEffects_Marked},
    {"EndBlackEffects_Marked", CmdEndBlackEffects_Marked},
    // Marking, colour, drawing-setting, image, file and painting commands, then the
    // effect commands.
    {"FillImage", CmdFillImage},
    {"Attributes", CmdAttributes},
    {"RedAway", CmdRedAway},
    {"RedBack", CmdRedBack},
    {"GreenAway", CmdGreenAway},
    {"GreenBack", CmdGreenBack},
    {"BlueAway", CmdBlueAway},
    {"BlueBack", CmdBlueBack},
    {"BiChromaticDithering", CmdBiChromaticDithering},
    {"Corny", CmdCorny},
    {"Chess", CmdChess},
    {"ChessCircle", CmdChessCircle},
    {"Wind_Up", CmdWind_Up},
    {"Wind_Down", CmdWind_Down},
    {"Wind_Left", CmdWind_Left},
    {"Wind_Right", CmdWind_Right},
    {"Coloring", CmdColoring},
    {"UnClear", CmdUnClear},
    {"SpecialEffect", CmdSpecialEffect},
    {"RGB", CmdRGB},
    {"RBG", CmdRBG},
    {"GRB", CmdGRB},
    {"GBR", CmdGBR},
    {"BRG", CmdBRG},
    {"BGR", CmdBGR},
    {"Colormove", CmdColormove},
    {"SetRedColors", CmdSetRedColors},
    {"SetGreenColors", CmdSetGreenColors},
    {"SetBlueColors", CmdSetBlueColors},
    {"SetColorspec", CmdSetColorspec},
    {"Bars", CmdBars},
    {"ColorBars", CmdColorBars},
    {"Softdraw", CmdSoftdraw},
    {"Sharpdraw", CmdSharpdraw},
    {"Waves", CmdWaves},
    {"BlowUp", CmdBlowUp},
    {"MoveImage", CmdMoveImage},
    {"Explode", CmdExplode},
    {"Implode", CmdImplode},
    {"Whirl_Left", CmdWhirl_Left},
    {"Whirl_Right", CmdWhirl_Right},
    {"OwnEffect", CmdOwnEffect},
    {"Turn_90", CmdTurn_90},
    {"Turn_180", CmdTurn_180},
    {"Turn_270", CmdTurn_270},
    {"FillImage_Marked", CmdFillImage_Marked},
    {"Attributes_Marked", CmdAttributes_Marked},
    {"ColorTurn_Marked", CmdColorTurn_Marked},
    {"Colorturn_Middle_Marked", CmdColorturn_Middle_Marked},
    {"BlackWhite_Marked", CmdBlackWhite_Marked},
    {"XtremeColors_Marked", CmdXtremeColors_Marked},
    {"Blur_Up_Marked", CmdBlur_Up_Marked},
    {"Blur_Down_Marked", CmdBlur_Down_Marked},
    {"Blur_Left_Marked", CmdBlur_Left_Marked},
    {"Blur_Right_Marked", CmdBlur_Right_Marked},
    {"Mirror_X_Marked", CmdMirror_X_Marked},
    {"Mirror_Y_Marked", CmdMirror_Y_Marked},
    {"Turn_90_Marked", CmdTurn_90_Marked},
    {"Turn_180_Marked", CmdTurn_180_Marked},
    {"Turn_270_Marked", CmdTurn_270_Marked},
    {"Shadow_Marked", CmdShadow_Marked},
    {"Colorspectrum_Marked", CmdColorspectrum_Marked},
    {"BiChromaticDithering_Marked", CmdBiChromaticDithering_Marked},
    {"Corny_Marked", CmdCorny_Marked},
    {"UnClear_Marked", CmdUnClear_Marked},
    {"Chess_Marked", CmdChess_Marked},
    {"ChessCircle_Marked", CmdChessCircle_Marked},
    {"Wind_Up_Marked", CmdWind_Up_Marked},
    {"Wind_Down_Marked", CmdWind_Down_Marked},
    {"Wind_Left_Marked", CmdWind_Left_Marked},
    {"Wind_Right_Marked", CmdWind_Right_Marked},
    {"Coloring_Marked", CmdColoring_Marked},
    {"SpecialEffect_Marked", CmdSpecialEffect_Marked},
    {"RGB_Marked", CmdRGB_Marked},
    {"RBG_Marked", CmdRBG_Marked},
    {"GRB_Marked", CmdGRB_Marked},
    {"GBR_Marked", CmdGBR_Marked},
    {"BGR_Marked", CmdBGR_Marked},
    {"BRG_Marked", CmdBRG_Marked},
    {"Colormove_Marked", CmdColormove_Marked},
    {"SetColorspec_Marked", CmdSetColorspec_Marked},
    {"SetRedColors_Marked", CmdSetRedColors_Marked},
    {"SetGreenColors_Marked", CmdSetGreenColors_Marked},
    {"SetBlueColors_Marked", CmdSetBlueColors_Marked},
    {"RedDataFromBlueData_Marked", CmdRedDataFromBlueData_Marked},
    {"RedDataFromGreenData_Marked", CmdRedDataFromGreenData_Marked},
    {"GreenDataFromRedData_Marked", CmdGreenDataFromRedData_Marked},
    {"GreenDataFromBlueData_Marked", CmdGreenDataFromBlueData_Marked},
    {"BlueDataFromRedData_Marked", CmdBlueDataFromRedData_Marked},
    {"BlueDataFromGreenData_Marked", CmdBlueDataFromGreenData_Marked},
    {"Linedouble_Marked", CmdLinedouble_Marked},
    {"Linedouble_mirror_Marked", CmdLinedouble_mirror_Marked},
    {"LogicalBars_Marked", CmdLogicalBars_Marked},
    {"Incircle_Marked", CmdIncircle_Marked},
    {"Bars_Marked", CmdBars_Marked},
    {"ColorBars_Marked", CmdColorBars_Marked},
    {"Softdraw_Marked", CmdSoftdraw_Marked},
    {"Sharpdraw_Marked", CmdSharpdraw_Marked},
    {"Waves_Marked", CmdWaves_Marked},
    {"BlowUp_Marked", CmdBlowUp_Marked},
    {"MoveImage_Marked", CmdMoveImage_Marked},
    {"Explode_Marked", CmdExplode_Marked},
    {"Implode_Marked", CmdImplode_Marked},
    {"Whirl_Left_Marked", CmdWhirl_Left_Marked},
    {"Whirl_Right_Marked", CmdWhirl_Right_Marked},
    {"OwnEffect_Marked", CmdOwnEffect_Marked},
    {"CreateBitmap", CmdCreateBitmap},
    {"UseCurrentImage", CmdUseCurrentImage},
    {"FreeImage", CmdFreeImage},
    {"PasteBitmap", CmdPasteBitmap},
    {"CircleMark", CmdCircleMark},
    {"MagicStick", CmdMagicStick},
    {"FreeMark", CmdFreeMark},
    {"CloseFreeMark", CmdCloseFreeMark},
    {"Color", CmdColor},
    {"HexColor", CmdHexColor},
    {"SetDrawForm", CmdSetDrawForm},
    {"SetDrawWidth", CmdSetDrawWidth},
    {"SetDrawSteps", CmdSetDrawSteps},
    {"SetTransparency", CmdSetTransparency},
    {"SetFillMode", CmdSetFillMode},
    {"PaletteColor", CmdPaletteColor},
    {"GetColor", CmdGetColor},
    {"GetRedColor", CmdGetRedColor},
    {"GetGreenColor", CmdGetGreenColor},
    {"GetBlueColor", CmdGetBlueColor},
    {"SetRedPoint", CmdSetRedPoint},
    {"SetGreenPoint", CmdSetGreenPoint},
    {"SetBluePoint", CmdSetBluePoint},
    {"UpdateAverageColors", CmdUpdateAverageColors},
    {"FreePaint", CmdFreePaint},
    {"Brush", CmdBrush},
    {"Smear", CmdSmear},
    {"Rubber", CmdRubber},
    {"Plot", CmdPlot},
    {"Fill", CmdFill},
    {"Line", CmdLine},
    {"Circle", CmdCircle},
    {"Ellipse", CmdEllipse},
    {"Rhombus", CmdRhombus},
    {"Box", CmdBox},
    {"Spray", CmdSpray},
    {"Resize", CmdResize},
    {"Text", CmdText},
    {"Stretch", CmdStretch},
    {"SaveBitmap", CmdSaveBitmap},
    {"SaveStructure", CmdSaveStructure},
    {"SaveDrawForm", CmdSaveDrawForm},
    {"OpenBitmap", CmdOpenBitmap},
    {"EndFreePaint", CmdEndPointList},
    {"EndBrush", CmdEndPointList},
    {"EndSmear", CmdEndPointList},
    {"EndRubber", CmdEndPointList},
    {"Mark", CmdMark},
    {"EndMark", CmdEndMark},
    {"ColorTurn", script_cmd::PlainEffect<ColorTurn>},
    {"Colorturn_Middle", script_cmd::PlainEffect<Colorturn_Middle>},
    {"BlackWhite", script_cmd::PlainEffect<BlackWhite>},
    {"XtremeColors", script_cmd::PlainEffect<XtremeColors>},
    {"Blur_Up", script_cmd::PlainEffect<Blur_Up>},
    {"Blur_Down", script_cmd::PlainEffect<Blur_Down>},
    {"Blur_Left", script_cmd::PlainEffect<Blur_Left>},
    {"Blur_Right", script_cmd::PlainEffect<Blur_Right>},
    {"Mirror_X", script_cmd::PlainEffect<Mirror_X>},
    {"Mirror_Y", script_cmd::PlainEffect<Mirror_Y>},
    {"Shadow", script_cmd::PlainEffect<Shadow>},
    {"ColorSpectrum", script_cmd::PlainEffect<ColorSpectrum>},
    {"RedDataFromBlueData", script_cmd::PlainEffect<RedDataFromBlueData>},
    {"RedDataFromGreenData", script_cmd::PlainEffect<RedDataFromGreenData>},
    {"GreenDataFromRedData", script_cmd::PlainEffect<GreenDataFromRedData>},
    {"GreenDataFromBlueData", script_cmd::PlainEffect<GreenDataFromBlueData>},
    {"BlueDataFromRedData", script_cmd::PlainEffect<BlueDataFromRedData>},
    {"BlueDataFromGreenData", script_cmd::PlainEffect<BlueDataFromGreenData>},
    {"Linedouble", script_cmd::PlainEffect<Linedouble>},
    {"Linedouble_mirror", script_cmd::PlainEffect<Linedouble_mirror>},
    {"LogicalBars", script_cmd::PlainEffect<LogicalBars>},
    {"Incircle", script_cmd::PlainEffect<Incircle>},
};
const size_t ScriptCommandTableSize = sizeof ScriptCommandTable / sizeof ScriptCommandTable[0];

namespace {

// Statement.command values besides the table rows (1-based).
constexpr int32_t kUnknown = 0, kAssignment = -1, kNotBuilt = -2, kFor = -3;

const std::unordered_map<std::string_view, int32_t>& CommandIndex() {
  static const std::unordered_map<std::string_view, int32_t> index = [] {
    std::unordered_map<std::string_view, int32_t> m;
    for (size_t i = 0; i < ScriptCommandTableSize; ++i) m.try_emplace(ScriptCommandTable[i].name, int32_t(i + 1));
    return m;
  }();
  return index;
}

void ResolveCommands() {
  std::unordered_map<std::string_view, int32_t> known;   // names of the function table
  for (int f = 1; f <= FunctionCount && size_t(f) < FunctionTable.size(); ++f)
    known.try_emplace(FunctionTable[size_t(f)].name, f);
  // Names of the table that are no commands: the evaluator's functions and the words the
  // preprocessor takes away.
  for (int f = 1; f <= 14; ++f) known.erase(script_detail::FunctionName(f));
  for (const char* word : {"Procedure", "EndProcedure", "IncludeFile", "NoCreate", "EndNoCreate"}) known.erase(word);
  for (Statement& st : StatementList) {
    if (st.name == "For") {
      st.command = kFor;
    } else if (int32_t row = FindScriptCommand(st.name)) {
      st.command = row;
    } else if (!st.name.empty() && st.name[0] == '#') {
      st.command = kAssignment;
    } else {
      st.command = known.count(st.name) ? kNotBuilt : kUnknown;
    }
  }
}

// A value that a second evaluation would give back unchanged: a plain unsigned number or
// a literal with no other double quote.
bool Settled(const std::string& v) {
  if (v.empty()) return true;
  if (v.front() == '"') {
    if (v.size() < 2 || v.back() != '"') return false;
    for (size_t i = 1; i + 1 < v.size(); ++i)
      if (v[i] == '"') return false;
    return true;
  }
  for (char c : v)
    if (!((c >= '0' && c <= '9') || c == '.')) return false;
  return true;
}

// The progress window, and a way for the user to stop a run that does not end.
struct Progress {
  bool requested = false, open = false;
  std::chrono::steady_clock::time_point started, lastLook;
  int32_t statements = 0;

  void Open() {
    if (open) return;
    const int previous = tk::currentWindow();
    tk::openWindow(26, 400, 400, 300, 60, "Fortschritt", tk::WfCaption | tk::WfSystemMenu | tk::WfTool, 0);
    tk::progressBar(751, 0, 0, 300, 30, 0, std::max(0, statements - 1));
    tk::label(752, 0, 40, 300, 20, "Zeile:0");
    if (previous >= 0) tk::useWindow(previous);
    open = true;
  }
  void Show(int32_t i) {
    tk::setGadgetState(751, i);
    char text[32] = "Zeile: ";
    const auto r = std::to_chars(text + 7, text + sizeof text - 1, i);
    *r.ptr = 0;
    tk::setGadgetText(752, text);
  }
  // Every so often: the window's close box stops the run. A run that was started without
  // the window shows it once it has taken a few seconds, so that it can be stopped too.
  void Look(int32_t i) {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastLook < std::chrono::milliseconds(100)) return;
    lastLook = now;
    if (!open && now - started > std::chrono::seconds(2)) Open();
    if (!open) return;
    if (!requested) Show(i);
    while (tk::pollEvent() != tk::EvNone)
      if (tk::currentEvent().code == tk::EvClose && tk::eventWindow() == 26) RunStopRequested = 1;
  }
  void Close() {
    if (open) tk::closeWindow(26);
    open = false;
  }
};

}  // namespace

int32_t FindScriptCommand(std::string_view name) {
  const auto& index = CommandIndex();
  auto it = index.find(name);
  return it == index.end() ? 0 : it->second;
}

void RunAssignment() {
  const Statement& st = StatementList[size_t(ScriptPosition)];
  script_detail::Level lv;
  if (!lv.ok()) return;
  std::string& target = lv.s().a;
  target.assign(st.name);
  script_detail::ResolveIndexesInPlace(target);
  if (allok != 1) return;
  const std::string_view name = std::string_view(target).substr(1);
  if (FindSystemConstant(name) >= 0) {
    ReportScriptError("Systemkonstanten können nicht verändert werden");
    return;
  }
  ScriptVariable* v = FindOrAddScriptVariable(name);
  if (!v) return;
  paramlist = 1;
  std::string& value = StatementArgs[1];
  if (!Settled(value)) {
    EvaluateStatementArguments();
    if (allok != 1) return;
  }
  const bool front = !value.empty() && value.front() == '"';
  const bool back = !value.empty() && value.back() == '"';
  if (front != back) {
    ReportScriptError("Strings und Numerische Werte können nicht vermischt werden");
    return;
  }
  v->kind = front ? 1 : 0;
  v->value.assign(value);
}

void CmdDim() {
  if (ScriptArgumentCount != 2) return ReportScriptError("Falsche anzahl an Parametern");
  const std::string& name = StatementArgs[1];
  if (!IsQuotedText(name)) return ReportScriptError("Hier wird ein String erwartet");
  if (!IsNumberText(StatementArgs[2])) return ReportScriptError("Hier wird ein numerischer Wert erwartet");
  const std::string inner = name.substr(1, name.size() - 2);
  if (inner.empty() || inner[0] != '#') return ReportScriptError("Variablen müssen mit '#' beginnen");
  for (size_t i = 1; i < inner.size(); ++i) {
    const char c = inner[i];
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '['))
      return ReportScriptError("Syntaxerror");
  }
  const int64_t n = TextToInteger(StatementArgs[2]);
  if (n < 0) return;
  if (int64_t(VariableList.size()) + n + 1 > int64_t(MaxScriptVariables))
    return ReportScriptError("Zu viele Variablen");
  const std::string base = inner.substr(1) + "[";
  for (int64_t j = 0; j <= n; ++j)
    if (!AppendScriptVariable(base + std::to_string(j) + "]", "", 0)) return;
}

void RunScript(int32_t editor, uint8_t showProgress) {
  OnErrorCode1 = 6;
  allok = 1;
  RunStopRequested = 0;
  ScriptErrorLine = 0;
  ScriptErrorName.clear();
  // The run starts from the drawing colour as it is, so that a script without colour
  // commands leaves it so.
  if (SystemConstantTable.size() > 7) {
    SystemConstantTable[5].value = std::to_string(Rot);
    SystemConstantTable[6].value = std::to_string(Gruen);
    SystemConstantTable[7].value = std::to_string(Blau);
  }
  InvalidateVariableIndex();
  PreprocessScript(editor);

  bool undoMade = false;
  const int32_t tool = paintstate;
  Progress progress;
  if (allok == 1) {
    ResetScriptRunState();
    isimage = 0;
    if (tk::isGadget(491)) ScriptBrushFormPath = "Forms/" + tk::gadgetText(491) + ".df";
    ResolveCommands();
    progress.statements = int32_t(StatementList.size());
    progress.started = progress.lastLook = std::chrono::steady_clock::now();
    if (showProgress == 1) {
      progress.requested = true;
      progress.Open();
    }
    undoMade = CreateUndoPoint() == 1;

    const int32_t count = int32_t(StatementList.size());
    uint32_t turn = 0;
    for (ScriptPosition = 0; ScriptPosition < count; ++ScriptPosition) {
      if (progress.requested) progress.Show(ScriptPosition);
      if ((++turn & 255u) == 0) {
        progress.Look(ScriptPosition);
        if (RunStopRequested) {
          ReportScriptError("Das Skript wurde abgebrochen");
          break;
        }
      }
      const Statement& st = StatementList[size_t(ScriptPosition)];
      CurrentStatement = ScriptPosition;
      ScriptErrorLine = st.line;
      ScriptErrorName.assign(st.name);
      ScriptArgumentCount = SplitStatementArguments(st.arguments);
      if (st.command == kFor) {
        CmdFor();
      } else {
        EvaluateStatementArguments();
        if (allok == 0) break;
        if (st.command > 0) {
          const ScriptCommandProc run = ScriptCommandTable[st.command - 1].run;
          if (run) run();
          else ReportScriptError(st.name + "() ist in dieser Version noch nicht verfügbar");
        } else if (st.command == kAssignment) {
          RunAssignment();
        } else if (st.command == kNotBuilt) {
          ReportScriptError(st.name + "() ist in dieser Version noch nicht verfügbar");
        } else {
          ReportScriptError(st.name + "() ist Kein Befehl und keine Variable");
        }
      }
      if (allok == 0) break;
    }
  }

  // End of the run.
  progress.Close();
  StatementList.clear();
  ProcedureList.clear();
  if (SystemConstantTable.size() > 7) {
    Rot = uint8_t(TextToInteger(SystemConstantTable[5].value));
    Gruen = uint8_t(TextToInteger(SystemConstantTable[6].value));
    Blau = uint8_t(TextToInteger(SystemConstantTable[7].value));
  }
  UpdateColourRatios();
  UpdateColourDisplays();
  UpdateToolOptions(tool);
  const bool leftOpen = MarkState > 0 || StructureSectionOpen > 0 || ForDepth > 0 || MaxLocateState > 0 ||
                        MinLocateState > 0 || PointMode > 0;
  CloseOpenLocates(allok == 1);
  if (allok == 1) {
    UpdateZoomedSizes();
    if (leftOpen)
      tk::messageRequester("Offene Schleifen/Funktionen",
                           "Einige Schleifen und Funktionen  sind nicht geschlossen,\rsollten komische Ergebnisse "
                           "auftreten, kann es daran liegen");
    RedrawCanvas();
  }
  if (allok == 0 && undoMade) Undo(1);
}
