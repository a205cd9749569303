// The option menu: its entries and their kinds, the native pop-up built
// from them and the choice taken from it, and the scheme that draws the
// pop-up's items for the frame.
#include "pluggui/coptionmenu.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "pluggui/cbitmap.h"
#include "pluggui/cframe.h"
#include "pluggui/controlsupport.h"
#include "pluggui/drawingsurface.h"
#include "pluggui/textbuffer.h"
#include "pluggui/viewtree.h"

namespace PLUGGUI {

COptionMenuScheme* gOptionMenuScheme = nullptr;

namespace {

constexpr long kEntryGrowth = 32;
constexpr long kSubMenuGrowth = 10;
// A pop-up this long scrolls rather than spreading into columns.
constexpr long kMostEntriesInColumns = 160;
// The buttons that open the pop-up; 64 is a button beyond the three.
constexpr long kOpeningButtons = kMouseLeft | kMouseRight | 64;

enum class EntryKind { kSeparator, kSubMenu, kGreyed, kTitle, kPlain };

EntryKind kindOf(const char* text) {
  if (std::strcmp(text, "-") == 0) return EntryKind::kSeparator;
  if (std::strncmp(text, "-M", 2) == 0) return EntryKind::kSubMenu;
  if (std::strncmp(text, "-G", 2) == 0) return EntryKind::kGreyed;
  if (std::strncmp(text, "-T", 2) == 0) return EntryKind::kTitle;
  return EntryKind::kPlain;
}

// Separators and titles are not counted where the user counts entries.
bool countable(const char* text) {
  const EntryKind kind = kindOf(text);
  return kind != EntryKind::kSeparator && kind != EntryKind::kTitle;
}

// The format of a numbering: its digits, a space and the text; none for
// any other count.
const char* numberFormat(long numbering) {
  switch (numbering) {
    case 2:
      return "%1d %s";
    case 3:
      return "%02d %s";
    case 4:
      return "%03d %s";
    default:
      return nullptr;
  }
}

// An entry's text as stored: the kind's mark (if any) first, then the
// number (if any), then the text, cut to fit the slot. A number goes after
// the mark, so that a numbered entry keeps its kind; separators and titles
// are not numbered, since they cannot be chosen.
void composeEntry(char* slot, const char* mark, const char* text, long numbering, long position) {
  const char* format = numberFormat(numbering);
  if (format) {
    char numbered[kTextBufferSize];
    std::snprintf(numbered, sizeof numbered, format, static_cast<int>(position), text);
    std::snprintf(slot, kTextBufferSize, "%s%s", mark, numbered);
  } else {
    std::snprintf(slot, kTextBufferSize, "%s%s", mark, text);
  }
}

void composeEntry(char* slot, const char* text, long numbering, long position) {
  switch (kindOf(text)) {
    case EntryKind::kSeparator:
    case EntryKind::kTitle:
      copyBounded(slot, text);
      return;
    case EntryKind::kSubMenu:
    case EntryKind::kGreyed: {
      const char mark[3] = {text[0], text[1], 0};
      composeEntry(slot, mark, text + 2, numbering, position);
      return;
    }
    case EntryKind::kPlain:
      composeEntry(slot, "", text, numbering, position);
      return;
  }
}

// Reserves room for `capacity` elements; false, with the vector as it was,
// when there is no memory. Running out is an answer the caller gives, never
// an exception that leaves the toolkit.
template <typename T>
bool reserveRoom(std::vector<T>& vector, long capacity) {
  try {
    vector.reserve(static_cast<size_t>(capacity));
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

// Empties a vector and gives its memory back.
template <typename T>
void release(std::vector<T>& vector) {
  std::vector<T>().swap(vector);
}

// The choice the pop-up posted to its owner, or -1 when it was closed
// without one. The first entry's id is 0, so the message, not the pop-up's
// answer, tells a choice from none.
long takeChosenId(HWND owner) {
  MSG message;
  if (!PeekMessageA(&message, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE)) return -1;
  if (HIWORD(message.wParam) != 0 || message.lParam != 0) return -1;
  return LOWORD(message.wParam);
}

// The scheme that draws the focus view's pop-up, if it is an option menu's
// and one is set: its own, or the module's.
COptionMenuScheme* schemeOfFocus(CFrame* frame) {
  CView* focus = frame->getFocusView();
  if (!focus || !focus->isTypeOf("COptionMenu")) return nullptr;
  COptionMenuScheme* own = static_cast<COptionMenu*>(focus)->getScheme();
  return own ? own : gOptionMenuScheme;
}

CColor systemColour(int index) { return fromColorRef(GetSysColor(index), 0); }

// An owner-drawn item carries its text as item data. The pop-up's loop runs
// the editor's idle, from which entries may be removed or changed while it
// is open; so each item carries a copy of its own, which goes with the
// native menu, never a pointer into the entries.
bool appendOwnerDrawn(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
  const size_t length = std::strlen(text);
  char* copy = new (std::nothrow) char[length + 1];
  if (!copy) return false;
  std::memcpy(copy, text, length + 1);
  if (AppendMenuA(menu, flags, id, copy)) return true;
  delete[] copy;
  return false;
}

bool appendItem(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
  return (flags & MF_OWNERDRAW) ? appendOwnerDrawn(menu, flags, id, text) : AppendMenuA(menu, flags, id, text);
}

// A native menu with owner-drawn items in it or in a sub-menu is marked so
// (its menu data is 1); the items of the others need not be looked at when
// they go.
MENUINFO menuDataInfo(ULONG_PTR data) {
  MENUINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = MIM_MENUDATA;
  info.dwMenuData = data;
  return info;
}

void markHoldingTexts(HMENU menu, bool holding) {
  const MENUINFO info = menuDataInfo(holding ? 1 : 0);
  SetMenuInfo(menu, &info);
}

bool holdsTexts(HMENU menu) {
  MENUINFO info = menuDataInfo(0);
  return GetMenuInfo(menu, &info) && info.dwMenuData == 1;
}

// Frees the texts of a native menu's owner-drawn items and of those of its
// sub-menus. The mark goes first, so that each is freed once.
void releaseItemTexts(HMENU menu) {
  if (!holdsTexts(menu)) return;
  markHoldingTexts(menu, false);
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; i++) {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item)) continue;
    if (item.hSubMenu) releaseItemTexts(item.hSubMenu);
    if (item.fType & MFT_OWNERDRAW) delete[] reinterpret_cast<char*>(item.dwItemData);
  }
}

}  // namespace

//-----------------------------------------------------------------------------
// The scheme

COptionMenuScheme::COptionMenuScheme()
    : backgroundColor(systemColour(COLOR_MENU)),
      selectionColor(systemColour(COLOR_HIGHLIGHT)),
      textColor(systemColour(COLOR_MENUTEXT)),
      selectedTextColor(systemColour(COLOR_HIGHLIGHTTEXT)),
      disabledTextColor(systemColour(COLOR_GRAYTEXT)),
      font(kFontSmall) {}

COptionMenuScheme::~COptionMenuScheme() {}

void COptionMenuScheme::getItemSize(const char* text, CDrawContext* context, CPoint& size) {
  size.v = 18;
  if (!text || std::strcmp(text, "-") == 0) {
    size.h = 6;
    return;
  }
  context->setFont(font);
  size.h = context->getStringWidth(text) + 18;
}

void COptionMenuScheme::drawItemBack(CDrawContext* context, const CRect& rect, bool selected) {
  context->setFillColor(selected ? selectionColor : backgroundColor);
  context->drawRect(rect, kFillOnly);
}

void COptionMenuScheme::drawItem(const char* text, long /*itemId*/, long state, CDrawContext* context,
                                 const CRect& rect) {
  const bool selected = (state & kSelected) != 0;
  drawItemBack(context, rect, selected);
  if (!text) return;

  if (std::strcmp(text, "-") == 0) {
    const long middle = rect.top + rect.height() / 2;
    CColor shade;
    context->setFrameColor(shade(0, 0, 0, 150));
    context->moveTo(CPoint(rect.left + 2, middle - 1));
    context->lineTo(CPoint(rect.right - 2, middle - 1));
    context->setFrameColor(shade(255, 255, 255, 150));
    context->moveTo(CPoint(rect.left + 2, middle));
    context->lineTo(CPoint(rect.right - 2, middle));
    return;
  }

  if (state & kChecked) {
    CRect dot(6, 4, 14, 12);
    dot.offset(rect.left, rect.top);
    const CColor dotColour = selected ? selectedTextColor : textColor;
    context->setFillColor(dotColour);
    context->setFrameColor(dotColour);
    context->fillEllipse(dot);
  }

  CRect textArea(rect);
  textArea.offset(18, 0);
  context->setFont(font);
  context->setFontColor((state & kDisabled) ? disabledTextColor : selected ? selectedTextColor : textColor);
  const char* tab = std::strchr(text, '\t');
  if (!tab) {
    context->drawString(text, textArea, 0, kAlignLeft);
    return;
  }
  context->drawString(std::string(text, tab).c_str(), textArea, 0, kAlignLeft);
  const CRect afterTab(rect.right - 50, rect.top, rect.right, rect.bottom);
  context->drawString(tab + 1, afterTab, 0, kAlignLeft);
}

// Only a pop-up item with its text as item data is the scheme's: anything
// else owner-drawn in the frame's window is someone else's.
bool measureMenuItem(CFrame* frame, MEASUREITEMSTRUCT* item) {
  if (!item || item->CtlType != ODT_MENU || !item->itemData) return false;
  COptionMenuScheme* scheme = schemeOfFocus(frame);
  if (!scheme) return false;
  const HeldContext measuring(frame->createDrawContext());
  CPoint size(0, 0);
  scheme->getItemSize(reinterpret_cast<const char*>(item->itemData), measuring.get(), size);
  item->itemWidth = static_cast<UINT>(size.h > 0 ? size.h : 0);
  item->itemHeight = static_cast<UINT>(size.v > 0 ? size.v : 0);
  return true;
}

// A greyed item is drawn as a disabled one: the platform marks the two
// apart, but both are items the user cannot choose.
bool drawMenuItem(CFrame* frame, DRAWITEMSTRUCT* item) {
  if (!item || item->CtlType != ODT_MENU || !item->itemData) return false;
  COptionMenuScheme* scheme = schemeOfFocus(frame);
  if (!scheme) return false;
  long state = 0;
  if (item->itemState & ODS_CHECKED) state |= COptionMenuScheme::kChecked;
  if (item->itemState & (ODS_DISABLED | ODS_GRAYED)) state |= COptionMenuScheme::kDisabled;
  if (item->itemState & ODS_SELECTED) state |= COptionMenuScheme::kSelected;
  // Schemes are handed the item one row deeper than the platform's.
  const CRect rect(item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom + 1);
  const HeldContext context(new CDrawContext(nullptr, item->hDC, nullptr));
  scheme->drawItem(reinterpret_cast<const char*>(item->itemData), static_cast<long>(item->itemID), state,
                   context.get(), rect);
  return true;
}

//-----------------------------------------------------------------------------
// Construction

COptionMenu::COptionMenu(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                         CBitmap* clickBackground, long style)
    : CParamDisplay(size, background, style),
      nativeMenu(nullptr),
      entryCount(0),
      subMenuCount(0),
      currentIndex(-1),
      clickBackground(clickBackground),
      lastButton(kMouseRight),
      allocatedEntries(0),
      allocatedSubMenus(0),
      lastResult(-1),
      itemsPerColumn(-1),
      prefixNumbers(0),
      lastMenu(nullptr),
      scheme(nullptr) {
  this->listener = listener;
  this->tag = tag;
  if (clickBackground) clickBackground->remember();
}

COptionMenu::~COptionMenu() {
  removeAllEntry();
  if (clickBackground) clickBackground->forget();
}

bool COptionMenu::isTypeOf(const char* name) const {
  return std::strcmp(name, "COptionMenu") == 0 || CParamDisplay::isTypeOf(name);
}

//-----------------------------------------------------------------------------
// Entries

bool COptionMenu::allocateEntries(long count) {
  if (count <= allocatedEntries) return true;
  const long capacity = allocatedEntries + kEntryGrowth;
  if (!reserveRoom(entries, capacity) || !reserveRoom(checked, capacity)) return false;
  allocatedEntries = capacity;
  return true;
}

bool COptionMenu::allocateSubMenus(long count) {
  if (count <= allocatedSubMenus) return true;
  const long capacity = allocatedSubMenus + kSubMenuGrowth;
  if (!reserveRoom(subMenus, capacity)) return false;
  allocatedSubMenus = capacity;
  return true;
}

// The text goes in as it is, unchecked, with the sub-menu it opens if any:
// the three never part. The room for them has been reserved, so nothing
// here allocates or fails. Only an entry added last comes with a sub-menu,
// which therefore goes after every other.
void COptionMenu::insertEntry(const char* text, long index, COptionMenu* subMenu) {
  std::array<char, kTextBufferSize> slot{};
  copyBounded(slot.data(), text);
  entries.insert(entries.begin() + index, slot);
  checked.insert(checked.begin() + index, 0);
  entryCount++;
  if (currentIndex >= index) currentIndex++;
  if (currentIndex == -1) currentIndex = 0;
  if (subMenu) {
    subMenus.push_back(subMenu);
    subMenuCount++;
    subMenu->remember();
  }
}

// A sub-menu entry takes its sub-menu along, or every later one would open
// the sub-menu of the entry after it. The menu is let go of last, once this
// one is whole again.
void COptionMenu::eraseEntry(long index) {
  const long sub = subMenuOfEntry(index);
  COptionMenu* leaving = sub >= 0 && sub < subMenuCount ? subMenus[sub] : nullptr;
  if (leaving) {
    subMenus.erase(subMenus.begin() + sub);
    subMenuCount--;
  }
  entries.erase(entries.begin() + index);
  checked.erase(checked.begin() + index);
  entryCount--;
  if (currentIndex >= index) currentIndex--;
  if (entryCount == 0) currentIndex = -1;
  if (!leaving) return;
  if (lastMenu && (lastMenu == leaving || leaving->holds(lastMenu))) lastMenu = nullptr;
  leaving->forget();
}

bool COptionMenu::addEntry(char* text, long index) {
  if (entryCount >= kMaxOptionMenuEntries || !allocateEntries(entryCount + 1)) return false;
  const long at = index < 0 || index >= entryCount ? entryCount : index;
  char slot[kTextBufferSize];
  composeEntry(slot, text ? text : "", prefixNumbers, at + 1);
  insertEntry(slot, at);
  return true;
}

bool COptionMenu::holds(const COptionMenu* menu) const {
  for (const COptionMenu* subMenu : subMenus)
    if (subMenu == menu || subMenu->holds(menu)) return true;
  return false;
}

bool COptionMenu::addEntry(COptionMenu* subMenu, char* text) {
  if (entryCount >= kMaxOptionMenuEntries || !subMenu || !text) return false;
  if (subMenu == this || subMenu->holds(this)) return false;
  if (!allocateSubMenus(subMenuCount + 1) || !allocateEntries(entryCount + 1)) return false;
  char slot[kTextBufferSize];
  composeEntry(slot, "-M", text, prefixNumbers, entryCount + 1);
  insertEntry(slot, entryCount, subMenu);
  return true;
}

bool COptionMenu::getEntry(long index, char* text) const {
  if (index < 0 || index >= entryCount || !text) return false;
  copyBounded(text, entries[index].data());
  return true;
}

bool COptionMenu::setEntry(long index, char* text) {
  if (index < 0 || index >= entryCount) return false;
  copyBounded(entries[index].data(), text);
  if (index == currentIndex) setDirty(true);
  return true;
}

// The sub-menu a "-M" entry opens: the one after those of the "-M" entries
// before it, -1 for an entry of another kind.
long COptionMenu::subMenuOfEntry(long index) const {
  if (kindOf(entries[index].data()) != EntryKind::kSubMenu) return -1;
  long before = 0;
  for (long i = 0; i < index; i++)
    if (kindOf(entries[i].data()) == EntryKind::kSubMenu) before++;
  return before;
}

bool COptionMenu::removeEntry(long index) {
  if (index < 0 || index >= entryCount) return false;
  eraseEntry(index);
  return true;
}

bool COptionMenu::removeAllEntry() {
  for (COptionMenu* subMenu : subMenus) subMenu->forget();
  release(entries);
  release(checked);
  release(subMenus);
  entryCount = subMenuCount = 0;
  allocatedEntries = allocatedSubMenus = 0;
  currentIndex = -1;
  if (lastMenu != this) lastMenu = nullptr;
  return true;
}

long COptionMenu::getNbEntries() const { return entryCount; }

long COptionMenu::getIndex(char* text) const {
  if (!text) return -1;
  for (long i = 0; i < entryCount; i++)
    if (std::strcmp(entries[i].data(), text) == 0) return i;
  return -1;
}

bool COptionMenu::checkEntry(long index, bool state) {
  if (index < 0 || index >= entryCount) return false;
  checked[index] = state ? 1 : 0;
  return true;
}

bool COptionMenu::checkEntryAlone(long index) {
  if (index < 0 || index >= entryCount) return false;
  std::fill(checked.begin(), checked.end(), 0);
  checked[index] = 1;
  return true;
}

bool COptionMenu::isCheckEntry(long index) const { return index >= 0 && index < entryCount && checked[index]; }

void COptionMenu::setNbItemsPerColumn(long count) { itemsPerColumn = count; }
long COptionMenu::getNbItemsPerColumn() const { return itemsPerColumn; }
COptionMenuScheme* COptionMenu::getScheme() const { return scheme; }
void COptionMenu::setPrefixNumbers(long count) { prefixNumbers = count; }

COptionMenu* COptionMenu::getSubMenu(long index) const {
  return index >= 0 && index < subMenuCount ? subMenus[index] : nullptr;
}

//-----------------------------------------------------------------------------
// The current entry

long COptionMenu::getCurrent(char* text, bool countSeparators) const {
  if (currentIndex < 0 || currentIndex >= entryCount) return -1;
  if (text) copyBounded(text, entries[currentIndex].data());
  if (countSeparators) return currentIndex;
  long counted = 0;
  for (long i = 0; i < currentIndex; i++)
    if (countable(entries[i].data())) counted++;
  return counted;
}

// Counted without separators and titles, an index beyond the countable
// entries names none, and nothing changes.
bool COptionMenu::setCurrent(long index, bool countSeparators) {
  if (index < 0 || index >= entryCount) return false;
  long at = -1;
  if (countSeparators) {
    if (kindOf(entries[index].data()) == EntryKind::kSeparator) return false;
    at = index;
  } else {
    for (long i = 0, counted = 0; i < entryCount && at < 0; i++)
      if (countable(entries[i].data()) && counted++ == index) at = i;
    if (at < 0) return false;
  }
  makeCurrent(at);
  return true;
}

// A value that names no entry is ignored, a value that is no number (or
// one past the range of a whole number) as well.
void COptionMenu::setValue(float val) {
  if (!(val > -1.0f && val < static_cast<float>(entryCount))) return;
  CControl::setValue(val);
  makeCurrent(static_cast<long>(val));
}

// With a check mark of its own, the entry made current toggles it.
void COptionMenu::makeCurrent(long index) {
  currentIndex = index;
  if (style & kMultipleCheckStyle) checked[index] = !checked[index];
  setDirty(true);
}

COptionMenu* COptionMenu::getLastItemMenu(long& index) const {
  index = lastMenu ? truncatedWhole(lastMenu->getValue()) : -1;
  return lastMenu;
}

//-----------------------------------------------------------------------------
// Drawing

// Only a numbering made the number in front of the text, and no entry is
// skipped past its end.
void COptionMenu::draw(CDrawContext* context) {
  if (currentIndex < 0 || currentIndex >= entryCount) {
    drawText(context, nullptr);
    return;
  }
  char* text = entries[currentIndex].data();
  const size_t length = std::strlen(text);
  const size_t skip = numberFormat(prefixNumbers) ? static_cast<size_t>(prefixNumbers) : 0;
  drawText(context, text + (skip < length ? skip : length));
}

//-----------------------------------------------------------------------------
// The pop-up

HMENU COptionMenu::appendItems(long& offset) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  nativeMenu = menu;
  const UINT look = scheme || gOptionMenuScheme ? MF_OWNERDRAW : MF_STRING;
  if (look == MF_OWNERDRAW) markHoldingTexts(menu, true);
  const long first = offset;
  offset += entryCount;
  long nextSubMenu = 0;
  for (long i = 0; i < entryCount; i++) {
    char* text = entries[i].data();
    UINT flags = look;
    if (entryCount < kMostEntriesInColumns && itemsPerColumn > 0 && i > 0 && i % itemsPerColumn == 0)
      flags |= MF_MENUBARBREAK;
    const UINT_PTR id = static_cast<UINT_PTR>(first + i);
    switch (kindOf(text)) {
      case EntryKind::kSeparator:
        appendItem(menu, flags | MF_SEPARATOR, id, text);
        break;
      case EntryKind::kSubMenu: {
        if (nextSubMenu >= subMenuCount) break;
        COptionMenu* subMenu = subMenus[nextSubMenu++];
        HMENU sub = subMenu->appendItems(offset);
        if (!sub) break;
        if (!appendItem(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text + 2))
          subMenu->removeItems();
        else if (holdsTexts(sub))
          markHoldingTexts(menu, true);
        break;
      }
      case EntryKind::kGreyed:
        appendItem(menu, flags | MF_GRAYED, id, text + 2);
        break;
      case EntryKind::kTitle:
        appendItem(menu, flags | MF_DISABLED, id, text + 2);
        break;
      case EntryKind::kPlain: {
        const bool mark = (style & kMultipleCheckStyle) ? checked[i] != 0
                                                        : (style & kCheckCurrentStyle) && i == currentIndex;
        appendItem(menu, flags | (mark ? MF_CHECKED : 0), id, text);
        break;
      }
    }
  }
  return menu;
}

COptionMenu* COptionMenu::getItemMenu(long id, long& index, long& offset) {
  const long first = offset;
  offset += entryCount;
  if (id >= first && id < offset) {
    index = id - first;
    return this;
  }
  for (COptionMenu* subMenu : subMenus)
    if (COptionMenu* holder = subMenu->getItemMenu(id, index, offset)) return holder;
  return nullptr;
}

// The texts go first, from the top down: a sub-menu's native menu stays
// attached here after its object has gone.
void COptionMenu::removeItems() {
  if (nativeMenu) releaseItemTexts(nativeMenu);
  for (COptionMenu* subMenu : subMenus) subMenu->removeItems();
  if (nativeMenu) DestroyMenu(nativeMenu);
  nativeMenu = nullptr;
}

void COptionMenu::mouse(CDrawContext* context, CPoint& /*where*/, long buttons) {
  if (!getMouseEnabled() || !parentFrame || !context) return;
  lastButton = buttons == -1 ? context->getMouseButtons() : buttons;
  if (takenByListener(listener, context, this, lastButton)) return;
  if (!(lastButton & kOpeningButtons)) return;
  if (clickBackground) {
    // Drawn straight onto the window, where the control lies in it.
    const ShiftedContext placed(context, frameOffsetOf(this));
    drawText(context, currentIndex >= 0 ? entries[currentIndex].data() : nullptr, clickBackground);
  }
  beginEdit();
  takeFocus(context);
}

// The pop-up's own message loop runs the host's idle, from which the host
// may close the editor. The menu is held like a control tracking the mouse:
// taken out of the tree, it ends its edit there and then, and once the
// pop-up is closed it tells no one of a choice and leaves the frame alone.
void COptionMenu::takeFocus(CDrawContext* context) {
  if (!parentFrame || nativeMenu) return;
  lastResult = -1;
  lastMenu = nullptr;
  HWND window = parentFrame->getSystemWindow();

  CPoint origin(0, 0);
  if (context) {
    origin = context->windowOrigin;
  } else {
    RECT area;
    if (window && GetWindowRect(window, &area)) origin(area.left, area.top);
  }
  const CPoint inFrame = frameOffsetOf(this);
  origin.offset(inFrame.h, inFrame.v);

  // Taken out of the tree while open (its frame destroyed, say, which the
  // platform's menu loop does not notice), the pop-up closes.
  const MouseTracking tracking(this, false, [] { EndMenu(); });
  long offset = 0;
  HMENU popUp = appendItems(offset);
  long chosen = -1;
  if (popUp) {
    const int x = static_cast<int>(origin.h + viewSize.left);
    const int y = static_cast<int>(origin.v + ((style & kOpenAtTopStyle) ? viewSize.top : viewSize.bottom));
    const UINT button = (lastButton & kMouseRight) ? TPM_RIGHTBUTTON : TPM_LEFTBUTTON;
    TrackPopupMenu(popUp, TPM_LEFTALIGN | TPM_TOPALIGN | button, x, y, 0, window, nullptr);
    chosen = takeChosenId(window);
    // A loss of focus while it was open forgot the menu, not the need to
    // destroy it.
    nativeMenu = popUp;
  }
  removeItems();
  if (!tracking.holds()) return;

  if (clickBackground) setDirty(true);
  long index = -1;
  long first = 0;
  if (COptionMenu* holder = chosen >= 0 ? getItemMenu(chosen, index, first) : nullptr) {
    lastMenu = holder;
    lastResult = index;
    holder->setValue(static_cast<float>(index));
    // Without a context, the choice is told with one on the window's own
    // device context.
    const HeldContext made(context ? nullptr : parentFrame->createDrawContext());
    if (listener) listener->valueChanged(context ? context : made.get(), holder);
  }
  // The edit ends as the hold lets go.
  if (tracking.holds() && parentFrame) parentFrame->setFocusView(nullptr);
}

// While the pop-up is open, losing the focus closes it.
void COptionMenu::looseFocus(CDrawContext* /*context*/) {
  if (nativeMenu) EndMenu();
  nativeMenu = nullptr;
}

}  // namespace PLUGGUI
