// The movie button: a toggle that shows its new state while the mouse is
// held. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

/// A toggle between 0 and 1 that shows its new state while the mouse is held.
///
/// The strip's first picture is off, the next one on. Let go inside the
/// button, a press toggles it; let go outside, it stays as it was.
class CMovieButton : public CControl {
 public:
  /// The pictures are as high as the control.
  CMovieButton(const CRect& size, CControlListener* listener, long tag, CBitmap* background, const CPoint& offset);
  /// The pictures are `pictureHeight` pixels high.
  CMovieButton(const CRect& size, CControlListener* listener, long tag, long pictureHeight, CBitmap* background,
               const CPoint& offset);
  ~CMovieButton() override;

  /// Draws the off picture for 0 and the on picture for any other value, from the strip's top;
  /// the value is brought within the bounds first.
  void draw(CDrawContext* context) override;
  /// While the press that began with the left button lasts, the value is the other state with
  /// the mouse on the button and the first one off it, each change told; inside one edit. A
  /// press already let go toggles at once. A click with a modifier is offered to the listener
  /// first.
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  /// True for "CMovieButton" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

 protected:
  /// The offset given when made; drawing reads the strip from its top left corner.
  CPoint offset;
  /// A picture's height in pixels.
  long pictureHeight;
  float buttonState;  ///< the value last drawn or set by a click
};

}  // namespace PLUGGUI
