// Knobs: the value-to-angle mapping both ways, the drawn or pictured
// handle, circular and linear dragging, the wheel and the arrow keys, and
// the film-strip knob.
#include "pluggui/cknob.h"

#include <cmath>
#include <cstring>

#include "pluggui/cbitmap.h"
#include "pluggui/cframe.h"
#include "pluggui/controlsupport.h"

namespace PLUGGUI {

namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr float kDefaultStartAngle = 3.9269908f;
constexpr float kDefaultRangeAngle = -4.712389f;
// Pixels of linear dragging that cover the whole range.
constexpr float kLinearRange = 200.0f;
// The host's knob mode in which dragging is linear unless Alt is held.
constexpr long kLinearKnobMode = 2;

long insetFor(const CBitmap* handle) { return static_cast<long>(handle->getWidth() / 2.0 + 2.5); }

float wrapped(float angle) {
  if (angle < 0.0f) return angle + kTwoPi;
  if (angle > kTwoPi) return angle - kTwoPi;
  return angle;
}

// The pixel span of linear dragging. A zoom factor of 0, a negative one or
// one that is not a number would make each pixel worth an infinite or
// undefined step; such a factor leaves the plain span.
float linearRange(bool fine, float zoomFactor) {
  if (!fine) return kLinearRange;
  const float range = kLinearRange * zoomFactor;
  return range > 0.0f && std::isfinite(range) ? range : kLinearRange;
}

}  // namespace

//-----------------------------------------------------------------------------
// Construction and settings

CKnob::CKnob(const CRect& size, CControlListener* listener, long tag, CBitmap* background, CBitmap* handle,
             const CPoint& offset)
    : CControl(size, listener, tag, background),
      backgroundOffset(offset),
      handleColor(kWhiteCColor),
      shadowColor(kGreyCColor),
      handleBitmap(handle),
      inset(3),
      startAngle(0.0f),
      rangeAngle(1.0f),
      halfAngle(0.0f),
      angleScale(0.0f),
      angleOffset(0.0f),
      radius(static_cast<float>((size.right - size.left) / 2.0)),
      zoomFactor(1.5f) {
  if (handleBitmap) {
    handleBitmap->remember();
    inset = insetFor(handleBitmap);
  }
  setStartAngle(kDefaultStartAngle);
  setRangeAngle(kDefaultRangeAngle);
  setWantsFocus(true);
  oldValue = kNewControlOldValue;
}

CKnob::~CKnob() {
  if (handleBitmap) handleBitmap->forget();
}

void CKnob::compute() {
  angleScale = (maxValue - minValue) / rangeAngle;
  angleOffset = minValue - angleScale * startAngle;
  halfAngle = (kTwoPi - std::fabs(rangeAngle)) * 0.5f;
  setDirty(true);
}

void CKnob::setStartAngle(float val) {
  startAngle = val;
  compute();
}

float CKnob::getStartAngle() const { return startAngle; }

void CKnob::setRangeAngle(float val) {
  rangeAngle = val;
  compute();
}

float CKnob::getRangeAngle() const { return rangeAngle; }
void CKnob::setInsetValue(long val) { inset = val; }

void CKnob::setColorShadowHandle(CColor color) {
  shadowColor = color;
  setDirty(true);
}

void CKnob::setColorHandle(CColor color) {
  handleColor = color;
  setDirty(true);
}

// The new picture is held before the old one is let go: they may be the
// same, with this knob's reference the last.
void CKnob::setHandleBitmap(CBitmap* bitmap) {
  if (bitmap) bitmap->remember();
  if (handleBitmap) handleBitmap->forget();
  handleBitmap = bitmap;
  if (handleBitmap) inset = insetFor(handleBitmap);
}

void CKnob::setZoomFactor(float val) { zoomFactor = val; }
float CKnob::getZoomFactor() const { return zoomFactor; }

bool CKnob::isTypeOf(const char* name) const {
  return std::strcmp(name, "CKnob") == 0 || CControl::isTypeOf(name);
}

//-----------------------------------------------------------------------------
// Value and angle

// A knob whose range or sweep is empty has no angle for a value: its handle
// points at the start of the sweep.
void CKnob::valueToPoint(CPoint& point) const {
  float angle = (value - angleOffset) / angleScale;
  if (!std::isfinite(angle)) angle = startAngle;
  const float reach = radius - static_cast<float>(inset);
  point.h = truncatedWhole(radius + std::cos(angle) * reach + 0.5f);
  point.v = truncatedWhole(radius - std::sin(angle) * reach + 0.5f);
}

float CKnob::valueFromPoint(CPoint& point) const {
  float alpha = std::atan2(radius - static_cast<float>(point.v), static_cast<float>(point.h) - radius);
  if (alpha < 0.0f) alpha += kTwoPi;
  float alpha2 = alpha - startAngle;
  float result;
  if (rangeAngle < 0.0f) {
    alpha2 -= rangeAngle;
    const float alpha3 = wrapped(alpha2);
    if (alpha3 > halfAngle - rangeAngle) return maxValue;
    if (alpha3 > -rangeAngle) return minValue;
    if (alpha2 > halfAngle - rangeAngle)
      alpha2 -= kTwoPi;
    else if (alpha2 < -halfAngle)
      alpha2 += kTwoPi;
    result = angleScale * alpha2 + maxValue;
  } else {
    const float alpha3 = wrapped(alpha2);
    if (alpha3 > rangeAngle + halfAngle) return minValue;
    if (alpha3 > rangeAngle) return maxValue;
    if (alpha2 > rangeAngle + halfAngle)
      alpha2 -= kTwoPi;
    else if (alpha2 < -halfAngle)
      alpha2 += kTwoPi;
    result = angleScale * alpha2 + minValue;
  }
  // A sweep of zero makes the scale infinite: every point then means the
  // start of the range.
  return std::isfinite(result) ? result : minValue;
}

//-----------------------------------------------------------------------------
// Drawing

void CKnob::draw(CDrawContext* context) {
  if (background) drawPicture(*this, background, context, viewSize, backgroundOffset);
  drawHandle(context);
  setDirty(false);
}

void CKnob::drawHandle(CDrawContext* context) {
  CPoint p(0, 0);
  valueToPoint(p);
  if (handleBitmap) {
    const long w = handleBitmap->getWidth();
    const long h = handleBitmap->getHeight();
    CRect place(0, 0, w, h);
    place.offset(viewSize.left + p.h - w / 2, viewSize.top + p.v - h / 2);
    handleBitmap->drawTransparent(context, place, CPoint(0, 0));
    return;
  }
  CPoint centre(viewSize.width() / 2, viewSize.height() / 2);
  p.offset(viewSize.left - 1, viewSize.top);
  centre.offset(viewSize.left - 1, viewSize.top);
  context->setFrameColor(shadowColor);
  context->moveTo(p);
  context->lineTo(centre);
  p.offset(1, -1);
  centre.offset(1, -1);
  context->setFrameColor(handleColor);
  context->moveTo(p);
  context->lineTo(centre);
}

//-----------------------------------------------------------------------------
// Mouse, wheel and keys

// Changes are told whenever the value differs from the value drawn, by the
// control's own test: a film-strip knob that need not redraw for a change
// too small to move its handle must still tell its listener, or the
// parameter would stay behind the knob.
void CKnob::mouse(CDrawContext* context, CPoint& where, long button) {
  if (!getMouseEnabled() || !context) return;
  if (button == -1) button = context->getMouseButtons();
  if (!(button & kMouseLeft)) return;
  if (takenByListener(listener, context, this, button)) return;
  if (checkDefaultValue(context, button)) return;

  float entryValue = value;
  const float middle = (maxValue - minValue) * 0.5f;
  float range = kLinearRange;
  float scale = (maxValue - minValue) / range;
  long lastButton = button;
  const long mode = parentFrame ? parentFrame->getKnobMode() : 0;
  const bool alt = (button & kModAlt) != 0;
  const bool linear = mode == kLinearKnobMode ? !alt : alt;
  CPoint firstPoint;
  float old = 0.0f;
  if (linear) {
    range = linearRange((button & kModShift) != 0, zoomFactor);
    firstPoint = where;
    scale = (maxValue - minValue) / range;
  } else {
    CPoint local(where);
    local.offset(-viewSize.left, -viewSize.top);
    old = valueFromPoint(local);
  }

  CPoint lastPoint(-1, -1);
  const MouseTracking tracking(this);
  do {
    button = context->getMouseButtons();
    if (where != lastPoint) {
      lastPoint = where;
      if (linear) {
        const long d = (firstPoint.v - where.v) + (where.h - firstPoint.h);
        if (button != lastButton) {
          // Pressing or letting go of Shift changes the step per pixel from
          // here on; the value does not jump.
          range = linearRange((button & kModShift) != 0, zoomFactor);
          const float newScale = (maxValue - minValue) / range;
          entryValue = entryValue + static_cast<float>(d) * (scale - newScale);
          scale = newScale;
          lastButton = button;
        }
        value = entryValue + static_cast<float>(d) * scale;
        bounceValue();
      } else {
        where.offset(-viewSize.left, -viewSize.top);
        value = valueFromPoint(where);
        if (old - value > middle)
          value = maxValue;
        else if (value - old > middle)
          value = minValue;
        else
          old = value;
      }
      if (CControl::isDirty() && listener) listener->valueChanged(context, this);
      if (!tracking.holds()) break;
    }
    getMouseLocation(context, where);
    doIdleStuff();
  } while ((button & kMouseLeft) && tracking.holds());
}

bool CKnob::onWheel(CDrawContext* context, const CPoint& /*where*/, float distance) {
  return stepByWheel(this, listener, context, distance);
}

long CKnob::onKeyDown(PlugKeyCode& keyCode) { return stepByArrowKey(this, listener, keyCode); }

//-----------------------------------------------------------------------------
// Film-strip knob

namespace {

// Frames in a strip of the given height. Without a strip, or with frames of
// no height, there are none.
long framesIn(const CBitmap* strip, long frameHeight) {
  if (!strip || frameHeight <= 0) return 0;
  return static_cast<short>(strip->getHeight() / frameHeight);
}

}  // namespace

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, long tag, CBitmap* background, CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset),
      frameCount(framesIn(background, size.height())),
      frameHeight(size.height()),
      invertFrames(false),
      lastDrawnPoint(0, 0) {
  inset = 0;
}

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, long tag, long frameCount, long frameHeight,
                     CBitmap* background, CPoint& offset)
    : CKnob(size, listener, tag, background, nullptr, offset),
      frameCount(frameCount),
      frameHeight(frameHeight),
      invertFrames(false),
      lastDrawnPoint(0, 0) {
  inset = 0;
}

CAnimKnob::~CAnimKnob() {}

bool CAnimKnob::isTypeOf(const char* name) const {
  return std::strcmp(name, "CAnimKnob") == 0 || CKnob::isTypeOf(name);
}

bool CAnimKnob::isDirty() const {
  if (!dirty) {
    CPoint p;
    valueToPoint(p);
    if (p == lastDrawnPoint) return false;
  }
  return CControl::isDirty();
}

// The offset into the strip always lies on a frame of it: a value outside
// 0..1 shows the first or the last frame, and frames of no height (or a
// strip of none) show the strip's top.
void CAnimKnob::draw(CDrawContext* context) {
  CPoint p(0, 0);
  const long span = frameHeight * (frameCount - 1);
  if (value >= 0.0f && frameHeight > 0 && span > 0) {
    const float shown = value > 1.0f ? 1.0f : value;
    p.v = truncatedWhole((invertFrames ? 1.0f - shown : shown) * static_cast<float>(span));
    for (long k = 0; k <= span; k += frameHeight) {
      if (k > p.v) {
        p.v = k - frameHeight < 0 ? 0 : k - frameHeight;
        break;
      }
    }
    if (p.v > span) p.v = span;
  } else if (value < 0.0f && invertFrames && frameHeight > 0 && span > 0) {
    p.v = span;
  }
  if (background) drawPicture(*this, background, context, viewSize, p);
  valueToPoint(lastDrawnPoint);
  setDirty(false);
}

}  // namespace PLUGGUI
