// Where the dispatcher sends each request of an effect of the tests' own: the
// operation it calls, the arguments that operation receives, and how its
// answer comes back to the host.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "probe.h"

using probe::Call;
using probe::plain;
using probe::ProbeEffect;
using probe::withIndex;
using probe::withPtr;
using probe::withValue;

namespace {

enum class Answer { None, Truth, Raw };

struct Route {
  PlugInt32 opcode;
  PlugInt32 index;
  PlugIntPtr value;
  void* ptr;
  float opt;
  Answer answer;
  std::vector<Call> calls;
};

// What the requests hand over: a data block and a second address that the
// arrangement requests carry in value.
char data[64];
void* inputSide[1];

constexpr PlugInt32 kIndex = 3;
constexpr PlugIntPtr kValue = 5;
constexpr float kOpt = 0.75f;

PlugIntPtr inputAddress() { return reinterpret_cast<PlugIntPtr>(inputSide); }

Call with(Call c, float opt) {
  c.opt = opt;
  return c;
}
Call with(Call c, bool flag) {
  c.flag = flag;
  return c;
}
Call withSecond(Call c, const void* ptr2) {
  c.ptr2 = ptr2;
  return c;
}
Call asked(const char* text) {
  Call c{"canDo"};
  c.text = text;
  return c;
}

// Requests of the effect itself, each with arguments that tell its fields
// apart.
std::vector<Route> effectRoutes() {
  const Answer N = Answer::None, T = Answer::Truth, R = Answer::Raw;
  return {
      {effOpen, kIndex, kValue, data, kOpt, N, {plain("open")}},
      {effClose, kIndex, kValue, data, kOpt, N, {plain("close")}},
      {effSetProgram, kIndex, 2, data, kOpt, N, {withValue("setProgram", 2)}},
      {effGetProgram, kIndex, kValue, data, kOpt, N, {}},
      {effSetProgramName, kIndex, kValue, data, kOpt, N, {withPtr("setProgramName", data)}},
      {effGetProgramName, kIndex, kValue, data, kOpt, N, {withPtr("getProgramName", data)}},
      {effGetParamLabel, kIndex, kValue, data, kOpt, N,
       {withPtr("getParameterLabel", data, kIndex)}},
      {effGetParamDisplay, kIndex, kValue, data, kOpt, N,
       {withPtr("getParameterDisplay", data, kIndex)}},
      {effGetParamName, kIndex, kValue, data, kOpt, N,
       {withPtr("getParameterName", data, kIndex)}},
      {effSetSampleRate, kIndex, kValue, data, 48000.0f, N,
       {with(plain("setSampleRate"), 48000.0f)}},
      {effSetBlockSize, kIndex, 256, data, kOpt, N, {withValue("setBlockSize", 256)}},
      {effMainsChanged, kIndex, 0, data, kOpt, N, {plain("suspend")}},
      {effMainsChanged, kIndex, 1, data, kOpt, N,
       {plain("resume"), asked("receivePlugMidiEvent")}},
      {effMainsChanged, kIndex, -2, data, kOpt, N,
       {plain("resume"), asked("receivePlugMidiEvent")}},
      {effGetChunk, kIndex, kValue, data, kOpt, R, {with(withPtr("getChunk", data), true)}},
      {effGetChunk, 0, kValue, data, kOpt, R, {withPtr("getChunk", data)}},
      {effSetChunk, kIndex, 900, data, kOpt, R,
       {with(withPtr("setChunk", data, 0, 900), true)}},
      {effSetChunk, 0, 900, data, kOpt, R, {withPtr("setChunk", data, 0, 900)}},
      {effProcessEvents, kIndex, kValue, data, kOpt, R, {withPtr("processEvents", data)}},
      {effCanBeAutomated, kIndex, kValue, data, kOpt, T,
       {withIndex("canParameterBeAutomated", kIndex)}},
      {effString2Parameter, kIndex, kValue, data, kOpt, T,
       {withPtr("string2parameter", data, kIndex)}},
      {effGetProgramNameIndexed, kIndex, kValue, data, kOpt, T,
       {withPtr("getProgramNameIndexed", data, kIndex, kValue)}},
      {effGetInputProperties, kIndex, kValue, data, kOpt, T,
       {withPtr("getInputProperties", data, kIndex)}},
      {effGetOutputProperties, kIndex, kValue, data, kOpt, T,
       {withPtr("getOutputProperties", data, kIndex)}},
      {effGetPlugCategory, kIndex, kValue, data, kOpt, R, {plain("getPlugCategory")}},
      {effOfflineNotify, kIndex, kValue, data, kOpt, T,
       {with(withPtr("offlineNotify", data, 0, kValue), true)}},
      {effOfflineNotify, 0, kValue, data, kOpt, T, {withPtr("offlineNotify", data, 0, kValue)}},
      {effOfflinePrepare, kIndex, kValue, data, kOpt, T,
       {withPtr("offlinePrepare", data, 0, kValue)}},
      {effOfflineRun, kIndex, kValue, data, kOpt, T, {withPtr("offlineRun", data, 0, kValue)}},
      {effProcessVarIo, kIndex, kValue, data, kOpt, T, {withPtr("processVariableIo", data)}},
      {effSetSpeakerArrangement, kIndex, inputAddress(), data, kOpt, T,
       {withSecond(withPtr("setSpeakerArrangement", data), inputSide)}},
      {effSetBypass, kIndex, kValue, data, kOpt, T, {with(plain("setBypass"), true)}},
      {effSetBypass, kIndex, 0, data, kOpt, T, {plain("setBypass")}},
      {effGetEffectName, kIndex, kValue, data, kOpt, T, {withPtr("getEffectName", data)}},
      {effGetVendorString, kIndex, kValue, data, kOpt, T, {withPtr("getVendorString", data)}},
      {effGetProductString, kIndex, kValue, data, kOpt, T, {withPtr("getProductString", data)}},
      {effGetVendorVersion, kIndex, kValue, data, kOpt, R, {plain("getVendorVersion")}},
      {effVendorSpecific, kIndex, kValue, data, kOpt, R,
       {with(withPtr("vendorSpecific", data, kIndex, kValue), kOpt)}},
      {effVendorSpecific, kIndex, kValue, nullptr, kOpt, R,
       {with(withPtr("vendorSpecific", nullptr, kIndex, kValue), kOpt)}},
      {effCanDo, kIndex, kValue, const_cast<char*>("bypass"), kOpt, R, {asked("bypass")}},
      {effGetTailSize, kIndex, kValue, data, kOpt, R, {plain("getGetTailSize")}},
      {effGetParameterProperties, kIndex, kValue, data, kOpt, T,
       {withPtr("getParameterProperties", data, kIndex)}},
      {effGetInterfaceVersion, kIndex, kValue, data, kOpt, R, {plain("getInterfaceVersion")}},
      {effGetMidiProgramName, kIndex, kValue, data, kOpt, R,
       {withPtr("getMidiProgramName", data, kIndex)}},
      {effGetCurrentMidiProgram, kIndex, kValue, data, kOpt, R,
       {withPtr("getCurrentMidiProgram", data, kIndex)}},
      {effGetMidiProgramCategory, kIndex, kValue, data, kOpt, R,
       {withPtr("getMidiProgramCategory", data, kIndex)}},
      {effHasMidiProgramsChanged, kIndex, kValue, data, kOpt, T,
       {withIndex("hasMidiProgramsChanged", kIndex)}},
      {effGetMidiKeyName, kIndex, kValue, data, kOpt, T,
       {withPtr("getMidiKeyName", data, kIndex)}},
      {effBeginSetProgram, kIndex, kValue, data, kOpt, T, {plain("beginSetProgram")}},
      {effEndSetProgram, kIndex, kValue, data, kOpt, T, {plain("endSetProgram")}},
      {effGetSpeakerArrangement, kIndex, inputAddress(), data, kOpt, T,
       {withSecond(withPtr("getSpeakerArrangement", data), inputSide)}},
      {effShellGetNextPlugin, kIndex, kValue, data, kOpt, R,
       {withPtr("getNextShellPlugin", data)}},
      {effStartProcess, kIndex, kValue, data, kOpt, R, {plain("startProcess")}},
      {effStopProcess, kIndex, kValue, data, kOpt, R, {plain("stopProcess")}},
      {effSetTotalSampleToProcess, kIndex, 12345, data, kOpt, R,
       {withValue("setTotalSampleToProcess", 12345)}},
      {effSetPanLaw, kIndex, kValue, data, kOpt, T, {with(withValue("setPanLaw", kValue), kOpt)}},
      {effBeginLoadBank, kIndex, kValue, data, kOpt, R, {withPtr("beginLoadBank", data)}},
      {effBeginLoadProgram, kIndex, kValue, data, kOpt, R, {withPtr("beginLoadProgram", data)}},
      {effSetProcessPrecision, kIndex, 1, data, kOpt, T, {withValue("setProcessPrecision", 1)}},
      {effGetNumMidiInputChannels, kIndex, kValue, data, kOpt, R,
       {plain("getNumMidiInputChannels")}},
      {effGetNumMidiOutputChannels, kIndex, kValue, data, kOpt, R,
       {plain("getNumMidiOutputChannels")}},
  };
}

// Requests for the editor; a key arrives as character, virt and modifier.
std::vector<Route> editorRoutes() {
  const Answer N = Answer::None, T = Answer::Truth;
  Call key;
  key.index = 65;
  key.value = 0x34;
  key.opt = 2;
  Call down = key, up = key, mode = withValue("setKnobMode", 2);
  down.op = "onKeyDown";
  up.op = "onKeyUp";
  return {
      {effEditGetRect, kIndex, kValue, data, kOpt, T, {withPtr("getRect", data)}},
      {effEditOpen, kIndex, kValue, data, kOpt, T, {withPtr("open", data)}},
      {effEditClose, kIndex, kValue, data, kOpt, N, {plain("close")}},
      {effEditIdle, kIndex, kValue, data, kOpt, N, {plain("idle")}},
      {effEditKeyDown, 65, 0x1234, data, 2.9f, T, {down}},
      {effEditKeyUp, 65, 0x1234, data, 2.9f, T, {up}},
      {effSetEditKnobMode, kIndex, 2, data, kOpt, T, {mode}},
  };
}

PlugIntPtr expectedAnswer(Answer kind, PlugInt32 given) {
  switch (kind) {
    case Answer::Truth:
      return given != 0 ? 1 : 0;
    case Answer::Raw:
      return given;
    default:
      return 0;
  }
}

void expectRoutes(const std::vector<Route>& routes, bool withEditor) {
  for (PlugInt32 given : {7, 0, -1}) {
    for (const Route& r : routes) {
      SCOPED_TRACE(testing::Message() << "opcode " << r.opcode << ", value " << r.value
                                      << ", operations answer " << given);
      ProbeEffect effect(withEditor);
      effect.answer = given;
      EXPECT_EQ(effect.dispatch(r.opcode, r.index, r.value, r.ptr, r.opt),
                expectedAnswer(r.answer, given));
      EXPECT_EQ(effect.calls, r.calls);
    }
  }
}

const PlugInt32 kEditorOpcodes[] = {effEditGetRect, effEditOpen,  effEditClose,      effEditIdle,
                                    effEditKeyDown, effEditKeyUp, effSetEditKnobMode};

}  // namespace

TEST(DispatchRouting, EachRequestCallsItsOperationWithItsArguments) {
  expectRoutes(effectRoutes(), false);
}

TEST(DispatchRouting, EditorRequestsReachTheEditor) { expectRoutes(editorRoutes(), true); }

TEST(DispatchRouting, EditorRequestsWithoutAnEditorCallNothing) {
  for (PlugInt32 opcode : kEditorOpcodes) {
    SCOPED_TRACE(opcode);
    ProbeEffect effect(false);
    EXPECT_EQ(effect.getAeffect()->flags & effFlagsHasEditor, 0);
    EXPECT_EQ(effect.dispatch(opcode, 65, 1, data, 1.0f), 0);
    EXPECT_TRUE(effect.calls.empty());
  }
}

TEST(DispatchRouting, RequestsWithoutACaseCallNothing) {
  const PlugInt32 unknown[] = {std::numeric_limits<PlugInt32>::min(), -25, -5, -1, 9, 16, 17, 18,
                               20, 21, 28, 30, 31, 32, 36, 37, 43, 46, 53, 54, 55, 57, 80, 81,
                               100, 1000, std::numeric_limits<PlugInt32>::max()};
  for (PlugInt32 opcode : unknown) {
    SCOPED_TRACE(opcode);
    ProbeEffect effect(true);
    EXPECT_EQ(effect.dispatch(opcode, kIndex, kValue, data, kOpt), 0);
    EXPECT_TRUE(effect.calls.empty());
  }
}

TEST(DispatchRouting, IdentificationAnswersItsCodeAndCallsNothing) {
  ProbeEffect effect(true);
  EXPECT_EQ(effect.dispatch(22), 0x4E764566);  // 'NvEf'
  EXPECT_TRUE(effect.calls.empty());
}

// A host that passes no address where the request needs one gets 0, and the
// effect and its editor are never asked: their overrides would write
// through it or read from it.
TEST(DispatchRouting, MissingAddressesAreAnswered0AndCallNothing) {
  const PlugInt32 needPtr[] = {
      effSetProgramName,      effGetProgramName,         effGetParamLabel,
      effGetParamDisplay,     effGetParamName,           effEditGetRect,
      effEditOpen,            effGetChunk,               effSetChunk,
      effProcessEvents,       effString2Parameter,       effGetProgramNameIndexed,
      effGetInputProperties,  effGetOutputProperties,    effOfflineNotify,
      effOfflinePrepare,      effOfflineRun,             effProcessVarIo,
      effSetSpeakerArrangement, effGetEffectName,        effGetVendorString,
      effGetProductString,    effCanDo,                  effGetParameterProperties,
      effGetMidiProgramName,  effGetCurrentMidiProgram,  effGetMidiProgramCategory,
      effGetMidiKeyName,      effGetSpeakerArrangement,  effShellGetNextPlugin,
      effBeginLoadBank,       effBeginLoadProgram};
  for (PlugInt32 opcode : needPtr) {
    SCOPED_TRACE(opcode);
    ProbeEffect effect(true);
    EXPECT_EQ(effect.dispatch(opcode, kIndex, inputAddress(), nullptr, kOpt), 0);
    EXPECT_TRUE(effect.calls.empty());
  }
  for (PlugInt32 opcode : {effSetSpeakerArrangement, effGetSpeakerArrangement}) {
    SCOPED_TRACE(opcode);
    ProbeEffect effect(true);
    EXPECT_EQ(effect.dispatch(opcode, kIndex, 0, data, kOpt), 0);
    EXPECT_TRUE(effect.calls.empty());
  }
}

TEST(DispatchPrograms, OnlyNumbersInsideTheTableAreSelected) {
  ProbeEffect effect(false);
  for (PlugIntPtr program = 0; program < ProbeEffect::kPrograms; ++program) {
    effect.dispatch(effSetProgram, 0, program);
    EXPECT_EQ(effect.dispatch(effGetProgram), program);
  }
  effect.calls.clear();
  std::vector<PlugIntPtr> outside = {ProbeEffect::kPrograms, ProbeEffect::kPrograms + 1, -1, -3,
                                     std::numeric_limits<PlugInt32>::min()};
  if (sizeof(PlugIntPtr) > sizeof(PlugInt32)) {
    // Numbers whose low 32 bits alone would name a program.
    outside.push_back(static_cast<PlugIntPtr>((int64_t{1} << 32) + 1));
    outside.push_back(static_cast<PlugIntPtr>(-(int64_t{1} << 32) + 2));
  }
  for (PlugIntPtr program : outside) {
    SCOPED_TRACE(program);
    EXPECT_EQ(effect.dispatch(effSetProgram, 0, program), 0);
    EXPECT_EQ(effect.dispatch(effGetProgram), ProbeEffect::kPrograms - 1);
  }
  EXPECT_TRUE(effect.calls.empty());
}

TEST(DispatchKeys, KeyRecordsArePackedFromIndexValueAndOpt) {
  struct KeyCase {
    PlugInt32 index;
    PlugIntPtr value;
    float opt;
    PlugInt32 character;
    int virt;
    int modifier;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const KeyCase cases[] = {
      {65, 0, 2.9f, 65, 0, 2},           {-1, 0x1FF, -1.0f, -1, 0xFF, 0xFF},
      {0, -1, 300.7f, 0, 0xFF, 44},      {0x10000, 0x100, -2.9f, 0x10000, 0, 0xFE},
      {7, 0x41, 70000.0f, 7, 0x41, 0x70}, {7, 0x41, -0.9f, 7, 0x41, 0},
      {7, 0x41, nan, 7, 0x41, 0},        {7, 0x41, inf, 7, 0x41, 0},
      {7, 0x41, -inf, 7, 0x41, 0},       {7, 0x41, 1e20f, 7, 0x41, 0},
  };
  for (const KeyCase& k : cases) {
    for (PlugInt32 opcode : {effEditKeyDown, effEditKeyUp}) {
      SCOPED_TRACE(testing::Message() << "opcode " << opcode << ", opt " << k.opt);
      ProbeEffect effect(true);
      effect.dispatch(opcode, k.index, k.value, nullptr, k.opt);
      ASSERT_EQ(effect.calls.size(), 1u);
      EXPECT_EQ(effect.calls[0].op, opcode == effEditKeyDown ? "onKeyDown" : "onKeyUp");
      EXPECT_EQ(effect.calls[0].index, k.character);
      EXPECT_EQ(effect.calls[0].value, k.virt);
      EXPECT_EQ(effect.calls[0].opt, static_cast<float>(k.modifier));
    }
  }
}

TEST(DispatchResume, SynthsAskTheHostForEvents) {
  testhost::RecordingHost host;
  testhost::BareEffect effect;
  effect.dispatch(effMainsChanged, 0, 1);
  EXPECT_TRUE(host.requests.empty());

  effect.isSynth(true);
  effect.dispatch(effMainsChanged, 0, 0);
  EXPECT_TRUE(host.requests.empty());
  effect.dispatch(effMainsChanged, 0, 1);
  ASSERT_EQ(host.requests.size(), 1u);
  EXPECT_EQ(host.requests[0].effect, effect.getAeffect());
  EXPECT_EQ(host.requests[0].opcode, audioMasterWantMidiDeprecated);
  EXPECT_EQ(host.requests[0].index, 0);
  EXPECT_EQ(host.requests[0].value, 1);
  EXPECT_EQ(host.requests[0].ptr, nullptr);
}

TEST(DispatchResume, EffectsTakingMidiAskOnlyWhenTheyAnswerExactly1) {
  for (PlugInt32 answer : {1, 2, -1, 0}) {
    SCOPED_TRACE(answer);
    testhost::RecordingHost host;
    ProbeEffect effect(false, testhost::RecordingHost::callback);
    effect.answer = answer;
    effect.dispatch(effMainsChanged, 0, 1);
    auto wants = host.requestsWith(audioMasterWantMidiDeprecated);
    EXPECT_EQ(wants.size(), answer == 1 ? 1u : 0u);
  }
}

TEST(DispatchDefaults, CategoryFollowsTheSynthFlag) {
  testhost::RecordingHost host;
  testhost::BareEffect effect;
  EXPECT_EQ(effect.dispatch(effGetPlugCategory), 0);
  effect.isSynth(true);
  EXPECT_EQ(effect.dispatch(effGetPlugCategory), 2);
  effect.isSynth(false);
  EXPECT_EQ(effect.dispatch(effGetPlugCategory), 0);
}
