// The extended effect base class: the second level of the dispatcher, the
// requests an effect sends to its host, and the speaker arrangements.
#include "plugin/audioeffectx.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>

#include "editor/aeffguieditor.h"

const char* const PlugCanDos[] = {
    "sendPlugEvents",      "sendPlugMidiEvent", "receivePlugEvents", "receivePlugMidiEvent",
    "receivePlugTimeInfo", "offline",           "midiProgramNames",  "bypass",
};
const int kNumPlugCanDos = sizeof(PlugCanDos) / sizeof(PlugCanDos[0]);

const char* const HostCanDos[] = {
    "sendPlugEvents",
    "sendPlugMidiEvent",
    "sendPlugTimeInfo",
    "receivePlugEvents",
    "receivePlugMidiEvent",
    "reportConnectionChanges",
    "acceptIOChanges",
    "sizeWindow",
    "offline",
    "openFileSelector",
    "closeFileSelector",
    "startStopProcess",
    "shellCategory",
    "sendPlugMidiEventFlagIsRealtime",
};
const int kNumHostCanDos = sizeof(HostCanDos) / sizeof(HostCanDos[0]);

AudioEffectX::AudioEffectX(audioMasterCallback audioMaster, PlugInt32 numPrograms,
                           PlugInt32 numParams)
    : AudioEffect(audioMaster, numPrograms, numParams) {}

// ---------------------------------------------------------------------------
// Second level of the dispatcher: opcodes 25 to 79.

namespace {

// Opcodes whose pointer argument the request cannot do without: the answer
// is written through it, or it carries what the request is about (events,
// files, tasks, arrangements, the text asked about). A host that passes
// none is answered 0 and nothing is called. Vendor-specific requests are
// left alone: what their pointer means is the vendor's business.
bool needsPointer(PlugInt32 opcode) {
  switch (opcode) {
    case effProcessEvents:
    case effString2Parameter:
    case effGetProgramNameIndexed:
    case effGetInputProperties:
    case effGetOutputProperties:
    case effOfflineNotify:
    case effOfflinePrepare:
    case effOfflineRun:
    case effProcessVarIo:
    case effSetSpeakerArrangement:
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString:
    case effCanDo:
    case effGetParameterProperties:
    case effGetMidiProgramName:
    case effGetCurrentMidiProgram:
    case effGetMidiProgramCategory:
    case effGetMidiKeyName:
    case effGetSpeakerArrangement:
    case effShellGetNextPlugin:
    case effBeginLoadBank:
    case effBeginLoadProgram:
      return true;
    default:
      return false;
  }
}

// The arrangement requests carry the input side's address in value.
bool needsValuePointer(PlugInt32 opcode) {
  return opcode == effSetSpeakerArrangement || opcode == effGetSpeakerArrangement;
}

bool lacksPointer(PlugInt32 opcode, PlugIntPtr value, void* ptr) {
  return (needsPointer(opcode) && !ptr) || (needsValuePointer(opcode) && value == 0);
}

PlugIntPtr truth(bool answer) { return answer ? 1 : 0; }

// Modifier bits travel in opt as a whole number: truncated toward zero,
// low byte kept. A float no 32-bit integer can hold (NaN, infinities, huge
// values) has no defined conversion and carries no modifier bits.
unsigned char modifierFromOpt(float opt) {
  if (!(std::fabs(opt) < 2147483648.0f)) return 0;
  return static_cast<unsigned char>(static_cast<int32_t>(opt) & 0xFF);
}

// The key record a host's key request describes: the character in index,
// the virtual key in the low byte of value, modifier bits in opt.
PlugKeyCode keyFromRequest(PlugInt32 index, PlugIntPtr value, float opt) {
  PlugKeyCode key;
  key.character = index;
  key.virt = static_cast<unsigned char>(value & 0xFF);
  key.modifier = modifierFromOpt(opt);
  return key;
}

// Opcodes 25 to 79; the subtraction is unsigned so that any opcode a host
// sends, however far below, is simply out of range.
bool isExtendedOpcode(PlugInt32 opcode) {
  return static_cast<uint32_t>(opcode) - 25u <= 54u;
}

}  // namespace

PlugIntPtr AudioEffectX::dispatcher(PlugInt32 opcode, PlugInt32 index, PlugIntPtr value, void* ptr,
                                    float opt) {
  if (!isExtendedOpcode(opcode)) return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
  if (lacksPointer(opcode, value, ptr)) return 0;

  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effProcessEvents:
      return processEvents(static_cast<PlugEvents*>(ptr));
    case effCanBeAutomated:
      return truth(canParameterBeAutomated(index));
    case effString2Parameter:
      return truth(string2parameter(index, text));
    case effGetProgramNameIndexed:
      return truth(getProgramNameIndexed(static_cast<PlugInt32>(value), index, text));
    case effGetInputProperties:
      return truth(getInputProperties(index, static_cast<PlugPinProperties*>(ptr)));
    case effGetOutputProperties:
      return truth(getOutputProperties(index, static_cast<PlugPinProperties*>(ptr)));
    case effGetPlugCategory:
      return getPlugCategory();
    case effOfflineNotify:
      return truth(offlineNotify(static_cast<PlugAudioFile*>(ptr), static_cast<PlugInt32>(value),
                                 index != 0));
    case effOfflinePrepare:
      return truth(offlinePrepare(static_cast<PlugOfflineTask*>(ptr), static_cast<PlugInt32>(value)));
    case effOfflineRun:
      return truth(offlineRun(static_cast<PlugOfflineTask*>(ptr), static_cast<PlugInt32>(value)));
    case effProcessVarIo:
      return truth(processVariableIo(static_cast<PlugVariableIo*>(ptr)));
    case effSetSpeakerArrangement:
      return truth(setSpeakerArrangement(FromPlugPtr<PlugSpeakerArrangement>(value),
                                         static_cast<PlugSpeakerArrangement*>(ptr)));
    case effSetBypass:
      return truth(setBypass(value != 0));
    case effGetEffectName:
      return truth(getEffectName(text));
    case effGetVendorString:
      return truth(getVendorString(text));
    case effGetProductString:
      return truth(getProductString(text));
    case effGetVendorVersion:
      return getVendorVersion();
    case effVendorSpecific:
      return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
      return canDo(text);
    case effGetTailSize:
      return getGetTailSize();
    case effGetParameterProperties:
      return truth(getParameterProperties(index, static_cast<PlugParameterProperties*>(ptr)));
    case effGetInterfaceVersion:
      return getInterfaceVersion();
    case effEditKeyDown:
      if (editor) {
        PlugKeyCode key = keyFromRequest(index, value, opt);
        return truth(editor->onKeyDown(key));
      }
      return 0;
    case effEditKeyUp:
      if (editor) {
        PlugKeyCode key = keyFromRequest(index, value, opt);
        return truth(editor->onKeyUp(key));
      }
      return 0;
    case effSetEditKnobMode:
      return editor ? truth(editor->setKnobMode(static_cast<int>(value))) : 0;
    case effGetMidiProgramName:
      return getMidiProgramName(index, static_cast<MidiProgramName*>(ptr));
    case effGetCurrentMidiProgram:
      return getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr));
    case effGetMidiProgramCategory:
      return getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr));
    case effHasMidiProgramsChanged:
      return truth(hasMidiProgramsChanged(index));
    case effGetMidiKeyName:
      return truth(getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)));
    case effBeginSetProgram:
      return truth(beginSetProgram());
    case effEndSetProgram:
      return truth(endSetProgram());
    case effGetSpeakerArrangement:
      return truth(getSpeakerArrangement(FromPlugPtr<PlugSpeakerArrangement*>(value),
                                         static_cast<PlugSpeakerArrangement**>(ptr)));
    case effShellGetNextPlugin:
      return getNextShellPlugin(text);
    case effStartProcess:
      return startProcess();
    case effStopProcess:
      return stopProcess();
    case effSetTotalSampleToProcess:
      return setTotalSampleToProcess(static_cast<PlugInt32>(value));
    case effSetPanLaw:
      return truth(setPanLaw(static_cast<PlugInt32>(value), opt));
    case effBeginLoadBank:
      return beginLoadBank(static_cast<PlugPatchChunkInfo*>(ptr));
    case effBeginLoadProgram:
      return beginLoadProgram(static_cast<PlugPatchChunkInfo*>(ptr));
    case effSetProcessPrecision:
      return truth(setProcessPrecision(static_cast<PlugInt32>(value)));
    case effGetNumMidiInputChannels:
      return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
      return getNumMidiOutputChannels();
    default:
      return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
  }
}

bool AudioEffectX::getSpeakerArrangement(PlugSpeakerArrangement** pluginInput,
                                         PlugSpeakerArrangement** pluginOutput) {
  *pluginInput = nullptr;
  *pluginOutput = nullptr;
  return false;
}

void AudioEffectX::resume() {
  if ((cEffect.flags & effFlagsIsSynth) || canDo(const_cast<char*>("receivePlugMidiEvent")) == 1)
    __wantEventsDeprecated(1);
}

// ---------------------------------------------------------------------------
// Requests to the host. Without a host callHost answers 0, which each reads
// as it would a host's answer: false, 0, null, or the value left unchanged.

bool AudioEffectX::beginEdit(PlugInt32 index) { return callHost(audioMasterBeginEdit, index) != 0; }

bool AudioEffectX::endEdit(PlugInt32 index) { return callHost(audioMasterEndEdit, index) != 0; }

bool AudioEffectX::ioChanged() { return callHost(audioMasterIOChanged) != 0; }

float AudioEffectX::updateSampleRate() {
  PlugIntPtr rate = callHost(audioMasterGetSampleRate);
  if (rate > 0) sampleRate = static_cast<float>(rate);
  return sampleRate;
}

PlugInt32 AudioEffectX::updateBlockSize() {
  // Where answers are wider than the block size, one beyond its range
  // would turn negative when stored: it is ignored like any other
  // answer that is no block size.
  PlugIntPtr size = callHost(audioMasterGetBlockSize);
  if (size > 0 && size <= INT32_MAX) blockSize = static_cast<PlugInt32>(size);
  return blockSize;
}

PlugInt32 AudioEffectX::getInputLatency() {
  return static_cast<PlugInt32>(callHost(audioMasterGetInputLatency));
}

PlugInt32 AudioEffectX::getOutputLatency() {
  return static_cast<PlugInt32>(callHost(audioMasterGetOutputLatency));
}

PlugTimeInfo* AudioEffectX::getTimeInfo(PlugInt32 filter) {
  PlugIntPtr answer = callHost(audioMasterGetTime, 0, filter);
  return FromPlugPtr<PlugTimeInfo>(answer);
}

PlugInt32 AudioEffectX::getCurrentProcessLevel() {
  return static_cast<PlugInt32>(callHost(audioMasterGetCurrentProcessLevel));
}

PlugInt32 AudioEffectX::getAutomationState() {
  return static_cast<PlugInt32>(callHost(audioMasterGetAutomationState));
}

bool AudioEffectX::sendEventsToHost(PlugEvents* events) {
  return callHost(audioMasterProcessEvents, 0, 0, events) == 1;
}

bool AudioEffectX::getHostVendorString(char* text) {
  return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool AudioEffectX::getHostProductString(char* text) {
  return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}

PlugInt32 AudioEffectX::getHostVendorVersion() {
  return static_cast<PlugInt32>(callHost(audioMasterGetVendorVersion));
}

PlugIntPtr AudioEffectX::hostVendorSpecific(PlugInt32 lArg1, PlugIntPtr lArg2, void* ptrArg,
                                            float floatArg) {
  return callHost(audioMasterVendorSpecific, lArg1, lArg2, ptrArg, floatArg);
}

PlugInt32 AudioEffectX::canHostDo(char* text) {
  return callHost(audioMasterCanDo, 0, 0, text) != 0 ? 1 : 0;
}

PlugInt32 AudioEffectX::getHostLanguage() {
  return static_cast<PlugInt32>(callHost(audioMasterGetLanguage));
}

void* AudioEffectX::getDirectory() {
  PlugIntPtr answer = callHost(audioMasterGetDirectory);
  return FromPlugPtr<void>(answer);
}

bool AudioEffectX::updateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }

bool AudioEffectX::sizeWindow(PlugInt32 width, PlugInt32 height) {
  return callHost(audioMasterSizeWindow, width, height) != 0;
}

bool AudioEffectX::openFileSelector(PlugFileSelect* select) {
  return callHost(audioMasterOpenFileSelector, 0, 0, select) != 0;
}

bool AudioEffectX::closeFileSelector(PlugFileSelect* select) {
  return callHost(audioMasterCloseFileSelector, 0, 0, select) != 0;
}

bool AudioEffectX::offlineRead(PlugOfflineTask* offline, PlugInt32 option, bool readSource) {
  return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, offline) != 0;
}

bool AudioEffectX::offlineWrite(PlugOfflineTask* offline, PlugInt32 option) {
  return callHost(audioMasterOfflineWrite, 0, option, offline) != 0;
}

bool AudioEffectX::offlineStart(PlugAudioFile* ptr, PlugInt32 numAudioFiles,
                                PlugInt32 numNewAudioFiles) {
  return callHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, ptr) != 0;
}

PlugInt32 AudioEffectX::offlineGetCurrentPass() {
  return callHost(audioMasterOfflineGetCurrentPass) != 0 ? 1 : 0;
}

PlugInt32 AudioEffectX::offlineGetCurrentMetaPass() {
  return callHost(audioMasterOfflineGetCurrentMetaPass) != 0 ? 1 : 0;
}

void AudioEffectX::__wantEventsDeprecated(PlugInt32 filter) {
  callHost(audioMasterWantMidiDeprecated, 0, filter);
}

PlugInt32 AudioEffectX::__tempoAtDeprecated(PlugInt32 pos) {
  return static_cast<PlugInt32>(callHost(audioMasterTempoAtDeprecated, 0, pos));
}

PlugInt32 AudioEffectX::__getNumAutomatableParametersDeprecated() {
  return static_cast<PlugInt32>(callHost(audioMasterGetNumAutomatableParametersDeprecated));
}

PlugInt32 AudioEffectX::__getParameterQuantizationDeprecated() {
  return static_cast<PlugInt32>(callHost(audioMasterGetParameterQuantizationDeprecated));
}

bool AudioEffectX::__needIdleDeprecated() { return callHost(audioMasterNeedIdleDeprecated) != 0; }

// The pin argument of the two obsolete neighbour requests was never sent.
AEffect* AudioEffectX::__getPreviousPlugDeprecated(PlugInt32 /*input*/) {
  PlugIntPtr answer = callHost(audioMasterGetPreviousPlugDeprecated);
  return FromPlugPtr<AEffect>(answer);
}

AEffect* AudioEffectX::__getNextPlugDeprecated(PlugInt32 /*output*/) {
  PlugIntPtr answer = callHost(audioMasterGetNextPlugDeprecated);
  return FromPlugPtr<AEffect>(answer);
}

PlugInt32 AudioEffectX::__willProcessReplacingDeprecated() {
  return static_cast<PlugInt32>(callHost(audioMasterWillReplaceOrAccumulateDeprecated));
}

void AudioEffectX::__setOutputSamplerateDeprecated(float samplerate) {
  callHost(audioMasterSetOutputSampleRateDeprecated, 0, 0, nullptr, samplerate);
}

PlugSpeakerArrangement* AudioEffectX::__getInputSpeakerArrangementDeprecated() {
  PlugIntPtr answer = callHost(audioMasterGetInputSpeakerArrangementDeprecated);
  return FromPlugPtr<PlugSpeakerArrangement>(answer);
}

PlugSpeakerArrangement* AudioEffectX::__getOutputSpeakerArrangementDeprecated() {
  PlugIntPtr answer = callHost(audioMasterGetOutputSpeakerArrangementDeprecated);
  return FromPlugPtr<PlugSpeakerArrangement>(answer);
}

void* AudioEffectX::__openWindowDeprecated(void* window) {
  PlugIntPtr answer = callHost(audioMasterOpenWindowDeprecated, 0, 0, window);
  return FromPlugPtr<void>(answer);
}

bool AudioEffectX::__closeWindowDeprecated(void* window) {
  return callHost(audioMasterCloseWindowDeprecated, 0, 0, window) != 0;
}

bool AudioEffectX::__getChunkFileDeprecated(void* nativePath) {
  return callHost(audioMasterGetChunkFileDeprecated, 0, 0, nativePath) != 0;
}

// ---------------------------------------------------------------------------
// Speaker arrangements

namespace {

// The arrangement's byte count, refused as an impossible allocation when
// it does not fit the address space (on the 32-bit target a large count
// would otherwise wrap round to a small block).
size_t arrangementBytes(PlugInt32 nbChannels) {
  size_t header = plugArrangementSize(0);
  if (static_cast<size_t>(nbChannels) > (SIZE_MAX - header) / sizeof(PlugSpeakerProperties))
    throw std::bad_array_new_length();
  return plugArrangementSize(nbChannels);
}

// Blocks are raw bytes from the array allocator and go back the same way.
void releaseArrangement(PlugSpeakerArrangement** arrangement) {
  if (*arrangement) {
    delete[] reinterpret_cast<char*>(*arrangement);
    *arrangement = nullptr;
  }
}

}  // namespace

bool AudioEffectX::allocateArrangement(PlugSpeakerArrangement** arrangement,
                                       PlugInt32 nbChannels) {
  // A negative count has no size: refused before anything changes, rather
  // than allocating a block shorter than the record's own header.
  if (nbChannels < 0) return false;
  releaseArrangement(arrangement);
  size_t size = arrangementBytes(nbChannels);
  char* block = new char[size];
  std::memset(block, 0, size);
  *arrangement = reinterpret_cast<PlugSpeakerArrangement*>(block);
  (*arrangement)->numChannels = nbChannels;
  return true;
}

bool AudioEffectX::deallocateArrangement(PlugSpeakerArrangement** arrangement) {
  releaseArrangement(arrangement);
  return true;
}

bool AudioEffectX::copySpeaker(PlugSpeakerProperties* to, PlugSpeakerProperties* from) {
  if (!from || !to) return false;
  plug_strncpy(to->name, from->name, 63);
  to->type = from->type;
  to->azimuth = from->azimuth;
  to->elevation = from->elevation;
  to->radius = from->radius;
  to->reserved = from->reserved;
  std::memcpy(to->future, from->future, sizeof to->future);
  return true;
}

bool AudioEffectX::matchArrangement(PlugSpeakerArrangement** to, PlugSpeakerArrangement* from) {
  if (!from) return false;
  // Matching an arrangement to itself would free the source before reading it.
  if (*to == from) return true;
  if (!deallocateArrangement(to)) return false;
  if (!allocateArrangement(to, from->numChannels)) return false;
  (*to)->type = from->type;
  for (PlugInt32 i = 0; i < (*to)->numChannels; ++i)
    if (!copySpeaker(plugSpeakerAt(*to, i), plugSpeakerAt(from, i))) return false;
  return true;
}
