// Time measured with the performance counter.
#pragma once

#include <windows.h>

namespace plughost {

// The running total of the intervals between start() and stop().
class Stopwatch {
 public:
  Stopwatch() { QueryPerformanceFrequency(&frequency); }

  void start() { QueryPerformanceCounter(&started); }
  void stop() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    ticks += now.QuadPart - started.QuadPart;
  }
  double seconds() const { return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart); }

 private:
  LARGE_INTEGER frequency{};
  LARGE_INTEGER started{};
  long long ticks = 0;
};

}  // namespace plughost
