// Text made printf's way, for the reports that name numbers.
#pragma once

#include <string>

namespace plughost {

// At most 511 characters; longer text is cut.
std::string format(const char* pattern, ...) __attribute__((format(gnu_printf, 1, 2)));

}  // namespace plughost
