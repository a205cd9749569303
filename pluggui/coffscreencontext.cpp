// Drawing contexts whose surface is a memory bitmap.
#include "pluggui/coffscreencontext.h"
#include "pluggui/cbitmap.h"
#include "pluggui/cframe.h"
#include "pluggui/drawingsurface.h"

namespace PLUGGUI {

namespace {

// A new surface gets the drawing state the context already holds, so that
// what the setters recorded is what the surface draws with.
void applyDrawingState(HDC dc, HPEN pen, HBRUSH brush, HFONT font, const CColor& fontColor, const CColor& fillColor,
                       CDrawMode mode) {
  if (!dc) return;
  if (pen) SelectObject(dc, pen);
  if (brush) SelectObject(dc, brush);
  if (font) SelectObject(dc, font);
  SetTextColor(dc, toColorRef(fontColor));
  // Opaque text is laid on the fill colour; a fresh device context would
  // otherwise use white until the fill colour next changes.
  SetBkColor(dc, toColorRef(fillColor));
  SetROP2(dc, rasterOperation(mode));
  SetBkMode(dc, TRANSPARENT);
}

// A surface bitmap in the format of the given device context, or of the
// screen when there is none.
HBITMAP createSurfaceBitmap(HDC compatibleWith, long width, long height) {
  if (compatibleWith) return CreateCompatibleBitmap(compatibleWith, width, height);
  WindowDC screen(nullptr);
  return CreateCompatibleBitmap(screen.get(), width, height);
}

}  // namespace

// Without another context the surface follows the screen's format. Drawing
// into the background bitmap needs a bitmap with an image; otherwise the
// context makes a surface of its own.
COffscreenContext::COffscreenContext(CDrawContext* context, CBitmap* background, bool drawInBitmap)
    : CDrawContext(context ? context->frame : nullptr, nullptr, nullptr),
      ownedBitmap(nullptr),
      backgroundBitmap(background),
      height(20),
      width(20),
      destroySurface(false),
      backgroundColor(kBlackCColor),
      savedSurfaceBitmap(nullptr) {
  if (background) {
    height = background->getHeight();
    width = background->getWidth();
    clipRect = CRect(0, 0, width, height);
  }

  HDC reference = context ? context->getSystemContext() : nullptr;
  systemContext = CreateCompatibleDC(reference);
  const bool intoBitmap = drawInBitmap && background && background->isLoaded();
  HBITMAP surface = nullptr;
  if (intoBitmap) {
    surface = background->getHandle();
  } else {
    destroySurface = true;
    surface = createSurfaceBitmap(reference, width, height);
  }
  window = surface;
  if (systemContext && surface) savedSurfaceBitmap = SelectObject(systemContext, surface);
  applyDrawingState(systemContext, pen.get(), brush.get(), font.get(), fontColor, fillColor, drawMode);

  if (intoBitmap) return;
  CRect whole(0, 0, width, height);
  if (background) {
    background->draw(this, whole, CPoint(0, 0));
  } else {
    setFillColor(kBlackCColor);
    fillRect(whole);
  }
}

// Without a frame (or before its window exists) the surface follows the
// screen's format.
COffscreenContext::COffscreenContext(CFrame* frame, long width, long height, CColor background)
    : CDrawContext(frame, nullptr, nullptr),
      ownedBitmap(nullptr),
      backgroundBitmap(nullptr),
      height(height),
      width(width),
      destroySurface(true),
      backgroundColor(background),
      savedSurfaceBitmap(nullptr) {
  clipRect = CRect(0, 0, width, height);
  {
    WindowDC windowDC(frame ? frame->getSystemWindow() : nullptr);
    systemContext = CreateCompatibleDC(windowDC.get());
    HBITMAP surface = CreateCompatibleBitmap(windowDC.get(), width, height);
    window = surface;
    if (systemContext && surface) savedSurfaceBitmap = SelectObject(systemContext, surface);
  }
  applyDrawingState(systemContext, pen.get(), brush.get(), font.get(), fontColor, fillColor, drawMode);

  // The fill leaves the top row and left column to the outline: together
  // they give every pixel the background colour.
  CRect whole(0, 0, width, height);
  setFillColor(background);
  setFrameColor(background);
  fillRect(whole);
  drawRect(whole, kStrokeOnly);
}

COffscreenContext::~COffscreenContext() {
  if (ownedBitmap) ownedBitmap->forget();
  if (systemContext) {
    if (savedSurfaceBitmap) SelectObject(systemContext, savedSurfaceBitmap);
    DeleteDC(systemContext);
    systemContext = nullptr;
  }
  if (destroySurface && window) DeleteObject(static_cast<HBITMAP>(window));
  window = nullptr;
}

// A rectangle turned inside out copies nothing: GDI would take its negative
// extents as a mirrored area and write outside the one asked for.
void COffscreenContext::copyTo(CDrawContext* context, CRect& srcRect, CPoint destOffset) {
  if (!context || srcRect.isEmpty()) return;
  BitBlt(systemContext, destOffset.h, destOffset.v, srcRect.width(), srcRect.height(), context->getSystemContext(),
         srcRect.left + context->drawOffset.h, srcRect.top + context->drawOffset.v, SRCCOPY);
}

void COffscreenContext::copyFrom(CDrawContext* context, CRect destRect, CPoint srcOffset) {
  if (!context || destRect.isEmpty()) return;
  BitBlt(context->getSystemContext(), destRect.left + context->drawOffset.h, destRect.top + context->drawOffset.v,
         destRect.width(), destRect.height(), systemContext, srcOffset.h, srcOffset.v, SRCCOPY);
}

}  // namespace PLUGGUI
