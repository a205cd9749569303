// The platform's pop-up menus a plug-in opens from its editor, as the
// screen shows them: found, their items located for real clicks, and
// pictured. A pop-up runs a message loop of its own on the window's
// thread, so these are used from the script's thread, or from a task the
// window's thread runs inside that loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace plughost {

struct PopUp {
  HWND window = nullptr;  // none when there is no such pop-up
  HMENU menu = nullptr;
};

// The innermost open pop-up of this process: the one that opened no other
// that is open.
PopUp innermostPopUp();

// An item's rectangle on the screen.
RECT itemRect(const PopUp& popUp, int position);

// Clicks one item in each pop-up of a path: the first in the outermost
// open pop-up, each next one in the sub-menu the one before it opened.
// Waits for each pop-up to appear. Answers what went wrong, or "" when
// every click was made.
std::string chooseItems(const std::vector<int>& items, const std::function<void(POINT)>& click);

}  // namespace plughost
