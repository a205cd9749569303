// Repainting stays inside dirty areas: what idle and paint messages draw, in
// which order and clip, and what reaches the window's pixels.
#include "gui_viewtree/recordingview.h"

namespace viewtree {
namespace {

const CColor kSliderColour = rgb(200, 40, 40);

class Repaint : public FrameInHost {
 protected:
  void SetUp() override {
    FrameInHost::SetUp();
    add("panel", CRect(0, 0, 100, 100), rgb(0, 90, 0));
    slider = add("slider", CRect(10, 10, 22, 222), kSliderColour);  // the editor's vertical slider
    add("label", CRect(15, 100, 60, 120), rgb(0, 0, 160));
    add("meter", CRect(200, 0, 300, 50), rgb(90, 90, 0));
    add("knob", CRect(5, 200, 30, 230), rgb(0, 90, 90));
  }
  RecordingView* slider = nullptr;
};

TEST_F(Repaint, OneDirtyChildRepaintsItsRectangleThroughTheChildrenOverIt) {
  paintAll();
  // A mark on the window outside the slider: only the repainted area is
  // copied from the frame's surface, so it must survive.
  HDC dc = GetDC(frame->getSystemWindow());
  SetPixel(dc, 250, 200, RGB(255, 255, 255));
  ReleaseDC(frame->getSystemWindow(), dc);

  slider->colour = rgb(250, 250, 0);
  slider->setDirty();
  frame->idle();

  const std::vector<Paint> expected = {{"panel", "drawRect", CRect(10, 10, 22, 100)},
                                       {"slider", "drawRect", CRect(10, 10, 22, 222)},
                                       {"label", "drawRect", CRect(15, 100, 22, 120)},
                                       {"knob", "drawRect", CRect(10, 200, 22, 222)}};
  EXPECT_EQ(journal, expected);
  EXPECT_EQ(pixel(11, 150), RGB(250, 250, 0));
  EXPECT_EQ(pixel(20, 110), RGB(0, 0, 160));  // the label is still drawn over it
  EXPECT_EQ(pixel(250, 200), RGB(255, 255, 255));
  EXPECT_FALSE(frame->isDirty());
}

TEST_F(Repaint, ACleanTreeDrawsNothingAtIdle) {
  paintAll();
  frame->idle();
  frame->idle();
  EXPECT_TRUE(journal.empty());
}

TEST_F(Repaint, IdleWaitsForTheFirstPaint) {
  slider->setDirty();
  frame->idle();
  EXPECT_TRUE(journal.empty());
  testwindows::paintWindow(frame->getSystemWindow());
  EXPECT_EQ(pixel(15, 150), colorref(kSliderColour));
  EXPECT_EQ(pixel(150, 200), RGB(10, 20, 30));  // the frame's background
}

TEST_F(Repaint, APaintMessageRepaintsOnlyItsArea) {
  paintAll();
  RECT area = {210, 10, 220, 20};
  testwindows::paintWindow(frame->getSystemWindow(), &area);
  const std::vector<Paint> expected = {{"meter", "drawRect", CRect(210, 10, 220, 20)}};
  EXPECT_EQ(journal, expected);
}

TEST_F(Repaint, InvalidateMarksDirectChildrenTouchingTheRectangle) {
  paintAll();
  frame->invalidate(CRect(60, 120, 70, 130));  // touches the label's corner only
  frame->idle();
  ASSERT_EQ(journal.size(), 2u);
  EXPECT_EQ(journal[0].view, "slider");  // under the label, where they overlap
  EXPECT_EQ(journal[1], (Paint{"label", "drawRect", CRect(15, 100, 60, 120)}));
}

// Nested containers draw into their own surfaces, in their own coordinates,
// also when the area to repaint does not start at their corner.
TEST_F(Repaint, NestedContainersRepaintInTheirOwnCoordinates) {
  CViewContainer* group = new CViewContainer(CRect(100, 100, 200, 200), frame);
  group->setBackgroundColor(rgb(50, 0, 50));
  frame->addView(group);
  RecordingView* inner = add("inner", CRect(10, 10, 30, 30), rgb(0, 200, 0), group);
  add("corner", CRect(40, 40, 70, 70), rgb(0, 0, 200), group);
  paintAll();
  EXPECT_EQ(pixel(120, 120), RGB(0, 200, 0));
  EXPECT_EQ(pixel(160, 160), RGB(0, 0, 200));

  inner->colour = rgb(200, 0, 200);
  inner->setDirty();
  frame->idle();
  std::vector<Paint> expected = {{"inner", "drawRect", CRect(10, 10, 30, 30)}};
  EXPECT_EQ(journal, expected);
  EXPECT_EQ(pixel(120, 120), RGB(200, 0, 200));

  journal.clear();
  RECT area = {150, 150, 160, 160};
  testwindows::paintWindow(frame->getSystemWindow(), &area);
  expected = {{"corner", "drawRect", CRect(50, 50, 60, 60)}};
  EXPECT_EQ(journal, expected);
}

// A dirty child cut by the repainted area keeps its flag for the rest.
TEST_F(Repaint, APartlyRepaintedChildStaysDirty) {
  paintAll();
  slider->setDirty();
  frame->drawRect(nullptr, CRect(0, 0, 50, 50));
  EXPECT_TRUE(slider->isDirty());
  frame->drawRect(nullptr, CRect(0, 0, 50, 240));
  EXPECT_FALSE(slider->isDirty());
}

TEST_F(Repaint, ContainerModesDecideWhatUpdateRepaints) {
  struct Case {
    long mode;
    bool ownFlag;
    std::vector<std::string> painted;
  };
  const Case cases[] = {{1, false, {"a"}}, {1, true, {"a", "b"}}, {0, false, {"a", "b"}}, {7, true, {}}};
  for (const Case& c : cases) {
    CViewContainer* group = new CViewContainer(CRect(100, 100, 200, 200), frame);
    frame->addView(group);
    RecordingView* a = add("a", CRect(0, 0, 10, 10), rgb(1, 1, 1), group);
    add("b", CRect(50, 50, 60, 60), rgb(2, 2, 2), group);
    add("outside", CRect(150, 150, 160, 160), rgb(3, 3, 3), group);  // beyond the group: never dirties it
    paintAll();
    group->setMode(c.mode);
    a->setDirty();
    if (c.ownFlag) group->setDirty();
    CDrawContext* context = frame->createDrawContext();
    group->update(context);
    context->forget();
    std::vector<std::string> painted;
    for (const Paint& p : journal) painted.push_back(p.view);
    EXPECT_EQ(painted, c.painted) << "mode " << c.mode;
    frame->removeView(group, true);
  }
}

}  // namespace
}  // namespace viewtree
