// The gallery's editor: three knobs (a drawn handle, a pictured one and a
// film strip), a parameter display of the strip knob, a text edit that
// takes a typed percentage, a level meter of the audio going through, and
// a label for each.
#pragma once

#include "editor/aeffguieditor.h"
#include "pluggui/plugcontrols.h"

class Gallery;

class GalleryEditor : public AEffGUIEditor, public CControlListener {
 public:
  explicit GalleryEditor(Gallery* effect);
  ~GalleryEditor() override;

  bool open(void* parentWindow) override;
  void close() override;
  void idle() override;

  void valueChanged(PLUGGUI::CDrawContext* context, PLUGGUI::CControl* control) override;

 protected:
  // Held by the frame while open, none otherwise; indexed by parameter.
  PLUGGUI::CControl* controls[4];
  PLUGGUI::CParamDisplay* stripDisplay;
  PLUGGUI::CTextEdit* typed;
  PLUGGUI::CVuMeter* meter;
};
