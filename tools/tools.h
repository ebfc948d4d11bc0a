// Painting tools and structure fills.
// The subsystem's globals and procedures, as the rest of the program sees them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using PixelCellT = uint32_t;   // byte 0 blue, 1 green, 2 red, 3 flag

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

// ==== Structure fills: library, effect lists, engine (tools/structure_*.cpp) ===========
// A structure file: int32 last x, int32 last y, then one grey byte a cell, row by row from
// the top. The library lists the files under "Structures/" in scan order.
struct StructureListEntry {
  std::string name;      // file: name without its last 6 characters; folder: its own name
  std::string folder;    // file: the folder part of its path, ending in "\"
  int32_t width = 0, height = 0;   // file: from its first two longs; 0 when unreadable
  uint8_t isFolder = 0;
  int32_t entryKind = 1;           // 1 file, 2 folder
};
extern std::vector<StructureListEntry> StructureList;
void ReloadStructures();
void ScanStructureFolder(const std::string& path, int32_t directoryNumber);
void AddStructureFile(const std::string& path, uint8_t isFolder, int32_t entryKind);
// The path of a file entry ("" for a folder or an index outside the list).
std::string StructureEntryPath(int32_t index);
// Reads a structure file into grey (stride w + 1). False, with grey untouched, when the file
// cannot be read or is shorter than its header says.
bool ReadStructureFile(const std::string& path, std::vector<uint8_t>& grey, int32_t& w, int32_t& h);
// Brings a map of last indices (w, h) to last indices (lastX, lastY): mode 0 tiles, 1 stretches.
void FitStructureMap(std::vector<uint8_t>& grey, int32_t w, int32_t h, int32_t lastX, int32_t lastY,
                     uint8_t mode);

// An effect of a plane's list: the table record's fields, help left empty.
using EffectListEntry = StructureEffectEntry;
// A plane's effects in run order and the element the settings tab edits (-1: none).
struct EffectList {
  std::vector<EffectListEntry> items;
  int32_t current = -1;
};
extern EffectList BlackEffectList, WhiteEffectList;
// Puts table record `position` after row `row` (-1: at the top) and makes it current.
// Returns the new row, -1 when the position is not in the table.
int32_t InsertEffect(EffectList& list, int32_t row, int32_t position);
// Removes row `row`; the one before it (or after it, for row 0) becomes current.
void RemoveEffect(EffectList& list, int32_t row);

// What a structure run needs besides the two lists.
struct StructureRunOptions {
  bool blackOn = true, whiteOn = true;   // "Effekte auf schwarze / weiße Ebene anwenden"
  std::string path;                      // the structure file
  uint8_t mode = 1;                      // 0 tile, 1 stretch
};
extern std::vector<PixelCellT> StructurePlaneCopy, StructureAreaCopy;
extern std::vector<uint8_t> StructureGreyMap, StructureAreaGreyMap;
// Runs both lists on the image (marked 0, after an undo point) or the marked area (1) and
// mixes them by the structure. A structure that cannot be read stops the run with a message
// before anything is changed. Both lists are empty afterwards. Returns 1 when it ran.
int32_t RunStructure(uint8_t marked, const StructureRunOptions& options);
// Runs one list element on the image or the area; the black pass keeps the channel order.
void DispatchStructureEffect(const EffectListEntry& e, uint8_t marked, bool keepOrder);
// The dialog's runs: the options from its gadgets (check boxes 204, 211, tree 195).
void ApplyStructure(uint8_t mode);
void ApplyStructure_Marked(uint8_t mode);
// Mix target and copy by the grey map: grey 255 keeps the target, 0 takes the copy.
// Nothing happens when the copy or the map is not of the target's size.
void BlendStructure();
void BlendStructure_Marked();

// The dialog (window 5) and its "Effekteinstellungen" tab (containers 221..233).
void PreviewStructure();
int32_t AddBlackEffect();
int32_t AddWhiteEffect();
int32_t RemoveBlackEffect();   // button 207: the selected row of list 209
int32_t RemoveWhiteEffect();   // button 214
int32_t ShowBlackEffectSettings();
int32_t ShowWhiteEffectSettings();
int32_t ShowBlackEffectList();
int32_t ShowWhiteEffectList();
void BuildStructureSettingsContainers();
void LoadEffectSettings(const EffectListEntry& e);
// Hides every container, then shows and loads the list's current element's one.
void ShowCurrentEffectSettings(const EffectList& list);
// Stores a change of gadget (above 218) into the current element of the list option 201
// chooses (set: black, else white); captions and dependent gadgets follow in any case.
int32_t UpdateEffectSettingsPanel(int32_t gadget);
void ColourRangeGeometry(int32_t channel);   // 0 red, 1 green, 2 blue
// ==== end structure fills ================================================================

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
// (tools/tool_options.cpp, option_popups.cpp, canvas_mouse.cpp)
void UpdateToolOptions(int32_t toolgadget);
void OnToolGadget(int32_t gadget);
void OnDrawBarGadget(int32_t gadget);
void OnToolOptionPopup(int32_t id);
void OnTextPanelGadget(int32_t gadget);
void LoadTextFont();
void OnRightButton();
void FillFontList();
// ==== end tool handlers for the mode loops ==============================================

// ==== Tool model, tool options, option popups, canvas mouse (tools/tool_*.cpp, canvas_mouse.cpp)
// A tool is known by the number of its button gadget in the drawing panel (34..58, and
// 126 "Bereich verschieben" of the marked-area panel).
std::string StoredToolName(int32_t tool);          // the stored name, "" for no tool
extern int32_t ToolOption;                      // option id (466..490) of the selected tool
extern uint8_t CanvasButtonDown;                // 1 from a press inside the image to the release
extern uint8_t FreehandStarted;                 // 1 while the pen draws segments
extern uint8_t CompassClicks;                   // presses of the compass so far
extern int32_t CompassCentreX, CompassCentreY, CompassRadius;
struct BezierPoint {
  int32_t x = -1, y = -1;
};
extern BezierPoint BezierPoints[4];             // start, first control, second control, end
extern int32_t currentbezier;                   // -1 no curve, else the point the drag moves
extern int32_t vieleckwork;                     // 1 while a drawn polygon is open
extern int32_t drawdc;                          // canvas held during a brush stroke
extern float transstate;                        // opacity 0.0 .. 1.0
extern uint8_t allowreadraw, mirrorxstate, mirrorystate;
// The cells under the smear brush: (2r + 2) x (2r + 2), row-major.
extern std::vector<uint32_t> SmearBuffer;
extern int32_t SmearBufferSide;
void SizeSmearBuffer(int32_t radius);
// The canvas cursor of the selected tool is the shell's ToolCursor (0..3 the cursor
// files, 4 the arrow), which the drawing mode loop applies.

// Selects a tool: leaves the old one, enters the new one, shows the option gadgets the
// new one uses. Tools outside 34..58 and 126 change nothing.
void UpdateToolOptions(int32_t tool);
void OnToolGadget(int32_t gadget);              // gadgets 10..108 of the drawing panel
void OnToolOptionPopup(int32_t id);             // menu ids from 466 up
void OnDrawBarGadget(int32_t gadget);           // gadgets 171..193 of the drawing-settings bar
// The size presets of combo 67: width and height as text; 2..4 from the default printer's
// page (page width and height in pixels; 0 x 0 without a printer).
void SizePreset(int32_t item, int32_t pageWidth, int32_t pageHeight, std::string& width,
                std::string& height);
// Leading sign and digits of a text as a number, 0 when there are none.
int64_t LeadingNumber(const std::string& text);

// Canvas mouse: press, move with a tool action running, release, right button.
void OnRightButton();
// ==== end tool model, tool options, option popups, canvas mouse =========================

// ==== Tool routines the canvas mouse calls (their code comes with the tools themselves) ==
// View-relative points (cells from the top-left visible cell) take horz/vert beside them.
void StartPolygonMark(int32_t x, int32_t y, int32_t horz, int32_t vert);
void AddPolygonMarkPoint(int32_t x, int32_t y, int32_t horz, int32_t vert);
void ClosePolygonMark();
void CircleMark(int32_t cx, int32_t cy, int32_t horz, int32_t vert, int32_t radius, uint8_t quiet);
void PreviewCircleMark(int32_t cx, int32_t cy, int32_t radius);
void MagicStick(int32_t x, int32_t y);          // image cell
void PickColor();
void StartDistortion();
void PreviewDistortion();
void FinishDistortion();
void DrawFreehandSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert,
                         int32_t drawMode, float opacity, uint8_t allowreadraw, uint8_t mirrorX,
                         uint8_t mirrorY, uint8_t quiet);
void Brush(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert, int32_t drawMode,
           float opacity, uint8_t allowreadraw, float step, uint8_t mirrorX, uint8_t mirrorY,
           uint8_t quiet);
void Smear(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert, float opacity,
           uint8_t allowreadraw, float step, uint8_t quiet);
void SprayPaint(int32_t y, int32_t x, int32_t horz, int32_t vert, int32_t size, int32_t count,
                int32_t drawMode, float opacity, uint8_t allowreadraw, uint8_t mirrorX, uint8_t mirrorY,
                uint8_t quiet);
void SprayPaintCircle(int32_t y, int32_t x, int32_t horz, int32_t vert, int32_t radius, int32_t count,
                      int32_t drawMode, float opacity, uint8_t allowreadraw, uint8_t mirrorX,
                      uint8_t mirrorY, uint8_t quiet);
void StartTextBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert);
void FloodFill(int32_t x, int32_t y, int32_t drawMode, float opacity, int32_t quiet);
void FloodFillTransparent(int32_t x, int32_t y, int32_t drawMode, float opacity, uint8_t quiet);
void PreviewBezierCurve(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                        int32_t x3, int32_t y3);
void DrawBezierCurve(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
                     int32_t y3, int32_t horz, int32_t vert, int32_t drawMode, float opacity, int32_t quiet);
void PreviewEllipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry, int32_t option);
void DrawEllipse(int32_t cx, int32_t cy, int32_t rx, int32_t ry, int32_t horz, int32_t vert,
                 int32_t drawMode, float opacity, int32_t option);
void PreviewLineSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t r, uint8_t g, uint8_t b);
void PreviewLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t widthOption);
void Box(int32_t x, int32_t y, int32_t w, int32_t h, int32_t horz, int32_t vert, int32_t option,
         int32_t drawMode, float opacity, uint8_t quiet);
void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert,
              int32_t drawMode, float opacity, int32_t widthOption);
void PreviewRhombus(int32_t cx, int32_t cy, int32_t hx, int32_t hy, int32_t option);
void Rhombus(int32_t cx, int32_t cy, int32_t hx, int32_t hy, int32_t horz, int32_t vert, int32_t drawMode,
             float opacity, int32_t option, uint8_t quiet);
void StoreCompassCentre(int32_t x, int32_t y, int32_t horz, int32_t vert);
void StoreCompassRadius(int32_t x, int32_t y);
void DrawCompass(float x, float y, float cx, float cy, float r, int32_t horz, int32_t vert, uint8_t mode,
                 float opacity, uint8_t noOverpaint);
void DrawCompassPixels(float x, float y, float cx, float cy, float r, int32_t horz, int32_t vert,
                       uint8_t mode, float opacity, uint8_t noOverpaint);
void StampBrushForm(int32_t form, int32_t x0, int32_t y0, int32_t w, int32_t h, int32_t mode,
                    int32_t opacity, uint8_t quiet);
void ColorRangePipette(int32_t x, int32_t y, int32_t w, int32_t h, int32_t shape);
// ==== end tool routines ==================================================================

// ==== Brush-form library and stamp, text tool, special-character chooser =================
// (tools/brush_forms.cpp, text_tool.cpp, special_characters.cpp)
// Forms are the files "Forms/*.df" (extension exactly "df"), listed one a line in
// "Forms/writeforms.tx"; the 0-based line number is the form's index everywhere, and
// form k has icon image FirstFormImage + k (none when its file is missing or broken).
constexpr int FirstFormImage = 140;
extern std::vector<uint8_t> FormLoadBuffer;   // grey map of the form being read
extern std::vector<uint32_t> FormIconCells;   // cells of the icon being built
extern std::vector<uint8_t> StampBuffer;      // grey map of the form being stamped
void LoadBrushForms();     // rewrites the list file, builds the icons, fills list 491
void ReloadBrushForms();   // frees the icons, empties list 491, loads again
// StampBrushForm (declared with the tool routines above) stretches form ToolFormStates[8]
// over the (w + 1) x (h + 1) cells from image cell (x0, y0) in fillstate at opacity
// transstate (its form, mode and opacity arguments are not used); cells outside the image
// are left out, w or h below 1 paints nothing. quiet 0: undo point before, redraw after.

// Text tool: the box (see StartTextBox) and what the text panel 582 shows.
extern int32_t TextLeft, TextTop;   // the box's top-left corner in view cells
extern int32_t fontsize;            // point size of font 0; line i starts at round(1.5 i fontsize)
extern uint8_t text_bgrot, text_bggruen, text_bgblau;   // background colour, white per box
void RenderTextPreview();   // background cells from the image and slider 593, then image 22
void CreateTextImage();     // AreaPixels into image 22
void DrawTextLines();       // fresh background, the editor's lines on it, shown on the canvas
void ApplyTextBox();        // one undo point, image 22 into the image cells under the box
void CloseTextTool();       // back to the drawing panel with tool 43 selected

// The chooser's window 21: the chosen character, "" when closed.
std::string ChooseSpecialCharacter(const std::string& face);
// The hover labels for the mouse at (mx, my) of its client area ("" and "" when the mouse
// is outside it); codes past 255 (below the grid) show no character.
void SpecialCharacterLabels(int32_t mx, int32_t my, std::string& ascii, std::string& hex);
// ==== end brush forms, text tool, special characters ======================================
// ==== Painting and selection tool routines (tools/shapes.cpp, fill_wand.cpp, freehand.cpp,
// ==== selections.cpp, bezier.cpp, distortion.cpp, pipettes.cpp) ===========================
// Cells painted by the last plain flood fill.
extern int32_t FillCount;
// The wand at image cell (x, y); quiet 1 (scripts): no busy sign, no view refresh of the
// area. The two-argument form is the canvas's, quiet 0.
void MagicStick(int32_t x, int32_t y, uint8_t quiet);
int32_t FillColorMatches(int32_t y, int32_t x, int32_t r, int32_t g, int32_t b);
int32_t ColorDistanceSum(int32_t r1, int32_t g1, int32_t b1, int32_t r2, int32_t g2, int32_t b2);
// White rectangles (mode 0) or grey circles (mode 1) along a line: the script's point command.
void DrawEllipseStroke(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t horz, int32_t vert, int32_t w,
                       int32_t h, int32_t mode, uint8_t quiet);
// The random draws of the spray can (0..n inclusive); tests put a scripted source here.
extern int32_t (*ToolRandom)(int32_t n);
// The scroll position at the compass's centre press.
extern int32_t CompassScrollX, CompassScrollY;
// The point on the compass circle towards (x, y), all in view cells.
void CompassPoint(float x, float y, float cx, float cy, float r, float& px, float& py);
// A compass drawing is held from its press and committed at its release (or when the
// tool is left or the action cancelled), so no other command runs over a held image.
extern uint8_t CompassHeld;
void HoldCompassDrawing();
void CommitCompassDrawing();
// A right click during the distortion: the held image comes back, size and cells.
void CancelDistortion();
// A cancelled polygon selection gives back the drawing colour its first click replaced.
void RestorePolygonMarkColour();
// ==== end painting and selection tool routines ===========================================
