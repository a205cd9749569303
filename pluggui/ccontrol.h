// The base of every control: a value the user edits, with its bounds, its
// default and the value last drawn, and the edit protocol every control
// follows. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrollistener.h"
#include "pluggui/cview.h"

namespace PLUGGUI {

/// The base of every control: a value within bounds (0 to 1 unless set) that the user edits, and
/// a listener that hears of its changes.
///
/// Abstract: each control draws itself. A control reports changes to its
/// listener only while its value differs from the value it last drew, so a
/// change made between two repaints may be reported more than once.
class CControl : public CView {
 public:
  /// `size` is the control's rectangle in its parent's coordinates. `listener` hears of the
  /// changes and is not owned (null for none); `tag` names the control to it and is the
  /// parameter index the host is given when an edit begins and ends. The control holds a
  /// reference to `background` (null for none). The value starts at 0, the default at 0.5.
  CControl(const CRect& size, CControlListener* listener, long tag, CBitmap* background);
  ~CControl() override;

  /// Draws the control at its rectangle and marks it clean (setDirty(false)); called by the frame
  /// for a dirty control and by every repaint that covers it.
  void draw(CDrawContext* context) override = 0;
  /// True when the view is marked, or when the value differs from the value last drawn (a value
  /// that is not a number always does).
  bool isDirty() const override;
  /// Marks the control for a redraw, the value test included; clearing the mark takes the
  /// current value as the one drawn.
  void setDirty(bool val = true) override;
  /// True for "CControl" and for the names of the classes it derives from.
  bool isTypeOf(const char* name) const override;

  /// Runs the editor's idle step, as a control's tracking loop does between two looks at the
  /// mouse: dirty views are drawn and the host gets its idle call. Nothing outside a frame.
  virtual void doIdleStuff();
  /// Sets the value as it is, without bounding it (see bounceValue), drawing it or telling the
  /// listener; the frame's next idle step draws it.
  virtual void setValue(float val);
  /// The current value.
  virtual float getValue() const;
  /// Sets the lowest value the mouse, the wheel and bounceValue leave; 0 unless set.
  virtual void setMin(float val);
  /// The lowest value the control's own input leaves.
  virtual float getMin() const;
  /// Sets the highest value the mouse, the wheel and bounceValue leave; 1 unless set.
  virtual void setMax(float val);
  /// The highest value the control's own input leaves.
  virtual float getMax() const;
  /// Sets the value taken as drawn: one other than the value makes the control dirty, the value
  /// itself makes it clean as far as the value goes.
  virtual void setOldValue(float val);
  /// The value last drawn, against which isDirty compares (a level meter's falling level).
  virtual float getOldValue() const;
  /// Sets the value a click with Ctrl restores (see checkDefaultValue).
  virtual void setDefaultValue(float val);
  /// The value a click with Ctrl restores: 0.5 unless set, 0 for the switches.
  virtual float getDefaultValue() const;
  /// Renames the control: the tag its listener and the host know it by from now on.
  virtual void setTag(long val);
  /// The control's tag: its name to the listener, and its parameter's index to the host.
  virtual long getTag() const;
  /// Tells the host, through the frame, that the user begins to change parameter `tag`, and
  /// makes the control the frame's focus view; paired with endEdit. Nothing outside a frame.
  virtual void beginEdit();
  /// Tells the host, through the frame, that the user's change of parameter `tag` is over.
  virtual void endEdit();
  /// Sets the point of the background that a text control draws at its top left corner.
  virtual void setBackOffset(CPoint& offset);
  /// Takes the control's own top left corner as its background offset: with a background as
  /// large as the editor, the control shows the part of it that lies beneath.
  virtual void copyBackOffset();
  /// Sets the step of a wheel notch or an arrow key, in units of the value; 0.1 unless set.
  virtual void setWheelInc(float val);
  /// The step of a wheel notch or an arrow key; a tenth of it while Shift is held.
  virtual float getWheelInc() const;
  /// Brings the value back within the bounds; a value that is not a number stays as it is.
  virtual void bounceValue();
  /// Handles a press of the left button with Ctrl alone: the default value is set inside an edit
  /// of its own and, if that changes it, told to the listener. True when the press was such a
  /// one, false for any other, which the control then handles itself.
  virtual bool checkDefaultValue(CDrawContext* context, long button);

  /// True when this click follows the previous one within the double-click time; a click makes
  /// one call, which records it. Always false outside a frame.
  bool isDoubleClick();

 protected:
  /// Hears of the value changes; not owned, null for none.
  CControlListener* listener;
  /// The listener's name for the control and the host's index of its parameter.
  long tag;
  /// The value last drawn, compared with `value` by isDirty.
  float oldValue;
  /// The value a click with Ctrl restores.
  float defaultValue;
  /// The current value.
  float value;
  /// The lowest value the control's own input leaves.
  float minValue;
  /// The highest value the control's own input leaves.
  float maxValue;
  /// The value's step per wheel notch or arrow key.
  float wheelInc;
  /// The editor's ticks (milliseconds) at the click that may begin a double click; -1 before
  /// the first click, 0 right after a double click.
  long firstClickTicks;
  /// The longest gap between the clicks of a double click: the system's, at least 250 ms.
  long doubleClickTime;
  /// The point of the background a text control draws at its top left corner.
  CPoint backOffset;
};

}  // namespace PLUGGUI
