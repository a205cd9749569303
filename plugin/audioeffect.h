// The effect base class: owns the record the host holds, turns the record's
// function pointers into virtual calls, and offers the value-to-text helpers.
#pragma once

#include "plugin/aeffect.h"
#include "plugin/plugstring.h"

class AEffEditor;

class AudioEffect {
 public:
  AudioEffect(audioMasterCallback audioMaster, PlugInt32 numPrograms, PlugInt32 numParams);
  virtual ~AudioEffect();

  virtual PlugIntPtr dispatcher(PlugInt32 opcode, PlugInt32 index, PlugIntPtr value, void* ptr,
                                float opt);

  virtual void open() {}
  virtual void close() {}
  virtual void suspend() {}
  virtual void resume() {}

  virtual void setSampleRate(float sampleRate) { this->sampleRate = sampleRate; }
  virtual void setBlockSize(PlugInt32 blockSize) { this->blockSize = blockSize; }

  virtual void processReplacing(float** inputs, float** outputs, PlugInt32 sampleFrames) = 0;
  virtual void processDoubleReplacing(double** /*inputs*/, double** /*outputs*/,
                                      PlugInt32 /*sampleFrames*/) {}

  virtual void setParameter(PlugInt32 /*index*/, float /*value*/) {}
  virtual float getParameter(PlugInt32 /*index*/) { return 0.0f; }
  virtual void setParameterAutomated(PlugInt32 index, float value);

  virtual PlugInt32 getProgram() { return curProgram; }
  // No range check here: the dispatcher checks what a host sends.
  virtual void setProgram(PlugInt32 program) { curProgram = program; }
  virtual void setProgramName(char* /*name*/) {}
  virtual void getProgramName(char* name) { *name = 0; }

  virtual void getParameterLabel(PlugInt32 /*index*/, char* label) { *label = 0; }
  virtual void getParameterDisplay(PlugInt32 /*index*/, char* text) { *text = 0; }
  virtual void getParameterName(PlugInt32 /*index*/, char* text) { *text = 0; }

  virtual PlugInt32 getChunk(void** /*data*/, bool /*isPreset*/ = false) { return 0; }
  virtual PlugInt32 setChunk(void* /*data*/, PlugInt32 /*byteSize*/, bool /*isPreset*/ = false) {
    return 0;
  }

  virtual void setUniqueID(PlugInt32 iD) { cEffect.uniqueID = iD; }
  virtual void setNumInputs(PlugInt32 inputs) { cEffect.numInputs = inputs; }
  virtual void setNumOutputs(PlugInt32 outputs) { cEffect.numOutputs = outputs; }

  virtual void canProcessReplacing(bool state = true) { setFlag(effFlagsCanReplacing, state); }
  virtual void canDoubleReplacing(bool state = true) { setFlag(effFlagsCanDoubleReplacing, state); }
  virtual void programsAreChunks(bool state = true) { setFlag(effFlagsProgramChunks, state); }
  virtual void setInitialDelay(PlugInt32 delay) { cEffect.initialDelay = delay; }

  virtual AEffEditor* getEditor() { return editor; }
  virtual AEffect* getAeffect() { return &cEffect; }
  virtual float getSampleRate() { return sampleRate; }
  virtual PlugInt32 getBlockSize() { return blockSize; }

  virtual PlugInt32 getMasterVersion();
  virtual PlugInt32 getCurrentUniqueId();
  virtual void masterIdle();
  virtual bool isInputConnected(PlugInt32 input);
  virtual bool isOutputConnected(PlugInt32 output);

  virtual void dB2string(float value, char* text, PlugInt32 maxLen);
  virtual void Hz2string(float samples, char* text, PlugInt32 maxLen);
  virtual void ms2string(float samples, char* text, PlugInt32 maxLen);
  virtual void float2string(float value, char* text, PlugInt32 maxLen);
  virtual void int2string(PlugInt32 value, char* text, PlugInt32 maxLen);

  virtual void __processDeprecated(float** /*inputs*/, float** /*outputs*/,
                                   PlugInt32 /*sampleFrames*/) {}
  virtual float __getVuDeprecated() { return 0.0f; }
  virtual void __hasVuDeprecated(bool state = true) { setFlag(effFlagsHasVu, state); }
  virtual void __hasClipDeprecated(bool state = true) { setFlag(effFlagsHasClip, state); }
  virtual void __canMonoDeprecated(bool state = true) { setFlag(effFlagsCanMono, state); }
  virtual void __setRealtimeQualitiesDeprecated(PlugInt32 qualities) {
    cEffect.realQualities = qualities;
  }
  virtual void __setOfflineQualitiesDeprecated(PlugInt32 qualities) {
    cEffect.offQualities = qualities;
  }

  // Records the editor (owned from now on) and raises or clears the
  // has-editor flag to match.
  void setEditor(AEffEditor* editor);

  // The record's trampolines: each recovers the object from the record.
  static PlugIntPtr dispatchEffectClass(AEffect* e, PlugInt32 opcode, PlugInt32 index,
                                        PlugIntPtr value, void* ptr, float opt);
  static float getParameterClass(AEffect* e, PlugInt32 index);
  static void setParameterClass(AEffect* e, PlugInt32 index, float value);
  static void __processClassDeprecated(AEffect* e, float** inputs, float** outputs,
                                       PlugInt32 sampleFrames);
  static void processClassReplacing(AEffect* e, float** inputs, float** outputs,
                                    PlugInt32 sampleFrames);
  static void processClassDoubleReplacing(AEffect* e, double** inputs, double** outputs,
                                          PlugInt32 sampleFrames);

 protected:
  void setFlag(PlugInt32 mask, bool state) {
    if (state)
      cEffect.flags |= mask;
    else
      cEffect.flags &= ~mask;
  }
  // Sends one request to the host; the caller has checked audioMaster.
  PlugIntPtr callHost(PlugInt32 opcode, PlugInt32 index = 0, PlugIntPtr value = 0,
                      void* ptr = nullptr, float opt = 0.0f) {
    return audioMaster(&cEffect, opcode, index, value, ptr, opt);
  }

  audioMasterCallback audioMaster;
  AEffEditor* editor;
  float sampleRate;
  PlugInt32 blockSize;
  PlugInt32 numPrograms;
  PlugInt32 numParams;
  PlugInt32 curProgram;
  AEffect cEffect;

 private:
  AudioEffect(const AudioEffect&) = delete;
  AudioEffect& operator=(const AudioEffect&) = delete;
};
