// The rocker's halves, its spring back to 0, and the wheel as one press.
#include "pluggui/crockerswitch.h"

#include <cstring>

#include "pluggui/controlsupport.h"

namespace PLUGGUI {

namespace {

constexpr long kHorizontalRocker = 2;

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

// The halves meet on the middle line, which belongs to both: -1 wins there.
// Off both halves the value is the one the press began with.
void CRockerSwitch::mouse(CDrawContext* context, CPoint& where, long buttons) {
  if (!context || !startsPress(this, listener, context, buttons)) return;

  const float entry = value;
  const MouseTracking tracking(this);
  const CRect& r = viewSize;
  followMouse(
      this, listener, context, where, tracking,
      [&](const CPoint& at) {
        if (style & kHorizontalRocker) {
          const long middle = r.left + r.width() / 2;
          const bool across = at.v >= r.top && at.v <= r.bottom;
          value = across && at.h >= r.left && at.h <= middle    ? -1.0f
                  : across && at.h >= middle && at.h <= r.right ? 1.0f
                                                                : entry;
        } else {
          const long middle = r.top + r.height() / 2;
          const bool across = at.h >= r.left && at.h <= r.right;
          value = across && at.v >= r.top && at.v <= middle      ? -1.0f
                  : across && at.v >= middle && at.v <= r.bottom ? 1.0f
                                                                 : entry;
        }
      },
      [](long now) { return now != 0; });
  // The spring back happens in any case, but a rocker taken out of the
  // editor mid-press has no listener left to tell.
  if (!tracking.holds()) {
    value = 0.0f;
    return;
  }
  // The spring: the release is told even when the value was 0 all along.
  value = 0.0f;
  if (listener) listener->valueChanged(context, this);
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
