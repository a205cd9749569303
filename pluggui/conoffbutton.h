// The on/off button: a click toggles between 0 and 1. Included by
// plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

/// A button that a click toggles between 0 and 1.
///
/// The background's upper half is the off picture, its lower half the on
/// picture. The style sets the moment the listener hears of a click: 0
/// after the new picture is drawn, 1 before it; any other style never.
class COnOffButton : public CControl {
 public:
  /// The button holds a reference to `background`, the two pictures; `style` as above.
  COnOffButton(const CRect& size, CControlListener* listener, long tag, CBitmap* background, long style = 0);
  ~COnOffButton() override;

  /// Draws the off picture for 0 and the on picture for any other value.
  void draw(CDrawContext* context) override;
  /// A press with the left button toggles the value (by its whole part: 0.7 counts as off),
  /// runs the editor's idle step, which draws it, and tells the listener inside an edit of its
  /// own at the moment the style sets. A click with a modifier is offered to the listener
  /// first.
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  /// True for "COnOffButton" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

  /// When the listener hears of a click: 0 after drawing, 1 before, any other never.
  virtual long getStyle() const;
  /// Sets when the listener hears of a click: 0 after drawing, 1 before, any other never.
  virtual void setStyle(long newStyle);

 protected:
  /// When the listener hears of a click.
  long style;
};

}  // namespace PLUGGUI
