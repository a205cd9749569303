// Real windows and real input for GUI tests: host windows to open frames
// in, the message pump, pixels read back from a window, and mouse and key
// input through SendInput.
#pragma once

#include <windows.h>

#include "plugin/plugmain.h"

namespace testwindows {

// A test executable linked with the library statically has no plug-in
// module entry; the frame registers its class for the executable instead.
inline void useExecutableInstance() {
  if (!hInstance) hInstance = GetModuleHandleA(nullptr);
}

inline void pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

inline void pumpFor(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  do {
    pumpMessages();
    Sleep(1);
  } while (GetTickCount() < end);
}

// Paints what the system thinks needs it, now: WM_PAINT through the queue.
inline void paintWindow(HWND window, const RECT* area = nullptr) {
  InvalidateRect(window, area, FALSE);
  UpdateWindow(window);
}

inline COLORREF windowPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

// A window standing in for the host's: top-level (a borderless pop-up at a
// known screen position, so that client and screen coordinates differ only
// by that position) or a child of another window.
class HostWindow {
 public:
  HostWindow(int x, int y, int width, int height, HWND parent = nullptr, DWORD style = 0) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "QuillonTestHost";
    RegisterClassA(&windowClass);  // fails harmlessly once registered
    if (!style) style = parent ? WS_CHILD : WS_POPUP;
    window_ = CreateWindowExA(parent ? 0 : WS_EX_TOOLWINDOW, "QuillonTestHost", "host", style, x, y, width, height,
                              parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    // Shown without activation: destroying an active top-level window makes
    // the X11 driver wait two seconds for the focus to move.
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    pumpMessages();
  }
  ~HostWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
    pumpMessages();
  }
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND get() const { return window_; }
  void destroy() {
    DestroyWindow(window_);
    pumpMessages();
  }

 private:
  HWND window_ = nullptr;
};

inline RECT screenRect(HWND window) {
  RECT rect = {0, 0, 0, 0};
  GetWindowRect(window, &rect);
  return rect;
}

//-----------------------------------------------------------------------------
// Real input

inline void sendMouse(DWORD flags, DWORD data = 0) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  input.mi.mouseData = data;
  SendInput(1, &input, sizeof(input));
}

inline void sendKey(WORD key, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof(input));
}

// Puts the pointer on a point of a window's client area.
inline void pointAt(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  SetCursorPos(point.x, point.y);
}

// Holds a button or key down for the length of a scope.
class Held {
 public:
  static Held button(DWORD down, DWORD up) { return Held(down, up, 0); }
  static Held key(WORD virtualKey) { return Held(0, 0, virtualKey); }
  Held(Held&& other) noexcept : down_(other.down_), up_(other.up_), key_(other.key_) { other.released_ = true; }
  ~Held() {
    if (released_) return;
    if (key_)
      sendKey(key_, false);
    else
      sendMouse(up_);
  }

 private:
  Held(DWORD down, DWORD up, WORD key) : down_(down), up_(up), key_(key) {
    if (key_)
      sendKey(key_, true);
    else
      sendMouse(down_);
  }
  DWORD down_;
  DWORD up_;
  WORD key_;
  bool released_ = false;
};

inline Held leftButton() { return Held::button(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }
inline Held rightButton() { return Held::button(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }
inline Held middleButton() { return Held::button(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP); }

}  // namespace testwindows
