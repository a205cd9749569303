// The digit display: a whole number shown as digit pictures cut from one
// strip. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

/// The most digits a display shows; more are taken as this many.
constexpr long kMaxSpecialDigits = 7;

/// A whole number shown as digit pictures cut from one strip.
///
/// The background is a vertical strip of the ten digits, 0 at the top. The
/// value is the number itself, from 0 to the largest the digits can show,
/// and leading zeros are drawn. Only the digits' places are painted, not the
/// control's rectangle.
class CSpecialDigit : public CControl {
 public:
  /// With both position arrays given, digit i stands at (xPositions[i],
  /// yPositions[i]); otherwise the digits stand side by side from the
  /// control's top left corner, a background's width apart. Places are in the parent's
  /// coordinates, the first digit the most significant. `startValue` is the number shown
  /// first, `digitCount` how many digits there are, and a digit's picture is `digitWidth` by
  /// `digitHeight` pixels. The range becomes 0 to the largest number of `digitCount` digits.
  CSpecialDigit(const CRect& size, CControlListener* listener, long tag, long startValue, long digitCount,
                long* xPositions, long* yPositions, long digitWidth, long digitHeight, CBitmap* background);
  ~CSpecialDigit() override;

  /// Draws the picture of each digit of the value's whole part, within the range, at its place.
  void draw(CDrawContext* context) override;
  /// True for "CSpecialDigit" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

  /// The value as a share of the largest number, in 0..1; 0 for a display without digits.
  virtual float getNormValue() const;

 protected:
  /// The number of digits shown.
  long digitCount;
  /// The left edges of the digits' places, in the parent's coordinates.
  long digitX[kMaxSpecialDigits];
  /// The top edges of the digits' places, in the parent's coordinates.
  long digitY[kMaxSpecialDigits];
  /// A digit picture's width in pixels.
  long digitWidth;
  /// A digit picture's height in pixels, and the distance between two digits in the strip.
  long digitHeight;
};

}  // namespace PLUGGUI
