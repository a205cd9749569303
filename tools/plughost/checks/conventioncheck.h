// The calling-convention check of plughost validate.
#pragma once

#include <vector>

#include "tools/plughost/checks/check.h"

namespace plughost {

std::vector<Check> conventionChecks();

}  // namespace plughost
