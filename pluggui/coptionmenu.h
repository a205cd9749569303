// The option menu: a parameter display showing its current entry that a
// click turns into the platform's pop-up menu of all its entries, and the
// scheme that draws such a pop-up's items itself. Included by
// plugcontrols.h.
#pragma once

#include "pluggui/cparamdisplay.h"

namespace PLUGGUI {

// Style bits of the option menu, besides the display's.
enum {
  kMultipleCheckStyle = 1,  // each entry has a check mark of its own, toggled by choosing it
  kOpenAtTopStyle = 512,    // the pop-up opens at the control's top edge instead of below it
  kCheckCurrentStyle = 1024 // the current entry is shown checked
};

constexpr long kMaxOptionMenuEntries = 1024;

// A look for pop-up menus: with one, the frame hands the measuring and
// drawing of every item to it. The colours are the platform's menu colours
// at the time the scheme is made.
class COptionMenuScheme : public CReferenceCounter {
 public:
  // The state bits drawItem receives.
  enum { kChecked = 1, kDisabled = 2, kSelected = 4 };

  COptionMenuScheme();
  ~COptionMenuScheme() override;

  // Fills size with the item's width (h) and height (v).
  virtual void getItemSize(const char* text, CDrawContext* context, CPoint& size);
  virtual void drawItem(const char* text, long itemId, long state, CDrawContext* context, const CRect& rect);
  virtual void drawItemBack(CDrawContext* context, const CRect& rect, bool selected);

 protected:
  CColor backgroundColor;
  CColor selectionColor;
  CColor textColor;
  CColor selectedTextColor;
  CColor disabledTextColor;
  CFont font;
};

// The frame's answers to its window's item messages while an option menu
// with a scheme holds the focus: true when the scheme measured or drew the
// item, false for an item that is not the scheme's.
bool measureMenuItem(CFrame* frame, MEASUREITEMSTRUCT* item);
bool drawMenuItem(CFrame* frame, DRAWITEMSTRUCT* item);

// The scheme of every option menu that has none of its own; none unless
// the plug-in sets one. Whoever sets it keeps it alive while it is set.
extern COptionMenuScheme* gOptionMenuScheme;

// Entries are texts of at most 255 characters. "-" is a separator; "-M"
// starts the title of an entry that opens the next sub-menu in order, "-G"
// a greyed entry and "-T" a title; anything else is a plain entry.
//
// Each opening of the pop-up by a click is one edit of the control's
// parameter. A choice sets the value of the menu that holds the chosen
// entry (this one or a sub-menu) and is told to this menu's listener with
// that menu as the control; nothing chosen is told to no one.
class COptionMenu : public CParamDisplay {
 public:
  COptionMenu(const CRect& size, CControlListener* listener, long tag, CBitmap* background = nullptr,
              CBitmap* clickBackground = nullptr, long style = 0);
  ~COptionMenu() override;

  void draw(CDrawContext* context) override;
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  void setValue(float val) override;
  void takeFocus(CDrawContext* context = nullptr) override;
  void looseFocus(CDrawContext* context = nullptr) override;
  bool isTypeOf(const char* name) const override;

  // False for a full menu, no sub-menu or no text, and for a sub-menu that
  // is this menu or holds it somewhere below: the pop-up would never end.
  virtual bool addEntry(COptionMenu* subMenu, char* text);
  // Index -1 (or beyond the last) appends; texts are cut at 255 characters.
  virtual bool addEntry(char* text, long index = -1);
  virtual long getCurrent(char* text = nullptr, bool countSeparators = true) const;
  virtual bool setCurrent(long index, bool countSeparators = true);
  virtual bool getEntry(long index, char* text) const;
  virtual bool setEntry(long index, char* text);
  virtual bool removeEntry(long index);
  virtual bool removeAllEntry();
  virtual long getNbEntries() const;
  virtual long getIndex(char* text) const;
  virtual bool checkEntry(long index, bool state);
  virtual bool checkEntryAlone(long index);
  virtual bool isCheckEntry(long index) const;
  virtual void setNbItemsPerColumn(long count);
  virtual long getNbItemsPerColumn() const;
  virtual COptionMenuScheme* getScheme() const;
  virtual void setPrefixNumbers(long count);

  COptionMenu* getSubMenu(long index) const;
  COptionMenu* getLastItemMenu(long& index) const;
  // The menu, this one or one below, whose entry has the pop-up item id;
  // `offset` is the first id of this menu and grows past every menu looked
  // at.
  COptionMenu* getItemMenu(long id, long& index, long& offset);
  void removeItems();
  HMENU appendItems(long& offset);

 protected:
  bool allocateEntries(long count);
  bool allocateSubMenus(long count);

  char** entries;
  unsigned char* checked;
  COptionMenu** subMenus;
  HMENU nativeMenu;
  long entryCount;
  long subMenuCount;
  long currentIndex;
  CBitmap* clickBackground;
  long lastButton;
  long allocatedEntries;
  long allocatedSubMenus;
  long lastResult;
  long itemsPerColumn;
  long prefixNumbers;
  COptionMenu* lastMenu;
  COptionMenuScheme* scheme;

 private:
  bool insertEntry(const char* text, long index);
  bool holds(const COptionMenu* menu) const;
  long subMenuOfEntry(long index) const;
  void makeCurrent(long index);
};

}  // namespace PLUGGUI
