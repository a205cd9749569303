// The rocker: a spring-loaded switch that reports -1 or +1 while one of its
// halves is held and 0 when let go. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

/// The rocker's style bit 1: the halves are left and right; without it they
/// are top and bottom.
constexpr long kHorizontalRocker = 1;

/// A spring-loaded switch of two halves: its value is -1 or +1 while one of them is held, 0 at
/// rest.
///
/// The strip holds the pictures of -1, 0 and +1, top to bottom.
class CRockerSwitch : public CControl {
 public:
  /// The pictures are as high as the control is wide. `offset` is the top left corner of the
  /// picture of -1 in the strip; `style` takes kHorizontalRocker.
  CRockerSwitch(const CRect& size, CControlListener* listener, long tag, CBitmap* background, const CPoint& offset,
                const long style = 0);
  /// As the first form, with pictures `pictureHeight` pixels high.
  CRockerSwitch(const CRect& size, CControlListener* listener, long tag, long pictureHeight, CBitmap* background,
                const CPoint& offset, const long style = 0);
  ~CRockerSwitch() override;

  /// Draws the picture of +1 for 1, of 0 for 0, and of -1 for any other value.
  void draw(CDrawContext* context) override;
  /// While a press that began with the left button lasts, the value is the half under the
  /// mouse (the first, top or left, is -1), or off both halves the value the press began with;
  /// let go, it springs back to 0, which is told as well. All inside one edit. A click with a
  /// modifier is offered to the listener first.
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  /// A notch away from the user is a press of the -1 half, a notch towards
  /// the user one of the +1 half, each let go at once and both told inside one edit; false
  /// while the mouse is disabled.
  bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
  using CControl::onWheel;
  /// True for "CRockerSwitch" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

 protected:
  /// The top left corner of the picture of -1 in the strip.
  CPoint offset;
  /// A picture's height in pixels.
  long pictureHeight;
  /// The style bits: kHorizontalRocker or none.
  long style;
};

}  // namespace PLUGGUI
