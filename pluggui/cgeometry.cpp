// Rectangles, points and colours.
#include "pluggui/cgeometry.h"

namespace PLUGGUI {

CColor kTransparentCColor = {255, 255, 255, 0};
CColor kBlackCColor = {0, 0, 0, 255};
CColor kWhiteCColor = {255, 255, 255, 255};
CColor kGreyCColor = {127, 127, 127, 255};
CColor kRedCColor = {255, 0, 0, 255};
CColor kGreenCColor = {0, 255, 0, 255};
CColor kBlueCColor = {0, 0, 255, 255};
CColor kYellowCColor = {255, 255, 0, 255};
CColor kMagentaCColor = {255, 0, 255, 255};
CColor kCyanCColor = {0, 255, 255, 255};

//-----------------------------------------------------------------------------
// CPoint

CPoint& CPoint::operator()(long newH, long newV) {
  h = newH;
  v = newV;
  return *this;
}

CPoint& CPoint::offset(long dx, long dy) {
  h += dx;
  v += dy;
  return *this;
}

bool CPoint::isInside(const CRect& rect) const {
  return h >= rect.left && h <= rect.right && v >= rect.top && v <= rect.bottom;
}

bool CPoint::operator==(const CPoint& other) const { return h == other.h && v == other.v; }

bool CPoint::operator!=(const CPoint& other) const { return !(*this == other); }

//-----------------------------------------------------------------------------
// CRect

CRect& CRect::operator()(long l, long t, long r, long b) {
  left = l < r ? l : r;
  right = l < r ? r : l;
  top = t < b ? t : b;
  bottom = t < b ? b : t;
  return *this;
}

CRect& CRect::offset(long dx, long dy) {
  left += dx;
  right += dx;
  top += dy;
  bottom += dy;
  return *this;
}

long CRect::width() const { return right - left; }

long CRect::height() const { return bottom - top; }

long CRect::getWidth() const { return width(); }

long CRect::getHeight() const { return height(); }

bool CRect::isEmpty() const { return right <= left || bottom <= top; }

bool CRect::pointInside(const CPoint& where) const {
  return where.h >= left && where.h < right && where.v >= top && where.v < bottom;
}

bool CRect::rectOverlap(const CRect& other) const {
  return right >= other.left && left <= other.right && bottom >= other.top && top <= other.bottom;
}

void CRect::bound(const CRect& other) {
  if (left < other.left) left = other.left;
  if (top < other.top) top = other.top;
  if (right > other.right) right = other.right;
  if (bottom > other.bottom) bottom = other.bottom;
  if (bottom < top) bottom = top;
  if (right < left) right = left;
}

bool CRect::operator==(const CRect& other) const {
  return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
}

bool CRect::operator!=(const CRect& other) const { return !(*this == other); }

//-----------------------------------------------------------------------------
// CColor

CColor& CColor::operator()(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
  red = r;
  green = g;
  blue = b;
  alpha = a;
  return *this;
}

bool CColor::operator==(const CColor& other) const {
  return red == other.red && green == other.green && blue == other.blue && alpha == other.alpha;
}

bool CColor::operator!=(const CColor& other) const { return !(*this == other); }

}  // namespace PLUGGUI
