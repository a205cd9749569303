// The splash screen: its two states through the frame's modal view, as a
// child of the frame and inside a nested container, the frame refusing it,
// and the three ways of drawing its picture.
#include <vector>

#include "gui_widgets/widgetframe.h"

namespace {

using namespace widgettest;

// Counts the references to a view by its destruction.
class Watched : public CSplashScreen {
 public:
  Watched(const CRect& size, CControlListener* listener, CBitmap* picture, CRect& shown, bool* gone)
      : CSplashScreen(size, listener, 1, picture, shown, origin), gone(gone) {}
  ~Watched() override { *gone = true; }
  CPoint origin{0, 0};
  bool* gone;
};

class Splash : public WidgetFrame {
 protected:
  // Clicks through the frame, as the window's procedure hands them on.
  void clickAt(long h, long v, long buttons = kMouseLeft) {
    CDrawContext* context = frame->createDrawContext();
    CPoint where(h, v);
    frame->mouse(context, where, buttons);
    context->forget();
  }
  CRect sizeOf(CView* view) {
    CRect size;
    return view->getViewSize(size);
  }
  CRect mouseableOf(CView* view) {
    CRect area;
    return view->getMouseableArea(area);
  }
  CRect shown{60, 60, 160, 140};
  bool gone = false;
};

TEST_F(Splash, OpensAndClosesAsTheFramesChildOrInsideAContainer) {
  CViewContainer* group = new CViewContainer(CRect(30, 20, 190, 180), frame);
  frame->addView(group);
  for (CViewContainer* parent : {static_cast<CViewContainer*>(frame), group}) {
    listener.values.clear();
    gone = false;
    Watched* splash = new Watched(CRect(10, 10, 30, 20), &listener, nullptr, shown, &gone);
    parent->addView(splash);
    CPoint corner(0, 0);
    splash->localToFrame(corner);  // the parent's origin, in the frame
    const long children = frame->getNbViews() + group->getNbViews();
    for (int round = 0; round < 2; ++round) {
      clickAt(corner.h + 15, corner.v + 15);
      EXPECT_EQ(frame->getModalView(), splash);
      EXPECT_EQ(sizeOf(splash), shown);
      clickAt(corner.h + 50, corner.v + 50, kMouseRight);  // other buttons are ignored
      clickAt(corner.h + 200, corner.v + 15);              // and so are points off the picture
      EXPECT_EQ(frame->getModalView(), splash);
      clickAt(corner.h + 150, corner.v + 130);  // inside the picture, off the closed control
      EXPECT_EQ(frame->getModalView(), nullptr);
      EXPECT_EQ(sizeOf(splash), CRect(10, 10, 30, 20));
      EXPECT_EQ(mouseableOf(splash), CRect(10, 10, 30, 20));
      EXPECT_EQ(splash->getParentView(), parent);
      EXPECT_EQ(frame->getNbViews() + group->getNbViews(), children) << "listed once, where it was";
      EXPECT_TRUE(frame->isDirty()) << "the whole frame is drawn again";
    }
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f, 1.0f, 0.0f}));
    parent->removeView(splash, true);
    EXPECT_TRUE(gone) << "the container held the only reference";
  }
}

TEST_F(Splash, AFrameDestroyedWhileItIsOpenReleasesItOnce) {
  for (const bool nested : {false, true}) {
    gone = false;
    Watched* splash = new Watched(CRect(10, 10, 30, 20), nullptr, nullptr, shown, &gone);
    CViewContainer* parent = frame;
    if (nested) {
      parent = new CViewContainer(CRect(30, 20, 190, 180), frame);
      frame->addView(parent);
    }
    parent->addView(splash);
    CDrawContext* context = frame->createDrawContext();
    CPoint where(20, 15);
    splash->mouse(context, where, kMouseLeft);
    context->forget();
    ASSERT_EQ(frame->getModalView(), splash);
    editor->attach(nullptr);
    frame->forget();
    EXPECT_TRUE(gone) << (nested ? "nested" : "the frame's child");
    frame = new CFrame(CRect(0, 0, 200, 200), host.get(), editor);
    editor->attach(frame);
  }
}

TEST_F(Splash, RefusedOrNotOpenItKeepsItsRectangle) {
  CView* other = new CView(CRect(0, 0, 5, 5));
  ASSERT_TRUE(frame->setModalView(other));
  Watched* splash = new Watched(CRect(10, 10, 30, 20), &listener, nullptr, shown, &gone);
  frame->addView(splash);
  CDrawContext* context = frame->createDrawContext();
  CPoint where(20, 15);
  splash->mouse(context, where, kMouseLeft);
  EXPECT_EQ(splash->getValue(), 1.0f);
  EXPECT_TRUE(splash->isDirty());
  EXPECT_EQ(sizeOf(splash), CRect(10, 10, 30, 20));
  EXPECT_TRUE(listener.values.empty());
  splash->mouse(context, where, kMouseLeft);  // closing one that never grew
  context->forget();
  EXPECT_EQ(sizeOf(splash), CRect(10, 10, 30, 20));
  EXPECT_EQ(frame->getModalView(), other) << "another view's hold on the frame stays";
  splash->unSplash();
  EXPECT_EQ(sizeOf(splash), CRect(10, 10, 30, 20));
  frame->setModalView(nullptr);
  other->forget();
}

TEST_F(Splash, UnSplashClosesButLeavesTheLargerClickArea) {
  Watched* splash = new Watched(CRect(10, 10, 30, 20), &listener, nullptr, shown, &gone);
  frame->addView(splash);
  clickAt(15, 15);
  splash->unSplash();
  EXPECT_EQ(frame->getModalView(), nullptr);
  EXPECT_EQ(splash->getValue(), 0.0f);
  EXPECT_EQ(sizeOf(splash), CRect(10, 10, 30, 20));
  EXPECT_EQ(mouseableOf(splash), shown);
  EXPECT_EQ(listener.values, (std::vector<float>{1.0f})) << "unSplash tells no one";
  clickAt(150, 130);  // in the former picture
  EXPECT_EQ(frame->getModalView(), splash);
}

TEST_F(Splash, ThePictureIsOpaqueBlendedOrKeyedByItsTransparency) {
  SpyBitmap* picture = new SpyBitmap(100, 80);
  CPoint from(3, 4);
  CSplashScreen splash(CRect(10, 10, 30, 20), nullptr, 1, picture, shown, from);
  picture->forget();
  CDrawContext context(nullptr, nullptr, nullptr);
  splash.draw(&context);
  EXPECT_EQ(picture->draws, 0) << "nothing while closed";
  const struct {
    unsigned char alpha;
    bool transparent;
    SpyBitmap::Path path;
  } cases[] = {{128, true, SpyBitmap::kBlended}, {0, true, SpyBitmap::kKeyed}, {255, false, SpyBitmap::kOpaque}};
  splash.setValue(1.0f);
  for (const auto& c : cases) {
    splash.setBitmapTransparency(c.alpha);
    EXPECT_EQ(splash.getTransparency(), c.transparent);
    splash.draw(&context);
    EXPECT_EQ(picture->path, c.path) << int(c.alpha);
    EXPECT_EQ(picture->drawnInto, shown);
    EXPECT_EQ(picture->drawnFrom, from);
  }
  EXPECT_EQ(picture->alpha, 128);
}

}  // namespace
