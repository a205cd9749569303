// The kick button: a momentary button that is 1 while held and falls back
// to 0. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// The picture at `offset` is the button at rest, the one a picture's
// height below it the button held.
class CKickButton : public CControl {
 public:
  CKickButton(const CRect& size, CControlListener* listener, long tag, CBitmap* background, const CPoint& offset);
  CKickButton(const CRect& size, CControlListener* listener, long tag, long pictureHeight, CBitmap* background,
              const CPoint& offset);
  ~CKickButton() override;

  void draw(CDrawContext* context) override;
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  bool isTypeOf(const char* name) const override;

 protected:
  CPoint offset;
  long pictureHeight;
};

}  // namespace PLUGGUI
