// Sliders: a track bitmap with a handle bitmap that moves along one axis in
// proportion to the value. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"
#include "pluggui/coffscreencontext.h"

namespace PLUGGUI {

/// Style bits of the sliders. Drawing puts value 0 at the start of the axis with kStyleLeft
/// or kStyleTop, the mouse puts it at the end with kStyleRight or
/// kStyleBottom: a consistent slider has exactly one end bit.
enum {
  kStyleHorizontal = 1,  ///< the handle moves along x; without this bit, along y
  kStyleVertical = 2,    ///< the handle moves along y, as it does without kStyleHorizontal
  kStyleLeft = 8,        ///< value 0 at the start of the axis (left or top)
  kStyleRight = 16,      ///< value 0 at the end of the axis (right or bottom)
  kStyleTop = 32,        ///< value 0 at the start of the axis, as kStyleLeft
  kStyleBottom = 64      ///< value 0 at the end of the axis, as kStyleRight
};

/// A slider: a track bitmap (the background) with a handle bitmap that moves along one axis in
/// proportion to the value. It wants the focus, for the arrow keys.
class CSlider : public CControl {
 public:
  /// Range form: the handle's track starts at handleStart and spans
  /// handleRange pixels, handle included. `handleStart` is relative to the control's top left
  /// corner; the slider holds a reference to `handle` and to `background`, whose point
  /// `bitmapOffset` it draws at that corner; `style` combines the style bits.
  CSlider(const CRect& size, CControlListener* listener, long tag, CPoint& handleStart, long handleRange,
          CBitmap* handle, CBitmap* background, CPoint& bitmapOffset, long style);
  /// Position form: the handle's leading edge travels from startPos to
  /// endPos, in the coordinates of size. The other arguments are the range form's.
  CSlider(const CRect& size, CControlListener* listener, long tag, long startPos, long endPos, CBitmap* handle,
          CBitmap* background, CPoint& bitmapOffset, long style);
  ~CSlider() override;

  /// Draws the background and the handle at the value, through the private surface while
  /// attached; only the part the context's clip lets through is drawn.
  void draw(CDrawContext* context) override;
  /// Follows a drag with the left button until it is let go, inside one edit. The handle's
  /// middle jumps to the click, or with free click off the drag must start on the handle and
  /// moves it by the distance dragged; Shift slows it down by the zoom factor. A click with a
  /// modifier is offered to the listener first, and one with Ctrl sets the default value.
  void mouse(CDrawContext* context, CPoint& where, long button = -1) override;
  /// The arrow keys step the value by the wheel increment (a tenth of it with Shift): left and
  /// down lower it, up and right raise it. 1 for a key taken, -1 for any other.
  long onKeyDown(PlugKeyCode& keyCode) override;
  /// Steps the value by the wheel increment per notch (a tenth of it with Shift) within the
  /// bounds, and tells a change inside an edit of its own; false while the mouse is disabled.
  bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
  using CControl::onWheel;
  /// Lets go of the private surface as the slider leaves its container.
  bool removed(CView* parent) override;
  /// Makes the private surface, of the control's size, as the slider joins a container.
  bool attached(CView* parent) override;
  /// True for "CSlider" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

  /// Draws the handle colour-keyed (true, the default) or opaque.
  virtual void setDrawTransparentHandle(bool val);
  /// With free click on (the default), a click anywhere on the track moves the handle there;
  /// off, only a drag that starts on the handle moves it.
  virtual void setFreeClick(bool val);
  /// Whether a click anywhere on the track moves the handle there.
  virtual bool getFreeClick() const;
  /// Moves the start of the handle's track, relative to the control's top left corner; its
  /// length stays.
  virtual void setOffsetHandle(CPoint& val);
  /// Holds a reference to the new handle picture and lets go of the old one; the new one's size
  /// becomes the handle's. The track's length stays; null draws no handle.
  virtual void setHandle(CBitmap* handle);
  /// The handle picture, without a reference for the caller; null for none.
  virtual CBitmap* getHandle() const;
  /// Sets how many times slower a drag moves the value while Shift is held; 10 unless set.
  virtual void setZoomFactor(float val);
  /// How many times slower a drag moves the value while Shift is held.
  virtual float getZoomFactor() const;

 protected:
  /// The point of the background drawn at the control's top left corner.
  CPoint backgroundOffset;
  /// The start of the handle's track, relative to the control's top left corner.
  CPoint handleOffset;
  CBitmap* handle;  ///< the handle's picture; one reference held
  COffscreenContext* offscreen;  ///< owned; exists while attached
  /// The style bits.
  long style;
  /// The handle picture's width in pixels (1 without a picture).
  long handleWidth;
  /// The handle picture's height in pixels (1 without a picture).
  long handleHeight;
  /// Pixels the handle moves between the ends of the value's range.
  long travel;
  /// The handle's leading edge stops here, relative to the control.
  long handleMin;
  /// The handle's trailing edge stops here, relative to the control.
  long handleMax;
  /// The position form's start relative to the control's edge along the axis; 0 in the range
  /// form.
  long positionShift;
  /// The control's width when made: that of the private surface.
  long controlWidth;
  /// The control's height when made: that of the private surface.
  long controlHeight;
  /// How many times slower a drag moves the value while Shift is held.
  float zoomFactor;
  /// Whether the handle is drawn colour-keyed.
  bool drawTransparentHandle;
  /// Whether a click anywhere on the track moves the handle there.
  bool freeClick;
};

/// A slider whose handle moves along x: kStyleHorizontal is added to the style it is given.
class CHorizontalSlider : public CSlider {
 public:
  /// The range form of CSlider's constructor.
  CHorizontalSlider(const CRect& size, CControlListener* listener, long tag, CPoint& handleStart,
                    long handleRange, CBitmap* handle, CBitmap* background, CPoint& bitmapOffset,
                    long style);
  /// The position form of CSlider's constructor.
  CHorizontalSlider(const CRect& size, CControlListener* listener, long tag, long startPos, long endPos,
                    CBitmap* handle, CBitmap* background, CPoint& bitmapOffset, long style);
  ~CHorizontalSlider() override;
};

/// A slider whose handle moves along y: kStyleVertical is added to the style it is given.
class CVerticalSlider : public CSlider {
 public:
  /// The range form of CSlider's constructor.
  CVerticalSlider(const CRect& size, CControlListener* listener, long tag, CPoint& handleStart,
                  long handleRange, CBitmap* handle, CBitmap* background, CPoint& bitmapOffset,
                  long style);
  /// The position form of CSlider's constructor.
  CVerticalSlider(const CRect& size, CControlListener* listener, long tag, long startPos, long endPos,
                  CBitmap* handle, CBitmap* background, CPoint& bitmapOffset, long style);
  ~CVerticalSlider() override;
};

}  // namespace PLUGGUI
