// Views that paint a solid colour and log every paint with the clip in
// force, and a frame opened in a real host window to hold them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "pluggui/pluggui.h"
#include "support/testwindows.h"

namespace viewtree {

using namespace PLUGGUI;

struct Paint {
  std::string view;
  std::string how;  // "draw" or "drawRect"
  CRect clip;       // in the coordinates the view draws in
  bool operator==(const Paint& other) const {
    return view == other.view && how == other.how && clip == other.clip;
  }
};

inline std::ostream& operator<<(std::ostream& out, const Paint& paint) {
  const CRect& c = paint.clip;
  return out << paint.view << "." << paint.how << "(" << c.left << "," << c.top << "," << c.right << "," << c.bottom
             << ")";
}

class RecordingView : public CView {
 public:
  RecordingView(std::vector<Paint>& journal, std::string name, const CRect& size, CColor colour)
      : CView(size), journal(journal), name(std::move(name)), colour(colour) {}
  ~RecordingView() override {
    if (destroyed) *destroyed = true;
  }

  void draw(CDrawContext* context) override { paint(context, "draw"); }
  void drawRect(CDrawContext* context, const CRect& /*updateRect*/) override { paint(context, "drawRect"); }
  void mouse(CDrawContext* /*context*/, CPoint& where, long buttons) override {
    clicks.push_back(where);
    lastButtons = buttons;
  }
  bool onWheel(CDrawContext* /*context*/, const CPoint& where, float distance) override {
    wheels.push_back(distance);
    wheelAt = where;
    return true;
  }
  long onKeyDown(PlugKeyCode& /*key*/) override { return keyAnswer; }
  void onDragEnter(CDrawContext*, CDragContainer*, const CPoint&) override { drags++; }

  std::vector<Paint>& journal;
  std::string name;
  CColor colour;
  std::vector<CPoint> clicks;
  long lastButtons = 0;
  std::vector<float> wheels;
  CPoint wheelAt;
  long keyAnswer = -1;
  int drags = 0;
  bool* destroyed = nullptr;

 private:
  void paint(CDrawContext* context, const char* how) {
    CRect clip;
    journal.push_back({name, how, context->getClipRect(clip)});
    context->setFillColor(colour);
    context->drawRect(viewSize, kFillOnly);
    setDirty(false);
  }
};

inline CColor rgb(unsigned char r, unsigned char g, unsigned char b) { return CColor{r, g, b, 255}; }
inline COLORREF colorref(const CColor& c) { return RGB(c.red, c.green, c.blue); }

// A 320 x 240 frame in a host window at (60, 40) on the screen, painted once.
class FrameInHost : public ::testing::Test {
 protected:
  static constexpr int kLeft = 60;
  static constexpr int kTop = 40;

  void SetUp() override {
    testwindows::useExecutableInstance();
    host = std::make_unique<testwindows::HostWindow>(kLeft, kTop, 320, 240);
    frame = new CFrame(CRect(0, 0, 320, 240), host->get(), nullptr);
    frame->setBackgroundColor(rgb(10, 20, 30));
  }
  void TearDown() override {
    if (frame) frame->forget();
    host.reset();
  }

  RecordingView* add(const char* name, const CRect& size, CColor colour, CViewContainer* into = nullptr) {
    RecordingView* view = new RecordingView(journal, name, size, colour);
    (into ? into : frame)->addView(view);  // the container lets go of it with the frame
    return view;
  }
  // The first WM_PAINT, after which idle repaints; the journal starts empty.
  void paintAll() {
    testwindows::paintWindow(frame->getSystemWindow());
    journal.clear();
  }
  COLORREF pixel(int x, int y) const { return testwindows::windowPixel(frame->getSystemWindow(), x, y); }

  std::vector<Paint> journal;
  std::unique_ptr<testwindows::HostWindow> host;
  CFrame* frame = nullptr;
};

}  // namespace viewtree
