// Bitmaps: loading from the plug-in's resources, and the opaque,
// colour-keyed and blended drawing paths, read back from real surfaces.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gui_draw/testbitmap.h"
#include "gui_draw/testsurface.h"
#include "pluggui/pluggui.h"
#include "plugin/plugmain.h"

using namespace PLUGGUI;
using guitest::kBlack;
using guitest::kWhite;
using guitest::kCream;
using guitest::kNavy;
using guitest::argb;
using guitest::TestBitmap;
using guitest::TestSurface;

namespace {


// Resources come from the plug-in module: point the module handle at the
// DLL for the length of a test.
class PluginResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module = LoadLibraryA("quillon.dll");
    ASSERT_NE(module, nullptr);
    savedInstance = hInstance;
    hInstance = module;
  }
  void TearDown() override {
    hInstance = savedInstance;
    if (module) FreeLibrary(module);
  }

  HMODULE module = nullptr;
  HINSTANCE savedInstance = nullptr;
};

// Draws the whole bitmap onto a surface of its size.
void drawWhole(CBitmap& bitmap, TestSurface& surface) {
  CDrawContext context(nullptr, surface.dc(), nullptr);
  CRect whole(0, 0, bitmap.getWidth(), bitmap.getHeight());
  bitmap.draw(&context, whole);
}

bool isBlend(COLORREF c) { return c != kCream && c != kNavy; }

//-----------------------------------------------------------------------------
// The slider pictures in the DLL

TEST_F(PluginResources, SliderPicturesAreStoredAsVersionFiveBgraBitmapsWithoutColourTable) {
  struct Expected {
    int id, width, height;
  } pictures[] = {{100, 212, 12}, {101, 12, 212}, {102, 12, 12}};
  for (const Expected& e : pictures) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(e.id), MAKEINTRESOURCEA(2) /* bitmap */);
    ASSERT_NE(found, nullptr) << e.id;
    const DWORD size = SizeofResource(module, found);
    const auto* header = static_cast<const BITMAPV5HEADER*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(header, nullptr);
    const DWORD pixelBytes = static_cast<DWORD>(e.width * e.height * 4);
    EXPECT_EQ(size, 124 + pixelBytes) << e.id;  // nothing between header and pixels
    EXPECT_EQ(header->bV5Size, 124u);
    EXPECT_EQ(header->bV5Width, e.width);
    EXPECT_EQ(header->bV5Height, e.height);  // positive: bottom-up
    EXPECT_EQ(header->bV5Planes, 1);
    EXPECT_EQ(header->bV5BitCount, 32);
    EXPECT_EQ(header->bV5Compression, static_cast<DWORD>(BI_BITFIELDS));
    EXPECT_EQ(header->bV5RedMask, 0x00FF0000u);
    EXPECT_EQ(header->bV5GreenMask, 0x0000FF00u);
    EXPECT_EQ(header->bV5BlueMask, 0x000000FFu);
    EXPECT_EQ(header->bV5CSType, 0x73524742u);  // sRGB
    EXPECT_EQ(header->bV5ClrUsed, 0u);

    // Stored rows run bottom-up; every byte quad is blue, green, red, alpha.
    const auto* pixels = reinterpret_cast<const unsigned char*>(header) + 124;
    auto stored = [&](int x, int y) {
      const unsigned char* p = pixels + ((e.height - 1 - y) * e.width + x) * 4;
      return RGB(p[2], p[1], p[0]);
    };
    EXPECT_EQ(stored(0, 0), kCream) << e.id;
    EXPECT_EQ(stored(e.width - 1, e.height - 1), kCream) << e.id;
    EXPECT_EQ(stored(e.width / 2, e.height / 2 - (e.id == 101 ? 0 : 1)), kNavy) << e.id;
  }
}

TEST_F(PluginResources, HorizontalTrackIsANavyBarOnCreamWithRoundEnds) {
  CBitmap track(100);
  ASSERT_TRUE(track.isLoaded());
  ASSERT_EQ(track.getWidth(), 212);
  ASSERT_EQ(track.getHeight(), 12);
  TestSurface surface(212, 12);
  drawWhole(track, surface);

  EXPECT_EQ(surface.count(kWhite), 0);
  EXPECT_EQ(surface.count(kCream, 0, 0, 212, 4), 212 * 4);   // above the bar
  EXPECT_EQ(surface.count(kCream, 0, 8, 212, 12), 212 * 4);  // below it
  EXPECT_EQ(surface.count(kCream, 0, 4, 4, 8), 16);          // before its start
  EXPECT_EQ(surface.count(kCream, 208, 4, 212, 8), 16);      // past its end
  EXPECT_EQ(surface.count(kNavy, 8, 4, 204, 8), 196 * 4);    // solid in the middle
  for (int y = 4; y < 8; y++) {
    EXPECT_NE(surface.at(4, y), kCream) << y;  // the bar starts at 4...
    EXPECT_NE(surface.at(207, y), kCream) << y;  // ...and ends at 207
  }
  // Round ends: the corner pixels of the bar are blends, lighter than the
  // pixels at the middle of the end.
  EXPECT_TRUE(isBlend(surface.at(4, 4)));
  EXPECT_TRUE(isBlend(surface.at(207, 7)));
  EXPECT_GT(GetRValue(surface.at(4, 4)), GetRValue(surface.at(4, 5)));
}

TEST_F(PluginResources, VerticalTrackIsTheHorizontalOneTurnedUpright) {
  CBitmap horizontal(100);
  CBitmap vertical(101);
  ASSERT_EQ(vertical.getWidth(), 12);
  ASSERT_EQ(vertical.getHeight(), 212);
  TestSurface across(212, 12);
  TestSurface upright(12, 212);
  drawWhole(horizontal, across);
  drawWhole(vertical, upright);
  for (int y = 0; y < 212; y++)
    for (int x = 0; x < 12; x++) ASSERT_EQ(upright.at(x, y), across.at(y, x)) << x << "," << y;
}

TEST_F(PluginResources, HandleIsANavyDiscWithCreamCornersAndABlendedRim) {
  CBitmap handle(102);
  ASSERT_EQ(handle.getWidth(), 12);
  ASSERT_EQ(handle.getHeight(), 12);
  TestSurface surface(12, 12);
  drawWhole(handle, surface);
  EXPECT_EQ(surface.count(kWhite), 0);
  for (COLORREF corner : {surface.at(0, 0), surface.at(11, 0), surface.at(0, 11), surface.at(11, 11)})
    EXPECT_EQ(corner, kCream);
  EXPECT_EQ(surface.count(kNavy, 3, 3, 9, 9), 36);
  EXPECT_TRUE(isBlend(surface.at(0, 4)));
  EXPECT_TRUE(isBlend(surface.at(1, 1)));
  EXPECT_TRUE(isBlend(surface.at(11, 7)));
}

TEST_F(PluginResources, ResourcesLoadFromThePluginModuleOnly) {
  hInstance = GetModuleHandleA(nullptr);  // the test program has no pictures
  CBitmap fromProgram(100);
  EXPECT_FALSE(fromProgram.isLoaded());
  hInstance = module;
  CBitmap fromPlugin(100);
  EXPECT_TRUE(fromPlugin.isLoaded());
}

TEST_F(PluginResources, MissingPathAndReloadRules) {
  CBitmap missing(999);
  EXPECT_FALSE(missing.isLoaded());
  EXPECT_EQ(missing.getWidth(), 0);
  EXPECT_EQ(missing.getHeight(), 0);
  TestSurface surface(20, 20, RGB(1, 2, 3));
  CDrawContext context(nullptr, surface.dc(), nullptr);
  CRect area(0, 0, 20, 20);
  missing.draw(&context, area);
  missing.drawTransparent(&context, area);
  missing.drawAlphaBlend(&context, area, CPoint(0, 0), 128);
  EXPECT_EQ(surface.count(RGB(1, 2, 3)), 400);

  CBitmap bitmap(100);
  EXPECT_FALSE(bitmap.loadFromPath("slider_track_h.bmp"));
  EXPECT_FALSE(bitmap.isLoaded());
  EXPECT_EQ(bitmap.getWidth(), 0);

  bitmap.dispose();
  EXPECT_TRUE(bitmap.loadFromResource(101));
  EXPECT_EQ(bitmap.getWidth(), 12);
  EXPECT_EQ(bitmap.getHeight(), 212);
  EXPECT_TRUE(bitmap.loadFromResource(0x10000 + 102));  // only the low 16 bits name it
  EXPECT_EQ(bitmap.getWidth(), 12);
  EXPECT_EQ(bitmap.getHeight(), 12);
  EXPECT_FALSE(bitmap.loadFromResource(999));
  EXPECT_FALSE(bitmap.isLoaded());
}

//-----------------------------------------------------------------------------
// Drawing

COLORREF imagePixel(int x, int y) { return RGB(x * 10, y * 10, 200); }

TEST(BitmapDraw, OpaqueCopyLandsShiftedByTheDrawOffsetFromTheSourceOffset) {
  TestBitmap bitmap(20, 20, [](int x, int y) { return argb(imagePixel(x, y)); });
  TestSurface surface(140, 40);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  context.drawOffset(100, 0);
  CRect rect(10, 10, 22, 22);
  bitmap.draw(&context, rect, CPoint(3, 4));
  const RECT painted = surface.boundsOfOther(kBlack);
  EXPECT_EQ(painted.left, 110);
  EXPECT_EQ(painted.top, 10);
  EXPECT_EQ(painted.right, 121);
  EXPECT_EQ(painted.bottom, 21);
  EXPECT_EQ(surface.at(110, 10), imagePixel(3, 4));
  EXPECT_EQ(surface.at(121, 21), imagePixel(14, 15));
}

// A picture with a pure white key pattern and a nearly-white pixel, drawn
// over a striped background: the expected result is computed by hand.
class TransparentPaths : public ::testing::Test {
 protected:
  static COLORREF picture(int x, int y) {
    if ((x + y) % 3 == 0) return kWhite;
    if (x == 5 && y == 5) return RGB(255, 254, 255);
    return RGB(x * 10, 100, y * 10);
  }
  static COLORREF background(int /*x*/, int y) { return (y % 2) ? RGB(0, 128, 0) : RGB(20, 0, 90); }

  void SetUp() override {
    savedTransparentBlt = pfnTransparentBlt;
    library = loadImageLibrary(true);
  }
  void TearDown() override {
    freeImageLibrary(library);
    pfnTransparentBlt = savedTransparentBlt;
  }

  // Draws the picture's area from (2, 1) at (4, 3) with a draw offset of
  // (1, 2): image pixel (2 + i, 1 + j) lands on (5 + i, 5 + j).
  void drawOnto(TestSurface& surface, CBitmap& bitmap) {
    for (int y = 0; y < surface.height(); y++)
      for (int x = 0; x < surface.width(); x++) surface.set(x, y, background(x, y));
    CDrawContext context(nullptr, surface.dc(), nullptr);
    context.drawOffset(1, 2);
    CRect rect(4, 3, 14, 11);
    bitmap.drawTransparent(&context, rect, CPoint(2, 1));
  }

  void expectKeyedResult(const TestSurface& surface) {
    for (int y = 0; y < surface.height(); y++)
      for (int x = 0; x < surface.width(); x++) {
        const bool under = x >= 5 && x < 15 && y >= 5 && y < 13;
        COLORREF expected = background(x, y);
        if (under && picture(x - 3, y - 4) != kWhite) expected = picture(x - 3, y - 4);
        ASSERT_EQ(surface.at(x, y), expected) << x << "," << y;
      }
  }

  HMODULE library = nullptr;
  PFNTRANSPARENTBLT savedTransparentBlt = nullptr;
};

// Pictures for colour keys leave the fourth byte of each pixel 0, as the
// plug-in's own pictures do.
TEST_F(TransparentPaths, AllThreePathsLeaveOutExactlyTheKeyPixels) {
  TestBitmap bitmap(16, 16, [](int x, int y) { return argb(picture(x, y), 0); });

  ASSERT_NE(pfnTransparentBlt, nullptr);
  TestSurface throughPlatform(20, 16);
  drawOnto(throughPlatform, bitmap);
  expectKeyedResult(throughPlatform);

  pfnTransparentBlt = nullptr;
  TestSurface throughFallback(20, 16);
  drawOnto(throughFallback, bitmap);
  expectKeyedResult(throughFallback);

  TestSurface scratch(20, 20);
  CDrawContext scratchContext(nullptr, scratch.dc(), nullptr);
  {
    COffscreenContext copy(&scratchContext, &bitmap, false);
    copy.drawOffset(5, 5);  // the mask is read where the picture lies on the surface
    bitmap.setTransparencyMask(&copy, CPoint(0, 0));
  }
  TestSurface throughMask(20, 16);
  drawOnto(throughMask, bitmap);
  expectKeyedResult(throughMask);
}

TEST_F(TransparentPaths, AMaskKeepsRulingAfterTheKeyChanges) {
  TestBitmap bitmap(16, 16, [](int x, int y) { return argb(picture(x, y), 0); });
  TestSurface scratch(20, 20);
  CDrawContext scratchContext(nullptr, scratch.dc(), nullptr);
  {
    COffscreenContext copy(&scratchContext, &bitmap, false);
    bitmap.setTransparencyMask(&copy, CPoint(0, 0));
  }
  bitmap.setTransparentColor(kRedCColor);
  TestSurface surface(20, 16);
  drawOnto(surface, bitmap);
  expectKeyedResult(surface);
}

TEST_F(TransparentPaths, TheKeysAlphaPlaysNoPart) {
  TestBitmap bitmap(16, 16, [](int x, int y) { return argb(picture(x, y), 0); });
  CColor keyWithOtherAlpha = {255, 255, 255, 3};
  bitmap.setTransparentColor(keyWithOtherAlpha);
  for (bool platform : {true, false}) {
    if (!platform) pfnTransparentBlt = nullptr;
    TestSurface surface(20, 16);
    drawOnto(surface, bitmap);
    expectKeyedResult(surface);
  }
}

TEST_F(TransparentPaths, TheSliderHandleCoversItsSquareUnlessItsCornersAreMadeTheKey) {
  HMODULE plugin = LoadLibraryA("quillon.dll");
  ASSERT_NE(plugin, nullptr);
  HINSTANCE saved = hInstance;
  hInstance = plugin;
  CBitmap handle(102);
  hInstance = saved;

  TestSurface surface(12, 12, kBlack);
  CDrawContext context(nullptr, surface.dc(), nullptr);
  CRect square(0, 0, 12, 12);
  handle.drawTransparent(&context, square);
  EXPECT_EQ(surface.count(kBlack), 0);  // no pure white in the picture

  surface.fill(RGB(255, 0, 0));
  CColor cream = {255, 254, 241, 255};
  handle.setTransparentColor(cream);
  handle.drawTransparent(&context, square);
  EXPECT_EQ(surface.at(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(surface.at(6, 6), kNavy);
  FreeLibrary(plugin);
}

//-----------------------------------------------------------------------------
// Blending

class AlphaBlend : public ::testing::Test {
 protected:
  void SetUp() override {
    library = loadImageLibrary(true);
    savedVersion = gSystemVersion;
  }
  void TearDown() override {
    gSystemVersion = savedVersion;
    freeImageLibrary(library);
  }

  static COLORREF destination(int x, int y) { return RGB(10 + x, 200 - y, 40); }

  // Blends a 10 x 10 area of the picture from (1, 2) onto (3, 3).
  void blendOnto(TestSurface& surface, CBitmap& bitmap, unsigned char alpha) {
    for (int y = 0; y < surface.height(); y++)
      for (int x = 0; x < surface.width(); x++) surface.set(x, y, destination(x, y));
    CDrawContext context(nullptr, surface.dc(), nullptr);
    CRect rect(3, 3, 13, 13);
    bitmap.drawAlphaBlend(&context, rect, CPoint(1, 2), alpha);
  }

  HMODULE library = nullptr;
  OSVERSIONINFOEXA savedVersion = {};
};

TEST_F(AlphaBlend, FullOpacityCopiesNoneLeavesAloneAndTheImagesAlphaIsIgnored) {
  ASSERT_NE(pfnAlphaBlend, nullptr);
  TestBitmap opaque(16, 16, [](int x, int y) { return argb(imagePixel(x, y)); });
  TestBitmap patchy(16, 16, [](int x, int y) { return argb(imagePixel(x, y), (x * 40 + y) & 0xFF); });

  TestSurface copied(16, 16);
  blendOnto(copied, patchy, 255);
  for (int y = 3; y < 13; y++)
    for (int x = 3; x < 13; x++) ASSERT_EQ(copied.at(x, y), imagePixel(x - 2, y - 1)) << x << "," << y;
  EXPECT_EQ(copied.at(2, 2), destination(2, 2));
  EXPECT_EQ(copied.at(13, 13), destination(13, 13));

  TestSurface untouched(16, 16);
  blendOnto(untouched, patchy, 0);
  for (int y = 0; y < 16; y++)
    for (int x = 0; x < 16; x++) ASSERT_EQ(untouched.at(x, y), destination(x, y));

  TestSurface half(16, 16);
  TestSurface halfPatchy(16, 16);
  blendOnto(half, opaque, 128);
  blendOnto(halfPatchy, patchy, 128);
  EXPECT_TRUE(half.samePixels(halfPatchy));
  const COLORREF source = imagePixel(5 - 2, 5 - 1);
  const COLORREF under = destination(5, 5);
  const int expectedRed = (GetRValue(source) * 128 + GetRValue(under) * 127) / 255;
  EXPECT_LE(std::abs(GetRValue(half.at(5, 5)) - expectedRed), 1);
}

TEST_F(AlphaBlend, TheOlderPlatformsCopiedSourceGivesTheSamePixels) {
  TestBitmap bitmap(16, 16, [](int x, int y) { return argb(imagePixel(x, y)); });
  TestSurface direct(16, 16);
  blendOnto(direct, bitmap, 100);
  gSystemVersion.dwMajorVersion = 4;
  gSystemVersion.dwMinorVersion = 10;
  gSystemVersion.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
  TestSurface throughCopy(16, 16);
  blendOnto(throughCopy, bitmap, 100);
  EXPECT_TRUE(direct.samePixels(throughCopy));
}

TEST_F(AlphaBlend, WithoutTheBlendEntryPointThePictureIsDrawnOpaqueUnlessFullyTransparent) {
  TestBitmap bitmap(16, 16, [](int x, int y) { return argb(imagePixel(x, y)); });
  freeImageLibrary(library);
  library = nullptr;
  ASSERT_EQ(pfnAlphaBlend, nullptr);
  TestSurface opaque(16, 16);
  blendOnto(opaque, bitmap, 60);
  EXPECT_EQ(opaque.at(5, 5), imagePixel(3, 4));
  TestSurface invisible(16, 16);
  blendOnto(invisible, bitmap, 0);
  EXPECT_EQ(invisible.at(5, 5), destination(5, 5));
}

//-----------------------------------------------------------------------------
// The image library

TEST(ImageLibrary, EntryPointsLiveWhileSomeoneHoldsTheLibrary) {
  OSVERSIONINFOEXA before = gSystemVersion;
  HMODULE first = loadImageLibrary(false);
  ASSERT_NE(first, nullptr);
  EXPECT_NE(pfnAlphaBlend, nullptr);
  EXPECT_NE(pfnTransparentBlt, nullptr);  // an NT-family platform
  EXPECT_EQ(gSystemVersion.dwOSVersionInfoSize, before.dwOSVersionInfoSize);

  HMODULE second = loadImageLibrary(true);
  EXPECT_EQ(gSystemVersion.dwOSVersionInfoSize, 156u);
  EXPECT_EQ(gSystemVersion.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
  freeImageLibrary(second);
  EXPECT_NE(pfnAlphaBlend, nullptr);
  freeImageLibrary(first);
  EXPECT_EQ(pfnAlphaBlend, nullptr);
  EXPECT_EQ(pfnTransparentBlt, nullptr);
}

TEST(BitmapDraw, InsideOutRectanglesDrawNothing) {
  HMODULE library = loadImageLibrary(true);
  TestBitmap bitmap(8, 8, [](int x, int y) { return argb(imagePixel(x, y), 0); });
  TestSurface surface(20, 20, RGB(9, 9, 9));
  CDrawContext context(nullptr, surface.dc(), nullptr);
  CRect insideOut(10, 10, 5, 5);
  bitmap.draw(&context, insideOut);
  bitmap.drawTransparent(&context, insideOut);
  bitmap.drawAlphaBlend(&context, insideOut, CPoint(0, 0), 200);
  EXPECT_EQ(surface.count(RGB(9, 9, 9)), 400);
  freeImageLibrary(library);
}

TEST(BitmapBasics, AnEmptyBitmapHasNoImageAndDrawsNothing) {
  CBitmap empty;
  EXPECT_FALSE(empty.isLoaded());
  EXPECT_EQ(empty.getHandle(), nullptr);
  TestSurface surface(10, 10, RGB(9, 9, 9));
  CDrawContext context(nullptr, surface.dc(), nullptr);
  CRect area(0, 0, 10, 10);
  empty.setTransparencyMask(&context);
  empty.drawTransparent(&context, area);
  empty.draw(&context, area);
  EXPECT_EQ(surface.count(RGB(9, 9, 9)), 100);
}

}  // namespace
