// The tracking loop's hold, the wheel and key steps of value controls, and
// picture drawing by the transparency flag.
#include "pluggui/controlsupport.h"
#include "pluggui/cbitmap.h"

#include <cmath>
#include <utility>

namespace PLUGGUI {

namespace {

// The sign of the step an arrow key makes, or 0 for any other key.
float arrowKeyDirection(unsigned char key) {
  switch (key) {
    case kPlugKeyLeft:
    case kPlugKeyDown:
      return -1.0f;
    case kPlugKeyUp:
    case kPlugKeyRight:
      return 1.0f;
    default:
      return 0.0f;
  }
}

void step(CControl* control, CControlListener* listener, CDrawContext* context, float distance, bool fine) {
  const float increment = control->getWheelInc();
  const float value = control->getValue();
  control->setValue(fine ? value + distance * 0.1f * increment : value + increment * distance);
  control->bounceValue();
  if (!control->CControl::isDirty() || !listener) return;
  control->beginEdit();
  listener->valueChanged(context, control);
  control->endEdit();
}

// The innermost tracking loop. Loops run on the interface thread and hold
// it, so only a loop started from inside another's idle step can overlap
// one.
const MouseTracking* gTracking = nullptr;

}  // namespace

MouseTracking::MouseTracking(CControl* control, bool beginsEdit, std::function<void()> whenLost)
    : control(control), outer(gTracking), whenLost(std::move(whenLost)) {
  control->remember();
  gTracking = this;
  if (beginsEdit) control->beginEdit();
}

MouseTracking::~MouseTracking() {
  if (gTracking == this) {
    gTracking = outer;
    control->endEdit();
  }
  control->forget();
}

bool MouseTracking::holds() const { return gTracking == this; }

void followMouse(CControl* control, CControlListener* listener, CDrawContext* context, CPoint& where,
                 const MouseTracking& tracking, const std::function<void(const CPoint&)>& follow,
                 const std::function<bool(long)>& goesOn) {
  do {
    follow(where);
    if (control->isDirty() && listener) listener->valueChanged(context, control);
    if (!tracking.holds()) return;
    control->getMouseLocation(context, where);
    control->doIdleStuff();
  } while (tracking.holds() && goesOn(context->getMouseButtons()));
}

void endTrackingWithin(const CView* view) {
  if (!gTracking) return;
  for (const CView* inside = gTracking->control; inside; inside = inside->getParentView()) {
    if (inside != view) continue;
    const MouseTracking* const ending = gTracking;
    // An outer loop, if any, belongs to a control that may have gone too;
    // it learns so from its own holds().
    gTracking = nullptr;
    ending->control->endEdit();
    if (ending->whenLost) ending->whenLost();
    return;
  }
}

long truncatedWhole(double number) {
  if (std::isnan(number)) return 0;
  if (number >= 2147483647.0) return 2147483647L;
  if (number <= -2147483648.0) return -2147483647L - 1;
  return static_cast<long>(number);
}

long pictureIndex(float value, long count) {
  const long index = truncatedWhole(static_cast<double>(value) * (count - 1) + 0.5);
  if (index >= count) return count > 0 ? count - 1 : 0;
  return index < 0 ? 0 : index;
}

float switchValue(long along, long span, long positionCount) {
  if (positionCount < 2 || span <= 0) return 0.0f;
  const double step = static_cast<double>(span) / positionCount;
  const float position = static_cast<float>(truncatedWhole(along / step)) / static_cast<float>(positionCount - 1);
  return position > 1.0f ? 1.0f : (position < 0.0f ? 0.0f : position);
}

long partsOf(long total, long each) { return each > 0 ? total / each : 0; }

long widthOf(const CBitmap* picture) { return picture ? picture->getWidth() : 0; }

long heightOf(const CBitmap* picture) { return picture ? picture->getHeight() : 0; }

bool startsPress(CControl* control, CControlListener* listener, CDrawContext* context, long& buttons) {
  if (!control->getMouseEnabled()) return false;
  if (buttons == -1 && context) buttons = context->getMouseButtons();
  if (takenByListener(listener, context, control, buttons)) return false;
  return (buttons & kMouseLeft) != 0;
}

bool takenByListener(CControlListener* listener, CDrawContext* context, CControl* control, long buttons) {
  return listener && (buttons & kModifierMask) && listener->controlModifierClicked(context, control, buttons) != 0;
}

bool stepByWheel(CControl* control, CControlListener* listener, CDrawContext* context, float distance) {
  if (!control->getMouseEnabled()) return false;
  const long buttons = context ? context->getMouseButtons() : 0;
  step(control, listener, context, distance, (buttons & kModShift) != 0);
  return true;
}

long stepByArrowKey(CControl* control, CControlListener* listener, const PlugKeyCode& keyCode) {
  const float distance = arrowKeyDirection(keyCode.virt);
  if (distance == 0.0f) return -1;
  step(control, listener, nullptr, distance, (keyCode.modifier & kPlugModifierShift) != 0);
  return 1;
}

void drawPicture(const CView& view, CBitmap* picture, CDrawContext* context, CRect& rect, const CPoint& from) {
  if (view.getTransparency())
    picture->drawTransparent(context, rect, from);
  else
    picture->draw(context, rect, from);
}

}  // namespace PLUGGUI
