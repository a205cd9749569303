/// @file
/// The extended effect base class: the second level of the dispatcher, the
/// requests an effect sends to its host, and speaker arrangement helpers.
#pragma once

#include "plugin/audioeffect.h"
#include "plugin/plugstructs.h"

/// Capability strings an effect may answer to (canDo).
extern const char* const PlugCanDos[];
/// Number of strings in PlugCanDos.
extern const int kNumPlugCanDos;
/// Capability strings an effect may ask the host about (canHostDo).
extern const char* const HostCanDos[];
/// Number of strings in HostCanDos.
extern const int kNumHostCanDos;

/// The effect base class effects derive from: to AudioEffect it adds the requests 25 to
/// 79, the requests an effect sends its host, and helpers for speaker arrangements.
/// Requests to the host answer what a host that knows nothing would when the effect has
/// no host.
class AudioEffectX : public AudioEffect {
 public:
  /// As AudioEffect's constructor.
  AudioEffectX(audioMasterCallback audioMaster, PlugInt32 numPrograms, PlugInt32 numParams);

  /// Serves the host's requests 25 to 79 and hands the others to AudioEffect::dispatcher.
  /// A request whose pointer argument is null (for the arrangement requests, either
  /// address) is answered 0 and reaches no virtual function; vendor-specific requests
  /// pass as they come. Yes-or-no answers are 1 or 0.
  PlugIntPtr dispatcher(PlugInt32 opcode, PlugInt32 index, PlugIntPtr value, void* ptr,
                        float opt) override;
  /// Asks the host for events (the obsolete audioMasterWantMidiDeprecated) when the effect
  /// is an instrument or answers canDo("receivePlugMidiEvent") with 1. An override that
  /// wants events calls it.
  void resume() override;

  /// effCanBeAutomated: whether the host may automate parameter index. Default: true.
  virtual bool canParameterBeAutomated(PlugInt32 /*index*/) { return true; }
  /// effString2Parameter: sets parameter index from the text the user typed; false when
  /// the text means nothing. Default: false.
  virtual bool string2parameter(PlugInt32 /*index*/, char* /*text*/) { return false; }
  /// effGetParameterProperties: fills p for parameter index; false when the effect has
  /// none to give. Default: false.
  virtual bool getParameterProperties(PlugInt32 /*index*/, PlugParameterProperties* /*p*/) {
    return false;
  }
  /// Tells the host that the user took hold of parameter index: the setParameterAutomated
  /// calls up to endEdit are one gesture. False without a host or when it answers 0.
  virtual bool beginEdit(PlugInt32 index);
  /// Tells the host that the user let go of parameter index. False without a host or when
  /// it answers 0.
  virtual bool endEdit(PlugInt32 index);
  /// effGetProgramNameIndexed: writes the name of program index in category (-1: any) to
  /// text, kPlugMaxProgNameLen characters at most, without making it current; false when
  /// there is none. Default: false.
  virtual bool getProgramNameIndexed(PlugInt32 /*category*/, PlugInt32 /*index*/, char* /*text*/) {
    return false;
  }
  /// effBeginSetProgram: a program change follows; true when the effect took note.
  /// Default: false.
  virtual bool beginSetProgram() { return false; }
  /// effEndSetProgram: the program change is done; true when the effect took note.
  /// Default: false.
  virtual bool endSetProgram() { return false; }
  /// effBeginLoadBank: a bank that ptr describes is about to be restored; 1 accepts it,
  /// -1 refuses it. Default: 0, no check.
  virtual PlugInt32 beginLoadBank(PlugPatchChunkInfo* /*ptr*/) { return 0; }
  /// effBeginLoadProgram: as beginLoadBank, for a single program.
  virtual PlugInt32 beginLoadProgram(PlugPatchChunkInfo* /*ptr*/) { return 0; }

  /// Tells the host that the channel counts or the initial delay changed; true when the
  /// host took the new values.
  virtual bool ioChanged();
  /// Asks the host its sample rate and records a positive answer; answers the sample rate
  /// in use afterwards.
  virtual float updateSampleRate();
  /// Asks the host its block size and records an answer from 1 to INT32_MAX; answers the
  /// block size in use afterwards.
  virtual PlugInt32 updateBlockSize();
  /// Asks the host the latency of its audio input, in samples; 0 without a host.
  virtual PlugInt32 getInputLatency();
  /// Asks the host the latency of its audio output, in samples; 0 without a host.
  virtual PlugInt32 getOutputLatency();
  /// effGetInputProperties: fills properties for input index; false when the effect has
  /// none to give. Default: false.
  virtual bool getInputProperties(PlugInt32 /*index*/, PlugPinProperties* /*properties*/) {
    return false;
  }
  /// effGetOutputProperties: fills properties for output index; false when the effect has
  /// none to give. Default: false.
  virtual bool getOutputProperties(PlugInt32 /*index*/, PlugPinProperties* /*properties*/) {
    return false;
  }
  /// effSetSpeakerArrangement: the host proposes arrangements for the inputs and the
  /// outputs, which stay the host's; true to accept them. Default: false.
  virtual bool setSpeakerArrangement(PlugSpeakerArrangement* /*pluginInput*/,
                                     PlugSpeakerArrangement* /*pluginOutput*/) {
    return false;
  }
  /// effGetSpeakerArrangement: stores the addresses of the effect's own input and output
  /// arrangements, which stay the effect's; true when it has them. Default: stores null
  /// in both and answers false.
  virtual bool getSpeakerArrangement(PlugSpeakerArrangement** pluginInput,
                                     PlugSpeakerArrangement** pluginOutput);
  /// effSetBypass: switches the effect's own bypass on or off; true when the effect
  /// bypasses itself, false to leave it to the host. Default: false.
  virtual bool setBypass(bool /*onOff*/) { return false; }
  /// effSetPanLaw: the pan law's type and gain; true when used. Default: false.
  virtual bool setPanLaw(PlugInt32 /*type*/, float /*val*/) { return false; }
  /// effSetProcessPrecision: 0 for 32-bit, 1 for 64-bit processing from now on; true when
  /// accepted. Default: false.
  virtual bool setProcessPrecision(PlugInt32 /*precision*/) { return false; }
  /// effGetNumMidiInputChannels: how many MIDI channels the effect takes in. Default: 0.
  virtual PlugInt32 getNumMidiInputChannels() { return 0; }
  /// effGetNumMidiOutputChannels: how many MIDI channels the effect sends out. Default: 0.
  virtual PlugInt32 getNumMidiOutputChannels() { return 0; }
  /// Asks the host for its transport and tempo; filter says which fields are wanted. The
  /// record stays the host's; null without a host or when the host has none.
  virtual PlugTimeInfo* getTimeInfo(PlugInt32 filter);
  /// Asks the host in what context the effect is being called (1 from the user interface,
  /// 4 offline, and so on); 0 without a host or when the host cannot tell.
  virtual PlugInt32 getCurrentProcessLevel();
  /// Asks the host whether it is reading or writing automation; 0 without a host or when
  /// the host cannot tell.
  virtual PlugInt32 getAutomationState();
  /// effProcessEvents: events for the coming processing. The record stays the host's:
  /// keep what is needed, not the pointer. The answer goes back to the host. Default: 0.
  virtual PlugInt32 processEvents(PlugEvents* /*events*/) { return 0; }
  /// effStartProcess: the host starts calling process, after resume. Default: 0.
  virtual PlugInt32 startProcess() { return 0; }
  /// effStopProcess: the host stops calling process, before suspend. Default: 0.
  virtual PlugInt32 stopProcess() { return 0; }
  /// effProcessVarIo: processes as varIo describes, with input and output lengths of
  /// their own; true when done. Default: false.
  virtual bool processVariableIo(PlugVariableIo* /*varIo*/) { return false; }
  /// effSetTotalSampleToProcess: offline, the host is about to process value samples;
  /// answers how many the effect will. Default: value.
  virtual PlugInt32 setTotalSampleToProcess(PlugInt32 value) { return value; }

  /// Asks the host for its vendor's name, written to text, kPlugMaxVendorStrLen characters
  /// at most; false without a host or when the host answers 0.
  virtual bool getHostVendorString(char* text);
  /// Asks the host for its product name, written to text, kPlugMaxProductStrLen characters
  /// at most; false without a host or when the host answers 0.
  virtual bool getHostProductString(char* text);
  /// Asks the host for its version number, as its vendor counts; 0 without a host.
  virtual PlugInt32 getHostVendorVersion();
  /// Sends the host a request of its vendor's own, the arguments as index, value, ptr and
  /// opt; answers the host's answer, 0 without a host.
  virtual PlugIntPtr hostVendorSpecific(PlugInt32 lArg1, PlugIntPtr lArg2, void* ptrArg,
                                        float floatArg);
  /// Asks whether the host can do what text names (see HostCanDos): 1 when the host
  /// answers non-zero, 0 without a host or when it answers 0.
  virtual PlugInt32 canHostDo(char* text);
  /// Asks the host for the language of its user interface, as a number; 0 without a host.
  virtual PlugInt32 getHostLanguage();

  /// Raises or clears effFlagsIsSynth: an instrument, reported as category 2, that asks
  /// for events on resume.
  virtual void isSynth(bool state = true) { setFlag(effFlagsIsSynth, state); }
  /// Raises or clears effFlagsNoSoundInStop: silence in gives silence out.
  virtual void noTail(bool state = true) { setFlag(effFlagsNoSoundInStop, state); }
  /// effGetTailSize: for how many samples the effect goes on sounding once its input is
  /// silent. Default: 0.
  virtual PlugInt32 getGetTailSize() { return 0; }
  /// Asks the host for the folder the plug-in was loaded from: the address of a native path
  /// that the host keeps; null without a host.
  virtual void* getDirectory();
  /// effGetEffectName: writes the effect's name, kPlugMaxEffectNameLen characters at most;
  /// false when it has none. Default: false.
  virtual bool getEffectName(char* /*name*/) { return false; }
  /// effGetVendorString: writes the vendor's name, kPlugMaxVendorStrLen characters at
  /// most; false when there is none. Default: false.
  virtual bool getVendorString(char* /*text*/) { return false; }
  /// effGetProductString: writes the product's name, kPlugMaxProductStrLen characters at
  /// most; false when there is none. Default: false.
  virtual bool getProductString(char* /*text*/) { return false; }
  /// effGetVendorVersion: the vendor's own version number of the effect. Default: 0.
  virtual PlugInt32 getVendorVersion() { return 0; }
  /// effVendorSpecific: a request of the vendor's own, arguments as the host sent them;
  /// ptrArg may be null. The answer goes back to the host. Default: 0.
  virtual PlugIntPtr vendorSpecific(PlugInt32 /*lArg*/, PlugIntPtr /*lArg2*/, void* /*ptrArg*/,
                                    float /*floatArg*/) {
    return 0;
  }
  /// effCanDo: whether the effect can do what text names (see PlugCanDos): 1 yes, -1 no,
  /// 0 don't know. Default: 0.
  virtual PlugInt32 canDo(char* /*text*/) { return 0; }
  /// effGetInterfaceVersion: the interface version the effect was built for, 2400.
  virtual PlugInt32 getInterfaceVersion() { return 2400; }
  /// effGetPlugCategory: 2 (instrument) when effFlagsIsSynth is set, otherwise 0
  /// (unknown); an effect of another kind overrides it.
  virtual PlugInt32 getPlugCategory() { return (cEffect.flags & effFlagsIsSynth) ? 2 : 0; }

  /// effGetMidiProgramName: fills name for MIDI channel; answers the number of MIDI
  /// programs. Default: 0, none.
  virtual PlugInt32 getMidiProgramName(PlugInt32 /*channel*/, MidiProgramName* /*name*/) {
    return 0;
  }
  /// effGetCurrentMidiProgram: fills current with channel's current MIDI program; answers
  /// its number. Default: -1, none.
  virtual PlugInt32 getCurrentMidiProgram(PlugInt32 /*channel*/, MidiProgramName* /*current*/) {
    return -1;
  }
  /// effGetMidiProgramCategory: fills category for channel; answers the number of
  /// categories. Default: 0, none.
  virtual PlugInt32 getMidiProgramCategory(PlugInt32 /*channel*/,
                                           MidiProgramCategory* /*category*/) {
    return 0;
  }
  /// effHasMidiProgramsChanged: whether channel's MIDI programs changed since the host
  /// read them. Default: false.
  virtual bool hasMidiProgramsChanged(PlugInt32 /*channel*/) { return false; }
  /// effGetMidiKeyName: fills keyName for channel; true when the key has a name.
  /// Default: false.
  virtual bool getMidiKeyName(PlugInt32 /*channel*/, MidiKeyName* /*keyName*/) { return false; }

  /// Tells the host that something it shows of the effect changed (names, programs,
  /// parameter texts); false without a host or when it answers 0.
  virtual bool updateDisplay();
  /// Asks the host to make the editor's window width by height pixels; true when it did.
  virtual bool sizeWindow(PlugInt32 width, PlugInt32 height);
  /// Asks the host to show the file selector that select describes; true when it did.
  virtual bool openFileSelector(PlugFileSelect* select);
  /// Lets the host release what it stored in select; true when it did.
  virtual bool closeFileSelector(PlugFileSelect* select);
  /// effShellGetNextPlugin: for a shell of several plug-ins, writes the next one's name
  /// and answers its unique ID. Default: 0, none left.
  virtual PlugInt32 getNextShellPlugin(char* /*name*/) { return 0; }

  /// Frees *arrangement and makes it a zeroed arrangement of nbChannels speakers, to be
  /// freed with deallocateArrangement; true when done. A negative count answers false and
  /// changes nothing; a size beyond the address space throws std::bad_array_new_length.
  virtual bool allocateArrangement(PlugSpeakerArrangement** arrangement, PlugInt32 nbChannels);
  /// Frees an arrangement made by allocateArrangement, if any, and sets *arrangement to
  /// null. Answers true.
  virtual bool deallocateArrangement(PlugSpeakerArrangement** arrangement);
  /// Copies every field of from into to, the name cut to 63 characters; false when either
  /// is null.
  virtual bool copySpeaker(PlugSpeakerProperties* to, PlugSpeakerProperties* from);
  /// Makes *to a copy of from, allocated as by allocateArrangement: its type and every
  /// speaker. True when done, also when *to is from already; false when from is null.
  virtual bool matchArrangement(PlugSpeakerArrangement** to, PlugSpeakerArrangement* from);

  /// Asks the host to read audio for the offline task, from the source file when
  /// readSource; option goes as the request's value. False without a host or when it
  /// answers 0.
  virtual bool offlineRead(PlugOfflineTask* offline, PlugInt32 option, bool readSource = true);
  /// Asks the host to write audio for the offline task; option goes as the request's
  /// value. False without a host or when it answers 0.
  virtual bool offlineWrite(PlugOfflineTask* offline, PlugInt32 option);
  /// Asks the host to start offline processing of the numAudioFiles files at ptr,
  /// numNewAudioFiles of them new. False without a host or when it answers 0.
  virtual bool offlineStart(PlugAudioFile* ptr, PlugInt32 numAudioFiles,
                            PlugInt32 numNewAudioFiles);
  /// Asks the host which offline pass is running: 1 when it answers non-zero, otherwise 0.
  virtual PlugInt32 offlineGetCurrentPass();
  /// Asks the host which offline meta-pass is running: 1 when it answers non-zero,
  /// otherwise 0.
  virtual PlugInt32 offlineGetCurrentMetaPass();
  /// effOfflineNotify: the host announces the numAudioFiles files at ptr, start true as
  /// an offline session begins; true when the effect takes part. Default: false.
  virtual bool offlineNotify(PlugAudioFile* /*ptr*/, PlugInt32 /*numAudioFiles*/, bool /*start*/) {
    return false;
  }
  /// effOfflinePrepare: prepares the count tasks at offline; true when done. Default: false.
  virtual bool offlinePrepare(PlugOfflineTask* /*offline*/, PlugInt32 /*count*/) { return false; }
  /// effOfflineRun: runs the count tasks at offline; true when done. Default: false.
  virtual bool offlineRun(PlugOfflineTask* /*offline*/, PlugInt32 /*count*/) { return false; }
  /// How many passes the effect's offline processing takes; no request reaches it.
  /// Default: 0.
  virtual PlugInt32 offlineGetNumPasses() { return 0; }
  /// How many meta-passes the effect's offline processing takes; no request reaches it.
  /// Default: 0.
  virtual PlugInt32 offlineGetNumMetaPasses() { return 0; }

  /// Obsolete: asks the host for events, filter going as the request's value; resume
  /// sends it for an effect that takes events.
  virtual void __wantEventsDeprecated(PlugInt32 filter = 1);
  /// Obsolete: asks the host the tempo at sample position pos; 0 without a host.
  virtual PlugInt32 __tempoAtDeprecated(PlugInt32 pos);
  /// Obsolete: asks how many parameters the host can automate; 0 without a host.
  virtual PlugInt32 __getNumAutomatableParametersDeprecated();
  /// Obsolete: asks the resolution of the host's parameter values; 0 without a host.
  virtual PlugInt32 __getParameterQuantizationDeprecated();
  /// Obsolete: the number of program categories; no request reaches it. Default: 1.
  virtual PlugInt32 __getNumCategoriesDeprecated() { return 1; }
  /// Obsolete: copies the current program to program destination; no request reaches it.
  /// Default: false.
  virtual bool __copyProgramDeprecated(PlugInt32 /*destination*/) { return false; }
  /// Obsolete: asks the host for idle time; false without a host or when it answers 0.
  virtual bool __needIdleDeprecated();
  /// Obsolete: asks the host for the record of the effect before this one, or null; input
  /// is not sent.
  virtual AEffect* __getPreviousPlugDeprecated(PlugInt32 input);
  /// Obsolete: asks the host for the record of the effect after this one, or null; output
  /// is not sent.
  virtual AEffect* __getNextPlugDeprecated(PlugInt32 output);
  /// Obsolete notice that input index was connected or not; no request reaches it.
  /// Default: nothing.
  virtual void __inputConnectedDeprecated(PlugInt32 /*index*/, bool /*state*/) {}
  /// Obsolete notice that output index was connected or not; no request reaches it.
  /// Default: nothing.
  virtual void __outputConnectedDeprecated(PlugInt32 /*index*/, bool /*state*/) {}
  /// Obsolete: asks whether the host calls the replacing or the accumulating process; 0
  /// without a host.
  virtual PlugInt32 __willProcessReplacingDeprecated();
  /// Raises or clears the obsolete effFlagsExtIsAsync.
  virtual void __wantAsyncOperationDeprecated(bool state = true) {
    setFlag(effFlagsExtIsAsync, state);
  }
  /// Raises or clears the obsolete effFlagsExtHasBuffer.
  virtual void __hasExternalBufferDeprecated(bool state = true) {
    setFlag(effFlagsExtHasBuffer, state);
  }
  /// Obsolete, for asynchronous processing; no request reaches it. Default: 0.
  virtual PlugInt32 __reportCurrentPositionDeprecated() { return 0; }
  /// Obsolete, for asynchronous processing; no request reaches it. Default: null.
  virtual float* __reportDestinationBufferDeprecated() { return nullptr; }
  /// Obsolete: tells the host the output sample rate, in Hz.
  virtual void __setOutputSamplerateDeprecated(float samplerate);
  /// Obsolete: asks the host for its input arrangement, which it keeps; null without a host.
  virtual PlugSpeakerArrangement* __getInputSpeakerArrangementDeprecated();
  /// Obsolete: asks the host for its output arrangement, which it keeps; null without a
  /// host.
  virtual PlugSpeakerArrangement* __getOutputSpeakerArrangementDeprecated();
  /// Obsolete: asks the host to open the window that window describes; answers what the
  /// host answers as an address, null without a host.
  virtual void* __openWindowDeprecated(void* window);
  /// Obsolete: asks the host to close window; false without a host or when it answers 0.
  virtual bool __closeWindowDeprecated(void* window);
  /// Obsolete: records block size and sample rate together, without a request.
  virtual void __setBlockSizeAndSampleRateDeprecated(PlugInt32 blockSize, float sampleRate) {
    this->blockSize = blockSize;
    this->sampleRate = sampleRate;
  }
  /// Obsolete: the text of the last error; no request reaches it. Default: false.
  virtual bool __getErrorTextDeprecated(char* /*text*/) { return false; }
  /// Obsolete: the effect's icon; no request reaches it. Default: null.
  virtual void* __getIconDeprecated() { return nullptr; }
  /// Obsolete: moves the editor; no request reaches it. Default: false.
  virtual bool __setViewPositionDeprecated(PlugInt32 /*x*/, PlugInt32 /*y*/) { return false; }
  /// Obsolete idle call; no request reaches it. Default: 0.
  virtual PlugInt32 __fxIdleDeprecated() { return 0; }
  /// Obsolete: whether the effect needs the keyboard; no request reaches it.
  /// Default: false.
  virtual bool __keysRequiredDeprecated() { return false; }
  /// Obsolete: asks the host to write at nativePath the native path of the file a chunk
  /// is being loaded from; false without a host or when it answers 0.
  virtual bool __getChunkFileDeprecated(void* nativePath);

  /// Hands events to the host (audioMasterProcessEvents), for an effect that sends notes
  /// or other events; true only when the host answers exactly 1.
  bool sendEventsToHost(PlugEvents* events);
};
