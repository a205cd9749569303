// The on/off button: a click toggles between 0 and 1. Included by
// plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// The background's upper half is the off picture, its lower half the on
// picture. The style sets the moment the listener hears of a click: 0
// after the new picture is drawn, 1 before it; any other style never.
class COnOffButton : public CControl {
 public:
  COnOffButton(const CRect& size, CControlListener* listener, long tag, CBitmap* background, long style = 0);
  ~COnOffButton() override;

  void draw(CDrawContext* context) override;
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  bool isTypeOf(const char* name) const override;

  virtual long getStyle() const;
  virtual void setStyle(long newStyle);

 protected:
  long style;
};

}  // namespace PLUGGUI
