// The horizontal switch's pictures and its drag along the width.
#include "pluggui/chorizontalswitch.h"

#include <cstring>

#include "pluggui/controlsupport.h"

namespace PLUGGUI {

CHorizontalSwitch::CHorizontalSwitch(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                                     const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), pictureCount(0), positionCount(0),
      pictureHeight(size.width()) {
  pictureCount = positionCount = partsOf(widthOf(background), size.width());
  setDefaultValue(0.0f);
}

CHorizontalSwitch::CHorizontalSwitch(const CRect& size, CControlListener* listener, long tag, long pictureCount,
                                     long pictureHeight, long positionCount, CBitmap* background,
                                     const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), pictureCount(pictureCount),
      positionCount(positionCount), pictureHeight(pictureHeight) {
  setDefaultValue(0.0f);
}

CHorizontalSwitch::~CHorizontalSwitch() = default;

void CHorizontalSwitch::draw(CDrawContext* context) {
  if (background)
    drawPicture(*this, background, context, viewSize, CPoint(0, pictureHeight * pictureIndex(value, positionCount)));
  setDirty(false);
}

// Unlike the vertical switch, a click with a modifier is offered to the
// listener before the button is looked at, and the positions are spread
// over the background's width.
void CHorizontalSwitch::mouse(CDrawContext* context, CPoint& where, long buttons) {
  if (!context || !startsPress(this, listener, context, buttons)) return;
  if (checkDefaultValue(context, buttons)) return;

  const MouseTracking tracking(this);
  followMouse(
      this, listener, context, where, tracking,
      [&](const CPoint& at) { value = switchValue(at.h - viewSize.left, widthOf(background), positionCount); },
      [buttons](long now) { return now == buttons; });
}

bool CHorizontalSwitch::isTypeOf(const char* name) const {
  return std::strcmp(name, "CHorizontalSwitch") == 0 || CControl::isTypeOf(name);
}

}  // namespace PLUGGUI
