// Toolkit layer: gadgets (controls). Gadget numbers are unique across all windows;
// number -1 takes a free number (returned). Every creation call returns the number,
// -1 on failure. Positions are inner-area pixels of the window or of the container,
// scroll area or panel tab being filled.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace tk {

enum GadgetKind : int {
  GkNone, GkLabel, GkButton, GkImageButton, GkCheckBox, GkOption, GkString, GkTextBox,
  GkCombo, GkSpin, GkSlider, GkProgress, GkImage, GkFrame, GkContainer, GkScrollArea,
  GkPanel, GkList, GkColumnList, GkTree, GkSplitter, GkScrollBar, GkHyperlink, GkHtml,
  GkEditor, GkRichEdit, GkCanvas,
};

enum GadgetFlags : unsigned {
  GfCenter = 1u << 0,       // label text centred
  GfRight = 1u << 1,        // label text right-aligned
  GfBorder = 1u << 2,       // sunken border (labels, images, containers)
  GfMultiLine = 1u << 3,    // button text wraps; label wraps
  GfToggle = 1u << 4,       // button stays pressed
  GfNumbers = 1u << 5,      // string field: digits only
  GfReadOnly = 1u << 6,
  GfVertical = 1u << 7,     // slider, scroll bar, splitter (side by side when not set)
  GfSunken = 1u << 8,       // frame: sunken, untitled
  GfFlat = 1u << 9,         // frame: flat
  GfEditable = 1u << 10,    // combo box: free text
  GfCheckBoxes = 1u << 11,  // column list, tree: check boxes
  GfFullRow = 1u << 12,     // column list: whole-row selection
  GfGridLines = 1u << 13,   // column list
  GfPassword = 1u << 14,
  GfWordWrap = 1u << 15,    // editor
  GfSmooth = 1u << 16,      // progress bar
};

// Containers, scroll areas and panels open a gadget list: gadgets created afterwards go
// inside until closeGadgetList(). In a panel each tab added with addGadgetItem takes
// the gadgets that follow it; panels nest. Frames are decoration and hold nothing.
void closeGadgetList();
// Continue filling an existing container, panel tab or scroll area.
void openGadgetList(int gadget, int tab = -1);

int label(int num, int x, int y, int w, int h, const std::string& text, unsigned flags = 0);
int button(int num, int x, int y, int w, int h, const std::string& text, unsigned flags = 0);
int imageButton(int num, int x, int y, int w, int h, int image, unsigned flags = 0);
int checkBox(int num, int x, int y, int w, int h, const std::string& text, unsigned flags = 0);
// Consecutive options (with no other gadget between them) form one group.
int option(int num, int x, int y, int w, int h, const std::string& text);
int stringField(int num, int x, int y, int w, int h, const std::string& text, unsigned flags = 0);
int textBox(int num, int x, int y, int w, int h, const std::string& text);  // read-only, multi-line
int comboBox(int num, int x, int y, int w, int h, unsigned flags = 0);      // h: list height
// Spin field: its value (state, AttrSpinValue) is kept apart from the text it shows.
// setGadgetState sets the value and shows it; setGadgetText then shows a free text
// ("Radius: 2"); AttrSpinValue sets the value alone. Arrow steps show the new value.
int spinField(int num, int x, int y, int w, int h, int min, int max, unsigned flags = 0);
int slider(int num, int x, int y, int w, int h, int min, int max, unsigned flags = 0);
int progressBar(int num, int x, int y, int w, int h, int min, int max, unsigned flags = 0);
int imageGadget(int num, int x, int y, int w, int h, int image, unsigned flags = 0);  // image -1: none
int frame(int num, int x, int y, int w, int h, const std::string& title, unsigned flags = 0);
int container(int num, int x, int y, int w, int h, unsigned flags = 0);
int scrollArea(int num, int x, int y, int w, int h, int innerW, int innerH, int step = 1, unsigned flags = 0);
int panel(int num, int x, int y, int w, int h);     // tab panel; tabs via addGadgetItem
int listBox(int num, int x, int y, int w, int h, unsigned flags = 0);
int columnList(int num, int x, int y, int w, int h, const std::string& firstTitle, int firstWidth,
               unsigned flags = 0);
void addColumn(int gadget, int column, const std::string& title, int width);
int tree(int num, int x, int y, int w, int h, unsigned flags = 0);
// Splitter: moves the existing gadgets first and second into it; without GfVertical they
// lie side by side (first left), with it first above second. State: the first part's
// width (height) in pixels; a resize of the splitter keeps it and changes the second
// part. Its callback sees EvLeftDown and EvLeftUp on the divider and EvMouseMove
// (wParam: the new position) while it is dragged.
int splitter(int num, int x, int y, int w, int h, int first, int second, unsigned flags = 0);
// Scroll bar. What the user does to it (arrows, trough, thumb, keys, wheel) first reaches
// its callback as EvScroll with the request in wParam (ScrollRequestCode) and the
// position the bar would move to in lParam; a nonzero result means the program has placed
// the bar itself (setGadgetState) and the bar keeps the value it has then.
int scrollBar(int num, int x, int y, int w, int h, int min, int max, int page, unsigned flags = 0);
enum ScrollRequestCode : int {
  SbLineUp = 0, SbLineDown = 1, SbPageUp = 2, SbPageDown = 3, SbThumbPosition = 4,
  SbThumbTrack = 5, SbTop = 6, SbBottom = 7,
};
int hyperlink(int num, int x, int y, int w, int h, const std::string& text, uint32_t colorValue);
int htmlView(int num, int x, int y, int w, int h, const std::string& html);
int editor(int num, int x, int y, int w, int h, unsigned flags = 0);   // multi-line plain text
int canvas(int num, int x, int y, int w, int h, unsigned flags = 0);   // see below

// Gadget events (EvGadget) carry a type. Push, toggle and image buttons report a left
// click as EtButtonClick and a right click as EtButtonMenu (document tabs: close;
// colour fields: popup). Check boxes, options, hyperlinks, combo, list, tree and panel
// selections report EtLeftClick; list double clicks EtLeftDoubleClick, right clicks on
// lists and trees EtRightClick; string fields EtChange when edited, EtFocus and
// EtLostFocus; editors and editable combos EtChange when typed into; values of sliders,
// spins and scroll bars EtChange (a scroll bar first calls its callback with EvGadget
// and the new value as wParam). Changes made by the program raise no event.
enum : int { EtButtonClick = 0, EtButtonMenu = 1 };

bool isGadget(int num);
void freeGadget(int num);
GadgetKind gadgetKind(int num);
int gadgetWindow(int num);

// State: check box / option / toggle 0-1; image gadget: its image number; combo, list,
// tree (flat index), panel: selected index (-1 none); slider, spin, progress, scroll bar:
// value; splitter: first-part size.
void setGadgetState(int num, int state);
int gadgetState(int num);
// Text: labels, buttons, fields, editors, combos (edit text), frames, panels (current tab).
void setGadgetText(int num, const std::string& text);
std::string gadgetText(int num);

// Items of lists, column lists, combos, trees and tab panels. pos -1 appends.
// columns: for column lists the texts separated by '\n'; tree: level of the item.
int addGadgetItem(int num, int pos, const std::string& text, int image = -1, int level = 0);
void removeGadgetItem(int num, int item);
void clearGadgetItems(int num);
int countGadgetItems(int num);
std::string gadgetItemText(int num, int item, int column = 0);
void setGadgetItemText(int num, int item, const std::string& text, int column = 0);
// Item state: bit 1 selected, bit 2 checked (column lists, trees), bit 4 expanded (trees).
enum : int { ItemSelected = 1, ItemChecked = 2, ItemExpanded = 4 };
int gadgetItemState(int num, int item);
void setGadgetItemState(int num, int item, int state);
void setGadgetItemImage(int num, int item, int image);

enum GadgetAttribute : int {
  AttrMinimum, AttrMaximum, AttrPageLength,        // sliders, spins, progress, scroll bars
  AttrInnerWidth, AttrInnerHeight, AttrScrollX, AttrScrollY, AttrScrollStep,  // scroll areas
  AttrImage,                                       // image, image button: shown image number
  AttrSpinValue,                                   // spin: value apart from its free text
  AttrColumnWidth0,                                // + column: column list widths
  AttrListHeight,                                  // combo drop-down height
  AttrFirstMinimum, AttrSecondMinimum,             // splitter
};
void setGadgetAttribute(int num, GadgetAttribute attr, int value);
int gadgetAttribute(int num, GadgetAttribute attr);

void setGadgetToolTip(int num, const std::string& text);
std::string gadgetToolTip(int num);
void setGadgetFont(int num, int font);                 // font number, -1 default
enum ColorKind : int { ColorFront, ColorBack };
void setGadgetColor(int num, ColorKind which, uint32_t colorValue);  // ColorValue; 0xFFFFFFFF resets
int gadgetX(int num);
int gadgetY(int num);
int gadgetWidth(int num);
int gadgetHeight(int num);
void resizeGadget(int num, int x, int y, int w, int h);   // -1 keeps a value
void hideGadget(int num, bool hide);
bool gadgetHidden(int num);
void disableGadget(int num, bool disable);
bool gadgetDisabled(int num);
void setActiveGadget(int num);                            // keyboard focus
int activeGadget();                                        // -1 when none of ours
// The number of the gadget under a window-relative point, -1 when none (tests).
int gadgetAt(int window, int x, int y);

// Raw events of one gadget (mouse moves and buttons with gadget-relative positions,
// resizes, scrolls: msg as EventCode; scroll bars report their value as EvGadget).
// A nonzero result keeps the event from the queue. Stands in for subclassing.
using GadgetCallback = std::function<int(int gadget, int msg, intptr_t wParam, intptr_t lParam)>;
void setGadgetCallback(int num, GadgetCallback cb);

// The canvas gadget shows a picture of its own (its drawing output, see tk_image.h:
// gadgetOutput) and delivers raw mouse events: EvLeftDown, EvLeftUp, EvRightDown,
// EvMouseMove to its callback and (down/up) to the queue with the gadget set.
int canvasImage(int gadget);   // the image number backing a canvas (created with it)

// ---- local pages in an HTML view (toolkit/html_page.cpp) ------------------------------------
// Shows a page of the program's own in an HTML view gadget: address "file:\\" + path (or a
// plain path); read at once, so the page is ready on return. Links to other local pages follow
// in the view; links to the outside (web, mail) open with the desktop's handler. A page that
// is missing or too large shows a note instead (false); a web address is handed to the
// desktop's browser (false).
bool loadHtmlPage(int gadget, const std::string& address);
// Waits until the drop-down list of combo `num` is closed: returns at once when it is not
// open, else sleeps in the event loop until the combo reports a pick (its own selection
// signal) or the list closes without one. Events that arrive meanwhile stay queued.
void waitComboClosed(int num);
bool comboListShown(int num);
void testShowComboList(int num, bool show);   // tests: opens or closes the list

}  // namespace tk
