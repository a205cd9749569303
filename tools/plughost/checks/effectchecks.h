// The checks of an effect's record, texts, processing, parameters and
// requests, each on an effect of its own with no editor open.
#pragma once

#include <vector>

#include "tools/plughost/checks/check.h"

namespace plughost {

std::vector<Check> effectChecks();

}  // namespace plughost
