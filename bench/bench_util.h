// Timing helper shared by the benchmark programs.
#pragma once
#include <chrono>
#include <functional>

// Milliseconds per call of f, averaged over `rounds` calls after one warm-up call.
inline double msPer(int rounds, const std::function<void()>& f) {
  f();
  auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) f();
  auto t1 = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(t1 - t0).count() / rounds;
}
