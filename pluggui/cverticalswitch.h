// The vertical switch: one of several positions, chosen along the control's
// height. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

/// A switch of several positions, chosen by the mouse along the control's height.
///
/// The background is a vertical strip of pictures; the value, from 0 to 1
/// in steps of 1 / (positionCount - 1), chooses the picture.
class CVerticalSwitch : public CControl {
 public:
  /// The pictures are as high as the control, and as many as fit into the
  /// background: one position each.
  CVerticalSwitch(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                  const CPoint& offset);
  /// `positionCount` positions, spread over `pictureHeight` pixels of the control's height,
  /// show the strip's first `positionCount` pictures, each `pictureHeight` high.
  CVerticalSwitch(const CRect& size, CControlListener* listener, long tag, long pictureCount, long pictureHeight,
                  long positionCount, CBitmap* background, const CPoint& offset);
  ~CVerticalSwitch() override;

  /// Draws the picture of the value's position, rounded to the nearest, from the strip's top.
  void draw(CDrawContext* context) override;
  /// Follows a press with the left button inside one edit, taking the position from the
  /// mouse's height in the control, until the buttons or the modifiers change. A click with a
  /// modifier is offered to the listener first, and one with Ctrl sets the default value (0).
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  /// True for "CVerticalSwitch" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

 protected:
  /// The offset given when made; drawing reads the strip from its top left corner.
  CPoint offset;
  /// The number of pictures given when made; the positions choose the pictures.
  long pictureCount;
  /// A picture's height, and the mouse's span over the positions, in pixels.
  long pictureHeight;
  /// The number of positions.
  long positionCount;
};

}  // namespace PLUGGUI
