// @NAME@'s editor: the gain as a knob, and its value text beneath it.
#include "examples/@NAME@/editor.h"

#include <cmath>
#include <cstdio>

using PLUGGUI::CBitmap;
using PLUGGUI::CColor;
using PLUGGUI::CControl;
using PLUGGUI::CDrawContext;
using PLUGGUI::CFrame;
using PLUGGUI::CKnob;
using PLUGGUI::CParamDisplay;
using PLUGGUI::CPoint;
using PLUGGUI::CRect;
using PLUGGUI::CTextLabel;

namespace {

constexpr long kWidth = 160;
constexpr long kHeight = 120;
constexpr long kKnobFace = 100;  // the picture's number in resources.rc

const CColor kBackground = {36, 40, 52, 255};
const CColor kInk = {235, 235, 225, 255};
const CColor kAccent = {255, 170, 60, 255};

// The parameter display's text for a value: the effect's own with its unit,
// so that the editor and the host never disagree. The display gives 256
// bytes.
void displayText(float value, char* text) {
  char number[kPlugMaxParamStrLen + 1];
  gainText(value, number);
  std::snprintf(text, 256, "%s dB", number);
}

}  // namespace

GainEditor::GainEditor(GainEffect* effect) : AEffGUIEditor(effect), knob(nullptr), display(nullptr) {
  // Hosts ask for the size before the editor opens, to make its window.
  rect.left = 0;
  rect.top = 0;
  rect.right = kWidth;
  rect.bottom = kHeight;
}

GainEditor::~GainEditor() { close(); }

bool GainEditor::open(void* parentWindow) {
  AEffEditor::open(parentWindow);
  frame = new CFrame(CRect(0, 0, kWidth, kHeight), parentWindow, this);
  frame->setBackgroundColor(kBackground);

  CTextLabel* title = new CTextLabel(CRect(0, 8, kWidth, 26), "Gain", nullptr, PLUGGUI::kStyleNoFrame);
  title->setTransparency(true);
  title->setFontColor(kInk);
  frame->addView(title);

  // The knob holds its own reference to the picture: ours goes at once.
  CBitmap* face = new CBitmap(kKnobFace);
  const CPoint origin(0, 0);
  knob = new CKnob(CRect(60, 32, 100, 72), this, kGain, face, nullptr, origin);
  knob->setColorHandle(kAccent);
  frame->addView(knob);
  face->forget();

  display = new CParamDisplay(CRect(40, 82, 120, 102), nullptr, PLUGGUI::kStyle3DIn);
  display->setStringConvert(displayText);
  display->setFontColor(kAccent);
  display->setBackColor(kBackground);
  frame->addView(display);

  show(effect->getParameter(kGain));
  return true;
}

// The controls die with the frame; their pointers go too, so that nothing
// reaches them between this close and the next open.
void GainEditor::close() {
  CFrame* closing = frame;
  frame = nullptr;
  knob = nullptr;
  display = nullptr;
  delete closing;
}

// A host's automation sets the parameter on the effect, not here: the
// editor takes it up at its next idle request. The knob holds any number a
// host sets, NaN too, so it tells what the controls show.
void GainEditor::idle() {
  if (frame) {
    const float value = effect->getParameter(kGain);
    const float shown = knob->getValue();
    if (value != shown && !(std::isnan(value) && std::isnan(shown))) show(value);
  }
  AEffGUIEditor::idle();
}

// setParameterAutomated sets the effect's parameter and tells the host, which
// records it as automation between the knob's begin-edit and end-edit.
void GainEditor::valueChanged(CDrawContext* /*context*/, CControl* control) {
  if (control != knob) return;
  const float value = knob->getValue();
  display->setValue(value);
  effect->setParameterAutomated(kGain, value);
}

void GainEditor::show(float value) {
  knob->setValue(value);
  display->setValue(value);
}
