// The frame in real windows: its window class, clicks and the wheel as the
// system delivers them, focus and modal views, a host destroying the window,
// resizing by both roads, and the editor's calls reaching it.
#include <cstdio>

#include "editor/aeffguieditor.h"
#include "gui_viewtree/recordingview.h"
#include "support/testeffect.h"

namespace viewtree {
namespace {

using namespace testwindows;

bool classRegistered() {
  WNDCLASSA info;
  return GetClassInfoA(GetInstance(), gClassName, &info) != 0;
}

TEST(WindowClass, IsRegisteredByTheFirstFrameAndUnregisteredWithTheLast) {
  useExecutableInstance();
  HostWindow one(0, 0, 100, 100), two(200, 0, 100, 100);
  CFrame* first = new CFrame(CRect(0, 0, 50, 50), one.get(), nullptr);
  CFrame* second = new CFrame(CRect(0, 0, 50, 50), two.get(), nullptr);
  EXPECT_EQ(gUseCount, 2);
  first->forget();
  EXPECT_TRUE(classRegistered());
  second->forget();
  EXPECT_EQ(gUseCount, 0);
  EXPECT_FALSE(classRegistered());
}

// A class name already taken, or a parent that is no window: the frame ends
// up closed, with no window and no hold on the class, and harmless.
TEST(WindowClass, FailuresLeaveAClosedHarmlessFrame) {
  useExecutableInstance();
  std::snprintf(gClassName, sizeof gClassName, "Plugin%p", static_cast<void*>(GetInstance()));
  WNDCLASSA squatter = {};
  squatter.style = CS_GLOBALCLASS;
  squatter.lpfnWndProc = DefWindowProcA;
  squatter.hInstance = GetInstance();
  squatter.lpszClassName = gClassName;
  ASSERT_TRUE(RegisterClassA(&squatter));
  HostWindow host(0, 0, 100, 100);
  for (HWND parent : {host.get(), reinterpret_cast<HWND>(0x4321)}) {
    CFrame* frame = new CFrame(CRect(0, 0, 50, 50), parent, nullptr);
    EXPECT_FALSE(frame->isOpen());
    EXPECT_EQ(frame->getSystemWindow(), nullptr);
    EXPECT_EQ(gUseCount, 0);
    EXPECT_FALSE(frame->setDropActive(true));
    frame->setDirty();
    frame->idle();
    frame->forget();
    UnregisterClassA(gClassName, GetInstance());
  }
}

TEST(StandaloneFrame, OpensOnceInTheWindowItIsGivenAndClosesWithoutIt) {
  useExecutableInstance();
  HostWindow host(0, 0, 100, 100);
  CFrame* frame = new CFrame(CRect(0, 0, 50, 50), "title", nullptr);
  EXPECT_FALSE(frame->isOpen());
  EXPECT_FALSE(frame->open());  // nowhere to open yet
  frame->setParentSystemWindow(host.get());
  EXPECT_TRUE(frame->open());
  EXPECT_EQ(GetParent(frame->getSystemWindow()), host.get());
  EXPECT_FALSE(frame->open());
  EXPECT_TRUE(frame->close());
  EXPECT_FALSE(frame->close());
  frame->forget();
  EXPECT_EQ(gUseCount, 0);
}

TEST_F(FrameInHost, AWindowDestroyedByTheHostLeavesAFrameThatDrawsNothing) {
  RecordingView* view = add("view", CRect(0, 0, 10, 10), rgb(1, 2, 3));
  paintAll();
  host->destroy();
  EXPECT_FALSE(frame->isOpen());
  EXPECT_FALSE(frame->setSize(400, 300));
  view->setDirty();
  frame->idle();
  EXPECT_TRUE(journal.empty());
  frame->forget();
  frame = nullptr;
  EXPECT_EQ(gUseCount, 0);
}

TEST_F(FrameInHost, RealClicksReachTheFrontMostViewUnderThePointer) {
  RecordingView* back = add("back", CRect(0, 0, 100, 100), rgb(1, 1, 1));
  RecordingView* front = add("front", CRect(20, 20, 60, 60), rgb(2, 2, 2));
  front->setWantsFocus(true);
  frame->setFocusView(front);
  pointAt(frame->getSystemWindow(), 60, 60);  // the front view's corner counts as inside
  {
    Held button = leftButton();
    pumpFor(50);
  }
  pointAt(frame->getSystemWindow(), 70, 30);
  {
    Held button = rightButton();
    pumpFor(50);
  }
  pumpFor(20);
  ASSERT_EQ(front->clicks.size(), 1u);
  EXPECT_EQ(front->clicks[0], CPoint(60, 60));
  EXPECT_EQ(front->lastButtons, kMouseLeft);
  ASSERT_EQ(back->clicks.size(), 1u);
  EXPECT_EQ(back->lastButtons, kMouseRight);
  EXPECT_EQ(frame->getFocusView(), nullptr);  // every click clears the focus
}

TEST_F(FrameInHost, TheWheelArrivesInNotchesAtTheViewUnderThePointer) {
  RecordingView* view = add("view", CRect(100, 100, 200, 200), rgb(1, 1, 1));
  view->setMouseEnabled(false);  // the wheel does not ask
  for (short units : {120, -240}) {
    SendMessageA(frame->getSystemWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(units)),
                 MAKELPARAM(kLeft + 150, kTop + 120));
  }
  EXPECT_EQ(view->wheels, (std::vector<float>{1.0f, -2.0f}));
  EXPECT_EQ(view->wheelAt, CPoint(150, 120));
}

TEST_F(FrameInHost, AModalViewTakesClicksAndKeysAndNothingElseDoes) {
  RecordingView* under = add("under", CRect(0, 0, 320, 240), rgb(1, 1, 1));
  RecordingView* modal = new RecordingView(journal, "modal", CRect(100, 100, 150, 150), rgb(2, 2, 2));
  ASSERT_TRUE(frame->setModalView(modal));
  EXPECT_FALSE(frame->setModalView(modal));
  CPoint outside(10, 10), inside(120, 120);
  frame->mouse(nullptr, outside, kMouseLeft);
  frame->mouse(nullptr, inside, kMouseLeft);
  EXPECT_TRUE(under->clicks.empty());
  EXPECT_EQ(modal->clicks.size(), 1u);
  modal->keyAnswer = 5;
  PlugKeyCode key = {0, 2, 0};
  EXPECT_EQ(frame->onKeyDown(key), 5);
  // Removed from the tree, it is modal no more.
  frame->removeView(modal, true);
  EXPECT_EQ(frame->getModalView(), nullptr);
}

TEST_F(FrameInHost, TabWalksTheFocusableViewsAndStopsAtTheEnd) {
  RecordingView* a = add("a", CRect(0, 0, 10, 10), rgb(1, 1, 1));
  add("plain", CRect(10, 0, 20, 10), rgb(1, 1, 1));
  RecordingView* b = add("b", CRect(20, 0, 30, 10), rgb(1, 1, 1));
  a->setWantsFocus(true);
  b->setWantsFocus(true);
  PlugKeyCode tab = {0, 2, 0}, shiftTab = {0, 2, 1};
  EXPECT_EQ(frame->onKeyDown(shiftTab), 1);
  EXPECT_EQ(frame->getFocusView(), b);
  frame->setFocusView(nullptr);
  EXPECT_EQ(frame->onKeyDown(tab), 1);
  EXPECT_EQ(frame->getFocusView(), a);
  EXPECT_EQ(frame->onKeyDown(tab), 1);
  EXPECT_EQ(frame->getFocusView(), b);
  EXPECT_EQ(frame->onKeyDown(tab), -1);
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

class DragGroup : public CViewContainer {
 public:
  using CViewContainer::CViewContainer;
  CView* dragView() const { return currentDragView; }
};

// Focus, modal and drag pointers never outlive a view's place in the tree.
TEST_F(FrameInHost, ARemovedSubtreeLeavesNoPointerBehind) {
  DragGroup* group = new DragGroup(CRect(100, 100, 200, 200), frame);
  frame->addView(group);
  bool destroyed = false;
  RecordingView* inner = add("inner", CRect(0, 0, 50, 50), rgb(1, 1, 1), group);
  inner->destroyed = &destroyed;
  inner->setWantsFocus(true);
  frame->setFocusView(inner);
  group->onDragEnter(nullptr, nullptr, CPoint(110, 110));
  ASSERT_EQ(group->dragView(), inner);
  group->removeView(inner, true);
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(group->dragView(), nullptr);
  EXPECT_EQ(frame->getFocusView(), nullptr);

  inner = add("inner", CRect(0, 0, 50, 50), rgb(1, 1, 1), group);
  inner->setWantsFocus(true);
  frame->setFocusView(inner);
  frame->removeAll(true);
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(FrameInHost, EmptyContainersAndFramesPaintNothingAndFailNothing) {
  frame->addView(new CViewContainer(CRect(10, 10, 10, 10), frame));
  paintAll();
  HostWindow other(0, 0, 50, 50);
  CFrame* empty = new CFrame(CRect(0, 0, 0, 0), other.get(), nullptr);
  empty->draw(static_cast<CView*>(nullptr));
  empty->forget();
}

TEST_F(FrameInHost, CursorsComeFromTheSystemAndUnknownKindsRestoreTheDefault) {
  const HCURSOR before = GetCursor();
  frame->setCursor(kCursorWait);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
  for (int kind : {7, 12}) {
    frame->setCursor(kCursorHand);
    frame->setCursor(static_cast<CCursorType>(kind));
    EXPECT_EQ(GetCursor(), before) << kind;
  }
}

// An editor whose idle step is seen, standing in for the plug-in's.
class TestEditor : public AEffGUIEditor {
 public:
  using AEffGUIEditor::AEffGUIEditor;
  void attach(CFrame* f) { frame = f; }
  void doIdleStuff() override {
    if (++idleSteps == 3) SetCursorPos(440, 300);
  }
  int idleSteps = 0;
};

TEST_F(FrameInHost, TheEditorAndTheDrawingLayerReachTheFrame) {
  testhost::RecordingHost hostCallbacks;
  testhost::BareEffect effect;
  TestEditor* editor = new TestEditor(&effect);  // the effect owns it
  CFrame* edited = new CFrame(CRect(0, 0, 320, 240), host->get(), editor);
  editor->attach(edited);
  RecordingView* view = new RecordingView(journal, "view", CRect(0, 0, 10, 10), rgb(1, 1, 1));
  edited->addView(view);
  view->setWantsFocus(true);

  PlugKeyCode tab = {0, 2, 0};
  EXPECT_TRUE(editor->onKeyDown(tab));
  EXPECT_EQ(edited->getFocusView(), view);
  testwindows::paintWindow(edited->getSystemWindow());
  journal.clear();
  view->setDirty();
  editor->idle();
  EXPECT_EQ(journal.size(), 1u);

  CDrawContext context(edited, nullptr, edited->getSystemWindow());
  CRect clip;
  EXPECT_EQ(context.getClipRect(clip), CRect(0, 0, 320, 240));
  // A drag wait runs the editor's idle step while the button is held.
  SetCursorPos(400, 300);
  {
    Held button = leftButton();
    EXPECT_TRUE(context.waitDrag());
  }
  EXPECT_EQ(editor->idleSteps, 3);
  editor->attach(nullptr);
  edited->forget();
}

// Three windows: a top-level one, the host's child window in it, and the
// frame's window in that.
class Resizing : public ::testing::Test {
 protected:
  void open(int outerWidth, int outerHeight, bool hostResizes) {
    useExecutableInstance();
    outer = std::make_unique<HostWindow>(30, 20, outerWidth, outerHeight);
    inner = std::make_unique<HostWindow>(0, 0, 340, 260, outer->get());
    hostCallbacks.answers[audioMasterCanDo] = 1;
    hostCallbacks.answers[audioMasterSizeWindow] = hostResizes ? 1 : 0;
    editor = new TestEditor(&effect);
    frame = new CFrame(CRect(0, 0, 320, 240), inner->get(), editor);
  }
  void TearDown() override {
    if (frame) frame->forget();
  }
  static SIZE sizeOf(HWND window) {
    const RECT r = screenRect(window);
    return SIZE{r.right - r.left, r.bottom - r.top};
  }
  void expectSize(HWND window, long width, long height) {
    const SIZE size = sizeOf(window);
    EXPECT_EQ(size.cx, width);
    EXPECT_EQ(size.cy, height);
  }

  testhost::RecordingHost hostCallbacks;
  testhost::BareEffect effect;
  TestEditor* editor = nullptr;
  std::unique_ptr<HostWindow> outer, inner;
  CFrame* frame = nullptr;
};

TEST_F(Resizing, AHostThatResizesLeavesOnlyTheFramesWindowToUs) {
  open(400, 320, true);
  EXPECT_FALSE(frame->setSize(320, 240));
  EXPECT_TRUE(frame->setSize(360, 250));
  ASSERT_EQ(hostCallbacks.requestsWith(audioMasterSizeWindow).size(), 1u);
  EXPECT_EQ(hostCallbacks.requestsWith(audioMasterSizeWindow)[0].index, 360);
  expectSize(frame->getSystemWindow(), 360, 250);
  expectSize(inner->get(), 340, 260);
  expectSize(outer->get(), 400, 320);
  CRect size;
  EXPECT_EQ(frame->getViewSize(size), CRect(0, 0, 360, 250));
  EXPECT_TRUE(frame->isDirty());
}

TEST_F(Resizing, ARefusingHostMakesTheWindowChainGrow) {
  open(400, 320, false);
  EXPECT_EQ(frame->getOuterWindow(), inner->get());  // the outer one is 80 wider than the frame
  long x = -1, y = -1;
  EXPECT_TRUE(frame->getPosition(x, y));
  EXPECT_EQ(CPoint(x, y), CPoint(0, 0));
  CRect size;
  EXPECT_TRUE(frame->getSize(size));
  EXPECT_EQ(size, CRect(30, 20, 370, 280));
  EXPECT_TRUE(frame->setSize(360, 250));
  expectSize(frame->getSystemWindow(), 360, 250);
  expectSize(inner->get(), 380, 270);
  expectSize(outer->get(), 440, 330);
}

TEST_F(Resizing, TheClimbStopsAtABorderWiderThan80Pixels) {
  open(500, 400, false);
  EXPECT_TRUE(frame->setSize(360, 250));
  expectSize(inner->get(), 380, 270);
  expectSize(outer->get(), 500, 400);
  CRect size;
  EXPECT_EQ(frame->getViewSize(size), CRect(0, 0, 360, 250));
}

}  // namespace
}  // namespace viewtree
