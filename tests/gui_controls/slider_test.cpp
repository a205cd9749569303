// The control base and the slider inside a real frame, with real mouse
// input. The slider's tracking loop calls the editor's idle step on every
// pass; the test editor takes the next input step there, so a drag runs on
// the test's own thread.
#include <windows.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "editor/aeffguieditor.h"
#include "gtest/gtest.h"
#include "pluggui/plugcontrols.h"
#include "support/controltest.h"
#include "support/testeffect.h"
#include "support/testwindows.h"

namespace {

using namespace PLUGGUI;
using testwindows::HostWindow;

using controltest::Listener;
using controltest::StepEditor;

// A frame whose clock the test sets.
class ClockFrame : public CFrame {
 public:
  using CFrame::CFrame;
  uint32_t getTicks() const override { return now; }
  uint32_t now = 1000;
};

// A red handle over the slider's own surface, which starts out black.
void paintRed(CBitmap* bitmap) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap->getHandle());
  RECT all = {0, 0, bitmap->getWidth(), bitmap->getHeight()};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &all, red);
  DeleteObject(red);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

// Reaches the geometry the slider works out at construction.
class OpenSlider : public CSlider {
 public:
  using CSlider::CSlider;
  long getTravel() const { return travel; }
  long getHandleMin() const { return handleMin; }
  long getHandleMax() const { return handleMax; }
  long getHandleWidth() const { return handleWidth; }
  long getDoubleClickTime() const { return doubleClickTime; }
};

class Sliders : public ::testing::Test {
 protected:
  void SetUp() override {
    testwindows::useExecutableInstance();
    editor = new StepEditor(&effect);  // the effect owns it
    frame = new ClockFrame(CRect(0, 0, 200, 100), host.get(), editor);
    editor->attach(frame);
    frame->setBackgroundColor(CColor{255, 255, 255, 255});
    handle = new CBitmap(*frame, 10, 10);
    paintRed(handle);
  }
  void TearDown() override {
    editor->attach(nullptr);
    handle->forget();
    frame->forget();
  }

  // Travel 100 along x from 10: a 10-pixel handle in a 110-pixel range.
  OpenSlider* add(long style, float value, long range = 110) {
    CPoint origin(0, 0);
    OpenSlider* slider =
        new OpenSlider(CRect(10, 10, 120, 20), &listener, 3, origin, range, handle, nullptr, origin, style);
    slider->setValue(value);
    frame->addView(slider);  // the frame lets go of it with the creator's reference
    testwindows::paintWindow(frame->getSystemWindow());
    return slider;
  }
  void pointAt(int x) { testwindows::pointAt(frame->getSystemWindow(), x, 15); }
  // Presses at x, runs the loop's steps, releases after the last one.
  void drag(int x, std::vector<std::function<void()>> steps) {
    controltest::drag(frame->getSystemWindow(), editor, {x, 15}, std::move(steps));
  }
  size_t edits() const {
    return hostCalls.requestsWith(audioMasterBeginEdit).size() + hostCalls.requestsWith(audioMasterEndEdit).size();
  }
  COLORREF pixel(int x) { return testwindows::windowPixel(frame->getSystemWindow(), x, 15); }

  testhost::RecordingHost hostCalls;
  testhost::BareEffect effect;
  HostWindow host{60, 40, 200, 100};
  StepEditor* editor = nullptr;
  ClockFrame* frame = nullptr;
  CBitmap* handle = nullptr;
  Listener listener;
};

TEST_F(Sliders, TheValueRulesOfTheControlBase) {
  OpenSlider* s = add(kStyleHorizontal | kStyleLeft, 0.0f);
  s->setDirty(false);
  EXPECT_FALSE(s->isDirty());
  s->setValue(-1.0f);
  s->setDirty(true);
  EXPECT_EQ(s->getOldValue(), 0.0f) << "still counts as changed";
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    float min, value, bounced;
  } cases[] = {{0.0f, 2.5f, 1.0f}, {0.2f, 0.1f, 0.2f}, {0.0f, 0.5f, 0.5f}};
  for (const auto& c : cases) {
    s->setMin(c.min);
    s->setValue(c.value);
    EXPECT_EQ(s->getValue(), c.value) << "setters store what they get";
    s->bounceValue();
    EXPECT_EQ(s->getValue(), c.bounced);
  }
  s->setValue(nan);
  s->bounceValue();
  EXPECT_TRUE(std::isnan(s->getValue()));
  s->setDirty(false);
  EXPECT_TRUE(s->isDirty()) << "a NaN is never the value last drawn";
}

TEST_F(Sliders, ControlLeftClickResetsToTheDefaultAndOnlyThatCombination) {
  OpenSlider* s = add(kStyleHorizontal | kStyleLeft, 0.5f);
  s->setWantsFocus(false);  // else taking the focus in beginEdit marks it changed
  CDrawContext* context = frame->createDrawContext();
  EXPECT_TRUE(s->checkDefaultValue(context, kMouseLeft | kModControl));
  EXPECT_EQ(edits(), 2u) << "bracketed though 0.5 is the value last drawn";
  EXPECT_TRUE(listener.values.empty());
  s->setValue(0.9f);
  s->setDirty(false);  // as though drawn at 0.9
  const long others[] = {kMouseLeft | kModControl | kModShift, kMouseRight | kModControl, kMouseLeft};
  for (long button : others) EXPECT_FALSE(s->checkDefaultValue(context, button)) << button;
  EXPECT_EQ(s->getValue(), 0.9f);
  EXPECT_TRUE(s->checkDefaultValue(context, 17));
  EXPECT_EQ(listener.values, std::vector<float>{0.5f});
  context->forget();
}

TEST_F(Sliders, DoubleClicksWithinTheSystemTimeRaisedToAQuarterSecond) {
  const UINT system = GetDoubleClickTime();
  SetDoubleClickTime(200);
  OpenSlider* s = add(kStyleHorizontal | kStyleLeft, 0.5f);
  SetDoubleClickTime(system);
  EXPECT_EQ(s->getDoubleClickTime(), 250);
  const struct {
    uint32_t at;
    bool isDouble;
  } clicks[] = {{1000, false},       {1220, true},        {1230, false},     {1490, false}, {1700, true},
                // past 2^31 ticks, and across the counter's wrap
                {0x80000100, false}, {0x800001C8, true}, {0xFFFFFFF0, false}, {0x20, true}};
  for (const auto& c : clicks) {
    frame->now = c.at;
    EXPECT_EQ(s->isDoubleClick(), c.isDouble) << c.at;
  }
}

TEST_F(Sliders, GeometryOfBothConstructorForms) {
  CPoint origin(0, 0), start(0, 2);
  OpenSlider range(CRect(32, 220, 244, 232), nullptr, 0, origin, 208, handle, nullptr, origin, 9);
  EXPECT_EQ(range.getTravel(), 198);  // 208 less a 10-pixel handle
  EXPECT_EQ(range.getHandleMin(), 0);
  EXPECT_EQ(range.getHandleMax(), 208);
  OpenSlider vertical(CRect(0, 0, 10, 100), nullptr, 0, start, 80, handle, nullptr, origin, kStyleVertical);
  EXPECT_EQ(vertical.getTravel(), 70);
  EXPECT_EQ(vertical.getHandleMin(), 2);
  EXPECT_EQ(vertical.getHandleMax(), 82);
  OpenSlider position(CRect(10, 10, 120, 20), nullptr, 0, 15L, 95L, handle, nullptr, origin, kStyleHorizontal);
  EXPECT_EQ(position.getTravel(), 80) << "the handle is not taken off";
  EXPECT_EQ(position.getHandleMin(), 5);
  EXPECT_EQ(position.getHandleMax(), 95);
  CBitmap* wide = new CBitmap(*frame, 20, 10);
  position.setHandle(wide);
  wide->forget();
  EXPECT_EQ(position.getHandleWidth(), 20);
  EXPECT_EQ(position.getTravel(), 80);
  EXPECT_EQ(position.getHandleMax(), 95);
}

// Drawing takes value 0 to the start with a left bit and to the end
// without one; the mouse maps the start to 0 unless a right bit is set.
TEST_F(Sliders, StyleBitsForDrawingAndForTheMouse) {
  const struct {
    long style;
    float value;
    int handleLeft;     // window x of the drawn handle
    float clickAtStart;  // value of a free click at the start of the axis
  } cases[] = {
      {kStyleHorizontal | kStyleLeft, 0.25f, 35, 0.0f},
      {kStyleHorizontal | kStyleRight, 0.25f, 85, 1.0f},
      {kStyleHorizontal, 0.0f, 110, 0.0f},  // mirrored: drawn at the end
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    frame->removeAll();
    add(c.style, c.value);
    EXPECT_EQ(pixel(c.handleLeft), RGB(255, 0, 0));
    EXPECT_EQ(pixel(c.handleLeft + 9), RGB(255, 0, 0));
    EXPECT_EQ(pixel(c.handleLeft - 1), RGB(0, 0, 0));
    if (c.handleLeft + 10 < 120) {
      EXPECT_EQ(pixel(c.handleLeft + 10), RGB(0, 0, 0));
    }
    listener.values.clear();
    drag(14, {});  // the anchor: start + 10 / 2 - 1
    ASSERT_FALSE(listener.values.empty());
    EXPECT_EQ(listener.values.back(), c.clickAtStart);
  }
}

TEST_F(Sliders, AGripClickNeedsTheHandleAndKeepsTheGripPointUnderTheMouse) {
  OpenSlider* s = add(kStyleHorizontal | kStyleLeft, 0.5f);  // handle at x 60 to 70
  s->setFreeClick(false);
  drag(40, {});
  EXPECT_EQ(edits(), 0u);
  EXPECT_EQ(s->getValue(), 0.5f);
  drag(63, {[this] { pointAt(73); }, [] {}});
  EXPECT_EQ(edits(), 2u);
  EXPECT_FLOAT_EQ(s->getValue(), 0.6f);
}

TEST_F(Sliders, ShiftSlowsTheDragTenfoldFromWhereItWasPressed) {
  OpenSlider* s = add(kStyleHorizontal | kStyleLeft, 0.0f);
  // Activated beforehand: activation by the click would bring the X
  // server's key state, with no Shift down, in the middle of the drag.
  SetForegroundWindow(host.get());
  testwindows::pumpFor(50);
  std::unique_ptr<testwindows::Held> shift;
  drag(74, {[&] { shift = std::make_unique<testwindows::Held>(testwindows::Held::key(VK_SHIFT)); },
            [this] { pointAt(104); }, [] {}});
  shift.reset();
  EXPECT_FLOAT_EQ(s->getValue(), 0.63f);
}

// A repaint of part of the slider (a neighbour's, say) draws that part
// right, handle included, and leaves the rest of the window alone.
TEST_F(Sliders, ARepaintOfPartOfTheSliderDrawsThatPartOnly) {
  OpenSlider* s = add(kStyleHorizontal | kStyleLeft, 0.0f);  // handle at x 10 to 20
  s->setValue(0.5f);                                          // now at 60 to 70, undrawn
  CDrawContext* context = frame->createDrawContext();
  frame->drawRect(context, CRect(65, 10, 120, 20));
  context->forget();
  EXPECT_EQ(pixel(10), RGB(255, 0, 0)) << "outside: as it was";
  EXPECT_EQ(pixel(64), RGB(0, 0, 0)) << "outside: the handle's hidden half";
  EXPECT_EQ(pixel(65), RGB(255, 0, 0));
  EXPECT_EQ(pixel(69), RGB(255, 0, 0));
  EXPECT_EQ(pixel(70), RGB(0, 0, 0));
  testwindows::paintWindow(frame->getSystemWindow());
  EXPECT_EQ(pixel(60), RGB(255, 0, 0));
}

TEST_F(Sliders, WithoutTravelADragLeavesTheValue) {
  OpenSlider* s = add(kStyleHorizontal | kStyleLeft, 0.4f, 10);
  ASSERT_EQ(s->getTravel(), 0);
  drag(50, {[this] { pointAt(90); }, [] {}});
  EXPECT_EQ(s->getValue(), 0.4f);
  EXPECT_EQ(edits(), 2u);
}

TEST(LooseControl, WithoutAFrameTheEditCallsAreNoOps) {
  CPoint origin(0, 0);
  OpenSlider s(CRect(0, 0, 10, 10), nullptr, 0, origin, 10, nullptr, nullptr, origin, kStyleHorizontal);
  s.beginEdit();
  s.endEdit();
  s.doIdleStuff();
  EXPECT_FALSE(s.isDoubleClick());
  EXPECT_TRUE(s.checkDefaultValue(nullptr, 17));
  EXPECT_EQ(s.getValue(), 0.5f);
}

}  // namespace
