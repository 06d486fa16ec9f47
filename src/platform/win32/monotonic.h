#pragma once
#include <windows.h>

namespace vorlan::win32 {

// Milliseconds from the performance counter: finer than GetTickCount64,
// which moves in steps of about 16 ms under Wine.
inline double MonotonicMs() {
  static const double ticks_per_ms = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticks_per_ms;
}

}  // namespace vorlan::win32
