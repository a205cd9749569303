// The vertical switch's pictures and its drag along the height.
#include "pluggui/cverticalswitch.h"

#include <cstring>

#include "pluggui/controlsupport.h"

namespace PLUGGUI {

CVerticalSwitch::CVerticalSwitch(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                                 const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), pictureCount(0), pictureHeight(size.height()),
      positionCount(0) {
  pictureCount = positionCount = partsOf(heightOf(background), pictureHeight);
  setDefaultValue(0.0f);
}

CVerticalSwitch::CVerticalSwitch(const CRect& size, CControlListener* listener, long tag, long pictureCount,
                                 long pictureHeight, long positionCount, CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), pictureCount(pictureCount),
      pictureHeight(pictureHeight), positionCount(positionCount) {
  setDefaultValue(0.0f);
}

CVerticalSwitch::~CVerticalSwitch() = default;

void CVerticalSwitch::draw(CDrawContext* context) {
  if (background)
    drawPicture(*this, background, context, viewSize, CPoint(0, pictureHeight * pictureIndex(value, positionCount)));
  setDirty(false);
}

// Any change of the buttons or the modifiers ends the drag.
void CVerticalSwitch::mouse(CDrawContext* context, CPoint& where, long buttons) {
  if (!getMouseEnabled() || !context) return;
  if (buttons == -1) buttons = context->getMouseButtons();
  if (!(buttons & kMouseLeft)) return;
  if (takenByListener(listener, context, this, buttons)) return;
  if (checkDefaultValue(context, buttons)) return;

  const MouseTracking tracking(this);
  followMouse(
      this, listener, context, where, tracking,
      [&](const CPoint& at) { value = switchValue(at.v - viewSize.top, pictureHeight, positionCount); },
      [buttons](long now) { return now == buttons; });
}

bool CVerticalSwitch::isTypeOf(const char* name) const {
  return std::strcmp(name, "CVerticalSwitch") == 0 || CControl::isTypeOf(name);
}

}  // namespace PLUGGUI
