// What the controls share inside the toolkit: the tracking loop's hold on
// the interface thread, the steps of the wheel and the arrow keys, and the
// drawing of a picture by the view's transparency flag.
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

// The wheel and the arrow keys of a value control: each notch or press
// steps the value by the control's wheel increment (a tenth of it with
// Shift) within its bounds, and a change the control has not drawn yet is
// told to the listener inside an edit of its own. The value test, not the
// control's own idea of being dirty, decides: a film-strip knob that need
// not redraw for a small change must still report it.
bool stepByWheel(CControl* control, CControlListener* listener, CDrawContext* context, float distance);
// Left and down lower the value, up and right raise it; any other key is
// not taken (-1).
long stepByArrowKey(CControl* control, CControlListener* listener, const PlugKeyCode& keyCode);

// Draws a picture onto rect from `from`, colour-keyed when the view's
// transparency flag is set, else opaque.
void drawPicture(const CView& view, CBitmap* picture, CDrawContext* context, CRect& rect, const CPoint& from);

// A computed coordinate as a whole pixel, truncated toward zero. A number
// that is not one (a range of zero on the way, say) lands at 0, and one
// beyond the range of a long at its end, where a plain conversion would be
// undefined.
long truncatedPixel(double coordinate);

// Any modifier bit of a click: the listener may take such a click for itself.
constexpr long kModifierMask = 0x78;

}  // namespace PLUGGUI
