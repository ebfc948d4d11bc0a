// Script language: editor, tables, preprocessor, evaluator, interpreter.
// The subsystem's globals and procedures, as the rest of the program sees them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Puts every global of this subsystem back to its start value (tests).
void ResetScriptState();

// ==== Script tables and the function data file (script/tables.cpp) ====================
// Filled once at start-up by LoadScriptTables from "Data/Functions.dat".
struct FunctionEntry {
  std::string name;        // script command or built-in function
  int32_t nameLength = 0;  // characters of name
  std::string help;        // help text, lines joined by CR LF
};
struct LetterIndexEntry {
  int32_t count = 0;       // consecutive names with this initial
  int32_t first = 0;       // FunctionTable index of the first of them
};
struct SystemConstant {
  std::string name;        // without the leading '#'
  std::string value;       // decimal text (empty when never set)
};
struct EvaluatorFunction {
  std::string name;
  int32_t length = 0;
};
struct ThanksEntry {
  std::string name;
  std::string text;        // lines separated by a lone CR
  std::string link;        // opened through the shell
};

constexpr int MaxFunctionEntries = 300;
constexpr int SystemConstantCount = 53;
constexpr int ThanksListSize = 7;        // index 0 to 6

extern std::vector<FunctionEntry> FunctionTable;          // 301, index 0 empty, sorted 1..FunctionCount
extern int32_t FunctionCount;
// 1 when "Data/Functions.dat" was there but damaged: cut short before the entries its
// header promised, or a header whose structure-effect range does not fit its entries.
extern uint8_t FunctionsDatDamaged;
extern std::vector<std::string> FunctionNamesInFileOrder; // 301, index 1.. in file order
extern int32_t effects_start;                             // file positions (1-based) of the
extern int32_t effects_end;                               // structure effect commands
extern std::vector<LetterIndexEntry> FunctionLetterIndex; // 27: 0, then 'A'..'Z'
extern std::vector<SystemConstant> SystemConstantTable;   // 53
extern std::vector<EvaluatorFunction> EvaluatorFunctions; // 15, names 1..14 set at start-up
extern std::vector<ThanksEntry> ThanksList;               // 7 (index 0 to 6)
extern int32_t ThanksLastIndex;                           // highest filled index; 0 without file

// Dimensions the tables, reads "Data/Functions.dat", sets the constants' fixed values,
// sorts the function table and builds the letter index.
void LoadScriptTables();
// The start-up's share: EvaluatorFunctions (15, names 1..14) and ThanksList (7) dimensioned
// fresh; used by the subsystem reset.
void ResetScriptTables();
// ==== end script tables ================================================================

// ==== Script-view handlers the shell's mode loops call ==================================
// (script/script_menu.cpp, editor_keys.cpp, find_replace.cpp, editor_undo.cpp)
void OnScriptMenu(int32_t id);
void OnScriptShortcut(int32_t id);
void OnScriptKeyDown();
void OnScriptKeyUp();
void OnFindReplace(int32_t gadget);
void CreateEditUndo(int32_t code);
// ==== end script-view handlers ==========================================================

// ==== Script lists the image documents keep per slot =====================================
#include <list>
// A script variable: its name without the "#" (an element of a Dim array is named
// name + "[" + index + "]"), its value as the evaluation returns it (digits for numbers,
// the text with its two double quotes for strings) and its kind (1 string, 0 number).
struct ScriptVariable {
  std::string name;
  std::string value;
  uint8_t kind = 0;
};
extern std::list<ScriptVariable> VariableList;
// The editor's own undo and redo lists ("data.ub", "data.rb" of the current slot) and the
// colouring of the caret's line (script/editor_undo.cpp, syntax_colouring.cpp).
void SaveEditUndoLists();
void LoadEditUndoLists(int32_t slot);
void HighlightSyntax();
// ==== end script lists ===================================================================

// ==== Script language core: evaluator, values, statements, preprocessor, procedures, ====
// ==== run driver and blocks (script/evaluator.cpp ... script/blocks.cpp)              ====
#include <string_view>

// Scripts compute with numbers written as text. A float result is written with six
// decimals ("%.6f" of the 32-bit value), an integer result as plain digits; "_" is the
// result of EvaluateArithmetic after an error. Every error clears `allok` (shell.h).
extern int32_t isimage;   // 1 while the run has an image to work on

// Arithmetic: numbers, + - * / % ^ |, round brackets and the functions 1..12 of
// EvaluatorFunctions. A minus right after another operator is the sign of the number.
std::string EvaluateArithmetic(const std::string& text);
// The same, writing into out (its capacity is reused; no allocation once it fits).
void EvaluateArithmeticInto(std::string_view text, std::string& out);
// Built-in function `index` (1..14) applied to the text between its brackets; 0 after an error.
float EvaluateNumericExpression(std::string_view text, int32_t index);
// 1 when the text may be evaluated: allowed characters, no division by a zero number,
// no forbidden operator pair ("^" and "|" are refused without a message).
int32_t ValidateArithmetic(std::string_view text);

// Text scanners. Positions count from 1; a literal runs from one double quote to the next.
int32_t IsInsideString(std::string_view text, int32_t pos);
int32_t BracketDepthAt(std::string_view text, int32_t pos);      // pos 0: the whole text
int32_t BracketDepthBefore(std::string_view text, int32_t pos);
int32_t FindAtTopLevel(std::string_view text, char c, int32_t start);
int32_t FindClosingBracket(std::string_view text, char c, int32_t start);
int32_t IsNumberText(std::string_view text);
int32_t IsDigitsOnly(std::string_view text);
int32_t IsQuotedText(std::string_view text);
// Number reading and writing as the script does it.
float TextToFloat(std::string_view text);            // sign, digits, point, digits; "" = 0
int32_t TextToInteger(std::string_view text);        // blanks, sign, digits (clamped to 32 bits)
std::string FloatToText(float v);                    // "%.6f" of the value
size_t FormatFloat6(float v, char* buffer);          // the same into >= 64 bytes, no allocation

// Per-cell entry for the custom formula effects. PrepareCellFormula keeps the formula
// (its #cvn_ placeholders already put in by the caller); EvaluateCellFormula then, for
// one cell, writes #x and #y, evaluates the calls of functions 1..12 that stand at bracket
// depth 0 outside literals, checks the text with ValidateArithmetic and evaluates it.
// Result 1: *value is the leading whole number of the result (12.9 gives 12); 0: the
// formula was refused by the check (the caller shows its own message); -1: an evaluator
// error was reported and `allok` is 0. The formula keeps its buffers between cells, so a
// pass over an image allocates nothing once the first cell has sized them.
struct CellFormula {
  std::string formula;
  std::string work;
  std::string result;
};
void PrepareCellFormula(CellFormula& f, const std::string& formula);
int32_t EvaluateCellFormula(CellFormula& f, int32_t x, int32_t y, int32_t* value);

// Values: indexes written as whole numbers, variables and constants put in, strings built.
std::string EvaluateValue(const std::string& text);
void EvaluateValueInto(std::string_view text, std::string& out);
std::string SubstituteVariables(const std::string& text);
std::string ResolveIndexes(const std::string& text);
// Hostile scripts: a value or a statement list past these limits is a script error.
constexpr size_t MaxScriptTextLength = size_t(1) << 22;     // characters of one value
constexpr size_t MaxScriptVariables = size_t(1) << 20;      // elements of VariableList
constexpr size_t MaxScriptStatements = size_t(1) << 20;     // statements after inlining

// A statement of the list: name (command, block word or "#" variable) and argument text.
struct Statement {
  int32_t normalised = 0;
  std::string name;
  int32_t command = 0;   // the dispatch row found for name when the run starts
  int32_t line = 0;      // 1-based editor line; 0 for statements of inlined procedures
  std::string arguments;
};
extern std::vector<Statement> StatementList;
extern int32_t CurrentStatement;   // 0-based position of the statement being run or checked
// The statement that error titles name (line and name), set by the run and the passes.
extern int32_t ScriptErrorLine;
extern std::string ScriptErrorName;

// Statement helpers.
extern std::vector<std::string> StatementArgs;   // 21; arguments at 1..20
extern int32_t paramlist;
int32_t SplitStatementArguments(std::string_view text);
void EvaluateStatementArguments();
int32_t TestCondition(int32_t a, const std::string& op, int32_t b);
void ReportScriptError(const std::string& message);
// The evaluator's plain message box: "Zeile N: Fehler in " + function name.
void ReportFunctionError(int32_t index, const std::string& message, const char* nameOverride = nullptr);
std::string ResolveScriptPath(const std::string& path);
// Number of argument values a statement's argument text splits into (0 for an empty text).
int32_t CountCallArguments(std::string_view text);

// Preprocessor passes, in the order the run calls them.
void SaveLastRunCode(int32_t editor);
void BuildStatementList(int32_t editor);
void CheckBracketBalance();
void NormaliseStatements();
void ExpandIncludeFiles();
void StripComments();
void DropNoCreateBlocks();
void StripBlanks();
// Procedures: declarations cut out, calls in bodies expanded, calls in the list inlined.
struct ScriptProcedure {
  std::string name;
  std::string body;      // statements, each "\xB6" + name + "(" + arguments + ")"
  int32_t line = 0;
  std::vector<std::string> parameters;   // at most 9, each beginning with "#"
  std::vector<std::string> callArguments;
  int32_t parameterCount = 0;
};
constexpr char ProcedureSeparator = '\xB6';
constexpr int MaxExpansionRounds = 64;
extern std::vector<ScriptProcedure> ProcedureList;
void CollectProcedures();
void ExpandNestedCalls();
void InlineProcedureCalls();
// Runs the preprocessor over the editor's text (SaveLastRunCode ... InlineProcedureCalls).
void PreprocessScript(int32_t editor);

// Run driver. RunScript(editor, showProgress): preprocess, one undo point, run every
// statement; a failed run is undone. With showProgress 1 window 26 shows the progress and
// its close box stops the run.
void RunScript(int32_t editor, uint8_t showProgress);
// Run state shared by the commands; every field starts at 0 with each run.
extern int32_t MarkState, FreeMarkOpen, PointMode, StructureSectionOpen;
extern int32_t MinLocateState, MaxLocateState;
extern uint8_t RunStopRequested;   // set when the user closes the progress window
// Dispatch: one row per command, compared exactly with the statement's name; the first
// equal row runs. A command reads StatementArgs, the count in ScriptArgumentCount and may
// set ScriptPosition (the statement run next is ScriptPosition + 1).
using ScriptCommandProc = void (*)();
struct ScriptCommandRow {
  const char* name;
  ScriptCommandProc run;   // nullptr: known command whose code is not in this program yet
};
extern const ScriptCommandRow ScriptCommandTable[];
extern const size_t ScriptCommandTableSize;
extern int32_t ScriptPosition;         // 0-based position of the current statement
extern int32_t ScriptArgumentCount;    // what SplitStatementArguments gave for it
void RunAssignment();
void CmdDim();
// Blocks.
extern std::vector<uint8_t> IfStack;   // 31, levels 1..30
extern uint8_t IfDepth, ForDepth, WhileDepth, RepeatDepth;
struct ForFrame {
  ScriptVariable* variable = nullptr;
  float counter = 0.0f, end = 0.0f, step = 0.0f;
  int32_t loopLine = 0;
};
extern std::vector<ForFrame> ForStack;         // 10, levels 1..9
extern std::vector<int32_t> RepeatStack;       // 11, levels 1..10
extern std::vector<int32_t> WhileStack;        // 11, levels 1..10
void ResetScriptRunState();
// ---- drawing and marking state of the commands, set back with every run ----
extern int32_t ScriptDrawMode, ScriptDrawWidth, ScriptDrawShape;
extern float ScriptOpacity;
extern int32_t PreviousPointX, PreviousPointY, FreeMarkStartX, FreeMarkStartY;
void ResetCommandRunState();
// End of a run: open locate regions are written back when `writeBack` (the run succeeded)
// and their copies released either way.
void CloseOpenLocates(bool writeBack);
void CmdIf();
void CmdElseIf();
void CmdElse();
void CmdEndIf();
void CmdFor();
void CmdNext();
void CmdRepeat();
void CmdUntil();
void CmdWhile();
void CmdWend();
// Variables: the first with this name (no "#"), or a new one appended (kind 0, empty).
ScriptVariable* FindScriptVariable(std::string_view name);
ScriptVariable* FindOrAddScriptVariable(std::string_view name);
// Appends a variable even when one of that name exists (lookups find the older one);
// nullptr (after a script error) when VariableList holds MaxScriptVariables already.
ScriptVariable* AppendScriptVariable(std::string_view name, std::string_view value, uint8_t kind);
// Index 0..52 of the system constant of that name (without "#"), -1 when none.
int32_t FindSystemConstant(std::string_view name);
// Drops the lookup index of VariableList; call after replacing or erasing its elements.
void InvalidateVariableIndex();
extern std::string ScriptBrushFormPath;   // "Forms/" + the chosen brush form + ".df"
// Row of ScriptCommandTable for a command name (1-based), 0 when there is none.
int32_t FindScriptCommand(std::string_view name);
// ==== end script language core ==========================================================

// ==== Script editor: undo and redo, colouring, indentation, hints, keys, find and replace,
// ==== script menu and HTML export (script/editor_undo.cpp ... script/html_export.cpp) ====
// The editor is rich-edit gadget 496 of panel 495; text gadget 497 below it is its help line.
constexpr int32_t ScriptEditorGadget = 496;
constexpr int32_t ScriptHelpLine = 497;
// Puts the editor's globals back to their start values (ResetScriptState calls it).
void ResetScriptEditorState();

// The editor's own history. An undo step holds the range [position, end) that an edit
// produced and the text it removed; a redo step holds the range and text an undo put back
// plus the undone step itself (the undone fields). New steps go to the back.
struct EditStep {
  int32_t position = 0;
  int32_t end = 0;
  std::string text;
  int32_t undonePosition = 0;
  int32_t undoneEnd = 0;
  std::string undoneText;
};
extern std::list<EditStep> EditUndoList;
extern std::list<EditStep> EditRedoList;
extern uint8_t EditCaptureDone;          // 1 after a capture, until an editor handler clears it
extern std::string EditCaptureTexts[3];  // selection; char before caret (or selection); after
extern int32_t InsertedTextLength;       // set before codes 7 and 8
extern uint8_t EditEnterKey;             // 1 while the key-down handler records an Enter (code 6)
// Steps are recorded after the editor has carried out the key (the toolkit applies a key
// before the program sees it), so each code's range is that of the edit's result.
void EditUndo();
void EditRedo();
void PushRedoStep();
void CaptureCharBeforeCaret();
// Length in editor characters of a text taken in ("\r\n" is one line break).
int32_t EditorTextLength(const std::string& text);

// Colouring, indentation and procedure hints. The hints of procedures declared in the
// editor live in their own list, apart from the script's variables.
struct ProcedureHint {
  std::string name;
  std::string hint;
};
extern std::list<ProcedureHint> ProcedureHints;
extern int32_t currentline;              // the caret's line after Enter
// Colours lines first..last (0-based) without moving the selection or the view.
void HighlightScriptLines(int32_t first, int32_t last);
void AutoIndent();
void RecordProcedureHint();
void RecordProcedureHintOfLine(int32_t line);   // a declaration on that line (0-based)
std::string TextToStringExpression(const std::string& text);
// The style (1 Normal .. 5 Comment) of every byte of one line, as HighlightSyntax gives it.
std::vector<uint8_t> LineStyles(const std::string& line);

// Keys and shortcuts. PrepareScriptEditor tells the editor gadget which keys it leaves to
// the program (called once the gadget exists).
void PrepareScriptEditor();
// Colours every line of `text`, just inserted in front of the caret, and records the
// procedure hints declared in it.
void ColourInsertedText(const std::string& text);

// Find and replace (window 3).
extern int32_t FindStartPosition;        // last found offset, -1 when nothing was found

// HTML export.
extern std::string HtmlStyleTags[7][2];  // [style][0 opening, 1 closing], styles 1..5
std::string HtmlColourText(uint32_t colorValue);   // "RRGGBB", upper-case hex
void BuildHtmlStyleTags();
std::string ScriptLineToHtml(const std::string& line);
int32_t ExportScriptHtml(const std::string& path);
// The export's file name: ".html" appended unless the extension, upper-cased, is "HTML".
std::string HtmlExportFileName(const std::string& chosen);

// Script menu helpers.
// The brush-form name proposed for an image's display name: its file part, cut at a "."
// found 5, then 4, then 6 characters from its end.
std::string BrushFormNameOf(const std::string& displayName);
// The style text of the font template: "#cvn_bold", "#cvn_italic", "#cvn_underline" joined by "|".
std::string FontStyleText(unsigned style);

// Built with other parts of the program (structure fills, the view and help menu).
void ReloadStructures();
int32_t OpenStructureDialog(uint8_t marked);
void OnViewHelpMenu(int32_t id);
// ==== end script editor ==================================================================
