// Parameter automation as a host plays it, from a curve of points in time.
#include "tools/plughost/host/automation.h"

#include <algorithm>
#include <cmath>

#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/text.h"

namespace plughost {

float AutomationCurve::valueAt(double seconds) const {
  if (seconds <= points.front().seconds) return points.front().value;
  // The first point after the time, found by halves since a render asks at
  // every step of a curve that may hold many points; past the last point,
  // the last value holds.
  const auto after = std::upper_bound(points.begin(), points.end(), seconds,
                                      [](double time, const AutomationPoint& point) { return time < point.seconds; });
  if (after == points.end()) return points.back().value;
  // The last point at or before the time: past both points of a jump.
  const AutomationPoint& from = *(after - 1);
  const AutomationPoint& to = *after;
  const double along = (seconds - from.seconds) / (to.seconds - from.seconds);
  return static_cast<float>(from.value + (static_cast<double>(to.value) - from.value) * along);
}

namespace {

[[noreturn]] void refuse(const std::string& text, const std::string& why) {
  throw InputError("--automate: " + why + " in '" + text + "' (expected INDEX=TIME:VALUE,TIME:VALUE,...)");
}

}  // namespace

AutomationCurve parseAutomationCurve(const std::string& text) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos) refuse(text, "no '='");
  AutomationCurve curve;
  curve.index = static_cast<PlugInt32>(parseInteger(text.substr(0, equals), INT32_MIN, INT32_MAX, "--automate index"));
  for (const std::string& point : split(text.substr(equals + 1), ',')) {
    const size_t colon = point.find(':');
    double seconds, value;
    if (colon == std::string::npos || !parseNumber(point.substr(0, colon), seconds) ||
        !parseNumber(point.substr(colon + 1), value))
      refuse(text, "'" + point + "' is not TIME:VALUE");
    if (!std::isfinite(static_cast<float>(value))) refuse(text, "the value " + point.substr(colon + 1) + " is too large");
    if (seconds < 0.0) refuse(text, "the time " + point.substr(0, colon) + " is before the start");
    if (!curve.points.empty() && seconds < curve.points.back().seconds)
      refuse(text, "the time " + point.substr(0, colon) + " comes before the point ahead of it");
    curve.points.push_back({seconds, static_cast<float>(value)});
  }
  return curve;
}

}  // namespace plughost
