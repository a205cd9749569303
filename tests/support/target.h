// What a test may need to know of the processor it runs on.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// True when this program runs under a user-mode emulator (the 32-bit tests on
// a machine that runs no 32-bit code). There a hardware fault reaches
// Windows code with the emulator's exception code, not the processor's: an
// access violation arrives as an illegal instruction, an integer division
// by zero as an invalid float operation.
inline bool cpuIsEmulated() { return GetEnvironmentVariableA("QUILLON_EMULATED_CPU", nullptr, 0) > 0; }

// The message of a test skipped on this target: why, and where it is covered.
// scripts/test.sh prints every such line after the run.
inline std::string skippedOnThisTarget(const std::string& why, const std::string& coveredBy) {
  return "skipped on this target: " + why + "; " + coveredBy + " covers it";
}

}  // namespace testsupport
