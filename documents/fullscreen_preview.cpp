// The full-screen preview: the whole image at 100 % on a frameless window over the whole
// screen the main window is on, centred on the inverse of the image's average colour.
// The arrow keys shift it while held (one pixel a frame); Escape (released) or a double
// click of the left button ends it.
#include <algorithm>
#include <chrono>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

int32_t FullScreenX = 0, FullScreenY = 0;

namespace {

constexpr int FrameMs = 16;
constexpr int VkEscape = 0x1B, VkLeft = 0x25, VkUp = 0x26, VkRight = 0x27, VkDown = 0x28;

// Click state: 0 none, 1 first press seen (its 1000 ms running), 2 second press seen
// (the next release ends the preview).
int gClickState = 0;
int64_t gClickTime = 0;

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

void ResetFullScreenClicks() {
  gClickState = 0;
  gClickTime = 0;
}

int32_t FullScreenClick(int32_t down, int64_t nowMs) {
  if (gClickState == 1 && nowMs - gClickTime > 1000) gClickState = 0;   // the first click expired
  if (down) {
    if (gClickState == 0) {
      gClickState = 1;
      gClickTime = nowMs;
    } else if (gClickState == 1) {
      gClickState = 2;
    }
    return 0;
  }
  if (gClickState == 2) {
    gClickState = 0;
    return 1;
  }
  if (gClickState == 1) gClickTime = nowMs;   // a release restarts the window
  return 0;
}

int32_t ShowFullScreenPreview() {
  OnErrorCode1 = 26;
  // 1.
  if (ScreenAvailable == 0) {
    tk::messageRequester("Fehler", "Der Screen konnte nicht geöffnet werden", tk::MsgOk | tk::MsgError);
    return 0;
  }
  // 2.-3.
  UpdateAverageColors();
  const int w = bildlang + 1, h = bildhoch + 1;
  if (ImagePixels.size() < size_t(w) * size_t(h) || tk::createImage(25, w, h) < 0) {
    tk::messageRequester("Fehler", "Der Screen konnte nicht geöffnet werden", tk::MsgOk | tk::MsgError);
    return 0;
  }
  tk::pixelsToImage(25, ImagePixels.data(), w, h, w);
  const uint32_t ground = uint32_t(255 - (AllRot & 0xFF)) | uint32_t(255 - (AllGruen & 0xFF)) << 8 |
                          uint32_t(255 - (AllBlau & 0xFF)) << 16;
  // 4. The screen; when it cannot be had the preview ends at once.
  const int prev = tk::currentWindow();
  const int win = tk::openWindow(-1, 0, 0, 1024, 768, "Testbild", tk::WfBorderless | tk::WfTopmost | tk::WfHidden);
  if (win >= 0 && tk::showFullScreen(win, 0)) {
    const int sw = tk::windowWidth(win), sh = tk::windowHeight(win);
    const int canvas = tk::canvas(-1, 0, 0, sw, sh);
    const int picture = canvas >= 0 ? tk::canvasImage(canvas) : -1;
    // 5.
    FullScreenX = sw / 2 - w / 2;
    FullScreenY = sh / 2 - h / 2;
    ResetFullScreenClicks();
    int32_t shownX = FullScreenX + 1, shownY = FullScreenY;   // not yet shown
    bool stop = false;
    // 6. One frame: the picture where it stands now, the input of the frame, the move.
    while (!stop) {
      if ((shownX != FullScreenX || shownY != FullScreenY) && picture >= 0 &&
          tk::startDrawing(tk::imageOutput(picture))) {
        tk::drawingMode(tk::DrawDefault);
        tk::box(0, 0, tk::imageWidth(picture), tk::imageHeight(picture), ground);
        tk::drawImage(25, FullScreenX, FullScreenY);
        tk::stopDrawing();
        tk::imageChanged(picture);
        shownX = FullScreenX;
        shownY = FullScreenY;
      }
      // The frame's input: what comes until its time is up, and then whatever is still
      // queued by that moment (a slow frame does not push input into later frames).
      auto take = [&](int ev) {
        if (ev == tk::EvKeyUp && tk::eventWParam() == VkEscape) stop = true;
        else if (ev == tk::EvClose && tk::eventWindow() == win) stop = true;
        else if (ev == tk::EvLeftDown || ev == tk::EvLeftUp)
          stop = FullScreenClick(ev == tk::EvLeftDown ? 1 : 0, NowMs()) == 1;
      };
      const int64_t frameEnd = NowMs() + FrameMs;
      for (int64_t left = FrameMs; left > 0 && !stop; left = frameEnd - NowMs()) {
        const int ev = tk::waitEvent(int(left));
        if (ev == tk::EvNone) break;
        take(ev);
      }
      for (int n = tk::queuedEvents(); n > 0 && !stop; --n) take(tk::pollEvent());
      if (tk::keyDown(VkUp)) --FullScreenY;
      if (tk::keyDown(VkDown)) ++FullScreenY;
      if (tk::keyDown(VkLeft)) --FullScreenX;
      if (tk::keyDown(VkRight)) ++FullScreenX;
    }
  }
  // 7. No file is deleted: the preview writes none.
  tk::freeImage(25);
  if (win >= 0) tk::closeWindow(win);
  if (prev >= 0 && tk::isWindow(prev)) tk::useWindow(prev);
  // 8. Input given during the preview does not reach the main loop.
  tk::drainEvents();
  LastEvent = 0;
  return 0;
}
