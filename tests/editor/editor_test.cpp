// The compressor's editor as a host sees it: quillon.dll loaded, the editor
// opened in a window of the host's, driven with real mouse input and the
// host's key requests, and its pixels read back from the screen.
//
// A drag holds the window's thread in the slider's tracking loop, which asks
// the host for idle time on every full step; the test moves the mouse from
// inside those requests, so the drag runs on one thread, step by step.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "support/testhost.h"
#include "support/testwindows.h"

namespace {

using testhost::Request;
using testwindows::HostWindow;

constexpr int kHostX = 60, kHostY = 40;
constexpr COLORREF kNavy = RGB(0, 1, 65);
constexpr COLORREF kCream = RGB(255, 254, 241);

// Standard error, as the plug-in writes it, captured into a file.
class CapturedStderr {
 public:
  CapturedStderr() : path_(tempPath()) {
    std::fflush(stderr);
    saved_ = _dup(2);
    const int file = _open(path_.c_str(), _O_CREAT | _O_TRUNC | _O_WRONLY, 0600);
    _dup2(file, 2);
    _close(file);
  }
  ~CapturedStderr() {
    restore();
    std::remove(path_.c_str());
  }
  std::vector<std::string> lines() {
    restore();
    std::vector<std::string> out;
    std::ifstream in(path_);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
  }

 private:
  static std::string tempPath() {
    char folder[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "qerr", 0, name);
    return name;
  }
  void restore() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    _dup2(saved_, 2);
    _close(saved_);
    saved_ = -1;
  }
  std::string path_;
  int saved_ = -1;
};

struct Edit {
  enum Kind { kBegin, kAutomate, kEnd } kind;
  PlugInt32 index;
  float value;
};

class Editor : public ::testing::Test {
 protected:
  void SetUp() override {
    testwindows::pumpMessages();
    SetCursorPos(0, 0);
    plugin.host.onRequest = [this](const Request& request) {
      if (request.opcode == audioMasterIdle && next < steps.size()) steps[next++]();
    };
  }
  void TearDown() override {
    plugin.host.onRequest = nullptr;
    if (isOpen) closeEditor();
  }

  void setParameter(PlugInt32 index, float value) { plugin.effect()->setParameter(plugin.effect(), index, value); }
  float parameter(PlugInt32 index) { return plugin.effect()->getParameter(plugin.effect(), index); }

  void openEditor() {
    ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, host.get()), 1);
    isOpen = true;
    editor = GetWindow(host.get(), GW_CHILD);
    ASSERT_NE(editor, nullptr);
    settle();
  }
  // Activation brings the system's key state in line with the X server's,
  // which would drop a modifier held by SendInput: activate first.
  void activate() {
    SetForegroundWindow(host.get());
    SetFocus(editor);
    testwindows::pumpFor(50);
  }
  void closeEditor() {
    plugin.dispatch(effEditClose);
    isOpen = false;
    testwindows::pumpMessages();
  }
  // The frame's idle repaints what changed; the window's own paint the rest.
  void settle() {
    testwindows::paintWindow(editor);
    plugin.dispatch(effEditIdle);
    testwindows::pumpMessages();
  }

  // Runs one gesture: `start` sets it going, each idle request of the
  // tracking loop takes the next step. Returns the edits the host heard.
  std::vector<Edit> gesture(std::function<void()> start, std::vector<std::function<void()>> loopSteps) {
    const size_t from = plugin.host.requests.size();
    steps = std::move(loopSteps);
    next = 0;
    start();
    const DWORD end = GetTickCount() + 5000;
    while (next < steps.size() && GetTickCount() < end) {
      testwindows::pumpFor(20);
      plugin.dispatch(effEditIdle);
    }
    testwindows::pumpFor(60);
    steps.clear();
    if (GetAsyncKeyState(VK_LBUTTON) & 0x8000) release();  // a loop that ended early
    return editsSince(from);
  }
  std::vector<Edit> editsSince(size_t from) const {
    std::vector<Edit> edits;
    for (size_t i = from; i < plugin.host.requests.size(); ++i) {
      const Request& r = plugin.host.requests[i];
      if (r.opcode == audioMasterBeginEdit) edits.push_back({Edit::kBegin, r.index, 0});
      if (r.opcode == audioMasterAutomate) edits.push_back({Edit::kAutomate, r.index, r.opt});
      if (r.opcode == audioMasterEndEdit) edits.push_back({Edit::kEnd, r.index, 0});
    }
    return edits;
  }

  void pointAt(int x, int y) { testwindows::pointAt(host.get(), x, y); }
  static void press() { testwindows::sendMouse(MOUSEEVENTF_LEFTDOWN); }
  static void release() { testwindows::sendMouse(MOUSEEVENTF_LEFTUP); }
  // A free-click drag from one point to another in a few steps.
  std::vector<Edit> drag(POINT from, POINT to, int stepCount = 4) {
    std::vector<std::function<void()>> moves;
    for (int i = 1; i <= stepCount; ++i)
      moves.push_back([=] {
        pointAt(from.x + (to.x - from.x) * i / stepCount, from.y + (to.y - from.y) * i / stepCount);
      });
    moves.push_back([] {});  // one pass at the last point before the release
    moves.push_back(release);
    return gesture(
        [=] {
          pointAt(from.x, from.y);
          press();
        },
        moves);
  }
  std::vector<Edit> click(int x, int y) {
    return gesture(
        [=] {
          pointAt(x, y);
          press();
        },
        {release});
  }
  std::vector<Edit> key(unsigned char virt, unsigned char modifier = 0) {
    const size_t from = plugin.host.requests.size();
    PlugKeyCode code = {0, virt, modifier};
    plugin.dispatch(effEditKeyDown, code.character, code.virt, nullptr, code.modifier);
    settle();
    return editsSince(from);
  }
  COLORREF pixel(int x, int y) { return testwindows::windowPixel(editor, x, y); }

  testhost::LoadedEffect plugin;
  HostWindow host{kHostX, kHostY, 320, 240};
  HWND editor = nullptr;
  bool isOpen = false;
  std::vector<std::function<void()>> steps;
  size_t next = 0;
};

// Begin first, end last, automation in between, all for one parameter.
void expectBracketed(const std::vector<Edit>& edits, PlugInt32 index) {
  ASSERT_GE(edits.size(), 3u);
  EXPECT_EQ(edits.front().kind, Edit::kBegin);
  EXPECT_EQ(edits.back().kind, Edit::kEnd);
  for (size_t i = 1; i + 1 < edits.size(); ++i) EXPECT_EQ(edits[i].kind, Edit::kAutomate) << i;
  for (const Edit& e : edits) EXPECT_EQ(e.index, index);
}

std::vector<float> automated(const std::vector<Edit>& edits) {
  std::vector<float> values;
  for (const Edit& e : edits)
    if (e.kind == Edit::kAutomate) values.push_back(e.value);
  return values;
}

struct DragCase {
  const char* name;
  POINT from, to;
  PlugInt32 index;
  float expected;  // from the drag formulas of the two sliders
};

TEST_F(Editor, AFreeClickDragSetsTheParameterAndTellsTheHostInOrder) {
  const DragCase cases[] = {
      {"threshold", {100, 226}, {170, 226}, 0, (170 - 37) / 196.0f},
      {"ratio", {38, 120}, {38, 60}, 1, 1 - (60 - 25) / 196.0f},
  };
  openEditor();
  for (const DragCase& c : cases) {
    SCOPED_TRACE(c.name);
    CapturedStderr err;
    const std::vector<Edit> edits = drag(c.from, c.to);
    const std::vector<std::string> lines = err.lines();
    expectBracketed(edits, c.index);
    const std::vector<float> values = automated(edits);
    ASSERT_FALSE(values.empty());
    EXPECT_FLOAT_EQ(values.back(), c.expected);
    EXPECT_FLOAT_EQ(parameter(c.index), c.expected);
    // One threshold line per notification, with the value notified.
    if (c.index == 0) {
      ASSERT_EQ(lines.size(), values.size());
      for (size_t i = 0; i < lines.size(); ++i) EXPECT_NEAR(std::stof(lines[i]), values[i], 1e-5) << lines[i];
    } else {
      EXPECT_TRUE(lines.empty());
    }
  }
}

TEST_F(Editor, ControlClickResetsToTheControlDefault) {
  setParameter(0, 0.9f);
  openEditor();
  activate();
  // Pointer first: entering the window also brings the key state in line.
  pointAt(200, 226);
  testwindows::pumpFor(50);
  std::vector<Edit> edits;
  {
    testwindows::Held control = testwindows::Held::key(VK_CONTROL);
    edits = click(200, 226);
  }
  expectBracketed(edits, 0);
  EXPECT_EQ(automated(edits), std::vector<float>{0.5f});
  EXPECT_FLOAT_EQ(parameter(0), 0.5f);
}

TEST_F(Editor, ArrowKeysStepTheSliderLastClickedAndShiftStepsFiner) {
  openEditor();
  click(135, 226);  // (135 - 37) / 196 = 0.5
  ASSERT_FLOAT_EQ(parameter(0), 0.5f);
  const struct {
    unsigned char virt, modifier;
    float expected;
  } keys[] = {{13, 0, 0.6f}, {13, 1, 0.61f}, {11, 0, 0.51f}, {14, 1, 0.5f}, {12, 0, 0.6f}};
  for (const auto& k : keys) {
    const std::vector<Edit> edits = key(k.virt, k.modifier);
    expectBracketed(edits, 0);
    EXPECT_NEAR(parameter(0), k.expected, 1e-6) << int(k.virt) << "/" << int(k.modifier);
  }
  EXPECT_TRUE(key(10).empty()) << "not an arrow";
}

TEST_F(Editor, AWheelNotchStopsAtTheEndAndTheNextTellsNobody) {
  setParameter(0, 0.95f);
  openEditor();
  activate();
  pointAt(150, 226);
  const size_t from = plugin.host.requests.size();
  testwindows::sendMouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
  settle();
  const std::vector<Edit> first = editsSince(from);
  expectBracketed(first, 0);
  EXPECT_EQ(automated(first), std::vector<float>{1.0f});
  const size_t second = plugin.host.requests.size();
  testwindows::sendMouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
  settle();
  EXPECT_TRUE(editsSince(second).empty());
}

// The handle's left (threshold) or top (ratio) edge for a value, from the
// editor's geometry; navy inside the handle, cream on the field beside it.
TEST_F(Editor, HandlesAreDrawnWhereTheGeometrySays) {
  const float values[] = {0.0f, 0.5f, 1.0f};
  for (float v : values) {
    SCOPED_TRACE(v);
    setParameter(0, v);
    setParameter(1, v);
    openEditor();
    const int left = 32 + static_cast<int>(196 * v);
    const int top = 20 + static_cast<int>(196 * (1 - v));
    // At 0 the threshold handle lies in the square where the tracks meet,
    // which the ratio slider, drawn later, covers.
    if (v > 0) {
      EXPECT_EQ(pixel(left + 6, 221), kNavy);
      EXPECT_EQ(pixel(left - 2, 221), kCream);
      EXPECT_EQ(pixel(left + 13, 221), kCream);
    }
    EXPECT_EQ(pixel(33, top + 6), kNavy);
    EXPECT_EQ(pixel(33, top - 2), kCream);
    EXPECT_EQ(pixel(33, top + 13), kCream);
    EXPECT_EQ(pixel(200, 100), kCream) << "the background";
    closeEditor();
  }
}

TEST_F(Editor, ReopeningShowsWhatTheHostSetMeanwhile) {
  openEditor();
  setParameter(0, 0.25f);  // the open editor does not hear of it...
  settle();
  EXPECT_EQ(pixel(228 + 6, 221), kNavy);
  closeEditor();
  openEditor();  // ...the next one shows it
  EXPECT_EQ(pixel(32 + 49 + 6, 221), kNavy);
  EXPECT_EQ(pixel(228 + 6, 221), kCream);
}

TEST_F(Editor, TheHostMayCloseTheEditorFromAnIdleRequestDuringADrag) {
  openEditor();
  const std::vector<Edit> edits =
      gesture(
          [this] {
            pointAt(100, 226);
            press();
          },
          {[this] { pointAt(120, 226); },
           [this] {
             plugin.dispatch(effEditClose);
             isOpen = false;
           }});
  ASSERT_FALSE(edits.empty());
  EXPECT_EQ(edits.front().kind, Edit::kBegin);
  EXPECT_EQ(edits.back().kind, Edit::kEnd) << "the edit ends with the editor";
  EXPECT_FALSE(IsWindow(editor));
  openEditor();  // and the editor opens again
  EXPECT_EQ(click(135, 226).size(), 3u);
}

TEST_F(Editor, ClosingTheEffectWithItsEditorOpenTakesTheWindowAlong) {
  openEditor();
  plugin.close();
  isOpen = false;
  testwindows::pumpFor(50);
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_TRUE(IsWindow(host.get()));
}

}  // namespace
