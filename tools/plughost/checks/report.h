// What a validate run found, kept for the reports a CI system reads: JSON
// and JUnit XML.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plughost {

enum class Result { kPass, kFail, kSkip };

// "PASS", "FAIL" or "SKIP".
const char* resultWord(Result result);

struct CheckRun {
  std::string name;
  unsigned round = 1;  // from 1
  uint32_t seed = 0;   // the round's
  Result result = Result::kFail;
  double seconds = 0.0;
  std::string detail;  // the check's note, or why it failed or was skipped
};

struct ValidateRun {
  std::string plugin;
  uint32_t seed = 0;  // the first round's
  unsigned rounds = 1;
  std::vector<CheckRun> checks;

  size_t count(Result result) const;
  bool passed() const { return count(Result::kFail) == 0; }
};

// The reports' text. Text from the plug-in is taken byte by byte, bytes
// above 127 as Latin-1, so either report is well-formed whatever a plug-in
// wrote into its names.
std::string jsonReport(const ValidateRun& run);
std::string junitReport(const ValidateRun& run);

}  // namespace plughost
