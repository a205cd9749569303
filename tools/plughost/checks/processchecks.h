// The checks of processing as hosts drive it over a session: every sample
// rate and block size a host may set, subnormal numbers, and parameters
// automated between small blocks. Each runs on effects of its own.
#pragma once

#include <vector>

#include "tools/plughost/checks/check.h"

namespace plughost {

std::vector<Check> processChecks();

}  // namespace plughost
