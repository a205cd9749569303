// Knobs: a value shown as an angle, by a handle over a background picture
// or by one frame of a film strip. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// Angles are in radians, counter-clockwise from the positive x axis with y
// pointing up. The default sweep runs clockwise from the lower left (225°)
// over the top to the lower right, leaving a dead zone at the bottom.
class CKnob : public CControl {
 public:
  CKnob(const CRect& size, CControlListener* listener, long tag, CBitmap* background, CBitmap* handle,
        const CPoint& offset);
  ~CKnob() override;

  void draw(CDrawContext* context) override;
  void mouse(CDrawContext* context, CPoint& where, long button = -1) override;
  long onKeyDown(PlugKeyCode& keyCode) override;
  bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
  using CControl::onWheel;
  bool isTypeOf(const char* name) const override;

  virtual void drawHandle(CDrawContext* context);
  virtual void setStartAngle(float val);
  virtual float getStartAngle() const;
  virtual void setRangeAngle(float val);
  virtual float getRangeAngle() const;
  virtual void valueToPoint(CPoint& point) const;
  virtual float valueFromPoint(CPoint& point) const;
  virtual void setInsetValue(long val);
  virtual void setColorShadowHandle(CColor color);
  virtual void setColorHandle(CColor color);
  virtual void setHandleBitmap(CBitmap* bitmap);
  virtual void setZoomFactor(float val);
  virtual float getZoomFactor() const;

  // setMin and setMax leave the angle coefficients as they were: a caller
  // that changes the bounds sets an angle again (or calls compute), so that
  // setting both bounds costs one computation and the mapping never passes
  // through a half-updated state between the two.
  void compute();

 protected:
  CPoint backgroundOffset;
  CColor handleColor;
  CColor shadowColor;
  CBitmap* handleBitmap;  // one reference held
  long inset;
  float startAngle;
  float rangeAngle;
  float halfAngle;
  float angleScale;
  float angleOffset;
  float radius;
  float zoomFactor;
};

// Shows one frame of a vertical film strip (the background) per value
// instead of a handle.
class CAnimKnob : public CKnob {
 public:
  CAnimKnob(const CRect& size, CControlListener* listener, long tag, CBitmap* background, CPoint& offset);
  CAnimKnob(const CRect& size, CControlListener* listener, long tag, long frameCount, long frameHeight,
            CBitmap* background, CPoint& offset);
  ~CAnimKnob() override;

  void draw(CDrawContext* context) override;
  bool isDirty() const override;
  bool isTypeOf(const char* name) const override;

 protected:
  long frameCount;
  long frameHeight;
  bool invertFrames;
  CPoint lastDrawnPoint;
};

}  // namespace PLUGGUI
