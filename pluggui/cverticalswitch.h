// The vertical switch: one of several positions, chosen along the control's
// height. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// The background is a vertical strip of pictures; the value, from 0 to 1
// in steps of 1 / (positionCount - 1), chooses the picture.
class CVerticalSwitch : public CControl {
 public:
  // The pictures are as high as the control, and as many as fit into the
  // background.
  CVerticalSwitch(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                  const CPoint& offset);
  CVerticalSwitch(const CRect& size, CControlListener* listener, long tag, long pictureCount, long pictureHeight,
                  long positionCount, CBitmap* background, const CPoint& offset);
  ~CVerticalSwitch() override;

  void draw(CDrawContext* context) override;
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  bool isTypeOf(const char* name) const override;

 protected:
  CPoint offset;
  long pictureCount;
  long pictureHeight;
  long positionCount;
};

}  // namespace PLUGGUI
