// The benchmarks' clock: seconds from the performance counter.
#pragma once

#include <windows.h>

inline double seconds() {
  static const double period = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1.0 / static_cast<double>(frequency.QuadPart);
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * period;
}
