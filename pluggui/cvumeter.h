// The level meter: a bar of lit segments over dark ones, rising at once and
// falling a step per repaint. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"
#include "pluggui/coffscreencontext.h"

namespace PLUGGUI {

/// A level meter: a bar of lit segments over dark ones, for a level from 0 to the maximum.
///
/// Display only: its owner sets the level with setValue, and the frame's
/// idle repaint shows it. Style bit 1 makes the bar horizontal, growing to
/// the right; without it the bar grows upwards.
class CVuMeter : public CControl {
 public:
  /// `onBitmap` is the bar all lit and `offBitmap` all dark (null for none), both drawn over
  /// the control's rectangle; the meter holds a reference to each, and without the lit picture
  /// draws nothing. `ledCount` segments (at least one) divide the bar; `style` as above.
  CVuMeter(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, long ledCount, long style = 0);
  ~CVuMeter() override;

  /// Shows the level in whole segments: the value, or the level shown last less the decrease
  /// step if that is higher, so that a falling bar drops one step per draw. The value is
  /// brought within the bounds first.
  void draw(CDrawContext* context) override;
  /// Marks only the view: the level shown last, kept as the old value, must survive a repaint.
  void setDirty(bool val = true) override;
  /// Lets go of the private surface as the meter leaves its container.
  bool removed(CView* parent) override;
  /// Makes the private surface, with off-screen drawing on, as the meter joins a container.
  bool attached(CView* parent) override;
  /// True for "CVuMeter" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

  /// Sets how far the level shown falls per draw, in units of the value; 0.1 unless set.
  virtual void setDecreaseStepValue(float value);

  /// Draws through a private surface of the control's size (true, the default) or straight
  /// on; a change takes effect at the next draw.
  void setUseOffscreen(bool val = true);

 protected:
  CBitmap* onBitmap;   ///< the lit bar; one reference held
  CBitmap* offBitmap;  ///< the dark bar; one reference held
  COffscreenContext* offscreen;  ///< owned; exists while attached with off-screen drawing on
  /// The number of segments the bar is divided into.
  long ledCount;
  /// The style bits.
  long style;
  /// How far the level shown falls per draw.
  float decreaseStep;
  /// Whether the meter draws through a private surface.
  bool useOffscreen;
  /// Where the lit part goes: on the surface, or in the parent's coordinates without one.
  CRect rectOn;
  /// Where the dark part goes: on the surface, or in the parent's coordinates without one.
  CRect rectOff;
};

}  // namespace PLUGGUI
