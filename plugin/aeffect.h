// The binary interface between a host and a plug-in: the effect record the
// host holds, the host callback, the opcodes in both directions and the
// small records passed by value. Everything here is the published layout,
// so a host built elsewhere can read it byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int32_t PlugInt32;
typedef int16_t PlugInt16;
typedef intptr_t PlugIntPtr;  // pointer-sized: 32 bits on the shipping target

struct AEffect;

// The host's callback. Plain C calling convention on every target.
typedef PlugIntPtr (*audioMasterCallback)(AEffect* effect, PlugInt32 opcode, PlugInt32 index,
                                          PlugIntPtr value, void* ptr, float opt);

typedef PlugIntPtr (*AEffectDispatcherProc)(AEffect* effect, PlugInt32 opcode, PlugInt32 index,
                                            PlugIntPtr value, void* ptr, float opt);
typedef void (*AEffectProcessProc)(AEffect* effect, float** inputs, float** outputs,
                                   PlugInt32 sampleFrames);
typedef void (*AEffectProcessDoubleProc)(AEffect* effect, double** inputs, double** outputs,
                                         PlugInt32 sampleFrames);
typedef void (*AEffectSetParameterProc)(AEffect* effect, PlugInt32 index, float parameter);
typedef float (*AEffectGetParameterProc)(AEffect* effect, PlugInt32 index);

// Four-character code, first character in the most significant byte.
constexpr PlugInt32 plugFourCC(char a, char b, char c, char d) {
  return static_cast<PlugInt32>((static_cast<uint32_t>(static_cast<unsigned char>(a)) << 24) |
                                (static_cast<uint32_t>(static_cast<unsigned char>(b)) << 16) |
                                (static_cast<uint32_t>(static_cast<unsigned char>(c)) << 8) |
                                static_cast<uint32_t>(static_cast<unsigned char>(d)));
}

constexpr PlugInt32 kEffectMagic = 0x56737450;

// The record shared with the host. A plain structure: with natural
// alignment it is the published 144-byte layout on the 32-bit target, and
// the pointer-sized fields widen naturally on 64-bit targets.
struct AEffect {
  PlugInt32 magic;
  AEffectDispatcherProc dispatcher;
  AEffectProcessProc process;  // obsolete accumulating process
  AEffectSetParameterProc setParameter;
  AEffectGetParameterProc getParameter;
  PlugInt32 numPrograms;
  PlugInt32 numParams;
  PlugInt32 numInputs;
  PlugInt32 numOutputs;
  PlugInt32 flags;
  PlugIntPtr resvd1;
  PlugIntPtr resvd2;
  PlugInt32 initialDelay;
  PlugInt32 realQualities;  // obsolete
  PlugInt32 offQualities;   // obsolete
  float ioRatio;            // obsolete
  void* object;
  void* user;
  PlugInt32 uniqueID;
  PlugInt32 version;
  AEffectProcessProc processReplacing;
  AEffectProcessDoubleProc processDoubleReplacing;
  char future[56];
};

#if defined(__i386__) || defined(_M_IX86)
static_assert(sizeof(void*) == 4, "32-bit target");
static_assert(sizeof(AEffect) == 144, "AEffect is 144 bytes on the 32-bit target");
static_assert(offsetof(AEffect, magic) == 0, "AEffect layout");
static_assert(offsetof(AEffect, dispatcher) == 4, "AEffect layout");
static_assert(offsetof(AEffect, process) == 8, "AEffect layout");
static_assert(offsetof(AEffect, setParameter) == 12, "AEffect layout");
static_assert(offsetof(AEffect, getParameter) == 16, "AEffect layout");
static_assert(offsetof(AEffect, numPrograms) == 20, "AEffect layout");
static_assert(offsetof(AEffect, numParams) == 24, "AEffect layout");
static_assert(offsetof(AEffect, numInputs) == 28, "AEffect layout");
static_assert(offsetof(AEffect, numOutputs) == 32, "AEffect layout");
static_assert(offsetof(AEffect, flags) == 36, "AEffect layout");
static_assert(offsetof(AEffect, resvd1) == 40, "AEffect layout");
static_assert(offsetof(AEffect, resvd2) == 44, "AEffect layout");
static_assert(offsetof(AEffect, initialDelay) == 48, "AEffect layout");
static_assert(offsetof(AEffect, realQualities) == 52, "AEffect layout");
static_assert(offsetof(AEffect, offQualities) == 56, "AEffect layout");
static_assert(offsetof(AEffect, ioRatio) == 60, "AEffect layout");
static_assert(offsetof(AEffect, object) == 64, "AEffect layout");
static_assert(offsetof(AEffect, user) == 68, "AEffect layout");
static_assert(offsetof(AEffect, uniqueID) == 72, "AEffect layout");
static_assert(offsetof(AEffect, version) == 76, "AEffect layout");
static_assert(offsetof(AEffect, processReplacing) == 80, "AEffect layout");
static_assert(offsetof(AEffect, processDoubleReplacing) == 84, "AEffect layout");
static_assert(offsetof(AEffect, future) == 88, "AEffect layout");
#endif

// Bits of AEffect::flags.
enum PlugAEffectFlags : PlugInt32 {
  effFlagsHasEditor = 1 << 0,
  effFlagsHasClip = 1 << 1,
  effFlagsHasVu = 1 << 2,
  effFlagsCanMono = 1 << 3,
  effFlagsCanReplacing = 1 << 4,
  effFlagsProgramChunks = 1 << 5,
  effFlagsIsSynth = 1 << 8,
  effFlagsNoSoundInStop = 1 << 9,
  effFlagsExtIsAsync = 1 << 10,
  effFlagsExtHasBuffer = 1 << 11,
  effFlagsCanDoubleReplacing = 1 << 12,
};

// Requests a host sends to the effect through AEffect::dispatcher.
enum PlugEffectOpcodes : PlugInt32 {
  effOpen = 0,
  effClose = 1,
  effSetProgram = 2,
  effGetProgram = 3,
  effSetProgramName = 4,
  effGetProgramName = 5,
  effGetParamLabel = 6,
  effGetParamDisplay = 7,
  effGetParamName = 8,
  effSetSampleRate = 10,
  effSetBlockSize = 11,
  effMainsChanged = 12,
  effEditGetRect = 13,
  effEditOpen = 14,
  effEditClose = 15,
  effEditIdle = 19,
  effIdentify = 22,
  effGetChunk = 23,
  effSetChunk = 24,
  effProcessEvents = 25,
  effCanBeAutomated = 26,
  effString2Parameter = 27,
  effGetProgramNameIndexed = 29,
  effGetInputProperties = 33,
  effGetOutputProperties = 34,
  effGetPlugCategory = 35,
  effOfflineNotify = 38,
  effOfflinePrepare = 39,
  effOfflineRun = 40,
  effProcessVarIo = 41,
  effSetSpeakerArrangement = 42,
  effSetBypass = 44,
  effGetEffectName = 45,
  effGetVendorString = 47,
  effGetProductString = 48,
  effGetVendorVersion = 49,
  effVendorSpecific = 50,
  effCanDo = 51,
  effGetTailSize = 52,
  effGetParameterProperties = 56,
  effGetInterfaceVersion = 58,
  effEditKeyDown = 59,
  effEditKeyUp = 60,
  effSetEditKnobMode = 61,
  effGetMidiProgramName = 62,
  effGetCurrentMidiProgram = 63,
  effGetMidiProgramCategory = 64,
  effHasMidiProgramsChanged = 65,
  effGetMidiKeyName = 66,
  effBeginSetProgram = 67,
  effEndSetProgram = 68,
  effGetSpeakerArrangement = 69,
  effShellGetNextPlugin = 70,
  effStartProcess = 71,
  effStopProcess = 72,
  effSetTotalSampleToProcess = 73,
  effSetPanLaw = 74,
  effBeginLoadBank = 75,
  effBeginLoadProgram = 76,
  effSetProcessPrecision = 77,
  effGetNumMidiInputChannels = 78,
  effGetNumMidiOutputChannels = 79,
};

// Requests the effect sends to the host through audioMasterCallback.
// Numbers without a name are obsolete services that keep their place.
enum PlugHostOpcodes : PlugInt32 {
  audioMasterAutomate = 0,
  audioMasterVersion = 1,
  audioMasterCurrentId = 2,
  audioMasterIdle = 3,
  audioMasterPinConnectedDeprecated = 4,
  audioMasterWantMidiDeprecated = 6,
  audioMasterGetTime = 7,
  audioMasterProcessEvents = 8,
  audioMasterTempoAtDeprecated = 10,
  audioMasterGetNumAutomatableParametersDeprecated = 11,
  audioMasterGetParameterQuantizationDeprecated = 12,
  audioMasterIOChanged = 13,
  audioMasterNeedIdleDeprecated = 14,
  audioMasterSizeWindow = 15,
  audioMasterGetSampleRate = 16,
  audioMasterGetBlockSize = 17,
  audioMasterGetInputLatency = 18,
  audioMasterGetOutputLatency = 19,
  audioMasterGetPreviousPlugDeprecated = 20,
  audioMasterGetNextPlugDeprecated = 21,
  audioMasterWillReplaceOrAccumulateDeprecated = 22,
  audioMasterGetCurrentProcessLevel = 23,
  audioMasterGetAutomationState = 24,
  audioMasterOfflineStart = 25,
  audioMasterOfflineRead = 26,
  audioMasterOfflineWrite = 27,
  audioMasterOfflineGetCurrentPass = 28,
  audioMasterOfflineGetCurrentMetaPass = 29,
  audioMasterSetOutputSampleRateDeprecated = 30,
  audioMasterGetOutputSpeakerArrangementDeprecated = 31,
  audioMasterGetVendorString = 32,
  audioMasterGetProductString = 33,
  audioMasterGetVendorVersion = 34,
  audioMasterVendorSpecific = 35,
  audioMasterCanDo = 37,
  audioMasterGetLanguage = 38,
  audioMasterOpenWindowDeprecated = 39,
  audioMasterCloseWindowDeprecated = 40,
  audioMasterGetDirectory = 41,
  audioMasterUpdateDisplay = 42,
  audioMasterBeginEdit = 43,
  audioMasterEndEdit = 44,
  audioMasterOpenFileSelector = 45,
  audioMasterCloseFileSelector = 46,
  audioMasterEditFileDeprecated = 47,
  audioMasterGetChunkFileDeprecated = 48,
  audioMasterGetInputSpeakerArrangementDeprecated = 49,
};

// Key record handed to the editor for the key opcodes.
struct PlugKeyCode {
  PlugInt32 character;
  unsigned char virt;
  unsigned char modifier;
};

// The interface's own virtual key codes in PlugKeyCode::virt (not the
// platform's), those the toolkit and the tools use, and its Shift bit in
// PlugKeyCode::modifier.
constexpr unsigned char kPlugKeyTab = 2;
constexpr unsigned char kPlugKeyLeft = 11;
constexpr unsigned char kPlugKeyUp = 12;
constexpr unsigned char kPlugKeyRight = 13;
constexpr unsigned char kPlugKeyDown = 14;
constexpr unsigned char kPlugModifierShift = 1;

// The editor rectangle shared with the host.
struct ERect {
  PlugInt16 top;
  PlugInt16 left;
  PlugInt16 bottom;
  PlugInt16 right;
};

// Maximum text lengths of the interface (characters, without the terminator).
enum PlugStringConstants : PlugInt32 {
  kPlugMaxProgNameLen = 24,
  kPlugMaxParamStrLen = 8,
  kPlugMaxVendorStrLen = 64,
  kPlugMaxProductStrLen = 64,
  kPlugMaxEffectNameLen = 32,
};
