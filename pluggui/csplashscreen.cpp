// The splash screen's two states and the frame's modal view that the open
// state holds.
#include "pluggui/csplashscreen.h"

#include <cstring>

#include "pluggui/cbitmap.h"
#include "pluggui/cframe.h"
#include "pluggui/controlsupport.h"

namespace PLUGGUI {

CSplashScreen::CSplashScreen(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                             CRect& displayRect, CPoint& offset)
    : CControl(size, listener, tag, background),
      displayRect(displayRect),
      keepSize(0, 0, 0, 0),
      displayOffset(offset),
      bitmapTransparency(255) {}

CSplashScreen::~CSplashScreen() = default;

void CSplashScreen::setBitmapTransparency(unsigned char alpha) {
  bitmapTransparency = alpha;
  setTransparency(alpha != 255);
}

bool CSplashScreen::hitTest(const CPoint& where, long buttons) {
  return CView::hitTest(where, buttons) && (buttons & kMouseLeft);
}

void CSplashScreen::draw(CDrawContext* context) {
  if (value != 0.0f && background) {
    if (!getTransparency())
      background->draw(context, displayRect, displayOffset);
    else if (bitmapTransparency != 0)
      background->drawAlphaBlend(context, displayRect, displayOffset, bitmapTransparency);
    else
      background->drawTransparent(context, displayRect, displayOffset);
  }
  setDirty(false);
}

bool CSplashScreen::restoreSize() {
  if (keepSize == CRect(0, 0, 0, 0)) return false;
  CRect saved(keepSize);
  keepSize = CRect(0, 0, 0, 0);
  setViewSize(saved);
  return true;
}

void CSplashScreen::mouse(CDrawContext* context, CPoint& /*where*/, long buttons) {
  if (!startsPress(this, listener, context, buttons)) return;

  value = opposite(value);
  if (value != 0.0f) {
    if (parentFrame && parentFrame->setModalView(this)) {
      keepSize = viewSize;
      setViewSize(displayRect);
      setMouseableArea(displayRect);
      if (listener) listener->valueChanged(context, this);
    }
    setDirty(true);
    return;
  }
  if (restoreSize()) setMouseableArea(viewSize);
  if (listener) listener->valueChanged(context, this);
  // Only this splash's own hold on the frame is let go: a splash that was
  // refused never held it, and another view may hold it now.
  if (parentFrame) {
    parentFrame->setDirty(true);
    if (parentFrame->getModalView() == this) parentFrame->setModalView(nullptr);
  }
}

void CSplashScreen::unSplash() {
  setDirty(true);
  value = 0.0f;
  restoreSize();
  if (parentFrame && parentFrame->getModalView() == this) {
    parentFrame->setModalView(nullptr);
    parentFrame->redraw();
  }
}

bool CSplashScreen::isTypeOf(const char* name) const {
  return std::strcmp(name, "CSplashScreen") == 0 || CControl::isTypeOf(name);
}

}  // namespace PLUGGUI
