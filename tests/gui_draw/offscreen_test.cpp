// Off-screen contexts: their surfaces, and the copies between them and other
// contexts, read back from real GDI surfaces.
#include <gtest/gtest.h>

#include "gui_draw/testbitmap.h"
#include "gui_draw/testsurface.h"
#include "pluggui/pluggui.h"

using namespace PLUGGUI;
using guitest::kBlack;
using guitest::kWhite;
using guitest::argb;
using guitest::TestBitmap;
using guitest::TestSurface;

namespace {

const COLORREF kRed = RGB(255, 0, 0);

COLORREF gradient(int x, int y) { return RGB(x * 8, y * 20, 100); }

// Copies the whole w x h surface of an off-screen context onto a test surface.
void copyOut(COffscreenContext& offscreen, TestSurface& target, int width, int height) {
  CDrawContext context(nullptr, target.dc(), nullptr);
  offscreen.copyFrom(&context, CRect(0, 0, width, height), CPoint(0, 0));
}

TEST(OffscreenContext, BuiltFromABitmapItHoldsACopyThatDrawingLeavesTheBitmapAlone) {
  TestSurface screen(10, 10);
  CDrawContext screenContext(nullptr, screen.dc(), nullptr);
  TestBitmap bitmap(30, 8, [](int x, int y) { return argb(gradient(x, y)); });

  {
    COffscreenContext offscreen(&screenContext, &bitmap, false);
    TestSurface copy(30, 8);
    copyOut(offscreen, copy, 30, 8);
    for (int y = 0; y < 8; y++)
      for (int x = 0; x < 30; x++) ASSERT_EQ(copy.at(x, y), gradient(x, y)) << x << "," << y;

    offscreen.setFillColor(kRedCColor);
    offscreen.drawRect(CRect(0, 0, 30, 8), kFillOnly);
  }
  TestSurface after(30, 8);
  CDrawContext afterContext(nullptr, after.dc(), nullptr);
  CRect whole(0, 0, 30, 8);
  bitmap.draw(&afterContext, whole);
  EXPECT_EQ(after.at(3, 4), gradient(3, 4));
}

TEST(OffscreenContext, DrawingInTheBitmapChangesItsImageAndTheImageOutlivesTheContext) {
  TestSurface screen(10, 10);
  CDrawContext screenContext(nullptr, screen.dc(), nullptr);
  TestBitmap bitmap(12, 12, [](int, int) { return argb(RGB(0, 0, 200)); });
  HBITMAP image = bitmap.getHandle();
  {
    COffscreenContext offscreen(&screenContext, &bitmap, true);
    offscreen.setFillColor(kRedCColor);
    offscreen.drawRect(CRect(2, 2, 6, 6), kFillOnly);
  }
  ASSERT_EQ(bitmap.getHandle(), image);
  BITMAP description;
  ASSERT_NE(GetObjectA(image, sizeof(description), &description), 0);  // still a live image

  TestSurface target(12, 12);
  CDrawContext targetContext(nullptr, target.dc(), nullptr);
  CRect whole(0, 0, 12, 12);
  bitmap.draw(&targetContext, whole);
  EXPECT_EQ(target.count(kRed), 16);
  EXPECT_EQ(target.at(2, 2), kRed);
  EXPECT_EQ(target.at(8, 8), RGB(0, 0, 200));
}

TEST(OffscreenContext, WithoutABitmapTheSurfaceIsTwentySquareAndBlack) {
  TestSurface screen(10, 10, kWhite);
  CDrawContext screenContext(nullptr, screen.dc(), nullptr);
  COffscreenContext offscreen(&screenContext, nullptr, false);
  offscreen.setFrameColor(kRedCColor);
  offscreen.moveTo(CPoint(0, 19));
  offscreen.lineTo(CPoint(25, 19));  // runs off the 20-pixel surface

  TestSurface copy(30, 30, kWhite);
  copyOut(offscreen, copy, 30, 30);
  EXPECT_EQ(copy.count(kBlack, 1, 1, 20, 19), 19 * 18);
  EXPECT_EQ(copy.count(kRed, 0, 19, 30, 20), 20);
}

// Asking to draw into a bitmap that is not there gives the context a
// surface of its own instead of none.
TEST(OffscreenContext, DrawingInAMissingBitmapFallsBackToAnOwnSurface) {
  TestSurface screen(10, 10);
  CDrawContext screenContext(nullptr, screen.dc(), nullptr);
  {
    COffscreenContext offscreen(&screenContext, nullptr, true);
    offscreen.setFillColor(kRedCColor);
    offscreen.drawRect(CRect(0, 0, 20, 20), kFillOnly);
    TestSurface copy(20, 20);
    copyOut(offscreen, copy, 20, 20);
    EXPECT_EQ(copy.count(kRed), 400);
  }
  CBitmap empty;
  COffscreenContext onEmpty(&screenContext, &empty, true);
  onEmpty.drawRect(CRect(0, 0, 5, 5), kFillOnly);
}

TEST(OffscreenContext, FrameFormIsClearedToTheBackgroundEverywhere) {
  CColor background = {10, 20, 30, 255};
  COffscreenContext offscreen(nullptr, 33, 17, background);
  TestSurface copy(33, 17, kWhite);
  copyOut(offscreen, copy, 33, 17);
  EXPECT_EQ(copy.count(RGB(10, 20, 30)), 33 * 17);
}

// Containers may be sized to nothing; their surfaces must stay harmless to
// draw on and to copy from.
TEST(OffscreenContext, EmptyAndNegativeSizesDrawAndCopyNothing) {
  TestSurface screen(10, 10, kWhite);
  CDrawContext screenContext(nullptr, screen.dc(), nullptr);
  for (long size : {0L, -5L}) {
    COffscreenContext offscreen(nullptr, size, size, kRedCColor);
    offscreen.drawRect(CRect(0, 0, 10, 10), kFillAndStroke);
    offscreen.drawString("x", CRect(0, 0, 10, 10));
    offscreen.copyFrom(&screenContext, CRect(0, 0, size, size), CPoint(0, 0));
  }
  EXPECT_EQ(screen.count(kWhite), 100);
}

TEST(OffscreenContext, OpaqueTextLiesOnTheFillColourFromTheStart) {
  TestSurface screen(10, 10);
  CDrawContext screenContext(nullptr, screen.dc(), nullptr);
  COffscreenContext offscreen(&screenContext, nullptr, false);
  offscreen.setFontColor(kRedCColor);
  offscreen.drawString("Wq", CRect(0, 0, 20, 20), 1, kAlignLeft);
  TestSurface copy(20, 20);
  copyOut(offscreen, copy, 20, 20);
  EXPECT_EQ(copy.count(kWhite), 0);
  EXPECT_GT(copy.count(kRed), 0);
}

TEST(OffscreenContext, CopyToTakesTheSourceAreaShiftedByTheOtherContextsOffset) {
  TestSurface screen(80, 80);
  for (int y = 0; y < 80; y++)
    for (int x = 0; x < 80; x++) screen.set(x, y, RGB(x * 3, y * 3, 7));
  CDrawContext screenContext(nullptr, screen.dc(), nullptr);
  screenContext.drawOffset(5, 5);

  COffscreenContext offscreen(nullptr, 30, 30, kBlackCColor);
  offscreen.drawOffset(100, 100);  // the off-screen context's own offset plays no part
  CRect source(30, 40, 50, 60);
  offscreen.copyTo(&screenContext, source, CPoint(0, 0));

  TestSurface copy(30, 30);
  copyOut(offscreen, copy, 30, 30);
  for (int y = 0; y < 20; y++)
    for (int x = 0; x < 20; x++) ASSERT_EQ(copy.at(x, y), RGB((35 + x) * 3, (45 + y) * 3, 7)) << x << "," << y;
  EXPECT_EQ(copy.at(20, 5), kBlack);
  EXPECT_EQ(copy.at(5, 20), kBlack);
}

TEST(OffscreenContext, CopyFromLandsOnTheDestinationShiftedByTheOtherContextsOffset) {
  COffscreenContext offscreen(nullptr, 40, 40, kBlackCColor);
  offscreen.setFillColor(kRedCColor);
  offscreen.drawRect(CRect(10, 10, 20, 20), kFillOnly);
  offscreen.drawOffset(7, 7);  // ignored by the copy

  TestSurface screen(60, 60, kWhite);
  CDrawContext screenContext(nullptr, screen.dc(), nullptr);
  screenContext.drawOffset(3, 4);
  offscreen.copyFrom(&screenContext, CRect(20, 20, 30, 30), CPoint(10, 10));
  EXPECT_EQ(screen.count(kRed), 100);
  EXPECT_EQ(screen.count(kRed, 23, 24, 33, 34), 100);

  offscreen.copyFrom(nullptr, CRect(0, 0, 10, 10), CPoint(0, 0));
  CRect area(0, 0, 10, 10);
  offscreen.copyTo(nullptr, area, CPoint(0, 0));
}

}  // namespace
