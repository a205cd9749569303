// A real GDI surface for pixel tests: a 32-bit top-down DIB section selected
// into a memory device context, with direct reads of its pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace guitest {

// Colours the pixel tests look for: plain black and white, and the editor's
// cream and navy.
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kCream = RGB(255, 254, 241);
const COLORREF kNavy = RGB(0, 1, 65);

class TestSurface {
 public:
  TestSurface(int width, int height, COLORREF background = RGB(0, 0, 0))
      : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row y at bits + y * width
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    fill(background);
  }
  ~TestSurface() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  TestSurface(const TestSurface&) = delete;
  TestSurface& operator=(const TestSurface&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }

  void fill(COLORREF color) {
    GdiFlush();
    for (int i = 0; i < width_ * height_; i++) bits_[i] = toPixel(color);
  }

  void set(int x, int y, COLORREF color) {
    GdiFlush();
    bits_[y * width_ + x] = toPixel(color);
  }

  COLORREF at(int x, int y) const {
    GdiFlush();
    const uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

  // Number of pixels of exactly that colour in [left, right) x [top, bottom).
  int count(COLORREF color, int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; y++)
      for (int x = left; x < right; x++)
        if (at(x, y) == color) n++;
    return n;
  }
  int count(COLORREF color) const { return count(color, 0, 0, width_, height_); }

  // Smallest rectangle holding every pixel that differs from the colour;
  // left > right when there is none.
  RECT boundsOfOther(COLORREF background) const {
    RECT bounds = {width_, height_, -1, -1};
    for (int y = 0; y < height_; y++)
      for (int x = 0; x < width_; x++)
        if (at(x, y) != background) {
          if (x < bounds.left) bounds.left = x;
          if (y < bounds.top) bounds.top = y;
          if (x > bounds.right) bounds.right = x;
          if (y > bounds.bottom) bounds.bottom = y;
        }
    return bounds;
  }

  // The area as text, one row per line: '#' for the colour, '.' otherwise.
  std::string picture(COLORREF color, int left, int top, int right, int bottom) const {
    std::string text;
    for (int y = top; y < bottom; y++) {
      for (int x = left; x < right; x++) text += at(x, y) == color ? '#' : '.';
      text += '\n';
    }
    return text;
  }

  bool samePixels(const TestSurface& other) const {
    if (other.width_ != width_ || other.height_ != height_) return false;
    for (int y = 0; y < height_; y++)
      for (int x = 0; x < width_; x++)
        if (at(x, y) != other.at(x, y)) return false;
    return true;
  }

 private:
  static uint32_t toPixel(COLORREF color) {
    return (static_cast<uint32_t>(GetRValue(color)) << 16) | (static_cast<uint32_t>(GetGValue(color)) << 8) |
           GetBValue(color);
  }

  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  uint32_t* bits_ = nullptr;
};

}  // namespace guitest
