// The state check of plughost validate: what a host saves of an effect
// restores the same effect in a fresh instance.
#pragma once

#include <vector>

#include "tools/plughost/checks/check.h"

namespace plughost {

std::vector<Check> stateChecks();

}  // namespace plughost
