// Knobs: a value shown as an angle, by a handle over a background picture
// or by one frame of a film strip. Included by plugcontrols.h.
#pragma once

#include "pluggui/ccontrol.h"

namespace PLUGGUI {

/// A knob: the value shown as the angle of a handle, a drawn line or a picture, over the
/// background, and set by dragging round the knob or along a line. It wants the focus, for the
/// arrow keys.
///
/// Angles are in radians, counter-clockwise from the positive x axis with y
/// pointing up. The default sweep runs clockwise from the lower left (225°)
/// over the top to the lower right, leaving a dead zone at the bottom.
class CKnob : public CControl {
 public:
  /// The knob holds a reference to `background`, drawn over the control's rectangle from its
  /// point `offset`, and to `handle`, the handle's picture (null for a drawn line). The knob's
  /// radius is half the control's width.
  CKnob(const CRect& size, CControlListener* listener, long tag, CBitmap* background, CBitmap* handle,
        const CPoint& offset);
  ~CKnob() override;

  /// Draws the background, then the handle (drawHandle).
  void draw(CDrawContext* context) override;
  /// Follows a drag with the left button until it is let go, inside one edit. By default the
  /// value follows the mouse's angle round the centre, and a jump across the dead zone stops
  /// at the bound it came from. In the host's linear knob mode, or with Alt in the others, the
  /// drag is linear: 200 pixels up or to the right cover the range, 200 times the zoom factor
  /// while Shift is held. A click with a modifier is offered to the listener first, and one
  /// with Ctrl sets the default value.
  void mouse(CDrawContext* context, CPoint& where, long button = -1) override;
  /// The arrow keys step the value by the wheel increment (a tenth of it with Shift): left and
  /// down lower it, up and right raise it. 1 for a key taken, -1 for any other.
  long onKeyDown(PlugKeyCode& keyCode) override;
  /// Steps the value by the wheel increment per notch (a tenth of it with Shift) within the
  /// bounds, and tells a change inside an edit of its own; false while the mouse is disabled.
  bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
  using CControl::onWheel;
  /// True for "CKnob" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

  /// Draws the handle at the value's angle: the handle picture centred on the tip,
  /// colour-keyed, or else a line from the centre to the tip in the handle colour, over one in
  /// the shadow colour a pixel lower and to the left.
  virtual void drawHandle(CDrawContext* context);
  /// Sets the angle of the lower bound and recomputes the mapping.
  virtual void setStartAngle(float val);
  /// The angle of the lower bound, in radians.
  virtual float getStartAngle() const;
  /// Sets the sweep from the lower bound to the upper one, negative for clockwise, and
  /// recomputes the mapping.
  virtual void setRangeAngle(float val);
  /// The sweep from the lower bound to the upper one, in radians; negative runs clockwise.
  virtual float getRangeAngle() const;
  /// Puts into `point` the handle's tip for the current value, in the control's own coordinates
  /// (0, 0 at its top left corner), the inset in from the rim.
  virtual void valueToPoint(CPoint& point) const;
  /// The value for a point in the control's own coordinates, by its angle round the centre; a
  /// point in the dead zone gives the nearer bound.
  virtual float valueFromPoint(CPoint& point) const;
  /// Sets the pixels between the rim and the handle's tip: 3 unless set, or what a handle
  /// picture's width asks for.
  virtual void setInsetValue(long val);
  /// Sets the colour of the drawn handle's shadow and marks the knob dirty.
  virtual void setColorShadowHandle(CColor color);
  /// Sets the colour of the drawn handle and marks the knob dirty.
  virtual void setColorHandle(CColor color);
  /// Holds a reference to the new handle picture and lets go of the old one; the inset follows
  /// the new one's width. Null draws the handle as a line.
  virtual void setHandleBitmap(CBitmap* bitmap);
  /// Sets how many times more pixels a linear drag covers the range with while Shift is held;
  /// 1.5 unless set. A factor that is not above 0 leaves the plain 200 pixels.
  virtual void setZoomFactor(float val);
  /// How many times more pixels a linear drag covers the range with while Shift is held.
  virtual float getZoomFactor() const;

  /// Recomputes the mapping between values and angles from the bounds and the angles, and
  /// marks the knob dirty.
  ///
  /// setMin and setMax leave the angle coefficients as they were: a caller
  /// that changes the bounds sets an angle again (or calls compute), so that
  /// setting both bounds costs one computation and the mapping never passes
  /// through a half-updated state between the two.
  void compute();

 protected:
  /// The point of the background drawn at the control's top left corner.
  CPoint backgroundOffset;
  /// The drawn handle's colour.
  CColor handleColor;
  /// The drawn handle's shadow colour.
  CColor shadowColor;
  CBitmap* handleBitmap;  ///< the handle's picture, or none for a line; one reference held
  /// Pixels between the rim and the handle's tip.
  long inset;
  /// The angle of the lower bound, in radians.
  float startAngle;
  /// The sweep from the lower bound to the upper one, in radians; negative runs clockwise.
  float rangeAngle;
  /// Half the dead zone, in radians.
  float halfAngle;
  /// Value per radian of the sweep.
  float angleScale;
  /// The value the mapping gives angle 0.
  float angleOffset;
  /// Half the control's width when made, in pixels.
  float radius;
  /// How many times more pixels a linear drag with Shift covers the range with.
  float zoomFactor;
};

/// A knob that shows its value as a picture of a film strip, not by a handle.
///
/// Shows one frame of a vertical film strip (the background) per value
/// instead of a handle. Frame 0, at the top of the strip, shows the lower end of 0..1, the
/// last frame the upper end; the mouse, the wheel and the keys work as the knob's.
class CAnimKnob : public CKnob {
 public:
  /// The frames are as high as the control, and as many as fit into the background.
  CAnimKnob(const CRect& size, CControlListener* listener, long tag, CBitmap* background, CPoint& offset);
  /// `frameCount` frames of `frameHeight` pixels each.
  CAnimKnob(const CRect& size, CControlListener* listener, long tag, long frameCount, long frameHeight,
            CBitmap* background, CPoint& offset);
  ~CAnimKnob() override;

  /// Draws the frame of the value, taken in equal steps and rounded down; a value outside 0..1
  /// shows the first or the last frame.
  void draw(CDrawContext* context) override;
  /// True when the knob is marked, or when the value has moved its handle's tip since the last
  /// draw: a change too small to do that needs no new frame, though it is still told.
  bool isDirty() const override;
  /// True for "CAnimKnob" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

 protected:
  /// The number of frames in the strip.
  long frameCount;
  /// A frame's height in pixels.
  long frameHeight;
  /// Whether the strip runs backwards, its last frame showing the lower end; false, and set
  /// only by a derived class.
  bool invertFrames;
  /// The handle's tip for the value last drawn, by which isDirty judges a change.
  CPoint lastDrawnPoint;
};

}  // namespace PLUGGUI
