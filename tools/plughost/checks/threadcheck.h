// The checks that run the plug-in from several threads at once, as a host
// plays audio, automates and shows the editor together, with a watchdog
// that reports a thread stuck in the plug-in instead of waiting on it.
#pragma once

#include <vector>

#include "tools/plughost/checks/check.h"

namespace plughost {

std::vector<Check> threadChecks();

}  // namespace plughost
