// The drawing context on real GDI surfaces: state, shapes, text and clipping,
// checked by reading the pixels back.
#include <gtest/gtest.h>

#include <vector>

#include "gui_draw/testsurface.h"
#include "pluggui/pluggui.h"

using namespace PLUGGUI;
using guitest::kBlack;
using guitest::kWhite;
using guitest::TestSurface;

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

CColor color(unsigned char r, unsigned char g, unsigned char b, unsigned char a = 255) {
  CColor c = {r, g, b, a};
  return c;
}

// A context drawing onto a test surface, with a white one-pixel pen and a
// red brush.
struct Canvas {
  explicit Canvas(int width = 40, int height = 40) : surface(width, height), context(nullptr, surface.dc(), nullptr) {
    context.setFillColor(kRedCColor);
  }
  TestSurface surface;
  CDrawContext context;
};

LOGPEN selectedPen(HDC dc) {
  LOGPEN pen = {};
  GetObjectA(GetCurrentObject(dc, OBJ_PEN), sizeof(pen), &pen);
  return pen;
}

LOGFONTA selectedFont(HDC dc) {
  LOGFONTA font = {};
  GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font);
  return font;
}

LOGBRUSH selectedBrush(HDC dc) {
  LOGBRUSH brush = {};
  GetObjectA(GetCurrentObject(dc, OBJ_BRUSH), sizeof(brush), &brush);
  return brush;
}

//-----------------------------------------------------------------------------
// Construction, state and destruction

TEST(DrawContextState, StartsWithWhitePenBlackBrushWhiteTextBoldSystemFontAndCopyMode) {
  TestSurface surface(10, 10);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  HDC dc = surface.dc();
  EXPECT_EQ(context.getSystemContext(), dc);

  const LOGPEN pen = selectedPen(dc);
  EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_SOLID));
  EXPECT_EQ(pen.lopnWidth.x, 1);
  EXPECT_EQ(pen.lopnColor, kWhite);
  const LOGBRUSH brush = selectedBrush(dc);
  EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(brush.lbColor, kBlack);
  EXPECT_EQ(GetTextColor(dc), kWhite);
  EXPECT_EQ(GetBkColor(dc), kBlack);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(GetROP2(dc), R2_COPYPEN);

  const LOGFONTA font = selectedFont(dc);
  EXPECT_STREQ(font.lfFaceName, "Arial");
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_EQ(font.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
  EXPECT_EQ(font.lfOutPrecision, OUT_STRING_PRECIS);
  EXPECT_EQ(font.lfClipPrecision, CLIP_STROKE_PRECIS);
}

TEST(DrawContextState, DestructionGivesTheSurfaceBackItsOwnObjects) {
  TestSurface surface(10, 10);
  HDC dc = surface.dc();
  HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
  HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
  HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  {
    CDrawContext* context = new CDrawContext(nullptr, dc, nullptr);
    context->setFrameColor(kRedCColor);
    context->setFont(kSymbolFont);
    EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), font);
    context->forget();
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
}

TEST(DrawContextState, SettersSkipUnchangedValuesButAlphaCounts) {
  TestSurface surface(10, 10);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  HDC dc = surface.dc();

  HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
  context.setFrameColor(kWhiteCColor);
  context.setLineWidth(1);
  context.setLineStyle(kSolidLine);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
  context.setFrameColor(color(255, 255, 255, 0));  // same drawn colour, other alpha
  EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), pen);
  EXPECT_EQ(selectedPen(dc).lopnColor, kWhite);

  context.setLineStyle(kDottedLine);
  EXPECT_EQ(selectedPen(dc).lopnStyle, static_cast<UINT>(PS_DOT));
  context.setLineWidth(3);
  EXPECT_EQ(selectedPen(dc).lopnWidth.x, 3);
  EXPECT_EQ(selectedPen(dc).lopnStyle, static_cast<UINT>(PS_DOT));
  context.setLineStyle(static_cast<CLineStyle>(7));  // anything but dotted is solid
  EXPECT_EQ(selectedPen(dc).lopnStyle, static_cast<UINT>(PS_SOLID));

  HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
  context.setFillColor(kBlackCColor);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  context.setFillColor(kBlueCColor);
  EXPECT_EQ(selectedBrush(dc).lbColor, kBlue);
  EXPECT_EQ(GetBkColor(dc), kBlue);

  SetTextColor(dc, kRed);  // the font colour is applied even when unchanged
  context.setFontColor(kWhiteCColor);
  EXPECT_EQ(GetTextColor(dc), kWhite);
}

TEST(DrawContextState, DrawModesMapToRasterOperations) {
  TestSurface surface(10, 10);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  context.setDrawMode(kDrawXor);
  EXPECT_EQ(GetROP2(surface.dc()), R2_NOTXORPEN);
  context.setDrawMode(kDrawOr);
  EXPECT_EQ(GetROP2(surface.dc()), R2_MERGEPEN);
  context.setDrawMode(static_cast<CDrawMode>(9));
  EXPECT_EQ(GetROP2(surface.dc()), R2_COPYPEN);

  context.setDrawMode(kDrawCopy);
  SetROP2(surface.dc(), R2_BLACK);
  context.setDrawMode(kDrawCopy);  // unchanged: the surface is not touched
  EXPECT_EQ(GetROP2(surface.dc()), R2_BLACK);
}

TEST(DrawContextState, FontsAreChosenByIndexAndNotRebuiltWhenUnchanged) {
  TestSurface surface(10, 10);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  HDC dc = surface.dc();

  HGDIOBJ systemFont = GetCurrentObject(dc, OBJ_FONT);
  context.setFont(static_cast<CFont>(9), 0, 0);  // out of the table: the system font
  context.setFont(static_cast<CFont>(-1), 12, 0);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), systemFont);

  context.setFont(kSymbolFont, 0, kTextItalic);
  LOGFONTA font = selectedFont(dc);
  EXPECT_STREQ(font.lfFaceName, "Symbol");
  EXPECT_EQ(font.lfHeight, -13);
  EXPECT_EQ(font.lfItalic, 1);
  EXPECT_EQ(font.lfWeight, FW_NORMAL);
  EXPECT_EQ(font.lfPitchAndFamily, FF_DECORATIVE);

  context.setFont(kFontNormal, 0, kTextBold | kTextUnderline);
  font = selectedFont(dc);
  EXPECT_STREQ(font.lfFaceName, "Arial");
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_EQ(font.lfUnderline, 1);
  EXPECT_EQ(font.lfItalic, 0);

  HGDIOBJ normal = GetCurrentObject(dc, OBJ_FONT);
  context.setFont(kFontNormal, 12, kTextBold | kTextUnderline);  // the standard size said out loud
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), normal);
  context.setFont(kFontNormal, 20, kTextBold | kTextUnderline);
  EXPECT_EQ(selectedFont(dc).lfHeight, -20);
}

//-----------------------------------------------------------------------------
// Rectangles

TEST(DrawContextShapes, StrokedRectanglePaintsEachBorderPixelOfTheHalfOpenRectangle) {
  Canvas canvas;
  canvas.context.drawRect(CRect(0, 0, 10, 10), kStrokeOnly);
  EXPECT_EQ(canvas.surface.count(kWhite), 36);
  EXPECT_EQ(canvas.surface.count(kWhite, 1, 1, 9, 9), 0);
  EXPECT_EQ(canvas.surface.count(kWhite, 0, 0, 10, 1), 10);
  EXPECT_EQ(canvas.surface.count(kWhite, 9, 0, 10, 10), 10);

  // In xor mode a pixel painted twice would drop out; the corners stay.
  TestSurface surface(20, 20, kWhite);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  context.setFrameColor(kBlackCColor);
  context.setDrawMode(kDrawXor);
  context.drawRect(CRect(0, 0, 10, 10), kStrokeOnly);
  EXPECT_EQ(surface.count(kBlack), 36);
  context.drawRect(CRect(0, 0, 10, 10), kStrokeOnly);  // a second pass restores
  EXPECT_EQ(surface.count(kWhite), 400);
}

TEST(DrawContextShapes, FillsAreHalfOpenAndFillRectSparesTopRowAndLeftColumn) {
  Canvas filled;
  filled.context.drawRect(CRect(0, 0, 10, 10), kFillOnly);
  EXPECT_EQ(filled.surface.count(kRed), 100);
  EXPECT_EQ(filled.surface.count(kRed, 0, 0, 10, 10), 100);

  Canvas both;
  both.context.drawRect(CRect(0, 0, 10, 10), kFillAndStroke);
  EXPECT_EQ(both.surface.count(kWhite), 36);
  EXPECT_EQ(both.surface.count(kRed), 64);

  Canvas fill;
  fill.context.fillRect(CRect(0, 0, 10, 10));
  EXPECT_EQ(fill.surface.count(kRed), 81);
  EXPECT_EQ(fill.surface.count(kRed, 1, 1, 10, 10), 81);

  Canvas none;
  none.context.drawRect(CRect(0, 0, 10, 10), static_cast<CDrawStyle>(3));
  EXPECT_EQ(none.surface.count(kBlack), 40 * 40);
}

// A rectangle with no pixels has no interior and no border: nothing of it,
// and nothing mirrored from it, reaches the surface.
TEST(DrawContextShapes, EmptyAndInsideOutRectanglesPaintNothing) {
  const CRect empties[] = {CRect(5, 0, 5, 10), CRect(0, 5, 10, 5), CRect(0, 0, 0, 0), CRect(20, 20, 10, 10),
                           CRect(20, 5, 10, 15)};
  for (const CRect& rect : empties) {
    Canvas canvas;
    canvas.context.drawOffset(3, 3);
    canvas.context.drawRect(rect, kFillAndStroke);
    canvas.context.drawRect(rect, kFillOnly);
    canvas.context.drawRect(rect, kStrokeOnly);
    canvas.context.fillRect(rect);
    EXPECT_EQ(canvas.surface.count(kBlack), 40 * 40) << rect.left << "," << rect.top << "," << rect.right << ","
                                                     << rect.bottom;
  }

  // One pixel wide is not empty: all of it is border, none of it is left
  // for fillRect, which spares the left column.
  Canvas thin;
  thin.context.drawRect(CRect(5, 0, 6, 10), kStrokeOnly);
  thin.context.fillRect(CRect(5, 0, 6, 10));
  EXPECT_EQ(thin.surface.count(kWhite), 10);
  EXPECT_EQ(thin.surface.count(kWhite, 5, 0, 6, 10), 10);
  EXPECT_EQ(thin.surface.count(kRed), 0);
}

//-----------------------------------------------------------------------------
// Lines and polygons

TEST(DrawContextShapes, LinesLeaveTheirEndPointUnpainted) {
  Canvas canvas;
  canvas.context.moveTo(CPoint(2, 5));
  canvas.context.lineTo(CPoint(12, 5));
  EXPECT_EQ(canvas.surface.count(kWhite), 10);
  EXPECT_EQ(canvas.surface.at(2, 5), kWhite);
  EXPECT_EQ(canvas.surface.at(11, 5), kWhite);
  EXPECT_EQ(canvas.surface.at(12, 5), kBlack);
}

TEST(DrawContextShapes, DrawLinesDrawsSeparateSegmentsAndPolyLineConnectsThem) {
  const CPoint points[4] = {CPoint(0, 0), CPoint(10, 0), CPoint(10, 10), CPoint(0, 10)};

  Canvas separate;
  const long lines = 2;
  separate.context.drawLines(points, lines);
  EXPECT_EQ(separate.surface.count(kWhite), 20);
  EXPECT_EQ(separate.surface.count(kWhite, 10, 1, 11, 10), 0);  // nothing joins them

  Canvas joined;
  joined.context.polyLine(points, 4);
  EXPECT_EQ(joined.surface.count(kWhite), 30);
  EXPECT_EQ(joined.surface.count(kWhite, 10, 0, 11, 10), 10);
  EXPECT_EQ(joined.surface.count(kWhite, 0, 1, 1, 10), 0);  // open: no way back up
}

TEST(DrawContextShapes, StrokedPolygonStaysOpenAndFilledPolygonUsesTheBrushOnly) {
  const CPoint triangle[3] = {CPoint(0, 0), CPoint(20, 0), CPoint(0, 20)};
  Canvas stroked;
  stroked.context.drawPolygon(triangle, 3, kStrokeOnly);
  EXPECT_EQ(stroked.surface.at(10, 0), kWhite);
  EXPECT_EQ(stroked.surface.at(10, 10), kWhite);
  EXPECT_EQ(stroked.surface.count(kWhite, 0, 1, 1, 20), 0);  // no way back from (0, 20)

  Canvas filled;
  filled.context.drawPolygon(triangle, 3, kFillOnly);
  EXPECT_EQ(filled.surface.at(5, 5), kRed);
  EXPECT_EQ(filled.surface.count(kWhite), 0);
  EXPECT_EQ(filled.surface.at(15, 15), kBlack);
}

// A zig-zag through more points than the fixed buffer holds.
std::vector<CPoint> zigZag(int count) {
  std::vector<CPoint> points;
  for (int i = 0; i < count; i++) points.push_back(CPoint(i, (i % 2) * 4));
  return points;
}

TEST(DrawContextShapes, PointArraysBelowAndAboveThirtyDrawTheSame) {
  for (int count : {5, 30, 31, 45}) {
    Canvas canvas(60, 10);
    std::vector<CPoint> points = zigZag(count);
    canvas.context.drawOffset(2, 3);
    canvas.context.polyLine(points.data(), count);
    // Every segment but the last ends where the next begins: each of the
    // count columns before the last end point holds paint.
    for (int x = 0; x < count - 1; x++) EXPECT_GT(canvas.surface.count(kWhite, x + 2, 3, x + 3, 8), 0) << count;
    EXPECT_EQ(canvas.surface.count(kWhite, count + 2, 0, 60, 10), 0) << count;
  }

  std::vector<CPoint> ring;
  for (int i = 0; i < 40; i++) ring.push_back(i < 20 ? CPoint(i, 0) : CPoint(39 - i, 10));
  Canvas canvas;
  canvas.context.fillPolygon(ring.data(), static_cast<long>(ring.size()));
  EXPECT_EQ(canvas.surface.at(10, 5), kRed);
  EXPECT_EQ(canvas.surface.at(25, 5), kBlack);
}

TEST(DrawContextShapes, EmptyOrMissingPointArraysDrawNothing) {
  Canvas canvas;
  const CPoint points[2] = {CPoint(0, 0), CPoint(10, 10)};
  canvas.context.polyLine(points, 0);
  canvas.context.polyLine(points, -3);
  canvas.context.fillPolygon(points, -40);
  canvas.context.polyLine(nullptr, 2);
  const long lines = 1;
  canvas.context.drawLines(nullptr, lines);
  EXPECT_EQ(canvas.surface.count(kBlack), 40 * 40);
}

//-----------------------------------------------------------------------------
// Ellipses and arcs

TEST(DrawContextShapes, EllipseOutlineTakesInTheRightAndBottomEdges) {
  Canvas canvas;
  canvas.context.drawEllipse(CRect(5, 5, 25, 25));
  const RECT bounds = canvas.surface.boundsOfOther(kBlack);
  EXPECT_EQ(bounds.left, 5);
  EXPECT_EQ(bounds.top, 5);
  EXPECT_EQ(bounds.right, 25);
  EXPECT_EQ(bounds.bottom, 25);
  EXPECT_EQ(canvas.surface.at(15, 15), kBlack);  // outline only
}

TEST(DrawContextShapes, FilledEllipseIsMovedOnePixelInAndKeepsOffTheOutline) {
  Canvas canvas;
  canvas.context.fillEllipse(CRect(5, 5, 25, 25));
  const RECT bounds = canvas.surface.boundsOfOther(kBlack);
  EXPECT_GE(bounds.left, 6);
  EXPECT_GE(bounds.top, 6);
  EXPECT_LE(bounds.right, 25);
  EXPECT_LE(bounds.bottom, 25);
  EXPECT_EQ(canvas.surface.at(15, 15), kRed);
  EXPECT_EQ(canvas.surface.count(kWhite), 0);
}

// Which quarters of the circle in (0, 0, 100, 100) hold paint.
struct Quarters {
  bool upperRight, upperLeft, lowerLeft, lowerRight;
};

Quarters paintedQuarters(const TestSurface& surface, COLORREF paint, int inset) {
  auto painted = [&](int left, int top, int right, int bottom) {
    return surface.count(paint, left, top, right, bottom) > 0;
  };
  return Quarters{painted(55, inset, 101, 45), painted(inset, inset, 45, 45), painted(inset, 55, 45, 101),
                  painted(55, 55, 101, 101)};
}

TEST(DrawContextShapes, ArcsByAngleRunCounterClockwiseFromThreeOClock) {
  struct Case {
    float start, end;
    Quarters expected;
  } cases[] = {
      {0, 90, {true, false, false, false}},
      {90, 180, {false, true, false, false}},
      {180, 270, {false, false, true, false}},
      {270, 360, {false, false, false, true}},
      {0, 180, {true, true, false, false}},
  };
  for (const Case& c : cases) {
    TestSurface surface(110, 110);
    CDrawContext context(nullptr, surface.dc(), nullptr);
    context.drawArc(CRect(0, 0, 100, 100), c.start, c.end, kStrokeOnly);
    const Quarters q = paintedQuarters(surface, kWhite, 0);
    EXPECT_EQ(q.upperRight, c.expected.upperRight) << c.start << ".." << c.end;
    EXPECT_EQ(q.upperLeft, c.expected.upperLeft) << c.start << ".." << c.end;
    EXPECT_EQ(q.lowerLeft, c.expected.lowerLeft) << c.start << ".." << c.end;
    EXPECT_EQ(q.lowerRight, c.expected.lowerRight) << c.start << ".." << c.end;
  }
}

TEST(DrawContextShapes, ArcFillIsAPieWithoutOutline) {
  TestSurface surface(110, 110);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  context.setFillColor(kRedCColor);
  context.drawArc(CRect(0, 0, 100, 100), 0.0f, 90.0f, kFillOnly);
  EXPECT_EQ(surface.at(70, 30), kRed);
  EXPECT_EQ(surface.at(30, 30), kBlack);
  EXPECT_EQ(surface.at(70, 70), kBlack);
  EXPECT_EQ(surface.count(kWhite), 0);

  context.drawArc(CRect(0, 0, 100, 100), 180.0f, 270.0f, kFillAndStroke);
  EXPECT_EQ(surface.at(30, 70), kRed);
  EXPECT_GT(surface.count(kWhite, 0, 50, 50, 101), 0);

  TestSurface pie(110, 110);
  CDrawContext pieContext(nullptr, pie.dc(), nullptr);
  pieContext.setFillColor(kRedCColor);
  pieContext.fillArc(CRect(0, 0, 100, 100), CPoint(0, 50), CPoint(100, 50));  // lower half
  EXPECT_EQ(pie.at(50, 80), kRed);
  EXPECT_EQ(pie.at(50, 20), kBlack);
  EXPECT_EQ(pie.count(kWhite), 0);
}

// A canvas holds the context's white one-pixel pen and red brush, so the
// platform's own curves drawn straight onto another canvas are what the
// context must paint; interiors are drawn with the null pen, as it does.
void interiorOnly(Canvas& canvas) { SelectObject(canvas.surface.dc(), GetStockObject(NULL_PEN)); }

// Each curve keeps to its own box, with the draw offset (3, 4): outlines
// take in the right and bottom edges, the filled ellipse moves one pixel
// in at the top left and one out at the bottom right, and the pie between
// two points shrinks at the top left only.
TEST(DrawContextShapes, CurvesUseTheirOwnBoundingBoxesWithTheDrawOffset) {
  const CRect rect(2, 3, 30, 25);
  const CPoint p1(35, 5), p2(0, 20);
  const int l = 5, t = 7, r = 33, b = 29;       // rect on the surface
  const int x1 = 38, y1 = 9, x2 = 3, y2 = 24;  // the points on the surface
  Canvas drawn[4], expected[4];
  for (Canvas& canvas : drawn) canvas.context.drawOffset(3, 4);

  drawn[0].context.fillEllipse(rect);
  interiorOnly(expected[0]);
  Ellipse(expected[0].surface.dc(), l + 1, t + 1, r + 1, b + 1);

  drawn[1].context.fillArc(rect, p1, p2);
  interiorOnly(expected[1]);
  Pie(expected[1].surface.dc(), l + 1, t + 1, r, b, x1, y1, x2, y2);

  drawn[2].context.drawArc(rect, p1, p2);
  Arc(expected[2].surface.dc(), l, t, r + 1, b + 1, x1, y1, x2, y2);

  drawn[3].context.drawEllipse(rect);
  Arc(expected[3].surface.dc(), l, t, r + 1, b + 1, l + 14, t, l + 14, t);

  for (int i = 0; i < 4; i++) EXPECT_TRUE(drawn[i].surface.samePixels(expected[i].surface)) << i;
}

// 90 degrees in single precision lies just past a right angle: its ray
// point on the circle in (0, 0, 100, 100) is (49, 0), where a true right
// angle gives (50, 0). Filled, the ray points bound a pie in the outline's
// box. Draw offset (7, 9).
TEST(DrawContextShapes, ArcsByAngleUseSinglePrecisionRayPointsShiftedByTheOffset) {
  const CRect rect(0, 0, 100, 100);
  Canvas quarter(120, 120), expected(120, 120), trueRightAngle(120, 120);
  quarter.context.drawOffset(7, 9);
  quarter.context.drawArc(rect, 0.0f, 90.0f, kStrokeOnly);
  Arc(expected.surface.dc(), 7, 9, 108, 110, 107, 59, 56, 9);
  Arc(trueRightAngle.surface.dc(), 7, 9, 108, 110, 107, 59, 57, 9);
  EXPECT_TRUE(quarter.surface.samePixels(expected.surface));
  EXPECT_FALSE(quarter.surface.samePixels(trueRightAngle.surface));  // the two can be told apart

  // 200 degrees: (trunc(50 + cos * 50), trunc(50 - sin * 50)) = (3, 67);
  // 320 degrees: (88, 82).
  Canvas piece(120, 120), expectedPiece(120, 120);
  piece.context.drawOffset(7, 9);
  piece.context.drawArc(rect, 200.0f, 320.0f, kFillAndStroke);
  HDC dc = expectedPiece.surface.dc();
  HGDIOBJ pen = SelectObject(dc, GetStockObject(NULL_PEN));
  Pie(dc, 7, 9, 108, 110, 10, 76, 95, 91);
  SelectObject(dc, pen);
  Arc(dc, 7, 9, 108, 110, 10, 76, 95, 91);
  EXPECT_TRUE(piece.surface.samePixels(expectedPiece.surface));
}

//-----------------------------------------------------------------------------
// Raster modes, pixels and flood fill

TEST(DrawContextPixels, OrModeMergesAndXorModeInvertsTheXoredResult) {
  TestSurface surface(10, 10, kRed);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  context.setFrameColor(kBlueCColor);
  context.setDrawMode(kDrawOr);
  context.moveTo(CPoint(0, 1));
  context.lineTo(CPoint(10, 1));
  EXPECT_EQ(surface.at(5, 1), RGB(255, 0, 255));

  context.setDrawMode(kDrawXor);
  context.moveTo(CPoint(0, 2));
  context.lineTo(CPoint(10, 2));
  EXPECT_EQ(surface.at(5, 2), RGB(0, 255, 0));  // not (red xor blue)
}

TEST(DrawContextPixels, PointsAreWrittenAndReadWithTheOffsetAndOpaqueAlpha) {
  TestSurface surface(20, 20);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  context.drawOffset(5, 6);
  context.drawPoint(CPoint(1, 2), color(255, 0, 0, 0));
  EXPECT_EQ(surface.at(6, 8), kRed);
  EXPECT_EQ(context.getPoint(CPoint(1, 2)), color(255, 0, 0, 255));
}

TEST(DrawContextPixels, FloodFillFillsOnlyTheConnectedAreaOfTheStartColour) {
  Canvas canvas(30, 30);
  canvas.context.drawRect(CRect(5, 5, 15, 15), kStrokeOnly);  // a white ring
  canvas.context.floodFill(CPoint(10, 10));
  EXPECT_EQ(canvas.surface.count(kRed), 64);
  EXPECT_EQ(canvas.surface.at(20, 20), kBlack);
  EXPECT_EQ(canvas.surface.count(kWhite), 36);
}

//-----------------------------------------------------------------------------
// Clipping and the draw offset

TEST(DrawContextClip, ClipRectsFollowTheOffsetAndAreReportedInTheCallersCoordinates) {
  Canvas canvas;
  canvas.context.drawOffset(5, 5);
  canvas.context.setClipRect(CRect(0, 0, 10, 10));
  CRect clip;
  EXPECT_EQ(canvas.context.getClipRect(clip), CRect(0, 0, 10, 10));
  canvas.context.drawRect(CRect(-5, -5, 30, 30), kFillOnly);
  EXPECT_EQ(canvas.surface.count(kRed), 100);
  EXPECT_EQ(canvas.surface.count(kRed, 5, 5, 15, 15), 100);

  canvas.context.drawOffset(0, 0);
  EXPECT_EQ(canvas.context.getClipRect(clip), CRect(5, 5, 15, 15));
}

TEST(DrawContextClip, ResetClipCoversTheWholeSurfaceAndReportsWhatItSet) {
  Canvas canvas;
  canvas.context.setClipRect(CRect(0, 0, 2, 2));
  canvas.context.drawOffset(5, 5);
  canvas.context.resetClipRect();
  CRect clip;
  EXPECT_EQ(canvas.context.getClipRect(clip), CRect(0, 0, 1000, 1000));
  canvas.context.drawRect(CRect(-5, -5, 35, 35), kFillOnly);
  EXPECT_EQ(canvas.surface.count(kRed), 35 * 35);  // from the offset on

  // A clip asked for right after the reset is applied, not taken for the one
  // already in force.
  canvas.surface.fill(kBlack);
  canvas.context.setClipRect(CRect(-5, -5, 995, 995));
  canvas.context.drawRect(CRect(-5, -5, 35, 35), kFillOnly);
  EXPECT_EQ(canvas.surface.count(kRed), 40 * 40);
}

// GDI would put the corners of an inside-out clip in order and let the
// mirrored area through; an empty clip lets nothing through.
TEST(DrawContextClip, AnInsideOutClipLetsNothingThrough) {
  Canvas canvas;
  canvas.context.drawOffset(2, 2);
  canvas.context.setClipRect(CRect(20, 20, 10, 10));
  CRect clip;
  EXPECT_EQ(canvas.context.getClipRect(clip), CRect(20, 20, 10, 10));  // reported as asked
  canvas.context.drawRect(CRect(-2, -2, 38, 38), kFillOnly);
  canvas.context.drawPoint(CPoint(15, 15), kRedCColor);
  EXPECT_EQ(canvas.surface.count(kRed), 0);

  canvas.context.setClipRect(CRect(10, 10, 20, 20));
  canvas.context.drawRect(CRect(-2, -2, 38, 38), kFillOnly);
  EXPECT_EQ(canvas.surface.count(kRed), 100);
  EXPECT_EQ(canvas.surface.count(kRed, 12, 12, 22, 22), 100);
}

TEST(DrawContextClip, ShapesAndTextAllHonourTheOffset) {
  Canvas canvas;
  canvas.context.drawOffset(10, 20);
  canvas.context.drawRect(CRect(0, 0, 5, 5), kFillOnly);
  EXPECT_EQ(canvas.surface.count(kRed, 10, 20, 15, 25), 25);
  EXPECT_EQ(canvas.surface.count(kRed), 25);
}

//-----------------------------------------------------------------------------
// Text

// The text as the platform lays it out in that rectangle with the flags a
// drawing context uses.
void drawReference(TestSurface& surface, const char* text, RECT area, UINT align) {
  HFONT font = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_STRING_PRECIS, CLIP_STROKE_PRECIS,
                           DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
  HGDIOBJ old = SelectObject(surface.dc(), font);
  SetTextColor(surface.dc(), kWhite);
  SetBkMode(surface.dc(), TRANSPARENT);
  DrawTextA(surface.dc(), text, -1, &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | align);
  SelectObject(surface.dc(), old);
  DeleteObject(font);
}

TEST(DrawContextText, AlignmentRectangles) {
  struct Case {
    CHoriTxtAlign align;
    RECT laidOutIn;
    UINT flags;
  } cases[] = {
      {kAlignLeft, {11, 0, 50, 20}, DT_LEFT},
      {kAlignCenter, {10, 0, 50, 20}, DT_CENTER},
      {kAlignRight, {10, 0, 50, 20}, DT_RIGHT},
  };
  for (const Case& c : cases) {
    TestSurface drawn(60, 20);
    CDrawContext context(nullptr, drawn.dc(), nullptr);
    context.drawString("A&b", CRect(10, 0, 50, 20), 0, c.align);
    TestSurface expected(60, 20);
    drawReference(expected, "A&b", c.laidOutIn, c.flags);
    EXPECT_LT(drawn.count(kBlack), 60 * 20) << c.align;
    EXPECT_TRUE(drawn.samePixels(expected)) << c.align;
  }
}

TEST(DrawContextText, TextIsClippedToItsRectangleAndOpaqueTextUsesTheFillColour) {
  TestSurface surface(80, 20);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  context.setFillColor(kBlueCColor);
  context.drawString("Threshold", CRect(5, 2, 25, 18), 1, kAlignLeft);
  EXPECT_EQ(surface.boundsOfOther(kBlack).left, 6);
  EXPECT_LE(surface.boundsOfOther(kBlack).right, 24);
  EXPECT_GT(surface.count(kBlue, 5, 2, 25, 18), 0);
  EXPECT_EQ(GetBkMode(surface.dc()), TRANSPARENT);
}

TEST(DrawContextText, StringWidthMatchesWhatIsDrawn) {
  TestSurface surface(200, 20);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  context.setFont(kFontNormal);
  const long width = context.getStringWidth("Ratio");
  EXPECT_GT(width, 10);
  EXPECT_EQ(context.getStringWidth(""), 0);
  EXPECT_EQ(context.getStringWidth(nullptr), 0);
  EXPECT_EQ(context.getStringWidth("RatioRatio"), 2 * width);

  context.drawString("Ratio", CRect(0, 0, 200, 20), 0, kAlignLeft);
  const RECT bounds = surface.boundsOfOther(kBlack);
  EXPECT_GE(bounds.left, 1);
  EXPECT_LE(bounds.right, width + 1);
}

TEST(DrawContextText, NullTextDrawsNothingAndKeepsTheBackgroundMode) {
  TestSurface surface(20, 20);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  SetBkMode(surface.dc(), OPAQUE);
  context.drawString(nullptr, CRect(0, 0, 20, 20), 0, kAlignLeft);
  EXPECT_EQ(GetBkMode(surface.dc()), OPAQUE);
  EXPECT_EQ(surface.count(kBlack), 400);
}

}  // namespace
