// The gallery's effect: audio passed through unchanged, a parameter for
// each input control, and the peak level the meter shows.
#include "examples/gallery/gallery.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "examples/gallery/galleryeditor.h"

namespace {

const char* const kNames[kGalleryParameters] = {"Line",  "Bitmap", "Strip", "Typed",  "Counter", "Wave",
                                                "Range", "Power",  "Latch", "Filter", "Band"};
const char* const kWaves[kChoices] = {"Sine", "Triangle", "Saw", "Square"};
const char* const kRanges[kChoices] = {"x1", "x2", "x4", "x8"};

bool known(PlugInt32 index) { return index >= 0 && index < kGalleryParameters; }

bool inPercent(PlugInt32 index) { return index <= kTyped; }

long nearestWhole(float value, long top) {
  if (!(value > 0.0f)) return 0;
  if (value >= 1.0f) return top;
  return std::lround(static_cast<double>(value) * top);
}

}  // namespace

const char* const kFilterNames[kFilterChoices] = {"Lowpass", "Highpass", "Bandpass", "Notch", "Peak", "Shelf"};
const char* const kBandNames[kChoices] = {"Low", "Mid", "High", "Air"};

Gallery::Gallery(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, 1, kGalleryParameters), values{0.5f, 0.5f, 0.5f, 0.5f}, peak(0.0f) {
  setNumInputs(2);
  setNumOutputs(2);
  setUniqueID(plugFourCC('Q', 'l', 'G', 'y'));
  isSynth(false);
  canProcessReplacing(true);
  editor = new GalleryEditor(this);
}

Gallery::~Gallery() {}

long countOf(float value) { return nearestWhole(value, kCounterTop); }

long choiceOf(float value, long count) { return nearestWhole(value, count - 1); }

float choiceValue(long choice, long count) { return static_cast<float>(choice) / static_cast<float>(count - 1); }

// memmove: a host may hand the same buffers in and out, or overlapping ones.
void Gallery::processReplacing(float** inputs, float** outputs, PlugInt32 sampleFrames) {
  if (sampleFrames <= 0) return;
  float loudest = 0.0f;
  for (int channel = 0; channel < 2; ++channel) {
    for (PlugInt32 i = 0; i < sampleFrames; ++i) {
      const float magnitude = std::fabs(inputs[channel][i]);
      if (magnitude > loudest) loudest = magnitude;
    }
  }
  for (int channel = 0; channel < 2; ++channel)
    std::memmove(outputs[channel], inputs[channel], static_cast<size_t>(sampleFrames) * sizeof(float));
  float seen = peak.load(std::memory_order_relaxed);
  while (loudest > seen && !peak.compare_exchange_weak(seen, loudest, std::memory_order_relaxed)) {
  }
}

float Gallery::takePeak() { return peak.exchange(0.0f, std::memory_order_relaxed); }

void Gallery::setParameter(PlugInt32 index, float value) {
  if (known(index)) values[index] = value;
}

float Gallery::getParameter(PlugInt32 index) {
  return known(index) ? values[index] : std::numeric_limits<float>::quiet_NaN();
}

void Gallery::getParameterName(PlugInt32 index, char* text) {
  if (known(index)) plug_strncpy(text, kNames[index], kPlugMaxParamStrLen);
}

void Gallery::getParameterLabel(PlugInt32 index, char* label) {
  if (known(index)) plug_strncpy(label, inPercent(index) ? "%" : "", kPlugMaxParamStrLen);
}

// The counter as its count, the switches and buttons by the name of what
// they choose, the rest in whole percent. A host may set any number: a
// percentage that is none shows as "?", and the rest stays within what a
// 32-bit integer holds.
void Gallery::getParameterDisplay(PlugInt32 index, char* text) {
  if (!known(index)) return;
  const float value = values[index];
  switch (index) {
    case kCounter:
      std::snprintf(text, kPlugMaxParamStrLen + 1, "%ld", countOf(value));
      return;
    case kWave:
      plug_strncpy(text, kWaves[choiceOf(value)], kPlugMaxParamStrLen);
      return;
    case kRange:
      plug_strncpy(text, kRanges[choiceOf(value)], kPlugMaxParamStrLen);
      return;
    case kFilter:
      plug_strncpy(text, kFilterNames[choiceOf(value, kFilterChoices)], kPlugMaxParamStrLen);
      return;
    case kBand:
      plug_strncpy(text, kBandNames[choiceOf(value)], kPlugMaxParamStrLen);
      return;
    case kPower:
    case kLatch:
      plug_strncpy(text, value != 0.0f ? "On" : "Off", kPlugMaxParamStrLen);
      return;
    default:
      break;
  }
  const double percent = static_cast<double>(values[index]) * 100.0;
  if (std::isnan(percent)) {
    plug_strncpy(text, "?", kPlugMaxParamStrLen);
    return;
  }
  const double bounded = percent > 2e9 ? 2e9 : (percent < -2e9 ? -2e9 : percent);
  std::snprintf(text, kPlugMaxParamStrLen + 1, "%ld", std::lround(bounded));
}
