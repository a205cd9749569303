// The movie bitmap: one picture of a strip per value, for display only.
// Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// A value from 0 to 1 chooses among `pictureCount` pictures below `offset`,
// rounded to the nearest; the control takes no input of its own.
class CMovieBitmap : public CControl {
 public:
  // The pictures are as high as the control, and as many as fit into the
  // background.
  CMovieBitmap(const CRect& size, CControlListener* listener, long tag, CBitmap* background, const CPoint& offset);
  CMovieBitmap(const CRect& size, CControlListener* listener, long tag, long pictureCount, long pictureHeight,
               CBitmap* background, const CPoint& offset);
  ~CMovieBitmap() override;

  void draw(CDrawContext* context) override;
  bool isTypeOf(const char* name) const override;

 protected:
  CPoint offset;
  long pictureCount;
  long pictureHeight;
};

}  // namespace PLUGGUI
