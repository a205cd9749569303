// The calling-convention check of plughost validate.
#pragma once

#include <string>

#include "tools/plughost/checks/check.h"

namespace plughost {

// Passes at once on 64-bit targets, which have one calling convention.
std::string checkCallingConvention(const CheckContext& context);

}  // namespace plughost
