// How plughost reports what went wrong.
#pragma once

#include <stdexcept>
#include <string>

namespace plughost {

// A problem with what the user handed over: a file, a plug-in, an option.
// Reported as one line on standard error with exit status kExitBadInput.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr int kExitOk = 0;
constexpr int kExitChecksFailed = 1;
constexpr int kExitBadInput = 2;

}  // namespace plughost
