// The animation's opening click and its steps through the strip.
#include "pluggui/cautoanimation.h"

#include <cstring>

#include "pluggui/controlsupport.h"

namespace PLUGGUI {

CAutoAnimation::CAutoAnimation(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                               const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), pictureCount(0), pictureHeight(size.height()),
      totalHeight(0), windowOpened(false) {
  pictureCount = partsOf(heightOf(background), pictureHeight);
  totalHeight = pictureCount * pictureHeight;
}

CAutoAnimation::CAutoAnimation(const CRect& size, CControlListener* listener, long tag, long pictureCount,
                               long pictureHeight, CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), pictureCount(pictureCount),
      pictureHeight(pictureHeight), totalHeight(pictureCount * pictureHeight), windowOpened(false) {}

CAutoAnimation::~CAutoAnimation() = default;

void CAutoAnimation::draw(CDrawContext* context) {
  if (windowOpened && background)
    drawPicture(*this, background, context, viewSize, CPoint(offset.h, truncatedWhole(value) + offset.v));
  setDirty(false);
}

// Only opening tells the listener.
void CAutoAnimation::mouse(CDrawContext* context, CPoint& /*where*/, long buttons) {
  if (!startsPress(this, listener, context, buttons)) return;

  value = 0.0f;
  if (windowOpened) {
    setDirty(true);
    closeWindow();
    return;
  }
  openWindow();
  setDirty(true);
  if (listener) listener->valueChanged(context, this);
}

void CAutoAnimation::openWindow() { windowOpened = true; }

void CAutoAnimation::closeWindow() { windowOpened = false; }

bool CAutoAnimation::isWindowOpened() const { return windowOpened; }

void CAutoAnimation::nextPixmap() {
  value += static_cast<float>(pictureHeight);
  if (!(value < static_cast<float>(totalHeight))) value = 0.0f;
}

void CAutoAnimation::previousPixmap() {
  value -= static_cast<float>(pictureHeight);
  if (!(value >= 0.0f)) value = static_cast<float>(totalHeight - pictureHeight);
  if (value < 0.0f) value = 0.0f;
}

bool CAutoAnimation::isTypeOf(const char* name) const {
  return std::strcmp(name, "CAutoAnimation") == 0 || CControl::isTypeOf(name);
}

}  // namespace PLUGGUI
