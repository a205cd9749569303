// @NAME@: a stereo gain. One parameter, Gain: 0 is silence, 0.5 passes the
// audio through unchanged and 1 doubles it (+6 dB).
#pragma once

#include <atomic>

#include "plugin/audioeffectx.h"

enum GainParameter { kGain = 0, kNumParameters };

// The gain a parameter value stands for, from 0 to 2. A host may set any
// number: below 0 (and NaN) is silence, above 1 is the top.
float gainOf(float value);

// The parameter's value text, as hosts show it and the editor's display
// does: the gain in decibels, "-inf" for silence. Writes at most
// kPlugMaxParamStrLen characters and a terminator.
void gainText(float value, char* text);

class GainEffect : public AudioEffectX {
 public:
  explicit GainEffect(audioMasterCallback audioMaster);

  void processReplacing(float** inputs, float** outputs, PlugInt32 sampleFrames) override;

  void setParameter(PlugInt32 index, float value) override;
  float getParameter(PlugInt32 index) override;
  void getParameterName(PlugInt32 index, char* text) override;
  void getParameterLabel(PlugInt32 index, char* label) override;
  void getParameterDisplay(PlugInt32 index, char* text) override;

  bool getEffectName(char* name) override;
  bool getProductString(char* text) override;
  bool getVendorString(char* text) override;

 private:
  // Set by the host on its threads and by the editor on the window's, read
  // by the audio thread: an atomic, which on both targets is a plain load.
  std::atomic<float> gain;
};
