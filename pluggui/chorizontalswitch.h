// The horizontal switch: one of several positions, chosen along the
// control's width. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

/// A switch of several positions, chosen by the mouse along the control's width.
///
/// The pictures are stacked vertically, as for the vertical switch; the
/// mouse chooses a position along the background's width. The value, from 0 to 1 in steps of
/// 1 / (positionCount - 1), chooses the picture.
class CHorizontalSwitch : public CControl {
 public:
  /// The pictures are square, as wide (and so as high) as the control, and
  /// as many as the background is wide in controls: one position each.
  CHorizontalSwitch(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                    const CPoint& offset);
  /// `positionCount` positions show the strip's first `positionCount` pictures, each
  /// `pictureHeight` high.
  CHorizontalSwitch(const CRect& size, CControlListener* listener, long tag, long pictureCount,
                    long pictureHeight, long positionCount, CBitmap* background, const CPoint& offset);
  ~CHorizontalSwitch() override;

  /// Draws the picture of the value's position, rounded to the nearest, from the strip's top.
  void draw(CDrawContext* context) override;
  /// Follows a press with the left button inside one edit, taking the position from the
  /// mouse's distance from the control's left edge, until the buttons or the modifiers change.
  /// A click with a modifier is offered to the listener first, and one with Ctrl sets the
  /// default value (0).
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  /// True for "CHorizontalSwitch" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

 protected:
  /// The offset given when made; drawing reads the strip from its top left corner.
  CPoint offset;
  /// The number of pictures given when made; the positions choose the pictures.
  long pictureCount;
  /// The number of positions.
  long positionCount;
  /// A picture's height in pixels.
  long pictureHeight;
};

}  // namespace PLUGGUI
