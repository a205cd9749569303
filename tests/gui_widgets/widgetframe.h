// A real frame in a host window for the widget tests, with an editor whose
// idle step runs the test's next input step: a tracking loop calls it on
// every pass, so a drag runs on the test's own thread.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "editor/aeffguieditor.h"
#include "gtest/gtest.h"
#include "pluggui/plugcontrols.h"
#include "support/testeffect.h"
#include "support/testhost.h"
#include "support/testwindows.h"

namespace widgettest {

using namespace PLUGGUI;

class StepEditor : public AEffGUIEditor {
 public:
  using AEffGUIEditor::AEffGUIEditor;
  void attach(CFrame* f) { frame = f; }
  void doIdleStuff() override {
    if (next < steps.size()) steps[next++]();
  }
  std::vector<std::function<void()>> steps;
  size_t next = 0;
};

class Listener : public CControlListener {
 public:
  void valueChanged(CDrawContext*, CControl* control) override { values.push_back(control->getValue()); }
  std::vector<float> values;
};

class WidgetFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    testwindows::useExecutableInstance();
    editor = new StepEditor(&effect);  // the effect owns it
    frame = new CFrame(CRect(0, 0, 200, 200), host.get(), editor);
    editor->attach(frame);
    frame->setBackgroundColor(CColor{255, 255, 255, 255});
  }
  void TearDown() override {
    editor->setKnobMode(0);
    editor->attach(nullptr);
    frame->forget();
  }
  HWND window() const { return frame->getSystemWindow(); }
  size_t count(PlugInt32 opcode) const { return hostCalls.requestsWith(opcode).size(); }

  // Presses at a point of the frame, runs the steps in the tracking loop,
  // then lets go. The pointer stays confined meanwhile, or the X11 driver
  // would resynchronise the modifiers and let go of a held one.
  void drag(POINT from, std::vector<std::function<void()>> steps, WORD modifier = 0) {
    RECT area = testwindows::screenRect(window());
    ClipCursor(&area);
    testwindows::pointAt(window(), from.x, from.y);
    if (modifier) holdDown(modifier);
    testwindows::pumpFor(30);

    steps.push_back([] { testwindows::sendMouse(MOUSEEVENTF_LEFTUP); });
    editor->steps = std::move(steps);
    editor->next = 0;
    testwindows::sendMouse(MOUSEEVENTF_LEFTDOWN);
    testwindows::pumpFor(100);
    if (GetAsyncKeyState(VK_LBUTTON) & 0x8000) testwindows::sendMouse(MOUSEEVENTF_LEFTUP);
    if (modifier) testwindows::sendKey(modifier, false);
    testwindows::pumpMessages();
    ClipCursor(nullptr);
  }
  // Wine lets go of the very first Alt press at once: pressed again until
  // the key reads as held.
  static void holdDown(WORD key) {
    for (int attempt = 0; attempt < 5; ++attempt) {
      testwindows::sendKey(key, true);
      for (int wait = 0; wait < 20; ++wait) {
        if (GetAsyncKeyState(key) & 0x8000) return;
        Sleep(5);
      }
    }
  }
  std::function<void()> moveTo(int x, int y) {
    return [this, x, y] {
      testwindows::pointAt(window(), x, y);
      Sleep(20);
    };
  }

  testhost::RecordingHost hostCalls;
  testhost::BareEffect effect;
  testwindows::HostWindow host{60, 40, 200, 200};
  StepEditor* editor = nullptr;
  CFrame* frame = nullptr;
  Listener listener;
};

// A picture that records where it is drawn from and to, for rules about
// offsets into it rather than its pixels.
class SpyBitmap : public CBitmap {
 public:
  SpyBitmap(long w, long h) {
    width = w;
    height = h;
  }
  void draw(CDrawContext*, CRect& rect, const CPoint& offset) override {
    drawnInto = rect;
    drawnFrom = offset;
    ++draws;
  }
  void drawTransparent(CDrawContext* context, CRect& rect, const CPoint& offset) override {
    draw(context, rect, offset);
  }
  CRect drawnInto;
  CPoint drawnFrom;
  int draws = 0;
};

}  // namespace widgettest
