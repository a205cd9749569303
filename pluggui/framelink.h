// The few questions the drawing layer and the editor glue put to a frame.
// They go through these functions so that drawing contexts, bitmaps and the
// editor do not depend on the whole view tree; the frame's source answers
// them.
#pragma once

#include "pluggui/pluggui.h"

struct PlugKeyCode;

namespace PLUGGUI {

// The frame's view rectangle; false without a frame.
bool frameViewSize(CFrame* frame, CRect& size);
// The frame's native window, or none.
HWND frameSystemWindow(CFrame* frame);
// Lets the frame's editor run its throttled idle step.
void frameDoIdleStuff(CFrame* frame);
// Redraws what changed in the frame's views.
void frameIdle(CFrame* frame);
// Key and wheel events for the frame's views; keys answer 1 when handled,
// -1 when not, and the wheel true when a view took it.
long frameOnKeyDown(CFrame* frame, PlugKeyCode& keyCode);
long frameOnKeyUp(CFrame* frame, PlugKeyCode& keyCode);
bool frameOnWheel(CFrame* frame, CDrawContext* context, const CPoint& where, float distance);

}  // namespace PLUGGUI
