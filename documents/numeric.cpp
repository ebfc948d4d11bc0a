// Small numeric routines shared by the canvas code, the effects, the tools and scripts.
#include <cmath>

#include "documents/documents.h"
#include "documents/view_internal.h"

int32_t Distance(int32_t dx, int32_t dy) {
  const double x2 = std::nearbyint(static_cast<double>(dx) * dx);
  const double y2 = std::nearbyint(static_cast<double>(dy) * dy);
  return static_cast<int32_t>(std::floor(std::sqrt(x2 + y2)));
}

int32_t RoundNearest(float x) {
  const double v = x;
  const double fl = std::floor(v);
  const double f = v - fl;
  if (v >= 0) return static_cast<int32_t>(f <= 0.5 ? fl : std::ceil(v));
  return static_cast<int32_t>(f >= 0.5 ? std::ceil(v) : fl);
}

float AbsoluteValue(float x) { return x < 0 ? -x : x; }

int32_t SignOf(float x) { return x > 0 ? 1 : -1; }

int32_t HexToNumber(const std::string& text) {
  uint32_t value = 0;
  for (unsigned char c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 32);
    const int32_t code = c;
    value = value * 16u + static_cast<uint32_t>(code <= 60 ? code - 48 : code - 55);
  }
  return static_cast<int32_t>(value);
}

double SinDegrees(float x) { return std::sin(static_cast<double>(x) * 0.017453292); }

double CosDegrees(float x) { return std::cos(static_cast<double>(x) * 0.017453292); }
