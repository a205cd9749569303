// The extended effect base class: the second level of the dispatcher, the
// requests an effect sends to its host, and speaker arrangement helpers.
#pragma once

#include "plugin/audioeffect.h"
#include "plugin/plugstructs.h"

// Capability strings an effect may answer to (canDo).
extern const char* const PlugCanDos[];
extern const int kNumPlugCanDos;
// Capability strings an effect may ask the host about (canHostDo).
extern const char* const HostCanDos[];
extern const int kNumHostCanDos;

class AudioEffectX : public AudioEffect {
 public:
  AudioEffectX(audioMasterCallback audioMaster, PlugInt32 numPrograms, PlugInt32 numParams);

  PlugIntPtr dispatcher(PlugInt32 opcode, PlugInt32 index, PlugIntPtr value, void* ptr,
                        float opt) override;
  void resume() override;

  virtual bool canParameterBeAutomated(PlugInt32 /*index*/) { return true; }
  virtual bool string2parameter(PlugInt32 /*index*/, char* /*text*/) { return false; }
  virtual bool getParameterProperties(PlugInt32 /*index*/, PlugParameterProperties* /*p*/) {
    return false;
  }
  virtual bool beginEdit(PlugInt32 index);
  virtual bool endEdit(PlugInt32 index);
  virtual bool getProgramNameIndexed(PlugInt32 /*category*/, PlugInt32 /*index*/, char* /*text*/) {
    return false;
  }
  virtual bool beginSetProgram() { return false; }
  virtual bool endSetProgram() { return false; }
  virtual PlugInt32 beginLoadBank(PlugPatchChunkInfo* /*ptr*/) { return 0; }
  virtual PlugInt32 beginLoadProgram(PlugPatchChunkInfo* /*ptr*/) { return 0; }

  virtual bool ioChanged();
  virtual float updateSampleRate();
  virtual PlugInt32 updateBlockSize();
  virtual PlugInt32 getInputLatency();
  virtual PlugInt32 getOutputLatency();
  virtual bool getInputProperties(PlugInt32 /*index*/, PlugPinProperties* /*properties*/) {
    return false;
  }
  virtual bool getOutputProperties(PlugInt32 /*index*/, PlugPinProperties* /*properties*/) {
    return false;
  }
  virtual bool setSpeakerArrangement(PlugSpeakerArrangement* /*pluginInput*/,
                                     PlugSpeakerArrangement* /*pluginOutput*/) {
    return false;
  }
  virtual bool getSpeakerArrangement(PlugSpeakerArrangement** pluginInput,
                                     PlugSpeakerArrangement** pluginOutput);
  virtual bool setBypass(bool /*onOff*/) { return false; }
  virtual bool setPanLaw(PlugInt32 /*type*/, float /*val*/) { return false; }
  virtual bool setProcessPrecision(PlugInt32 /*precision*/) { return false; }
  virtual PlugInt32 getNumMidiInputChannels() { return 0; }
  virtual PlugInt32 getNumMidiOutputChannels() { return 0; }
  virtual PlugTimeInfo* getTimeInfo(PlugInt32 filter);
  virtual PlugInt32 getCurrentProcessLevel();
  virtual PlugInt32 getAutomationState();
  virtual PlugInt32 processEvents(PlugEvents* /*events*/) { return 0; }
  virtual PlugInt32 startProcess() { return 0; }
  virtual PlugInt32 stopProcess() { return 0; }
  virtual bool processVariableIo(PlugVariableIo* /*varIo*/) { return false; }
  virtual PlugInt32 setTotalSampleToProcess(PlugInt32 value) { return value; }

  virtual bool getHostVendorString(char* text);
  virtual bool getHostProductString(char* text);
  virtual PlugInt32 getHostVendorVersion();
  virtual PlugIntPtr hostVendorSpecific(PlugInt32 lArg1, PlugIntPtr lArg2, void* ptrArg,
                                        float floatArg);
  virtual PlugInt32 canHostDo(char* text);
  virtual PlugInt32 getHostLanguage();

  virtual void isSynth(bool state = true) { setFlag(effFlagsIsSynth, state); }
  virtual void noTail(bool state = true) { setFlag(effFlagsNoSoundInStop, state); }
  virtual PlugInt32 getGetTailSize() { return 0; }
  virtual void* getDirectory();
  virtual bool getEffectName(char* /*name*/) { return false; }
  virtual bool getVendorString(char* /*text*/) { return false; }
  virtual bool getProductString(char* /*text*/) { return false; }
  virtual PlugInt32 getVendorVersion() { return 0; }
  virtual PlugIntPtr vendorSpecific(PlugInt32 /*lArg*/, PlugIntPtr /*lArg2*/, void* /*ptrArg*/,
                                    float /*floatArg*/) {
    return 0;
  }
  virtual PlugInt32 canDo(char* /*text*/) { return 0; }
  virtual PlugInt32 getInterfaceVersion() { return 2400; }
  virtual PlugInt32 getPlugCategory() { return (cEffect.flags & effFlagsIsSynth) ? 2 : 0; }

  virtual PlugInt32 getMidiProgramName(PlugInt32 /*channel*/, MidiProgramName* /*name*/) {
    return 0;
  }
  virtual PlugInt32 getCurrentMidiProgram(PlugInt32 /*channel*/, MidiProgramName* /*current*/) {
    return -1;
  }
  virtual PlugInt32 getMidiProgramCategory(PlugInt32 /*channel*/,
                                           MidiProgramCategory* /*category*/) {
    return 0;
  }
  virtual bool hasMidiProgramsChanged(PlugInt32 /*channel*/) { return false; }
  virtual bool getMidiKeyName(PlugInt32 /*channel*/, MidiKeyName* /*keyName*/) { return false; }

  virtual bool updateDisplay();
  virtual bool sizeWindow(PlugInt32 width, PlugInt32 height);
  virtual bool openFileSelector(PlugFileSelect* select);
  virtual bool closeFileSelector(PlugFileSelect* select);
  virtual PlugInt32 getNextShellPlugin(char* /*name*/) { return 0; }

  virtual bool allocateArrangement(PlugSpeakerArrangement** arrangement, PlugInt32 nbChannels);
  virtual bool deallocateArrangement(PlugSpeakerArrangement** arrangement);
  virtual bool copySpeaker(PlugSpeakerProperties* to, PlugSpeakerProperties* from);
  virtual bool matchArrangement(PlugSpeakerArrangement** to, PlugSpeakerArrangement* from);

  virtual bool offlineRead(PlugOfflineTask* offline, PlugInt32 option, bool readSource = true);
  virtual bool offlineWrite(PlugOfflineTask* offline, PlugInt32 option);
  virtual bool offlineStart(PlugAudioFile* ptr, PlugInt32 numAudioFiles,
                            PlugInt32 numNewAudioFiles);
  virtual PlugInt32 offlineGetCurrentPass();
  virtual PlugInt32 offlineGetCurrentMetaPass();
  virtual bool offlineNotify(PlugAudioFile* /*ptr*/, PlugInt32 /*numAudioFiles*/, bool /*start*/) {
    return false;
  }
  virtual bool offlinePrepare(PlugOfflineTask* /*offline*/, PlugInt32 /*count*/) { return false; }
  virtual bool offlineRun(PlugOfflineTask* /*offline*/, PlugInt32 /*count*/) { return false; }
  virtual PlugInt32 offlineGetNumPasses() { return 0; }
  virtual PlugInt32 offlineGetNumMetaPasses() { return 0; }

  virtual void __wantEventsDeprecated(PlugInt32 filter = 1);
  virtual PlugInt32 __tempoAtDeprecated(PlugInt32 pos);
  virtual PlugInt32 __getNumAutomatableParametersDeprecated();
  virtual PlugInt32 __getParameterQuantizationDeprecated();
  virtual PlugInt32 __getNumCategoriesDeprecated() { return 1; }
  virtual bool __copyProgramDeprecated(PlugInt32 /*destination*/) { return false; }
  virtual bool __needIdleDeprecated();
  virtual AEffect* __getPreviousPlugDeprecated(PlugInt32 input);
  virtual AEffect* __getNextPlugDeprecated(PlugInt32 output);
  virtual void __inputConnectedDeprecated(PlugInt32 /*index*/, bool /*state*/) {}
  virtual void __outputConnectedDeprecated(PlugInt32 /*index*/, bool /*state*/) {}
  virtual PlugInt32 __willProcessReplacingDeprecated();
  virtual void __wantAsyncOperationDeprecated(bool state = true) {
    setFlag(effFlagsExtIsAsync, state);
  }
  virtual void __hasExternalBufferDeprecated(bool state = true) {
    setFlag(effFlagsExtHasBuffer, state);
  }
  virtual PlugInt32 __reportCurrentPositionDeprecated() { return 0; }
  virtual float* __reportDestinationBufferDeprecated() { return nullptr; }
  virtual void __setOutputSamplerateDeprecated(float samplerate);
  virtual PlugSpeakerArrangement* __getInputSpeakerArrangementDeprecated();
  virtual PlugSpeakerArrangement* __getOutputSpeakerArrangementDeprecated();
  virtual void* __openWindowDeprecated(void* window);
  virtual bool __closeWindowDeprecated(void* window);
  virtual void __setBlockSizeAndSampleRateDeprecated(PlugInt32 blockSize, float sampleRate) {
    this->blockSize = blockSize;
    this->sampleRate = sampleRate;
  }
  virtual bool __getErrorTextDeprecated(char* /*text*/) { return false; }
  virtual void* __getIconDeprecated() { return nullptr; }
  virtual bool __setViewPositionDeprecated(PlugInt32 /*x*/, PlugInt32 /*y*/) { return false; }
  virtual PlugInt32 __fxIdleDeprecated() { return 0; }
  virtual bool __keysRequiredDeprecated() { return false; }
  virtual bool __getChunkFileDeprecated(void* nativePath);

  // Hands events to the host; true only when the host answers exactly 1.
  bool sendEventsToHost(PlugEvents* events);
};
