// The splash screen: a click area that opens a picture over the editor as
// the frame's modal view, and closes it with the next click on the picture.
// Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

/// A click area that opens a picture over the editor, as the frame's modal view, until the
/// next click on the picture.
///
/// The value is the state: 0 closed, anything else open. While closed the
/// control paints nothing. The picture is the control's background, drawn
/// into `displayRect` (in the control's parent's coordinates) from
/// `displayOffset`. The splash stays where it was added while open: added
/// last, it lies over its siblings, and inside a container its picture is
/// clipped to the container like any child's.
class CSplashScreen : public CControl {
 public:
  /// `size` is the click area and `background` the picture, of which the splash holds a
  /// reference; `displayRect` is where the open picture lies, and `offset` its point drawn at
  /// that rectangle's top left corner.
  CSplashScreen(const CRect& size, CControlListener* listener, long tag, CBitmap* background, CRect& displayRect,
                CPoint& offset);
  ~CSplashScreen() override;

  /// Draws the picture into the display rectangle while open, by the transparency set; nothing
  /// while closed.
  void draw(CDrawContext* context) override;
  /// A click with the left button toggles the splash. Opening makes it the frame's modal view,
  /// grows it to the display rectangle and tells the listener; if the frame refuses, it opens
  /// without growing and nobody is told. Closing puts its rectangle back, tells the listener
  /// and gives up the modal view. A click with a modifier is offered to the listener first.
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  /// Only a press with the left button on the view's mouse area hits.
  bool hitTest(const CPoint& where, long buttons = -1) override;
  /// True for "CSplashScreen" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

  /// Closes the splash from code: its rectangle goes back and the frame's modal view, if it is
  /// this splash's, is let go and the frame redrawn. The listener is not told.
  virtual void unSplash();

  /// 255 draws the picture opaque, 1 to 254 blends it at that constant
  /// opacity, and 0 draws it colour-keyed.
  void setBitmapTransparency(unsigned char alpha);

 protected:
  /// Where the open picture lies, in the parent's coordinates.
  CRect displayRect;
  /// The control's own rectangle while the picture is shown; (0, 0, 0, 0)
  /// when nothing is saved, so that closing a splash that never grew (the
  /// frame refused it, or it was not open) keeps the rectangle it has.
  CRect keepSize;
  /// The picture's point drawn at the display rectangle's top left corner.
  CPoint displayOffset;
  /// The opacity the picture is drawn with: 255 opaque, 0 colour-keyed.
  unsigned char bitmapTransparency;

 private:
  // Puts the saved rectangle back, if one was saved.
  bool restoreSize();
};

}  // namespace PLUGGUI
