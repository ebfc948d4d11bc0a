// Shared state of the toolkit layer's implementation files. Not for the program.
#pragma once
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>

#include "toolkit/tk_base.h"
#include "toolkit/tk_gadget.h"
#include "toolkit/tk_window.h"

class QMenuBar;
class QKeyEvent;

namespace tk::detail {

// Private image numbers: the picture of canvas gadget g is image CanvasImageBase + g;
// drawing on window n goes to image WindowImageBase + n, shown under its gadgets.
constexpr int CanvasImageBase = 1000000;
constexpr int WindowImageBase = 2000000;

// Every gadget widget carries the dynamic property "tkClass" with the class name the
// focus test compares: "Edit" (string fields, spin fields, editors, editable combos),
// "RichEdit20A" (rich editors), else the kind's own name ("Button", "ListBox", ...).

// A window: a top-level widget whose inner area is `client` (below the menu bar).
// Tool bar and status bar lie inside the inner area, on top of the gadgets, as the
// program's layout expects (its gadgets start at y 0 under the tool bar).
struct WindowRec {
  int num = -1;
  QPointer<QWidget> top;
  QPointer<QWidget> client;
  QPointer<QMenuBar> menuBar;   // the attached bar, if any
  int menuNum = -1;
  QPointer<QWidget> toolBar;    // placed at the top of the inner area
  int toolBarNum = -1;
  QPointer<QWidget> statusBar;  // placed at the bottom of the inner area
  int statusBarNum = -1;
  WindowCallback callback;
  unsigned flags = 0;
  int owner = -1;
};

WindowRec* window(int num);                 // nullptr when there is none
int windowOf(const QWidget* w);             // the window number a widget lies in, -1
QWidget* gadgetParent();                    // where the next gadget goes (current list)
std::map<int, std::unique_ptr<WindowRec>>& windows();
// Lays out tool bar and status bar in the inner area after a change.
void layoutBars(int num);

// Gadget registry (gadget.cpp).
QWidget* gadgetWidget(int num);
int gadgetOfWidget(const QWidget* w);       // walks up the parents; -1 when none
// Registers a created gadget widget (used by gadget kinds defined elsewhere, such as
// the rich editor). num -1 takes a free number. Returns the number.
int registerGadget(int num, QWidget* w, GadgetKind kind, int x, int y, int wd, int ht);

// Images (image.cpp): the QImage behind image num (Format_ARGB32), nullptr if none.
QImage* image(int num);
QPixmap imagePixmap(int num);               // opaque copy for showing on screen
// Called when image num changed or was freed, so gadgets showing it refresh.
void notifyImageChanged(int num);
using ImageListener = void (*)(int num);
void addImageListener(ImageListener l);

// Keys (keyboard.cpp): Qt key event to a Windows virtual-key code, 0 when none.
int virtualKey(const QKeyEvent* e);
// Shortcut matching for a key press in window `win`; true when it raised a menu event.
bool matchShortcut(int win, int key);

// The fonts (image.cpp): QFont of font num; default font when none.
QFont font(int num);

// Text conversion helpers for file-system paths.
std::string localPath(const std::string& path);   // resolved, as UTF-8 for the OS

}  // namespace tk::detail
