// Every check of plughost validate, in the order it runs them.
#pragma once

#include <vector>

#include "tools/plughost/checks/check.h"

namespace plughost {

const std::vector<Check>& allChecks();

}  // namespace plughost
