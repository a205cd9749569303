// The text label: a fixed string drawn as a parameter display draws its
// value. Included by plugcontrols.h.
#pragma once

#include "pluggui/cparamdisplay.h"

namespace PLUGGUI {

/// A parameter display that shows a fixed text of its own instead of its value.
class CTextLabel : public CParamDisplay {
 public:
  /// The label keeps a copy of `text` (null for none); the other arguments are the parameter
  /// display's.
  CTextLabel(const CRect& size, const char* text = nullptr, CBitmap* background = nullptr, long style = 0);
  ~CTextLabel() override;

  /// Draws the text as the parameter display draws its value's (drawText).
  void draw(CDrawContext* context) override;
  /// True for "CTextLabel" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

  /// Replaces the text with a copy of `text` (null for none), which may be the label's own.
  /// The label is not marked dirty: the caller does that to show the new text.
  virtual void setText(const char* text);
  /// The label's own copy of its text, valid until the next setText; null for none.
  virtual const char* getText() const;

 protected:
  char* text;  ///< owned copy, or none
};

}  // namespace PLUGGUI
