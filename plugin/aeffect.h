/// @file
/// The binary interface between a host and a plug-in: the effect record the
/// host holds, the host callback, the opcodes in both directions and the
/// small records passed by value. Everything here is the published layout,
/// so a host built elsewhere can read it byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>

/// 32-bit integer of the interface: opcodes, indexes, counts and flags.
typedef int32_t PlugInt32;
/// 16-bit integer of the interface: the coordinates of ERect.
typedef int16_t PlugInt16;
/// Integer wide enough for an address, for request values and answers that may carry one.
typedef intptr_t PlugIntPtr;  ///< pointer-sized: 32 bits on the shipping target

struct AEffect;

/// The host's callback, through which the effect sends its requests (PlugHostOpcodes).
/// Plain C calling convention on every target. effect is the record asking (null for
/// the version query before one exists); what index, value, ptr, opt and the answer mean
/// depends on the opcode, and 0 is what a host answers to a request it does not know.
typedef PlugIntPtr (*audioMasterCallback)(AEffect* effect, PlugInt32 opcode, PlugInt32 index,
                                          PlugIntPtr value, void* ptr, float opt);

/// The record's entry for the host's requests (PlugEffectOpcodes); arguments and answer
/// as for audioMasterCallback.
typedef PlugIntPtr (*AEffectDispatcherProc)(AEffect* effect, PlugInt32 opcode, PlugInt32 index,
                                            PlugIntPtr value, void* ptr, float opt);
/// Processes sampleFrames frames of 32-bit audio: inputs holds AEffect::numInputs channel
/// buffers, outputs AEffect::numOutputs, each sampleFrames samples long.
typedef void (*AEffectProcessProc)(AEffect* effect, float** inputs, float** outputs,
                                   PlugInt32 sampleFrames);
/// AEffectProcessProc for 64-bit audio.
typedef void (*AEffectProcessDoubleProc)(AEffect* effect, double** inputs, double** outputs,
                                         PlugInt32 sampleFrames);
/// Sets parameter index to a normalized value, 0 to 1.
typedef void (*AEffectSetParameterProc)(AEffect* effect, PlugInt32 index, float parameter);
/// Answers parameter index's normalized value, 0 to 1.
typedef float (*AEffectGetParameterProc)(AEffect* effect, PlugInt32 index);

/// Four-character code, first character in the most significant byte: the form of unique
/// IDs and of the other codes the interface exchanges.
constexpr PlugInt32 plugFourCC(char a, char b, char c, char d) {
  return static_cast<PlugInt32>((static_cast<uint32_t>(static_cast<unsigned char>(a)) << 24) |
                                (static_cast<uint32_t>(static_cast<unsigned char>(b)) << 16) |
                                (static_cast<uint32_t>(static_cast<unsigned char>(c)) << 8) |
                                static_cast<uint32_t>(static_cast<unsigned char>(d)));
}

/// The value of AEffect::magic, by which a host recognises an effect record.
constexpr PlugInt32 kEffectMagic = 0x56737450;

/// The record shared with the host. A plain structure: with natural
/// alignment it is the published 144-byte layout on the 32-bit target, and
/// the pointer-sized fields widen naturally on 64-bit targets.
/// AudioEffect builds it and owns it; it lives until the host's effClose request.
struct AEffect {
  /// Always kEffectMagic.
  PlugInt32 magic;
  /// Entry for every request from the host.
  AEffectDispatcherProc dispatcher;
  AEffectProcessProc process;  ///< obsolete accumulating process: adds to the outputs
  /// Sets a parameter; the host calls it directly, not through the dispatcher.
  AEffectSetParameterProc setParameter;
  /// Reads a parameter; the host calls it directly, not through the dispatcher.
  AEffectGetParameterProc getParameter;
  /// Number of programs (presets), numbered from 0.
  PlugInt32 numPrograms;
  /// Number of parameters, numbered from 0.
  PlugInt32 numParams;
  /// Number of audio input channels: the buffers a process call reads.
  PlugInt32 numInputs;
  /// Number of audio output channels: the buffers a process call writes.
  PlugInt32 numOutputs;
  /// PlugAEffectFlags bits.
  PlugInt32 flags;
  /// Reserved; 0.
  PlugIntPtr resvd1;
  /// Reserved; 0.
  PlugIntPtr resvd2;
  /// The effect's latency, in samples, which the host may compensate.
  PlugInt32 initialDelay;
  PlugInt32 realQualities;  ///< obsolete
  PlugInt32 offQualities;   ///< obsolete
  float ioRatio;            ///< obsolete
  /// The AudioEffect that owns the record; the record's functions find it here. The
  /// host leaves it alone.
  void* object;
  /// The host's own; the effect never uses it.
  void* user;
  /// Identifies the effect to the host (a plugFourCC code), for instance in saved sessions.
  PlugInt32 uniqueID;
  /// The effect's own version number.
  PlugInt32 version;
  /// Processing that overwrites the outputs; there when effFlagsCanReplacing is set.
  AEffectProcessProc processReplacing;
  /// 64-bit processing that overwrites the outputs; there when
  /// effFlagsCanDoubleReplacing is set.
  AEffectProcessDoubleProc processDoubleReplacing;
  /// Reserved to the end of the published layout; zeros.
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

/// Bits of AEffect::flags.
enum PlugAEffectFlags : PlugInt32 {
  /// The effect has an editor and serves the editor requests; AudioEffect::setEditor
  /// keeps it in step.
  effFlagsHasEditor = 1 << 0,
  effFlagsHasClip = 1 << 1,  ///< obsolete: the effect reports clipping
  effFlagsHasVu = 1 << 2,    ///< obsolete: the effect reports a level
  effFlagsCanMono = 1 << 3,  ///< obsolete: the effect can be fed mono
  /// AEffect::processReplacing may be called; set from construction on.
  effFlagsCanReplacing = 1 << 4,
  /// The host saves and restores programs and banks as opaque blocks (effGetChunk,
  /// effSetChunk) instead of parameter by parameter.
  effFlagsProgramChunks = 1 << 5,
  /// The effect is an instrument: it makes its sound from the events it receives.
  effFlagsIsSynth = 1 << 8,
  /// Silence in gives silence out, so the host may stop processing while it plays nothing.
  effFlagsNoSoundInStop = 1 << 9,
  effFlagsExtIsAsync = 1 << 10,    ///< obsolete: processing runs asynchronously elsewhere
  effFlagsExtHasBuffer = 1 << 11,  ///< obsolete: the effect offers its own output buffer
  /// AEffect::processDoubleReplacing may be called.
  effFlagsCanDoubleReplacing = 1 << 12,
};

/// Requests a host sends to the effect through AEffect::dispatcher. Where the
/// request carries text or a record, ptr points at it, and a request that
/// needs ptr but comes without one is answered 0. Yes-or-no answers are 1 or 0.
enum PlugEffectOpcodes : PlugInt32 {
  /// First request after loading: the host is about to use the record.
  effOpen = 0,
  /// Last request: the effect is deleted and the record with it. Answers 1.
  effClose = 1,
  /// Makes program value current; numbers outside 0 to numPrograms - 1 are ignored.
  effSetProgram = 2,
  /// Answers the current program's number.
  effGetProgram = 3,
  /// Renames the current program to the text at ptr, kPlugMaxProgNameLen at most.
  effSetProgramName = 4,
  /// Writes the current program's name at ptr, kPlugMaxProgNameLen at most.
  effGetProgramName = 5,
  /// Writes parameter index's unit ("dB", "%") at ptr, kPlugMaxParamStrLen at most.
  effGetParamLabel = 6,
  /// Writes parameter index's value as text at ptr, kPlugMaxParamStrLen at most.
  effGetParamDisplay = 7,
  /// Writes parameter index's name at ptr, kPlugMaxParamStrLen at most.
  effGetParamName = 8,
  /// Sets the sample rate, in Hz, from opt.
  effSetSampleRate = 10,
  /// Sets the largest number of frames one process call will bring, from value.
  effSetBlockSize = 11,
  /// Audio off (value 0: suspend) or on (otherwise: resume); process calls come only on.
  effMainsChanged = 12,
  /// Stores at ptr, an ERect**, the address of the editor's rectangle, which the editor
  /// keeps; answers 1 when there is one.
  effEditGetRect = 13,
  /// Opens the editor inside the host's window, whose native handle is ptr; answers 1
  /// when it opened.
  effEditOpen = 14,
  /// Closes the editor.
  effEditClose = 15,
  /// Idle time for the editor, sent again and again while it is open.
  effEditIdle = 19,
  /// Obsolete identification: answers a fixed four-character code.
  effIdentify = 22,
  /// Stores at ptr, a void**, the address of the effect's state as one block and answers
  /// its size in bytes: the bank's when index is 0, the current program's otherwise. The
  /// block stays the effect's, valid until the next request.
  effGetChunk = 23,
  /// Restores state from the value bytes at ptr that effGetChunk gave: a bank when index
  /// is 0, the current program otherwise.
  effSetChunk = 24,
  /// Hands the effect the PlugEvents at ptr (notes and other events).
  effProcessEvents = 25,
  /// Answers 1 when parameter index may be automated.
  effCanBeAutomated = 26,
  /// Sets parameter index from the text at ptr; answers 1 when the text was understood.
  effString2Parameter = 27,
  /// Writes program index's name at ptr without making it current, kPlugMaxProgNameLen at
  /// most; value is the category (-1: any). Answers 1 when written.
  effGetProgramNameIndexed = 29,
  /// Fills the PlugPinProperties at ptr for input index; answers 1 when filled.
  effGetInputProperties = 33,
  /// Fills the PlugPinProperties at ptr for output index; answers 1 when filled.
  effGetOutputProperties = 34,
  /// Answers the effect's category: 0 unknown, 1 effect, 2 instrument, and further kinds.
  effGetPlugCategory = 35,
  /// Offline processing: announces the value PlugAudioFile records at ptr; index is
  /// non-zero at the start.
  effOfflineNotify = 38,
  /// Offline processing: prepares the value PlugOfflineTask records at ptr.
  effOfflinePrepare = 39,
  /// Offline processing: runs the value PlugOfflineTask records at ptr.
  effOfflineRun = 40,
  /// Processes with input and output lengths of their own, as the PlugVariableIo at ptr
  /// describes.
  effProcessVarIo = 41,
  /// Proposes speaker arrangements: the input side's address in value, the output side's
  /// at ptr; answers 1 when the effect accepts them.
  effSetSpeakerArrangement = 42,
  /// Switches the effect's own bypass on (value non-zero) or off; answers 1 when the effect
  /// bypasses itself, 0 when the host must do it.
  effSetBypass = 44,
  /// Writes the effect's name at ptr, kPlugMaxEffectNameLen at most; answers 1 when written.
  effGetEffectName = 45,
  /// Writes the vendor's name at ptr, kPlugMaxVendorStrLen at most; answers 1 when written.
  effGetVendorString = 47,
  /// Writes the product's name at ptr, kPlugMaxProductStrLen at most; answers 1 when
  /// written.
  effGetProductString = 48,
  /// Answers the vendor's own version number of the effect.
  effGetVendorVersion = 49,
  /// A request of the vendor's own: index, value, ptr and opt pass through untouched, and
  /// ptr may be null.
  effVendorSpecific = 50,
  /// Asks about the capability named at ptr (see PlugCanDos): answers 1 yes, -1 no, 0
  /// don't know.
  effCanDo = 51,
  /// Answers for how many samples the effect goes on sounding once its input is silent.
  effGetTailSize = 52,
  /// Fills the PlugParameterProperties at ptr for parameter index; answers 1 when filled.
  effGetParameterProperties = 56,
  /// Answers the version of the interface the effect was built for.
  effGetInterfaceVersion = 58,
  /// A key pressed in the editor: the character in index, a kPlugKey code in value's low
  /// byte, modifier bits in opt (a whole number). Answers 1 when the editor used the key.
  effEditKeyDown = 59,
  /// A key released in the editor, arguments as for effEditKeyDown.
  effEditKeyUp = 60,
  /// Sets how the editor's knobs follow the mouse, from value: 2 by straight drags,
  /// 0 and 1 by angle. Answers 1 when taken.
  effSetEditKnobMode = 61,
  /// Fills the MidiProgramName at ptr for MIDI channel index; answers the number of MIDI
  /// programs, 0 when there are none.
  effGetMidiProgramName = 62,
  /// Fills the MidiProgramName at ptr with channel index's current MIDI program; answers its
  /// number, -1 when there is none.
  effGetCurrentMidiProgram = 63,
  /// Fills the MidiProgramCategory at ptr for channel index; answers the number of
  /// categories, 0 when there are none.
  effGetMidiProgramCategory = 64,
  /// Answers 1 when channel index's MIDI programs changed since the host read them.
  effHasMidiProgramsChanged = 65,
  /// Fills the MidiKeyName at ptr for channel index; answers 1 when the key has a name.
  effGetMidiKeyName = 66,
  /// Sent before a program change (effSetProgram); answers 1 when the effect took note.
  effBeginSetProgram = 67,
  /// Sent after a program change; answers 1 when the effect took note.
  effEndSetProgram = 68,
  /// Asks for the effect's arrangements: it stores the input side's address at the
  /// PlugSpeakerArrangement* whose address is value, the output side's at ptr, and answers
  /// 1 when it has them. The records stay the effect's.
  effGetSpeakerArrangement = 69,
  /// For a shell of several plug-ins: writes the next one's name at ptr and answers its
  /// unique ID, 0 when none is left.
  effShellGetNextPlugin = 70,
  /// Sent as the host starts calling process, after audio on.
  effStartProcess = 71,
  /// Sent as the host stops calling process, before audio off.
  effStopProcess = 72,
  /// Offline processing: the host is about to process value samples; answers how many the
  /// effect will process.
  effSetTotalSampleToProcess = 73,
  /// Sets the pan law: its type in value, its gain in opt. Answers 1 when used.
  effSetPanLaw = 74,
  /// Sent before a bank is restored, described by the PlugPatchChunkInfo at ptr: answers
  /// 1 to accept it, -1 to refuse it, 0 when the effect does not check.
  effBeginLoadBank = 75,
  /// As effBeginLoadBank, for a single program.
  effBeginLoadProgram = 76,
  /// Chooses the precision of the coming processing, from value: 0 for 32-bit, 1 for
  /// 64-bit. Answers 1 when accepted.
  effSetProcessPrecision = 77,
  /// Answers how many MIDI channels the effect takes in, 0 for none.
  effGetNumMidiInputChannels = 78,
  /// Answers how many MIDI channels the effect sends out, 0 for none.
  effGetNumMidiOutputChannels = 79,
};

/// Requests the effect sends to the host through audioMasterCallback.
/// Numbers without a name are obsolete services that keep their place.
enum PlugHostOpcodes : PlugInt32 {
  /// The effect changed parameter index to the value in opt on its own (from its
  /// editor), so that the host can record it.
  audioMasterAutomate = 0,
  /// Answers the host's interface version; a host that answers 0 gets no effect at all.
  audioMasterVersion = 1,
  /// Answers the unique ID of the plug-in the host is loading (for shells).
  audioMasterCurrentId = 2,
  /// Gives the host idle time from inside a long operation of the effect.
  audioMasterIdle = 3,
  /// Obsolete: asks whether pin index is connected, value 0 for an input and 1 for an
  /// output. The answer 0 means connected.
  audioMasterPinConnectedDeprecated = 4,
  /// Obsolete: asks the host for events; value is the filter.
  audioMasterWantMidiDeprecated = 6,
  /// Answers the address of the host's PlugTimeInfo (transport and tempo), or 0; value
  /// says which fields are wanted. The record stays the host's.
  audioMasterGetTime = 7,
  /// Hands the host the PlugEvents at ptr; the answer 1 means taken.
  audioMasterProcessEvents = 8,
  /// Obsolete: answers the tempo at sample position value.
  audioMasterTempoAtDeprecated = 10,
  /// Obsolete: answers how many parameters the host can automate.
  audioMasterGetNumAutomatableParametersDeprecated = 11,
  /// Obsolete: answers the resolution of the host's parameter values.
  audioMasterGetParameterQuantizationDeprecated = 12,
  /// The record's channel counts or initial delay changed; a non-zero answer means the
  /// host took the new values.
  audioMasterIOChanged = 13,
  /// Obsolete: the effect wants idle time.
  audioMasterNeedIdleDeprecated = 14,
  /// Asks the host to make the editor's window index wide and value high, in pixels;
  /// non-zero when done.
  audioMasterSizeWindow = 15,
  /// Answers the host's sample rate in Hz, as a whole number.
  audioMasterGetSampleRate = 16,
  /// Answers the host's block size: the most frames one process call brings.
  audioMasterGetBlockSize = 17,
  /// Answers the latency of the host's audio input, in samples.
  audioMasterGetInputLatency = 18,
  /// Answers the latency of the host's audio output, in samples.
  audioMasterGetOutputLatency = 19,
  /// Obsolete: answers the address of the record of the effect before this one, or 0.
  audioMasterGetPreviousPlugDeprecated = 20,
  /// Obsolete: answers the address of the record of the effect after this one, or 0.
  audioMasterGetNextPlugDeprecated = 21,
  /// Obsolete: answers whether the host calls the replacing or the accumulating process.
  audioMasterWillReplaceOrAccumulateDeprecated = 22,
  /// Answers in what context the effect is being called (1 from the user interface, 4
  /// offline, and so on), 0 when the host cannot tell.
  audioMasterGetCurrentProcessLevel = 23,
  /// Answers whether the host is reading or writing automation, 0 when it cannot tell.
  audioMasterGetAutomationState = 24,
  /// Offline processing: starts on the value PlugAudioFile records at ptr, index of them
  /// new.
  audioMasterOfflineStart = 25,
  /// Offline processing: reads audio for the PlugOfflineTask at ptr, from the source file
  /// when index is 1; value is the option.
  audioMasterOfflineRead = 26,
  /// Offline processing: writes audio for the PlugOfflineTask at ptr; value is the option.
  audioMasterOfflineWrite = 27,
  /// Offline processing: answers which pass is running.
  audioMasterOfflineGetCurrentPass = 28,
  /// Offline processing: answers which meta-pass is running.
  audioMasterOfflineGetCurrentMetaPass = 29,
  /// Obsolete: tells the host the output sample rate, in opt.
  audioMasterSetOutputSampleRateDeprecated = 30,
  /// Obsolete: answers the address of the host's output speaker arrangement.
  audioMasterGetOutputSpeakerArrangementDeprecated = 31,
  /// Writes the host's vendor name at ptr, kPlugMaxVendorStrLen at most; non-zero when
  /// written.
  audioMasterGetVendorString = 32,
  /// Writes the host's product name at ptr, kPlugMaxProductStrLen at most; non-zero when
  /// written.
  audioMasterGetProductString = 33,
  /// Answers the host vendor's own version number of the host.
  audioMasterGetVendorVersion = 34,
  /// A request of the host vendor's own: index, value, ptr and opt pass through untouched.
  audioMasterVendorSpecific = 35,
  /// Asks whether the host has the capability named at ptr (see HostCanDos).
  audioMasterCanDo = 37,
  /// Answers the language of the host's user interface, as a number.
  audioMasterGetLanguage = 38,
  /// Obsolete: asks the host to open a window described at ptr.
  audioMasterOpenWindowDeprecated = 39,
  /// Obsolete: asks the host to close the window at ptr.
  audioMasterCloseWindowDeprecated = 40,
  /// Answers the address of the native path of the folder the plug-in was loaded from,
  /// which the host keeps.
  audioMasterGetDirectory = 41,
  /// Something the host shows of the effect changed (names, programs, parameter texts).
  audioMasterUpdateDisplay = 42,
  /// The user took hold of parameter index in the editor: the audioMasterAutomate requests
  /// up to audioMasterEndEdit are one gesture.
  audioMasterBeginEdit = 43,
  /// The user let go of parameter index.
  audioMasterEndEdit = 44,
  /// Asks the host to show the file selector the PlugFileSelect at ptr describes; non-zero
  /// when it did.
  audioMasterOpenFileSelector = 45,
  /// Lets the host release what it stored in the PlugFileSelect at ptr.
  audioMasterCloseFileSelector = 46,
  /// Obsolete: asks the host to edit a file; the layer never sends it.
  audioMasterEditFileDeprecated = 47,
  /// Obsolete: writes at ptr the native path of the file a chunk is being loaded from.
  audioMasterGetChunkFileDeprecated = 48,
  /// Obsolete: answers the address of the host's input speaker arrangement.
  audioMasterGetInputSpeakerArrangementDeprecated = 49,
};

/// Key record handed to the editor for the key opcodes.
struct PlugKeyCode {
  PlugInt32 character;     ///< the character typed, 0 when the key types none
  unsigned char virt;      ///< the key's virtual code (kPlugKey...), 0 when it has none
  unsigned char modifier;  ///< modifier bits, kPlugModifierShift among them
};

// The interface's own virtual key codes in PlugKeyCode::virt (not the
// platform's), those the toolkit and the tools use, and its Shift bit in
// PlugKeyCode::modifier.
constexpr unsigned char kPlugKeyTab = 2;         ///< Tab
constexpr unsigned char kPlugKeyLeft = 11;       ///< Left arrow
constexpr unsigned char kPlugKeyUp = 12;         ///< Up arrow
constexpr unsigned char kPlugKeyRight = 13;      ///< Right arrow
constexpr unsigned char kPlugKeyDown = 14;       ///< Down arrow
constexpr unsigned char kPlugModifierShift = 1;  ///< Shift held

/// The editor rectangle shared with the host, in pixels; right - left is the width and
/// bottom - top the height.
struct ERect {
  PlugInt16 top;     ///< top edge
  PlugInt16 left;    ///< left edge
  PlugInt16 bottom;  ///< bottom edge, one past the last row
  PlugInt16 right;   ///< right edge, one past the last column
};

/// Maximum text lengths of the interface (characters, without the terminator).
enum PlugStringConstants : PlugInt32 {
  kPlugMaxProgNameLen = 24,    ///< program names
  kPlugMaxParamStrLen = 8,     ///< parameter names, units and value texts
  kPlugMaxVendorStrLen = 64,   ///< vendor names
  kPlugMaxProductStrLen = 64,  ///< product names
  kPlugMaxEffectNameLen = 32,  ///< effect names
};
