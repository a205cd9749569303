// The level meter's falling peak and its two-picture drawing.
#include "pluggui/cvumeter.h"

#include <cstring>

#include "pluggui/cbitmap.h"
#include "pluggui/coffscreencontext.h"
#include "pluggui/controlsupport.h"

namespace PLUGGUI {

namespace {

constexpr long kStyleHorizontalBar = 1;

// The number of lit (or dark) segments for a share of the bar: rounded,
// and never outside 0..count, so the pictures are read within their bounds
// whatever the level or the maximum.
long segmentsFor(float share, long count) {
  long segments = truncatedWhole(static_cast<float>(count) * share + 0.5f);
  if (segments < 0) segments = 0;
  if (segments > count) segments = count;
  return segments;
}

// Pixels of `length` that `segments` of `count` cover, in the single
// precision the quotient is formed in.
long pixelsFor(long segments, long count, long length) {
  return truncatedWhole(static_cast<float>(segments) / static_cast<float>(count) * static_cast<float>(length));
}

// A fresh private surface of the control's size (and both destinations on
// it), or none and the destinations on the control's own rectangle.
void placeSurface(bool wanted, COffscreenContext*& surface, CFrame* frame, const CRect& size, CRect& rectOn,
                  CRect& rectOff) {
  if (surface) surface->forget();
  surface = nullptr;
  if (!wanted) {
    rectOn = size;
    rectOff = size;
    return;
  }
  surface = new COffscreenContext(frame, size.width(), size.height(), kBlackCColor);
  rectOn(0, 0, size.width(), size.height());
  rectOff = rectOn;
}

}  // namespace

// A count of no segments (or fewer) would leave nothing to divide the bar
// into: such a meter shows one segment, lit or dark.
CVuMeter::CVuMeter(const CRect& size, CBitmap* onBitmap, CBitmap* offBitmap, long ledCount, long style)
    : CControl(size, nullptr, 0, nullptr),
      onBitmap(onBitmap),
      offBitmap(offBitmap),
      offscreen(nullptr),
      ledCount(ledCount > 0 ? ledCount : 1),
      style(style),
      decreaseStep(0.1f),
      useOffscreen(true),
      rectOn(0, 0, 0, 0),
      rectOff(0, 0, 0, 0) {
  setDecreaseStepValue(0.1f);
  setUseOffscreen(true);
  if (onBitmap) onBitmap->remember();
  if (offBitmap) offBitmap->remember();
  rectOn(size.left, size.top, size.right, size.bottom);
  rectOff(size.left, size.top, size.right, size.bottom);
}

CVuMeter::~CVuMeter() {
  if (onBitmap) onBitmap->forget();
  if (offBitmap) offBitmap->forget();
  if (offscreen) offscreen->forget();
}

void CVuMeter::setDecreaseStepValue(float value) { decreaseStep = value; }
void CVuMeter::setUseOffscreen(bool val) { useOffscreen = val; }

bool CVuMeter::isTypeOf(const char* name) const {
  return std::strcmp(name, "CVuMeter") == 0 || CControl::isTypeOf(name);
}

// The view's flag only: the peak in oldValue must survive a repaint.
void CVuMeter::setDirty(bool val) { CView::setDirty(val); }

bool CVuMeter::attached(CView* parent) {
  placeSurface(useOffscreen, offscreen, getFrame(), viewSize, rectOn, rectOff);
  return CView::attached(parent);
}

bool CVuMeter::removed(CView* parent) {
  if (offscreen) offscreen->forget();
  offscreen = nullptr;
  return CView::removed(parent);
}

void CVuMeter::draw(CDrawContext* context) {
  if (!onBitmap || !context) return;
  CPoint pointOn(0, 0);
  CPoint pointOff(0, 0);
  bounceValue();

  float level = oldValue - decreaseStep;
  if (value > level) level = value;
  oldValue = level;

  // Off-screen drawing switched on or off since the last attach: the
  // surface and the rectangles follow, so a stale surface is never copied
  // over the control.
  if (useOffscreen != (offscreen != nullptr))
    placeSurface(useOffscreen, offscreen, getFrame(), viewSize, rectOn, rectOff);
  CDrawContext* target = offscreen ? offscreen : context;

  if (style & kStyleHorizontalBar) {
    const float share = maxValue != 0.0f ? level / maxValue : 0.0f;
    long lit = pixelsFor(segmentsFor(share, ledCount), ledCount, onBitmap->getWidth());
    pointOff(lit, 0);
    if (!offscreen) lit += viewSize.left;
    rectOff.left = lit;
    rectOn.right = lit;
  } else {
    const float share = maxValue != 0.0f ? (getMax() - level) / maxValue : 0.0f;
    long dark = pixelsFor(segmentsFor(share, ledCount), ledCount, onBitmap->getHeight());
    pointOn(0, dark);
    if (!offscreen) dark += viewSize.top;
    rectOff.bottom = dark;
    rectOn.top = dark;
  }

  if (offBitmap) drawPicture(*this, offBitmap, target, rectOff, pointOff);
  drawPicture(*this, onBitmap, target, rectOn, pointOn);

  if (offscreen) offscreen->copyFrom(context, viewSize, CPoint(0, 0));
  setDirty(false);
}

}  // namespace PLUGGUI
