// Conversions between the toolkit's drawing values and GDI's, shared by the
// drawing contexts and the bitmaps, and scoped holds on a context: made for
// a while, or shifted for a while.
#pragma once

#include "pluggui/cdrawcontext.h"

namespace PLUGGUI {

// GDI knows only the colour bytes; alpha never reaches the surface.
inline COLORREF toColorRef(const CColor& color) { return RGB(color.red, color.green, color.blue); }
// And back, with the alpha the caller gives it.
inline CColor fromColorRef(COLORREF colour, unsigned char alpha) {
  return CColor{GetRValue(colour), GetGValue(colour), GetBValue(colour), alpha};
}

// Xor mode inverts the xor-ed result (R2_NOTXORPEN), so a black pen inverts
// what lies under it and drawing twice restores it.
inline int rasterOperation(CDrawMode mode) {
  switch (mode) {
    case kDrawOr:
      return R2_MERGEPEN;
    case kDrawXor:
      return R2_NOTXORPEN;
    default:
      return R2_COPYPEN;
  }
}

// A drawing context made for one message or one repaint, given back when
// the scope ends; none when there was nothing to make.
class HeldContext {
 public:
  explicit HeldContext(CDrawContext* made) : context(made) {}
  ~HeldContext() {
    if (context) context->forget();
  }
  HeldContext(const HeldContext&) = delete;
  HeldContext& operator=(const HeldContext&) = delete;
  CDrawContext* get() const { return context; }

 private:
  CDrawContext* context;
};

// Shifts both offsets of a context for the length of a scope: into a
// container's coordinates, or to where a nested container sits in the frame.
class ShiftedContext {
 public:
  ShiftedContext(CDrawContext* context, const CPoint& by) : context(context) {
    if (!context) return;
    saved[0] = context->windowOrigin;
    saved[1] = context->drawOffset;
    context->windowOrigin.offset(by.h, by.v);
    context->drawOffset.offset(by.h, by.v);
  }
  ~ShiftedContext() {
    if (!context) return;
    context->windowOrigin = saved[0];
    context->drawOffset = saved[1];
  }
  ShiftedContext(const ShiftedContext&) = delete;
  ShiftedContext& operator=(const ShiftedContext&) = delete;

 private:
  CDrawContext* context;
  CPoint saved[2];
};

}  // namespace PLUGGUI
