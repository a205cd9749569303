// Parameter automation as a host plays it: a curve of points in time, read
// at a fixed step of frames and sent to the plug-in as parameter changes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/aeffect.h"

namespace plughost {

struct AutomationPoint {
  double seconds = 0.0;
  float value = 0.0f;
};

// Straight lines between the points, which come in time order; the first
// value holds before the first point and the last after the last. Two points
// at one time make a jump.
struct AutomationCurve {
  PlugInt32 index = 0;
  std::vector<AutomationPoint> points;

  float valueAt(double seconds) const;
};

// Reads INDEX=TIME:VALUE,TIME:VALUE,... Throws InputError naming what is
// wrong.
AutomationCurve parseAutomationCurve(const std::string& text);

}  // namespace plughost
