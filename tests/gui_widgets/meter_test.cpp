// The level meter: segments from the two pictures, the falling peak, and
// settings that would read outside the pictures.
#include <vector>

#include "gui_widgets/widgetframe.h"

namespace {

using namespace widgettest;

constexpr long kHorizontal = 1;

struct Meter {
  // Off-screen drawing off, so the pictures are drawn straight into the
  // control's rectangle at (0, 0).
  Meter(long ledCount, long style, long width = 100, long height = 100)
      : on(new SpyBitmap(width, height)), off(new SpyBitmap(width, height)),
        meter(CRect(0, 0, width, height), on, off, ledCount, style) {
    on->forget();
    off->forget();
    meter.setUseOffscreen(false);
  }
  void drawAt(float level) {
    meter.setValue(level);
    meter.setOldValue(0.0f);
    meter.draw(&context);
  }
  SpyBitmap* on;
  SpyBitmap* off;
  CVuMeter meter;
  CDrawContext context{nullptr, nullptr, nullptr};
};

TEST(LevelMeter, SegmentsRoundToWholeOnesInRegisterWithTheControl) {
  Meter horizontal(10, kHorizontal);
  const struct {
    float level;
    long lit;
  } cases[] = {{0.44f, 40}, {0.45f, 50}, {1.0f, 100}, {0.0f, 0}, {2.0f, 100}};
  for (const auto& c : cases) {
    horizontal.drawAt(c.level);
    EXPECT_EQ(horizontal.on->drawnInto, CRect(0, 0, c.lit, 100)) << c.level;
    EXPECT_EQ(horizontal.off->drawnInto, CRect(c.lit, 0, 100, 100)) << c.level;
    EXPECT_EQ(horizontal.off->drawnFrom, CPoint(c.lit, 0));
  }
  Meter vertical(8, 0, 10, 80);
  vertical.drawAt(0.5f);
  EXPECT_EQ(vertical.on->drawnInto, CRect(0, 40, 10, 80));
  EXPECT_EQ(vertical.on->drawnFrom, CPoint(0, 40));
}

TEST(LevelMeter, FallsAStepPerRepaintAndEndsCleanAtTheLevel) {
  Meter m(10, kHorizontal);
  m.meter.setOldValue(0.8f);
  m.meter.setValue(0.35f);
  std::vector<float> shown;
  for (int repaint = 0; repaint < 10 && m.meter.isDirty(); ++repaint) {
    m.meter.draw(&m.context);
    shown.push_back(m.meter.getOldValue());
  }
  ASSERT_EQ(shown.size(), 5u);
  const float expected[] = {0.7f, 0.6f, 0.5f, 0.4f};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(shown[i], expected[i], 1e-5) << i;
  EXPECT_EQ(shown.back(), 0.35f);
  m.meter.setValue(0.9f);
  m.meter.draw(&m.context);
  EXPECT_EQ(m.meter.getOldValue(), 0.9f) << "a rise shows at once";
}

TEST(LevelMeter, ANewMeterFallsFromFullToItsValue) {
  Meter m(10, kHorizontal);
  std::vector<float> shown;
  for (int repaint = 0; repaint < 20 && m.meter.isDirty(); ++repaint) {
    m.meter.draw(&m.context);
    shown.push_back(m.meter.getOldValue());
  }
  ASSERT_EQ(shown.size(), 10u);
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(shown[i], 0.9f - 0.1f * i, 1e-5) << i;
  EXPECT_EQ(shown.back(), 0.0f);
}

TEST(LevelMeter, NoSegmentsOrAnOddMaximumStayInsideThePictures) {
  Meter none(0, kHorizontal);
  none.drawAt(0.5f);
  EXPECT_GE(none.on->drawnInto.right, 0);
  EXPECT_LE(none.on->drawnInto.right, 100);
  Meter scaled(10, kHorizontal);
  scaled.meter.setMax(4.0f);
  scaled.drawAt(2.0f);
  EXPECT_EQ(scaled.on->drawnInto.right, 50) << "half the maximum lights half the bar";
  scaled.meter.setMin(-1.0f);
  scaled.drawAt(-1.0f);
  EXPECT_EQ(scaled.on->drawnInto.right, 0);
}

class MeterInFrame : public WidgetFrame {};

TEST_F(MeterInFrame, OffScreenSwitchedOffAfterAttachDrawsStraightOnTheWindow) {
  SpyBitmap* on = new SpyBitmap(100, 10);
  CVuMeter* meter = new CVuMeter(CRect(30, 40, 130, 50), on, nullptr, 10, kHorizontal);
  on->forget();
  frame->addView(meter);
  meter->setUseOffscreen(false);
  meter->setValue(0.5f);
  meter->setOldValue(0.0f);  // no fall from a new meter's full level
  CDrawContext* context = frame->createDrawContext();
  meter->draw(context);
  context->forget();
  EXPECT_EQ(on->drawnInto, CRect(30, 40, 80, 50)) << "in the frame's coordinates, not the surface's";
}

}  // namespace
