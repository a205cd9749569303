// Quillon's effect: its parameters and their texts, and the stereo audio
// through the transfer curve.
#include "effect/quillon.h"

#include <cstdint>
#include <limits>

#include "editor/guiwindow.h"
#include "effect/transfercurve.h"

Quillon::Quillon(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, 1, 2), threshold(1.0f), ratio(1.0f) {
  setNumInputs(2);
  setNumOutputs(2);
  setUniqueID(plugFourCC('Q', 'v', 'L', 'n'));
  isSynth(false);
  canProcessReplacing(true);
  // The editor registers itself with the effect, which owns it from here on.
  editor = new GUIWindow(this);
}

Quillon::~Quillon() {}

namespace {

bool overlaps(const float* a, const float* b, PlugInt32 frames) {
  auto begin = [](const float* p) { return reinterpret_cast<uintptr_t>(p); };
  uintptr_t bytes = static_cast<uintptr_t>(frames) * sizeof(float);
  return begin(a) < begin(b) + bytes && begin(b) < begin(a) + bytes;
}

// The channels can be run one after the other, several samples at a time, only
// when that cannot change what a sample-by-sample pass reads: each output is
// its own input or touches no input and no other output.
bool channelsIndependent(float** inputs, float** outputs, PlugInt32 frames) {
  for (int j = 0; j < 2; ++j) {
    if (outputs[j] != inputs[j] && overlaps(outputs[j], inputs[j], frames)) return false;
    if (overlaps(outputs[j], inputs[1 - j], frames)) return false;
  }
  return !overlaps(outputs[0], outputs[1], frames);
}

}  // namespace

void Quillon::processReplacing(float** inputs, float** outputs, PlugInt32 sampleFrames) {
  if (sampleFrames <= 0) return;
  // Threshold and ratio are read once for the block: a change that lands
  // mid-block takes effect from the next call.
  const float t = threshold;
  const float r = ratio;
  const quillon::CurveConstants c = quillon::curveConstants(t, r);
  if (channelsIndependent(inputs, outputs, sampleFrames)) {
    for (int j = 0; j < 2; ++j)
      quillon::curveBlock(inputs[j], outputs[j], static_cast<size_t>(sampleFrames), t, r, c,
                          quillon::wideLanesAvailable());
    return;
  }
  // Buffers that overlap each other in other ways: frame by frame, channel
  // by channel, each output written right after its input is read.
  for (PlugInt32 i = 0; i < sampleFrames; ++i)
    for (int j = 0; j < 2; ++j) outputs[j][i] = quillon::curveSample(inputs[j][i], t, r, c);
}

void Quillon::setParameter(PlugInt32 index, float value) {
  if (index == 0)
    threshold = value;
  else if (index == 1)
    ratio = value;
}

float Quillon::getParameter(PlugInt32 index) {
  if (index == 0) return threshold;
  if (index == 1) return ratio;
  return std::numeric_limits<float>::quiet_NaN();
}

void Quillon::getParameterName(PlugInt32 index, char* text) {
  if (index == 0)
    plug_strncpy(text, "Threshold", kPlugMaxParamStrLen);
  else if (index == 1)
    plug_strncpy(text, "Ratio", kPlugMaxParamStrLen);
}

void Quillon::getParameterLabel(PlugInt32 index, char* label) {
  if (index == 0)
    plug_strncpy(label, "dB", kPlugMaxParamStrLen);
  else if (index == 1)
    plug_strncpy(label, "x", kPlugMaxParamStrLen);
}

void Quillon::getParameterDisplay(PlugInt32 index, char* text) {
  if (index == 0)
    dB2string(threshold, text, kPlugMaxParamStrLen);
  else if (index == 1)
    float2string(ratio, text, kPlugMaxParamStrLen);
}
