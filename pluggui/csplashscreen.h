// The splash screen: a click area that opens a picture over the editor as
// the frame's modal view, and closes it with the next click on the picture.
// Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// The value is the state: 0 closed, anything else open. While closed the
// control paints nothing. The picture is the control's background, drawn
// into `displayRect` (in the control's parent's coordinates) from
// `displayOffset`. The splash stays where it was added while open: added
// last, it lies over its siblings, and inside a container its picture is
// clipped to the container like any child's.
class CSplashScreen : public CControl {
 public:
  CSplashScreen(const CRect& size, CControlListener* listener, long tag, CBitmap* background, CRect& displayRect,
                CPoint& offset);
  ~CSplashScreen() override;

  void draw(CDrawContext* context) override;
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  bool hitTest(const CPoint& where, long buttons = -1) override;
  bool isTypeOf(const char* name) const override;

  virtual void unSplash();

  // 255 draws the picture opaque, 1 to 254 blends it at that constant
  // opacity, and 0 draws it colour-keyed.
  void setBitmapTransparency(unsigned char alpha);

 protected:
  CRect displayRect;
  // The control's own rectangle while the picture is shown; (0, 0, 0, 0)
  // when nothing is saved, so that closing a splash that never grew (the
  // frame refused it, or it was not open) keeps the rectangle it has.
  CRect keepSize;
  CPoint displayOffset;
  unsigned char bitmapTransparency;

 private:
  // Puts the saved rectangle back, if one was saved.
  bool restoreSize();
};

}  // namespace PLUGGUI
