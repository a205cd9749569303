// The buttons: the on/off button's click and the moment its listener hears
// it, and the kick and movie buttons pressed and let go inside and outside,
// with real input.
#include <vector>

#include "gui_widgets/widgetframe.h"

namespace {

using namespace widgettest;

// Records, with each value, how many idle steps had run when it was told.
class TimedListener : public CControlListener {
 public:
  explicit TimedListener(const StepEditor* editor) : editor(editor) {}
  void valueChanged(CDrawContext*, CControl* control) override {
    values.push_back(control->getValue());
    passes.push_back(editor->passes);
  }
  const StepEditor* editor;
  std::vector<float> values;
  std::vector<int> passes;
};

using Buttons = ControlFrame;

TEST_F(Buttons, OnOffTogglesByTheWholePartAndTellsByStyle) {
  const struct {
    long style;
    float from, to;
    std::vector<int> toldAfterPasses;  // empty: never told
  } cases[] = {{0, 0.7f, 1.0f, {1}}, {0, 1.0f, 0.0f, {1}}, {1, 0.0f, 1.0f, {0}}, {2, 0.0f, 1.0f, {}}};
  for (const auto& c : cases) {
    TimedListener told(editor);
    COnOffButton* button = add(new COnOffButton(CRect(10, 10, 30, 30), &told, 1, nullptr, c.style));
    button->setValue(c.from);
    editor->passes = 0;
    CDrawContext* context = frame->createDrawContext();
    CPoint where(20, 20);
    button->mouse(context, where, kMouseLeft);
    button->mouse(context, where, kMouseRight);  // not a click of this button
    context->forget();
    EXPECT_EQ(button->getValue(), c.to) << "style " << c.style << " from " << c.from;
    EXPECT_EQ(told.passes, c.toldAfterPasses) << "style " << c.style;
    frame->removeView(button);
  }
  EXPECT_EQ(count(audioMasterBeginEdit), 3u) << "one edit per told click";
}

TEST_F(Buttons, OnOffDrawsTheLowerHalfWhenOn) {
  SpyBitmap* strip = new SpyBitmap(20, 40);
  COnOffButton button(CRect(0, 0, 20, 20), nullptr, 0, strip);
  strip->forget();
  CDrawContext context(nullptr, nullptr, nullptr);
  for (const float value : {0.0f, 0.5f}) {
    button.setValue(value);
    button.draw(&context);
    EXPECT_EQ(strip->drawnFrom, CPoint(0, value != 0.0f ? 20 : 0));
  }
}

TEST_F(Buttons, KickButtonEndsAtZeroHoweverThePressGoes) {
  CPoint origin(0, 4);
  SpyBitmap* strip = new SpyBitmap(20, 44);
  CKickButton* kick = add(new CKickButton(CRect(20, 20, 40, 40), &listener, 1, strip, origin));
  strip->forget();
  drag({30, 30}, {});  // press and release inside
  EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
  listener.values.clear();
  drag({30, 30}, {moveTo(60, 30), [] {}});  // out before the release
  EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f, 0.0f}));
  EXPECT_EQ(kick->getValue(), 0.0f);

  // A press already let go when the button looks is a press and release.
  listener.values.clear();
  CDrawContext* context = frame->createDrawContext();
  CPoint where(30, 30);
  kick->mouse(context, where, kMouseLeft);
  EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
  kick->setValue(1.0f);
  kick->draw(context);
  context->forget();
  EXPECT_EQ(strip->drawnFrom, CPoint(0, 24)) << "held: a picture below the one at rest";
  EXPECT_EQ(count(audioMasterBeginEdit), 3u);
  EXPECT_EQ(count(audioMasterEndEdit), 3u);
}

TEST_F(Buttons, MovieButtonTogglesOnlyWhenLetGoInside) {
  CPoint origin(0, 0);
  CMovieButton* button = add(new CMovieButton(CRect(20, 20, 40, 40), &listener, 1, nullptr, origin));
  drag({30, 30}, {});
  EXPECT_EQ(button->getValue(), 1.0f);
  button->setValue(0.0f);
  button->setDirty(false);  // drawn, as a real editor's idle step would
  listener.values.clear();
  drag({30, 30}, {moveTo(30, 70), [] {}});
  EXPECT_EQ(button->getValue(), 0.0f);
  EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f})) << "live: on while inside, off once out";
  EXPECT_EQ(count(audioMasterBeginEdit), 2u);
  EXPECT_EQ(count(audioMasterEndEdit), 2u);
}

}  // namespace
