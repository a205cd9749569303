// The kick button's press and its fall back to 0.
#include "pluggui/ckickbutton.h"

#include <cstring>

#include "pluggui/controlsupport.h"

namespace PLUGGUI {

CKickButton::CKickButton(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                         const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), pictureHeight(size.height()) {}

CKickButton::CKickButton(const CRect& size, CControlListener* listener, long tag, long pictureHeight,
                         CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), pictureHeight(pictureHeight) {}

CKickButton::~CKickButton() = default;

void CKickButton::draw(CDrawContext* context) {
  bounceValue();
  CPoint from(offset);
  if (value != 0.0f) from.offset(0, pictureHeight);
  if (background) drawPicture(*this, background, context, viewSize, from);
  setDirty(false);
}

// However the press goes, the listener hears 0 last and the value ends at
// 0. A press with only the left button follows the mouse in and out of
// the button; any other (or one already let go) is a press and release.
void CKickButton::mouse(CDrawContext* context, CPoint& where, long buttons) {
  if (!context || !startsPress(this, listener, context, buttons)) return;

  const float entry = value;
  const MouseTracking tracking(this);
  if (context->getMouseButtons() == kMouseLeft) {
    followMouse(
        this, listener, context, where, tracking,
        [&](const CPoint& at) { value = heldValue(at, viewSize, entry); },
        [](long now) { return now == kMouseLeft; });
  } else {
    value = opposite(value);
    if (listener) listener->valueChanged(context, this);
  }
  // Taken out of the editor mid-press, it falls back without a listener.
  value = 0.0f;
  if (listener && tracking.holds()) listener->valueChanged(context, this);
}

bool CKickButton::isTypeOf(const char* name) const {
  return std::strcmp(name, "CKickButton") == 0 || CControl::isTypeOf(name);
}

}  // namespace PLUGGUI
