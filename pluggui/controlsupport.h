// What the controls share inside the toolkit: the tracking loop's hold on
// the interface thread, the steps of the wheel and the arrow keys, and the
// drawing of a picture by the view's transparency flag.
#pragma once

#include <functional>

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// The old value a new control starts with: different from its value (0),
// so the frame's first update draws it, and the top of a new meter's fall.
// Constructors that mark the control dirty on the way (the background, the
// knob's angles) put it back at the end.
constexpr float kNewControlOldValue = 1.0f;

// A control in its mouse-tracking loop for the length of a scope, with its
// edit begun. The loop calls the editor's idle step, from which the host
// may close the editor: the control is then taken out of its container,
// which ends the edit at once, while the control still has its frame, and
// the loop must stop. Holding a reference keeps the control itself alive
// until the loop has unwound.
//
// A control whose edit has begun already (a pop-up opened by a click)
// holds it the same way without beginning it again; `whenLost` runs as the
// control leaves the tree, to end a loop that is not the control's own.
class MouseTracking {
 public:
  explicit MouseTracking(CControl* control, bool beginsEdit = true, std::function<void()> whenLost = nullptr);
  ~MouseTracking();
  MouseTracking(const MouseTracking&) = delete;
  MouseTracking& operator=(const MouseTracking&) = delete;

  // False once the control has left the view tree.
  bool holds() const;

 private:
  friend void endTrackingWithin(const CView* view);

  CControl* control;
  const MouseTracking* outer;  // a loop this one runs inside, if any
  std::function<void()> whenLost;
};

// The loop of a control that follows a held button: each pass `follow`
// sets the value from the mouse, a change not yet drawn is told to the
// listener, and the editor's idle step runs; the loop goes on while
// `goesOn` accepts the buttons then held and the control is still tracked.
void followMouse(CControl* control, CControlListener* listener, CDrawContext* context, CPoint& where,
                 const MouseTracking& tracking, const std::function<void(const CPoint&)>& follow,
                 const std::function<bool(long)>& goesOn);

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

// A computed number (a pixel, a digit, a picture's index) as a whole one,
// truncated toward zero. A number that is not one (a range of zero on the
// way, say) lands at 0, and one beyond the range of a long at its end,
// where a plain conversion would be undefined.
long truncatedWhole(double number);

// Which of `count` pictures of a strip a value from 0 to 1 shows, rounded
// to the nearest; always one of the strip's, the first for a value that is
// not a number.
long pictureIndex(float value, long count);

// The value of a switch's position: the mouse `along` pixels from the
// control's start, with the positions spread evenly over `span` pixels. A
// switch of one position (or none, or of no span) is always at 0.
float switchValue(long along, long span, long positionCount);

// How many parts of `each` fit into `total`: none when a part has no size,
// as for a control built with an empty rectangle.
long partsOf(long total, long each);

// A picture's size, 0 without one.
long widthOf(const CBitmap* picture);
long heightOf(const CBitmap* picture);

// The other state of a two-state control: 1 for 0, 0 for anything else.
inline float opposite(float value) { return value == 0.0f ? 1.0f : 0.0f; }

// The start of a left press on a control whose modifier clicks go to the
// listener first: with the mouse enabled, the buttons are read from the
// context when not given (-1), and a press with a modifier is offered to
// the listener. True when the control goes on with the press.
bool startsPress(CControl* control, CControlListener* listener, CDrawContext* context, long& buttons);

// The value of a two-state control held from `entry`: the other state while
// the mouse is on the control (edges included), the first one off it.
inline float heldValue(const CPoint& at, const CRect& size, float entry) {
  return at.isInside(size) ? opposite(entry) : entry;
}

// A click with a modifier is offered to the listener first: true when it
// took the click for itself.
bool takenByListener(CControlListener* listener, CDrawContext* context, CControl* control, long buttons);

// Any modifier bit of a click: the listener may take such a click for itself.
constexpr long kModifierMask = 0x78;

}  // namespace PLUGGUI
