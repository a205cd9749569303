// The parameter display: a control's value shown as text over a background
// picture or a filled rectangle. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

/// Style bits of the text controls.
enum {
  kStyleShadowText = 4,  ///< a copy of the text at (1, 1) in the shadow colour, under it
  kStyle3DIn = 128,      ///< sunken border
  kStyle3DOut = 256,     ///< raised border
  kStyleNoText = 2048,  ///< the background and the border only, no text
  kStyleNoDraw = 4096,   ///< nothing drawn at all; the control starts clean
  kStyleDoubleClick = 8192,  ///< a text edit opens its field on a double click only
  kStyleNoFrame = 16384      ///< no plain frame around the filled background
};

// The conversions write at most 255 characters and a terminator into the
// 256 they are given.
/// Writes the text that shows `value` into `text`.
typedef void (*ParamToText)(float value, char* text);
/// Writes the text that shows `value` into `text`; `data` is the one given with the conversion.
typedef void (*ParamToTextWithData)(float value, char* text, void* data);
/// Reads a value from a text into `value`.
typedef void (*TextToParam)(char* text, float& value);

/// Shows a value as text, over the background picture or a rectangle filled with the back
/// colour; the base of the other text controls. It takes no input: it has no listener and tag
/// of its own, and its owner sets its value.
class CParamDisplay : public CControl {
 public:
  /// `size` is the display's rectangle in its parent's coordinates; the display holds a
  /// reference to `background` (null to fill with the back colour); `style` combines the style
  /// bits of the text controls. The text is white on black, centred, in the normal font.
  CParamDisplay(const CRect& size, CBitmap* background = nullptr, long style = 0);
  ~CParamDisplay() override;

  /// Draws the value's text (drawText): by the conversion with data if one is set, else by the
  /// plain one, else with two decimals.
  void draw(CDrawContext* context) override;
  /// True for "CParamDisplay" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

  /// Sets the text's font; a change marks the display dirty.
  virtual void setFont(CFont fontID);
  /// Sets the text's colour; a change marks the display dirty.
  virtual void setFontColor(CColor color);
  /// Sets the colour that fills a display without a background picture, and of the top and
  /// left edges of a sunken border (the bottom and right of a raised one); a change marks the
  /// display dirty.
  virtual void setBackColor(CColor color);
  /// Sets the colour of the plain frame and of a 3D border's other two edges; a change marks
  /// the display dirty.
  virtual void setFrameColor(CColor color);
  /// Sets the colour of the shadow text (kStyleShadowText); a change marks the display dirty.
  virtual void setShadowColor(CColor color);
  /// Sets the text's alignment within the rectangle; a change marks the display dirty.
  virtual void setHoriAlign(CHoriTxtAlign hAlign);
  /// Sets the conversion of the value to its text; null for none. A conversion with data, if
  /// one is set, comes first.
  virtual void setStringConvert(ParamToText convert);
  /// Sets a conversion that is given `data` with each call and comes before the plain one; null
  /// for none. `data` is the display's one user data, which a text edit's conversion shares.
  virtual void setStringConvert(ParamToTextWithData convert, void* data);
  /// Keeps a conversion of text to a value for a derived class; no control of the toolkit
  /// calls it.
  virtual void setString2FloatConvert(TextToParam convert);
  /// Replaces the style bits; a change marks the display dirty.
  virtual void setStyle(long val);
  /// Sets the text's face (bold, italic, underlined); a change marks the display dirty.
  virtual void setTxtFace(CTxtFace val);
  /// Draws the text without (true, the default) or with a box of the back colour behind it.
  /// Shown from the next draw: the display is not marked dirty.
  virtual void setTextTransparency(bool val);

  /// The text's colour.
  CColor getFontColor() const;
  /// The colour that fills a display without a background picture.
  CColor getBackColor() const;
  /// Draws `string` the display's way and marks it clean: `newBack` (or else the background,
  /// or else, unless the view is transparent, a filled and framed rectangle), the 3D border,
  /// then the shadow and the text, clipped to the control. A null string draws no text;
  /// kStyleNoDraw, nothing at all.
  void drawText(CDrawContext* context, char* string, CBitmap* newBack = nullptr);

 protected:
  /// The plain conversion of the value to its text, or none.
  ParamToText stringConvert;
  /// The conversion with data of the value to its text, or none.
  ParamToTextWithData stringConvertWithData;
  /// The conversion of text to a value kept for a derived class, or none.
  TextToParam string2FloatConvert;
  /// The data given to the conversions with data.
  void* userData;
  /// The text's alignment within the rectangle.
  CHoriTxtAlign horiAlign;
  /// The style bits.
  long style;
  /// The text's font.
  CFont fontId;
  /// The text's face.
  CTxtFace txtFace;
  /// The text's colour.
  CColor fontColor;
  /// The fill colour, and that of two edges of a 3D border.
  CColor backColor;
  /// The plain frame's colour, and that of a 3D border's other two edges.
  CColor frameColor;
  /// The shadow text's colour.
  CColor shadowColor;
  /// Whether the text is drawn without a box of the back colour behind it.
  bool textTransparency;
};

}  // namespace PLUGGUI
