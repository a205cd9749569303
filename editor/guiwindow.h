// The compressor's editor: a cream 320 x 240 window with a horizontal
// Threshold slider along the bottom and a vertical Ratio slider along the
// left edge, whose tracks meet in an L at the bottom left.
#pragma once

#include "editor/aeffguieditor.h"
#include "pluggui/plugcontrols.h"

class GUIWindow : public AEffGUIEditor, public CControlListener {
 public:
  explicit GUIWindow(void* effect);
  ~GUIWindow() override;

  bool open(void* parentWindow) override;
  void close() override;
  void setParameter(int index, float value) override;

  void valueChanged(PLUGGUI::CDrawContext* context, PLUGGUI::CControl* control) override;

 protected:
  PLUGGUI::CSlider* thresholdSlider;  // held by the frame while open
  PLUGGUI::CSlider* ratioSlider;      // held by the frame while open
};
