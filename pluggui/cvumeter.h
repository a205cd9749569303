// The level meter: a bar of lit segments over dark ones, rising at once and
// falling a step per repaint. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// Display only: its owner sets the level with setValue, and the frame's
// idle repaint shows it. Style bit 1 makes the bar horizontal, growing to
// the right; without it the bar grows upwards.
class CVuMeter : public CControl {
 public:
  CVuMeter(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, long ledCount, long style = 0);
  ~CVuMeter() override;

  void draw(CDrawContext* context) override;
  void setDirty(bool val = true) override;
  bool removed(CView* parent) override;
  bool attached(CView* parent) override;
  bool isTypeOf(const char* name) const override;

  virtual void setDecreaseStepValue(float value);

  void setUseOffscreen(bool val = true);

 protected:
  CBitmap* onBitmap;   // one reference held
  CBitmap* offBitmap;  // one reference held
  COffscreenContext* offscreen;  // owned; exists while attached with off-screen drawing on
  long ledCount;
  long style;
  float decreaseStep;
  bool useOffscreen;
  CRect rectOn;
  CRect rectOff;
};

}  // namespace PLUGGUI
