// The rocker's halves, its spring back to 0, and the wheel as one press.
#include "pluggui/crockerswitch.h"

#include <cstring>

#include "pluggui/controlsupport.h"

namespace PLUGGUI {

namespace {

// The half of the rocker under the mouse: -1 for the first (top, or left
// with the horizontal style), +1 for the second, 0 off the rocker. The
// halves meet on the middle line, which belongs to both: -1 wins there.
float halfUnder(const CPoint& at, const CRect& r, bool horizontal) {
  const long along = horizontal ? at.h : at.v;
  const long across = horizontal ? at.v : at.h;
  const long start = horizontal ? r.left : r.top;
  const long end = horizontal ? r.right : r.bottom;
  if (across < (horizontal ? r.top : r.left) || across > (horizontal ? r.bottom : r.right)) return 0.0f;
  const long middle = start + (end - start) / 2;
  if (along >= start && along <= middle) return -1.0f;
  return along >= middle && along <= end ? 1.0f : 0.0f;
}

}  // namespace

CRockerSwitch::CRockerSwitch(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                             const CPoint& offset, const long style)
    : CControl(size, listener, tag, background), offset(offset), pictureHeight(size.width()), style(style) {}

CRockerSwitch::CRockerSwitch(const CRect& size, CControlListener* listener, long tag, long pictureHeight,
                             CBitmap* background, const CPoint& offset, const long style)
    : CControl(size, listener, tag, background), offset(offset), pictureHeight(pictureHeight), style(style) {}

CRockerSwitch::~CRockerSwitch() = default;

void CRockerSwitch::draw(CDrawContext* context) {
  CPoint from(offset);
  if (value == 1.0f)
    from.offset(0, 2 * pictureHeight);
  else if (value == 0.0f)
    from.offset(0, pictureHeight);
  if (background) drawPicture(*this, background, context, viewSize, from);
  setDirty(false);
}

// Off both halves the value is the one the press began with.
void CRockerSwitch::mouse(CDrawContext* context, CPoint& where, long buttons) {
  if (!context || !startsPress(this, listener, context, buttons)) return;

  const float entry = value;
  const MouseTracking tracking(this);
  const bool horizontal = (style & kHorizontalRocker) != 0;
  followMouse(
      this, listener, context, where, tracking,
      [&](const CPoint& at) {
        const float half = halfUnder(at, viewSize, horizontal);
        value = half != 0.0f ? half : entry;
      },
      [](long now) { return now != 0; });
  // The spring: the release is told even when the value was 0 all along,
  // but a rocker taken out of the editor mid-press has no listener left.
  value = 0.0f;
  if (listener && tracking.holds()) listener->valueChanged(context, this);
}

// A notch away from the user is a press of the -1 half, a notch towards
// the user one of the +1 half, each let go at once.
bool CRockerSwitch::onWheel(CDrawContext* context, const CPoint& /*where*/, float distance) {
  if (!getMouseEnabled()) return false;
  value = distance > 0.0f ? -1.0f : 1.0f;
  beginEdit();
  if (isDirty() && listener) listener->valueChanged(context, this);
  value = 0.0f;
  if (listener) listener->valueChanged(context, this);
  endEdit();
  return true;
}

bool CRockerSwitch::isTypeOf(const char* name) const {
  return std::strcmp(name, "CRockerSwitch") == 0 || CControl::isTypeOf(name);
}

}  // namespace PLUGGUI
