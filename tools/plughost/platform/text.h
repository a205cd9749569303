// Text made printf's way, for the reports that name numbers, and the pieces
// the command line and the scripted actions are read with.
#pragma once

#include <string>
#include <vector>

namespace plughost {

// At most 511 characters; longer text is cut.
std::string format(const char* pattern, ...) __attribute__((format(gnu_printf, 1, 2)));

// A decimal whole number from `low` to `high`, the whole of `text`; throws
// InputError naming `what` otherwise. One reader for every index and count
// on the command line, so that all of them refuse "0x1", "1e0" and "2.0".
long long parseInteger(const std::string& text, long long low, long long high, const char* what);

// A finite decimal number, the whole of `text`, into `value`; false for
// anything else, so that each caller refuses it in its own words.
bool parseNumber(const std::string& text, double& value);

// The parts of a list, split at each separator; an empty part stays.
std::vector<std::string> split(const std::string& text, char separator);

}  // namespace plughost
