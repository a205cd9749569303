// The validation checks of a plug-in's editor, in a real window.
#include "tools/plughost/checks/editorchecks.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>

#include "tools/plughost/checks/kit.h"
#include "tools/plughost/host/crash.h"
#include "tools/plughost/host/host.h"
#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/files.h"

namespace plughost {

namespace {

// ---------------------------------------------------------------------------
// Windows

BOOL CALLBACK collectWindow(HWND window, LPARAM windows) {
  reinterpret_cast<std::set<HWND>*>(windows)->insert(window);
  return TRUE;
}

// Every window inside `parent`, at any depth.
std::set<HWND> windowsInside(HWND parent) {
  std::set<HWND> windows;
  if (parent) EnumChildWindows(parent, collectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::set<HWND> directChildren(HWND parent) {
  std::set<HWND> children;
  for (HWND window : windowsInside(parent))
    if (GetAncestor(window, GA_PARENT) == parent) children.insert(window);
  return children;
}

// This thread's top-level windows and everything inside them.
std::set<HWND> threadWindows() {
  std::set<HWND> topLevel;
  EnumThreadWindows(GetCurrentThreadId(), collectWindow, reinterpret_cast<LPARAM>(&topLevel));
  std::set<HWND> all = topLevel;
  for (HWND window : topLevel) {
    const std::set<HWND> inside = windowsInside(window);
    all.insert(inside.begin(), inside.end());
  }
  return all;
}

std::set<HWND> added(const std::set<HWND>& now, const std::set<HWND>& before) {
  std::set<HWND> result;
  std::set_difference(now.begin(), now.end(), before.begin(), before.end(), std::inserter(result, result.end()));
  return result;
}

std::set<HWND> stillThere(const std::set<HWND>& windows) {
  std::set<HWND> alive;
  for (HWND window : windows)
    if (IsWindow(window)) alive.insert(window);
  return alive;
}

SIZE clientSize(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  return SIZE{client.right - client.left, client.bottom - client.top};
}

// `class "Name", 320x240, style 0x50000000`
std::string describeWindow(HWND window) {
  char name[128] = "";
  GetClassNameA(window, name, sizeof name);
  const SIZE size = clientSize(window);
  return format("class \"%s\", %ldx%ld, style 0x%08lX", name, size.cx, size.cy,
                static_cast<unsigned long>(GetWindowLongPtrA(window, GWL_STYLE)));
}

std::string describeWindows(const std::set<HWND>& windows) {
  std::string text = format("%zu window%s (", windows.size(), windows.size() == 1 ? "" : "s");
  size_t shown = 0;
  for (HWND window : windows) {
    if (shown == 3) {
      text += "; ...";
      break;
    }
    text += (shown++ ? "; " : "") + describeWindow(window);
  }
  return text + ")";
}

// ---------------------------------------------------------------------------
// The editor session

// A session whose effect has an editor, and the host's window for it,
// sized to the rectangle the editor gives before it opens (or 640x480 when
// that is unusable: the rectangle check reports it). Closes the effect
// before the window goes, as a host does, so that the window's end never
// reaches an editor left open.
class CheckedEditor {
 public:
  explicit CheckedEditor(const CheckContext& context)
      : session(context),
        effect(session.effect),
        faults(reinterpret_cast<const void*>(effect.record()->dispatcher)),
        before(requireEditor()),
        shown(effect, hostWidth(), hostHeight()),
        host(shown.host) {}
  ~CheckedEditor() {
    if (effect.record()) effect.close();
  }
  CheckedEditor(const CheckedEditor&) = delete;
  CheckedEditor& operator=(const CheckedEditor&) = delete;

  EditorRect rect() { return shown.rect(); }
  PlugIntPtr open() { return shown.open(); }
  void close() { shown.close(); }
  // Idle requests about as a host sends them, with the messages between.
  void idle(int times) {
    for (int i = 0; i < times; ++i) {
      shown.idle();
      pumpMessages(10);
    }
  }
  // The windows open() made: inside the host's window, or top-level ones
  // of this thread that were not there before and are visible.
  std::set<HWND> editorWindows(const std::set<HWND>& earlier) const {
    std::set<HWND> windows = windowsInside(host.get());
    for (HWND window : added(threadWindows(), earlier))
      if (GetAncestor(window, GA_PARENT) == GetDesktopWindow() && IsWindowVisible(window)) windows.insert(window);
    return windows;
  }

  Session session;
  Effect& effect;
  PlugInFaultWatch faults;
  const EditorRect before;  // asked before any open
  EditorSession shown;
  HostWindow& host;

 private:
  EditorRect requireEditor() {
    try {
      return plughost::requireEditor(effect);
    } catch (const NoEditor& none) {
      throw CheckSkipped(none.what());
    }
  }
  int hostWidth() const { return before.problem().empty() ? static_cast<int>(before.width()) : 640; }
  int hostHeight() const { return before.problem().empty() ? static_cast<int>(before.height()) : 480; }
};

// ---------------------------------------------------------------------------
// The checks

std::string checkRectBeforeOpen(const CheckContext& context) {
  CheckedEditor editor(context);
  const std::string problem = editor.before.problem();
  require(problem.empty(), "effEditGetRect before effEditOpen " + problem);
  return format("%ldx%ld before open", editor.before.width(), editor.before.height());
}

std::string checkOpen(const CheckContext& context) {
  CheckedEditor editor(context);
  const std::set<HWND> earlier = threadWindows();
  const PlugIntPtr answer = editor.open();
  require(answer == 1, format("effEditOpen answered %lld, not 1", static_cast<long long>(answer)));
  pumpMessages(30);
  const EditorRect rect = editor.rect();
  const std::string problem = rect.problem();
  require(problem.empty(), "effEditGetRect after effEditOpen " + problem);
  const std::set<HWND> children = directChildren(editor.host.get());
  if (children.empty()) {
    const std::set<HWND> elsewhere = editor.editorWindows(earlier);
    require(elsewhere.empty(), "effEditOpen made no window inside the host's window, only top-level ones: " +
                                   describeWindows(elsewhere));
    throw CheckFailure("effEditOpen made no window inside the host's window");
  }
  for (HWND child : children) {
    const SIZE size = clientSize(child);
    if ((GetWindowLongPtrA(child, GWL_STYLE) & WS_CHILD) && size.cx == rect.width() && size.cy == rect.height()) {
      const std::string note = format("answered 1; a %ldx%ld child window inside the host's window (",
                                      size.cx, size.cy) + describeWindow(child) + ")";
      editor.close();
      return note;
    }
  }
  throw CheckFailure(format("no window inside the host's window has the rectangle's size %ldx%ld: ",
                            rect.width(), rect.height()) + describeWindows(children));
}

std::string checkIdleWhenClosed(const CheckContext& context) {
  CheckedEditor editor(context);
  const int kIdles = 5;
  pumpMessages(10);
  std::set<HWND> earlier = threadWindows();
  editor.idle(kIdles);
  std::set<HWND> made = added(threadWindows(), earlier);
  require(made.empty(), "effEditIdle before any effEditOpen made " + describeWindows(made));
  editor.open();
  editor.idle(1);
  editor.close();
  pumpMessages(10);
  earlier = threadWindows();
  editor.idle(kIdles);
  made = added(threadWindows(), earlier);
  require(made.empty(), "effEditIdle after effEditClose made " + describeWindows(made));
  return format("%d idle requests before open and %d after close made no window", kIdles, kIdles);
}

std::string checkCloseTwice(const CheckContext& context) {
  CheckedEditor editor(context);
  editor.close();  // closed already, as it starts
  const std::set<HWND> earlier = threadWindows();
  editor.open();
  pumpMessages(30);
  const std::set<HWND> windows = editor.editorWindows(earlier);
  editor.close();
  pumpMessages(10);
  const std::set<HWND> left = stillThere(windows);
  require(left.empty(), "after effEditClose the editor's windows are still there: " + describeWindows(left));
  editor.close();
  pumpMessages(30);
  return format("a close before open and two after it; the editor's %zu window%s went with the first",
                windows.size(), windows.size() == 1 ? "" : "s");
}

// What the process has committed for itself, bitmaps included: Wine keeps
// their pixels in the process, and GetGuiResources answers 0 there. Wine 8
// reports it as the page-file usage and leaves PrivateUsage 0; Windows
// gives the same figure in both.
size_t privateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof counters))
    throw InputError("cannot read the process's memory use: " + systemErrorText(GetLastError()));
  return std::max(counters.PrivateUsage, counters.PagefileUsage);
}

double mebibytes(long long bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// The process's kernel handles and its GDI and USER objects. Wine answers 0
// for the last two, keeping bitmaps in process memory instead, where
// privateBytes sees them.
struct HandleCounts {
  long long kernel = 0;
  long long gdi = 0;
  long long user = 0;
};

HandleCounts handleCounts() {
  HandleCounts counts;
  DWORD kernel = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &kernel)) counts.kernel = kernel;
  counts.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  counts.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  return counts;
}

std::string checkOpenCloseCycles(const CheckContext& context) {
  CheckedEditor editor(context);
  auto cycle = [&editor] {
    editor.open();
    editor.effect.dispatch(effEditIdle);
    pumpMessages(0);
    editor.close();
    pumpMessages(0);
  };
  // What the first opens set up for good (classes, caches) is in place
  // before the count starts.
  const int kWarmUp = 20;
  const int kCycles = 200;
  for (int i = 0; i < kWarmUp; ++i) cycle();
  const std::set<HWND> earlier = threadWindows();
  const HandleCounts handlesBefore = handleCounts();
  const size_t before = privateBytes();
  for (int i = 0; i < kCycles; ++i) cycle();
  const long long grown = static_cast<long long>(privateBytes()) - static_cast<long long>(before);
  const HandleCounts handlesAfter = handleCounts();
  // A bitmap the size of a small editor is 300 KiB: a leak of one per
  // open shows as many megabytes; noise stays far below the allowance.
  const long long kAllowed = 2 * 1024 * 1024;
  require(grown <= kAllowed,
          format("private memory grew by %.1f MiB over %d open/close cycles (%lld KiB a cycle; %.0f MiB allowed)",
                 mebibytes(grown), kCycles, grown / kCycles / 1024, mebibytes(kAllowed)));
  const std::set<HWND> left = added(threadWindows(), earlier);
  require(left.empty(), format("after %d open/close cycles the editor left ", kCycles) + describeWindows(left));
  // A handle lost per open shows as hundreds; what the system keeps for
  // itself on the way (Wine's among it) stays within a few dozen.
  const long long kHandlesAllowed = kCycles / 8;
  const struct {
    const char* what;
    long long grew;
  } handles[] = {{"kernel handles", handlesAfter.kernel - handlesBefore.kernel},
                 {"GDI objects", handlesAfter.gdi - handlesBefore.gdi},
                 {"USER objects", handlesAfter.user - handlesBefore.user}};
  for (const auto& kind : handles)
    require(kind.grew <= kHandlesAllowed, format("the process's %s grew by %lld over %d open/close cycles (%lld allowed)",
                                                 kind.what, kind.grew, kCycles, kHandlesAllowed));
  return format("%d open/close cycles after %d to warm up: no window left, private memory %+.2f MiB, "
                "kernel handles %+lld, GDI objects %+lld",
                kCycles, kWarmUp, mebibytes(grown), handles[0].grew, handles[1].grew);
}

std::string checkParentDestroyed(const CheckContext& context) {
  CheckedEditor editor(context);
  editor.open();
  pumpMessages(30);
  editor.idle(2);
  noteActivity("the host destroying its window under the open editor");
  editor.host.destroy();
  pumpMessages(20);
  const int kIdles = 5;
  editor.idle(kIdles);
  editor.close();
  pumpMessages(20);
  return format("the host's window destroyed under the open editor, then %d idle requests and effEditClose",
                kIdles);
}

std::string checkEffectClosed(const CheckContext& context) {
  CheckedEditor editor(context);
  editor.open();
  pumpMessages(30);
  editor.idle(2);
  const std::set<HWND> windows = windowsInside(editor.host.get());
  editor.effect.close();
  // Whatever the editor left behind now gets painted and then destroyed,
  // as the host's window would in time.
  noteActivity("messages to the host's window after effClose with the editor open");
  RedrawWindow(editor.host.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  pumpMessages(100);
  const size_t left = stillThere(windows).size();
  noteActivity("the host destroying its window after effClose with the editor open");
  editor.host.destroy();
  pumpMessages(30);
  if (left == 0) return "effClose with the editor open took its windows with it";
  return format("effClose with the editor open; %zu of its windows stayed, harmlessly, until the host's went",
                left);
}

}  // namespace

std::vector<Check> editorChecks() {
  return {
      {"editor-rect-before-open", checkRectBeforeOpen,
       "the editor gives a usable rectangle before it opens"},
      {"editor-open", checkOpen,
       "the editor opens as one child window of the rectangle's size inside the host's window"},
      {"editor-idle-closed", checkIdleWhenClosed,
       "idle requests to a closed editor make no window"},
      {"editor-close-twice", checkCloseTwice,
       "closing the editor twice, or before it opens, causes no fault"},
      {"editor-open-close-cycles", checkOpenCloseCycles,
       "opening and closing the editor many times leaves no window, handle or memory behind"},
      {"editor-parent-destroyed", checkParentDestroyed,
       "the editor survives the host destroying its window before closing it"},
      {"editor-effect-closed", checkEffectClosed,
       "closing the effect with the editor open closes the editor cleanly"},
  };
}

}  // namespace plughost
