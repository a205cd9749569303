/// @file
/// Bitmaps: resource images drawn opaque, colour-keyed or blended, and the system image
/// library that blends them.
#pragma once

#include <windows.h>

#include "pluggui/cgeometry.h"
#include "pluggui/creferencecounter.h"
#include "pluggui/gdiobject.h"

namespace PLUGGUI {

class CDrawContext;
class CFrame;

/// The system's blending transfer, called through pfnAlphaBlend.
typedef BOOL(WINAPI* PFNALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
/// The system's colour-keyed transfer, called through pfnTransparentBlt.
typedef BOOL(WINAPI* PFNTRANSPARENTBLT)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

// The optional entry points of the system image library, present only while
// a frame holds that library (see loadImageLibrary), and the platform version.
/// The image library's blending entry point, or null while no frame holds the library.
extern PFNALPHABLEND pfnAlphaBlend;
/// The image library's colour-keyed transfer, taken on the NT family only; null otherwise and
/// while no frame holds the library. The toolkit's own colour-keyed drawing goes through masks.
extern PFNTRANSPARENTBLT pfnTransparentBlt;
/// The platform version, as the last frame made inside a host's window recorded it.
extern OSVERSIONINFOEXA gSystemVersion;

/// Loads "msimg32.dll" and looks up its entry points; with recordVersion the
/// platform version is stored in gSystemVersion. Each frame keeps the handle
/// it gets and gives it back with freeImageLibrary.
HMODULE loadImageLibrary(bool recordVersion);
/// Gives back a handle from loadImageLibrary; null is ignored. When the last holder lets go,
/// the entry points are cleared and the kept image contexts released.
void freeImageLibrary(HMODULE library);

/// One native image with a colour key and an optional transparency mask.
/// Views and controls hold it by reference counting.
class CBitmap : public CReferenceCounter {
 public:
  /// The bitmap resource resourceId of the plug-in's module (the low 16 bits count);
  /// isLoaded tells whether there was one.
  explicit CBitmap(long resourceId);
  /// An image of width by height pixels in the screen's format, its content undefined, to be
  /// drawn into; a size that cannot make an image leaves the bitmap without one. frame is
  /// not used.
  CBitmap(CFrame& frame, long width, long height);
  /// A bitmap without an image, to be loaded later.
  CBitmap();
  /// Releases the image and the mask.
  ~CBitmap() override;

  /// Copies the image, opaque, into rect of the context (its drawOffset applied), starting at
  /// offset in the image; rect sets the size. Nothing without an image or for an empty rect.
  virtual void draw(CDrawContext* context, CRect& rect, const CPoint& offset = CPoint(0, 0));
  /// Like draw, but the pixels the mask marks, or without a mask those of the transparent
  /// colour, leave the surface as it was.
  virtual void drawTransparent(CDrawContext* context, CRect& rect, const CPoint& offset = CPoint(0, 0));
  /// Like draw, laid over the surface with a constant opacity from 0 (none) to 255; without the
  /// blending entry point the image is drawn opaque, unless alpha is 0.
  virtual void drawAlphaBlend(CDrawContext* context, CRect& rect, const CPoint& offset = CPoint(0, 0),
                              unsigned char alpha = 128);
  /// Releases the image and the mask; the size becomes 0 by 0.
  virtual void dispose();
  /// Replaces the image by the module's bitmap resource resourceId; false when there is none.
  virtual bool loadFromResource(long resourceId);
  /// Images come from the module's resources only: drops the image and returns false.
  virtual bool loadFromPath(const void* path);

  /// Width of the image in pixels; 0 without one.
  long getWidth() const;
  /// Height of the image in pixels; 0 without one.
  long getHeight() const;
  /// The native image, still owned by the bitmap; the caller may select it into a device
  /// context of its own.
  HBITMAP getHandle() const;
  /// Whether the bitmap has an image.
  bool isLoaded() const;

  /// The colour key of drawTransparent; alpha does not count. White to start with.
  void setTransparentColor(CColor color);
  /// Makes the mask drawTransparent uses instead of the key: it marks the pixels that show the
  /// transparent colour in the bitmap-sized area at offset of the context's surface, where the
  /// image is expected to be drawn already. Without an image or context the mask is dropped.
  void setTransparencyMask(CDrawContext* context, const CPoint& offset = CPoint(0, 0));

 protected:
  long resourceId;              ///< The resource the constructor loaded; 0 for the others.
  long width;                   ///< Image width in pixels; 0 without an image.
  long height;                  ///< Image height in pixels; 0 without an image.
  CColor transparentColor;      ///< The colour key of drawTransparent.
  GdiObject<HBITMAP> handle;    ///< The image, owned.
  GdiObject<HBITMAP> mask;      ///< One-bit transparency mask, owned; null: the colour key counts.
};

}  // namespace PLUGGUI
