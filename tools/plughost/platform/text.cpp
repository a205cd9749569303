// Text made printf's way, and the pieces the command line is read with.
#include "tools/plughost/platform/text.h"

#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "tools/plughost/platform/errors.h"

namespace plughost {

std::string format(const char* pattern, ...) {
  char text[512];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(text, sizeof text, pattern, args);
  va_end(args);
  return text;
}

long long parseInteger(const std::string& text, long long low, long long high, const char* what) {
  errno = 0;
  char* end = nullptr;
  long long value = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != 0 || errno != 0 || value < low || value > high)
    throw InputError(std::string(what) + ": expected a whole number from " + std::to_string(low) +
                     " to " + std::to_string(high) + ", got '" + text + "'");
  return value;
}

bool parseNumber(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == 0 && std::isfinite(value);
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

}  // namespace plughost
