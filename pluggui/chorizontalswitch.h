// The horizontal switch: one of several positions, chosen along the
// control's width. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// The pictures are stacked vertically, as for the vertical switch; the
// mouse chooses a position along the background's width.
class CHorizontalSwitch : public CControl {
 public:
  // The pictures are square, as wide (and so as high) as the control, and
  // as many as the background is wide in controls.
  CHorizontalSwitch(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                    const CPoint& offset);
  CHorizontalSwitch(const CRect& size, CControlListener* listener, long tag, long pictureCount,
                    long pictureHeight, long positionCount, CBitmap* background, const CPoint& offset);
  ~CHorizontalSwitch() override;

  void draw(CDrawContext* context) override;
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  bool isTypeOf(const char* name) const override;

 protected:
  CPoint offset;
  long pictureCount;
  long positionCount;
  long pictureHeight;
};

}  // namespace PLUGGUI
