// Running a program as a child process and waiting for it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace plughost {

struct ChildOutcome {
  bool started = false;
  bool timedOut = false;
  DWORD exitStatus = 0;
  std::string error;  // why it did not start
};

// Runs args[0] with the other arguments; its standard input reads nothing
// and its output goes to this process's standard error. A child still
// running after `timeoutMs` is ended.
ChildOutcome runChild(const std::vector<std::string>& args, DWORD timeoutMs);

// One argument quoted so that the C runtime's parser gives it back intact.
std::string quoteArgument(const std::string& arg);

// The path of the running executable.
std::string ownExecutablePath();

}  // namespace plughost
