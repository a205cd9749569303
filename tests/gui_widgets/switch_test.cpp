// The switches: the picture chosen from the value, the position chosen
// from the mouse, counts that would divide by zero, and the rocker's
// spring back, with real input.
#include <cmath>
#include <limits>
#include <vector>

#include "gui_widgets/widgetframe.h"

namespace {

using namespace widgettest;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
// Editors written against the toolkit pass the plain value 1 for left and right.
static_assert(kHorizontalRocker == 1, "the rocker's horizontal style is bit 1");

// One pass of a switch's drag at a point: with no button held any more,
// the loop ends after its first pass.
template <typename Switch>
float clickedAt(Switch& control, long h, long v) {
  CDrawContext context(nullptr, nullptr, nullptr);
  CPoint where(h, v);
  control.mouse(&context, where, kMouseLeft);
  return control.getValue();
}

template <typename Switch>
CPoint pictureFor(Switch& control, SpyBitmap* strip, float value) {
  CDrawContext context(nullptr, nullptr, nullptr);
  control.setValue(value);
  control.draw(&context);
  return strip->drawnFrom;
}

TEST(Switches, PictureFromTheValuePositionFromTheMouse) {
  SpyBitmap* strip = new SpyBitmap(20, 80);
  CVerticalSwitch vertical(CRect(0, 100, 20, 120), nullptr, 0, strip, CPoint(0, 0));  // 4 of 20
  CHorizontalSwitch horizontal(CRect(50, 0, 70, 20), nullptr, 0, strip, CPoint(0, 0));  // 1 of 20
  CHorizontalSwitch wide(CRect(50, 0, 70, 20), nullptr, 0, 4, 20, 4, strip, CPoint(0, 0));
  strip->forget();
  EXPECT_EQ(vertical.getDefaultValue(), 0.0f);
  const struct {
    float value;
    long picture;
  } pictures[] = {{0.34f, 1}, {0.0f, 0}, {1.0f, 3}, {5.0f, 3}, {-2.0f, 0}, {kNaN, 0}};
  for (const auto& c : pictures) EXPECT_EQ(pictureFor(vertical, strip, c.value), CPoint(0, 20 * c.picture)) << c.value;

  EXPECT_FLOAT_EQ(clickedAt(vertical, 10, 107), 1.0f / 3.0f);  // 7 below the top: truncate(7 / 5) of 3
  EXPECT_EQ(clickedAt(vertical, 10, 130), 1.0f) << "below the control";
  EXPECT_EQ(clickedAt(vertical, 10, 90), 0.0f) << "above it";
  // The horizontal switch spreads its positions over the strip's width.
  EXPECT_FLOAT_EQ(clickedAt(wide, 61, 10), 2.0f / 3.0f);  // 11 along, steps of 5
  EXPECT_EQ(clickedAt(horizontal, 65, 10), 0.0f) << "a single position";
}

TEST(Switches, NoPositionsOrNoSizeAlwaysGiveZero) {
  SpyBitmap* strip = new SpyBitmap(20, 80);
  CVerticalSwitch emptyVertical(CRect(0, 0, 0, 0), nullptr, 0, strip, CPoint(0, 0));
  CHorizontalSwitch emptyHorizontal(CRect(0, 0, 0, 0), nullptr, 0, strip, CPoint(0, 0));
  CVerticalSwitch bare(CRect(0, 0, 20, 20), nullptr, 0, nullptr, CPoint(0, 0));
  CVerticalSwitch one(CRect(0, 0, 20, 20), nullptr, 0, 1, 20, 1, strip, CPoint(0, 0));
  CVerticalSwitch none(CRect(0, 0, 20, 20), nullptr, 0, 4, 20, 0, strip, CPoint(0, 0));
  CHorizontalSwitch flat(CRect(0, 0, 20, 20), nullptr, 0, 4, 0, 4, nullptr, CPoint(0, 0));
  strip->forget();
  for (CControl* control : std::vector<CControl*>{&emptyVertical, &emptyHorizontal, &bare, &one, &none, &flat}) {
    control->setValue(0.5f);
    CDrawContext context(nullptr, nullptr, nullptr);
    CPoint where(3, 7);
    control->mouse(&context, where, kMouseLeft);
    EXPECT_EQ(control->getValue(), 0.0f);
    control->setValue(1.0f);
    control->draw(&context);
  }
  EXPECT_EQ(strip->drawnFrom, CPoint(0, 0)) << "the one picture there is";
}

TEST(Rocker, PicturesOfItsThreeStates) {
  SpyBitmap* strip = new SpyBitmap(20, 60);
  CRockerSwitch rocker(CRect(0, 0, 20, 20), nullptr, 0, strip, CPoint(0, 4));  // pictures as high as it is wide
  strip->forget();
  EXPECT_EQ(pictureFor(rocker, strip, -1.0f), CPoint(0, 4));
  EXPECT_EQ(pictureFor(rocker, strip, 0.0f), CPoint(0, 24));
  EXPECT_EQ(pictureFor(rocker, strip, 1.0f), CPoint(0, 44));
}

using RealSwitches = ControlFrame;

TEST_F(RealSwitches, RockerReportsTheHalfHeldThenZeroOnRelease) {
  CPoint origin(0, 0);
  for (const long style : {0L, kHorizontalRocker}) {
    listener.values.clear();
    CRockerSwitch* rocker = add(new CRockerSwitch(CRect(20, 20, 40, 40), &listener, 1, 20, nullptr, origin, style));
    if (style == 0)
      drag({30, 25}, {moveTo(30, 35), moveTo(30, 50), [] {}});  // top half, bottom half, off it
    else
      drag({25, 30}, {moveTo(35, 30), moveTo(50, 30), [] {}});
    EXPECT_EQ(listener.values, (std::vector<float>{-1.0f, 1.0f, 0.0f, 0.0f})) << "style " << style;
    EXPECT_EQ(rocker->getValue(), 0.0f);
    frame->removeView(rocker);
  }
  EXPECT_EQ(count(audioMasterBeginEdit), 2u);
  EXPECT_EQ(count(audioMasterEndEdit), 2u);
}

TEST_F(RealSwitches, OneWheelNotchIsOnePressAndRelease) {
  CPoint origin(0, 0);
  CRockerSwitch* rocker = add(new CRockerSwitch(CRect(20, 20, 40, 40), &listener, 1, 20, nullptr, origin));
  CDrawContext* context = frame->createDrawContext();
  EXPECT_TRUE(rocker->onWheel(context, CPoint(30, 30), 1.0f));
  EXPECT_TRUE(rocker->onWheel(context, CPoint(30, 30), -1.0f));
  context->forget();
  EXPECT_EQ(listener.values, (std::vector<float>{-1.0f, 0.0f, 1.0f, 0.0f}));
  EXPECT_EQ(count(audioMasterBeginEdit), 2u);
  EXPECT_EQ(count(audioMasterEndEdit), 2u);
}

TEST_F(RealSwitches, VerticalSwitchFollowsTheDragUntilAModifierChanges) {
  CPoint origin(0, 0);
  SpyBitmap* strip = new SpyBitmap(20, 80);
  CVerticalSwitch* control = add(new CVerticalSwitch(CRect(20, 20, 40, 40), &listener, 1, strip, origin));
  strip->forget();
  drag({30, 27}, {moveTo(30, 37), [] {}, [] { controltest::holdDown(VK_SHIFT); }, moveTo(30, 21), moveTo(30, 22)});
  testwindows::sendKey(VK_SHIFT, false);
  ASSERT_FALSE(listener.values.empty());
  EXPECT_FLOAT_EQ(listener.values.front(), 1.0f / 3.0f);
  EXPECT_EQ(control->getValue(), 1.0f) << "the drag ended when Shift went down";
  EXPECT_EQ(count(audioMasterBeginEdit), 1u);
  EXPECT_EQ(count(audioMasterEndEdit), 1u);
}

}  // namespace
