// The movie button: a toggle that shows its new state while the mouse is
// held. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// The strip's first picture is off, the next one on. Let go inside the
// button, a press toggles it; let go outside, it stays as it was.
class CMovieButton : public CControl {
 public:
  CMovieButton(const CRect& size, CControlListener* listener, long tag, CBitmap* background, const CPoint& offset);
  CMovieButton(const CRect& size, CControlListener* listener, long tag, long pictureHeight, CBitmap* background,
               const CPoint& offset);
  ~CMovieButton() override;

  void draw(CDrawContext* context) override;
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  bool isTypeOf(const char* name) const override;

 protected:
  CPoint offset;
  long pictureHeight;
  float buttonState;  // the value last drawn or set by a click
};

}  // namespace PLUGGUI
