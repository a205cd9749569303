// The rocker: a spring-loaded switch that reports -1 or +1 while one of its
// halves is held and 0 when let go. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// The rocker's style bit 1: the halves are left and right; without it they
// are top and bottom.
constexpr long kHorizontalRocker = 1;

// The strip holds the pictures of -1, 0 and +1, top to bottom.
class CRockerSwitch : public CControl {
 public:
  // The pictures are as high as the control is wide.
  CRockerSwitch(const CRect& size, CControlListener* listener, long tag, CBitmap* background, const CPoint& offset,
                const long style = 0);
  CRockerSwitch(const CRect& size, CControlListener* listener, long tag, long pictureHeight, CBitmap* background,
                const CPoint& offset, const long style = 0);
  ~CRockerSwitch() override;

  void draw(CDrawContext* context) override;
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
  using CControl::onWheel;
  bool isTypeOf(const char* name) const override;

 protected:
  CPoint offset;
  long pictureHeight;
  long style;
};

}  // namespace PLUGGUI
