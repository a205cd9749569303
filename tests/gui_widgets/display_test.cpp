// The display-only pictures: the digits of a number, the movie bitmap's
// picture per value, and the animation's steps through its strip.
#include <cmath>
#include <limits>
#include <vector>

#include "gui_widgets/widgetframe.h"

namespace {

using namespace widgettest;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// The digit pictures drawn, as digits, from the offsets into a strip of
// pictures `height` high.
std::vector<long> digitsDrawn(const SpyBitmap& strip, long height) {
  std::vector<long> digits;
  for (const CPoint& from : strip.offsets) digits.push_back(from.v / height);
  return digits;
}

struct Digits {
  explicit Digits(long count, long* xs = nullptr, long* ys = nullptr, long stripWidth = 10)
      : strip(new SpyBitmap(stripWidth, 200)),
        display(CRect(5, 7, 100, 40), nullptr, 0, 0, count, xs, ys, 8, 20, strip) {
    strip->forget();
  }
  std::vector<long> shown(float value) {
    display.setValue(value);
    strip->offsets.clear();
    display.draw(&context);
    return digitsDrawn(*strip, 20);
  }
  SpyBitmap* strip;
  CSpecialDigit display;
  CDrawContext context{nullptr, nullptr, nullptr};
};

TEST(DigitDisplay, ShowsTheWholeNumberWithinItsDigitsLeadingZerosIncluded) {
  Digits three(3);
  EXPECT_EQ(three.display.getMax(), 999.0f);
  const struct {
    float value;
    std::vector<long> digits;
  } cases[] = {{42.7f, {0, 4, 2}},  {1500.0f, {9, 9, 9}},      {-3.0f, {0, 0, 0}},
               {kNaN, {0, 0, 0}},   {1e30f, {9, 9, 9}},        {999.0f, {9, 9, 9}}};
  for (const auto& c : cases) EXPECT_EQ(three.shown(c.value), c.digits) << c.value;
  three.display.setValue(500.0f);
  EXPECT_NEAR(three.display.getNormValue(), 0.5005f, 1e-4);

  // A range set below the digits' own reads no digit outside the strip.
  three.display.setMax(5.0f);
  EXPECT_EQ(three.shown(42.0f), (std::vector<long>{0, 0, 0}));
}

TEST(DigitDisplay, PlacesAndCountsAtAndBeyondTheirLimits) {
  Digits nine(9);
  EXPECT_EQ(nine.display.getMax(), 9999999.0f);
  EXPECT_EQ(nine.shown(1234567.0f), (std::vector<long>{1, 2, 3, 4, 5, 6, 7}));

  // The default row steps by the strip's width, not the digit's.
  Digits defaults(3);
  defaults.shown(0.0f);
  EXPECT_EQ(defaults.strip->drawnInto, CRect(25, 7, 33, 27));

  long xs[] = {50, 60};
  long ys[] = {9, 11};
  Digits placed(2, xs, ys);
  placed.shown(0.0f);
  EXPECT_EQ(placed.strip->drawnInto, CRect(60, 11, 68, 31));
  Digits onlyX(2, xs, nullptr);
  onlyX.shown(0.0f);
  EXPECT_EQ(onlyX.strip->drawnInto, CRect(15, 7, 23, 27)) << "the default row, not a missing array";

  Digits none(0);
  none.display.setValue(3.0f);
  EXPECT_EQ(none.display.getNormValue(), 0.0f);
  EXPECT_TRUE(none.shown(3.0f).empty());
  Digits negative(-2);
  EXPECT_TRUE(negative.shown(3.0f).empty());

  // Without a strip there is no width to step by and nothing to draw.
  CSpecialDigit bare(CRect(5, 7, 100, 40), nullptr, 0, 12, 2, nullptr, nullptr, 8, 20, nullptr);
  CDrawContext context(nullptr, nullptr, nullptr);
  bare.draw(&context);
  EXPECT_FALSE(bare.isDirty());
}

TEST(MovieBitmap, ChoosesTheNearestPictureAndStaysInsideItsStrip) {
  SpyBitmap* strip = new SpyBitmap(10, 100);
  CMovieBitmap movie(CRect(0, 0, 10, 20), nullptr, 0, strip, CPoint(0, 0));  // 5 pictures of 20
  strip->forget();
  CDrawContext context(nullptr, nullptr, nullptr);
  const struct {
    float value;
    long picture;
  } cases[] = {{0.6f, 2}, {0.65f, 3}, {1.5f, 4}, {0.0f, 0}, {-1.0f, 0}, {kNaN, 0}};
  for (const auto& c : cases) {
    movie.setValue(c.value);
    movie.draw(&context);
    EXPECT_EQ(strip->drawnFrom, CPoint(0, 20 * c.picture)) << c.value;
  }
  movie.setValue(1.5f);
  movie.draw(&context);
  EXPECT_EQ(movie.getValue(), 1.0f);

  // An empty rectangle or no strip gives no pictures, not a division by 0.
  SpyBitmap* other = new SpyBitmap(10, 100);
  CMovieBitmap empty(CRect(0, 0, 0, 0), nullptr, 0, other, CPoint(0, 0));
  other->forget();
  empty.setValue(1.0f);
  empty.draw(&context);
  EXPECT_EQ(other->drawnFrom, CPoint(0, 0));
  CMovieBitmap bare(CRect(0, 0, 10, 20), nullptr, 0, nullptr, CPoint(0, 0));
  bare.draw(&context);
}

class OpenAnimation : public CAutoAnimation {
 public:
  using CAutoAnimation::CAutoAnimation;
  long total() const { return totalHeight; }
};

TEST(Animation, StepsThroughEveryPictureBothWays) {
  OpenAnimation animation(CRect(0, 0, 10, 10), nullptr, 0, 4, 10, nullptr, CPoint(0, 0));
  EXPECT_EQ(animation.total(), 40);
  std::vector<float> forward;
  for (int i = 0; i < 4; ++i) {
    animation.nextPixmap();
    forward.push_back(animation.getValue());
  }
  EXPECT_EQ(forward, (std::vector<float>{10, 20, 30, 0}));
  animation.previousPixmap();
  EXPECT_EQ(animation.getValue(), 30.0f);
  animation.previousPixmap();
  EXPECT_EQ(animation.getValue(), 20.0f);
  EXPECT_FALSE(animation.isWindowOpened());

  // Built from an empty rectangle, or without a strip, it has no pictures
  // and stays at 0.
  SpyBitmap* strip = new SpyBitmap(10, 40);
  OpenAnimation empty(CRect(0, 0, 0, 0), nullptr, 0, strip, CPoint(0, 0));
  strip->forget();
  OpenAnimation bare(CRect(0, 0, 10, 10), nullptr, 0, nullptr, CPoint(0, 0));
  for (OpenAnimation* none : {&empty, &bare}) {
    EXPECT_EQ(none->total(), 0);
    none->nextPixmap();
    none->previousPixmap();
    EXPECT_EQ(none->getValue(), 0.0f);
  }
}

TEST(Animation, AClickOpensAndTellsAndTheNextClosesSilently) {
  SpyBitmap* strip = new SpyBitmap(10, 40);
  Listener listener;
  CAutoAnimation animation(CRect(0, 0, 10, 10), &listener, 0, strip, CPoint(3, 5));
  strip->forget();
  CDrawContext context(nullptr, nullptr, nullptr);
  CPoint where(5, 5);
  animation.draw(&context);
  EXPECT_EQ(strip->draws, 0) << "nothing while closed";

  animation.mouse(&context, where, kMouseRight);
  EXPECT_FALSE(animation.isWindowOpened());
  animation.mouse(&context, where, kMouseLeft);
  EXPECT_TRUE(animation.isWindowOpened());
  animation.nextPixmap();
  animation.draw(&context);
  EXPECT_EQ(strip->drawnFrom, CPoint(3, 15));
  animation.setValue(kNaN);
  animation.draw(&context);
  EXPECT_EQ(strip->drawnFrom, CPoint(3, 5)) << "a value that is no number is no offset";

  animation.mouse(&context, where, kMouseLeft);
  EXPECT_FALSE(animation.isWindowOpened());
  EXPECT_EQ(animation.getValue(), 0.0f);
  EXPECT_EQ(listener.values, (std::vector<float>{0.0f}));
}

}  // namespace
