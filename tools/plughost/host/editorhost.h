// The host's side of a plug-in's editor: whether there is one, the
// rectangle it asks for, and the window a host opens it in.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "plugin/aeffect.h"
#include "tools/plughost/host/host.h"
#include "tools/plughost/platform/errors.h"

namespace plughost {

// An answer to effEditGetRect, with a copy of the rectangle it gave.
struct EditorRect {
  PlugIntPtr answer = 0;
  bool given = false;
  ERect rect = {};

  long width() const { return rect.right - rect.left; }
  long height() const { return rect.bottom - rect.top; }
  // Whether a host can show the rectangle: from its window's origin, on a
  // screen. What it gives is left to problem().
  bool placeable() const;
  // What is wrong with the answer, or "".
  std::string problem() const;
  static constexpr long kMaxSide = 8192;
};

// The rectangle the editor gives now.
EditorRect askEditorRect(Effect& effect);

// A plug-in whose flags offer no editor; the message says so.
class NoEditor : public InputError {
 public:
  using InputError::InputError;
};

// The rectangle the editor gives before it opens; throws NoEditor unless
// the record's flags offer an editor. The rectangle is not judged here:
// a check reports a bad one, a command refuses it.
EditorRect requireEditor(Effect& effect);

// The window a host opens an editor in: top-level, of a class of
// plughost's own, its client area the size asked for, shown without
// taking the activation (destroying an active top-level window makes
// Wine's X11 driver wait two seconds for the focus to move).
class HostWindow {
 public:
  // Bare for scripted and checking runs, whose points count from the
  // client area's corner; with a caption and a close box for a user.
  enum class Frame { kBare, kCaption };
  // A message its owner handles: true when it did, with the answer set.
  using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer)>;

  HostWindow(int width, int height, Frame frame = Frame::kBare, const std::string& title = "plughost",
             Handler handler = nullptr);
  ~HostWindow() { destroy(); }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // The window; null once it is destroyed, by destroy() or otherwise.
  HWND get() const { return window; }
  void destroy();

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window = nullptr;
  Handler handler;
};

// An effect's editor as a host shows it: in a host window of the size
// given, opened, idled and closed on request.
class EditorSession {
 public:
  EditorSession(Effect& effect, int width, int height, HostWindow::Frame frame = HostWindow::Frame::kBare,
                const std::string& title = "plughost", HostWindow::Handler handler = nullptr)
      : effect(effect), host(width, height, frame, title, std::move(handler)) {}

  // effEditOpen with the host's window; the plug-in's answer.
  PlugIntPtr open() { return effect.dispatch(effEditOpen, 0, 0, host.get()); }
  // effEditClose, asked or not: a host may send it twice, or before open.
  void close() { effect.dispatch(effEditClose); }
  void idle() { effect.dispatch(effEditIdle); }
  EditorRect rect() { return askEditorRect(effect); }

  Effect& effect;
  HostWindow host;
};

// Handles what is queued for this thread's windows, for `ms` at least.
void pumpMessages(DWORD ms);

}  // namespace plughost
