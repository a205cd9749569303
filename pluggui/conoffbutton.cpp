// The on/off button's pictures and the moment its listener hears a click.
#include "pluggui/conoffbutton.h"

#include <cmath>
#include <cstring>

#include "pluggui/controlsupport.h"

namespace PLUGGUI {

namespace {

enum { kTellAfterDrawing = 0, kTellBeforeDrawing = 1 };

}  // namespace

COnOffButton::COnOffButton(const CRect& size, CControlListener* listener, long tag, CBitmap* background, long style)
    : CControl(size, listener, tag, background), style(style) {}

COnOffButton::~COnOffButton() = default;

long COnOffButton::getStyle() const { return style; }

void COnOffButton::setStyle(long newStyle) { style = newStyle; }

void COnOffButton::draw(CDrawContext* context) {
  if (background) drawPicture(*this, background, context, viewSize, CPoint(0, value != 0.0f ? heightOf(background) / 2 : 0));
  setDirty(false);
}

// The click looks at the value's whole part: 0.7 counts as off.
void COnOffButton::mouse(CDrawContext* context, CPoint& /*where*/, long buttons) {
  if (!getMouseEnabled()) return;
  if (buttons == -1 && context) buttons = context->getMouseButtons();
  if (!(buttons & kMouseLeft)) return;
  if (takenByListener(listener, context, this, buttons)) return;

  value = std::trunc(value) != 0.0f ? 0.0f : 1.0f;
  const auto tell = [&] {
    if (!listener) return;
    beginEdit();
    listener->valueChanged(context, this);
    endEdit();
  };
  if (style == kTellBeforeDrawing) tell();
  // The idle step may close the editor: the button then waits for its
  // release here, and no longer has a listener to tell.
  remember();
  doIdleStuff();
  if (style == kTellAfterDrawing && parentFrame) tell();
  forget();
}

bool COnOffButton::isTypeOf(const char* name) const {
  return std::strcmp(name, "COnOffButton") == 0 || CControl::isTypeOf(name);
}

}  // namespace PLUGGUI
