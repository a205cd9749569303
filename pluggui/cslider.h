// Sliders: a track bitmap with a handle bitmap that moves along one axis in
// proportion to the value. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

// Style bits. Drawing puts value 0 at the start of the axis with kStyleLeft
// or kStyleTop, the mouse puts it at the end with kStyleRight or
// kStyleBottom: a consistent slider has exactly one end bit.
enum {
  kStyleHorizontal = 1,
  kStyleVertical = 2,
  kStyleLeft = 8,
  kStyleRight = 16,
  kStyleTop = 32,
  kStyleBottom = 64
};

class CSlider : public CControl {
 public:
  // Range form: the handle's track starts at handleStart and spans
  // handleRange pixels, handle included.
  CSlider(const CRect& size, CControlListener* listener, long tag, CPoint& handleStart, long handleRange,
          CBitmap* handle, CBitmap* background, CPoint& bitmapOffset, long style);
  // Position form: the handle's leading edge travels from startPos to
  // endPos, in the coordinates of size.
  CSlider(const CRect& size, CControlListener* listener, long tag, long startPos, long endPos, CBitmap* handle,
          CBitmap* background, CPoint& bitmapOffset, long style);
  ~CSlider() override;

  void draw(CDrawContext* context) override;
  void mouse(CDrawContext* context, CPoint& where, long button = -1) override;
  long onKeyDown(PlugKeyCode& keyCode) override;
  bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
  using CControl::onWheel;
  bool removed(CView* parent) override;
  bool attached(CView* parent) override;
  bool isTypeOf(const char* name) const override;

  virtual void setDrawTransparentHandle(bool val);
  virtual void setFreeClick(bool val);
  virtual bool getFreeClick() const;
  virtual void setOffsetHandle(CPoint& val);
  virtual void setHandle(CBitmap* handle);
  virtual CBitmap* getHandle() const;
  virtual void setZoomFactor(float val);
  virtual float getZoomFactor() const;

 protected:
  CPoint backgroundOffset;
  CPoint handleOffset;
  CBitmap* handle;  // one reference held
  COffscreenContext* offscreen;  // owned; exists while attached
  long style;
  long handleWidth;
  long handleHeight;
  long travel;
  long handleMin;
  long handleMax;
  long positionShift;
  long controlWidth;
  long controlHeight;
  float zoomFactor;
  bool drawTransparentHandle;
  bool freeClick;
};

class CHorizontalSlider : public CSlider {
 public:
  CHorizontalSlider(const CRect& size, CControlListener* listener, long tag, CPoint& handleStart,
                    long handleRange, CBitmap* handle, CBitmap* background, CPoint& bitmapOffset,
                    long style);
  CHorizontalSlider(const CRect& size, CControlListener* listener, long tag, long startPos, long endPos,
                    CBitmap* handle, CBitmap* background, CPoint& bitmapOffset, long style);
  ~CHorizontalSlider() override;
};

class CVerticalSlider : public CSlider {
 public:
  CVerticalSlider(const CRect& size, CControlListener* listener, long tag, CPoint& handleStart,
                  long handleRange, CBitmap* handle, CBitmap* background, CPoint& bitmapOffset,
                  long style);
  CVerticalSlider(const CRect& size, CControlListener* listener, long tag, long startPos, long endPos,
                  CBitmap* handle, CBitmap* background, CPoint& bitmapOffset, long style);
  ~CVerticalSlider() override;
};

}  // namespace PLUGGUI
