// Toolkit layer: start-up, program folder, text, random numbers, the event queue
// and what the program asks of its surroundings.
//
// Everything the program addresses (windows, gadgets, menus, images, fonts, files,
// timers, status bars, tool bars) is addressed by a small number the program picks.
// A creation call with number -1 (where allowed) takes a free number and returns it.
// All text crossing this layer is Windows-1252 in std::string.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace tk {

// ---- start-up -------------------------------------------------------------------
// Creates the application object (once); argv[0] fixes the program folder.
void init(int argc, char** argv);
bool initialised();
// Runs pending platform work once without waiting (layout, paint, timers).
void processPending();

// ---- program folder and paths -------------------------------------------------
// The folder that holds the program, with a trailing '/'.
const std::string& programFolder();
void setProgramFolder(const std::string& folder);  // tests
// A path as the program writes it ("Data\\x.png", "Undo/Undo1/") made usable:
// backslashes become '/', a relative path is taken from the program folder.
std::string resolvePath(const std::string& path);

// ---- text ---------------------------------------------------------------------------
}  // namespace tk
class QString;
namespace tk {
QString toQt(const std::string& cp1252);
std::string fromQt(const QString& s);       // characters outside Windows-1252 become '?'
std::string toUtf8(const std::string& cp1252);
std::string fromUtf8(const std::string& utf8);
// In-place case-insensitive sort of strings (Windows-1252 letters folded).
void sortNoCase(std::string* first, std::string* last);
int compareNoCase(const std::string& a, const std::string& b);

// ---- random --------------------------------------------------------------------------
// A whole number drawn uniformly from 0 to n inclusive (n < 0 gives 0).
int32_t random(int32_t n);
void randomSeed(uint32_t seed);
// Tests: every later draw comes from `draw` (called with the bound n) instead of the
// generator; an empty function restores the generator.
void testSetRandomSource(std::function<int32_t(int32_t n)> draw);

// ---- event queue -----------------------------------------------------------------
enum EventCode : int {
  EvNone = 0,
  EvResize = 5,          // window resized
  EvFocus = 7,           // keyboard focus moved (wakes the loops for their focus test)
  EvClose = 16,          // close request of a window
  EvKeyDown = 256,
  EvKeyUp = 257,
  EvMouseMove = 512,
  EvLeftDown = 513,
  EvLeftUp = 514,
  EvRightDown = 516,
  EvRightUp = 517,
  EvScroll = 276,        // scroll-bar request, to the bar's gadget callback only (tk_gadget.h)
  EvGadget = 13100,      // gadget event: gadget number, window, event type
  EvMenu = 13101,        // menu item, tool bar button or shortcut: menu id
  EvTray = 13102,        // tray icon
};

// Gadget event types.
enum EventType : int {
  EtNone = 0,
  EtLeftClick = 1,       // click; also the "changed" of lists, sliders, combos
  EtRightClick = 2,
  EtLeftDoubleClick = 3,
  EtRightDoubleClick = 4,
  EtFocus = 14,
  EtLostFocus = 15,
  EtDragStart = 16,
  EtChange = 768,        // text or value changed
  EtSizeItem = 0x300 + 1,
};

struct Event {
  int code = EvNone;
  int window = -1;       // window number, -1 when none
  int gadget = -1;       // gadget number for EvGadget and for mouse events over a gadget
  int menu = -1;         // menu id for EvMenu
  int type = EtNone;     // gadget event type; tray: 1 left click, 2 right click
  intptr_t wParam = 0;   // key events: the virtual-key code
  intptr_t lParam = 0;   // mouse events: x | (y << 16) in the window or gadget
};

// Blocks until an event is queued (timeoutMs < 0: forever). Returns its code, EvNone
// on time-out. Waiting sleeps in the platform's loop: an idle program uses no CPU.
int waitEvent(int timeoutMs = -1);
int pollEvent();                    // non-blocking; EvNone when the queue is empty
void drainEvents();                 // takes and drops every queued event
// Runs what is pending (without waiting), then takes queued events one by one until one
// with `code` was taken: true, and that event is the current one; false when the queue
// ran empty first. Events queued after it stay queued.
bool takeEventsThrough(int code);
// Removes the oldest queued event with `code`, without running anything; false if none.
bool dropQueuedEvent(int code);
const Event& currentEvent();        // the event the last wait or poll returned
inline int eventWindow() { return currentEvent().window; }
inline int eventGadget() { return currentEvent().gadget; }
inline int eventMenu() { return currentEvent().menu; }
inline int eventType() { return currentEvent().type; }
inline intptr_t eventWParam() { return currentEvent().wParam; }
inline intptr_t eventLParam() { return currentEvent().lParam; }
void postEvent(const Event& e);     // appends to the queue (also used by tests)
int queuedEvents();

// Work that must run at the start of the next wait or poll, before the queue is read
// (a key typed into the rich editor is inserted only after the program has seen it).
void deferToNextWait(std::function<void()> work);

// ---- surroundings (tests may set them) ------------------------------------------------
// Virtual-key codes of Ctrl, Shift, Alt: 0x11, 0x10, 0x12.
bool keyDown(int virtualKey);        // the key's state at this moment
int desktopWidth();
int desktopHeight();
int operatingSystemCode();           // the code the program compares (e.g. 30, 40: old systems)
// Test overrides: a value >= 0 replaces the real one; -1 restores it.
void testSetKeyDown(int virtualKey, int state);
void testSetDesktopSize(int w, int h);
void testSetOperatingSystemCode(int code);

}  // namespace tk
