// What the value controls share inside the toolkit: the tracking loop's hold
// on the interface thread, and the steps of the wheel and the arrow keys.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// A control in its mouse-tracking loop for the length of a scope, with its
// edit begun. The loop calls the editor's idle step, from which the host
// may close the editor: the control is then taken out of its container,
// which ends the edit at once, while the control still has its frame, and
// the loop must stop. Holding a reference keeps the control itself alive
// until the loop has unwound.
class MouseTracking {
 public:
  explicit MouseTracking(CControl* control);
  ~MouseTracking();
  MouseTracking(const MouseTracking&) = delete;
  MouseTracking& operator=(const MouseTracking&) = delete;

  // False once the control has left the view tree.
  bool holds() const;

 private:
  CControl* control;
  CControl* outer;  // a loop this one runs inside, if any
};

// Called by a container just before it lets go of a view: a control that
// tracks the mouse within that view ends its edit now.
void endTrackingWithin(const CView* view);

// The sign of the step an arrow key of the host makes (left and down lower
// the value, up and right raise it), or 0 for any other key.
float arrowKeyDirection(const PlugKeyCode& keyCode);

// True when the host's key code has its Shift modifier bit.
bool hasShiftModifier(const PlugKeyCode& keyCode);

// The value after one step of `distance` notches or key presses: a whole
// wheel increment per notch, a tenth of it when fine.
float steppedValue(float value, float wheelInc, float distance, bool fine);

// After a wheel or key step: a change the control has not drawn yet is
// told to the listener inside an edit of its own.
void reportStep(CControl* control, CControlListener* listener, CDrawContext* context);

// A computed coordinate as a whole pixel, truncated toward zero. A number
// that is not one (a range of zero on the way, say) lands at 0, and one
// beyond the range of a long at its end, where a plain conversion would be
// undefined.
long truncatedPixel(double coordinate);

// Any modifier bit of a click: the listener may take such a click for itself.
constexpr long kModifierMask = 0x78;

}  // namespace PLUGGUI
