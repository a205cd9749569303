// The gallery plug-in: the toolkit's controls in one editor, over an effect
// that passes its audio through unchanged. Each input control has a
// parameter of its own; the level meter shows the peak of the audio going
// through.
#pragma once

#include <atomic>

#include "plugin/audioeffectx.h"

enum GalleryParameter {
  kLineKnob = 0,
  kBitmapKnob,
  kStripKnob,
  kTyped,
  kCounter,  // a whole count from 0 to kCounterTop, as count / kCounterTop
  kWave,     // one of four waves, as 0, 1/3, 2/3 and 1
  kRange,    // one of four ranges, likewise
  kPower,    // off at 0, on otherwise
  kLatch,    // likewise
  kFilter,   // one of six filters, as 0, 1/5 .. 1
  kBand,     // one of four bands, as 0, 1/3, 2/3 and 1
  kGalleryParameters
};

constexpr long kCounterTop = 999;
constexpr long kChoices = 4;
constexpr long kFilterChoices = 6;

// The whole count a counter parameter stands for, and the choice of
// `count` a switch or menu parameter does; any value a host may set lands
// within range.
long countOf(float value);
long choiceOf(float value, long count = kChoices);
// The parameter value of a choice, the other way round.
float choiceValue(long choice, long count = kChoices);

// The names of the choices, as the parameters show them and the menus
// offer them.
extern const char* const kFilterNames[kFilterChoices];
extern const char* const kBandNames[kChoices];

class Gallery : public AudioEffectX {
 public:
  explicit Gallery(audioMasterCallback audioMaster);
  ~Gallery() override;

  void processReplacing(float** inputs, float** outputs, PlugInt32 sampleFrames) override;
  void setParameter(PlugInt32 index, float value) override;
  float getParameter(PlugInt32 index) override;
  void getParameterLabel(PlugInt32 index, char* label) override;
  void getParameterDisplay(PlugInt32 index, char* text) override;
  void getParameterName(PlugInt32 index, char* text) override;

  // The largest sample magnitude since the last call, for the editor's
  // meter; the audio thread raises it, the interface thread takes it.
  float takePeak();

 protected:
  float values[kGalleryParameters];
  std::atomic<float> peak;
};
