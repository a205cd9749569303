// plughost's command line.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "plugin/aeffect.h"
#include "tools/plughost/host/automation.h"
#include "tools/plughost/host/host.h"

namespace plughost {

struct Options {
  std::string command;  // a name of the command table
  std::string plugin;

  // render and editor
  std::vector<std::pair<PlugInt32, float>> params;

  // render and editor
  std::string input;

  // render
  std::string output;
  std::string dumpInput;
  PlugInt32 blockSize = kDefaultBlockSize;
  uint32_t sampleRate = 0;  // 0: the input's own rate, or the default for the demo
  std::vector<AutomationCurve> automation;
  PlugInt32 automationStep = 32;
  bool quiet = false;

  // diff
  std::vector<std::string> files;
  double toleranceDb = -INFINITY;  // -inf: the files must be identical

  // editor
  std::vector<std::string> actions;  // --do, in order, as given
  std::string snapshot;
  int knobMode = -1;  // -1: not sent

  // info, render and editor
  bool trace = false;

  // validate, and the check a child process runs for it
  std::vector<std::string> only;
  uint32_t seed = 1;
  bool seedGiven = false;  // validate chooses one otherwise
  unsigned repeat = 1;
  bool list = false;
  std::string jsonFile;
  std::string junitFile;
  long requests = 100000;
  double durationSeconds = 5.0;
  unsigned timeoutSeconds = 0;  // --timeout, or once read without it, enough for --duration
  std::string checkName;
  std::string resultFile;
};

// The name of the hidden command a validating plughost runs its children
// with: plughost --check NAME --result FILE PLUGIN.dll.
constexpr const char* kCheckCommand = "--check";

// Throws InputError for anything it cannot make sense of.
Options parseCommandLine(const std::vector<std::string>& args);

}  // namespace plughost
