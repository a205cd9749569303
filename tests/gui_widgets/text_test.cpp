// The text controls: the display's text and border pixels, the label's
// copy, and the text edit's native field in a real frame.
#include <cstring>
#include <string>

#include "gui_widgets/widgetframe.h"

namespace {

using namespace widgettest;
using guitest::TestSurface;

const CColor kRed = {255, 0, 0, 255};
const CColor kBlue = {0, 0, 255, 255};

TEST(TextControls, DisplayFormatsTwoDecimalsWithoutAConverter) {
  CParamDisplay display(CRect(0, 0, 60, 20), nullptr, kStyleNoFrame);
  const struct {
    float value;
    const char* text;
  } cases[] = {{0.5f, "0.50"}, {-1.0f, "-1.00"}};
  for (const auto& c : cases) {
    display.setValue(c.value);
    EXPECT_TRUE(showsText(display, c.text)) << c.text;
  }
  EXPECT_FALSE(showsText(display, "-1.0")) << "the comparison can fail";
}

TEST(TextControls, SettersMarkOnlyChangesAndNoDrawStaysClean) {
  CParamDisplay display(CRect(0, 0, 60, 20));
  display.setDirty(false);
  display.setFontColor(kWhiteCColor);
  display.setStyle(0);
  EXPECT_FALSE(display.isDirty());
  display.setFontColor(kRed);
  EXPECT_TRUE(display.isDirty());

  CParamDisplay hidden(CRect(0, 0, 60, 20), nullptr, kStyleNoDraw);
  EXPECT_FALSE(hidden.isDirty());
  TestSurface surface(60, 20, RGB(1, 2, 3));
  CDrawContext context(nullptr, surface.dc(), nullptr);
  hidden.draw(&context);
  EXPECT_EQ(surface.at(30, 10), RGB(1, 2, 3));
}

TEST(TextControls, SunkenBorderLines) {
  CParamDisplay display(CRect(10, 10, 50, 30), nullptr, kStyle3DIn | kStyleNoText);
  display.setTransparency(true);  // no fill: only the lines
  display.setBackColor(kRed);
  display.setFrameColor(kBlue);
  TestSurface surface(60, 40);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  display.draw(&context);
  const struct {
    int x, y;
    COLORREF colour;
  } pixels[] = {{10, 30, RGB(255, 0, 0)}, {10, 20, RGB(255, 0, 0)}, {50, 10, RGB(255, 0, 0)},
                {50, 11, RGB(0, 0, 255)}, {50, 30, RGB(0, 0, 255)}, {11, 30, RGB(0, 0, 255)},
                {51, 10, RGB(0, 0, 0)},   {30, 20, RGB(0, 0, 0)}};
  for (const auto& p : pixels) EXPECT_EQ(surface.at(p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST(TextControls, LabelTakesItsOwnTextAgainAndNone) {
  CTextLabel label(CRect(0, 0, 60, 20), "Level");
  label.setText(label.getText());
  ASSERT_NE(label.getText(), nullptr);
  EXPECT_STREQ(label.getText(), "Level");
  label.setText(nullptr);
  EXPECT_EQ(label.getText(), nullptr);
}

TEST(TextControls, EditTextIsCutAt255Characters) {
  const std::string longText(300, 'x');
  CTextEdit edit(CRect(0, 0, 60, 20), nullptr, 0, longText.c_str());
  char text[256];
  edit.getText(text);
  EXPECT_EQ(std::strlen(text), 255u);
  std::string other(300, 'y');
  edit.setText(&other[0]);
  edit.getText(text);
  EXPECT_EQ(std::string(text), std::string(255, 'y'));
}

class TextEdits : public WidgetFrame {
 protected:
  void click(int x, int y) {
    testwindows::pointAt(window(), x, y);
    testwindows::pumpFor(20);
    // Held while the press is handled: the control reads the buttons then.
    testwindows::sendMouse(MOUSEEVENTF_LEFTDOWN);
    testwindows::pumpFor(60);
    testwindows::sendMouse(MOUSEEVENTF_LEFTUP);
    testwindows::pumpFor(20);
  }
  HWND field() const { return FindWindowExA(window(), nullptr, "EDIT", nullptr); }
  RECT fieldRect() const {
    RECT r;
    GetWindowRect(field(), &r);
    MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  void type(const char* text) {
    for (const char* c = text; *c; ++c) SendMessageA(field(), WM_CHAR, static_cast<unsigned char>(*c), 0);
  }
  void pressReturn() {
    SendMessageA(field(), WM_KEYDOWN, VK_RETURN, 0);
    testwindows::pumpMessages();
  }
  CTextEdit* add(CViewContainer* into, const CRect& size, const char* text, CControlListener* told = nullptr) {
    CTextEdit* edit = new CTextEdit(size, told ? told : &listener, 7, text);
    into->addView(edit);
    return edit;
  }
};

TEST_F(TextEdits, OneEditPerFieldAndOneNotificationPerChangedText) {
  CTextEdit* edit = add(frame, CRect(20, 20, 120, 40), "50");
  edit->looseFocus(nullptr);
  EXPECT_EQ(count(audioMasterEndEdit), 0u) << "no field, no edit to end";

  click(70, 30);
  ASSERT_NE(field(), nullptr);
  EXPECT_EQ(fieldRect().left, 20);
  EXPECT_EQ(fieldRect().bottom - fieldRect().top, 21);
  type("50");  // the whole text is selected: typing replaces it
  pressReturn();
  EXPECT_EQ(field(), nullptr);
  EXPECT_TRUE(listener.values.empty()) << "the same text tells nobody";

  click(70, 30);
  type("75");
  pressReturn();
  edit->looseFocus(nullptr);
  frame->setFocusView(nullptr);
  EXPECT_EQ(listener.values.size(), 1u);
  char text[256];
  edit->getText(text);
  EXPECT_STREQ(text, "75");
  EXPECT_EQ(count(audioMasterBeginEdit), 2u);
  EXPECT_EQ(count(audioMasterEndEdit), 2u);
}

// Where the listener of a closing field may draw: the context it gets
// draws in the coordinates of the control's parent.
class OffsetListener : public CControlListener {
 public:
  void valueChanged(CDrawContext* context, CControl*) override {
    ++calls;
    if (context) offset = context->drawOffset;
  }
  int calls = 0;
  CPoint offset{-1, -1};
};

TEST_F(TextEdits, FieldOverTheControlInsideANestedContainer) {
  OffsetListener placed;
  CViewContainer* outer = new CViewContainer(CRect(40, 90, 190, 190), frame, nullptr);
  CViewContainer* inner = new CViewContainer(CRect(10, 10, 140, 90), frame, nullptr);
  outer->addView(inner);
  frame->addView(outer);
  CTextEdit* edit = add(inner, CRect(10, 20, 110, 40), "a", &placed);
  testwindows::paintWindow(window());
  click(100, 130);
  ASSERT_NE(field(), nullptr);
  const RECT r = fieldRect();
  EXPECT_EQ(r.left, 60);
  EXPECT_EQ(r.top, 120);
  EXPECT_EQ(r.right - r.left, 101);
  type("b");
  frame->setFocusView(nullptr);  // a loss of focus closes the field as Return does
  EXPECT_EQ(field(), nullptr);
  EXPECT_EQ(placed.calls, 1);
  EXPECT_EQ(placed.offset, CPoint(50, 100)) << "the inner container's corner in the frame, counted once";
  char text[256];
  edit->getText(text);
  EXPECT_STREQ(text, "b");
}

TEST_F(TextEdits, PasteKeeps255AndTheFieldTakesTheControlsColours) {
  CTextEdit* edit = add(frame, CRect(20, 20, 120, 40), "");
  edit->setFontColor(kRed);
  edit->setBackColor(kBlue);
  click(70, 30);
  ASSERT_NE(field(), nullptr);

  HDC dc = GetDC(field());
  HBRUSH brush = reinterpret_cast<HBRUSH>(
      SendMessageA(window(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(field())));
  LOGBRUSH described = {};
  ASSERT_TRUE(brush && GetObjectA(brush, sizeof described, &described));
  EXPECT_EQ(described.lbColor, RGB(0, 0, 255));
  EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
  ReleaseDC(field(), dc);

  const std::string pasted(300, 'p');
  ASSERT_TRUE(OpenClipboard(window()));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, pasted.size() + 1);
  std::memcpy(GlobalLock(block), pasted.c_str(), pasted.size() + 1);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
  SendMessageA(field(), WM_PASTE, 0, 0);
  pressReturn();
  char text[256];
  edit->getText(text);
  EXPECT_EQ(std::strlen(text), 255u);
  EXPECT_EQ(listener.values.size(), 1u);
}

}  // namespace
