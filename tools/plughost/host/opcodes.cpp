// Readable names for the request numbers that cross the host/plug-in
// boundary.
#include "tools/plughost/host/opcodes.h"

#include <iterator>

#include "tools/plughost/host/named.h"

namespace plughost {

namespace {

const Named<PlugInt32> kHostOpcodes[] = {
    {audioMasterAutomate, "audioMasterAutomate"},
    {audioMasterVersion, "audioMasterVersion"},
    {audioMasterCurrentId, "audioMasterCurrentId"},
    {audioMasterIdle, "audioMasterIdle"},
    {audioMasterPinConnectedDeprecated, "audioMasterPinConnectedDeprecated"},
    {audioMasterWantMidiDeprecated, "audioMasterWantMidiDeprecated"},
    {audioMasterGetTime, "audioMasterGetTime"},
    {audioMasterProcessEvents, "audioMasterProcessEvents"},
    {audioMasterTempoAtDeprecated, "audioMasterTempoAtDeprecated"},
    {audioMasterGetNumAutomatableParametersDeprecated,
     "audioMasterGetNumAutomatableParametersDeprecated"},
    {audioMasterGetParameterQuantizationDeprecated,
     "audioMasterGetParameterQuantizationDeprecated"},
    {audioMasterIOChanged, "audioMasterIOChanged"},
    {audioMasterNeedIdleDeprecated, "audioMasterNeedIdleDeprecated"},
    {audioMasterSizeWindow, "audioMasterSizeWindow"},
    {audioMasterGetSampleRate, "audioMasterGetSampleRate"},
    {audioMasterGetBlockSize, "audioMasterGetBlockSize"},
    {audioMasterGetInputLatency, "audioMasterGetInputLatency"},
    {audioMasterGetOutputLatency, "audioMasterGetOutputLatency"},
    {audioMasterGetPreviousPlugDeprecated, "audioMasterGetPreviousPlugDeprecated"},
    {audioMasterGetNextPlugDeprecated, "audioMasterGetNextPlugDeprecated"},
    {audioMasterWillReplaceOrAccumulateDeprecated, "audioMasterWillReplaceOrAccumulateDeprecated"},
    {audioMasterGetCurrentProcessLevel, "audioMasterGetCurrentProcessLevel"},
    {audioMasterGetAutomationState, "audioMasterGetAutomationState"},
    {audioMasterOfflineStart, "audioMasterOfflineStart"},
    {audioMasterOfflineRead, "audioMasterOfflineRead"},
    {audioMasterOfflineWrite, "audioMasterOfflineWrite"},
    {audioMasterOfflineGetCurrentPass, "audioMasterOfflineGetCurrentPass"},
    {audioMasterOfflineGetCurrentMetaPass, "audioMasterOfflineGetCurrentMetaPass"},
    {audioMasterSetOutputSampleRateDeprecated, "audioMasterSetOutputSampleRateDeprecated"},
    {audioMasterGetOutputSpeakerArrangementDeprecated,
     "audioMasterGetOutputSpeakerArrangementDeprecated"},
    {audioMasterGetVendorString, "audioMasterGetVendorString"},
    {audioMasterGetProductString, "audioMasterGetProductString"},
    {audioMasterGetVendorVersion, "audioMasterGetVendorVersion"},
    {audioMasterVendorSpecific, "audioMasterVendorSpecific"},
    {audioMasterCanDo, "audioMasterCanDo"},
    {audioMasterGetLanguage, "audioMasterGetLanguage"},
    {audioMasterOpenWindowDeprecated, "audioMasterOpenWindowDeprecated"},
    {audioMasterCloseWindowDeprecated, "audioMasterCloseWindowDeprecated"},
    {audioMasterGetDirectory, "audioMasterGetDirectory"},
    {audioMasterUpdateDisplay, "audioMasterUpdateDisplay"},
    {audioMasterBeginEdit, "audioMasterBeginEdit"},
    {audioMasterEndEdit, "audioMasterEndEdit"},
    {audioMasterOpenFileSelector, "audioMasterOpenFileSelector"},
    {audioMasterCloseFileSelector, "audioMasterCloseFileSelector"},
    {audioMasterEditFileDeprecated, "audioMasterEditFileDeprecated"},
    {audioMasterGetChunkFileDeprecated, "audioMasterGetChunkFileDeprecated"},
    {audioMasterGetInputSpeakerArrangementDeprecated,
     "audioMasterGetInputSpeakerArrangementDeprecated"},
};

const Named<PlugInt32> kEffectOpcodes[] = {
    {effOpen, "effOpen"},
    {effClose, "effClose"},
    {effSetProgram, "effSetProgram"},
    {effGetProgram, "effGetProgram"},
    {effSetProgramName, "effSetProgramName"},
    {effGetProgramName, "effGetProgramName"},
    {effGetParamLabel, "effGetParamLabel"},
    {effGetParamDisplay, "effGetParamDisplay"},
    {effGetParamName, "effGetParamName"},
    {effSetSampleRate, "effSetSampleRate"},
    {effSetBlockSize, "effSetBlockSize"},
    {effMainsChanged, "effMainsChanged"},
    {effEditGetRect, "effEditGetRect"},
    {effEditOpen, "effEditOpen"},
    {effEditClose, "effEditClose"},
    {effEditIdle, "effEditIdle"},
    {effIdentify, "effIdentify"},
    {effGetChunk, "effGetChunk"},
    {effSetChunk, "effSetChunk"},
    {effProcessEvents, "effProcessEvents"},
    {effCanBeAutomated, "effCanBeAutomated"},
    {effString2Parameter, "effString2Parameter"},
    {effGetProgramNameIndexed, "effGetProgramNameIndexed"},
    {effGetInputProperties, "effGetInputProperties"},
    {effGetOutputProperties, "effGetOutputProperties"},
    {effGetPlugCategory, "effGetPlugCategory"},
    {effOfflineNotify, "effOfflineNotify"},
    {effOfflinePrepare, "effOfflinePrepare"},
    {effOfflineRun, "effOfflineRun"},
    {effProcessVarIo, "effProcessVarIo"},
    {effSetSpeakerArrangement, "effSetSpeakerArrangement"},
    {effSetBypass, "effSetBypass"},
    {effGetEffectName, "effGetEffectName"},
    {effGetVendorString, "effGetVendorString"},
    {effGetProductString, "effGetProductString"},
    {effGetVendorVersion, "effGetVendorVersion"},
    {effVendorSpecific, "effVendorSpecific"},
    {effCanDo, "effCanDo"},
    {effGetTailSize, "effGetTailSize"},
    {effGetParameterProperties, "effGetParameterProperties"},
    {effGetInterfaceVersion, "effGetInterfaceVersion"},
    {effEditKeyDown, "effEditKeyDown"},
    {effEditKeyUp, "effEditKeyUp"},
    {effSetEditKnobMode, "effSetEditKnobMode"},
    {effGetMidiProgramName, "effGetMidiProgramName"},
    {effGetCurrentMidiProgram, "effGetCurrentMidiProgram"},
    {effGetMidiProgramCategory, "effGetMidiProgramCategory"},
    {effHasMidiProgramsChanged, "effHasMidiProgramsChanged"},
    {effGetMidiKeyName, "effGetMidiKeyName"},
    {effBeginSetProgram, "effBeginSetProgram"},
    {effEndSetProgram, "effEndSetProgram"},
    {effGetSpeakerArrangement, "effGetSpeakerArrangement"},
    {effShellGetNextPlugin, "effShellGetNextPlugin"},
    {effStartProcess, "effStartProcess"},
    {effStopProcess, "effStopProcess"},
    {effSetTotalSampleToProcess, "effSetTotalSampleToProcess"},
    {effSetPanLaw, "effSetPanLaw"},
    {effBeginLoadBank, "effBeginLoadBank"},
    {effBeginLoadProgram, "effBeginLoadProgram"},
    {effSetProcessPrecision, "effSetProcessPrecision"},
    {effGetNumMidiInputChannels, "effGetNumMidiInputChannels"},
    {effGetNumMidiOutputChannels, "effGetNumMidiOutputChannels"},
};

}  // namespace

const char* hostOpcodeName(PlugInt32 opcode) { return nameOf(kHostOpcodes, opcode, "unnamed"); }

const char* effectOpcodeName(PlugInt32 opcode) { return nameOf(kEffectOpcodes, opcode, "unnamed"); }

const char* const kEffectCapabilities[] = {
    "sendPlugEvents",      "sendPlugMidiEvent", "receivePlugEvents", "receivePlugMidiEvent",
    "receivePlugTimeInfo", "offline",           "midiProgramNames",  "bypass",
};
const int kNumEffectCapabilities = static_cast<int>(std::size(kEffectCapabilities));

}  // namespace plughost
