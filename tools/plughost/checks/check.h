// What a check of plughost validate is, what it is given and how it ends.
// Each runs in a process of its own, so a plug-in that crashes fails one
// check, not the run.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace plughost {

// A check that found a fault; the message says what and where.
class CheckFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A check that does not apply to the plug-in (an editor check for one
// without an editor); the message says why.
class CheckSkipped : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CheckContext {
  std::string plugin;
  uint32_t seed = 1;
  long requests = 100000;
  // How long the checks that run for a while (threads, automation) run.
  double durationSeconds = 5.0;
};

struct Check {
  const char* name;
  // Runs the check; returns a short note of what passed, throws
  // CheckFailure (or InputError for a plug-in that cannot be used at all),
  // or CheckSkipped.
  std::string (*run)(const CheckContext&);
  // One line on what passing proves, for the list of checks.
  const char* proves;
};

// Ends a check's process at once with the verdict line given ("FAIL ...");
// for a monitor thread while other threads are stuck in the plug-in and
// can neither return nor unwind.
[[noreturn]] void endCheck(const std::string& verdictLine);

}  // namespace plughost
