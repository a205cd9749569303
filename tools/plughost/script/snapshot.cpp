// The editor's pixels as the screen shows them, and the PNG files they go
// into.
#include "tools/plughost/script/snapshot.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include "pluggui/gdiobject.h"
#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/files.h"

namespace plughost {

namespace {

// A 32-bit top-down bitmap whose pixels we can read, selected into a memory
// context of its own.
class ReadableBitmap {
 public:
  ReadableBitmap(HDC like, int width, int height) : dc(CreateCompatibleDC(like)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap = CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc && bitmap) previous = SelectObject(dc, bitmap);
  }
  ~ReadableBitmap() {
    if (previous) SelectObject(dc, previous);
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
  }
  ReadableBitmap(const ReadableBitmap&) = delete;
  ReadableBitmap& operator=(const ReadableBitmap&) = delete;

  bool valid() const { return previous && bits; }
  HDC get() const { return dc; }
  const unsigned char* pixels() const { return static_cast<const unsigned char*>(bits); }

 private:
  HDC dc;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  void* bits = nullptr;
};

void appendBytes(void* context, void* data, int size) {
  auto* bytes = static_cast<std::vector<unsigned char>*>(context);
  const auto* begin = static_cast<const unsigned char*>(data);
  bytes->insert(bytes->end(), begin, begin + size);
}

std::vector<unsigned char> encodePng(const Picture& picture) {
  std::vector<unsigned char> bytes;
  if (!stbi_write_png_to_func(appendBytes, &bytes, picture.width, picture.height, 3, picture.rgb.data(),
                              picture.width * 3))
    bytes.clear();
  return bytes;
}

// The pixels of a window's client area (the screen's for none) from (x, y).
Picture capture(HWND window, int x, int y, int width, int height) {
  const PLUGGUI::WindowDC screen(window);
  ReadableBitmap copy(screen.get(), width, height);
  if (!screen.get() || !copy.valid() || !BitBlt(copy.get(), 0, 0, width, height, screen.get(), x, y, SRCCOPY))
    throw InputError(window ? "cannot read the editor's pixels back from its window"
                            : "cannot read the pop-up menu's pixels back from the screen");
  GdiFlush();
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.rgb.resize(static_cast<size_t>(width) * height * 3);
  const unsigned char* bgrx = copy.pixels();
  for (size_t i = 0, count = static_cast<size_t>(width) * height; i < count; ++i) {
    picture.rgb[3 * i] = bgrx[4 * i + 2];
    picture.rgb[3 * i + 1] = bgrx[4 * i + 1];
    picture.rgb[3 * i + 2] = bgrx[4 * i];
  }
  return picture;
}

}  // namespace

Picture captureClient(HWND window, int width, int height) { return capture(window, 0, 0, width, height); }

Picture captureScreen(const RECT& area) {
  return capture(nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top);
}

void writePng(const std::string& path, const Picture& picture) {
  const std::vector<unsigned char> bytes = encodePng(picture);
  if (bytes.empty()) throw InputError("cannot write " + path + ": the PNG encoder refused the picture");
  PendingFile file(path);
  file.write(bytes);
  file.commit();
}

}  // namespace plughost
