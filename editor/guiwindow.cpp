// The compressor's editor window and the binding of its sliders to the
// effect's two parameters.
#include "editor/guiwindow.h"

#include <iostream>

#include "plugin/audioeffect.h"

using PLUGGUI::CBitmap;
using PLUGGUI::CColor;
using PLUGGUI::CFrame;
using PLUGGUI::CPoint;
using PLUGGUI::CRect;
using PLUGGUI::CSlider;

namespace {

enum BitmapResource { kThresholdTrack = 100, kRatioTrack = 101, kHandle = 102 };

// Both tracks are 212 pixels long with a 12-pixel handle: the handle's
// leading edge travels 196 pixels within the first 208 of the control.
constexpr long kHandleRange = 208;
constexpr long kThresholdStyle = PLUGGUI::kStyleHorizontal | PLUGGUI::kStyleLeft;
constexpr long kRatioStyle = PLUGGUI::kStyleVertical | PLUGGUI::kStyleBottom;

const CColor kCream = {255, 254, 241, 255};

CRect bitmapRect(const CBitmap& bitmap, long left, long top) {
  CRect size(0, 0, bitmap.getWidth(), bitmap.getHeight());
  size.offset(left, top);
  return size;
}

}  // namespace

GUIWindow::GUIWindow(void* effect)
    : AEffGUIEditor(static_cast<AudioEffect*>(effect)), thresholdSlider(nullptr), ratioSlider(nullptr) {
  rect.top = 0;
  rect.left = 0;
  rect.bottom = 240;
  rect.right = 320;
}

// The effect may be destroyed with its editor still open; the frame, its
// window and its views go with the editor then, so that nothing is left
// pointing at the editor or running its window procedure.
GUIWindow::~GUIWindow() { close(); }

bool GUIWindow::open(void* parentWindow) {
  AEffEditor::open(parentWindow);
  CRect size(rect.left, rect.top, rect.right, rect.bottom);
  frame = new CFrame(size, parentWindow, this);
  frame->setBackgroundColor(kCream);

  CBitmap* thresholdTrack = new CBitmap(kThresholdTrack);
  CBitmap* ratioTrack = new CBitmap(kRatioTrack);
  CBitmap* handle = new CBitmap(kHandle);

  CPoint origin(0, 0);
  thresholdSlider = new CSlider(bitmapRect(*thresholdTrack, 32, 220), this, 0, origin, kHandleRange, handle,
                                thresholdTrack, origin, kThresholdStyle);
  thresholdSlider->setValue(effect->getParameter(0));
  frame->addView(thresholdSlider);

  ratioSlider = new CSlider(bitmapRect(*ratioTrack, 32, 20), this, 1, origin, kHandleRange, handle, ratioTrack,
                            origin, kRatioStyle);
  ratioSlider->setValue(effect->getParameter(1));
  frame->addView(ratioSlider);

  thresholdTrack->forget();
  ratioTrack->forget();
  handle->forget();
  return true;
}

// The sliders die with the frame; their pointers go too, so that nothing
// can reach them between this close and the next open.
void GUIWindow::close() {
  CFrame* closing = frame;
  frame = nullptr;
  thresholdSlider = nullptr;
  ratioSlider = nullptr;
  delete closing;
}

void GUIWindow::valueChanged(PLUGGUI::CDrawContext* /*context*/, PLUGGUI::CControl* control) {
  setParameter(static_cast<int>(control->getTag()), control->getValue());
}

void GUIWindow::setParameter(int index, float value) {
  CSlider* slider = nullptr;
  if (index == 0) {
    std::cerr << value << std::endl;
    slider = thresholdSlider;
  } else if (index == 1) {
    slider = ratioSlider;
  } else {
    return;
  }
  if (slider) slider->setValue(value);
  effect->setParameterAutomated(index, value);
}
