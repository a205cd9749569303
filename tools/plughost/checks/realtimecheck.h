// The real-time check of plughost validate: what the plug-in calls, through
// its imports, while it runs on the audio thread.
#pragma once

#include <vector>

#include "tools/plughost/checks/check.h"

namespace plughost {

std::vector<Check> realtimeChecks();

}  // namespace plughost
