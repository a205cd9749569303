// The GUI editor's glue between host and toolkit: size, knob mode, keys and
// wheel without a frame, edit relays and the throttled idle step, with a
// real effect talking to a recording host callback.
#include <gtest/gtest.h>

#include <objbase.h>
#include <ole2.h>

#include <vector>

#include "editor/aeffguieditor.h"
#include "plugin/audioeffectx.h"

namespace {

class GlueTest;
GlueTest* gCurrent = nullptr;

class TestEffect : public AudioEffectX {
 public:
  explicit TestEffect(audioMasterCallback host) : AudioEffectX(host, 1, 2) {}
  void processReplacing(float**, float**, PlugInt32) override {}
};

// An editor that opens its inner state to the test and counts idle calls.
class ProbeEditor : public AEffGUIEditor {
 public:
  explicit ProbeEditor(AudioEffect* effect) : AEffGUIEditor(effect) {}
  void idle() override {
    idleCalls++;
    AEffGUIEditor::idle();
  }
  void setSize(short width, short height) {
    rect.right = width;
    rect.bottom = height;
  }
  uint32_t& dueTicks() { return idleDueTicks; }
  bool busy() const { return idleBusy; }
  int idleCalls = 0;
};

struct HostRequest {
  PlugInt32 opcode;
  PlugInt32 index;
  bool editorBusy;
};

class GlueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gCurrent = this;
    effect = new TestEffect(&GlueTest::host);
    editor = new ProbeEditor(effect);
  }
  void TearDown() override {
    delete effect;  // takes its editor with it
    gCurrent = nullptr;
  }

  static PlugIntPtr host(AEffect*, PlugInt32 opcode, PlugInt32 index, PlugIntPtr, void*, float) {
    if (gCurrent) {
      const bool busy = gCurrent->editor && gCurrent->editor->busy();
      gCurrent->requests.push_back({opcode, index, busy});
      // A host that asks the editor to idle from inside its own idle
      // callback.
      if (opcode == audioMasterIdle && gCurrent->reenterIdle) gCurrent->editor->idle();
    }
    return 0;
  }

  std::vector<HostRequest> requestsWith(PlugInt32 opcode) const {
    std::vector<HostRequest> found;
    for (const HostRequest& r : requests)
      if (r.opcode == opcode) found.push_back(r);
    return found;
  }

  TestEffect* effect = nullptr;
  ProbeEditor* editor = nullptr;
  std::vector<HostRequest> requests;
  bool reenterIdle = false;
};

TEST_F(GlueTest, ConstructionRegistersWithTheEffect) {
  EXPECT_EQ(effect->getEditor(), editor);
  EXPECT_TRUE(effect->getAeffect()->flags & effFlagsHasEditor);
  EXPECT_EQ(editor->getEffect(), effect);
  EXPECT_FALSE(editor->isOpen());
}

TEST_F(GlueTest, RectangleIsHandedOutBeforeAnyOpen) {
  editor->setSize(320, 240);
  ERect* rect = nullptr;
  EXPECT_TRUE(editor->getRect(&rect));
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 240);
  EXPECT_EQ(rect->right, 320);

  AEffEditor plain(effect);
  ERect* none = rect;
  EXPECT_FALSE(plain.getRect(&none));
  EXPECT_EQ(none, nullptr);

  // A request without a place for the answer is refused, not written through.
  EXPECT_FALSE(editor->getRect(nullptr));
  EXPECT_FALSE(plain.getRect(nullptr));
}

TEST_F(GlueTest, KnobModeIsSharedByAllEditors) {
  ProbeEditor other(nullptr);
  EXPECT_TRUE(editor->setKnobMode(2));
  EXPECT_EQ(AEffGUIEditor::getKnobMode(), 2);
  EXPECT_TRUE(other.setKnobMode(1));
  EXPECT_EQ(AEffGUIEditor::getKnobMode(), 1);
  editor->setKnobMode(0);
}

TEST_F(GlueTest, WithoutAFrameKeysAndWheelAreLeftToTheHost) {
  PlugKeyCode key = {'a', 0, 0};
  EXPECT_FALSE(editor->onKeyDown(key));
  EXPECT_FALSE(editor->onKeyUp(key));
  EXPECT_FALSE(editor->onWheel(1.0f));
  editor->idle();
  EXPECT_TRUE(requests.empty());
}

TEST_F(GlueTest, EditGesturesReachTheHost) {
  editor->beginEdit(1);
  editor->endEdit(1);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].opcode, audioMasterBeginEdit);
  EXPECT_EQ(requests[0].index, 1);
  EXPECT_EQ(requests[1].opcode, audioMasterEndEdit);
  EXPECT_EQ(requests[1].index, 1);
}

TEST_F(GlueTest, OverdueIdleStepRunsAtOnceThenTheNextOneWaits) {
  editor->dueTicks() = editor->getTicks() - 1;
  const uint32_t before = GetTickCount();
  editor->doIdleStuff();
  const uint32_t after = GetTickCount();
  EXPECT_EQ(editor->idleCalls, 1);
  EXPECT_EQ(requestsWith(audioMasterIdle).size(), 1u);
  EXPECT_GE(editor->dueTicks(), before + 100);
  EXPECT_LE(editor->dueTicks(), after + 100);

  editor->doIdleStuff();  // straight after a full step: only the nap
  EXPECT_EQ(editor->idleCalls, 1);
  EXPECT_EQ(requestsWith(audioMasterIdle).size(), 1u);
  // Due a quarter of the counter's range ago, which for a young system is
  // before the counter's last wrap: overdue all the same.
  editor->dueTicks() = editor->getTicks() - 0x40000000u;
  editor->doIdleStuff();
  EXPECT_EQ(editor->idleCalls, 2);
}

TEST_F(GlueTest, AnEarlyCallRunsTheStepOnlyWhenWithinFiftyTicksOfBeingDue) {
  editor->dueTicks() = editor->getTicks() + 1000;
  editor->doIdleStuff();
  EXPECT_EQ(editor->idleCalls, 0);

  // Due in 52 ticks: after the 4-tick nap the clock reading is within 50.
  editor->dueTicks() = editor->getTicks() + 52;
  editor->doIdleStuff();
  EXPECT_EQ(editor->idleCalls, 1);
  EXPECT_EQ(requestsWith(audioMasterIdle).size(), 1u);
}

TEST_F(GlueTest, TheEditorIsBusyOnlyInsideTheHostsIdleCallback) {
  reenterIdle = true;
  editor->dueTicks() = editor->getTicks() - 1;
  editor->doIdleStuff();
  const std::vector<HostRequest> idles = requestsWith(audioMasterIdle);
  ASSERT_EQ(idles.size(), 1u);
  EXPECT_TRUE(idles[0].editorBusy);
  EXPECT_FALSE(editor->busy());
  EXPECT_EQ(editor->idleCalls, 2);  // the step's own and the host's nested one
}

// Windows whose paints are counted.
int gPaints = 0;

LRESULT CALLBACK countingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    gPaints++;
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND paintedWindow(int x) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = countingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QuillonPaintCounter";
    RegisterClassA(&windowClass);
    registered = true;
  }
  return CreateWindowExA(WS_EX_TOOLWINDOW, "QuillonPaintCounter", "", WS_POPUP | WS_VISIBLE, x, 10, 50, 50, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST_F(GlueTest, AFullStepHandlesOnePendingPaint) {
  HWND first = paintedWindow(10);
  HWND second = paintedWindow(100);
  MSG message;  // let both windows settle, then ask for fresh paints
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  gPaints = 0;
  InvalidateRect(first, nullptr, FALSE);
  InvalidateRect(second, nullptr, FALSE);

  editor->dueTicks() = editor->getTicks() - 1;
  editor->doIdleStuff();
  EXPECT_EQ(gPaints, 1);
  editor->dueTicks() = editor->getTicks() - 1;
  editor->doIdleStuff();
  EXPECT_EQ(gPaints, 2);
  editor->dueTicks() = editor->getTicks() - 1;
  editor->doIdleStuff();
  EXPECT_EQ(gPaints, 2);

  DestroyWindow(first);
  DestroyWindow(second);
}

TEST(GuiEditorOle, EachEditorHoldsOleOnItsThreadWhileItLives) {
  TestEffect* effect = new TestEffect(nullptr);
  new AEffGUIEditor(effect);  // owned by the effect from here on
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);  // already initialised
  CoUninitialize();
  delete effect;
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);  // the editor let it go
  CoUninitialize();
}

TEST(GuiEditorWithoutHost, IdleStepAndEditsNeedNoHost) {
  TestEffect effect(nullptr);
  AEffGUIEditor* editor = new AEffGUIEditor(&effect);
  editor->doIdleStuff();
  editor->beginEdit(0);
  editor->endEdit(0);
  ProbeEditor orphan(nullptr);
  orphan.dueTicks() = orphan.getTicks() - 1;
  orphan.doIdleStuff();
  EXPECT_EQ(orphan.idleCalls, 1);
}

}  // namespace
