// The editor's pixels as the screen shows them, and the PNG files they go
// into.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace plughost {

// Rows top to bottom, three bytes (red, green, blue) a pixel.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
};

// Reads back the top-left width x height pixels of a window's client area,
// children included. Throws InputError when the system gives no pixels.
Picture captureClient(HWND window, int width, int height);
// Reads back an area of the screen, as a window of its own (a pop-up
// menu) shows it there.
Picture captureScreen(const RECT& area);

// Writes the picture as a PNG file that appears complete or not at all.
// Throws InputError.
void writePng(const std::string& path, const Picture& picture);

}  // namespace plughost
