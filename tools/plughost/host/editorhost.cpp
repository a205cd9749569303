// The host's side of a plug-in's editor: its rectangle and the window it
// opens in.
#include "tools/plughost/host/editorhost.h"

#include "tools/plughost/platform/files.h"
#include "tools/plughost/platform/text.h"

namespace plughost {

namespace {

const char kWindowClass[] = "PlughostEditorHost";
// Where the host's window goes on the screen: clear of the corner, where
// some window managers put their own things.
constexpr int kWindowX = 100;
constexpr int kWindowY = 100;

}  // namespace

bool EditorRect::placeable() const {
  return rect.left >= 0 && rect.top >= 0 && width() <= kMaxSide && height() <= kMaxSide;
}

std::string EditorRect::problem() const {
  if (answer != 1) return format("answered %lld, not 1", static_cast<long long>(answer));
  if (!given) return "answered 1 but gave no rectangle";
  const std::string sides =
      format("(top %d, left %d, bottom %d, right %d)", rect.top, rect.left, rect.bottom, rect.right);
  if (width() <= 0 || height() <= 0) return "gave an empty rectangle " + sides;
  if (!placeable())
    return format("gave a rectangle a host cannot place, %ldx%ld ", width(), height()) + sides;
  return "";
}

EditorRect askEditorRect(Effect& effect) {
  EditorRect result;
  ERect* given = nullptr;
  result.answer = effect.dispatch(effEditGetRect, 0, 0, &given);
  result.given = given != nullptr;
  if (given) result.rect = *given;
  return result;
}

EditorRect requireEditor(Effect& effect) {
  const PlugInt32 flags = effect.record()->flags;
  if (!(flags & effFlagsHasEditor))
    throw NoEditor(format("no editor (flags 0x%X lack effFlagsHasEditor)", static_cast<unsigned>(flags)));
  return askEditorRect(effect);
}

HostWindow::HostWindow(int width, int height, Frame frame, const std::string& title, Handler handler)
    : handler(std::move(handler)) {
  static const bool registered = [] {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassA(&windowClass) != 0;
  }();
  (void)registered;
  const DWORD style =
      (frame == Frame::kBare ? WS_POPUP : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX) | WS_CLIPCHILDREN;
  const DWORD exStyle = frame == Frame::kBare ? WS_EX_TOOLWINDOW : 0;
  RECT outer = {0, 0, width, height};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  window = CreateWindowExA(exStyle, kWindowClass, title.c_str(), style, kWindowX, kWindowY, outer.right - outer.left,
                           outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleA(nullptr), this);
  if (!window) throw InputError("cannot make the host's window: " + systemErrorText(GetLastError()));
  ShowWindow(window, SW_SHOWNOACTIVATE);
}

void HostWindow::destroy() {
  if (window && IsWindow(window)) DestroyWindow(window);
  window = nullptr;
}

LRESULT CALLBACK HostWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  LRESULT answer = 0;
  const bool handled = host && host->handler && host->handler(message, wParam, lParam, answer);
  if (message == WM_NCDESTROY && host) {
    // However the window went (WM_CLOSE, its owner's end), the handle is
    // dead now and may be given to another window: get() answers null.
    host->window = nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  }
  return handled ? answer : DefWindowProcA(window, message, wParam, lParam);
}

void pumpMessages(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (ms) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  } while (GetTickCount() - start < ms);
}

}  // namespace plughost
