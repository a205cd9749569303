// The effect base class: owns the record the host holds, turns the record's
// function pointers into virtual calls, and offers the value-to-text helpers.
#pragma once

#include "plugin/aeffect.h"
#include "plugin/plugstring.h"

class AEffEditor;

/// Base of every effect: builds and owns the AEffect record the host holds, turns the
/// record's functions and the requests 0 to 24 into virtual calls, sends requests to the
/// host and turns values into text. An effect derives from it, usually through
/// AudioEffectX, and sets its channels, unique ID and flags in its constructor. The layer
/// deletes the effect on the host's effClose request.
class AudioEffect {
 public:
  /// Builds the record: numPrograms programs, numParams parameters, one input and two
  /// outputs, a placeholder unique ID, 44100 Hz, blocks of 1024, replacing processing.
  /// audioMaster may be null: requests to the host then answer what a host that knows
  /// nothing would.
  AudioEffect(audioMasterCallback audioMaster, PlugInt32 numPrograms, PlugInt32 numParams);
  /// Deletes the editor, if any.
  virtual ~AudioEffect();

  /// Serves the host's requests 0 to 24 and answers 0 to any other. A request that needs
  /// its pointer argument but comes with null is answered 0 and reaches no virtual function.
  virtual PlugIntPtr dispatcher(PlugInt32 opcode, PlugInt32 index, PlugIntPtr value, void* ptr,
                                float opt);

  /// effOpen: the host is about to use the record. Default: nothing.
  virtual void open() {}
  /// effClose: called just before the layer deletes the effect. Default: nothing.
  virtual void close() {}
  /// Audio off (effMainsChanged 0): no process call comes until resume. Default: nothing.
  virtual void suspend() {}
  /// Audio on (effMainsChanged non-zero): processing is about to start with the current
  /// sample rate and block size; the place to clear delay lines. Default: nothing.
  virtual void resume() {}

  /// effSetSampleRate, in Hz; sent with audio off. Default: records it.
  virtual void setSampleRate(float sampleRate) { this->sampleRate = sampleRate; }
  /// effSetBlockSize: the most frames one process call will bring; sent with audio off.
  /// Default: records it.
  virtual void setBlockSize(PlugInt32 blockSize) { this->blockSize = blockSize; }

  /// Processes sampleFrames frames (at most the block size): reads the numInputs buffers
  /// of inputs and overwrites the numOutputs buffers of outputs. A host may pass the same
  /// buffers for both, to process in place.
  virtual void processReplacing(float** inputs, float** outputs, PlugInt32 sampleFrames) = 0;
  /// processReplacing in 64-bit; a host calls it only when canDoubleReplacing was set.
  /// Default: nothing.
  virtual void processDoubleReplacing(double** /*inputs*/, double** /*outputs*/,
                                      PlugInt32 /*sampleFrames*/) {}

  /// Sets parameter index to value, normalized 0 to 1. The host calls it directly through
  /// the record, with the index unchecked. Default: nothing.
  virtual void setParameter(PlugInt32 /*index*/, float /*value*/) {}
  /// Answers parameter index's normalized value. Default: 0.
  virtual float getParameter(PlugInt32 /*index*/) { return 0.0f; }
  /// Sets a parameter on the user's behalf (from the editor): calls setParameter, then
  /// tells the host (audioMasterAutomate) so that it can record the change.
  virtual void setParameterAutomated(PlugInt32 index, float value);

  /// Answers the current program's number (effGetProgram).
  virtual PlugInt32 getProgram() { return curProgram; }
  /// Makes program current (effSetProgram). Default: records the number.
  /// No range check here: the dispatcher checks what a host sends.
  virtual void setProgram(PlugInt32 program) { curProgram = program; }
  /// Renames the current program; name has kPlugMaxProgNameLen characters at most.
  /// Default: ignores it.
  virtual void setProgramName(char* /*name*/) {}
  /// Writes the current program's name to name, kPlugMaxProgNameLen characters at most.
  /// Default: an empty name.
  virtual void getProgramName(char* name) { *name = 0; }

  /// Writes parameter index's unit ("dB", "%") to label, kPlugMaxParamStrLen characters
  /// at most. Default: empty.
  virtual void getParameterLabel(PlugInt32 /*index*/, char* label) { *label = 0; }
  /// Writes parameter index's value as text, kPlugMaxParamStrLen characters at most (see
  /// float2string and its kin). Default: empty.
  virtual void getParameterDisplay(PlugInt32 /*index*/, char* text) { *text = 0; }
  /// Writes parameter index's name, kPlugMaxParamStrLen characters at most. Default: empty.
  virtual void getParameterName(PlugInt32 /*index*/, char* text) { *text = 0; }

  /// Stores at *data the address of the effect's state as one block and answers its size
  /// in bytes: the current program's when isPreset, the whole bank's otherwise. The block
  /// stays the effect's and must stay valid until the next request. Used when
  /// programsAreChunks is set. Default: 0, no state.
  virtual PlugInt32 getChunk(void** /*data*/, bool /*isPreset*/ = false) { return 0; }
  /// Restores state from byteSize bytes at data that getChunk gave: the current program
  /// when isPreset, the bank otherwise. The answer goes back to the host. Default: 0.
  virtual PlugInt32 setChunk(void* /*data*/, PlugInt32 /*byteSize*/, bool /*isPreset*/ = false) {
    return 0;
  }

  /// Sets the record's unique ID, normally a plugFourCC code; for the constructor.
  virtual void setUniqueID(PlugInt32 iD) { cEffect.uniqueID = iD; }
  /// Sets the number of input channels; after construction, tell the host with ioChanged.
  virtual void setNumInputs(PlugInt32 inputs) { cEffect.numInputs = inputs; }
  /// Sets the number of output channels; after construction, tell the host with ioChanged.
  virtual void setNumOutputs(PlugInt32 outputs) { cEffect.numOutputs = outputs; }

  /// Raises or clears effFlagsCanReplacing; the constructor raises it.
  virtual void canProcessReplacing(bool state = true) { setFlag(effFlagsCanReplacing, state); }
  /// Raises or clears effFlagsCanDoubleReplacing; raise it only with a processDoubleReplacing.
  virtual void canDoubleReplacing(bool state = true) { setFlag(effFlagsCanDoubleReplacing, state); }
  /// Raises or clears effFlagsProgramChunks: the host then saves and restores state
  /// through getChunk and setChunk.
  virtual void programsAreChunks(bool state = true) { setFlag(effFlagsProgramChunks, state); }
  /// Sets the effect's latency, in samples, that the host may compensate.
  virtual void setInitialDelay(PlugInt32 delay) { cEffect.initialDelay = delay; }

  /// The editor, or null when the effect has none.
  virtual AEffEditor* getEditor() { return editor; }
  /// The record the host holds; it lives as long as the effect.
  virtual AEffect* getAeffect() { return &cEffect; }
  /// The sample rate in Hz: 44100 until the host sets one.
  virtual float getSampleRate() { return sampleRate; }
  /// The most frames one process call brings: 1024 until the host sets it.
  virtual PlugInt32 getBlockSize() { return blockSize; }

  /// Asks the host its interface version; 1 without a host or when the host answers 0.
  virtual PlugInt32 getMasterVersion();
  /// Asks the host the unique ID of the plug-in it is loading; 0 without a host.
  virtual PlugInt32 getCurrentUniqueId();
  /// Gives the host idle time (audioMasterIdle); nothing without a host.
  virtual void masterIdle();
  /// Asks the host whether input is connected, with an obsolete request; true without a
  /// host or when the host answers 0.
  virtual bool isInputConnected(PlugInt32 input);
  /// Asks the host whether output is connected, with an obsolete request; true without a
  /// host or when the host answers 0.
  virtual bool isOutputConnected(PlugInt32 output);

  /// Writes a linear gain in decibels, 20 log10(value), through float2string; "-oo" for 0
  /// and below. text needs maxLen + 1 bytes.
  virtual void dB2string(float value, char* text, PlugInt32 maxLen);
  /// Writes in Hz the frequency whose period is samples long at the current sample rate,
  /// through float2string; 0 for 0. text needs maxLen + 1 bytes.
  virtual void Hz2string(float samples, char* text, PlugInt32 maxLen);
  /// Writes samples as milliseconds at the current sample rate, through float2string.
  /// text needs maxLen + 1 bytes.
  virtual void ms2string(float samples, char* text, PlugInt32 maxLen);
  /// Writes value as fixed-point text ("%f") cut to maxLen characters, or one fewer when
  /// the whole part is exactly maxLen long (12345678.5 at 8 gives "1234567"); in exponent
  /// form with a cut mantissa when the whole part is longer; "***" ("*" below 3) when not
  /// even the exponent fits; "inf", "-inf" or "NaN" for those values. text needs
  /// maxLen + 1 bytes; a maxLen of 0 writes an empty text and a negative one nothing.
  virtual void float2string(float value, char* text, PlugInt32 maxLen);
  /// Writes value in decimal digits, cut to maxLen characters: "Huge!" above 99999999,
  /// "-Huge!" below -999999999, and an empty text for 0. text needs maxLen + 1 bytes.
  virtual void int2string(PlugInt32 value, char* text, PlugInt32 maxLen);

  /// Obsolete accumulating process, reached through AEffect::process: adds to the
  /// outputs. Default: nothing.
  virtual void __processDeprecated(float** /*inputs*/, float** /*outputs*/,
                                   PlugInt32 /*sampleFrames*/) {}
  /// Obsolete level report; no request reaches it. Default: 0.
  virtual float __getVuDeprecated() { return 0.0f; }
  /// Raises or clears the obsolete effFlagsHasVu.
  virtual void __hasVuDeprecated(bool state = true) { setFlag(effFlagsHasVu, state); }
  /// Raises or clears the obsolete effFlagsHasClip.
  virtual void __hasClipDeprecated(bool state = true) { setFlag(effFlagsHasClip, state); }
  /// Raises or clears the obsolete effFlagsCanMono.
  virtual void __canMonoDeprecated(bool state = true) { setFlag(effFlagsCanMono, state); }
  /// Sets the obsolete AEffect::realQualities.
  virtual void __setRealtimeQualitiesDeprecated(PlugInt32 qualities) {
    cEffect.realQualities = qualities;
  }
  /// Sets the obsolete AEffect::offQualities.
  virtual void __setOfflineQualitiesDeprecated(PlugInt32 qualities) {
    cEffect.offQualities = qualities;
  }

  /// Records the editor (owned from now on) and raises or clears the
  /// has-editor flag to match.
  void setEditor(AEffEditor* editor);

  // The record's trampolines: each recovers the object from the record.

  /// AEffect::dispatcher: calls dispatcher, and on effClose then deletes the effect and
  /// answers 1.
  static PlugIntPtr dispatchEffectClass(AEffect* e, PlugInt32 opcode, PlugInt32 index,
                                        PlugIntPtr value, void* ptr, float opt);
  /// AEffect::getParameter: calls getParameter.
  static float getParameterClass(AEffect* e, PlugInt32 index);
  /// AEffect::setParameter: calls setParameter.
  static void setParameterClass(AEffect* e, PlugInt32 index, float value);
  /// AEffect::process: calls __processDeprecated.
  static void __processClassDeprecated(AEffect* e, float** inputs, float** outputs,
                                       PlugInt32 sampleFrames);
  /// AEffect::processReplacing: calls processReplacing.
  static void processClassReplacing(AEffect* e, float** inputs, float** outputs,
                                    PlugInt32 sampleFrames);
  /// AEffect::processDoubleReplacing: calls processDoubleReplacing.
  static void processClassDoubleReplacing(AEffect* e, double** inputs, double** outputs,
                                          PlugInt32 sampleFrames);

 protected:
  /// Raises (state true) or clears the mask bits of AEffect::flags.
  void setFlag(PlugInt32 mask, bool state) {
    if (state)
      cEffect.flags |= mask;
    else
      cEffect.flags &= ~mask;
  }
  /// Sends one request to the host and answers the host's answer. Without a host
  /// (audioMaster null) nothing is sent and the answer is 0, what a host that knows nothing
  /// answers: every request reads that 0 as it would read the host's, so no caller needs a
  /// guard of its own.
  PlugIntPtr callHost(PlugInt32 opcode, PlugInt32 index = 0, PlugIntPtr value = 0,
                      void* ptr = nullptr, float opt = 0.0f) {
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
  }

  /// The host's callback; null for an effect built without a host.
  audioMasterCallback audioMaster;
  /// The editor, owned and deleted with the effect; null when there is none.
  AEffEditor* editor;
  /// Sample rate in Hz.
  float sampleRate;
  /// The most frames one process call brings.
  PlugInt32 blockSize;
  /// Number of programs; the dispatcher checks effSetProgram against it.
  PlugInt32 numPrograms;
  /// Number of parameters.
  PlugInt32 numParams;
  /// The current program's number.
  PlugInt32 curProgram;
  /// The record the host holds; its object field points back at this effect.
  AEffect cEffect;

 private:
  AudioEffect(const AudioEffect&) = delete;
  AudioEffect& operator=(const AudioEffect&) = delete;
};
