// plughost editor: opens a plug-in's editor in a window of its own, as a host
// does, and drives it with real input or leaves it to the user.
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tools/plughost/audio/audioblocks.h"
#include "tools/plughost/commands.h"
#include "tools/plughost/host/editorhost.h"
#include "tools/plughost/host/host.h"
#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/files.h"
#include "tools/plughost/platform/text.h"
#include "tools/plughost/script/actions.h"
#include "tools/plughost/script/input.h"
#include "tools/plughost/script/log.h"
#include "tools/plughost/script/popupmenus.h"
#include "tools/plughost/script/snapshot.h"

namespace plughost {

namespace {

constexpr UINT_PTR kIdleTimer = 1;
constexpr UINT kIdleMs = 20;
// Time an action's consequences get (a last repaint, a late request) before
// its report.
constexpr DWORD kSettleMs = 60;
// Time the host's window gets to take the focus before the first action.
// The X server's word of the new focus may come well after the window was
// made the foreground one, on a busy machine; when it comes, Wine's X11
// driver sets its modifier keys to the X server's, where none is down, and
// so lets go of a Shift or Control the hand holds in the first action.
constexpr DWORD kFocusSettleMs = 300;

struct EditorSize {
  int width = 0;
  int height = 0;
};

// A window thread that takes no step of the script for this long is stuck,
// in a loop of the plug-in's or a pop-up nothing closes: the run ends with
// an error instead of waiting for ever. It cannot wind down in order, since
// the stuck thread holds the plug-in.
constexpr auto kStepLimit = std::chrono::seconds(60);

[[noreturn]] void endStuck() {
  std::fflush(stdout);
  std::fprintf(stderr, "plughost: the editor's window took no step of the script for %d s\n",
               static_cast<int>(kStepLimit.count()));
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), kExitBadInput);
  std::abort();
}

// Work the script hands to the window's thread. It runs at the window's next
// idle tick: timer messages come only when the queue holds nothing else, so
// by then every press and key the script gave before has been handled.
class WindowTasks {
 public:
  // Script thread. False when the window went away before the task ran.
  bool run(std::function<void()> task) {
    std::unique_lock<std::mutex> lock(mutex);
    if (closed) return false;
    pending = std::move(task);
    const unsigned long ticket = ++handed;
    if (!changed.wait_for(lock, kStepLimit, [&] { return closed || finished >= ticket; })) endStuck();
    return finished >= ticket;
  }

  // Window thread. A task that throws counts as not run.
  void runPending() {
    std::function<void()> task;
    {
      const std::lock_guard<std::mutex> lock(mutex);
      task.swap(pending);
    }
    if (!task) return;
    task();
    {
      const std::lock_guard<std::mutex> lock(mutex);
      ++finished;
    }
    changed.notify_all();
  }

  // Window thread: no task runs any more; a waiting script gives up.
  void close() {
    {
      const std::lock_guard<std::mutex> lock(mutex);
      closed = true;
      pending = nullptr;
    }
    changed.notify_all();
  }

 private:
  std::mutex mutex;
  std::condition_variable changed;
  std::function<void()> pending;
  unsigned long handed = 0;
  unsigned long finished = 0;
  bool closed = false;
};

// Ctrl+C in the console closes the editor as the window's close box does,
// so the plug-in is still told.
HWND gWindowForCtrlC = nullptr;

BOOL WINAPI closeOnCtrlC(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  if (gWindowForCtrlC) PostMessageA(gWindowForCtrlC, WM_CLOSE, 0, 0);
  return TRUE;
}

class CtrlCCloses {
 public:
  explicit CtrlCCloses(HWND window) {
    gWindowForCtrlC = window;
    SetConsoleCtrlHandler(closeOnCtrlC, TRUE);
  }
  ~CtrlCCloses() {
    SetConsoleCtrlHandler(closeOnCtrlC, FALSE);
    gWindowForCtrlC = nullptr;
  }
  CtrlCCloses(const CtrlCCloses&) = delete;
  CtrlCCloses& operator=(const CtrlCCloses&) = delete;
};

// The input file played in a loop while the editor is open, one block at
// each idle tick, as a playing host feeds a plug-in whose editor shows what
// it hears. What comes out is not listened to.
class LoopedInput {
 public:
  LoopedInput(Effect& effect, InputFile file, PlugInt32 blockSize)
      : effect(effect),
        signal(std::move(file.signal)),
        sampleRate(file.sampleRate),
        blockSize(blockSize),
        buffers(effect.record()->numInputs, effect.record()->numOutputs, blockSize) {
    block.left.resize(blockSize);
    block.right.resize(blockSize);
  }

  void playBlock() {
    // A file shorter than a block comes round more than once in it.
    const size_t length = signal.left.size();
    for (size_t i = 0; i < block.left.size(); ++i) {
      block.left[i] = signal.left[position];
      block.right[i] = signal.right[position];
      position = (position + 1) % length;
    }
    buffers.load(block, 0, block.left.size());
    effect.process(buffers.inputs(), buffers.outputs(), blockSize);
    ++played;
  }

  unsigned long blocks() const { return played; }
  size_t frames() const { return signal.left.size(); }
  uint32_t rate() const { return sampleRate; }

 private:
  Effect& effect;
  const StereoSignal signal;
  const uint32_t sampleRate;
  const PlugInt32 blockSize;
  ChannelBuffers buffers;
  StereoSignal block;
  size_t position = 0;
  unsigned long played = 0;
};

void printLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

class ScriptedEditor {
 public:
  // `input` is null without an input file.
  ScriptedEditor(Effect& effect, RequestLog& log, const Options& options, std::vector<EditorAction> actions,
                EditorSize size, LoopedInput* input)
      : effect(effect),
        log(log),
        options(options),
        actions(std::move(actions)),
        size(size),
        input(input),
        scripted(!this->actions.empty() || !options.snapshot.empty()) {}

  // Returns once the editor is closed again. Throws InputError for what went
  // wrong on the way, after closing it.
  void run();

 private:
  bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer);
  bool handleSafely(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer);
  void openEditor();
  void closeEditor();
  void onIdleTick();

  // Script thread.
  void runScript();
  bool perform(const EditorAction& action);
  // Ends the run with an error, as a task of the window's thread that
  // throws does; false.
  bool fail(const std::string& message);

  // The host's window, once made and until it goes.
  HWND window() const { return shown ? shown->host.get() : nullptr; }

  // Window thread, from the script's tasks.
  void pressKey(const EditorAction& action);
  void snapshot(const std::string& path);
  void menuSnapshot(const std::string& path);
  void finish();

  Effect& effect;
  RequestLog& log;
  const Options& options;
  const std::vector<EditorAction> actions;
  const EditorSize size;
  LoopedInput* const input;
  const bool scripted;
  EditorSession* shown = nullptr;  // while run() runs
  bool editorOpen = false;
  WindowTasks tasks;
  std::string failure;
};

bool ScriptedEditor::handleSafely(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
  if (!window()) return false;
  // Nothing may unwind through the system's message dispatch: a failure is
  // kept, and the window closes.
  try {
    return handle(message, wParam, lParam, answer);
  } catch (const std::exception& error) {
    if (failure.empty()) failure = error.what();
    PostMessageA(window(), WM_CLOSE, 0, 0);
    return true;
  }
}

bool ScriptedEditor::handle(UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kIdleTimer) return false;
      onIdleTick();
      return true;
    case WM_CLOSE:
      closeEditor();
      DestroyWindow(window());
      return true;
    case WM_DESTROY:
      closeEditor();
      tasks.close();
      PostQuitMessage(0);
      return true;
    default:
      return false;
  }
}

void ScriptedEditor::openEditor() {
  // The knob mode is a host's setting that an editor may read as it builds
  // its controls, so it comes first.
  PlugIntPtr knobAnswer = 0;
  if (options.knobMode >= 0) knobAnswer = effect.dispatch(effSetEditKnobMode, 0, options.knobMode);
  const PlugIntPtr answer = shown->open();
  editorOpen = true;
  std::printf("editor %d x %d (effEditOpen answered %lld)\n", size.width, size.height,
              static_cast<long long>(answer));
  if (options.knobMode >= 0)
    std::printf("  knob-mode %d (effSetEditKnobMode answered %lld)\n", options.knobMode,
                static_cast<long long>(knobAnswer));
  if (input)
    std::printf("  input %s: %zu frames at %u Hz, looped, %d frames at each idle tick\n", options.input.c_str(),
                input->frames(), static_cast<unsigned>(input->rate()), static_cast<int>(kDefaultBlockSize));
  std::fflush(stdout);
  SetTimer(window(), kIdleTimer, kIdleMs, nullptr);
}

void ScriptedEditor::closeEditor() {
  if (!editorOpen) return;
  KillTimer(window(), kIdleTimer);
  editorOpen = false;
  shown->close();
  std::printf("close\n");
  if (input) std::printf("  processed %lu blocks\n", input->blocks());
  printLines(log.take(true));
}

void ScriptedEditor::onIdleTick() {
  if (!editorOpen) return;
  // Audio first, so that an editor showing levels gets them at this idle.
  if (input) input->playBlock();
  shown->idle();
  // A user sees the edits as they happen; the idle requests wait for the
  // count at the end.
  if (!scripted) printLines(log.take(false));
  tasks.runPending();
}

void ScriptedEditor::run() {
  // Scripted runs take a bare window whose client area starts at its
  // corner; a user gets a caption to move it by and a box to close it.
  EditorSession editor(effect, size.width, size.height,
                       scripted ? HostWindow::Frame::kBare : HostWindow::Frame::kCaption,
                       "plughost editor: " + options.plugin,
                       [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
                         return handleSafely(message, wParam, lParam, answer);
                       });
  shown = &editor;
  const PressWatch watch;
  openEditor();
  // Modifier keys count only for a window with the keyboard focus, so ours
  // takes it. It is shown without activation, since showing it with
  // activation makes the X11 driver take seconds to destroy it; activating
  // it afterwards does not.
  SetForegroundWindow(window());
  UpdateWindow(window());

  const CtrlCCloses ctrlC(window());
  std::thread script;
  if (scripted) script = std::thread([this] { runScript(); });
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  tasks.close();
  if (script.joinable()) script.join();
  if (!failure.empty()) throw InputError(failure);
}

void ScriptedEditor::runScript() {
  Sleep(kFocusSettleMs);
  if (!tasks.run([this] { printLines(log.take(true)); })) return;
  for (size_t i = 0; i < actions.size(); ++i) {
    const EditorAction& action = actions[i];
    if (!tasks.run([&] { std::printf("action %zu: %s\n", i + 1, action.text.c_str()); })) return;
    if (!perform(action)) return;
    Sleep(kSettleMs);
    if (!tasks.run([this] { printLines(log.take(true)); })) return;
  }
  tasks.run([this] { finish(); });
}

bool ScriptedEditor::perform(const EditorAction& action) {
  const Hand hand(window());
  switch (action.kind) {
    case ActionKind::kClick:
    case ActionKind::kCtrlClick:
      hand.click(action.from, action.kind == ActionKind::kCtrlClick);
      return true;
    case ActionKind::kHold:
      hand.hold(action.from, action.milliseconds);
      return true;
    case ActionKind::kDrag:
      hand.drag(action.from, action.to, 0);
      return true;
    case ActionKind::kShiftDrag:
      hand.drag(action.from, action.to, VK_SHIFT);
      return true;
    case ActionKind::kAltDrag:
      hand.drag(action.from, action.to, VK_MENU);
      return true;
    case ActionKind::kWheel:
      hand.wheel(action.from, action.notches);
      return true;
    case ActionKind::kKey:
      // Keys reach an editor through the host, on the window's thread.
      return tasks.run([&] { pressKey(action); });
    case ActionKind::kPress:
    case ActionKind::kKeys:
      for (const KeyPress& key : action.presses) hand.press(key);
      return true;
    case ActionKind::kChoose: {
      // A pop-up runs its own loop on the window's thread: it is found and
      // clicked from here.
      const std::string error = chooseItems(action.items, [&](POINT at) { hand.clickScreen(at); });
      return error.empty() || fail("--do '" + action.text + "': " + error);
    }
    case ActionKind::kType:
      // As a typist's keys come: each after the window's thread has handled
      // the one before, so a field that acts on a character has done so
      // when the next arrives. An empty task runs only once the queue holds
      // nothing else.
      return hand.type(action.typed, [this] { return tasks.run([] {}); });
    case ActionKind::kWait:
      Sleep(action.milliseconds);
      return true;
    case ActionKind::kSnapshot:
      return tasks.run([&] { snapshot(action.path); });
    case ActionKind::kMenuSnapshot:
      return tasks.run([&] { menuSnapshot(action.path); });
  }
  return true;
}

bool ScriptedEditor::fail(const std::string& message) {
  tasks.run([&] { throw InputError(message); });
  return false;
}

void ScriptedEditor::pressKey(const EditorAction& action) {
  const PlugIntPtr answer = effect.dispatch(effEditKeyDown, 0, action.virtualKey, nullptr, action.modifier);
  effect.dispatch(effEditKeyUp, 0, action.virtualKey, nullptr, action.modifier);
  std::printf("  key-down answered %lld\n", static_cast<long long>(answer));
}

void ScriptedEditor::snapshot(const std::string& path) {
  // What the editor still has to draw, drawn now.
  shown->idle();
  RedrawWindow(window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  writePng(path, captureClient(window(), size.width, size.height));
  std::printf("  wrote %s (%d x %d)\n", path.c_str(), size.width, size.height);
}

// The innermost open pop-up, and where its items lie in the picture.
void ScriptedEditor::menuSnapshot(const std::string& path) {
  const PopUp popUp = innermostPopUp();
  if (!popUp.window) throw InputError("menu-snapshot " + path + ": no pop-up menu is open");
  RECT area;
  GetWindowRect(popUp.window, &area);
  const Picture picture = captureScreen(area);
  writePng(path, picture);
  std::printf("  wrote %s (%d x %d)\n", path.c_str(), picture.width, picture.height);
  const int count = GetMenuItemCount(popUp.menu);
  for (int i = 0; i < count; ++i) {
    const RECT item = itemRect(popUp, i);
    std::printf("  item %d: %ld,%ld %ld x %ld\n", i, item.left - area.left, item.top - area.top, item.right - item.left,
                item.bottom - item.top);
  }
}

void ScriptedEditor::finish() {
  if (!options.snapshot.empty()) {
    std::printf("snapshot\n");
    snapshot(options.snapshot);
    printLines(log.take(true));
  }
  closeEditor();
  DestroyWindow(window());
}

// ---------------------------------------------------------------------------

// The editor's size, or bad input for a plug-in without a usable editor.
EditorSize editorSize(Effect& effect, const std::string& plugin) {
  EditorRect rect;
  try {
    rect = requireEditor(effect);
  } catch (const NoEditor& none) {
    throw InputError(plugin + ": the plug-in has " + none.what());
  }
  if (!rect.given || rect.width() <= 0 || rect.height() <= 0)
    throw InputError(plugin + ": the plug-in has no editor (effEditGetRect gave no rectangle)");
  // The host's window and a snapshot take the size asked, however large; a
  // rectangle no host could place is refused, by the rule the checks judge
  // it by.
  if (!rect.placeable())
    throw InputError(format("%s: the editor asks for %ldx%ld at %d,%d, which a host cannot place (at most %ld a side, "
                            "from the window's corner)",
                            plugin.c_str(), rect.width(), rect.height(), rect.rect.left, rect.rect.top,
                            EditorRect::kMaxSide));
  EditorSize size;
  size.width = static_cast<int>(rect.width());
  size.height = static_cast<int>(rect.height());
  return size;
}

void requireInside(const std::vector<EditorAction>& actions, EditorSize size) {
  for (const EditorAction& action : actions)
    for (const EditorPoint& point : pointsOf(action))
      if (point.x < 0 || point.y < 0 || point.x >= size.width || point.y >= size.height)
        throw InputError("--do '" + action.text + "': the point " + std::to_string(point.x) + "," +
                         std::to_string(point.y) + " is outside the editor (" + std::to_string(size.width) +
                         " x " + std::to_string(size.height) + ")");
}

void printParameters(Effect& effect) {
  for (PlugInt32 i = 0; i < effect.record()->numParams; ++i) {
    const std::string name = effect.text(effGetParamName, i);
    const float value = effect.getParameter(i);
    const std::string display = effect.text(effGetParamDisplay, i);
    const std::string label = effect.text(effGetParamLabel, i);
    std::printf("parameter %d \"%s\" %.6f \"%s\" \"%s\"\n", static_cast<int>(i), name.c_str(),
                static_cast<double>(value), display.c_str(), label.c_str());
  }
  std::fflush(stdout);
}

}  // namespace

int runEditor(const Options& options) {
  // Everything the command line can get wrong is refused before the plug-in
  // is loaded or, for the points, before its editor opens.
  std::vector<EditorAction> actions;
  for (const std::string& text : options.actions) actions.push_back(parseAction(text));
  for (const EditorAction& action : actions)
    if (action.kind == ActionKind::kSnapshot || action.kind == ActionKind::kMenuSnapshot) checkWritable(action.path);
  if (!options.snapshot.empty()) checkWritable(options.snapshot);
  std::optional<InputFile> inputFile;
  if (!options.input.empty()) {
    inputFile = readInputFile(options.input);
    if (inputFile->signal.left.empty()) throw InputError(options.input + ": holds no audio to play");
  }

  RequestLog log;
  PluginModule module(options.plugin);
  Host host(module.directory());
  host.trace = options.trace;
  host.observer = [&log](PlugInt32 opcode, PlugInt32 index, PlugIntPtr value, float opt) {
    log.record(opcode, index, value, opt);
  };
  Effect effect(module);
  const EditorSize size = editorSize(effect, options.plugin);
  requireInside(actions, size);
  if (inputFile) requirePlayable(effect, options.plugin);
  applyParameters(options.params, effect);
  // Playing a file, the host runs at the file's rate.
  host.sampleRate = inputFile ? static_cast<float>(inputFile->sampleRate) : kDefaultSampleRate;
  std::optional<LoopedInput> input;
  if (inputFile) {
    effect.startProcessing(host.sampleRate, kDefaultBlockSize);
    input.emplace(effect, std::move(*inputFile), kDefaultBlockSize);
  } else {
    effect.prepare(host.sampleRate, kDefaultBlockSize);
  }
  log.take(true);  // what came before the editor is not the editor's

  ScriptedEditor session(effect, log, options, std::move(actions), size, input ? &*input : nullptr);
  session.run();
  printParameters(effect);
  if (input)
    effect.stopProcessing();
  else
    effect.suspend();
  effect.close();
  return kExitOk;
}

}  // namespace plughost
