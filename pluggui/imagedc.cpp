// Device contexts that keep images selected between draws.
#include "pluggui/imagedc.h"

#include <mutex>

#include "pluggui/gdiobject.h"

namespace PLUGGUI {

namespace {

// Enough for the images of a few editors at once; the least recently used
// one makes room for a newcomer.
constexpr int kCachedImages = 16;

struct CachedImage {
  HBITMAP image = nullptr;
  HDC dc = nullptr;
  HGDIOBJ original = nullptr;  // what the context held before any image
  unsigned long lastUse = 0;
};

// A working bitmap that only grows, kept selected in its context.
struct Scratch {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ original = nullptr;
  int width = 0;
  int height = 0;
};

// A critical section rather than a standard mutex: the runtime's mutex waits
// on a kernel object even when nobody holds it, and under Wine each such
// wait is a round trip to the server, costing more than the draw it guards.
class Lock {
 public:
  Lock() { InitializeCriticalSection(&section_); }
  void lock() { EnterCriticalSection(&section_); }
  void unlock() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
};

struct Cache {
  Lock lock;  // taken again by the same thread when a draw nests leases
  CachedImage images[kCachedImages];
  unsigned long uses = 0;
  Scratch mask;
  Scratch work;
};

Cache& cache() {
  static Cache* instance = new Cache;  // never destroyed: used until the very end
  return *instance;
}

// A context of the screen's kind, made the first time it is needed.
bool ensureDC(HDC& dc) {
  if (!dc) dc = CreateCompatibleDC(nullptr);
  return dc != nullptr;
}

void takeOut(CachedImage& entry) {
  if (entry.image) SelectObject(entry.dc, entry.original);
  entry.image = nullptr;
}

HDC selectInto(CachedImage& entry, HBITMAP image) {
  if (!ensureDC(entry.dc)) return nullptr;
  takeOut(entry);
  HGDIOBJ previous = SelectObject(entry.dc, image);
  if (!previous || previous == HGDI_ERROR) return nullptr;
  entry.original = previous;
  entry.image = image;
  return entry.dc;
}

HDC cachedDC(Cache& c, HBITMAP image) {
  CachedImage* victim = nullptr;
  for (CachedImage& entry : c.images) {
    if (entry.image == image) {
      entry.lastUse = ++c.uses;
      return entry.dc;
    }
    // A free entry first, else the one used longest ago.
    if (!victim || (victim->image && (!entry.image || entry.lastUse < victim->lastUse))) victim = &entry;
  }
  HDC dc = selectInto(*victim, image);
  if (dc) victim->lastUse = ++c.uses;
  return dc;
}

// The scratch bitmap grows to cover both sizes; a one-bit one for the mask,
// one in the screen's format for the colour work.
HDC grown(Scratch& s, int width, int height, bool oneBit) {
  if (!ensureDC(s.dc)) return nullptr;
  if (s.bitmap && width <= s.width && height <= s.height) return s.dc;
  const int w = width > s.width ? width : s.width;
  const int h = height > s.height ? height : s.height;
  HBITMAP bitmap = oneBit ? CreateBitmap(w, h, 1, 1, nullptr) : CreateCompatibleBitmap(WindowDC(nullptr).get(), w, h);
  if (!bitmap) return nullptr;
  HGDIOBJ previous = SelectObject(s.dc, bitmap);
  if (s.bitmap) {
    DeleteObject(s.bitmap);
  } else {
    s.original = previous;
  }
  s.bitmap = bitmap;
  s.width = w;
  s.height = h;
  return s.dc;
}

void discard(Scratch& s) {
  if (s.bitmap) {
    SelectObject(s.dc, s.original);
    DeleteObject(s.bitmap);
  }
  if (s.dc) DeleteDC(s.dc);
  s = Scratch();
}

}  // namespace

ImageDC::ImageDC(HBITMAP image) : dc_(nullptr) {
  cache().lock.lock();
  if (image) dc_ = cachedDC(cache(), image);
}

ImageDC::~ImageDC() { cache().lock.unlock(); }

ScratchDCs::ScratchDCs(int width, int height) : mask_(nullptr), work_(nullptr) {
  Cache& c = cache();
  c.lock.lock();
  if (width <= 0 || height <= 0) return;
  mask_ = grown(c.mask, width, height, true);
  work_ = grown(c.work, width, height, false);
}

ScratchDCs::~ScratchDCs() { cache().lock.unlock(); }

void releaseImageDC(HBITMAP image) {
  if (!image) return;
  Cache& c = cache();
  const std::lock_guard<Lock> hold(c.lock);
  for (CachedImage& entry : c.images)
    if (entry.image == image) takeOut(entry);
}

void releaseAllImageDCs() {
  Cache& c = cache();
  const std::lock_guard<Lock> hold(c.lock);
  for (CachedImage& entry : c.images) {
    takeOut(entry);
    if (entry.dc) DeleteDC(entry.dc);
    entry = CachedImage();
  }
  discard(c.mask);
  discard(c.work);
}

}  // namespace PLUGGUI
