// The parameter display: a control's value shown as text over a background
// picture or a filled rectangle. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// Style bits of the text controls.
enum {
  kStyleShadowText = 4,  // a copy of the text at (1, 1) in the shadow colour, under it
  kStyle3DIn = 128,      // sunken border
  kStyle3DOut = 256,     // raised border
  kStyleNoText = 2048,
  kStyleNoDraw = 4096,   // nothing drawn at all; the control starts clean
  kStyleDoubleClick = 8192,  // a text edit opens its field on a double click only
  kStyleNoFrame = 16384      // no plain frame around the filled background
};

// The conversions write at most 255 characters and a terminator into the
// 256 they are given.
typedef void (*ParamToText)(float value, char* text);
typedef void (*ParamToTextWithData)(float value, char* text, void* data);
typedef void (*TextToParam)(char* text, float& value);

class CParamDisplay : public CControl {
 public:
  CParamDisplay(const CRect& size, CBitmap* background = nullptr, long style = 0);
  ~CParamDisplay() override;

  void draw(CDrawContext* context) override;
  bool isTypeOf(const char* name) const override;

  virtual void setFont(CFont fontID);
  virtual void setFontColor(CColor color);
  virtual void setBackColor(CColor color);
  virtual void setFrameColor(CColor color);
  virtual void setShadowColor(CColor color);
  virtual void setHoriAlign(CHoriTxtAlign hAlign);
  virtual void setStringConvert(ParamToText convert);
  virtual void setStringConvert(ParamToTextWithData convert, void* data);
  virtual void setString2FloatConvert(TextToParam convert);
  virtual void setStyle(long val);
  virtual void setTxtFace(CTxtFace val);
  virtual void setTextTransparency(bool val);

  CColor getFontColor() const;
  CColor getBackColor() const;
  void drawText(CDrawContext* context, char* string, CBitmap* newBack = nullptr);

 protected:
  ParamToText stringConvert;
  ParamToTextWithData stringConvertWithData;
  TextToParam string2FloatConvert;
  void* userData;
  CHoriTxtAlign horiAlign;
  long style;
  CFont fontId;
  CTxtFace txtFace;
  CColor fontColor;
  CColor backColor;
  CColor frameColor;
  CColor shadowColor;
  bool textTransparency;
};

}  // namespace PLUGGUI
