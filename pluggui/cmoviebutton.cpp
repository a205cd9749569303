// The movie button's live toggle.
#include "pluggui/cmoviebutton.h"

#include <cstring>

#include "pluggui/controlsupport.h"

namespace PLUGGUI {

CMovieButton::CMovieButton(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                           const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), pictureHeight(size.height()), buttonState(value) {}

CMovieButton::CMovieButton(const CRect& size, CControlListener* listener, long tag, long pictureHeight,
                           CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), pictureHeight(pictureHeight), buttonState(value) {}

CMovieButton::~CMovieButton() = default;

void CMovieButton::draw(CDrawContext* context) {
  bounceValue();
  if (background) drawPicture(*this, background, context, viewSize, CPoint(0, value != 0.0f ? pictureHeight : 0));
  buttonState = value;
  setDirty(false);
}

void CMovieButton::mouse(CDrawContext* context, CPoint& where, long buttons) {
  if (!context || !startsPress(this, listener, context, buttons)) return;

  const float entry = value;
  const MouseTracking tracking(this);
  if (context->getMouseButtons() != 0) {
    followMouse(
        this, listener, context, where, tracking,
        [&](const CPoint& at) { value = heldValue(at, viewSize, entry); },
        [buttons](long now) { return now == buttons; });
  } else {
    value = opposite(value);
    if (listener) listener->valueChanged(context, this);
  }
  buttonState = value;
}

bool CMovieButton::isTypeOf(const char* name) const {
  return std::strcmp(name, "CMovieButton") == 0 || CControl::isTypeOf(name);
}

}  // namespace PLUGGUI
