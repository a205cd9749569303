// The movie bitmap: one picture of a strip per value, for display only.
// Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

/// One picture of a strip per value, for display only.
///
/// A value from 0 to 1 chooses among `pictureCount` pictures below `offset`,
/// rounded to the nearest; the control takes no input of its own.
class CMovieBitmap : public CControl {
 public:
  /// The pictures are as high as the control, and as many as fit into the
  /// background.
  CMovieBitmap(const CRect& size, CControlListener* listener, long tag, CBitmap* background, const CPoint& offset);
  /// `pictureCount` pictures, each `pictureHeight` pixels high.
  CMovieBitmap(const CRect& size, CControlListener* listener, long tag, long pictureCount, long pictureHeight,
               CBitmap* background, const CPoint& offset);
  ~CMovieBitmap() override;

  /// Draws the value's picture. Values above 1 are taken as 1 (and the value set to 1); 0,
  /// negative values and a value that is not a number show the picture at the offset.
  void draw(CDrawContext* context) override;
  /// True for "CMovieBitmap" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

 protected:
  /// The top left corner of the first picture in the strip.
  CPoint offset;
  /// The number of pictures.
  long pictureCount;
  /// A picture's height in pixels.
  long pictureHeight;
};

}  // namespace PLUGGUI
