// Bitmaps: resource images drawn opaque, colour-keyed or blended.
#include "pluggui/cbitmap.h"
#include "pluggui/drawingsurface.h"
#include "pluggui/imagedc.h"
#include "plugin/plugmain.h"

namespace PLUGGUI {

PFNALPHABLEND pfnAlphaBlend = nullptr;
PFNTRANSPARENTBLT pfnTransparentBlt = nullptr;
OSVERSIONINFOEXA gSystemVersion = {};

namespace {

// Frames holding the image library. The entry points are cleared when the
// last one lets it go: a call through them after that could land in a
// library that is no longer mapped.
int gImageLibraryHolders = 0;

template <class Function>
Function lookUp(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

HMODULE loadImageLibrary(bool recordVersion) {
  pfnAlphaBlend = nullptr;
  pfnTransparentBlt = nullptr;
  HMODULE library = LoadLibraryA("msimg32.dll");
  if (!library) return nullptr;
  gImageLibraryHolders++;
  pfnAlphaBlend = lookUp<PFNALPHABLEND>(library, "AlphaBlend");

  OSVERSIONINFOEXA ownVersion;
  OSVERSIONINFOEXA& version = recordVersion ? gSystemVersion : ownVersion;
  version = OSVERSIONINFOEXA();
  version.dwOSVersionInfoSize = sizeof(version);
  // TransparentBlt is taken only on the NT family; on the older consumer
  // family colour keys go through the mask fallback.
  if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version)) && version.dwPlatformId > VER_PLATFORM_WIN32_WINDOWS)
    pfnTransparentBlt = lookUp<PFNTRANSPARENTBLT>(library, "TransparentBlt");
  return library;
}

void freeImageLibrary(HMODULE library) {
  if (!library) return;
  FreeLibrary(library);
  if (--gImageLibraryHolders > 0) return;
  gImageLibraryHolders = 0;
  // With the last frame gone no image is drawn soon: the kept contexts go.
  releaseAllImageDCs();
  pfnAlphaBlend = nullptr;
  pfnTransparentBlt = nullptr;
}

namespace {

// Where an image area lands on a context's surface.
struct Destination {
  Destination(CDrawContext* context, const CRect& rect)
      : surface(context->getSystemContext()),
        x(rect.left + context->drawOffset.h),
        y(rect.top + context->drawOffset.v),
        width(rect.width()),
        height(rect.height()) {}

  bool isEmpty() const { return width <= 0 || height <= 0; }

  HDC surface;
  int x;
  int y;
  int width;
  int height;
};

// A one-bit mask of rect's size from what the context's surface shows
// there: 1 where the pixel equals the key, 0 elsewhere.
HBITMAP CreateMaskBitmap(CDrawContext* context, CRect& rect, CColor key) {
  HDC surface = context->getSystemContext();
  HBITMAP mask = CreateBitmap(rect.width(), rect.height(), 1, 1, nullptr);
  if (!mask) return nullptr;
  MemoryDC maskDC(surface);
  ScopedSelection selectMask(maskDC.get(), mask);
  // A colour-to-monochrome copy turns the source's background colour into 1.
  const COLORREF previousBackground = SetBkColor(surface, toColorRef(key));
  BitBlt(maskDC.get(), 0, 0, rect.width(), rect.height(), surface, rect.left, rect.top, SRCCOPY);
  SetBkColor(surface, previousBackground);
  return mask;
}

// The surface is written once, from a working copy of its area: the image
// goes in by xor, and, xor, through the mask. Opaque pixels end as the image
// pixel; transparent ones as they were.
void drawThroughMask(const Destination& to, HDC imageDC, const CPoint& offset, HDC maskDC, int maskX, int maskY,
                     HDC workDC) {
  BitBlt(workDC, 0, 0, to.width, to.height, to.surface, to.x, to.y, SRCCOPY);
  BitBlt(workDC, 0, 0, to.width, to.height, imageDC, offset.h, offset.v, SRCINVERT);
  // A fresh context's colours turn mask 1 into white (keep), 0 into black.
  BitBlt(workDC, 0, 0, to.width, to.height, maskDC, maskX, maskY, SRCAND);
  BitBlt(workDC, 0, 0, to.width, to.height, imageDC, offset.h, offset.v, SRCINVERT);
  BitBlt(to.surface, to.x, to.y, to.width, to.height, workDC, 0, 0, SRCCOPY);
}

// Colour-keyed drawing through a mask: the stored one, or one built from
// the key for this draw. TransparentBlt would leave the same pixels, but
// under Wine one call costs over a third of a millisecond for a slider's
// 12-pixel handle; the masked transfers through kept working surfaces take
// a few microseconds. The image size is handed over for callers that
// stretch; no path here does.
void DrawTransparent(CDrawContext* context, CRect& rect, const CPoint& offset, HDC imageDC, POINT /*imageSize*/,
                     HBITMAP mask, COLORREF key) {
  const Destination to(context, rect);
  if (to.isEmpty()) return;
  const ScratchDCs scratch(to.width, to.height);
  if (!scratch) return;
  if (mask) {
    const ImageDC maskDC(mask);
    if (maskDC) drawThroughMask(to, imageDC, offset, maskDC.get(), offset.h, offset.v, scratch.work());
    return;
  }
  // A colour-to-monochrome copy turns the source's background colour into 1.
  const COLORREF previousBackground = SetBkColor(imageDC, key);
  BitBlt(scratch.mask(), 0, 0, to.width, to.height, imageDC, offset.h, offset.v, SRCCOPY);
  SetBkColor(imageDC, previousBackground);
  drawThroughMask(to, imageDC, offset, scratch.mask(), 0, 0, scratch.work());
}

// On this one older platform version the blend reads from a copy of the
// area placed at the origin of a bitmap of its own.
bool blendNeedsCopiedSource() {
  return gSystemVersion.dwMajorVersion == 4 && gSystemVersion.dwMinorVersion == 10 &&
         gSystemVersion.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

}  // namespace

//-----------------------------------------------------------------------------
// Construction

CBitmap::CBitmap(long id) : resourceId(id), width(0), height(0), transparentColor(kTransparentCColor) {
  loadFromResource(id);
  transparentColor = kTransparentCColor;
}

// The image takes the screen's format, which is what every context it is
// drawn onto has. A size that cannot make an image leaves the bitmap empty
// instead of holding a stand-in image that disagrees with its size.
CBitmap::CBitmap(CFrame& /*frame*/, long newWidth, long newHeight)
    : resourceId(0), width(0), height(0), transparentColor(kTransparentCColor) {
  if (newWidth <= 0 || newHeight <= 0) return;
  WindowDC screen(nullptr);
  handle.reset(CreateCompatibleBitmap(screen.get(), newWidth, newHeight));
  if (!handle) return;
  width = newWidth;
  height = newHeight;
}

// Pure white is the colour key here as well, so every bitmap starts out
// with the same transparency rule.
CBitmap::CBitmap() : resourceId(0), width(0), height(0), transparentColor(kTransparentCColor) {}

CBitmap::~CBitmap() { dispose(); }

void CBitmap::dispose() {
  releaseImageDC(handle.get());
  releaseImageDC(mask.get());
  handle.reset();
  mask.reset();
  width = 0;
  height = 0;
}

bool CBitmap::loadFromResource(long id) {
  dispose();
  HBITMAP image = LoadBitmapA(GetInstance(), MAKEINTRESOURCEA(id & 0xFFFF));
  if (!image) return false;
  handle.reset(image);
  BITMAP description;
  if (!GetObjectA(image, sizeof(description), &description)) return false;
  width = description.bmWidth;
  height = description.bmHeight;
  return true;
}

// Images come from the module's resources only.
bool CBitmap::loadFromPath(const void* /*path*/) {
  dispose();
  return false;
}

long CBitmap::getWidth() const { return width; }

long CBitmap::getHeight() const { return height; }

// Whoever takes the handle may select it into a context of its own.
HBITMAP CBitmap::getHandle() const {
  releaseImageDC(handle.get());
  return handle.get();
}

bool CBitmap::isLoaded() const { return static_cast<bool>(handle); }

//-----------------------------------------------------------------------------
// Drawing

// Like the other transfers, an inside-out rectangle draws nothing instead of
// a mirrored area.
void CBitmap::draw(CDrawContext* context, CRect& rect, const CPoint& offset) {
  if (!handle || !context) return;
  const Destination to(context, rect);
  if (to.isEmpty()) return;
  const ImageDC imageDC(handle.get());
  if (!imageDC) return;
  BitBlt(to.surface, to.x, to.y, to.width, to.height, imageDC.get(), offset.h, offset.v, SRCCOPY);
}

// A bitmap without an image leaves the surface alone, as draw does.
void CBitmap::drawTransparent(CDrawContext* context, CRect& rect, const CPoint& offset) {
  if (!handle || !context) return;
  const ImageDC imageDC(handle.get());
  if (!imageDC) return;
  BITMAP description = {};
  GetObjectA(handle.get(), sizeof(description), &description);
  POINT imageSize = {description.bmWidth, description.bmHeight};
  DPtoLP(imageDC.get(), &imageSize, 1);
  DrawTransparent(context, rect, offset, imageDC.get(), imageSize, mask.get(), toColorRef(transparentColor));
}

// Without the blending entry point the picture is still shown, opaque,
// unless it was asked to be fully transparent.
void CBitmap::drawAlphaBlend(CDrawContext* context, CRect& rect, const CPoint& offset, unsigned char alpha) {
  if (!handle || !context) return;
  if (!pfnAlphaBlend) {
    if (alpha > 0) draw(context, rect, offset);
    return;
  }
  const Destination to(context, rect);
  if (to.isEmpty()) return;
  const ImageDC imageDC(handle.get());
  if (!imageDC) return;
  // Constant opacity only: the image's own alpha bytes are not used.
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, 0};

  if (!blendNeedsCopiedSource()) {
    pfnAlphaBlend(to.surface, to.x, to.y, to.width, to.height, imageDC.get(), offset.h, offset.v, to.width, to.height,
                  blend);
    return;
  }
  MemoryDC copyDC(imageDC.get());
  GdiObject<HBITMAP> copy(CreateCompatibleBitmap(imageDC.get(), to.width, to.height));
  ScopedSelection selectCopy(copyDC.get(), copy.get());
  BitBlt(copyDC.get(), 0, 0, to.width, to.height, imageDC.get(), offset.h, offset.v, SRCCOPY);
  pfnAlphaBlend(to.surface, to.x, to.y, to.width, to.height, copyDC.get(), 0, 0, to.width, to.height, blend);
}

void CBitmap::setTransparentColor(CColor color) { transparentColor = color; }

// A bitmap without an image gets no mask: an empty mask would only stand in
// for the colour key with nothing to mask.
void CBitmap::setTransparencyMask(CDrawContext* context, const CPoint& offset) {
  releaseImageDC(mask.get());
  mask.reset();
  if (!context || width <= 0 || height <= 0) return;
  CRect area(offset.h, offset.v, offset.h + width, offset.v + height);
  mask.reset(CreateMaskBitmap(context, area, transparentColor));
}

}  // namespace PLUGGUI
