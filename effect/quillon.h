// Quillon: a static stereo compressor with a hard knee and a fixed
// full-scale point. Every sample passes on its own through a piecewise-linear
// transfer curve set by Threshold (parameter 0) and Ratio (parameter 1).
#pragma once

#include "plugin/audioeffectx.h"

class Quillon : public AudioEffectX {
 public:
  explicit Quillon(audioMasterCallback audioMaster);
  ~Quillon() override;

  void processReplacing(float** inputs, float** outputs, PlugInt32 sampleFrames) override;
  void setParameter(PlugInt32 index, float value) override;
  float getParameter(PlugInt32 index) override;
  void getParameterLabel(PlugInt32 index, char* label) override;
  void getParameterDisplay(PlugInt32 index, char* text) override;
  void getParameterName(PlugInt32 index, char* text) override;

 protected:
  float threshold;
  float ratio;
};
