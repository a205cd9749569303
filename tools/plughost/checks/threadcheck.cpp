// The checks that run a plug-in from several threads at once, under a
// watchdog.
#include "tools/plughost/checks/threadcheck.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tools/plughost/checks/kit.h"
#include "tools/plughost/host/crash.h"
#include "tools/plughost/host/editorhost.h"
#include "tools/plughost/script/input.h"
#include "tools/plughost/script/popupmenus.h"

namespace plughost {

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT_PTR kIdleTimer = 1;
constexpr UINT kIdleMs = 20;
// The editor stays open about this long, then closes and opens again.
constexpr auto kOpenFor = std::chrono::milliseconds(1000);
constexpr auto kClosedFor = std::chrono::milliseconds(50);
// A drag goes at most this far each way: the hand moves a few pixels every
// 16 ms, so a longer one would take most of the time the editor is open.
constexpr int kDragReach = 48;
// Blocks of noise made before the audio starts, so that the audio thread
// spends its time in the plug-in rather than in the random generator.
constexpr int kNoiseBlocks = 8;
// How long the hand waits for the window's thread to take what it did.
constexpr DWORD kTakenLimitMs = 2000;

// A thread that finishes no call for this long is stuck. Emulated, every
// call takes many times as long.
std::chrono::seconds stallLimit() {
  return std::chrono::seconds(cpuIsEmulated() ? 10 : 5);
}

// ---------------------------------------------------------------------------
// What each thread is doing

// A thread the watchdog watches: the call into the plug-in it is inside, if
// any, and how many it has finished.
struct Watched {
  explicit Watched(const char* name) : name(name) {}
  const char* const name;
  std::atomic<const char*> call{nullptr};
  std::atomic<unsigned long> finished{0};
};

thread_local Watched* tWatched = nullptr;
// Set once a thread has faulted in the plug-in: the others call it no
// more, so the activity the crash report names stays the faulting one's.
std::atomic<bool> gFaulted{false};

// The thread inside a call for the scope. The mark before comes back after,
// for calls made inside calls (an idle request from a pop-up's loop inside
// a message to the editor).
class InCall {
 public:
  InCall(Watched& thread, const char* call) : thread(thread) {
    while (gFaulted) Sleep(INFINITE);
    outer = thread.call.exchange(call);
  }
  ~InCall() {
    thread.call = outer;
    ++thread.finished;
  }
  InCall(const InCall&) = delete;
  InCall& operator=(const InCall&) = delete;

 private:
  Watched& thread;
  const char* outer;
};

// ---------------------------------------------------------------------------
// Faults, reported with the thread and call they happened in

// Said before the crash report of a fault in the plug-in, on the thread
// that made it: the other threads note their own calls as they go.
void beforeFaultReport() {
  gFaulted = true;
  const Watched* thread = tWatched;
  const char* call = thread ? thread->call.load() : nullptr;
  if (call) noteActivity("%s on the %s", call, thread->name);
}

// ---------------------------------------------------------------------------
// The watchdog

// "the audio thread has been inside processReplacing and the window thread
// inside effEditIdle"
std::string describeStuck(const std::vector<const Watched*>& stuck) {
  std::string text;
  for (size_t i = 0; i < stuck.size(); ++i) {
    const char* call = stuck[i]->call.load();
    text += i == 0 ? "" : i + 1 == stuck.size() ? " and " : ", ";
    text += format("the %s %sinside %s", stuck[i]->name, i == 0 ? "has been " : "", call ? call : "a call");
  }
  return text;
}

// Ends the process with a FAIL verdict when a watched thread stays inside
// one call for the stall limit: a stuck thread can neither return nor
// unwind, so the check cannot end in order.
class Watchdog {
 public:
  explicit Watchdog(std::vector<Watched*> threads) : threads(std::move(threads)), thread([this] { watch(); }) {}
  ~Watchdog() {
    over = true;
    thread.join();
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  void watch() {
    const auto limit = stallLimit();
    std::vector<unsigned long> seen(threads.size());
    std::vector<Clock::time_point> since(threads.size(), Clock::now());
    while (!over) {
      Sleep(50);
      const Clock::time_point now = Clock::now();
      bool overLimit = false;
      for (size_t i = 0; i < threads.size(); ++i) {
        const unsigned long finished = threads[i]->finished;
        if (finished != seen[i] || !threads[i]->call) {
          seen[i] = finished;
          since[i] = now;
        }
        overLimit = overLimit || now - since[i] >= limit;
      }
      if (!overLimit || gFaulted) continue;
      // Threads that deadlock stop within moments of each other, but those
      // moments can fall either side of a look, so the one that reached the
      // limit first brings along every thread stalled for half of it.
      std::vector<const Watched*> stuck;
      for (size_t i = 0; i < threads.size(); ++i)
        if (now - since[i] >= limit / 2) stuck.push_back(threads[i]);
      endCheck(format("FAIL %s: %s for %d s", stuck.size() > 1 ? "deadlock" : "hang", describeStuck(stuck).c_str(),
                      static_cast<int>(limit.count())));
    }
  }

  const std::vector<Watched*> threads;
  std::atomic<bool> over{false};
  std::thread thread;
};

// Stops the run's threads and joins them on every way out of its scope, an
// exception's included (the window that cannot be made, a thread that cannot
// start): a thread destroyed while joinable ends the process, and the report
// with it.
class StopAndJoin {
 public:
  StopAndJoin(std::atomic<bool>& stop, std::vector<std::thread*> threads) : stop(stop), threads(std::move(threads)) {}
  ~StopAndJoin() {
    stop = true;
    for (std::thread* thread : threads)
      if (thread->joinable()) thread->join();
  }
  StopAndJoin(const StopAndJoin&) = delete;
  StopAndJoin& operator=(const StopAndJoin&) = delete;

 private:
  std::atomic<bool>& stop;
  const std::vector<std::thread*> threads;
};

// ---------------------------------------------------------------------------
// The run

class EditingRun {
 public:
  EditingRun(const CheckContext& context, Session& session)
      : context(context),
        effect(session.effect),
        end(Clock::now() + std::chrono::duration_cast<Clock::duration>(
                               std::chrono::duration<double>(context.durationSeconds))) {}

  std::string run();

 private:
  // Audio and parameter threads.
  void playAudio();
  void automate();
  void fail(const std::string& failure);

  // Window thread.
  std::string editing(const EditorRect& rect);
  void waitUntilEnd();
  bool handle(UINT message, WPARAM wParam);
  void open();
  bool tryClose();

  // Hand thread.
  void useHand(HWND window, int width, int height);
  bool mayAct();
  void waitForIdles(unsigned long count) const;

  const CheckContext& context;
  Effect& effect;
  const Clock::time_point end;
  Watched audio{"audio thread"};
  Watched window{"window thread"};
  Watched parameters{"parameter thread"};
  std::atomic<bool> stop{false};
  std::mutex failureMutex;
  std::string failure;
  std::atomic<unsigned long> blocks{0};
  std::atomic<unsigned long> rounds{0};

  EditorSession* shown = nullptr;
  std::atomic<bool> editorOpen{false};
  Clock::time_point nextChange;
  int opens = 0;
  std::atomic<unsigned long> idles{0};

  // Whether the hand may act, and whether it is acting: the window's
  // thread closes the editor only between the hand's actions.
  std::mutex handMutex;
  bool handMay = false;
  bool handActing = false;
  bool handOver = false;
  unsigned long drags = 0;
  unsigned long clicks = 0;
  unsigned long menus = 0;  // pop-up menus the hand's presses opened
};

void EditingRun::fail(const std::string& text) {
  const std::lock_guard<std::mutex> lock(failureMutex);
  if (failure.empty()) failure = text;
  stop = true;
}

void EditingRun::playAudio() {
  tWatched = &audio;
  std::mt19937 random(context.seed);
  std::vector<AudioBuffers> noise;
  for (int i = 0; i < kNoiseBlocks; ++i) {
    noise.emplace_back(effect.record()->numInputs, kBlock);
    noise.back().fillNoise(random, 0.5f);
  }
  AudioBuffers outputs(effect.record()->numOutputs, kBlock);
  for (unsigned long block = 0; !stop && Clock::now() < end; ++block) {
    const bool duringEditing = editorOpen;
    {
      InCall call(audio, "processReplacing");
      effect.process(noise[block % kNoiseBlocks].pointers(), outputs.pointers(), kBlock);
    }
    const std::string problem = outputs.nonFiniteProblem("output");
    if (!problem.empty())
      fail(format("block %lu%s: %s", block, duringEditing ? ", the editor open" : "", problem.c_str()));
    ++blocks;
  }
}

void EditingRun::automate() {
  tWatched = &parameters;
  std::mt19937 random(context.seed + 1);
  std::uniform_real_distribution<float> value(0.0f, 1.0f);
  while (!stop && Clock::now() < end) {
    for (PlugInt32 i = 0; i < effect.record()->numParams; ++i) {
      InCall call(parameters, "setParameter");
      effect.setParameter(i, value(random));
    }
    ++rounds;
    Sleep(1);
  }
}

std::string EditingRun::run() {
  EditorRect rect;
  bool hasEditor = true;
  try {
    rect = requireEditor(effect);
  } catch (const NoEditor&) {
    hasEditor = false;
  }
  tWatched = &window;
  std::string editingNote;
  {
    const Watchdog watchdog({&audio, &window, &parameters});
    std::thread audioThread;
    std::thread parameterThread;
    const StopAndJoin joined(stop, {&audioThread, &parameterThread});
    audioThread = std::thread([this] { playAudio(); });
    parameterThread = std::thread([this] { automate(); });
    if (hasEditor)
      editingNote = editing(rect);
    else
      waitUntilEnd();
  }
  if (!failure.empty()) throw CheckFailure(failure);
  const std::string audioNote =
      format("%lu blocks of %d frames of noise, all output finite, and %lu rounds of %d parameter changes",
             blocks.load(), static_cast<int>(kBlock), rounds.load(), static_cast<int>(effect.record()->numParams));
  if (!hasEditor) return format("no editor: %.1f s of ", context.durationSeconds) + audioNote + " from two threads";
  return audioNote + "; " + editingNote;
}

void EditingRun::waitUntilEnd() {
  while (!stop && Clock::now() < end) Sleep(10);
}

bool EditingRun::handle(UINT message, WPARAM wParam) {
  if (message != WM_TIMER || wParam != kIdleTimer) return false;
  if (editorOpen) {
    InCall call(window, "effEditIdle");
    shown->idle();
    ++idles;
  }
  // A pop-up that the hand's Escape did not close holds the window's thread
  // in its loop, where the editor cannot close; it is ended after a while.
  if (Clock::now() >= nextChange + std::chrono::seconds(2)) {
    const std::lock_guard<std::mutex> lock(handMutex);
    if (!handActing) EndMenu();
  }
  return true;
}

void EditingRun::open() {
  {
    InCall call(window, "effEditOpen");
    shown->open();
  }
  ++opens;
  editorOpen = true;
  nextChange = Clock::now() + kOpenFor;
  const std::lock_guard<std::mutex> lock(handMutex);
  handMay = true;
}

// Closes the editor unless the hand is in the middle of an action, which
// it then may not start again.
bool EditingRun::tryClose() {
  {
    const std::lock_guard<std::mutex> lock(handMutex);
    handMay = false;
    if (handActing) return false;
  }
  editorOpen = false;
  InCall call(window, "effEditClose");
  shown->close();
  nextChange = Clock::now() + kClosedFor;
  return true;
}

std::string EditingRun::editing(const EditorRect& rect) {
  // An unusable rectangle is the rectangle check's to report; the editor
  // is still driven, in a window of a common size.
  const bool usable = rect.problem().empty();
  const int width = usable ? static_cast<int>(rect.width()) : 640;
  const int height = usable ? static_cast<int>(rect.height()) : 480;
  EditorSession session(effect, width, height, HostWindow::Frame::kBare, "plughost",
                        [this](UINT message, WPARAM wParam, LPARAM, LRESULT&) { return handle(message, wParam); });
  shown = &session;
  const HWND host = session.host.get();
  const PressWatch watch;
  // Escape counts only for a window with the keyboard focus.
  SetForegroundWindow(host);
  SetTimer(host, kIdleTimer, kIdleMs, nullptr);
  open();
  std::thread hand([this, host, width, height] { useHand(host, width, height); });
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      InCall call(window, "a message to the editor's window");
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (stop || Clock::now() >= end) {
      {
        const std::lock_guard<std::mutex> lock(handMutex);
        handOver = true;
      }
      if (!editorOpen || tryClose()) break;
    } else if (editorOpen && Clock::now() >= nextChange) {
      tryClose();
    } else if (!editorOpen && Clock::now() >= nextChange) {
      open();
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  hand.join();
  KillTimer(host, kIdleTimer);
  pumpMessages(20);
  shown = nullptr;
  return format(
      "the editor opened %d times, idled %lu times, with %lu drags and %lu clicks, each followed by Escape (%lu "
      "pop-up menu%s closed so)",
      opens, idles.load(), drags, clicks, menus, menus == 1 ? "" : "s");
}

// Waits until the hand may act; false once it never may again.
bool EditingRun::mayAct() {
  for (;;) {
    {
      const std::lock_guard<std::mutex> lock(handMutex);
      if (handOver) return false;
      if (handMay) {
        handActing = true;
        return true;
      }
    }
    Sleep(5);
  }
}

// Returns once the window's thread has idled the editor `count` more times:
// idle ticks come only when its queue is empty, so what the hand did
// before has been handled. Gives up after a while for a thread that idles
// no more.
void EditingRun::waitForIdles(unsigned long count) const {
  const unsigned long before = idles;
  const DWORD start = GetTickCount();
  while (idles < before + count && GetTickCount() - start < kTakenLimitMs) Sleep(2);
}

void EditingRun::useHand(HWND host, int width, int height) {
  const Hand hand(host);
  std::mt19937 random(context.seed + 2);
  const int margin = std::min({2, width / 2, height / 2});
  std::uniform_int_distribution<int> x(margin, std::max(margin, width - 1 - margin));
  std::uniform_int_distribution<int> y(margin, std::max(margin, height - 1 - margin));
  std::uniform_int_distribution<int> reach(-kDragReach, kDragReach);
  const KeyPress escape{VK_ESCAPE, false, false};
  for (unsigned long action = 0; mayAct(); ++action) {
    const EditorPoint from{x(random), y(random)};
    if (action % 2 == 0) {
      const EditorPoint to{std::clamp(from.x + reach(random), margin, std::max(margin, width - 1 - margin)),
                           std::clamp(from.y + reach(random), margin, std::max(margin, height - 1 - margin))};
      hand.drag(from, to, 0);
      ++drags;
    } else {
      hand.click(from, false);
      ++clicks;
    }
    // Whatever the press opened, a pop-up menu or a text field, goes again
    // as a user sends it away; a menu opened from another goes one level
    // at each Escape.
    waitForIdles(2);
    if (innermostPopUp().window) ++menus;
    for (int press = 0; press < 4; ++press) {
      hand.press(escape);
      waitForIdles(2);
      if (!innermostPopUp().window) break;
    }
    const std::lock_guard<std::mutex> lock(handMutex);
    handActing = false;
  }
}

std::string checkProcessWhileEditing(const CheckContext& context) {
  Session session(context);
  Effect& effect = session.effect;
  requireProcessing(effect);
  const PlugInFaultWatch faults(reinterpret_cast<const void*>(effect.record()->dispatcher), beforeFaultReport);
  effect.startProcessing(kSampleRate, kBlock);
  EditingRun run(context, session);
  const std::string note = run.run();
  effect.stopProcessing();
  return note;
}

}  // namespace

std::vector<Check> threadChecks() {
  return {
      {"process-while-editing", checkProcessWhileEditing,
       "audio, automation and a user's hand on the editor, opened and closed again, all at once cause no crash, "
       "deadlock or non-finite output"},
  };
}

}  // namespace plughost
