// Measures the plug-in's own editor, loaded from quillon.dll and opened in a
// window of this program's as a host opens it: the host's idle request after
// one slider's value changed (the repaint a user waits for on every wheel
// notch or drag step), a repaint of the whole window, and the time from the
// open request to the first finished picture. The slider is moved by wheel
// messages sent straight to the editor's window, so no real mouse is needed
// and nothing but the repaint is inside the timer. Each figure is the median
// of many repetitions in this one run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/benchclock.h"
#include "plugin/aeffect.h"

namespace {

// Under the goal a slider change repaints little more than the slider.
constexpr double kGoalRatio = 0.15;

// The Ratio slider's middle, in the editor's coordinates. Ratio rather than
// Threshold: a Threshold change writes a line on standard error, which would
// bury the figures under thousands of lines.
constexpr POINT kRatioSliderMiddle = {38, 126};
constexpr PlugInt32 kRatioParameter = 1;
constexpr short kWheelNotch = WHEEL_DELTA;

// Where the host window sits on the screen, away from the corner where
// Wine's desktop might keep anything of its own.
constexpr int kHostLeft = 40;
constexpr int kHostTop = 40;

struct HostCounts {
  long automated = 0;
  long idleRequests = 0;
};
HostCounts counts;

PlugIntPtr host(AEffect*, PlugInt32 opcode, PlugInt32, PlugIntPtr, void*, float) {
  switch (opcode) {
    case audioMasterVersion:
      return 2400;
    case audioMasterAutomate:
      counts.automated++;
      return 0;
    case audioMasterIdle:
      counts.idleRequests++;
      return 0;
    default:
      return 0;
  }
}

// Hands out whatever Wine queued for our windows between two samples, so that
// no stray message is handled inside a timed step.
void pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Runs `prepare` untimed and `step` timed, `warmUp` times unrecorded and then
// `repetitions` times, and answers the median in microseconds. GDI batches
// its calls, so the clock stops only once the batch has gone out.
template <typename Prepare, typename Step>
double medianMicroseconds(int warmUp, int repetitions, Prepare prepare, Step step) {
  std::vector<double> samples;
  samples.reserve(static_cast<size_t>(repetitions));
  for (int i = 0; i < warmUp + repetitions; i++) {
    prepare();
    pumpMessages();
    const double start = seconds();
    step();
    GdiFlush();
    const double elapsed = seconds() - start;
    if (i >= warmUp) samples.push_back(elapsed * 1e6);
  }
  std::nth_element(samples.begin(), samples.begin() + repetitions / 2, samples.end());
  return samples[static_cast<size_t>(repetitions / 2)];
}

class LoadedModule {
 public:
  explicit LoadedModule(const char* path) : module(LoadLibraryA(path)) {}
  ~LoadedModule() {
    if (module) FreeLibrary(module);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  HMODULE get() const { return module; }

 private:
  HMODULE module;
};

class HostWindow {
 public:
  HostWindow(int width, int height)
      : window(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, kHostLeft, kHostTop, width, height,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {
    if (window) ShowWindow(window, SW_SHOWNOACTIVATE);
  }
  ~HostWindow() {
    if (window) DestroyWindow(window);
  }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  HWND get() const { return window; }

 private:
  HWND window;
};

// The effect, closed through its own opcode as a host lets go of it.
class Effect {
 public:
  explicit Effect(AEffect* made) : effect(made) {}
  ~Effect() {
    if (effect) dispatch(effClose);
  }
  Effect(const Effect&) = delete;
  Effect& operator=(const Effect&) = delete;
  AEffect* get() const { return effect; }
  PlugIntPtr dispatch(PlugInt32 opcode, void* ptr = nullptr) const {
    return effect->dispatcher(effect, opcode, 0, 0, ptr, 0.0f);
  }

 private:
  AEffect* effect;
};

AEffect* createEffect(HMODULE module) {
  auto entry = reinterpret_cast<AEffect* (*)(audioMasterCallback)>(
      reinterpret_cast<void*>(GetProcAddress(module, "PluginMain")));
  return entry ? entry(host) : nullptr;
}

HWND editorWindow(HWND hostWindow) { return GetWindow(hostWindow, GW_CHILD); }

// The editor opened, with its first picture on the screen.
void openAndPaint(const Effect& effect, HWND hostWindow) {
  effect.dispatch(effEditOpen, hostWindow);
  UpdateWindow(editorWindow(hostWindow));
}

// One notch over the Ratio slider, the way the system delivers a wheel turn:
// the point in screen coordinates, the distance in the high word.
void turnWheel(HWND editor, short delta) {
  POINT where = kRatioSliderMiddle;
  ClientToScreen(editor, &where);
  const WPARAM distance = static_cast<WPARAM>(static_cast<unsigned short>(delta)) << 16;
  SendMessageA(editor, WM_MOUSEWHEEL, distance, MAKELPARAM(where.x, where.y));
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "quillon.dll";
  LoadedModule module(path);
  if (!module.get()) {
    std::fprintf(stderr, "cannot load %s\n", path);
    return 2;
  }
  Effect effect(createEffect(module.get()));
  if (!effect.get()) {
    std::fprintf(stderr, "%s builds no effect\n", path);
    return 2;
  }
  ERect* size = nullptr;
  if (!(effect.get()->flags & effFlagsHasEditor) || !effect.dispatch(effEditGetRect, &size) || !size) {
    std::fprintf(stderr, "%s has no editor\n", path);
    return 2;
  }
  // From the middle of its travel, a notch up and a notch down keep the
  // slider moving and clear of both ends.
  effect.get()->setParameter(effect.get(), kRatioParameter, 0.5f);

  HostWindow hostWindow(size->right - size->left, size->bottom - size->top);
  if (!hostWindow.get()) {
    std::fprintf(stderr, "cannot make the host window\n");
    return 2;
  }
  const HWND host = hostWindow.get();

  const int warmUp = 200;
  const int repetitions = 2000;
  const double open = medianMicroseconds(warmUp / 4, repetitions / 10, [&] { effect.dispatch(effEditClose); },
                                         [&] { openAndPaint(effect, host); });

  const HWND editor = editorWindow(host);
  if (!editor) {
    std::fprintf(stderr, "the editor made no window\n");
    return 2;
  }
  const double full = medianMicroseconds(warmUp, repetitions, [] {}, [&] {
    InvalidateRect(editor, nullptr, FALSE);
    UpdateWindow(editor);
  });

  int notches = 0;
  const long automatedBefore = counts.automated;
  const double slider = medianMicroseconds(
      warmUp, repetitions, [&] { turnWheel(editor, notches++ % 2 ? -kWheelNotch : kWheelNotch); },
      [&] { effect.dispatch(effEditIdle); });
  const long automated = counts.automated - automatedBefore;
  effect.dispatch(effEditClose);

  const double ratio = slider / full;
  std::printf("slider_repaint_us=%.2f\n", slider);
  std::printf("full_repaint_us=%.2f\n", full);
  std::printf("editor_open_ms=%.3f\n", open / 1000.0);
  std::printf("slider_to_full_ratio=%.3f\n", ratio);
  std::printf("goal_ratio_at_most=%.2f goal_met=%s\n", kGoalRatio, ratio <= kGoalRatio ? "yes" : "NO");
  std::printf("wheel_notches=%d automated=%ld host_idle_requests=%ld\n", notches, automated, counts.idleRequests);
  // A notch that moved nothing would have timed an idle with nothing to draw.
  if (automated != notches) {
    std::fprintf(stderr, "only %ld of %d wheel notches reached the slider\n", automated, notches);
    return 1;
  }
  return 0;
}
