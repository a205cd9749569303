// The pop-up menus a plug-in opens from its editor: found, their items
// located for real clicks, and pictured.
#include "tools/plughost/script/popupmenus.h"

#include <algorithm>

namespace plughost {

namespace {

// The class of the platform's pop-up menu windows.
const char kPopUpClass[] = "#32768";
constexpr DWORD kAppearLimitMs = 2000;
constexpr DWORD kPollMs = 10;

BOOL CALLBACK collectPopUp(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (std::string(name) != kPopUpClass || !IsWindowVisible(window) || process != GetCurrentProcessId()) return TRUE;
  PopUp popUp;
  popUp.window = window;
  popUp.menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
  if (popUp.menu) reinterpret_cast<std::vector<PopUp>*>(found)->push_back(popUp);
  return TRUE;
}

std::vector<PopUp> openPopUps() {
  std::vector<PopUp> found;
  EnumWindows(collectPopUp, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Whether one of the menu's items opens the sub-menu.
bool opens(HMENU menu, HMENU sub) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (GetSubMenu(menu, i) == sub) return true;
  return false;
}

bool opensAny(HMENU menu, const std::vector<PopUp>& open) {
  return std::any_of(open.begin(), open.end(), [&](const PopUp& p) { return opens(menu, p.menu); });
}

bool isOpenedByAny(HMENU menu, const std::vector<PopUp>& open) {
  return std::any_of(open.begin(), open.end(), [&](const PopUp& p) { return opens(p.menu, menu); });
}

// The open pop-up of `menu`, or with none the outermost one, once it is on
// the screen; none if it does not come.
PopUp waitForPopUp(HMENU menu) {
  const DWORD start = GetTickCount();
  do {
    const std::vector<PopUp> open = openPopUps();
    for (const PopUp& popUp : open)
      if (menu ? popUp.menu == menu : !isOpenedByAny(popUp.menu, open)) return popUp;
    Sleep(kPollMs);
  } while (GetTickCount() - start < kAppearLimitMs);
  return PopUp();
}

POINT middleOf(const RECT& area) { return POINT{(area.left + area.right) / 2, (area.top + area.bottom) / 2}; }

}  // namespace

PopUp innermostPopUp() {
  const std::vector<PopUp> open = openPopUps();
  for (const PopUp& popUp : open)
    if (!opensAny(popUp.menu, open)) return popUp;
  return PopUp();
}

RECT itemRect(const PopUp& popUp, int position) {
  RECT area = {};
  GetMenuItemRect(nullptr, popUp.menu, static_cast<UINT>(position), &area);
  return area;
}

std::string chooseItems(const std::vector<int>& items, const std::function<void(POINT)>& click) {
  HMENU menu = nullptr;
  for (size_t level = 0; level < items.size(); ++level) {
    const PopUp popUp = waitForPopUp(menu);
    if (!popUp.window) return level == 0 ? "no pop-up menu is open" : "the sub-menu did not open";
    const int item = items[level];
    const int count = GetMenuItemCount(popUp.menu);
    if (item >= count) return "the pop-up menu has " + std::to_string(count) + " items, from 0";
    if (level + 1 < items.size()) {
      menu = GetSubMenu(popUp.menu, item);
      if (!menu) return "item " + std::to_string(item) + " opens no sub-menu";
    }
    click(middleOf(itemRect(popUp, item)));
  }
  return "";
}

}  // namespace plughost
