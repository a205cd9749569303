// Real input for plughost editor: the pointer, buttons, keys and wheel,
// given through the system as a user's hand gives them, from a thread other
// than the window's.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tools/plughost/script/actions.h"

namespace plughost {

// Counts the mouse button presses and wheel turns that the window's thread
// has taken from its queue, so the hand knows its press has arrived before it
// moves on. Installed on the window's thread, for its lifetime.
class PressWatch {
 public:
  PressWatch();
  ~PressWatch();
  PressWatch(const PressWatch&) = delete;
  PressWatch& operator=(const PressWatch&) = delete;

 private:
  HHOOK hook;
};

// Moves, presses and turns at points of the editor, whose parent window's
// client area is the editor's coordinate space. Every call returns with all
// buttons and keys up again.
class Hand {
 public:
  explicit Hand(HWND parent) : parent(parent) {}

  void click(EditorPoint at, bool withControl) const;
  // A click at a point of the screen, such as an item of a pop-up menu
  // outside the editor.
  void clickScreen(POINT at) const;
  // Moves in small steps with pauses, so that a control tracking the mouse
  // sees the positions in between and, before the release, the last one.
  // `heldKey` (a virtual key, or 0 for none) stays down from before the
  // press to after the release.
  // The left button pressed at a point and let go there after a time.
  void hold(EditorPoint at, unsigned milliseconds) const;
  // The left button pressed at one point, moved to the other, which may lie
  // outside the control pressed, and let go there.
  void drag(EditorPoint from, EditorPoint to, WORD heldKey) const;
  void wheel(EditorPoint at, int notches) const;
  // One press and release of a virtual key, to whichever window has the
  // keyboard focus.
  void press(const KeyPress& key) const;
  // Types the text (in the system's ANSI code page, as a command line
  // comes) to the window with the keyboard focus, one character at a time;
  // after each, `taken` returns once the window's thread has handled it, or
  // answers false, which ends the typing with false.
  bool type(const std::string& text, const std::function<bool()>& taken) const;

 private:
  POINT onScreen(EditorPoint at) const;
  void moveTo(EditorPoint at) const;

  HWND parent;
};

}  // namespace plughost
