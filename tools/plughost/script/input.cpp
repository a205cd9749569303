// Real pointer, button, key and wheel input for plughost editor, given
// through the system from another thread.
#include "tools/plughost/script/input.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <vector>

namespace plughost {

namespace {

// The pacing of the hand. A tracking loop polls the pointer and the buttons
// every few milliseconds and repaints about every 50; the pauses give it time
// to see each state.
constexpr DWORD kPointerSettleMs = 30;
constexpr DWORD kPressArrivalLimitMs = 2000;
constexpr DWORD kKeyArrivalMs = 200;
constexpr int kKeyAttempts = 5;
constexpr DWORD kHoldMs = 50;
constexpr int kStepPixels = 4;
constexpr DWORD kStepMs = 16;
constexpr DWORD kLastPositionMs = 80;
constexpr DWORD kNotchMs = 40;

std::atomic<unsigned long> gPressesTaken{0};

bool isPress(WPARAM message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
         message == WM_MOUSEWHEEL;
}

LRESULT CALLBACK watchMouse(int code, WPARAM message, LPARAM details) {
  if (code == HC_ACTION && isPress(message)) ++gPressesTaken;
  return CallNextHookEx(nullptr, code, message, details);
}

// Waits until this thread sees the key or button in the state just given.
// Seeing the change also tells the other threads of the process: the system
// may otherwise answer their polls from a copy up to 50 ms old, and a
// tracking loop would miss a short press or a modifier.
bool observe(int key, bool down, DWORD limitMs = kPressArrivalLimitMs) {
  const DWORD start = GetTickCount();
  while (((GetAsyncKeyState(key) & 0x8000) != 0) != down) {
    if (GetTickCount() - start >= limitMs) return false;
    Sleep(1);
  }
  return true;
}

void sendMouse(DWORD flags, DWORD data = 0) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  input.mi.mouseData = data;
  SendInput(1, &input, sizeof input);
  if (flags & (MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP)) observe(VK_LBUTTON, flags & MOUSEEVENTF_LEFTDOWN);
}

// The keys outside a keyboard's main block and keypad, which the keyboard
// marks as extended; a program tells them from the keypad's by the mark.
bool isExtended(WORD key) {
  switch (key) {
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      return true;
    default:
      return false;
  }
}

void sendKey(WORD key, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (isExtended(key) ? KEYEVENTF_EXTENDEDKEY : 0);
  // Wine lets go of the first Alt press of a process at once; a press that
  // does not read as held is made again.
  for (int attempt = 0; attempt < kKeyAttempts; ++attempt) {
    SendInput(1, &input, sizeof input);
    if (observe(key, down, kKeyArrivalMs)) return;
  }
}

// A character as the system's text input gives it, whatever the keyboard
// layout: a press and release that carry the character itself.
void sendCharacter(wchar_t unit) {
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE;
  }
  inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof inputs[0]);
}

// Returns once the window's thread has taken a press made after `before`
// presses, or after a limit for a window that does not take it.
void waitUntilTaken(unsigned long before) {
  const DWORD start = GetTickCount();
  while (gPressesTaken == before && GetTickCount() - start < kPressArrivalLimitMs) Sleep(1);
}

// A modifier key held down for the length of a scope (none for 0).
class HeldKey {
 public:
  explicit HeldKey(WORD key) : key(key) {
    if (key) sendKey(key, true);
  }
  ~HeldKey() {
    if (key) sendKey(key, false);
  }
  HeldKey(const HeldKey&) = delete;
  HeldKey& operator=(const HeldKey&) = delete;

 private:
  WORD key;
};

// The left button held down for the length of a scope, from the moment the
// window's thread has taken the press.
class HeldLeftButton {
 public:
  HeldLeftButton() {
    const unsigned long before = gPressesTaken;
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    waitUntilTaken(before);
  }
  ~HeldLeftButton() { sendMouse(MOUSEEVENTF_LEFTUP); }
  HeldLeftButton(const HeldLeftButton&) = delete;
  HeldLeftButton& operator=(const HeldLeftButton&) = delete;
};

// The pointer kept inside the editor for the length of a scope. Besides,
// while the pointer is confined, moving it does not make the X11 driver
// release its pointer grab, which would resynchronise the modifier keys
// with the X server's, where no key is down, and so let go of a Shift or
// Control that the hand holds.
class ConfinedPointer {
 public:
  explicit ConfinedPointer(HWND parent) {
    RECT area;
    GetClientRect(parent, &area);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
    ClipCursor(&area);
  }
  ~ConfinedPointer() { ClipCursor(nullptr); }
  ConfinedPointer(const ConfinedPointer&) = delete;
  ConfinedPointer& operator=(const ConfinedPointer&) = delete;
};

// Puts the pointer on a point of the screen and returns once it has stayed
// there for the settling time. The X11 driver may still hand on a motion
// the X server made before the move, which puts the pointer back where it
// was; a press then would land there. Such a return is undone.
void settlePointer(POINT at) {
  SetCursorPos(at.x, at.y);
  const DWORD start = GetTickCount();
  DWORD stillSince = start;
  while (GetTickCount() - stillSince < kPointerSettleMs && GetTickCount() - start < kPressArrivalLimitMs) {
    Sleep(1);
    POINT now;
    if (GetCursorPos(&now) && (now.x != at.x || now.y != at.y)) {
      SetCursorPos(at.x, at.y);
      stillSince = GetTickCount();
    }
  }
}

// A click where the pointer is.
void clickHere(WORD heldKey) {
  const HeldKey held(heldKey);
  const HeldLeftButton button;
  Sleep(kHoldMs);
}

}  // namespace

PressWatch::PressWatch() : hook(SetWindowsHookExA(WH_MOUSE, watchMouse, nullptr, GetCurrentThreadId())) {}

PressWatch::~PressWatch() {
  if (hook) UnhookWindowsHookEx(hook);
}

POINT Hand::onScreen(EditorPoint at) const {
  POINT screen = {at.x, at.y};
  ClientToScreen(parent, &screen);
  return screen;
}

void Hand::moveTo(EditorPoint at) const {
  const POINT screen = onScreen(at);
  SetCursorPos(screen.x, screen.y);
}

void Hand::click(EditorPoint at, bool withControl) const {
  const ConfinedPointer confined(parent);
  settlePointer(onScreen(at));
  clickHere(withControl ? VK_CONTROL : 0);
}

void Hand::clickScreen(POINT at) const {
  settlePointer(at);
  clickHere(0);
}

void Hand::hold(EditorPoint at, unsigned milliseconds) const {
  const ConfinedPointer confined(parent);
  settlePointer(onScreen(at));
  const HeldLeftButton button;
  Sleep(std::max<DWORD>(kHoldMs, milliseconds));
}

void Hand::drag(EditorPoint from, EditorPoint to, WORD heldKey) const {
  const ConfinedPointer confined(parent);
  settlePointer(onScreen(from));
  const HeldKey held(heldKey);
  const HeldLeftButton button;
  Sleep(kHoldMs);
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  const int steps = std::max(1, (std::max(std::abs(dx), std::abs(dy)) + kStepPixels - 1) / kStepPixels);
  for (int step = 1; step <= steps; ++step) {
    moveTo({from.x + dx * step / steps, from.y + dy * step / steps});
    Sleep(kStepMs);
  }
  Sleep(kLastPositionMs);
}

void Hand::wheel(EditorPoint at, int notches) const {
  const ConfinedPointer confined(parent);
  settlePointer(onScreen(at));
  const int direction = notches > 0 ? 1 : -1;
  for (int notch = 0; notch != notches; notch += direction) {
    const unsigned long before = gPressesTaken;
    sendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(direction * WHEEL_DELTA));
    waitUntilTaken(before);
    Sleep(kNotchMs);
  }
}

void Hand::press(const KeyPress& key) const {
  const HeldKey shift(key.withShift ? VK_SHIFT : 0);
  const HeldKey control(key.withControl ? VK_CONTROL : 0);
  sendKey(key.systemKey, true);
  sendKey(key.systemKey, false);
}

bool Hand::type(const std::string& text, const std::function<bool()>& taken) const {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::vector<wchar_t> units(static_cast<size_t>(std::max(length, 0)));
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), units.data(), length);
  for (const wchar_t unit : units) {
    sendCharacter(unit);
    // The two halves of a character beyond the first 65536 go together.
    if (IS_HIGH_SURROGATE(unit)) continue;
    if (!taken()) return false;
  }
  return true;
}

}  // namespace plughost
