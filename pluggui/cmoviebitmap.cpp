// The movie bitmap's choice of picture.
#include "pluggui/cmoviebitmap.h"

#include <cstring>

#include "pluggui/controlsupport.h"

namespace PLUGGUI {

CMovieBitmap::CMovieBitmap(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                           const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), pictureCount(0), pictureHeight(size.height()) {
  pictureCount = partsOf(heightOf(background), pictureHeight);
}

CMovieBitmap::CMovieBitmap(const CRect& size, CControlListener* listener, long tag, long pictureCount,
                           long pictureHeight, CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), pictureCount(pictureCount),
      pictureHeight(pictureHeight) {}

CMovieBitmap::~CMovieBitmap() = default;

// Values above 1 are taken as 1; 0, negative values and a value that is not
// a number show the picture at the offset.
void CMovieBitmap::draw(CDrawContext* context) {
  if (value > 1.0f) value = 1.0f;
  CPoint from(offset);
  if (value > 0.0f) from.offset(0, pictureHeight * pictureIndex(value, pictureCount));
  if (background) drawPicture(*this, background, context, viewSize, from);
  setDirty(false);
}

bool CMovieBitmap::isTypeOf(const char* name) const {
  return std::strcmp(name, "CMovieBitmap") == 0 || CControl::isTypeOf(name);
}

}  // namespace PLUGGUI
