// Knobs: the angle mapping both ways, degenerate settings, the film strip's
// frames, and dragging with real input in both knob modes.
#include <cmath>

#include "gui_widgets/widgetframe.h"

namespace {

using namespace widgettest;

// Reaches what a knob keeps inside.
class OpenKnob : public CKnob {
 public:
  using CKnob::CKnob;
  float getRadius() const { return radius; }
  long getInset() const { return inset; }
};

class OpenAnimKnob : public CAnimKnob {
 public:
  using CAnimKnob::CAnimKnob;
  void invert() { invertFrames = true; }
};

TEST(KnobValues, PointsOfTheDefaultSweepBothWays) {
  OpenKnob knob(CRect(0, 0, 40, 40), nullptr, 0, nullptr, nullptr, CPoint(0, 0));
  EXPECT_EQ(knob.getRadius(), 20.0f);
  EXPECT_EQ(knob.getInset(), 3);
  EXPECT_EQ(knob.getOldValue(), 1.0f) << "a new knob counts as changed, drawn by the first update";
  const struct {
    float value;
    CPoint point;
  } toPoint[] = {{0.0f, CPoint(8, 32)}, {0.5f, CPoint(20, 3)}, {1.0f, CPoint(32, 32)}};
  for (const auto& c : toPoint) {
    knob.setValue(c.value);
    CPoint p;
    knob.valueToPoint(p);
    EXPECT_EQ(p, c.point) << c.value;
  }
  const struct {
    CPoint point;
    float value;
  } fromPoint[] = {{CPoint(20, 3), 0.5f},  {CPoint(37, 20), 0.8333f},
                   {CPoint(21, 39), 1.0f}, {CPoint(19, 39), 0.0f}};  // either side of the dead zone
  for (const auto& c : fromPoint) {
    CPoint p = c.point;
    EXPECT_NEAR(knob.valueFromPoint(p), c.value, 1e-4) << c.point.h << "," << c.point.v;
  }
}

TEST(KnobValues, EmptyRangeOrSweepGivesNumbersNotUndefinedPixels) {
  CKnob knob(CRect(0, 0, 40, 40), nullptr, 0, nullptr, nullptr, CPoint(0, 0));
  knob.setMin(0.5f);
  knob.setMax(0.5f);
  knob.setStartAngle(3.9269908f);  // recomputes for the empty range
  knob.setValue(0.5f);
  CPoint p;
  knob.valueToPoint(p);
  EXPECT_EQ(p, CPoint(8, 32)) << "the start of the sweep";
  knob.setMin(0.0f);
  knob.setMax(1.0f);
  knob.setRangeAngle(0.0f);
  CPoint top(20, 3);
  EXPECT_TRUE(std::isfinite(knob.valueFromPoint(top)));
  knob.valueToPoint(p);
  EXPECT_EQ(p, CPoint(8, 32));
}

TEST(KnobValues, HandleBitmapSetAgainSurvivesAndSetsTheInset) {
  SpyBitmap* handle = new SpyBitmap(12, 12);
  OpenKnob knob(CRect(0, 0, 40, 40), nullptr, 0, nullptr, handle, CPoint(0, 0));
  CPoint origin(0, 0);
  CSlider slider(CRect(0, 0, 100, 12), nullptr, 0, origin, 100, handle, nullptr, origin, kStyleHorizontal);
  handle->forget();  // the knob's and the slider's references are the last
  EXPECT_EQ(knob.getInset(), 8);
  knob.setHandleBitmap(handle);
  slider.setHandle(handle);
  slider.setHandle(handle);
  EXPECT_EQ(handle->getWidth(), 12) << "still alive";
  slider.setHandle(nullptr);
  knob.setInsetValue(5);
  knob.setHandleBitmap(nullptr);
  EXPECT_EQ(knob.getInset(), 5);
}

TEST(KnobValues, FilmStripFramesStayInsideTheStrip) {
  SpyBitmap* strip = new SpyBitmap(50, 31 * 50);
  CPoint origin(0, 0);
  OpenAnimKnob knob(CRect(0, 0, 50, 50), nullptr, 0, strip, origin);
  OpenAnimKnob inverted(CRect(0, 0, 50, 50), nullptr, 0, 31, 50, strip, origin);
  inverted.invert();
  strip->forget();
  CDrawContext context(nullptr, nullptr, nullptr);
  const struct {
    float value;
    long offset, invertedOffset;
  } cases[] = {{0.5f, 750, 750}, {0.51f, 750, 700}, {1.0f, 1500, 0}, {0.0f, 0, 1500}, {1.5f, 1500, 0}, {-0.5f, 0, 1500}};
  for (const auto& c : cases) {
    knob.setValue(c.value);
    knob.draw(&context);
    EXPECT_EQ(strip->drawnFrom.v, c.offset) << c.value;
    inverted.setValue(c.value);
    inverted.draw(&context);
    EXPECT_EQ(strip->drawnFrom.v, c.invertedOffset) << "inverted " << c.value;
  }
  // Frames of no height, or no strip at all: drawn at the top, no endless
  // search for a frame, no division by zero.
  OpenAnimKnob flat(CRect(0, 0, 50, 0), nullptr, 0, strip, origin);
  flat.setValue(0.7f);
  flat.draw(&context);
  EXPECT_EQ(strip->drawnFrom.v, 0);
  OpenAnimKnob bare(CRect(0, 0, 50, 50), nullptr, 0, nullptr, origin);
  bare.draw(&context);
}

TEST(KnobValues, FilmStripRedrawsOnlyWhenTheHandlePointMoves) {
  SpyBitmap* strip = new SpyBitmap(50, 31 * 50);
  CPoint origin(0, 0);
  CAnimKnob knob(CRect(0, 0, 50, 50), nullptr, 0, strip, origin);
  strip->forget();
  CDrawContext context(nullptr, nullptr, nullptr);
  knob.setValue(0.5f);
  knob.draw(&context);
  knob.setValue(0.5001f);
  EXPECT_FALSE(knob.isDirty());
  EXPECT_TRUE(knob.CControl::isDirty()) << "which is what reports the change to a listener";
  knob.setValue(0.6f);
  EXPECT_TRUE(knob.isDirty());
}

class Knobs : public WidgetFrame {
 protected:
  // A 40-pixel knob at (20, 120) of the frame.
  CKnob* add(float value) {
    CKnob* knob = new CKnob(CRect(20, 120, 60, 160), &listener, 4, nullptr, nullptr, CPoint(0, 0));
    knob->setValue(value);
    frame->addView(knob);
    return knob;
  }
};

TEST_F(Knobs, LinearDragsByModeAltAndShift) {
  const struct {
    int mode;
    WORD modifier;
    float zoom, expected;
  } cases[] = {{2, 0, 1.5f, 0.7f},
               {2, VK_SHIFT, 1.5f, 0.5333f},
               {2, VK_SHIFT, 0.0f, 0.7f},  // no zoom: the plain span, not an infinite step
               {0, VK_MENU, 1.5f, 0.7f},
               {1, VK_MENU, 1.5f, 0.7f}};
  for (const auto& c : cases) {
    editor->setKnobMode(c.mode);
    CKnob* knob = add(0.2f);
    knob->setZoomFactor(c.zoom);
    // 100 pixels up: 60 up and 40 to the right.
    drag({40, 140}, {moveTo(40, 110), moveTo(60, 90), moveTo(80, 80)}, c.modifier);
    EXPECT_NEAR(knob->getValue(), c.expected, 2e-3) << "mode " << c.mode << " modifier " << c.modifier;
    frame->removeView(knob);
  }
  EXPECT_EQ(count(audioMasterBeginEdit), 5u);
  EXPECT_EQ(count(audioMasterEndEdit), 5u);
}

TEST_F(Knobs, CircularDragPinsAtTheBoundItCrossedFrom) {
  CKnob* knob = add(0.0f);
  // From the right (0.8333) down into the dead zone and across it to the
  // left, then up to the top.
  drag({57, 140}, {moveTo(50, 156), moveTo(30, 156), moveTo(23, 140), moveTo(40, 123)});
  ASSERT_GE(listener.values.size(), 4u);
  EXPECT_NEAR(listener.values.front(), 0.8333f, 1e-3);
  for (size_t i = 1; i + 1 < listener.values.size(); ++i) EXPECT_EQ(listener.values[i], 1.0f) << i;
  EXPECT_NEAR(knob->getValue(), 0.5f, 0.02f);
}

}  // namespace
