// Parameter automation as a host plays it, from a curve of points in time.
#include "tools/plughost/host/automation.h"

#include <climits>
#include <cmath>
#include <cstdlib>

#include "tools/plughost/platform/errors.h"

namespace plughost {

float AutomationCurve::valueAt(double seconds) const {
  if (seconds <= points.front().seconds) return points.front().value;
  // The last point at or before the time; past the last point, it holds.
  size_t at = 0;
  while (at + 1 < points.size() && points[at + 1].seconds <= seconds) ++at;
  if (at + 1 == points.size()) return points.back().value;
  const AutomationPoint& from = points[at];
  const AutomationPoint& to = points[at + 1];
  const double along = (seconds - from.seconds) / (to.seconds - from.seconds);
  return static_cast<float>(from.value + (static_cast<double>(to.value) - from.value) * along);
}

namespace {

[[noreturn]] void refuse(const std::string& text, const std::string& why) {
  throw InputError("--automate: " + why + " in '" + text + "' (expected INDEX=TIME:VALUE,TIME:VALUE,...)");
}

// A whole number or a finite number, the whole of `text`.
bool readNumber(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == 0 && std::isfinite(value);
}

}  // namespace

AutomationCurve parseAutomationCurve(const std::string& text) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos) refuse(text, "no '='");
  AutomationCurve curve;
  double index;
  if (!readNumber(text.substr(0, equals), index) || index != std::floor(index) || index < INT32_MIN ||
      index > INT32_MAX)
    refuse(text, "the index is not a whole number");
  curve.index = static_cast<PlugInt32>(index);
  size_t start = equals + 1;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    const std::string point = text.substr(start, comma - start);
    const size_t colon = point.find(':');
    double seconds, value;
    if (colon == std::string::npos || !readNumber(point.substr(0, colon), seconds) ||
        !readNumber(point.substr(colon + 1), value))
      refuse(text, "'" + point + "' is not TIME:VALUE");
    if (!std::isfinite(static_cast<float>(value))) refuse(text, "the value " + point.substr(colon + 1) + " is too large");
    if (seconds < 0.0) refuse(text, "the time " + point.substr(0, colon) + " is before the start");
    if (!curve.points.empty() && seconds < curve.points.back().seconds)
      refuse(text, "the time " + point.substr(0, colon) + " comes before the point ahead of it");
    curve.points.push_back({seconds, static_cast<float>(value)});
    start = comma + 1;
  }
  return curve;
}

}  // namespace plughost
