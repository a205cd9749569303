// The option menu: a parameter display showing its current entry that a
// click turns into the platform's pop-up menu of all its entries, and the
// scheme that draws such a pop-up's items itself. Included by
// plugcontrols.h.
#pragma once

#include <array>
#include <vector>

#include "pluggui/cparamdisplay.h"
#include "pluggui/textbuffer.h"

namespace PLUGGUI {

/// Style bits of the option menu, besides the display's.
enum {
  kMultipleCheckStyle = 1,  ///< each entry has a check mark of its own, toggled by choosing it
  kOpenAtTopStyle = 512,    ///< the pop-up opens at the control's top edge instead of below it
  kCheckCurrentStyle = 1024 ///< the current entry is shown checked
};

/// The most entries one menu holds, sub-menus not counted; addEntry refuses more.
constexpr long kMaxOptionMenuEntries = 1024;

/// A look for pop-up menus: with one, the frame hands the measuring and
/// drawing of every item to it. The colours are the platform's menu colours
/// at the time the scheme is made.
class COptionMenuScheme : public CReferenceCounter {
 public:
  /// The state bits drawItem receives: kChecked for an item with a check mark, kDisabled for
  /// one the user cannot choose (greyed, or a title), kSelected for the item under the mouse
  /// or the keys.
  enum { kChecked = 1, kDisabled = 2, kSelected = 4 };

  /// Takes the platform's menu colours of the moment and the small font.
  COptionMenuScheme();
  ~COptionMenuScheme() override;

  /// Fills size with the item's width (h) and height (v). Called as the pop-up is built, with a
  /// context on the frame's window; every item is 18 pixels high, a separator (or an item
  /// without text) 6 wide, any other its text's width and 18 more.
  virtual void getItemSize(const char* text, CDrawContext* context, CPoint& size);
  /// Draws the item `text` (null for none) into `rect`, in the context's coordinates: its back,
  /// then a separator's line, or a check mark's dot for kChecked and the text, any part after
  /// a tab near the right edge. `state` combines the state bits; `itemId` is the pop-up's id
  /// of the item.
  virtual void drawItem(const char* text, long itemId, long state, CDrawContext* context, const CRect& rect);
  /// Fills an item's rectangle with the selection colour or the background colour.
  virtual void drawItemBack(CDrawContext* context, const CRect& rect, bool selected);

 protected:
  /// The items' back.
  CColor backgroundColor;
  /// The selected item's back.
  CColor selectionColor;
  /// The text of an item.
  CColor textColor;
  /// The text of the selected item.
  CColor selectedTextColor;
  /// The text of an item the user cannot choose.
  CColor disabledTextColor;
  /// The items' font.
  CFont font;
};

// The frame's answers to its window's item messages while an option menu
// with a scheme holds the focus: true when the scheme measured or drew the
// item, false for an item that is not the scheme's.
/// Has the focus view's scheme measure a pop-up item for the frame; true when it did.
bool measureMenuItem(CFrame* frame, MEASUREITEMSTRUCT* item);
/// Has the focus view's scheme draw a pop-up item for the frame; true when it did.
bool drawMenuItem(CFrame* frame, DRAWITEMSTRUCT* item);

/// The scheme of every option menu that has none of its own; none unless
/// the plug-in sets one. Whoever sets it keeps it alive while it is set.
extern COptionMenuScheme* gOptionMenuScheme;

/// A parameter display showing its current entry, which a click turns into the platform's
/// pop-up menu of all its entries.
///
/// Entries are texts of at most 255 characters. "-" is a separator; "-M"
/// starts the title of an entry that opens the next sub-menu in order, "-G"
/// a greyed entry and "-T" a title; anything else is a plain entry.
///
/// Each opening of the pop-up by a click is one edit of the control's
/// parameter. A choice sets the value of the menu that holds the chosen
/// entry (this one or a sub-menu) and is told to this menu's listener with
/// that menu as the control; nothing chosen is told to no one.
class COptionMenu : public CParamDisplay {
 public:
  /// `listener` hears of a choice and `tag` names the parameter, as for any control. The menu
  /// holds a reference to `background`, drawn under the current entry, and to
  /// `clickBackground`, drawn instead as the pop-up opens (null for none); `style` combines the
  /// display's style bits and the menu's. The menu starts without entries.
  COptionMenu(const CRect& size, CControlListener* listener, long tag, CBitmap* background = nullptr,
              CBitmap* clickBackground = nullptr, long style = 0);
  ~COptionMenu() override;

  /// Draws the current entry's text, without its numbering; no text without a current entry.
  void draw(CDrawContext* context) override;
  /// A press with the left or the right button (or a button beyond the three) draws the click
  /// background, begins the edit and opens the pop-up (takeFocus). A click with a modifier is
  /// offered to the listener first.
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  /// Sets the value and makes entry `val` (its whole part) current, toggling its check mark
  /// with kMultipleCheckStyle; a value that names no entry is ignored.
  void setValue(float val) override;
  /// Opens the pop-up below the control (at its top with kOpenAtTopStyle) and waits for it to
  /// close. A choice is set and told as above; then the menu gives up the frame's focus and
  /// the edit ends.
  void takeFocus(CDrawContext* context = nullptr) override;
  /// Closes the pop-up, if it is open.
  void looseFocus(CDrawContext* context = nullptr) override;
  /// True for "COptionMenu" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

  /// Appends an entry that opens `subMenu`, of which the menu then holds a reference.
  /// False for a full menu, no sub-menu or no text, and for a sub-menu that
  /// is this menu or holds it somewhere below: the pop-up would never end.
  virtual bool addEntry(COptionMenu* subMenu, char* text);
  /// Inserts an entry before entry `index`, numbered by its place if a numbering is set; false
  /// for a full menu. A menu without a current entry makes its first one current.
  /// Index -1 (or beyond the last) appends; texts are cut at 255 characters.
  virtual bool addEntry(char* text, long index = -1);
  /// The index of the current entry, -1 for none, with its stored text copied into `text` (256
  /// characters) if given. Without countSeparators, the separators and titles before it are
  /// not counted.
  virtual long getCurrent(char* text = nullptr, bool countSeparators = true) const;
  /// Makes an entry current, toggling its check mark with kMultipleCheckStyle, counting all
  /// entries or, without countSeparators, only those the user can choose. The value stays.
  /// False, and nothing changes, for an index that names no entry or a separator.
  virtual bool setCurrent(long index, bool countSeparators = true);
  /// Copies entry `index`'s stored text, with its mark and numbering, into `text` (256
  /// characters); false for no such entry or no place to copy to.
  virtual bool getEntry(long index, char* text) const;
  /// Replaces entry `index`'s stored text with `text` as it is, cut at 255 characters, and
  /// marks the menu dirty if the entry is the current one; false for no such entry.
  virtual bool setEntry(long index, char* text);
  /// Removes entry `index`, and a sub-menu entry's sub-menu with it, letting go of the menu's
  /// reference; false for no such entry. The current entry stays the same entry where it can.
  virtual bool removeEntry(long index);
  /// Removes every entry and lets go of every sub-menu; no entry is current. Always true.
  virtual bool removeAllEntry();
  /// The number of entries, separators and titles included.
  virtual long getNbEntries() const;
  /// The index of the first entry whose stored text is `text`, -1 for none.
  virtual long getIndex(char* text) const;
  /// Sets or clears entry `index`'s check mark, shown with kMultipleCheckStyle; false for no
  /// such entry.
  virtual bool checkEntry(long index, bool state);
  /// Checks entry `index` and clears every other mark; false for no such entry.
  virtual bool checkEntryAlone(long index);
  /// Whether entry `index` is checked; false for no such entry.
  virtual bool isCheckEntry(long index) const;
  /// Breaks the pop-up into columns of `count` items; -1 (the default) for one column. A menu
  /// of 160 entries or more scrolls instead.
  virtual void setNbItemsPerColumn(long count);
  /// The items per column of the pop-up; -1 for one column.
  virtual long getNbItemsPerColumn() const;
  /// The menu's own scheme, without a reference for the caller; null when gOptionMenuScheme
  /// (if set) draws its pop-up.
  virtual COptionMenuScheme* getScheme() const;
  /// Numbers the entries added from now on by their place: 2 puts one digit and a space before
  /// the text, 3 two digits, 4 three; any other count numbers none. Drawing skips that many
  /// characters of the current entry.
  virtual void setPrefixNumbers(long count);

  /// The sub-menu `index`, in the order of their entries, without a reference for the caller;
  /// null for none.
  COptionMenu* getSubMenu(long index) const;
  /// The menu that held the entry last chosen from the pop-up (this one or a sub-menu), with
  /// that menu's value in `index`; null and -1 when nothing was chosen.
  COptionMenu* getLastItemMenu(long& index) const;
  /// The menu, this one or one below, whose entry has the pop-up item id;
  /// `offset` is the first id of this menu and grows past every menu looked
  /// at. `index` receives the entry's index in that menu; null for an id of none.
  COptionMenu* getItemMenu(long id, long& index, long& offset);
  /// Destroys the native pop-up that appendItems built, with the sub-menus' and the texts
  /// its items hold.
  void removeItems();
  /// Builds the native pop-up of this menu and, inside it, those of its sub-menus; the items'
  /// ids are numbered from `offset`, which grows past every menu's. Null when the platform
  /// refuses.
  HMENU appendItems(long& offset);

 protected:
  /// Reserves room for `count` entries, texts and check marks alike, 32 more at a time; false,
  /// with nothing changed, without memory.
  bool allocateEntries(long count);
  /// Reserves room for `count` sub-menus, 10 more at a time; false, with nothing changed,
  /// without memory.
  bool allocateSubMenus(long count);

  /// The entries' stored texts, each in a slot of 256 characters.
  std::vector<std::array<char, kTextBufferSize>> entries;
  /// The entries' check marks, one per entry: each goes in and out with its entry.
  std::vector<unsigned char> checked;
  /// The sub-menus, in the order of their entries; one reference held on each.
  std::vector<COptionMenu*> subMenus;
  /// The native pop-up while it is built and open, or none.
  HMENU nativeMenu;
  /// The number of entries: the size of entries and of checked.
  long entryCount;
  /// The number of sub-menus: the size of subMenus.
  long subMenuCount;
  /// The current entry's index, -1 for none.
  long currentIndex;
  CBitmap* clickBackground;  ///< drawn as the pop-up opens; one reference held
  /// The buttons of the click that opened the pop-up: a right click lets the right button
  /// choose.
  long lastButton;
  /// The room reserved for entries, in entries and in checked.
  long allocatedEntries;
  /// The room reserved in subMenus.
  long allocatedSubMenus;
  /// The index, in its menu, of the entry last chosen; -1 for none.
  long lastResult;
  /// The items per column of the pop-up; -1 for one column.
  long itemsPerColumn;
  /// The numbering of the entries added: the characters their number takes.
  long prefixNumbers;
  /// The menu that held the entry last chosen, or none.
  COptionMenu* lastMenu;
  /// The menu's own scheme, or none.
  COptionMenuScheme* scheme;

 private:
  void insertEntry(const char* text, long index, COptionMenu* subMenu = nullptr);
  void eraseEntry(long index);
  bool holds(const COptionMenu* menu) const;
  long subMenuOfEntry(long index) const;
  void makeCurrent(long index);
};

}  // namespace PLUGGUI
