// Stand-ins for procedures and globals that the canvas view needs from code not yet
// written (painting tools, status bars, slot folders, undo store, floating area,
// printing, settings). Each definition here stands in only until its own code lands;
// remove it then.
#include <list>

#include "documents/documents.h"
#include "shell/shell.h"
#include "tools/tools.h"

// ---- painting tools (canvas mouse handlers and tool state) ----
int32_t linestate = 0;
std::list<PolygonMarkPoint> PolygonMarkPoints;
void OnCanvasLeftDown() {}
void ToolDispatch() {}
void OnCanvasLeftUp() {}
void MarkOutlineSegment(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}


// ---- image records and slot folders ----
std::vector<ImageRecord> ImageRecords(11);

// ---- undo store ----
std::vector<PixelCell> HeldImage(1);
void CreateUndoPoint() {}

// ---- floating area ----
void RenderAreaView() {}

// ---- printing ----
int32_t DefaultPrinterResolution() { return 0; }
