// What control tests with real input share: an editor whose idle step runs
// the test's next input step (a tracking loop calls it on every pass, so a
// drag runs on the test's own thread), a listener that records the values
// it is told, and the drag that feeds the steps to the loop.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "editor/aeffguieditor.h"
#include "pluggui/plugcontrols.h"
#include "support/testwindows.h"

namespace controltest {

class StepEditor : public AEffGUIEditor {
 public:
  using AEffGUIEditor::AEffGUIEditor;
  void attach(PLUGGUI::CFrame* f) { frame = f; }
  void doIdleStuff() override {
    ++passes;
    if (next < steps.size()) steps[next++]();
  }
  std::vector<std::function<void()>> steps;
  size_t next = 0;
  int passes = 0;
};

class Listener : public CControlListener {
 public:
  void valueChanged(PLUGGUI::CDrawContext*, PLUGGUI::CControl* control) override {
    values.push_back(control->getValue());
  }
  std::vector<float> values;
};

// Wine lets go of the very first Alt press of a process at once: the key is
// pressed again until it reads as held.
inline void holdDown(WORD key) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    testwindows::sendKey(key, true);
    for (int wait = 0; wait < 20; ++wait) {
      if (GetAsyncKeyState(key) & 0x8000) return;
      Sleep(5);
    }
  }
}

// A loop reads the pointer before its idle step runs the next step, so it
// sees a move one pass later: a move that must be seen before the release
// (or before a key changes) needs an empty step after it.
//
// Presses at a point of the window (with a modifier held, if given), runs
// the steps in the tracking loop, then lets go. The pointer stays confined
// meanwhile: released, the X11 driver would resynchronise the modifier
// keys with the X server's and let go of one held by the test.
inline void drag(HWND window, StepEditor* editor, POINT from, std::vector<std::function<void()>> steps,
                 WORD modifier = 0) {
  RECT area = testwindows::screenRect(window);
  ClipCursor(&area);
  testwindows::pointAt(window, from.x, from.y);
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

}  // namespace controltest
