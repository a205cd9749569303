// The toolkit's value types: rectangles, points, colours, reference counts,
// attribute entries and the shared tables.
#include <gtest/gtest.h>

#include <cstring>

#include "pluggui/pluggui.h"

using namespace PLUGGUI;

namespace {

void expectRect(const CRect& r, long left, long top, long right, long bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(CRectTest, ConstructorKeepsCornersAsGivenButAssignmentOrdersThem) {
  CRect kept(30, 40, 10, 20);
  expectRect(kept, 30, 40, 10, 20);
  EXPECT_EQ(kept.width(), -20);
  EXPECT_EQ(kept.getHeight(), -20);
  EXPECT_TRUE(kept.isEmpty());

  CRect ordered;
  CRect& same = ordered(30, 40, 10, 20);
  EXPECT_EQ(&same, &ordered);
  expectRect(ordered, 10, 20, 30, 40);
  EXPECT_EQ(ordered.getWidth(), 20);
  EXPECT_FALSE(ordered.isEmpty());
  EXPECT_TRUE(CRect(5, 5, 5, 9).isEmpty());
}

TEST(CRectTest, PointInsideIsHalfOpenWhileIsInsideTakesInEveryEdge) {
  const CRect r(10, 10, 20, 20);
  EXPECT_FALSE(r.pointInside(CPoint(20, 15)));
  EXPECT_TRUE(CPoint(20, 15).isInside(r));
  EXPECT_FALSE(r.pointInside(CPoint(15, 20)));
  EXPECT_TRUE(CPoint(15, 20).isInside(r));
  EXPECT_TRUE(r.pointInside(CPoint(10, 10)));
  EXPECT_TRUE(r.pointInside(CPoint(19, 19)));
  EXPECT_FALSE(r.pointInside(CPoint(9, 15)));
  EXPECT_FALSE(CPoint(9, 15).isInside(r));
  EXPECT_FALSE(CPoint(21, 15).isInside(r));
}

TEST(CRectTest, OverlapCountsSharedEdges) {
  EXPECT_TRUE(CRect(0, 0, 10, 10).rectOverlap(CRect(10, 0, 20, 10)));
  EXPECT_TRUE(CRect(0, 0, 10, 10).rectOverlap(CRect(0, 10, 10, 20)));
  EXPECT_FALSE(CRect(0, 0, 10, 10).rectOverlap(CRect(11, 0, 20, 10)));
  EXPECT_FALSE(CRect(0, 0, 10, 10).rectOverlap(CRect(0, 11, 10, 20)));
}

TEST(CRectTest, BoundIntersectsAndNeverLeavesANegativeExtent) {
  CRect r(0, 0, 10, 10);
  r.bound(CRect(20, 20, 30, 30));
  expectRect(r, 20, 20, 20, 20);

  CRect below(0, 40, 10, 50);
  below.bound(CRect(0, 0, 10, 10));
  expectRect(below, 0, 40, 10, 40);

  CRect overlapping(0, 0, 100, 100);
  overlapping.bound(CRect(10, 20, 30, 200));
  expectRect(overlapping, 10, 20, 30, 100);
}

TEST(CRectTest, OffsetMovesAllEdgesAndComparisonsUseAllFields) {
  CRect r(1, 2, 3, 4);
  EXPECT_EQ(&r.offset(10, 20), &r);
  expectRect(r, 11, 22, 13, 24);
  EXPECT_TRUE(r == CRect(11, 22, 13, 24));
  EXPECT_TRUE(r != CRect(11, 22, 13, 25));
  EXPECT_TRUE(r != CRect(12, 22, 13, 24));

  CPoint p(1, 2);
  p.offset(-3, 4);
  EXPECT_EQ(p, CPoint(-2, 6));
  p(7, 8);
  EXPECT_NE(p, CPoint(7, 9));
}

TEST(CColorTest, ComparisonsIncludeAlpha) {
  CColor opaque = {10, 20, 30, 255};
  CColor clear = {10, 20, 30, 0};
  EXPECT_NE(opaque, clear);
  clear(10, 20, 30, 255);
  EXPECT_EQ(opaque, clear);
}

TEST(CColorTest, NamedColours) {
  struct Named {
    const CColor& color;
    unsigned char r, g, b, a;
  } table[] = {
      {kTransparentCColor, 255, 255, 255, 0}, {kBlackCColor, 0, 0, 0, 255},     {kWhiteCColor, 255, 255, 255, 255},
      {kGreyCColor, 127, 127, 127, 255},      {kRedCColor, 255, 0, 0, 255},     {kGreenCColor, 0, 255, 0, 255},
      {kBlueCColor, 0, 0, 255, 255},          {kYellowCColor, 255, 255, 0, 255}, {kMagentaCColor, 255, 0, 255, 255},
      {kCyanCColor, 0, 255, 255, 255},
  };
  for (const Named& n : table) {
    CColor expected = {n.r, n.g, n.b, n.a};
    EXPECT_EQ(n.color, expected);
  }
  EXPECT_EQ(sizeof(CColor), 4u);
}

// Counts its own destruction.
class Counted : public CReferenceCounter {
 public:
  explicit Counted(int& destroyed) : destroyed(destroyed) {}
  ~Counted() override { destroyed++; }

 private:
  int& destroyed;
};

TEST(CReferenceCounterTest, LastForgetDestroysAndNotBefore) {
  int destroyed = 0;
  Counted* object = new Counted(destroyed);
  object->remember();
  object->forget();
  EXPECT_EQ(destroyed, 0);
  object->forget();
  EXPECT_EQ(destroyed, 1);

  Counted* single = new Counted(destroyed);
  single->forget();  // the creator's reference is the only one
  EXPECT_EQ(destroyed, 2);
}

TEST(CAttributeListEntryTest, OwnsABlockOfTheAskedSize) {
  CAttributeListEntry entry(16, kCViewAttributeReferencePointer);
  EXPECT_EQ(entry.getSize(), 16);
  EXPECT_EQ(entry.getID(), 0x63767270u);
  ASSERT_NE(entry.getPointer(), nullptr);
  std::memset(entry.getPointer(), 0xAB, 16);
  EXPECT_EQ(entry.getNext(), nullptr);

  CAttributeListEntry second(1, 42);
  entry.setNext(&second);
  EXPECT_EQ(entry.getNext(), &second);
  entry.setNext(nullptr);
}

TEST(CAttributeListEntryTest, ANegativeSizeGivesAnEmptyEntryThatNobodyCanOverrun) {
  CAttributeListEntry entry(-5, 7);
  EXPECT_EQ(entry.getSize(), 0);
  EXPECT_EQ(entry.getPointer(), nullptr);
  EXPECT_EQ(entry.getID(), 7u);
}

TEST(SharedDefinitionsTest, StandardFontsAndContainerMessage) {
  const long sizes[kNumStandardFonts] = {12, 18, 14, 12, 11, 10, 9, 13};
  for (int i = 0; i < kNumStandardFonts; i++) {
    EXPECT_STREQ(gStandardFontName[i], i == kSymbolFont ? "Symbol" : "Arial") << i;
    EXPECT_EQ(gStandardFontSize[i], sizes[i]) << i;
  }
  EXPECT_STREQ(kMsgCheckIfViewContainer, "kMsgCheckIfViewContainer");
}

// A listener that implements only what it must keeps the default answer
// for modifier clicks.
class ValueOnlyListener : public CControlListener {
 public:
  void valueChanged(CDrawContext*, CControl*) override {}
};

TEST(SharedDefinitionsTest, ListenerDefaultIgnoresModifierClicks) {
  ValueOnlyListener listener;
  CControlListener& asInterface = listener;
  EXPECT_EQ(asInterface.controlModifierClicked(nullptr, nullptr, kMouseLeft | kModControl), 0);
}

}  // namespace
