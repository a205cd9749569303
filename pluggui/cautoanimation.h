// The animation: pictures of a strip that a click opens and the owner
// steps through. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

/// Pictures of a strip that a click opens and the owner steps through.
///
/// The value is the top of the picture shown, in pixels into the strip
/// below `offset`. Nothing is painted while closed. The owner steps the
/// pictures with nextPixmap and previousPixmap, typically from its idle
/// step, and marks the control dirty itself.
class CAutoAnimation : public CControl {
 public:
  /// The pictures are as high as the control, and as many as fit into the
  /// background.
  CAutoAnimation(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                 const CPoint& offset);
  /// `pictureCount` pictures, each `pictureHeight` pixels high.
  CAutoAnimation(const CRect& size, CControlListener* listener, long tag, long pictureCount, long pictureHeight,
                 CBitmap* background, const CPoint& offset);
  ~CAutoAnimation() override;

  /// Draws the picture at the value while open; nothing while closed.
  void draw(CDrawContext* context) override;
  /// A press with the left button opens the animation at its first picture and tells the
  /// listener, or closes an open one without a word. A click with a modifier is offered to the
  /// listener first.
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  /// True for "CAutoAnimation" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

  /// Opens the animation from code, at the value it has; the caller marks it dirty.
  virtual void openWindow();
  /// Closes the animation from code; the caller marks it dirty.
  virtual void closeWindow();
  // Both step through every picture and wrap around: from the last one
  // forward to the first, from the first back to the last.
  /// Moves the value to the next picture down the strip.
  virtual void nextPixmap();
  /// Moves the value to the previous picture up the strip.
  virtual void previousPixmap();

  /// Whether the animation is open.
  bool isWindowOpened() const;

 protected:
  /// The top left corner of the first picture in the strip.
  CPoint offset;
  /// The number of pictures.
  long pictureCount;
  /// A picture's height in pixels: the step of the value.
  long pictureHeight;
  /// The pictures' height all together: the value wraps there.
  long totalHeight;
  /// Whether the animation is open.
  bool windowOpened;
};

}  // namespace PLUGGUI
