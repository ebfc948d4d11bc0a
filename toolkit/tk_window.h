// Toolkit layer: windows, menus, popup menus, tool bars, status bars, keyboard
// shortcuts, timers, cursors and focus.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace tk {

// ---- windows ------------------------------------------------------------------------
enum WindowFlags : unsigned {
  WfCaption = 1u << 0,
  WfSystemMenu = 1u << 1,    // close box
  WfSizing = 1u << 2,        // resizable frame
  WfMinimize = 1u << 3,
  WfMaximize = 1u << 4,
  WfBorderless = 1u << 5,    // popup without frame
  WfTopmost = 1u << 6,
  WfHidden = 1u << 7,        // created invisible
  WfCentered = 1u << 8,      // centred on the desktop (x, y ignored)
  WfTool = 1u << 9,          // small caption, no task bar entry
};

// Opens window num (or a free number with -1) with the given inner (client) size.
// owner: window number that owns it, -1 for none. Returns the number, -1 on failure.
// The new window becomes the current window for gadget creation.
int openWindow(int num, int x, int y, int w, int h, const std::string& title,
               unsigned flags, int owner = -1);
void closeWindow(int num);
bool isWindow(int num);
void hideWindow(int num, bool hide);
bool windowHidden(int num);
void disableWindow(int num, bool disable);
void activateWindow(int num);        // show, raise and give it the focus
void bringToFront(int num);
int activeWindow();                  // the number of the active window, -1 when none of ours
int windowX(int num);
int windowY(int num);
int windowWidth(int num);            // inner size
int windowHeight(int num);
void resizeWindow(int num, int x, int y, int w, int h);   // -1 keeps a value
void setWindowTitle(int num, const std::string& title);
std::string windowTitle(int num);
void setWindowIcon(int num, int image);
void setWindowColor(int num, uint32_t colorValue);       // background, ColorValue
// Lays window num (opened WfBorderless) over the whole screen that window onWindow lies
// on (the primary screen when there is none) and shows it there, active; its inner size
// becomes the screen's. False when there is no such window or screen.
bool showFullScreen(int num, int onWindow);
// Gadgets are created in the current window (and in the open container, panel tab
// or scroll area of it, see tk_gadget.h).
void useWindow(int num);
int currentWindow();
// Mouse position over the inner area of a window; -1 when outside.
int windowMouseX(int num);
int windowMouseY(int num);
void testSetWindowMouse(int num, int x, int y);  // tests; x = -2 restores the real one

// Raw window events (mouse moves, buttons, resizes, ...) reach the callback before
// they are queued. msg is an EventCode, wParam/lParam as in Event. A nonzero result
// keeps the event from the queue.
using WindowCallback = std::function<int(int window, int msg, intptr_t wParam, intptr_t lParam)>;
void setWindowCallback(int num, WindowCallback cb);    // empty function removes it

// ---- timers (run on the GUI thread while the program waits) ----------------------------
void addTimer(int window, int timer, int ms, std::function<void()> callback);
void removeTimer(int window, int timer);

// ---- menus ----------------------------------------------------------------------------
// A menu bar is built with the calls below, each adding to the menu under
// construction; menu ids raise EvMenu with that id.
bool createMenu(int num, int window);          // menu bar num, attached to window
bool createPopupMenu(int num);
void menuTitle(const std::string& title);
void menuItem(int id, const std::string& text, int image = -1);
void menuSeparator();
void openSubMenu(const std::string& title, int image = -1);
void closeSubMenu();
void freeMenu(int num);
bool isMenu(int num);
void attachMenu(int num, int window);          // replaces the window's menu bar
void detachMenu(int window);
int attachedMenu(int window);                  // -1 when none
void showPopupMenu(int num, int window, int x = -1, int y = -1);  // -1: at the mouse
void setMenuItemChecked(int num, int id, bool checked);
bool menuItemChecked(int num, int id);
void setMenuItemText(int num, int id, const std::string& text);
std::string menuItemText(int num, int id);
// Own check pictures: unchecked shows imageOff, checked shows imageOn.
void setMenuItemImages(int num, int id, int imageOff, int imageOn);
void setMenuItemImage(int num, int id, int image);
// Enables or disables an id in every menu, popup and tool bar at once.
void enableMenuId(int id, bool enable);
bool menuIdEnabled(int id);
// The same in one menu bar or popup only (tool bars untouched).
void enableMenuItem(int num, int id, bool enable);
bool menuItemEnabled(int num, int id);   // false when the menu has no such item
// Tests: trigger a menu id as the user would (through the real menu action).
bool testTriggerMenuItem(int num, int id);
// One line per entry, indented two blanks per level: a menu title or sub-menu as
// "> Title" (menu-bar titles without "> " at level 0), an item as "id text" with " [x]"
// when checked and " [-]" when disabled, a separator as "---".
std::string testMenuStructure(int num);

// ---- tool bars -------------------------------------------------------------------------
enum StandardIcon : int {
  IconNew, IconOpen, IconSave, IconCut, IconCopy, IconPaste, IconUndo, IconRedo,
  IconPrint, IconPrintPreview, IconProperties, IconHelp, IconFind, IconReplace,
};
bool createToolBar(int num, int window);
void toolBarStandardButton(int id, StandardIcon icon, bool toggle = false);
void toolBarImageButton(int id, int image, bool toggle = false);
void toolBarSeparator();
void toolBarToolTip(int num, int id, const std::string& text);
void setToolBarButtonImage(int num, int id, int image);
void hideToolBarButton(int num, int id, bool hide);
void disableToolBarButton(int num, int id, bool disable);
bool toolBarButtonEnabled(int num, int id);   // false when the bar has no such button
void setToolBarButtonState(int num, int id, bool pressed);
bool toolBarButtonState(int num, int id);
int toolBarHeight(int num);
bool testClickToolBarButton(int num, int id);

// ---- status bars -------------------------------------------------------------------------
enum StatusFlags : unsigned { SbCenter = 1, SbRight = 2, SbRaised = 4, SbBorderless = 8 };
bool createStatusBar(int num, int window);
void addStatusBarField(int width);             // fields of the status bar under construction
void setStatusBarText(int num, int field, const std::string& text, unsigned flags = 0);
std::string statusBarText(int num, int field);
void setStatusBarImage(int num, int field, int image);
int statusBarImage(int num, int field);        // -1 when none
void freeStatusBar(int num);
bool isStatusBar(int num);
int statusBarHeight(int num);

// ---- keyboard ---------------------------------------------------------------------------------
// A shortcut is a Windows virtual-key code plus ModShift, ModCtrl, ModAlt; pressing
// it raises EvMenu with menuId, like an accelerator (whatever has the focus).
enum : int { ModShift = 0x10000, ModCtrl = 0x20000, ModAlt = 0x40000 };
void addShortcut(int window, int key, int menuId);
void removeShortcut(int window, int key);
bool hasShortcut(int window, int key);
// True when the control with the keyboard focus takes typed text (string fields, spin
// fields, editors, the rich editor, editable combos).
bool focusIsTextField();
// The keyboard-focus class name the loops compare: "RichEdit20A" for rich editors,
// "Edit" for the other text fields, another name otherwise.
std::string focusClassName();

// ---- cursors --------------------------------------------------------------------------------
enum StandardCursor : int { CursorArrow = 0, CursorSizeNS = 1, CursorSizeWE = 2, CursorCross = 3,
                            CursorWait = 4, CursorHand = 5 };
// Cursor handles: 0 = none. A loaded cursor file ("*.cur") or a standard cursor.
int loadCursor(const std::string& path);
int standardCursor(StandardCursor which);
void setGadgetCursor(int gadget, int cursor);
int gadgetCursor(int gadget);

// ---- tray icons (toolkit/tray.cpp) and timer periods ----------------------------------------
// trayAvailable: the desktop shows tray icons (tests: testSetTrayAvailable 0/1, -1 restores).
// A tray icon belongs to `window` and goes with it; clicks queue EvTray with the window, the
// icon's number in `gadget` and type 1 (left click) or 2 (right click).
bool trayAvailable();
void testSetTrayAvailable(int state);
bool addTrayIcon(int num, int window, int image);   // image -1: no picture
void removeTrayIcon(int num);
bool isTrayIcon(int num);
void setTrayIconImage(int num, int image);
void setTrayIconToolTip(int num, const std::string& text);
// The period in ms of a running timer, -1 when there is none.
int timerInterval(int window, int timer);

}  // namespace tk
