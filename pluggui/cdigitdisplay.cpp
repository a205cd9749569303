// The digit display's places and the split of its number into digits.
#include "pluggui/cdigitdisplay.h"

#include <cmath>
#include <cstring>

#include "pluggui/controlsupport.h"

namespace PLUGGUI {

namespace {

// The number to show: the value's whole part within the range. A value
// that is not a number shows the smallest.
long long shownNumber(float value, float minValue, float maxValue) {
  const double whole = std::trunc(static_cast<double>(value));
  if (whole >= maxValue) return truncatedWhole(maxValue);
  if (!(whole >= minValue)) return truncatedWhole(minValue);
  return static_cast<long long>(whole);
}

}  // namespace

CSpecialDigit::CSpecialDigit(const CRect& size, CControlListener* listener, long tag, long startValue,
                             long count, long* xPositions, long* yPositions, long width, long height,
                             CBitmap* background)
    : CControl(size, listener, tag, background), digitCount(0), digitX{}, digitY{}, digitWidth(width),
      digitHeight(height) {
  setValue(static_cast<float>(startValue));
  digitCount = count < 0 ? 0 : (count > kMaxSpecialDigits ? kMaxSpecialDigits : count);
  // Places given in one direction only would leave the other unknown: the
  // default row is used then.
  const bool given = xPositions && yPositions;
  const long step = widthOf(background);
  for (long i = 0; i < digitCount; ++i) {
    digitX[i] = given ? xPositions[i] : size.left + i * step;
    digitY[i] = given ? yPositions[i] : size.top;
  }
  setMax(static_cast<float>(std::pow(10.0, static_cast<double>(digitCount))) - 1.0f);
  setMin(0.0f);
}

CSpecialDigit::~CSpecialDigit() = default;

// Without digits the largest number is 0, and every value reads as 0.
float CSpecialDigit::getNormValue() const {
  const float largest = getMax();
  if (!(largest > 0.0f)) return 0.0f;
  const float norm = value / largest;
  if (norm > 1.0f) return 1.0f;
  return norm >= 0.0f ? norm : 0.0f;
}

void CSpecialDigit::draw(CDrawContext* context) {
  long long shown = shownNumber(value, minValue, maxValue);
  long long place = (static_cast<long long>(truncatedWhole(maxValue)) + 1) / 10;
  for (long i = 0; i < digitCount; ++i) {
    // A range set below the digits' own has places of 0: those show 0.
    long long digit = place > 0 ? shown / place : 0;
    shown -= digit * place;
    place /= 10;
    digit = digit > 9 ? 9 : (digit < 0 ? 0 : digit);
    if (!background) continue;
    CRect where(digitX[i], digitY[i], digitX[i] + digitWidth, digitY[i] + digitHeight);
    drawPicture(*this, background, context, where, CPoint(0, digitHeight * static_cast<long>(digit)));
  }
  setDirty(false);
}

bool CSpecialDigit::isTypeOf(const char* name) const {
  return std::strcmp(name, "CSpecialDigit") == 0 || CControl::isTypeOf(name);
}

}  // namespace PLUGGUI
