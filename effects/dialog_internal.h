// Helpers shared by the dialog sources of this folder only.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>

// "Name(a, b, c)" for the test spy of the dialogs' effect calls.
std::string FormatEffectCall(const std::string& name, std::initializer_list<double> args);
// Tells the test spy, if any, which effect is about to run.
void ReportEffectCall(const std::string& call);
// True for the events that cancel dialog `window`: its close box and Esc inside it.
bool IsDialogCancel(int event, int32_t window);
// A field's text as a whole number: leading digits (and one leading '-'), saturated to 32 bits;
// anything else reads 0.
int32_t FieldNumber(const std::string& text);
// Image num made w x h (when missing or of another size) and filled with the ColorValue.
void FillDialogSwatch(int32_t num, int32_t w, int32_t h, uint32_t colorValue);
inline uint32_t DialogColor(int r, int g, int b) {
  return uint32_t(r & 0xFF) | uint32_t(g & 0xFF) << 8 | uint32_t(b & 0xFF) << 16;
}
