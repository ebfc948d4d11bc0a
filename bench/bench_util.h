// Timing helper shared by the benchmark programs.
#pragma once
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

// Milliseconds per call of f, averaged over `rounds` calls after one warm-up call.
inline double msPer(int rounds, const std::function<void()>& f) {
  f();
  auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) f();
  auto t1 = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(t1 - t0).count() / rounds;
}

// Milliseconds of one call of f.
inline double msOnce(const std::function<void()>& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// The median of the timings (the upper one of an even count).
inline double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
