// Text made printf's way, for the reports that name numbers.
#include "tools/plughost/platform/text.h"

#include <cstdarg>
#include <cstdio>

namespace plughost {

std::string format(const char* pattern, ...) {
  char text[512];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(text, sizeof text, pattern, args);
  va_end(args);
  return text;
}

}  // namespace plughost
