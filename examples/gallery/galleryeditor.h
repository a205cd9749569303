// The gallery's editor: three knobs (a drawn handle, a pictured one and a
// film strip), a parameter display of the strip knob, a text edit that
// takes a typed percentage, a level meter of the audio going through, a
// counter group in a container of its own (a rocker that steps it, digits
// that show it and a button that resets it), two switches and a picture of
// the wave one chooses, an on/off and a latching button, an animation, an
// "about" splash, two option menus (one with a sub-menu, one with check
// marks and a pop-up drawn in the gallery's colours), and a label for each.
#pragma once

#include <chrono>

#include "editor/aeffguieditor.h"
#include "examples/gallery/gallery.h"
#include "pluggui/plugcontrols.h"

class GalleryEditor : public AEffGUIEditor, public CControlListener {
 public:
  explicit GalleryEditor(Gallery* effect);
  ~GalleryEditor() override;

  bool open(void* parentWindow) override;
  void close() override;
  void idle() override;

  void valueChanged(PLUGGUI::CDrawContext* context, PLUGGUI::CControl* control) override;

 protected:
  void openControls();
  void openCounter();
  void openSplash();
  void openMenus();
  // Shows a parameter's value in the controls that stand for it.
  void takeParameter(int tag, float value);
  void showFilter(long choice);
  // Sets a parameter from the editor, which shows it already.
  void automate(int tag, float value);
  void setCounter(long count);
  void stepAnimation();

  // Held by the frame while open, none otherwise. The control that shows a
  // parameter as its own value, by parameter; none for the counter, whose
  // digits show the count itself.
  PLUGGUI::CControl* controls[kGalleryParameters];
  PLUGGUI::CParamDisplay* stripDisplay;
  PLUGGUI::CTextEdit* typed;
  PLUGGUI::CVuMeter* meter;
  PLUGGUI::CRockerSwitch* rocker;
  PLUGGUI::CSpecialDigit* digits;
  PLUGGUI::CKickButton* reset;
  PLUGGUI::CMovieBitmap* wavePicture;
  PLUGGUI::CAutoAnimation* animation;
  PLUGGUI::CTextLabel* animationField;  // behind the animation, shown while it is closed
  PLUGGUI::COptionMenu* filterMenu;
  PLUGGUI::COptionMenu* filterShapes;  // the sub-menu of the last three filters
  PLUGGUI::COptionMenu* bandMenu;
  // The parameters as the controls last took them from the effect.
  float taken[kGalleryParameters];
  bool animationShown;
  std::chrono::steady_clock::time_point lastStep;
};
