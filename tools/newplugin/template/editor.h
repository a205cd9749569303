// @NAME@'s editor: the gain as a knob, and its value text beneath it.
#pragma once

#include "editor/aeffguieditor.h"
#include "examples/@NAME@/effect.h"
#include "pluggui/plugcontrols.h"

class GainEditor : public AEffGUIEditor, public CControlListener {
 public:
  explicit GainEditor(GainEffect* effect);
  // The effect may go with its editor open: the frame and its window go too.
  ~GainEditor() override;

  bool open(void* parentWindow) override;
  void close() override;
  void idle() override;

  // The knob turned by the user.
  void valueChanged(PLUGGUI::CDrawContext* context, PLUGGUI::CControl* control) override;

 private:
  // Both controls show a value of the parameter.
  void show(float value);

  // Held by the frame while the editor is open, none otherwise.
  PLUGGUI::CKnob* knob;
  PLUGGUI::CParamDisplay* display;
};
