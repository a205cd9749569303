// Device contexts that keep images selected between draws.
//
// Under Wine, selecting a device-dependent bitmap into a memory device
// context costs about a tenth of a millisecond, and making the context a
// fifth of that; a slider's track and handle would pay both on every
// repaint. So each image keeps a context of its own with the image
// selected, in a small cache, and stays there until it is deleted, handed
// out through CBitmap::getHandle (whoever takes the handle may select it
// elsewhere), or pushed out by newer images.
#pragma once

#include <windows.h>

namespace PLUGGUI {

// A context with `image` selected, held for the length of a scope. It is
// empty when the image is null or selected in some other context, which
// draws nothing, as a failed selection always did. The contexts are shared
// by every thread of the process, so a lease keeps the others waiting.
class ImageDC {
 public:
  explicit ImageDC(HBITMAP image);
  ~ImageDC();
  ImageDC(const ImageDC&) = delete;
  ImageDC& operator=(const ImageDC&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// Working surfaces of at least the given size, kept selected in contexts
// of their own, for the colour-keyed transfers: a one-bit mask and a colour
// area compatible with the screen. Valid while the lease is held.
class ScratchDCs {
 public:
  ScratchDCs(int width, int height);
  ~ScratchDCs();
  ScratchDCs(const ScratchDCs&) = delete;
  ScratchDCs& operator=(const ScratchDCs&) = delete;

  HDC mask() const { return mask_; }
  HDC work() const { return work_; }
  explicit operator bool() const { return mask_ && work_; }

 private:
  HDC mask_;
  HDC work_;
};

// Takes `image` out of its cached context, if it is in one, so that it may
// be deleted or selected elsewhere.
void releaseImageDC(HBITMAP image);

// Gives back every cached context and working surface.
void releaseAllImageDCs();

}  // namespace PLUGGUI
