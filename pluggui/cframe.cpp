// The frame's answers to the drawing layer and the editor glue.
//
// The view tree and the frame itself are not part of the library yet, so no
// frame object can exist and every frame pointer handed here is none: each
// function answers as the callers expect for a missing frame.
#include "pluggui/framelink.h"

namespace PLUGGUI {

bool frameViewSize(CFrame* /*frame*/, CRect& /*size*/) { return false; }

HWND frameSystemWindow(CFrame* /*frame*/) { return nullptr; }

void frameDoIdleStuff(CFrame* /*frame*/) {}

void frameIdle(CFrame* /*frame*/) {}

long frameOnKeyDown(CFrame* /*frame*/, PlugKeyCode& /*keyCode*/) { return -1; }

long frameOnKeyUp(CFrame* /*frame*/, PlugKeyCode& /*keyCode*/) { return -1; }

bool frameOnWheel(CFrame* /*frame*/, CDrawContext* /*context*/, const CPoint& /*where*/, float /*distance*/) {
  return false;
}

}  // namespace PLUGGUI
