// A real frame in a host window for the widget tests, driven with real
// input through the shared stepping editor.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "editor/aeffguieditor.h"
#include "gtest/gtest.h"
#include "gui_draw/testsurface.h"
#include "pluggui/plugcontrols.h"
#include "support/controltest.h"
#include "support/testeffect.h"
#include "support/testhost.h"
#include "support/testwindows.h"

namespace widgettest {

using namespace PLUGGUI;

using controltest::Listener;
using controltest::StepEditor;

// A listener whose editor draws each change at once, as the idle step of a
// real editor would before the control looks again: a control tells only
// of values it has not drawn.
class ShownListener : public Listener {
 public:
  void valueChanged(CDrawContext* context, CControl* control) override {
    Listener::valueChanged(context, control);
    control->setDirty(false);
  }
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
    if (frame) frame->forget();
  }
  HWND window() const { return frame->getSystemWindow(); }
  size_t count(PlugInt32 opcode) const { return hostCalls.requestsWith(opcode).size(); }

  void drag(POINT from, std::vector<std::function<void()>> steps, WORD modifier = 0) {
    controltest::drag(window(), editor, from, std::move(steps), modifier);
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

// A frame for controls that tell only of values not drawn yet, whose
// listener draws each change at once.
class ControlFrame : public WidgetFrame {
 protected:
  template <typename Control>
  Control* add(Control* control) {
    frame->addView(control);
    return control;
  }
  ShownListener listener;
};

// A picture that records where it is drawn from and to, and how, for rules
// about offsets into it rather than its pixels.
class SpyBitmap : public CBitmap {
 public:
  enum Path { kNone, kOpaque, kKeyed, kBlended };
  SpyBitmap(long w, long h) {
    width = w;
    height = h;
  }
  void draw(CDrawContext*, CRect& rect, const CPoint& offset) override { record(rect, offset, kOpaque); }
  void drawTransparent(CDrawContext*, CRect& rect, const CPoint& offset) override { record(rect, offset, kKeyed); }
  void drawAlphaBlend(CDrawContext*, CRect& rect, const CPoint& offset, unsigned char opacity) override {
    record(rect, offset, kBlended);
    alpha = opacity;
  }
  CRect drawnInto;
  CPoint drawnFrom;
  std::vector<CPoint> offsets;  // of every draw, in order
  Path path = kNone;
  unsigned char alpha = 0;
  int draws = 0;

 private:
  void record(const CRect& rect, const CPoint& offset, Path how) {
    drawnInto = rect;
    drawnFrom = offset;
    offsets.push_back(offset);
    path = how;
    ++draws;
  }
};

// The text as a display draws it, against the same text drawn straight.
inline bool showsText(CParamDisplay& display, const char* text) {
  guitest::TestSurface drawn(60, 20), expected(60, 20);
  CDrawContext into(nullptr, drawn.dc(), nullptr);
  display.draw(&into);
  CDrawContext direct(nullptr, expected.dc(), nullptr);
  direct.setFillColor(kBlackCColor);
  direct.drawRect(CRect(0, 0, 60, 20), kFillOnly);
  direct.setFont(kFontNormal);
  direct.setFontColor(kWhiteCColor);
  direct.drawString(text, CRect(0, 0, 60, 20), 0, kAlignCenter);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x)
      if (drawn.at(x, y) != expected.at(x, y)) return false;
  return true;
}

}  // namespace widgettest
