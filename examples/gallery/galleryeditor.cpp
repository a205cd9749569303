#include "examples/gallery/galleryeditor.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "examples/gallery/gallery.h"

using namespace PLUGGUI;

namespace {

enum PictureResource { kKnobBack = 200, kKnobHandle, kKnobStrip, kMeterOn, kMeterOff };

constexpr long kWidth = 360;
constexpr long kHeight = 190;
constexpr long kStripFrames = 31;
constexpr long kKnobSize = 40;
constexpr long kMeterSegments = 20;
constexpr long kHorizontalMeter = 1;
// The meter spans 60 dB below full scale.
constexpr float kMeterFloorDb = -60.0f;

const CColor kField = {230, 234, 240, 255};
const CColor kInk = {0, 1, 65, 255};
const CColor kOrange = {255, 140, 0, 255};
const CColor kPanel = {20, 24, 60, 255};
const CColor kPanelEdge = {200, 205, 220, 255};
const CColor kPaper = {250, 250, 245, 255};
const CColor kPaperEdge = {150, 155, 170, 255};

// The picture behind a resource, released when the scope ends: the
// controls hold their own references.
class HeldPicture {
 public:
  explicit HeldPicture(long resource) : bitmap(new CBitmap(resource)) {}
  ~HeldPicture() { bitmap->forget(); }
  HeldPicture(const HeldPicture&) = delete;
  HeldPicture& operator=(const HeldPicture&) = delete;
  CBitmap* get() const { return bitmap; }

 private:
  CBitmap* bitmap;
};

void percentText(float value, char* text) {
  std::snprintf(text, 256, "%d %%", static_cast<int>(std::lround(value * 100.0f)));
}

void wholePercent(float value, char* text) {
  std::snprintf(text, 256, "%d", static_cast<int>(std::lround(value * 100.0f)));
}

float meterLevel(float peak) {
  if (!(peak > 0.0f)) return 0.0f;
  const float db = 20.0f * std::log10(peak);
  const float level = (db - kMeterFloorDb) / -kMeterFloorDb;
  return level < 0.0f ? 0.0f : (level > 1.0f ? 1.0f : level);
}

CTextLabel* label(CFrame* frame, const CRect& size, const char* text, CFont font, CHoriTxtAlign align) {
  CTextLabel* made = new CTextLabel(size, text, nullptr, kStyleNoFrame);
  made->setTransparency(true);
  made->setFont(font);
  made->setFontColor(kInk);
  made->setHoriAlign(align);
  frame->addView(made);
  return made;
}

CRect knobAt(long left, long top) { return CRect(left, top, left + kKnobSize, top + kKnobSize); }

}  // namespace

GalleryEditor::GalleryEditor(Gallery* effect)
    : AEffGUIEditor(effect), controls{}, stripDisplay(nullptr), typed(nullptr), meter(nullptr) {
  rect.left = 0;
  rect.top = 0;
  rect.right = kWidth;
  rect.bottom = kHeight;
}

GalleryEditor::~GalleryEditor() { close(); }

bool GalleryEditor::open(void* parentWindow) {
  AEffEditor::open(parentWindow);
  frame = new CFrame(CRect(0, 0, kWidth, kHeight), parentWindow, this);
  frame->setBackgroundColor(kField);

  const HeldPicture back(kKnobBack), handle(kKnobHandle), strip(kKnobStrip), meterOn(kMeterOn), meterOff(kMeterOff);
  CPoint origin(0, 0);

  label(frame, CRect(10, 6, 350, 28), "Toolkit gallery", kFontNormal, kAlignLeft);

  controls[kLineKnob] = new CKnob(knobAt(20, 40), this, kLineKnob, back.get(), nullptr, origin);
  controls[kBitmapKnob] = new CKnob(knobAt(100, 40), this, kBitmapKnob, back.get(), handle.get(), origin);
  controls[kStripKnob] =
      new CAnimKnob(knobAt(180, 40), this, kStripKnob, kStripFrames, kKnobSize, strip.get(), origin);
  for (int tag = kLineKnob; tag <= kStripKnob; ++tag) frame->addView(controls[tag]);
  label(frame, CRect(10, 84, 70, 100), "Line", kFontSmall, kAlignCenter);
  label(frame, CRect(90, 84, 150, 100), "Bitmap", kFontSmall, kAlignCenter);
  label(frame, CRect(170, 84, 230, 100), "Strip", kFontSmall, kAlignCenter);

  stripDisplay = new CParamDisplay(CRect(250, 48, 340, 72), nullptr, kStyle3DIn);
  stripDisplay->setBackColor(kPanel);
  stripDisplay->setFrameColor(kPanelEdge);
  stripDisplay->setFontColor(kOrange);
  stripDisplay->setStringConvert(percentText);
  frame->addView(stripDisplay);
  label(frame, CRect(250, 84, 340, 100), "Display", kFontSmall, kAlignCenter);

  label(frame, CRect(20, 118, 80, 136), "Typed", kFontSmall, kAlignLeft);
  typed = new CTextEdit(CRect(90, 116, 200, 138), this, kTyped, "", nullptr, 0);
  typed->setBackColor(kPaper);
  typed->setFrameColor(kPaperEdge);
  typed->setFontColor(kInk);
  typed->setStringConvert(wholePercent);
  controls[kTyped] = typed;
  frame->addView(typed);
  label(frame, CRect(206, 118, 260, 136), "%", kFontSmall, kAlignLeft);

  label(frame, CRect(20, 154, 80, 170), "Level", kFontSmall, kAlignLeft);
  meter = new CVuMeter(CRect(90, 156, 290, 168), meterOn.get(), meterOff.get(), kMeterSegments, kHorizontalMeter);
  frame->addView(meter);

  for (int tag = 0; tag < kGalleryParameters; ++tag) controls[tag]->setValue(effect->getParameter(tag));
  stripDisplay->setValue(effect->getParameter(kStripKnob));
  return true;
}

void GalleryEditor::close() {
  CFrame* closing = frame;
  frame = nullptr;
  for (CControl*& control : controls) control = nullptr;
  stripDisplay = nullptr;
  typed = nullptr;
  meter = nullptr;
  delete closing;
}

// A host's automation reaches the controls here, and the audio's level the
// meter, which then falls a step per repaint.
void GalleryEditor::idle() {
  if (frame) {
    for (int tag = 0; tag < kGalleryParameters; ++tag) {
      const float parameter = effect->getParameter(tag);
      if (controls[tag]->getValue() != parameter) controls[tag]->setValue(parameter);
    }
    stripDisplay->setValue(controls[kStripKnob]->getValue());
    meter->setValue(meterLevel(static_cast<Gallery*>(effect)->takePeak()));
  }
  AEffGUIEditor::idle();
}

// The text edit tells of a changed text; a number from 0 to 100 sets its
// parameter, and anything else is put back to the parameter's own text.
void GalleryEditor::valueChanged(CDrawContext* /*context*/, CControl* control) {
  const long tag = control->getTag();
  if (tag < 0 || tag >= kGalleryParameters) return;
  float value = control->getValue();
  if (control == typed) {
    char text[256];
    typed->getText(text);
    char* end = nullptr;
    const float percent = std::strtof(text, &end);
    if (end == text || *end != 0 || !std::isfinite(percent)) {
      typed->setDirty(true);
      return;
    }
    value = percent < 0.0f ? 0.0f : (percent > 100.0f ? 1.0f : percent / 100.0f);
    typed->setValue(value);
    typed->setDirty(true);
  }
  effect->setParameterAutomated(static_cast<PlugInt32>(tag), value);
}
