// The tracking loop's hold and the wheel and key steps of value controls.
#include "pluggui/controltracking.h"

#include <cmath>

namespace PLUGGUI {

namespace {

// The host's virtual key codes of the arrows, and its Shift modifier bit.
constexpr unsigned char kKeyLeft = 11;
constexpr unsigned char kKeyUp = 12;
constexpr unsigned char kKeyRight = 13;
constexpr unsigned char kKeyDown = 14;
constexpr unsigned char kShiftModifier = 1;

// The control in the innermost tracking loop. Loops run on the interface
// thread and hold it, so only a loop started from inside another's idle
// step can overlap one.
CControl* gTracking = nullptr;

}  // namespace

MouseTracking::MouseTracking(CControl* control) : control(control), outer(gTracking) {
  control->remember();
  gTracking = control;
  control->beginEdit();
}

MouseTracking::~MouseTracking() {
  if (gTracking == control) {
    gTracking = outer;
    control->endEdit();
  }
  control->forget();
}

bool MouseTracking::holds() const { return gTracking == control; }

void endTrackingWithin(const CView* view) {
  for (const CView* inside = gTracking; inside; inside = inside->getParentView()) {
    if (inside != view) continue;
    CControl* const ending = gTracking;
    // An outer loop, if any, belongs to a control that may have gone too;
    // it learns so from its own holds().
    gTracking = nullptr;
    ending->endEdit();
    return;
  }
}

long truncatedPixel(double coordinate) {
  if (std::isnan(coordinate)) return 0;
  if (coordinate >= 2147483647.0) return 2147483647L;
  if (coordinate <= -2147483648.0) return -2147483647L - 1;
  return static_cast<long>(coordinate);
}

float arrowKeyDirection(const PlugKeyCode& keyCode) {
  switch (keyCode.virt) {
    case kKeyLeft:
    case kKeyDown:
      return -1.0f;
    case kKeyUp:
    case kKeyRight:
      return 1.0f;
    default:
      return 0.0f;
  }
}

bool hasShiftModifier(const PlugKeyCode& keyCode) { return (keyCode.modifier & kShiftModifier) != 0; }

float steppedValue(float value, float wheelInc, float distance, bool fine) {
  return fine ? value + distance * 0.1f * wheelInc : value + wheelInc * distance;
}

// The value test, not a control's own idea of being dirty: a film-strip
// knob that need not redraw for a small change must still report it.
void reportStep(CControl* control, CControlListener* listener, CDrawContext* context) {
  if (!control->CControl::isDirty() || !listener) return;
  control->beginEdit();
  listener->valueChanged(context, control);
  control->endEdit();
}

}  // namespace PLUGGUI
