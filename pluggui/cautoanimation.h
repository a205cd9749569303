// The animation: pictures of a strip that a click opens and the owner
// steps through. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// The value is the top of the picture shown, in pixels into the strip
// below `offset`. Nothing is painted while closed. The owner steps the
// pictures with nextPixmap and previousPixmap, typically from its idle
// step, and marks the control dirty itself.
class CAutoAnimation : public CControl {
 public:
  // The pictures are as high as the control, and as many as fit into the
  // background.
  CAutoAnimation(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                 const CPoint& offset);
  CAutoAnimation(const CRect& size, CControlListener* listener, long tag, long pictureCount, long pictureHeight,
                 CBitmap* background, const CPoint& offset);
  ~CAutoAnimation() override;

  void draw(CDrawContext* context) override;
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  bool isTypeOf(const char* name) const override;

  virtual void openWindow();
  virtual void closeWindow();
  // Both step through every picture and wrap around: from the last one
  // forward to the first, from the first back to the last.
  virtual void nextPixmap();
  virtual void previousPixmap();

  bool isWindowOpened() const;

 protected:
  CPoint offset;
  long pictureCount;
  long pictureHeight;
  long totalHeight;
  bool windowOpened;
};

}  // namespace PLUGGUI
