// The mouse as a drawing context reads it: buttons and modifier keys from
// real input (SendInput), the position relative to a real window, and the
// double-click and drag waits.
#include <gtest/gtest.h>

#include <thread>

#include "pluggui/pluggui.h"
#include "support/testwindows.h"

using namespace PLUGGUI;

using namespace testwindows;

namespace {

class MouseButtons : public ::testing::Test {
 protected:
  void TearDown() override {
    SwapMouseButton(FALSE);
    bSwapped_mouse_buttons = false;
  }
  CDrawContext context{nullptr, nullptr, nullptr};
};

TEST_F(MouseButtons, EachButtonAndModifierHasItsBit) {
  EXPECT_EQ(context.getMouseButtons(), 0);
  {
    Held left = leftButton();
    EXPECT_EQ(context.getMouseButtons(), kMouseLeft);
  }
  {
    Held right = rightButton();
    EXPECT_EQ(context.getMouseButtons(), kMouseRight);
  }
  {
    Held middle = middleButton();
    EXPECT_EQ(context.getMouseButtons(), kMouseMiddle);
  }
  {
    Held shift = Held::key(VK_SHIFT);
    Held control = Held::key(VK_CONTROL);
    EXPECT_EQ(context.getMouseButtons(), kModShift | kModControl);  // 24
  }
  {
    Held alt = Held::key(VK_MENU);
    Held left = leftButton();
    EXPECT_EQ(context.getMouseButtons(), kMouseLeft | kModAlt);
  }
  EXPECT_EQ(context.getMouseButtons(), 0);
}

TEST_F(MouseButtons, WithSwappedButtonsThePrimaryButtonIsStillLeft) {
  SwapMouseButton(TRUE);
  bSwapped_mouse_buttons = GetSystemMetrics(SM_SWAPBUTTON) > 0;  // as the frame records it
  ASSERT_TRUE(bSwapped_mouse_buttons);
  {
    Held physicalRight = rightButton();
    EXPECT_EQ(context.getMouseButtons(), kMouseLeft);
  }
  {
    Held physicalLeft = leftButton();
    EXPECT_EQ(context.getMouseButtons(), kMouseRight);
  }
}

//-----------------------------------------------------------------------------
// Position

// A plain top-level window at a known place on the screen.
class ScreenWindow {
 public:
  ScreenWindow(int x, int y, int width, int height) {
    window = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~ScreenWindow() { DestroyWindow(window); }
  HWND window;
};

TEST(MouseLocation, IsTheCursorRelativeToTheWindowAndIgnoresTheDrawOffset) {
  ScreenWindow screenWindow(200, 150, 100, 80);
  ASSERT_NE(screenWindow.window, nullptr);
  CDrawContext context(nullptr, nullptr, screenWindow.window);
  EXPECT_EQ(context.windowOrigin, CPoint(200, 150));
  EXPECT_NE(context.getSystemContext(), nullptr);  // the window's own device context

  ASSERT_TRUE(SetCursorPos(230, 170));
  context.drawOffset(7, 9);
  CPoint where;
  context.getMouseLocation(where);
  EXPECT_EQ(where, CPoint(30, 20));

  // Containers move the origin to their own corner.
  context.windowOrigin.offset(10, 5);
  context.getMouseLocation(where);
  EXPECT_EQ(where, CPoint(20, 15));
}

TEST(MouseLocation, WithoutAWindowItIsTheScreenPosition) {
  CDrawContext context(nullptr, nullptr, nullptr);
  ASSERT_TRUE(SetCursorPos(321, 123));
  CPoint where;
  context.getMouseLocation(where);
  EXPECT_EQ(where, CPoint(321, 123));
}

//-----------------------------------------------------------------------------
// Double click and drag

class DoubleClick : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(400, 300);
    drainQueue();
  }
  void TearDown() override { drainQueue(); }

  static void drainQueue() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  // Takes a message from the queue now, so that the double-click time is
  // counted from this moment.
  static void takeAMessageNow() {
    PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0);
    MSG message;
    GetMessageA(&message, nullptr, 0, 0);
  }

  static void postToThisThread(UINT message, DWORD thread) { PostThreadMessageA(thread, message, 0, 0); }

  static bool pending(UINT message) {
    MSG found;
    return PeekMessageA(&found, nullptr, message, message, PM_NOREMOVE) != 0;
  }

  CDrawContext context{nullptr, nullptr, nullptr};
};

TEST_F(DoubleClick, ASecondPressInTimeIsTakenFromTheQueue) {
  takeAMessageNow();
  postToThisThread(WM_LBUTTONDOWN, GetCurrentThreadId());
  EXPECT_TRUE(context.waitDoubleClick());
  EXPECT_FALSE(pending(WM_LBUTTONDOWN));
}

TEST_F(DoubleClick, OtherMessagesDoNotCountAndStayQueued) {
  takeAMessageNow();
  postToThisThread(WM_RBUTTONDOWN, GetCurrentThreadId());
  postToThisThread(WM_LBUTTONDBLCLK, GetCurrentThreadId());
  EXPECT_FALSE(context.waitDoubleClick());
  EXPECT_TRUE(pending(WM_RBUTTONDOWN));
  EXPECT_TRUE(pending(WM_LBUTTONDBLCLK));
}

TEST_F(DoubleClick, APressAfterTheDoubleClickTimeIsNotADoubleClick) {
  takeAMessageNow();
  Sleep(GetDoubleClickTime() + 50);
  postToThisThread(WM_LBUTTONDOWN, GetCurrentThreadId());
  EXPECT_FALSE(context.waitDoubleClick());
  EXPECT_TRUE(pending(WM_LBUTTONDOWN));
}

// While the context waits, another thread moves the cursor and, well after,
// posts the second press: the press counts only if the cursor stayed within
// the square (two pixels left or up, one right or down).
TEST_F(DoubleClick, TheCursorMayStrayOnePixelRightButNotTwo) {
  for (int dx : {1, 2, -2, -3}) {
    SetCursorPos(400, 300);
    drainQueue();
    takeAMessageNow();
    const DWORD self = GetCurrentThreadId();
    std::thread mover([dx, self] {
      Sleep(50);
      SetCursorPos(400 + dx, 300);
      Sleep(100);
      PostThreadMessageA(self, WM_LBUTTONDOWN, 0, 0);
    });
    const bool doubleClicked = context.waitDoubleClick();
    mover.join();
    EXPECT_EQ(doubleClicked, dx == 1 || dx == -2) << dx;
  }
}

TEST(Drag, WithoutAFrameThereIsNoDrag) {
  CDrawContext context(nullptr, nullptr, nullptr);
  Held left = leftButton();
  EXPECT_FALSE(context.waitDrag());
}

}  // namespace
