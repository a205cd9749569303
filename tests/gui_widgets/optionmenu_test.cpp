// The option menu: its entry rules on their own, the native pop-up built
// from them, and real pop-ups in a real frame, driven by real keys from a
// second thread while the pop-up's own loop holds the test's thread.
#include <algorithm>
#include <atomic>
#include <memory>
#include <cmath>
#include <limits>
#include <string>
#include <thread>

#include "gui_widgets/widgetframe.h"

namespace {

using namespace widgettest;

char* text(const char* literal) { return const_cast<char*>(literal); }

std::string entryAt(const COptionMenu& menu, long index) {
  char buffer[256] = {};
  menu.getEntry(index, buffer);
  return buffer;
}

COptionMenu* menuOf(std::initializer_list<const char*> entries, long style = 0, long numbering = 0) {
  auto* menu = new COptionMenu(CRect(0, 0, 60, 20), nullptr, 0, nullptr, nullptr, style | kStyleNoFrame);
  menu->setPrefixNumbers(numbering);
  for (const char* entry : entries) menu->addEntry(text(entry));
  return menu;
}

// A sub-menu that says when it goes.
class CountedMenu : public COptionMenu {
 public:
  explicit CountedMenu(int* gone) : COptionMenu(CRect(0, 0, 10, 10), nullptr, 0), gone(gone) {}
  ~CountedMenu() override { ++*gone; }

 private:
  int* gone;
};

TEST(OptionMenuEntries, NumberingIsStoredAndSkippedWhenShown) {
  const struct {
    long numbering;
    const char* stored;
  } cases[] = {{2, "3 c"}, {3, "03 c"}, {4, "003 c"}, {5, "c"}, {-3, "c"}};
  for (const auto& c : cases) {
    COptionMenu* menu = menuOf({"a", "b", "c"}, 0, c.numbering);
    EXPECT_EQ(entryAt(*menu, 2), c.stored) << c.numbering;
    menu->setCurrent(2);
    EXPECT_TRUE(showsText(*menu, "c")) << c.numbering;
    menu->forget();
  }
  // Entries shorter than the numbering, whether made before it or set
  // since, show what they hold and nothing past it.
  COptionMenu* menu = menuOf({"x"});
  menu->setPrefixNumbers(4);
  EXPECT_TRUE(showsText(*menu, ""));
  menu->addEntry(text("y"));
  menu->setEntry(1, text("z"));
  menu->setCurrent(1);
  EXPECT_TRUE(showsText(*menu, ""));
  // A numbered separator, greyed entry or sub-menu keeps its kind.
  menu->setPrefixNumbers(2);
  menu->addEntry(text("-"));
  menu->addEntry(text("-Gg"));
  menu->addEntry(text("-Tt"));
  COptionMenu* sub = menuOf({});
  menu->addEntry(sub, text("s"));
  EXPECT_EQ(entryAt(*menu, 2), "-");
  EXPECT_EQ(entryAt(*menu, 3), "-G4 g");
  EXPECT_EQ(entryAt(*menu, 4), "-Tt");
  EXPECT_EQ(entryAt(*menu, 5), "-M6 s");
  sub->forget();
  menu->forget();
}

TEST(OptionMenuEntries, LongTextsAreCutAtTheSlot) {
  const std::string longText(300, 'q');
  for (long numbering : {0, 2, 4}) {
    COptionMenu* menu = menuOf({}, 0, numbering);
    COptionMenu* sub = menuOf({});
    EXPECT_TRUE(menu->addEntry(text(longText.c_str())));
    EXPECT_TRUE(menu->addEntry(sub, text(longText.c_str())));
    EXPECT_TRUE(menu->setEntry(0, text(longText.c_str())));
    EXPECT_EQ(entryAt(*menu, 0), longText.substr(0, 255));
    EXPECT_EQ(entryAt(*menu, 1).size(), 255u) << numbering;
    sub->forget();
    menu->forget();
  }
}

TEST(OptionMenuEntries, CurrentEntryCountsWithOrWithoutSeparatorsAndTitles) {
  COptionMenu* menu = menuOf({"x", "-", "-Ttitle", "z"});
  EXPECT_TRUE(menu->setCurrent(1, false));
  char current[256];
  EXPECT_EQ(menu->getCurrent(current, true), 3);
  EXPECT_STREQ(current, "z");
  EXPECT_EQ(menu->getCurrent(nullptr, false), 1);
  EXPECT_FALSE(menu->setCurrent(1, true)) << "a separator";
  EXPECT_FALSE(menu->setCurrent(2, false)) << "only two entries count";
  EXPECT_FALSE(menu->setCurrent(4, true));
  EXPECT_EQ(menu->getCurrent(), 3) << "refusals change nothing";
  menu->forget();
}

TEST(OptionMenuEntries, InsertingAndRemovingMoveTheCurrentEntryAndTheCheckMarks) {
  COptionMenu* menu = menuOf({"a", "b", "c"});
  menu->setCurrent(2);
  menu->checkEntry(1, true);
  menu->addEntry(text("new"), 0);
  EXPECT_EQ(menu->getCurrent(), 3);
  EXPECT_TRUE(menu->isCheckEntry(2)) << "b's mark went with b";
  EXPECT_FALSE(menu->isCheckEntry(0)) << "a new entry starts unchecked";
  EXPECT_FALSE(menu->isCheckEntry(1));
  menu->removeEntry(0);
  EXPECT_EQ(menu->getCurrent(), 2);
  EXPECT_TRUE(menu->isCheckEntry(1));
  EXPECT_TRUE(menu->checkEntryAlone(0));
  EXPECT_TRUE(menu->isCheckEntry(0));
  EXPECT_FALSE(menu->isCheckEntry(1));
  EXPECT_FALSE(menu->checkEntry(3, true));
  EXPECT_EQ(menu->getIndex(text("c")), 2);
  EXPECT_EQ(menu->getIndex(text("C")), -1);
  while (menu->getNbEntries()) menu->removeEntry(0);
  EXPECT_EQ(menu->getCurrent(), -1);
  menu->forget();
}

TEST(OptionMenuEntries, ValuesChooseEntriesAndToggleMarksAndOthersAreIgnored) {
  COptionMenu* menu = menuOf({"a", "b", "c"}, kMultipleCheckStyle);
  menu->setValue(1.9f);
  EXPECT_EQ(menu->getCurrent(), 1);
  EXPECT_TRUE(menu->isCheckEntry(1));
  menu->setValue(1.0f);
  EXPECT_FALSE(menu->isCheckEntry(1)) << "chosen twice, the mark goes again";
  for (float ignored : {std::numeric_limits<float>::quiet_NaN(), 1e30f, -1.0f, 3.0f,
                        -std::numeric_limits<float>::infinity()}) {
    menu->setValue(ignored);
    EXPECT_EQ(menu->getCurrent(), 1) << ignored;
    EXPECT_EQ(menu->getValue(), 1.0f);
  }
  menu->setValue(-0.5f);
  EXPECT_EQ(menu->getCurrent(), 0) << "truncated to the first";
  menu->forget();
}

TEST(OptionMenuEntries, SubMenusAreHeldFoundByIdAndReleasedWithTheirEntries) {
  int gone = 0;
  COptionMenu* menu = menuOf({"a", "b", "c"});
  CountedMenu* first = new CountedMenu(&gone);
  CountedMenu* second = new CountedMenu(&gone);
  for (const char* entry : {"p", "q"}) first->addEntry(text(entry));
  for (const char* entry : {"r", "s", "t"}) second->addEntry(text(entry));
  EXPECT_TRUE(menu->addEntry(first, text("First")));
  EXPECT_TRUE(menu->addEntry(second, text("Second")));
  first->forget();
  second->forget();

  long index = -1;
  long offset = 0;
  // Ids: the menu's 5 entries, then the first sub-menu's 2, then the
  // second's 3.
  EXPECT_EQ(menu->getItemMenu(9, index, offset), second);
  EXPECT_EQ(index, 2);
  offset = 0;
  EXPECT_EQ(menu->getItemMenu(0, index, offset), menu);
  offset = 0;
  EXPECT_EQ(menu->getItemMenu(10, index, offset), nullptr);
  EXPECT_EQ(menu->getLastItemMenu(index), nullptr);
  EXPECT_EQ(index, -1);

  // Refused: itself, a menu holding it, and no sub-menu or text.
  EXPECT_FALSE(menu->addEntry(menu, text("Loop")));
  EXPECT_FALSE(second->addEntry(menu, text("Loop")));
  COptionMenu* third = menuOf({});
  first->addEntry(third, text("Deep"));
  EXPECT_FALSE(third->addEntry(menu, text("Loop")));
  EXPECT_FALSE(menu->addEntry(nullptr, text("None")));
  EXPECT_FALSE(menu->addEntry(third, nullptr));
  third->forget();

  EXPECT_TRUE(menu->removeEntry(3));
  EXPECT_EQ(gone, 1) << "the first sub-menu went with its entry";
  EXPECT_EQ(menu->getSubMenu(0), second);
  EXPECT_EQ(menu->getSubMenu(1), nullptr);
  menu->forget();
  EXPECT_EQ(gone, 2);
}

MENUITEMINFOA itemInfo(HMENU menu, UINT position) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_DATA | MIIM_ID;
  GetMenuItemInfoA(menu, position, TRUE, &info);
  return info;
}

TEST(OptionMenuPopUp, ItemsTakeTheirKindsMarksAndColumns) {
  COptionMenu* menu = menuOf({"a", "-", "-Gg", "-Tt", "-Mlost", "b"}, kCheckCurrentStyle);
  menu->setCurrent(5);
  COptionMenu* sub = menuOf({"s"});
  menu->addEntry(sub, text("sub"));
  long offset = 0;
  HMENU popUp = menu->appendItems(offset);
  ASSERT_NE(popUp, nullptr);
  // The first "-M" entry opens the only sub-menu; the second has none left.
  ASSERT_EQ(GetMenuItemCount(popUp), 6);
  EXPECT_TRUE(itemInfo(popUp, 1).fType & MFT_SEPARATOR);
  EXPECT_TRUE(itemInfo(popUp, 2).fState & MFS_GRAYED);
  EXPECT_TRUE(itemInfo(popUp, 3).fState & MFS_DISABLED);
  EXPECT_NE(itemInfo(popUp, 4).hSubMenu, nullptr);
  EXPECT_EQ(itemInfo(popUp, 5).wID, 5u);
  EXPECT_TRUE(itemInfo(popUp, 5).fState & MFS_CHECKED);
  EXPECT_FALSE(itemInfo(popUp, 0).fState & MFS_CHECKED);
  EXPECT_EQ(offset, 8);
  menu->removeItems();
  EXPECT_FALSE(IsMenu(popUp));

  // With a scheme set, the items are drawn by it, each with its text.
  COptionMenuScheme* scheme = new COptionMenuScheme;
  gOptionMenuScheme = scheme;
  offset = 0;
  popUp = menu->appendItems(offset);
  EXPECT_TRUE(itemInfo(popUp, 0).fType & MFT_OWNERDRAW);
  EXPECT_STREQ(reinterpret_cast<const char*>(itemInfo(popUp, 2).dwItemData), "g");
  menu->removeItems();
  gOptionMenuScheme = nullptr;
  scheme->forget();
  sub->forget();
  menu->forget();

  const struct {
    long entries;
    std::vector<UINT> breaks;
  } columns[] = {{50, {20, 40}}, {200, {}}};
  for (const auto& c : columns) {
    COptionMenu* big = menuOf({});
    for (long i = 0; i < c.entries; ++i) big->addEntry(text("e"));
    big->setNbItemsPerColumn(20);
    offset = 0;
    popUp = big->appendItems(offset);
    std::vector<UINT> breaks;
    for (long i = 0; i < c.entries; ++i)
      if (itemInfo(popUp, static_cast<UINT>(i)).fType & MFT_MENUBARBREAK) breaks.push_back(static_cast<UINT>(i));
    EXPECT_EQ(breaks, c.breaks) << c.entries;
    big->removeItems();
    big->forget();
  }
}

// A scheme in colours of the test's choosing.
class KnownScheme : public COptionMenuScheme {
 public:
  KnownScheme() {
    backgroundColor = {250, 250, 245, 255};
    selectionColor = {20, 24, 60, 255};
    textColor = {0, 1, 65, 255};
    selectedTextColor = {255, 140, 0, 255};
    disabledTextColor = {150, 155, 170, 255};
  }
};

TEST(OptionMenuScheme, MeasuresAndDrawsItemsByItsRules) {
  const COLORREF back = RGB(250, 250, 245), selection = RGB(20, 24, 60), ink = RGB(0, 1, 65),
                 selectedInk = RGB(255, 140, 0), dim = RGB(150, 155, 170);
  KnownScheme scheme;
  guitest::TestSurface surface(100, 19);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  CPoint size;
  scheme.getItemSize("-", &context, size);
  EXPECT_EQ(size, CPoint(6, 18));
  scheme.getItemSize("Wide entry", &context, size);
  context.setFont(kFontSmall);
  EXPECT_EQ(size, CPoint(context.getStringWidth("Wide entry") + 18, 18));

  // Inked pixels of a colour in columns [from, to).
  auto inked = [&](COLORREF colour, int from, int to) {
    int count = 0;
    for (int y = 0; y < 19; ++y)
      for (int x = from; x < to; ++x) count += surface.at(x, y) == colour;
    return count;
  };
  const CRect item(0, 0, 100, 19);
  scheme.drawItem("-", 0, 0, &context, item);
  EXPECT_EQ(surface.at(2, 8), RGB(0, 0, 0));
  EXPECT_EQ(surface.at(97, 9), RGB(255, 255, 255));
  EXPECT_EQ(surface.at(1, 8), back);
  EXPECT_EQ(surface.at(98, 9), back);

  const struct {
    long state;
    COLORREF background, text, dot;
  } looks[] = {{COptionMenuScheme::kChecked, back, ink, ink},
               {COptionMenuScheme::kChecked | COptionMenuScheme::kSelected, selection, selectedInk, selectedInk},
               {COptionMenuScheme::kDisabled, back, dim, back},
               {COptionMenuScheme::kDisabled | COptionMenuScheme::kSelected, selection, dim, selection}};
  for (const auto& look : looks) {
    scheme.drawItem("Left\tR", 0, look.state, &context, item);
    EXPECT_EQ(surface.at(98, 1), look.background) << look.state;
    EXPECT_EQ(surface.at(10, 8), look.dot) << look.state;
    EXPECT_GT(inked(look.text, 18, 45), 0) << "before the tab, 18 pixels in: " << look.state;
    EXPECT_EQ(inked(look.text, 45, 50), 0) << look.state;
    EXPECT_GT(inked(look.text, 50, 100), 0) << "after it, 50 pixels from the right: " << look.state;
  }
}

//-----------------------------------------------------------------------------
// Real pop-ups

// The front-most open pop-up menu of this process, if any.
BOOL CALLBACK firstPopUp(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (std::string(name) != "#32768" || !IsWindowVisible(window) || process != GetCurrentProcessId()) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND openPopUp() {
  HWND found = nullptr;
  EnumWindows(firstPopUp, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND waitFor(bool open, HWND before = nullptr) {
  for (int wait = 0; wait < 200; ++wait) {
    HWND now = openPopUp();
    if (open ? now && now != before : !now) return now ? now : reinterpret_cast<HWND>(1);
    Sleep(10);
  }
  return nullptr;
}

void press(WORD key) {
  testwindows::sendKey(key, true);
  testwindows::sendKey(key, false);
  Sleep(40);
}

class OptionMenuFrame : public ControlFrame {
 protected:
  void SetUp() override {
    ControlFrame::SetUp();
    SetForegroundWindow(host.get());
    testwindows::pumpMessages();
  }

  // Opens the menu as a left click on it does and, from a second thread,
  // waits for its pop-up, hands it to `inside` and makes sure it closes.
  // True when a pop-up opened.
  bool openWith(COptionMenu* menu, const std::function<void(HWND)>& inside) {
    std::atomic<bool> opened{false};
    std::thread hand([&] {
      HWND popUp = waitFor(true);
      if (!popUp) return;
      opened = true;
      inside(popUp);
      if (!waitFor(false)) press(VK_ESCAPE);
    });
    CDrawContext* context = new CDrawContext(frame, nullptr, window());
    CPoint where(0, 0);
    menu->mouse(context, where, kMouseLeft);
    context->forget();
    hand.join();
    testwindows::pumpMessages();
    return opened;
  }

  COptionMenu* addMenu(CRect size, long style = 0) {
    auto* menu = new COptionMenu(size, &listener, 7, nullptr, nullptr, style);
    for (const char* entry : {"zero", "one", "-", "-Mmore"}) menu->addEntry(text(entry));
    sub = new COptionMenu(CRect(0, 0, 10, 10), nullptr, 0);
    for (const char* entry : {"s0", "s1", "s2"}) sub->addEntry(text(entry));
    menu->addEntry(sub, text("more"));
    sub->forget();
    frame->addView(menu);
    return menu;
  }

  COptionMenu* sub = nullptr;
};

// A choice in a sub-menu goes to the menu's listener with the sub-menu as
// the control. (The gallery's tests through the host choose the first
// entry, id 0, and nothing with Escape.)
TEST_F(OptionMenuFrame, ASubMenuChoiceIsToldWithTheSubMenu) {
  COptionMenu* menu = addMenu(CRect(20, 30, 100, 50));
  ASSERT_TRUE(openWith(menu, [&](HWND) {
    for (WORD key : {VK_UP, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}) {  // up wraps round to the sub-menu entry
      press(key);
      if (key == VK_RIGHT) waitFor(true, openPopUp());
    }
  }));
  EXPECT_EQ(count(audioMasterBeginEdit), 1u);
  EXPECT_EQ(count(audioMasterEndEdit), 1u);
  EXPECT_EQ(listener.values, std::vector<float>{2.0f});
  long index = -2;
  EXPECT_EQ(menu->getLastItemMenu(index), sub);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(menu->getCurrent(), 0) << "the menu's own entry stays";
  EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(OptionMenuFrame, PopUpOpensBelowOrOverTheControlThroughContainers) {
  CViewContainer* box = new CViewContainer(CRect(30, 40, 190, 190), frame);
  frame->addView(box);
  const RECT corner = testwindows::screenRect(window());
  for (long style : {0L, static_cast<long>(kOpenAtTopStyle)}) {
    SpyBitmap clicked(80, 20);
    auto* menu = new COptionMenu(CRect(10, 20, 90, 40), &listener, 1, nullptr, &clicked, style);
    menu->addEntry(text("only"));
    box->addView(menu);
    RECT at = {};
    int shownWhileOpen = 0;
    ASSERT_TRUE(openWith(menu, [&](HWND popUp) {
      GetWindowRect(popUp, &at);
      shownWhileOpen = clicked.draws;
      press(VK_ESCAPE);
    }));
    EXPECT_EQ(at.left, corner.left + 30 + 10);
    EXPECT_EQ(at.top, corner.top + 40 + (style ? 20 : 40)) << style;
    EXPECT_EQ(shownWhileOpen, 1) << "the click background";
    EXPECT_TRUE(menu->isDirty()) << "and the display again once closed";
    box->removeView(menu);
  }
}

// Runs once, from the thread's message loop: the pop-up's, while it is open.
std::function<void()> gInLoop;

VOID CALLBACK runInLoop(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  std::function<void()> run;
  run.swap(gInLoop);
  if (run) run();
}

TEST_F(OptionMenuFrame, EditorClosedWhileThePopUpIsOpenEndsTheEditAndTellsNoOne) {
  for (bool wholeFrame : {false, true}) {
    COptionMenu* menu = addMenu(CRect(20, 30, 100, 50));
    menu->remember();
    const size_t edits = count(audioMasterEndEdit);
    // The host closes the editor from its idle, which the pop-up's loop
    // runs.
    gInLoop = [&] {
      if (!wholeFrame) {
        frame->removeView(menu);
        return;
      }
      editor->attach(nullptr);
      frame->forget();
      frame = nullptr;
    };
    SetTimer(nullptr, 0, 100, runInLoop);
    bool closedByItself = false;
    ASSERT_TRUE(openWith(menu, [&](HWND) {
      Sleep(300);
      closedByItself = waitFor(false) != nullptr;
      if (!closedByItself) press(VK_DOWN), press(VK_RETURN);
    }));
    EXPECT_TRUE(closedByItself) << wholeFrame;
    EXPECT_EQ(count(audioMasterEndEdit), edits + 1) << wholeFrame;
    EXPECT_TRUE(listener.values.empty());
    menu->forget();
  }
}

// Entries removed while the pop-up is open, from the idle its loop runs,
// take nothing of the pop-up with them: its items keep the texts it was
// opened with, and look as they did.
TEST_F(OptionMenuFrame, EntriesRemovedUnderAnOpenPopUpLeaveItsDrawnItemsAsTheyWere) {
  class RecordingScheme : public KnownScheme {
   public:
    void getItemSize(const char* text, CDrawContext* context, CPoint& size) override {
      seen.push_back(text ? text : "(none)");
      KnownScheme::getItemSize(text, context, size);
    }
    void drawItem(const char* text, long id, long state, CDrawContext* context, const CRect& rect) override {
      seen.push_back(text ? text : "(none)");
      KnownScheme::drawItem(text, id, state, context, rect);
    }
    std::vector<std::string> seen;
  };
  auto* scheme = new RecordingScheme;
  gOptionMenuScheme = scheme;
  auto* menu = new COptionMenu(CRect(20, 30, 100, 50), &listener, 7);
  const std::vector<std::string> opened = {"alpha", "beta", "-", "gamma"};
  for (const std::string& entry : opened) menu->addEntry(text(entry.c_str()));
  frame->addView(menu);

  std::atomic<bool> shown{false}, removed{false};
  std::function<void()> remove = [&] {
    if (!shown) {  // not before the pop-up has been photographed
      gInLoop = remove;
      SetTimer(nullptr, 0, 20, runInLoop);
      return;
    }
    scheme->seen.clear();
    menu->removeEntry(0);
    menu->removeAllEntry();
    // New entries, likely in the memory the old ones had.
    for (const char* other : {"0verwritten", "1verwritten", "2verwritten", "3verwritten"}) menu->addEntry(text(other));
    removed = true;
  };
  gInLoop = remove;
  SetTimer(nullptr, 0, 20, runInLoop);
  auto photograph = [](HWND popUp) {
    RECT r;
    GetClientRect(popUp, &r);
    auto picture = std::make_unique<guitest::TestSurface>(r.right, r.bottom);
    HDC dc = GetDC(popUp);
    BitBlt(picture->dc(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(popUp, dc);
    return picture;
  };
  std::unique_ptr<guitest::TestSurface> before, after;
  ASSERT_TRUE(openWith(menu, [&](HWND popUp) {
    Sleep(200);
    before = photograph(popUp);
    shown = true;
    for (int wait = 0; wait < 200 && !removed; ++wait) Sleep(10);
    InvalidateRect(popUp, nullptr, TRUE);
    Sleep(200);
    after = photograph(popUp);
    press(VK_ESCAPE);
  }));
  gOptionMenuScheme = nullptr;
  ASSERT_TRUE(removed);
  EXPECT_FALSE(scheme->seen.empty()) << "the items were drawn again";
  for (const std::string& seen : scheme->seen)
    EXPECT_NE(std::find(opened.begin(), opened.end(), seen), opened.end()) << seen;
  EXPECT_TRUE(before->samePixels(*after));
  scheme->forget();
}

}  // namespace
