// The checks of a plug-in's editor, run in a real window of plughost's own
// as a host opens one. A plug-in whose flags say it has no editor skips
// them.
#pragma once

#include <vector>

#include "tools/plughost/checks/check.h"

namespace plughost {

std::vector<Check> editorChecks();

}  // namespace plughost
