// The text label: a fixed string drawn as a parameter display draws its
// value. Included by plugcontrols.h.
#pragma once

#include "pluggui/cparamdisplay.h"

namespace PLUGGUI {

class CTextLabel : public CParamDisplay {
 public:
  CTextLabel(const CRect& size, const char* text = nullptr, CBitmap* background = nullptr, long style = 0);
  ~CTextLabel() override;

  void draw(CDrawContext* context) override;
  bool isTypeOf(const char* name) const override;

  virtual void setText(const char* text);
  virtual const char* getText() const;

 protected:
  char* text;  // owned copy, or none
};

}  // namespace PLUGGUI
