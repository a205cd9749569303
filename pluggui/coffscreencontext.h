/// @file
/// Drawing contexts whose surface is a memory bitmap.
#pragma once

#include "pluggui/cdrawcontext.h"

namespace PLUGGUI {

class CBitmap;

/// A drawing context whose surface is a memory bitmap. Containers paint into one
/// and copy the painted area out in one go, so that nothing flickers.
class COffscreenContext : public CDrawContext {
 public:
  /// A surface of background's size (20 by 20 pixels without one) in the format of context's
  /// surface, or of the screen without a context. With drawInBitmap and a bitmap that has an
  /// image, drawing goes straight into that image; otherwise the surface starts as a copy of
  /// the bitmap, or black. The bitmap is not remembered: it must outlive the context.
  COffscreenContext(CDrawContext* context, CBitmap* background, bool drawInBitmap = false);
  /// A surface of width by height pixels in the format of frame's window (of the screen without
  /// one), every pixel of it the background colour.
  COffscreenContext(CFrame* frame, long width, long height, CColor background = kBlackCColor);
  /// Deletes the memory context, and the surface bitmap when it is the context's own.
  ~COffscreenContext() override;

  /// Copies srcRect of the other context (its drawOffset applied) to
  /// destOffset of this surface: the other context is the source.
  void copyTo(CDrawContext* context, CRect& srcRect, CPoint destOffset = CPoint(0, 0));
  /// Copies the area of destRect's size at srcOffset of this surface onto
  /// destRect of the other context (its drawOffset applied).
  void copyFrom(CDrawContext* context, CRect destRect, CPoint srcOffset = CPoint(0, 0));

 protected:
  CBitmap* ownedBitmap;        ///< Held with one reference, forgotten at the end; never set yet.
  CBitmap* backgroundBitmap;   ///< The bitmap the context was made from; not a counted reference.
  long height;                 ///< Surface height in pixels.
  long width;                  ///< Surface width in pixels.
  bool destroySurface;         ///< Whether the surface bitmap is the context's own to delete.
  CColor backgroundColor;      ///< The colour a sized surface starts with; black otherwise.
  HGDIOBJ savedSurfaceBitmap;  ///< The memory context's first bitmap, put back before deleting it.
};

}  // namespace PLUGGUI
