// The frame every effect dialog shares (owner window 43, window 0 disabled while it runs,
// kept in front of the main and the colour window, window 0 restored afterwards) and the
// one-value requester "Bitte Einstellen" that most effects ask their strength with.
#include <algorithm>
#include <cstdio>
#include <string>

#include "documents/documents.h"
#include "effects/dialog_internal.h"
#include "effects/effects.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

std::function<void(const std::string& call)> EffectDialogSpy;
uint8_t EffectValueCancelled = 0;

int32_t KeepDialogInFront(int32_t window) {
  const int front = tk::activeWindow();
  if (front == 0 || front == 27) tk::activateWindow(window);
  return 0;
}

bool OpenDialogWindow(int32_t num, int32_t x, int32_t y, int32_t w, int32_t h, const std::string& title) {
  if (tk::openWindow(num, x, y, w, h, title, tk::WfCaption | tk::WfSystemMenu, 43) < 0) return false;
  tk::disableWindow(0, true);
  tk::activateWindow(num);
  tk::useWindow(num);
  return true;
}

void CloseDialogWindow(int32_t num) {
  tk::closeWindow(num);
  tk::disableWindow(0, false);
  tk::setWindowCallback(0, MainWindowCallback);
  tk::useWindow(0);
  tk::activateWindow(0);
}

void DropPendingEvents() {
  // Only what is queued now: a burst of slider moves is handled once.
  while (tk::queuedEvents() > 0) tk::pollEvent();
}

std::string FilterSpinText(const std::string& typed, const std::string& lastAccepted, int32_t min, int32_t max) {
  if (!std::all_of(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; })) return lastAccepted;
  // Digits only: long runs cannot overflow, they are above any maximum anyway.
  const std::string digits = typed.substr(std::min(typed.find_first_not_of('0'), typed.size()));
  const int64_t value = digits.size() > 10 ? INT64_MAX : (digits.empty() ? 0 : std::stoll(digits));
  if (value > max) return std::to_string(max);
  if (value < min) return std::to_string(min);
  return typed;
}

namespace {

int32_t SpinNumber(const std::string& text) {
  try {
    return text.empty() ? 0 : int32_t(std::stoll(text));
  } catch (...) {
    return 0;
  }
}

}  // namespace

int32_t AskEffectValue(int32_t min, int32_t max, int32_t def, const std::string& prompt) {
  OnErrorCode1 = 13;
  EffectValueCancelled = 1;
  if (max < min) std::swap(min, max);
  def = std::clamp(def, min, max);
  if (!OpenDialogWindow(9, 300, 200, 200, 190, "Bitte Einstellen")) return 0;
  tk::label(618, 0, 0, 200, 60, prompt, tk::GfMultiLine);
  tk::label(619, 10, 60, 180, 20, "Stärke: " + std::to_string(def));
  tk::slider(620, 10, 80, 180, 20, min, max);
  tk::spinField(621, 10, 110, 100, 20, min, max);
  tk::button(622, 70, 160, 100, 20, "OK");
  tk::setGadgetState(620, def);
  tk::setGadgetState(621, def);
  tk::setGadgetText(621, std::to_string(def));
  std::string lastAccepted = std::to_string(def);
  int32_t result = 0;
  const auto showStrength = [] { tk::setGadgetText(619, "Stärke: " + std::to_string(tk::gadgetState(620))); };
  for (bool open = true; open;) {
    KeepDialogInFront(9);
    const int ev = tk::waitEvent();
    LastEvent = ev;
    if (IsDialogCancel(ev, 9)) break;
    if (ev != tk::EvGadget) continue;
    switch (tk::eventGadget()) {
      case 620: {
        const int32_t v = tk::gadgetState(620);
        tk::setGadgetState(621, v);
        tk::setGadgetText(621, std::to_string(v));
        lastAccepted = std::to_string(v);
        showStrength();
        DropPendingEvents();
        break;
      }
      case 621: {
        const std::string text = tk::gadgetText(621);
        if (text == std::to_string(tk::gadgetState(621))) {
          // An arrow step: the field already shows its value (negative ones too).
          lastAccepted = text;
          tk::setGadgetState(620, tk::gadgetState(621));
        } else {
          const std::string accepted = FilterSpinText(text, lastAccepted, min, max);
          if (accepted != text) tk::setGadgetText(621, accepted);
          lastAccepted = accepted;
          const int32_t v = std::clamp(SpinNumber(accepted), min, max);
          tk::setGadgetAttribute(621, tk::AttrSpinValue, v);
          tk::setGadgetState(620, v);
        }
        showStrength();
        DropPendingEvents();
        break;
      }
      case 622:
        result = tk::gadgetState(620);
        EffectValueCancelled = 0;
        open = false;
        break;
      default:
        break;
    }
  }
  CloseDialogWindow(9);
  return result;
}

std::string FormatEffectCall(const std::string& name, std::initializer_list<double> args) {
  std::string s = name + "(";
  bool first = true;
  for (double a : args) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", a);
    s += (first ? "" : ", ") + std::string(buf);
    first = false;
  }
  return s + ")";
}

void ReportEffectCall(const std::string& call) {
  if (EffectDialogSpy) EffectDialogSpy(call);
}

bool IsDialogCancel(int event, int32_t window) {
  if (tk::eventWindow() != window) return false;
  return event == tk::EvClose || (event == tk::EvKeyDown && tk::eventWParam() == 0x1B);
}

int32_t FieldNumber(const std::string& text) {
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) i = 1;
  int64_t v = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    v = v * 10 + (text[i] - '0');
    if (v > int64_t(INT32_MAX) + 1) break;
  }
  if (negative) v = -v;
  return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

void FillDialogSwatch(int32_t num, int32_t w, int32_t h, uint32_t colorValue) {
  if (!tk::isImage(num) || tk::imageWidth(num) != w || tk::imageHeight(num) != h) tk::createImage(num, w, h);
  if (!tk::startDrawing(tk::imageOutput(num))) return;
  tk::box(0, 0, w, h, colorValue);
  tk::stopDrawing();
}

void ResetDialogState() {
  EffectValueCancelled = 0;
  std::fill(std::begin(ColorRangeRecord), std::end(ColorRangeRecord), uint8_t(0));
  HistogramRed.fill(0);
  HistogramGreen.fill(0);
  HistogramBlue.fill(0);
}
