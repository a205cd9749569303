// The kick button: a momentary button that is 1 while held and falls back
// to 0. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

/// A momentary button: 1 while held, back to 0 when let go.
///
/// The picture at `offset` is the button at rest, the one a picture's
/// height below it the button held.
class CKickButton : public CControl {
 public:
  /// The pictures are as high as the control.
  CKickButton(const CRect& size, CControlListener* listener, long tag, CBitmap* background, const CPoint& offset);
  /// The pictures are `pictureHeight` pixels high.
  CKickButton(const CRect& size, CControlListener* listener, long tag, long pictureHeight, CBitmap* background,
              const CPoint& offset);
  ~CKickButton() override;

  /// Draws the held picture for any value but 0, the rest picture for 0; the value is brought
  /// within the bounds first.
  void draw(CDrawContext* context) override;
  /// However the press goes, the listener hears 0 last and the value ends at 0.
  /// A press with only the left button follows the mouse in and out of
  /// the button; any other (or one already let go) is a press and release. All inside one
  /// edit; a click with a modifier is offered to the listener first.
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  /// True for "CKickButton" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

 protected:
  /// The top left corner of the rest picture in the strip.
  CPoint offset;
  /// A picture's height in pixels.
  long pictureHeight;
};

}  // namespace PLUGGUI
