// The text label's own copy of its string.
#include "pluggui/ctextlabel.h"

#include <cstring>

namespace PLUGGUI {

CTextLabel::CTextLabel(const CRect& size, const char* text, CBitmap* background, long style)
    : CParamDisplay(size, background, style), text(nullptr) {
  setText(text);
}

CTextLabel::~CTextLabel() { delete[] text; }

// The new copy is made before the old one goes: the text given may be the
// label's own.
void CTextLabel::setText(const char* newText) {
  char* copy = nullptr;
  if (newText) {
    const std::size_t length = std::strlen(newText);
    copy = new char[length + 1];
    std::memcpy(copy, newText, length + 1);
  }
  delete[] text;
  text = copy;
}

const char* CTextLabel::getText() const { return text; }

bool CTextLabel::isTypeOf(const char* name) const {
  return std::strcmp(name, "CTextLabel") == 0 || CParamDisplay::isTypeOf(name);
}

void CTextLabel::draw(CDrawContext* context) {
  drawText(context, text, nullptr);
  setDirty(false);
}

}  // namespace PLUGGUI
