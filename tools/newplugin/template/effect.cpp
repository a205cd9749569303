// @NAME@'s effect: a stereo gain, its parameter and its value text.
#include "examples/@NAME@/effect.h"

#include <cmath>
#include <cstdio>

#include "examples/@NAME@/editor.h"

GainEffect::GainEffect(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, 1, kNumParameters), gain(0.5f) {
  setNumInputs(2);
  setNumOutputs(2);
  // Hosts tell plug-ins apart by this number: keep it when you rename the
  // plug-in, so that saved sessions still find it.
  setUniqueID(@UNIQUE_ID@);
  canProcessReplacing(true);
  // The effect owns its editor from here on and deletes it when it goes.
  editor = new GainEditor(this);
}

float gainOf(float value) {
  if (!(value > 0.0f)) return 0.0f;
  return value >= 1.0f ? 2.0f : 2.0f * value;
}

void gainText(float value, char* text) {
  const float g = gainOf(value);
  if (g == 0.0f) {
    plug_strncpy(text, "-inf", kPlugMaxParamStrLen);
    return;
  }
  std::snprintf(text, kPlugMaxParamStrLen + 1, "%.1f", 20.0 * std::log10(static_cast<double>(g)));
}

// Each frame's two samples are read before either is written, so that a
// host may pass the same buffers in and out.
void GainEffect::processReplacing(float** inputs, float** outputs, PlugInt32 sampleFrames) {
  const float g = gainOf(gain.load(std::memory_order_relaxed));
  for (PlugInt32 i = 0; i < sampleFrames; ++i) {
    const float left = inputs[0][i] * g;
    const float right = inputs[1][i] * g;
    outputs[0][i] = left;
    outputs[1][i] = right;
  }
}

// Hosts read back exactly what they set, so the value is kept as it came.
void GainEffect::setParameter(PlugInt32 index, float value) {
  if (index == kGain) gain.store(value, std::memory_order_relaxed);
}

float GainEffect::getParameter(PlugInt32 index) {
  return index == kGain ? gain.load(std::memory_order_relaxed) : 0.0f;
}

void GainEffect::getParameterName(PlugInt32 index, char* text) {
  if (index == kGain) plug_strncpy(text, "Gain", kPlugMaxParamStrLen);
}

void GainEffect::getParameterLabel(PlugInt32 index, char* label) {
  if (index == kGain) plug_strncpy(label, "dB", kPlugMaxParamStrLen);
}

void GainEffect::getParameterDisplay(PlugInt32 index, char* text) {
  if (index == kGain) gainText(getParameter(kGain), text);
}

bool GainEffect::getEffectName(char* name) {
  plug_strncpy(name, "@NAME@", kPlugMaxEffectNameLen);
  return true;
}

bool GainEffect::getProductString(char* text) {
  plug_strncpy(text, "@NAME@", kPlugMaxProductStrLen);
  return true;
}

bool GainEffect::getVendorString(char* text) {
  plug_strncpy(text, "@NAME@", kPlugMaxVendorStrLen);
  return true;
}
