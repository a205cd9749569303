// The gallery's editor: every control of the toolkit in one window, and
// the pictures it draws them from.
#include "examples/gallery/galleryeditor.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "examples/gallery/gallery.h"

using namespace PLUGGUI;

namespace {

enum PictureResource {
  kKnobBack = 200,
  kKnobHandle,
  kKnobStrip,
  kMeterOn,
  kMeterOff,
  kDigits,
  kRocker,
  kKick,
  kVerticalSwitch,
  kWaves,
  kHorizontalSwitch,
  kOnOff,
  kLatchPicture,
  kSpinner,
  kSplash
};

// Tags of the controls that stand for no parameter.
enum { kAnimationTag = 100, kSplashTag };

constexpr long kWidth = 360;
constexpr long kHeight = 380;
constexpr long kStripFrames = 31;
constexpr long kKnobSize = 40;
constexpr long kMeterSegments = 20;
constexpr long kHorizontalMeter = 1;
constexpr long kDigitCount = 3;
constexpr long kDigitWidth = 16;
constexpr long kDigitHeight = 24;
constexpr long kRockerPicture = 20;
constexpr long kSwitchPicture = 20;
constexpr unsigned char kSplashOpacity = 200;
constexpr auto kAnimationStep = std::chrono::milliseconds(100);
// The meter spans 60 dB below full scale.
constexpr float kMeterFloorDb = -60.0f;
// The filter menu offers the first filters itself and the rest in a
// sub-menu, opened by its entry at kShapesEntry.
constexpr long kFirstShape = 3;
constexpr long kShapesEntry = 5;
constexpr long kNumbered = 2;  // one digit and a space

const CColor kField = {230, 234, 240, 255};
const CColor kInk = {0, 1, 65, 255};
const CColor kOrange = {255, 140, 0, 255};
const CColor kPanel = {20, 24, 60, 255};
const CColor kPanelEdge = {200, 205, 220, 255};
const CColor kPaper = {250, 250, 245, 255};
const CColor kPaperEdge = {150, 155, 170, 255};
const CColor kGroup = {208, 214, 226, 255};

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

CTextLabel* label(CViewContainer* container, const CRect& size, const char* text, CFont font, CHoriTxtAlign align) {
  CTextLabel* made = new CTextLabel(size, text, nullptr, kStyleNoFrame);
  made->setTransparency(true);
  made->setFont(font);
  made->setFontColor(kInk);
  made->setHoriAlign(align);
  container->addView(made);
  return made;
}

CTextLabel* smallLabel(CViewContainer* container, const CRect& size, const char* text) {
  return label(container, size, text, kFontSmall, kAlignCenter);
}

// The gallery's colours for a pop-up menu that the toolkit draws.
class GalleryScheme : public COptionMenuScheme {
 public:
  GalleryScheme() {
    backgroundColor = kPaper;
    selectionColor = kPanel;
    textColor = kInk;
    selectedTextColor = kOrange;
    disabledTextColor = kPaperEdge;
  }
};

// An option menu whose pop-up a scheme of its own draws.
class SchemedMenu : public COptionMenu {
 public:
  SchemedMenu(const CRect& size, CControlListener* listener, long tag, long style, COptionMenuScheme* look)
      : COptionMenu(size, listener, tag, nullptr, nullptr, style) {
    scheme = look;
    scheme->remember();
  }
  ~SchemedMenu() override { scheme->forget(); }
};

// An option menu that, while the entry of its sub-menu is current, shows
// the entry chosen in the sub-menu instead.
class FilterMenu : public COptionMenu {
 public:
  FilterMenu(const CRect& size, CControlListener* listener, long tag, long style)
      : COptionMenu(size, listener, tag, nullptr, nullptr, style) {}

  void draw(CDrawContext* context) override {
    char current[256];
    COptionMenu* shapes = getSubMenu(0);
    if (getCurrent(current) >= 0 && std::strncmp(current, "-M", 2) == 0 && shapes && shapes->getCurrent(current) >= 0) {
      drawText(context, current);
      return;
    }
    COptionMenu::draw(context);
  }
};

void paperField(CParamDisplay* field) {
  field->setBackColor(kPaper);
  field->setFrameColor(kPaperEdge);
  field->setFontColor(kInk);
}

char* entryText(const char* text) { return const_cast<char*>(text); }

float countValue(long count) { return static_cast<float>(count) / static_cast<float>(kCounterTop); }

CRect knobAt(long left, long top) { return CRect(left, top, left + kKnobSize, top + kKnobSize); }

}  // namespace

GalleryEditor::GalleryEditor(Gallery* effect)
    : AEffGUIEditor(effect),
      controls{},
      stripDisplay(nullptr),
      typed(nullptr),
      meter(nullptr),
      rocker(nullptr),
      digits(nullptr),
      reset(nullptr),
      wavePicture(nullptr),
      animation(nullptr),
      animationField(nullptr),
      filterMenu(nullptr),
      filterShapes(nullptr),
      bandMenu(nullptr),
      taken{},
      animationShown(false) {
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
  openControls();
  openCounter();
  openMenus();
  openSplash();
  for (int tag = 0; tag < kGalleryParameters; ++tag) takeParameter(tag, effect->getParameter(tag));
  stripDisplay->setValue(taken[kStripKnob]);
  wavePicture->setValue(taken[kWave]);
  digits->setValue(static_cast<float>(countOf(taken[kCounter])));
  animationShown = false;
  return true;
}

// Everything but the counter group, which lives in a container of its own.
void GalleryEditor::openControls() {
  const HeldPicture back(kKnobBack), handle(kKnobHandle), strip(kKnobStrip), meterOn(kMeterOn), meterOff(kMeterOff);
  const HeldPicture vertical(kVerticalSwitch), waves(kWaves), horizontal(kHorizontalSwitch), onOff(kOnOff),
      latch(kLatchPicture), spinner(kSpinner);
  CPoint origin(0, 0);

  label(frame, CRect(10, 6, 350, 28), "Toolkit gallery", kFontNormal, kAlignLeft);

  controls[kLineKnob] = new CKnob(knobAt(20, 40), this, kLineKnob, back.get(), nullptr, origin);
  controls[kBitmapKnob] = new CKnob(knobAt(100, 40), this, kBitmapKnob, back.get(), handle.get(), origin);
  controls[kStripKnob] =
      new CAnimKnob(knobAt(180, 40), this, kStripKnob, kStripFrames, kKnobSize, strip.get(), origin);
  for (int tag = kLineKnob; tag <= kStripKnob; ++tag) frame->addView(controls[tag]);
  smallLabel(frame, CRect(10, 84, 70, 100), "Line");
  smallLabel(frame, CRect(90, 84, 150, 100), "Bitmap");
  smallLabel(frame, CRect(170, 84, 230, 100), "Strip");

  stripDisplay = new CParamDisplay(CRect(250, 48, 340, 72), nullptr, kStyle3DIn);
  stripDisplay->setBackColor(kPanel);
  stripDisplay->setFrameColor(kPanelEdge);
  stripDisplay->setFontColor(kOrange);
  stripDisplay->setStringConvert(percentText);
  frame->addView(stripDisplay);
  smallLabel(frame, CRect(250, 84, 340, 100), "Display");

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
  // A new meter falls from full a step per repaint; this one starts at the
  // silence it shows, so the window's first pictures do not depend on how
  // many repaints the host happened to ask for before them.
  meter->setOldValue(meter->getValue());
  frame->addView(meter);

  // The vertical switch chooses a wave, which the picture beside it shows.
  controls[kWave] = new CVerticalSwitch(CRect(180, 188, 200, 252), this, kWave, vertical.get(), origin);
  frame->addView(controls[kWave]);
  wavePicture = new CMovieBitmap(CRect(208, 200, 248, 240), nullptr, kWave, waves.get(), origin);
  frame->addView(wavePicture);
  smallLabel(frame, CRect(170, 254, 260, 270), "Wave");

  controls[kRange] = new CHorizontalSwitch(CRect(270, 204, 334, 224), this, kRange, kChoices, kSwitchPicture,
                                           kChoices, horizontal.get(), origin);
  frame->addView(controls[kRange]);
  smallLabel(frame, CRect(262, 228, 342, 244), "Range");

  controls[kPower] = new COnOffButton(CRect(20, 282, 60, 302), this, kPower, onOff.get());
  frame->addView(controls[kPower]);
  smallLabel(frame, CRect(10, 306, 70, 322), "Power");
  controls[kLatch] = new CMovieButton(CRect(90, 282, 130, 302), this, kLatch, latch.get(), origin);
  frame->addView(controls[kLatch]);
  smallLabel(frame, CRect(80, 306, 140, 322), "Latch");

  // The animation paints nothing while closed: the field behind it shows
  // then, and is drawn again when it closes.
  const CRect stage(170, 278, 210, 318);
  animationField = new CTextLabel(stage, "Play", nullptr, kStyle3DIn);
  animationField->setBackColor(kPanel);
  animationField->setFrameColor(kPanelEdge);
  animationField->setFontColor(kOrange);
  animationField->setFont(kFontSmall);
  frame->addView(animationField);
  animation = new CAutoAnimation(stage, this, kAnimationTag, spinner.get(), origin);
  frame->addView(animation);
  smallLabel(frame, CRect(150, 320, 230, 336), "Animation");
}

// The rocker steps the counter and the kick button resets it; the digits
// show it. All three live in a container, so that their drawing and clicks
// go through its offset.
void GalleryEditor::openCounter() {
  const HeldPicture digitStrip(kDigits), rockerStrip(kRocker), kick(kKick);
  CPoint origin(0, 0);
  CViewContainer* group = new CViewContainer(CRect(10, 184, 160, 264), frame);
  group->setBackgroundColor(kGroup);
  frame->addView(group);
  label(group, CRect(6, 4, 144, 20), "Counter", kFontSmall, kAlignLeft);
  rocker = new CRockerSwitch(CRect(10, 30, 50, 50), this, kCounter, kRockerPicture, rockerStrip.get(), origin,
                             kHorizontalRocker);
  group->addView(rocker);
  digits = new CSpecialDigit(CRect(56, 28, 56 + kDigitCount * kDigitWidth, 28 + kDigitHeight), nullptr, kCounter, 0,
                             kDigitCount, nullptr, nullptr, kDigitWidth, kDigitHeight, digitStrip.get());
  group->addView(digits);
  reset = new CKickButton(CRect(110, 28, 146, 52), this, kCounter, kick.get(), origin);
  group->addView(reset);
  smallLabel(group, CRect(6, 56, 54, 72), "Step");
  smallLabel(group, CRect(52, 56, 108, 72), "Count");
  smallLabel(group, CRect(104, 56, 150, 72), "Reset");
}

// The filter menu numbers its entries, greys one out, and keeps the last
// three filters in a sub-menu under a title; it ticks its current entry.
// The band menu keeps a tick on each band, which choosing the band turns
// on or off, and draws its pop-up in the gallery's colours.
void GalleryEditor::openMenus() {
  label(frame, CRect(20, 352, 64, 368), "Filter", kFontSmall, kAlignLeft);
  filterMenu = new FilterMenu(CRect(64, 348, 164, 370), this, kFilter, kCheckCurrentStyle);
  paperField(filterMenu);
  filterMenu->setPrefixNumbers(kNumbered);
  const std::string greyed = std::string("-G") + kFilterNames[2];
  for (const char* entry : {kFilterNames[0], kFilterNames[1], greyed.c_str(), "-", "-TMore"})
    filterMenu->addEntry(entryText(entry));
  filterShapes = new COptionMenu(CRect(0, 0, 0, 0), nullptr, kFilter);
  for (long shape = kFirstShape; shape < kFilterChoices; ++shape) filterShapes->addEntry(entryText(kFilterNames[shape]));
  filterMenu->addEntry(filterShapes, entryText("Shapes"));
  filterShapes->forget();  // the menu holds it
  frame->addView(filterMenu);

  label(frame, CRect(190, 352, 230, 368), "Band", kFontSmall, kAlignLeft);
  COptionMenuScheme* look = new GalleryScheme;
  bandMenu = new SchemedMenu(CRect(230, 348, 340, 370), this, kBand, kMultipleCheckStyle, look);
  look->forget();  // the menu holds it
  paperField(bandMenu);
  for (const char* band : kBandNames) bandMenu->addEntry(entryText(band));
  frame->addView(bandMenu);
}

// The splash is an invisible click area over the "About" field, and the
// front-most view, so that its picture covers all the others.
void GalleryEditor::openSplash() {
  const HeldPicture splash(kSplash);
  CPoint origin(0, 0);
  const CRect about(262, 282, 342, 302);
  CTextLabel* aboutField = new CTextLabel(about, "About", nullptr, kStyle3DOut);
  aboutField->setBackColor(kPaper);
  aboutField->setFrameColor(kPaperEdge);
  aboutField->setFontColor(kInk);
  aboutField->setFont(kFontSmall);
  frame->addView(aboutField);
  smallLabel(frame, CRect(262, 306, 342, 322), "Splash");
  CRect shown(40, 60, 320, 260);
  CSplashScreen* splashScreen = new CSplashScreen(about, this, kSplashTag, splash.get(), shown, origin);
  splashScreen->setBitmapTransparency(kSplashOpacity);
  frame->addView(splashScreen);
}

void GalleryEditor::close() {
  CFrame* closing = frame;
  frame = nullptr;
  for (CControl*& control : controls) control = nullptr;
  stripDisplay = nullptr;
  typed = nullptr;
  meter = nullptr;
  rocker = nullptr;
  digits = nullptr;
  reset = nullptr;
  wavePicture = nullptr;
  animation = nullptr;
  animationField = nullptr;
  filterMenu = filterShapes = bandMenu = nullptr;
  delete closing;
}

// A host's automation reaches the controls here, and the audio's level the
// meter, which then falls a step per repaint; the animation moves on. Only
// a parameter that changed since the controls last took it is passed on: a
// control's own idle step comes here too, between its change and the
// moment it tells the effect (the on/off button's default), and must not be
// put back to the old value.
void GalleryEditor::idle() {
  if (frame) {
    for (int tag = 0; tag < kGalleryParameters; ++tag) {
      const float parameter = effect->getParameter(tag);
      if (parameter == taken[tag] || (std::isnan(parameter) && std::isnan(taken[tag]))) continue;
      takeParameter(tag, parameter);
    }
    stripDisplay->setValue(controls[kStripKnob]->getValue());
    wavePicture->setValue(controls[kWave]->getValue());
    const float count = static_cast<float>(countOf(taken[kCounter]));
    if (digits->getValue() != count) digits->setValue(count);
    meter->setValue(meterLevel(static_cast<Gallery*>(effect)->takePeak()));
    stepAnimation();
  }
  AEffGUIEditor::idle();
}

// About ten pictures a second while open. A closed animation paints
// nothing, so the field behind it is drawn again when it closes.
void GalleryEditor::stepAnimation() {
  const auto now = std::chrono::steady_clock::now();
  if (animation->isWindowOpened()) {
    if (!animationShown || now - lastStep >= kAnimationStep) {
      if (animationShown) animation->nextPixmap();
      animation->setDirty(true);
      lastStep = now;
      animationShown = true;
    }
  } else if (animationShown) {
    animationField->setDirty(true);
    animationShown = false;
  }
}

// A menu's value is the index of its entry; the band menu's toggles the
// band's tick, as a choice does.
void GalleryEditor::takeParameter(int tag, float value) {
  taken[tag] = value;
  switch (tag) {
    case kFilter:
      showFilter(choiceOf(value, kFilterChoices));
      return;
    case kBand:
      bandMenu->setValue(static_cast<float>(choiceOf(value)));
      return;
    default:
      if (controls[tag]) controls[tag]->setValue(value);
      return;
  }
}

// The first filters are the menu's own entries, the rest its sub-menu's,
// whose entry the menu then makes current.
void GalleryEditor::showFilter(long choice) {
  if (choice < kFirstShape) {
    filterMenu->setValue(static_cast<float>(choice));
    return;
  }
  filterShapes->setValue(static_cast<float>(choice - kFirstShape));
  filterMenu->setCurrent(kShapesEntry);
}

// What the editor sets, its controls show already: idle need not give it
// back to them (the band menu would toggle its tick again).
void GalleryEditor::automate(int tag, float value) {
  taken[tag] = value;
  effect->setParameterAutomated(tag, value);
}

void GalleryEditor::setCounter(long count) {
  const long bounded = count < 0 ? 0 : (count > kCounterTop ? kCounterTop : count);
  digits->setValue(static_cast<float>(bounded));
  automate(kCounter, countValue(bounded));
}

// The rocker's -1 and +1 step the counter, and its return to 0 does
// nothing: the host hears only counts. The kick button resets the counter
// when pressed. The text edit tells of a changed text; a number from 0 to
// 100 sets its parameter, and anything else is put back to the parameter's
// own text.
void GalleryEditor::valueChanged(CDrawContext* /*context*/, CControl* control) {
  if (control == rocker) {
    const float step = control->getValue();
    if (step != 0.0f) setCounter(countOf(effect->getParameter(kCounter)) + (step < 0.0f ? -1 : 1));
    return;
  }
  if (control == reset) {
    if (control->getValue() != 0.0f) setCounter(0);
    return;
  }
  // A choice in the filter's sub-menu comes with the sub-menu as control.
  // The menu has set its own value to the chosen entry's index already.
  if (control == filterMenu || control == filterShapes) {
    const long index = static_cast<long>(control->getValue());
    const long choice = control == filterShapes ? kFirstShape + index : index;
    showFilter(choice);
    automate(kFilter, choiceValue(choice, kFilterChoices));
    return;
  }
  if (control == bandMenu) {
    automate(kBand, choiceValue(static_cast<long>(control->getValue())));
    return;
  }
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
  automate(static_cast<int>(tag), value);
}
