// Undo and redo on disk: one whole-image file a step in the active slot's folder, a ring of
// `maxundo` undo files and a chain of redo files, plus the in-memory held image that the
// tools snapshot at mouse-down.
//
// Every step is checked whole (type, extents against the file's length, pixel positions
// against the image) before a counter moves or a redo step is written, and every file is
// written under a temporary name first: a step that cannot be read changes nothing, and a
// step that cannot be written leaves the older file of its number and the counters as they
// were.
#include <algorithm>
#include <string>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

int32_t undostate = 1;
int32_t RedoState = 0;
uint8_t RedoKeepFlag = 0;

namespace {

constexpr int32_t StepPixel = 0, StepPixelList = 1, StepImage = 3, StepEmpty = 4;
constexpr int64_t kPixelRecordSize = 11;  // long y, long x, bytes red, green, blue

int32_t Ring() { return std::max(maxundo, int32_t(1)); }

std::string UndoFile(int32_t n) { return SlotFolder(CurrentImage) + "Undo" + std::to_string(n) + ".undo"; }
std::string RedoFile(int32_t n) { return SlotFolder(CurrentImage) + "Redo" + std::to_string(n) + ".redo"; }

size_t CellCount() { return (size_t(bildlang) + 1) * (size_t(bildhoch) + 1); }

void StepWriteFailed() {
  tk::messageRequester("Fehler",
                       "Der Rückgängig-Schritt konnte nicht gespeichert werden.\r"
                       "Der Datenträger ist voll oder nicht beschreibbar.",
                       tk::MsgOk | tk::MsgError);
}

// A whole-image step: the type (undo files only), the last indices and the cells. Undo
// steps replace the oldest step of the ring, which stays whole when the write fails; a
// redo file of the number being written always belongs to a dropped chain (the live ones
// are numbered below RedoState), so it is overwritten in place, reusing its space.
bool WriteImageStep(const std::string& path, bool undoStep, const PixelCell* cells) {
  const int32_t head[3] = {StepImage, bildlang, bildhoch};   // little endian in memory
  const tk::DataBlock blocks[2] = {
      {undoStep ? head : head + 1, undoStep ? sizeof(head) : sizeof(head) - 4},
      {cells, CellCount() * sizeof(PixelCell)}};
  return undoStep ? tk::writeWholeFileBlocks(path, blocks, 2) : tk::overwriteWholeFileBlocks(path, blocks, 2);
}

int32_t WriteUndoStep(const PixelCell* cells) {
  if (!UndoAvailable) return 0;
  if (!WriteImageStep(UndoFile(undostate), true, cells)) {
    StepWriteFailed();
    return 0;
  }
  undostate = undostate + 1 > Ring() ? 1 : undostate + 1;
  if (RedoKeepFlag == 0) RedoState = -1;
  return 1;
}

// A step file opened and checked whole; `file` stays open for the apply.
struct Step {
  int file = -1;
  int32_t type = -1;
  int32_t lastX = 0, lastY = 0;   // whole-image steps
  struct Pixel {
    int32_t y, x;
    uint8_t r, g, b;
  };
  std::vector<Pixel> pixels;      // pixel steps
  ~Step() {
    if (file >= 0) tk::closeFile(file);
  }
};

// Reads the extents of a whole-image block at the position and checks them against the
// bytes left in the file.
bool CheckImageBlock(Step& s, int64_t left) {
  s.lastX = tk::readLong(s.file);
  s.lastY = tk::readLong(s.file);
  const size_t cells = CellsOfExtents(s.lastX, s.lastY);
  return cells > 0 && int64_t(cells * 4) == left - 8;
}

// Opens path and checks it; withType: an undo file (type field first), else a redo file.
bool OpenStep(const std::string& path, bool withType, Step& s) {
  s.file = tk::readFile(-1, path);
  if (s.file < 0) return false;
  int64_t left = tk::fileSize(s.file);
  if (!withType) {
    s.type = StepImage;
    return CheckImageBlock(s, left);
  }
  if (left < 4) return false;
  s.type = tk::readLong(s.file);
  left -= 4;
  switch (s.type) {
    case StepImage:
      return CheckImageBlock(s, left);
    case StepEmpty:
      return true;
    case StepPixel:
    case StepPixelList: {
      if (left % kPixelRecordSize != 0 || (s.type == StepPixel && left != kPixelRecordSize)) return false;
      for (int64_t i = 0; i < left / kPixelRecordSize; ++i) {
        Step::Pixel p;
        p.y = tk::readLong(s.file);
        p.x = tk::readLong(s.file);
        p.r = tk::readByte(s.file);
        p.g = tk::readByte(s.file);
        p.b = tk::readByte(s.file);
        if (p.x < 0 || p.y < 0 || p.x > bildlang || p.y > bildhoch) return false;
        s.pixels.push_back(p);
      }
      return true;
    }
    default:
      return false;
  }
}

// Reads the checked whole-image block into the image, re-dimensioning it when the size
// differs, and keeps the scroll position inside the new limits.
void ApplyImageStep(Step& s) {
  const int32_t oldHorz = horz, oldVert = vert;
  const size_t cells = (size_t(s.lastX) + 1) * (size_t(s.lastY) + 1);
  if (s.lastX != bildlang || s.lastY != bildhoch || ImagePixels.size() != cells) {
    SetImageDimensions(s.lastY + 1, s.lastX + 1, 1);
  } else if (CurrentImage >= 0 && CurrentImage < int32_t(ImageRecords.size())) {
    ImageRecords[CurrentImage].laenge = bildlang;
    ImageRecords[CurrentImage].hoehe = bildhoch;
  }
  if (ImagePixels.size() == cells) tk::readData(s.file, ImagePixels.data(), cells * sizeof(PixelCell));
  if (tk::isGadget(63)) tk::setGadgetText(63, std::to_string(bildlang + 1));
  if (tk::isGadget(64)) tk::setGadgetText(64, std::to_string(bildhoch + 1));
  UpdateZoomedSizes();
  UpdateScrollBars();
  horz = std::min(oldHorz, scrollmaxx);
  vert = std::min(oldVert, scrollmaxY);
  if (tk::isGadget(12)) tk::setGadgetState(12, horz);
  if (tk::isGadget(13)) tk::setGadgetState(13, vert);
}

void ApplyPixels(const Step& s) {
  const size_t stride = size_t(bildlang) + 1;
  for (const Step::Pixel& p : s.pixels) {
    PixelCell& c = ImagePixels[size_t(p.y) * stride + p.x];
    c = (c & 0xFF000000u) | PixelCell(p.b) | PixelCell(p.g) << 8 | PixelCell(p.r) << 16;
  }
}

}  // namespace

int32_t CreateUndoPoint() { return WriteUndoStep(ImagePixels.data()); }

int32_t CreateUndoPointFromHold() {
  if (HeldImage.size() != CellCount()) return 0;   // nothing held for this image size
  return WriteUndoStep(HeldImage.data());
}

int32_t CreateRedoPoint() {
  if (!WriteImageStep(RedoFile(RedoState), false, ImagePixels.data())) {
    StepWriteFailed();
    return 0;
  }
  RedoState += 1;
  return 1;
}

void HoldImage() {
  if (HeldImage.size() != ImagePixels.size()) HeldImage.resize(ImagePixels.size());
  std::copy(ImagePixels.begin(), ImagePixels.end(), HeldImage.begin());
}

void RestoreHeldImage() {
  if (HeldImage.size() != ImagePixels.size()) return;
  std::copy(HeldImage.begin(), HeldImage.end(), ImagePixels.begin());
  RedrawCanvas();
}

void Undo(uint8_t quiet) {
  OnErrorCode1 = 40;
  if (undostate <= 0) return;
  const int32_t n = undostate - 1 < 1 ? Ring() : undostate - 1;
  const std::string path = UndoFile(n);
  Step s;
  if (!OpenStep(path, true, s)) {
    tk::messageRequester("Fehler", "Undo nicht möglich", tk::MsgOk | tk::MsgError);
    return;
  }
  if (!CreateRedoPoint()) return;
  linestate = 0;
  undostate = n;
  switch (s.type) {
    case StepImage:
      ApplyImageStep(s);
      if (!quiet) RedrawCanvas();
      tk::processPending();
      break;
    case StepPixel:
      ApplyPixels(s);
      RedrawCanvas();
      break;
    case StepPixelList:
      ApplyPixels(s);
      if (!quiet) RedrawCanvas();
      break;
    default:
      break;   // an empty step
  }
  tk::closeFile(s.file);
  s.file = -1;
  tk::deleteFile(path);
}

void Redo() {
  OnErrorCode1 = 28;
  if (RedoState < 0) return;
  const std::string path = RedoFile(RedoState - 1);
  // Nothing to redo (never undone, or the step is gone): no undo point either.
  if (!tk::fileExists(path)) return;
  Step s;
  if (!OpenStep(path, false, s)) {
    tk::messageRequester("Fehler", "Redo nicht möglich", tk::MsgOk | tk::MsgError);
    return;
  }
  RedoKeepFlag = 1;
  const int32_t written = CreateUndoPoint();
  RedoKeepFlag = 0;
  if (!written) return;
  ApplyImageStep(s);
  RedrawCanvas();
  tk::closeFile(s.file);
  s.file = -1;
  tk::deleteFile(path);
  RedoState -= 1;
}
