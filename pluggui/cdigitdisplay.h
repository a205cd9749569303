// The digit display: a whole number shown as digit pictures cut from one
// strip. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// The most digits a display shows; more are taken as this many.
constexpr long kMaxSpecialDigits = 7;

// The background is a vertical strip of the ten digits, 0 at the top. The
// value is the number itself, from 0 to the largest the digits can show,
// and leading zeros are drawn. Only the digits' places are painted, not the
// control's rectangle.
class CSpecialDigit : public CControl {
 public:
  // With both position arrays given, digit i stands at (xPositions[i],
  // yPositions[i]); otherwise the digits stand side by side from the
  // control's top left corner, a background's width apart.
  CSpecialDigit(const CRect& size, CControlListener* listener, long tag, long startValue, long digitCount,
                long* xPositions, long* yPositions, long digitWidth, long digitHeight, CBitmap* background);
  ~CSpecialDigit() override;

  void draw(CDrawContext* context) override;
  bool isTypeOf(const char* name) const override;

  virtual float getNormValue() const;

 protected:
  long digitCount;
  long digitX[kMaxSpecialDigits];
  long digitY[kMaxSpecialDigits];
  long digitWidth;
  long digitHeight;
};

}  // namespace PLUGGUI
