// A toolkit bitmap holding a picture made by the test, for drawing tests
// that need known pixels (including alpha bytes and pure white).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "pluggui/pluggui.h"

namespace guitest {

class TestBitmap : public PLUGGUI::CBitmap {
 public:
  // pixel(x, y) gives 0xAARRGGBB.
  TestBitmap(int width, int height, const std::function<uint32_t(int, int)>& pixel) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP image = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    uint32_t* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; y++)
      for (int x = 0; x < width; x++) pixels[y * width + x] = pixel(x, y);
    handle.reset(image);
    this->width = width;
    this->height = height;
  }
};

inline uint32_t argb(COLORREF color, uint32_t alpha = 255) {
  return (alpha << 24) | (static_cast<uint32_t>(GetRValue(color)) << 16) |
         (static_cast<uint32_t>(GetGValue(color)) << 8) | GetBValue(color);
}

}  // namespace guitest
