// Measures the repaint model in a real window: a full repaint of a 320 x 240
// frame with a dozen bitmap children (as an editor's controls are), the idle
// repaint after one 12 x 212 child (the editor's vertical slider) is marked
// dirty, and an idle with nothing dirty; and the building of a long option
// menu's native pop-up, which a click on it waits for. Every repaint makes its drawing
// context as the frame does, and each figure is the median of many
// repetitions in this one run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/benchclock.h"
#include "plugin/plugmain.h"
#include "pluggui/plugcontrols.h"
#include "pluggui/pluggui.h"

using namespace PLUGGUI;

namespace {

template <typename Step>
double medianMicroseconds(int repetitions, Step step) {
  std::vector<double> samples;
  samples.reserve(static_cast<size_t>(repetitions));
  for (int i = 0; i < repetitions; i++) {
    const double start = seconds();
    step();
    GdiFlush();
    samples.push_back((seconds() - start) * 1e6);
  }
  std::nth_element(samples.begin(), samples.begin() + repetitions / 2, samples.end());
  return samples[static_cast<size_t>(repetitions / 2)];
}

// A view whose look is a bitmap of its size, filled with one colour.
CView* bitmapView(CFrame* frame, const CRect& size, unsigned char shade) {
  CBitmap* bitmap = new CBitmap(*frame, size.width(), size.height());
  COffscreenContext painter(frame, size.width(), size.height(), CColor{shade, 90, 160, 255});
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, bitmap->getHandle());
  BitBlt(memory, 0, 0, size.width(), size.height(), painter.getSystemContext(), 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
  CView* view = new CView(size);
  view->setBackground(bitmap);
  bitmap->forget();
  return view;
}

}  // namespace

int main() {
  hInstance = GetModuleHandleA(nullptr);
  HWND host = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 40, 40, 320, 240, nullptr, nullptr,
                              hInstance, nullptr);
  ShowWindow(host, SW_SHOWNOACTIVATE);
  CFrame* frame = new CFrame(CRect(0, 0, 320, 240), host, nullptr);
  frame->setBackgroundColor(CColor{255, 254, 241, 255});

  CView* slider = bitmapView(frame, CRect(8, 8, 20, 220), 0);
  frame->addView(slider);
  for (int i = 0; i < 11; i++) {
    const long left = 40 + (i % 4) * 68;
    const long top = 16 + (i / 4) * 64;
    frame->addView(bitmapView(frame, CRect(left, top, left + 60, top + 56), static_cast<unsigned char>(20 * i)));
  }
  InvalidateRect(frame->getSystemWindow(), nullptr, FALSE);
  UpdateWindow(frame->getSystemWindow());

  const int repetitions = 3000;
  const double full = medianMicroseconds(repetitions, [&] { frame->draw(static_cast<CView*>(nullptr)); });
  const double dirty = medianMicroseconds(repetitions, [&] {
    slider->setDirty();
    frame->idle();
  });
  const double clean = medianMicroseconds(repetitions * 10, [&] { frame->idle(); });

  std::printf("full_repaint_us=%.2f\n", full);
  std::printf("dirty_repaint_us=%.2f\n", dirty);
  std::printf("clean_idle_us=%.3f\n", clean);
  std::printf("dirty_ratio=%.3f\n", dirty / full);
  std::printf("clean_idle_cheaper_by=%.0f\n", clean > 0 ? full / clean : 0.0);

  // The longest menu there is, numbered, with a sub-menu of its own.
  COptionMenu* menu = new COptionMenu(CRect(0, 0, 80, 20), nullptr, 0);
  COptionMenu* sub = new COptionMenu(CRect(0, 0, 80, 20), nullptr, 0);
  char entry[] = "Entry";
  menu->setPrefixNumbers(4);
  for (int i = 0; i < 1000; i++) menu->addEntry(entry);
  for (int i = 0; i < 23; i++) sub->addEntry(entry);
  menu->addEntry(sub, entry);
  sub->forget();
  const double popUp = medianMicroseconds(200, [&] {
    long offset = 0;
    menu->appendItems(offset);
    menu->removeItems();
  });
  std::printf("menu_1024_popup_build_us=%.1f\n", popUp);
  menu->forget();

  frame->forget();
  DestroyWindow(host);
  return 0;
}
