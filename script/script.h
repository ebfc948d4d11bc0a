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
// (their code comes with the script editor; stand-ins in shell/pending_loops.cpp)
void OnScriptMenu(int32_t id);
void OnScriptShortcut(int32_t id);
void OnScriptKeyDown();
void OnScriptKeyUp();
void OnFindReplace(int32_t gadget);
void CreateEditUndo(int32_t code);
// ==== end script-view handlers ==========================================================

// ==== Script lists the image documents keep per slot =====================================
#include <list>
// A script variable: its name with the "#" and its value.
struct ScriptVariable {
  std::string name;
  std::string value;
};
extern std::list<ScriptVariable> VariableList;
// The editor's own undo and redo lists ("data.ub", "data.rb" of the current slot) and the
// colouring of the caret's line (stand-ins in shell/pending.cpp until the editor lands).
void SaveEditUndoLists();
void LoadEditUndoLists(int32_t slot);
void HighlightSyntax();
// ==== end script lists ===================================================================
