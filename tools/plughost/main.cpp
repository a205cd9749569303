// plughost: a command-line host for plug-ins of this interface.
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "tools/plughost/cli.h"
#include "tools/plughost/commands.h"
#include "tools/plughost/host/crash.h"
#include "tools/plughost/host/host.h"
#include "tools/plughost/platform/errors.h"

namespace {

UINT reportCrash(const char* report, DWORD /*code*/) {
  std::fflush(stdout);
  std::fprintf(stderr, "plughost: the plug-in %s\n", report);
  std::fflush(stderr);
  return plughost::kExitBadInput;
}

int run(const plughost::Options& options) {
  using namespace plughost;
  const Command& command = *findCommand(options.command);
  if (!options.plugin.empty()) requireMatchingBitness(options.plugin);
  if (!command.reportsOwnCrashes) installCrashHandler(reportCrash);
  return command.run(options);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return run(plughost::parseCommandLine(args));
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "plughost: out of memory\n");
  } catch (const std::exception& error) {
    std::fprintf(stderr, "plughost: %s\n", error.what());
  }
  return plughost::kExitBadInput;
}
