// The control base: value, bounds, edit bracketing and the double click.
#include "pluggui/ccontrol.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "pluggui/cframe.h"
#include "pluggui/controlsupport.h"

namespace PLUGGUI {

namespace {

// Below a quarter of a second a deliberate double click is hard to make.
constexpr long kShortestDoubleClickTime = 250;

long doubleClickInterval() {
  const long system = static_cast<long>(GetDoubleClickTime());
  return system < kShortestDoubleClickTime ? kShortestDoubleClickTime : system;
}

}  // namespace

CControl::CControl(const CRect& size, CControlListener* listener, long tag, CBitmap* background)
    : CView(size),
      listener(listener),
      tag(tag),
      oldValue(kNewControlOldValue),
      defaultValue(0.5f),
      value(0.0f),
      minValue(0.0f),
      maxValue(1.0f),
      wheelInc(0.1f),
      firstClickTicks(-1),
      doubleClickTime(doubleClickInterval()),
      backOffset(0, 0) {
  setTransparency(false);
  setMouseEnabled(true);
  setBackground(background);
  oldValue = kNewControlOldValue;
}

CControl::~CControl() {}

// A NaN on either side counts as a change, so a NaN value is drawn.
bool CControl::isDirty() const { return !(value == oldValue) || CView::isDirty(); }

void CControl::setDirty(bool val) {
  CView::setDirty(val);
  if (val)
    oldValue = value == -1.0f ? 0.0f : -1.0f;
  else
    oldValue = value;
}

bool CControl::isTypeOf(const char* name) const {
  return std::strcmp(name, "CControl") == 0 || CView::isTypeOf(name);
}

// A control not (or no longer) in a frame has nobody to bracket the edit
// for, nothing to idle and no clock: these turn into no-ops.
void CControl::doIdleStuff() {
  if (parentFrame) parentFrame->doIdleStuff();
}

void CControl::beginEdit() {
  if (!parentFrame) return;
  parentFrame->setFocusView(this);
  parentFrame->beginEdit(tag);
}

void CControl::endEdit() {
  if (parentFrame) parentFrame->endEdit(tag);
}

// The tick counter wraps, and read as the signed first-click field it would
// be negative for half of its range, which the field keeps for "no first
// click". So clicks are timed on its low 31 bits (never 0), and the time
// between two is their difference modulo 2^31, right across either wrap.
bool CControl::isDoubleClick() {
  if (!parentFrame) return false;
  constexpr uint32_t kTickBits = 0x7FFFFFFF;
  const long now = static_cast<long>(std::max<uint32_t>(parentFrame->getTicks() & kTickBits, 1));
  if (firstClickTicks <= 0) {
    firstClickTicks = now;
    return false;
  }
  const uint32_t since = (static_cast<uint32_t>(now) - static_cast<uint32_t>(firstClickTicks)) & kTickBits;
  if (since < static_cast<uint32_t>(doubleClickTime)) {
    firstClickTicks = 0;
    return true;
  }
  firstClickTicks = now;
  return false;
}

void CControl::setValue(float val) { value = val; }
float CControl::getValue() const { return value; }
void CControl::setMin(float val) { minValue = val; }
float CControl::getMin() const { return minValue; }
void CControl::setMax(float val) { maxValue = val; }
float CControl::getMax() const { return maxValue; }
void CControl::setOldValue(float val) { oldValue = val; }
float CControl::getOldValue() const { return oldValue; }
void CControl::setDefaultValue(float val) { defaultValue = val; }
float CControl::getDefaultValue() const { return defaultValue; }
void CControl::setTag(long val) { tag = val; }
long CControl::getTag() const { return tag; }
void CControl::setBackOffset(CPoint& offset) { backOffset = offset; }
void CControl::copyBackOffset() { backOffset(viewSize.left, viewSize.top); }
void CControl::setWheelInc(float val) { wheelInc = val; }
float CControl::getWheelInc() const { return wheelInc; }

void CControl::bounceValue() {
  if (value > maxValue)
    value = maxValue;
  else if (value < minValue)
    value = minValue;
}

bool CControl::checkDefaultValue(CDrawContext* context, long button) {
  if (button != (kMouseLeft | kModControl)) return false;
  beginEdit();
  value = getDefaultValue();
  if (isDirty() && listener) listener->valueChanged(context, this);
  endEdit();
  return true;
}

}  // namespace PLUGGUI
