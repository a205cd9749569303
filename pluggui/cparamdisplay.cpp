// The parameter display: conversions, the look's settings and the drawing
// shared by every text control.
#include "pluggui/cparamdisplay.h"

#include <cstdio>
#include <cstring>

#include "pluggui/controlsupport.h"
#include "pluggui/textbuffer.h"

namespace PLUGGUI {

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, long style)
    : CControl(size, nullptr, 0, background),
      stringConvert(nullptr),
      stringConvertWithData(nullptr),
      string2FloatConvert(nullptr),
      userData(nullptr),
      horiAlign(kAlignCenter),
      style(style),
      fontId(kFontNormal),
      txtFace(kNormalFace),
      fontColor(kWhiteCColor),
      backColor(kBlackCColor),
      frameColor(kBlackCColor),
      shadowColor(kRedCColor),
      textTransparency(true) {
  backOffset(0, 0);
  if (style & kStyleNoDraw) setDirty(false);
}

CParamDisplay::~CParamDisplay() {}

bool CParamDisplay::isTypeOf(const char* name) const {
  return std::strcmp(name, "CParamDisplay") == 0 || CControl::isTypeOf(name);
}

namespace {

template <typename T>
void storeMarking(CParamDisplay* display, T& field, const T& value) {
  if (field != value) display->setDirty(true);
  field = value;
}

}  // namespace

void CParamDisplay::setFont(CFont fontID) { storeMarking(this, fontId, fontID); }
void CParamDisplay::setFontColor(CColor color) { storeMarking(this, fontColor, color); }
void CParamDisplay::setBackColor(CColor color) { storeMarking(this, backColor, color); }
void CParamDisplay::setFrameColor(CColor color) { storeMarking(this, frameColor, color); }
void CParamDisplay::setShadowColor(CColor color) { storeMarking(this, shadowColor, color); }
void CParamDisplay::setHoriAlign(CHoriTxtAlign hAlign) { storeMarking(this, horiAlign, hAlign); }
void CParamDisplay::setStyle(long val) { storeMarking(this, style, val); }
void CParamDisplay::setTxtFace(CTxtFace val) { storeMarking(this, txtFace, val); }
void CParamDisplay::setTextTransparency(bool val) { textTransparency = val; }
void CParamDisplay::setStringConvert(ParamToText convert) { stringConvert = convert; }

void CParamDisplay::setStringConvert(ParamToTextWithData convert, void* data) {
  stringConvertWithData = convert;
  userData = data;
}

void CParamDisplay::setString2FloatConvert(TextToParam convert) { string2FloatConvert = convert; }
CColor CParamDisplay::getFontColor() const { return fontColor; }
CColor CParamDisplay::getBackColor() const { return backColor; }

void CParamDisplay::draw(CDrawContext* context) {
  char text[kTextBufferSize] = {};
  if (stringConvertWithData)
    stringConvertWithData(value, text, userData);
  else if (stringConvert)
    stringConvert(value, text);
  else
    std::snprintf(text, sizeof text, "%2.2f", static_cast<double>(value));
  text[kTextBufferSize - 1] = 0;
  drawText(context, text, nullptr);
}

// The background fills the whole rectangle, its edges included, so that no
// row of whatever lies behind shows through where no frame is drawn.
void CParamDisplay::drawText(CDrawContext* context, char* string, CBitmap* newBack) {
  setDirty(false);
  if ((style & kStyleNoDraw) || !context) return;

  if (CBitmap* picture = newBack ? newBack : background) {
    drawPicture(*this, picture, context, viewSize, backOffset);
  } else if (!getTransparency()) {
    context->setFillColor(backColor);
    context->drawRect(viewSize, kFillOnly);
    if (!(style & (kStyle3DIn | kStyle3DOut | kStyleNoFrame))) {
      context->setFrameColor(frameColor);
      context->drawRect(viewSize, kStrokeOnly);
    }
  }

  if (style & (kStyle3DIn | kStyle3DOut)) {
    const long l = viewSize.left, t = viewSize.top, r = viewSize.right, b = viewSize.bottom;
    const bool sunken = (style & kStyle3DIn) != 0;
    context->setFrameColor(sunken ? backColor : frameColor);
    context->moveTo(CPoint(l, b));
    context->lineTo(CPoint(l, t));
    context->lineTo(CPoint(r + 1, t));
    context->setFrameColor(sunken ? frameColor : backColor);
    context->moveTo(CPoint(r, t + 1));
    context->lineTo(CPoint(r, b));
    context->lineTo(CPoint(l, b));
  }

  if ((style & kStyleNoText) || !string) return;
  CRect savedClip;
  context->getClipRect(savedClip);
  CRect clip(viewSize);
  clip.bound(savedClip);
  context->setClipRect(clip);
  context->setFont(fontId, 0, txtFace);
  const short opaque = textTransparency ? 0 : 1;
  if (style & kStyleShadowText) {
    CRect shadow(viewSize);
    shadow.offset(1, 1);
    context->setFontColor(shadowColor);
    context->drawString(string, shadow, opaque, horiAlign);
  }
  context->setFontColor(fontColor);
  context->drawString(string, viewSize, opaque, horiAlign);
  context->setClipRect(savedClip);
}

}  // namespace PLUGGUI
