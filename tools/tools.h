// Painting tools and structure fills.
// The subsystem's globals and procedures, as the rest of the program sees them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Puts every global of this subsystem back to its start value (tests).
void ResetToolsState();

// ==== Structure-effect table (tools/structure_table.cpp) ==============================
// One record per script command from effects_start to effects_end of "Data/Functions.dat"
// (file order); a record's position decides the procedure the structure engines run.
struct StructureEffectEntry {
  int32_t settingsPanel = 0;   // settings container 221..233 of the dialog, 0 = none
  std::string name;            // script command name
  std::string help;            // its help text
  int32_t param1 = 0, param2 = 0, param3 = 0;
  int16_t param4 = 0, param5 = 0, param6 = 0, param7 = 0, param8 = 0, param9 = 0, param10 = 0,
          param11 = 0, param12 = 0, param13 = 0, param14 = 0, param15 = 0, param16 = 0,
          param17 = 0, param18 = 0, param19 = 0, param20 = 0, param21 = 0;
  std::string formula1, formula2;
};
constexpr int StructureEffectPositions = 65;   // positions 0..64 with their own procedure
extern std::vector<StructureEffectEntry> StructureEffectTable;
// Start-up, after LoadScriptTables. A range of fewer than 65 names is reported ("Fehler").
void BuildStructureEffectTable();
// ==== end structure-effect table =======================================================

// ==== Canvas mouse handlers and tool state, as the canvas view calls them ================
// (declared for documents/canvas_view.cpp; their code comes with the painting tools)
#include <list>
extern int32_t linestate;    // tool whose mouse action runs; 0 or less when none
extern int32_t paintstate;   // gadget number of the selected tool button
extern uint8_t fillstate;    // fill mode of the shape tools
extern int32_t drawform_current, drawforms_length, drawstep;
extern int16_t ToolFormStates[9];   // option chosen for each form-drawing tool
extern int32_t tolleranz;           // tolerance of fill and magic wand
// A point of the polygon marking tool: view cell (x, y) and the scroll position then.
struct PolygonMarkPoint {
  int32_t x = 0, y = 0, horz = 0, vert = 0;
};
extern std::list<PolygonMarkPoint> PolygonMarkPoints;
void OnCanvasLeftDown();
void ToolDispatch();
void OnCanvasLeftUp();
void MarkOutlineSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz,
                        int32_t vert, int32_t mode);
// ==== end canvas mouse handlers ==========================================================

// ==== Tool handlers the shell's mode loops and view switches call =======================
// (their code comes with the painting tools; stand-ins in shell/pending_loops.cpp)
void UpdateToolOptions(int32_t toolgadget);
void OnToolGadget(int32_t gadget);
void OnDrawBarGadget(int32_t gadget);
void OnToolOptionPopup(int32_t id);
void OnTextPanelGadget(int32_t gadget);
void LoadTextFont();
void OnRightButton();
void FillFontList();
// ==== end tool handlers for the mode loops ==============================================
