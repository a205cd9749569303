// Sliders: drawing through a private surface, the modal mouse tracking loop,
// the wheel and the arrow keys.
#include "pluggui/cslider.h"

#include "pluggui/cbitmap.h"
#include "pluggui/coffscreencontext.h"
#include "pluggui/controlsupport.h"

#include <cmath>
#include <cstring>

namespace PLUGGUI {

namespace {

// The handle's offset along the track for a drawn value: the product is
// formed in double. A value that is not a number is drawn at the start.
long trackOffset(long travel, float fValue) { return truncatedWhole(static_cast<double>(travel) * fValue); }

}  // namespace

//-----------------------------------------------------------------------------
// Construction

CSlider::CSlider(const CRect& size, CControlListener* listener, long tag, CPoint& handleStart, long handleRange,
                 CBitmap* handle, CBitmap* background, CPoint& bitmapOffset, long style)
    : CControl(size, listener, tag, background),
      backgroundOffset(bitmapOffset),
      handleOffset(0, 0),
      handle(nullptr),
      offscreen(nullptr),
      style(style),
      handleWidth(1),
      handleHeight(1),
      travel(0),
      handleMin(0),
      handleMax(0),
      positionShift(0),
      controlWidth(size.width()),
      controlHeight(size.height()),
      zoomFactor(10.0f),
      drawTransparentHandle(true),
      freeClick(true) {
  setDrawTransparentHandle(true);
  setHandle(handle);
  travel = handleRange - ((style & kStyleHorizontal) ? handleWidth : handleHeight);
  setOffsetHandle(handleStart);
  setWantsFocus(true);
}

CSlider::CSlider(const CRect& size, CControlListener* listener, long tag, long startPos, long endPos,
                 CBitmap* handle, CBitmap* background, CPoint& bitmapOffset, long style)
    : CControl(size, listener, tag, background),
      backgroundOffset(bitmapOffset),
      handleOffset(0, 0),
      handle(nullptr),
      offscreen(nullptr),
      style(style),
      handleWidth(1),
      handleHeight(1),
      travel(endPos - startPos),
      handleMin(0),
      handleMax(0),
      positionShift(startPos - ((style & kStyleHorizontal) ? size.left : size.top)),
      controlWidth(size.width()),
      controlHeight(size.height()),
      zoomFactor(10.0f),
      drawTransparentHandle(true),
      freeClick(true) {
  setDrawTransparentHandle(true);
  setHandle(handle);
  CPoint start(0, 0);
  setOffsetHandle(start);
  setWantsFocus(true);
}

CSlider::~CSlider() {
  if (handle) handle->forget();
}

CHorizontalSlider::CHorizontalSlider(const CRect& size, CControlListener* listener, long tag, CPoint& handleStart,
                                     long handleRange, CBitmap* handle, CBitmap* background, CPoint& bitmapOffset,
                                     long style)
    : CSlider(size, listener, tag, handleStart, handleRange, handle, background, bitmapOffset,
              style | kStyleHorizontal) {}

CHorizontalSlider::CHorizontalSlider(const CRect& size, CControlListener* listener, long tag, long startPos,
                                     long endPos, CBitmap* handle, CBitmap* background, CPoint& bitmapOffset,
                                     long style)
    : CSlider(size, listener, tag, startPos, endPos, handle, background, bitmapOffset, style | kStyleHorizontal) {}

CHorizontalSlider::~CHorizontalSlider() {}

CVerticalSlider::CVerticalSlider(const CRect& size, CControlListener* listener, long tag, CPoint& handleStart,
                                 long handleRange, CBitmap* handle, CBitmap* background, CPoint& bitmapOffset,
                                 long style)
    : CSlider(size, listener, tag, handleStart, handleRange, handle, background, bitmapOffset,
              style | kStyleVertical) {}

CVerticalSlider::CVerticalSlider(const CRect& size, CControlListener* listener, long tag, long startPos,
                                 long endPos, CBitmap* handle, CBitmap* background, CPoint& bitmapOffset, long style)
    : CSlider(size, listener, tag, startPos, endPos, handle, background, bitmapOffset, style | kStyleVertical) {}

CVerticalSlider::~CVerticalSlider() {}

//-----------------------------------------------------------------------------
// Settings

void CSlider::setOffsetHandle(CPoint& val) {
  handleOffset = val;
  if (style & kStyleHorizontal) {
    handleMin = handleOffset.h + positionShift;
    handleMax = handleMin + travel + handleWidth;
  } else {
    handleMin = handleOffset.v + positionShift;
    handleMax = handleMin + travel + handleHeight;
  }
}

// The new picture is held before the old one is let go: they may be the
// same, with this slider's reference the last.
void CSlider::setHandle(CBitmap* bitmap) {
  if (bitmap) bitmap->remember();
  if (handle) handle->forget();
  handle = bitmap;
  if (handle) {
    handleWidth = handle->getWidth();
    handleHeight = handle->getHeight();
  }
}

CBitmap* CSlider::getHandle() const { return handle; }
void CSlider::setDrawTransparentHandle(bool val) { drawTransparentHandle = val; }
void CSlider::setFreeClick(bool val) { freeClick = val; }
bool CSlider::getFreeClick() const { return freeClick; }
void CSlider::setZoomFactor(float val) { zoomFactor = val; }
float CSlider::getZoomFactor() const { return zoomFactor; }

bool CSlider::isTypeOf(const char* name) const {
  return std::strcmp(name, "CSlider") == 0 || CControl::isTypeOf(name);
}

//-----------------------------------------------------------------------------
// Life in a container: the private surface exists only while attached.

bool CSlider::attached(CView* parent) {
  if (offscreen) offscreen->forget();
  offscreen = new COffscreenContext(getFrame(), controlWidth, controlHeight, kBlackCColor);
  return CView::attached(parent);
}

bool CSlider::removed(CView* parent) {
  if (offscreen) offscreen->forget();
  offscreen = nullptr;
  return CView::removed(parent);
}

//-----------------------------------------------------------------------------
// Drawing

// Only the part that the context's clip lets through is drawn and copied:
// when a neighbour's repaint overlaps a corner of this slider, that corner
// is all it redraws, and a handle elsewhere on the track is left alone. The
// rest of the private surface may then lag behind the value, but none of it
// reaches the screen before a draw that covers it.
void CSlider::draw(CDrawContext* context) {
  if (!context) {
    setDirty(false);
    return;
  }
  CRect visible;
  context->getClipRect(visible);
  visible.bound(viewSize);
  if (visible.isEmpty()) {
    setDirty(false);
    return;
  }
  CDrawContext* target = offscreen ? offscreen : context;
  // The visible part in the coordinates of the surface drawn on.
  CRect area(visible);
  if (offscreen) area.offset(-viewSize.left, -viewSize.top);
  if (offscreen && getTransparency()) offscreen->copyTo(context, visible, CPoint(area.left, area.top));

  CRect r(0, 0, controlWidth, controlHeight);
  if (!offscreen) r.offset(viewSize.left, viewSize.top);
  if (background) {
    CRect part(area);
    part.bound(r);
    const CPoint from(backgroundOffset.h + part.left - r.left, backgroundOffset.v + part.top - r.top);
    drawPicture(*this, background, target, part, from);
  }

  const bool startsAtOrigin = (style & (kStyleLeft | kStyleTop)) != 0;
  const float fValue = startsAtOrigin ? value : 1.0f - value;
  CRect h;
  if (style & kStyleHorizontal) {
    h.top = handleOffset.v;
    h.bottom = h.top + handleHeight;
    h.left = handleOffset.h + trackOffset(travel, fValue);
    if (h.left < handleMin) h.left = handleMin;
    h.right = h.left + handleWidth;
    if (h.right > handleMax) h.right = handleMax;
  } else {
    h.left = handleOffset.h;
    h.right = h.left + handleWidth;
    h.top = handleOffset.v + trackOffset(travel, fValue);
    if (h.top < handleMin) h.top = handleMin;
    h.bottom = h.top + handleHeight;
    if (h.bottom > handleMax) h.bottom = handleMax;
  }
  if (!offscreen) h.offset(viewSize.left, viewSize.top);
  CRect handleShown(h);
  handleShown.bound(area);
  if (handle && !handleShown.isEmpty()) {
    if (drawTransparentHandle)
      handle->drawTransparent(target, h, CPoint(0, 0));
    else
      handle->draw(target, h, CPoint(0, 0));
  }

  if (offscreen) offscreen->copyFrom(context, visible, CPoint(area.left, area.top));
  setDirty(false);
}

//-----------------------------------------------------------------------------
// Mouse, wheel and keys

void CSlider::mouse(CDrawContext* context, CPoint& where, long button) {
  if (!getMouseEnabled() || !context) return;
  if (button == -1) button = context->getMouseButtons();
  if (takenByListener(listener, context, this, button)) return;
  if (checkDefaultValue(context, button)) return;
  if (!(button & kMouseLeft)) return;

  const bool horizontal = (style & kStyleHorizontal) != 0;
  long anchor = horizontal ? viewSize.left + handleOffset.h : viewSize.top + handleOffset.v;
  if (!freeClick) {
    const bool startsAtOrigin = (style & (kStyleLeft | kStyleTop)) != 0;
    const long along = trackOffset(travel, startsAtOrigin ? value : 1.0f - value);
    CRect box;
    if (horizontal) {
      const long pos = handleOffset.h + along + viewSize.left;
      const long top = viewSize.top + handleOffset.v;
      box(pos, top, pos + handleWidth, top + handleHeight);
      if (!where.isInside(box)) return;
      anchor += where.h - pos;
    } else {
      const long pos = handleOffset.v + along + viewSize.top;
      const long left = viewSize.left + handleOffset.h;
      box(left, pos, left + handleWidth, pos + handleHeight);
      if (!where.isInside(box)) return;
      anchor += where.v - pos;
    }
  } else {
    anchor += (horizontal ? handleWidth : handleHeight) / 2 - 1;
  }

  float startValue = value;
  long lastButton = button;
  const bool mirrored = (style & (kStyleRight | kStyleBottom)) != 0;
  const MouseTracking tracking(this);
  while (tracking.holds()) {
    button = context->getMouseButtons();
    if (!(button & kMouseLeft)) break;
    if (button != lastButton && (button & kModShift)) {
      startValue = value;
      lastButton = button;
    } else if (!(button & kModShift)) {
      startValue = value;
    }
    // Without a track to travel along there is no position to take the
    // value from: it stays where it was.
    if (travel > 0) {
      const long pixels = horizontal ? where.h - anchor : where.v - anchor;
      value = static_cast<float>(pixels) / static_cast<float>(travel);
      if (mirrored) value = 1.0f - value;
      if (button & kModShift) value = startValue + (value - startValue) / zoomFactor;
    }
    bounceValue();
    if (isDirty() && listener) listener->valueChanged(context, this);
    if (!tracking.holds()) break;
    getMouseLocation(context, where);
    doIdleStuff();
  }
}

bool CSlider::onWheel(CDrawContext* context, const CPoint& /*where*/, float distance) {
  return stepByWheel(this, listener, context, distance);
}

long CSlider::onKeyDown(PlugKeyCode& keyCode) { return stepByArrowKey(this, listener, keyCode); }

}  // namespace PLUGGUI
