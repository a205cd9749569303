// What an effect asks of its host: every request with the arguments it
// carries, how the host's answer is read, and what each answers when the
// effect was built without a host.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/testeffect.h"
#include "support/testhost.h"

using testhost::BareEffect;
using testhost::RecordingHost;
using testhost::Request;

namespace {

// Distinct objects whose addresses travel in requests and answers.
char hostText[64];
char payload[16];
char window[16];
char answerTarget[16];

PlugIntPtr addressOf(const void* p) { return reinterpret_cast<PlugIntPtr>(p); }
PlugIntPtr answerAddress() { return addressOf(answerTarget); }

// One way of asking the host: the call, the request it must send, and how
// the answer comes back. `call` turns the operation's result into an integer
// (truth values 1 or 0, addresses as their value, nothing as 0).
struct HostQuery {
  std::string name;
  std::function<PlugIntPtr(BareEffect&)> call;
  PlugInt32 opcode;
  PlugInt32 index;
  PlugIntPtr value;
  void* ptr;
  float opt;
  PlugIntPtr hostAnswer;
  PlugIntPtr expected;
  PlugIntPtr withoutHost;
};

template <class Result>
PlugIntPtr asInteger(Result r) {
  return static_cast<PlugIntPtr>(r);
}
PlugIntPtr asInteger(bool r) { return r ? 1 : 0; }
template <class T>
PlugIntPtr asInteger(T* p) {
  return addressOf(p);
}

template <class Op>
std::function<PlugIntPtr(BareEffect&)> returning(Op op) {
  return [op](BareEffect& e) { return asInteger(op(e)); };
}

template <class Op>
std::function<PlugIntPtr(BareEffect&)> silent(Op op) {
  return [op](BareEffect& e) {
    op(e);
    return PlugIntPtr(0);
  };
}

// Answers that are not 1 but non-zero show whether a request reads "true
// when non-zero", "1 when non-zero" or "only exactly 1".
std::vector<HostQuery> hostQueries() {
  auto* events = reinterpret_cast<PlugEvents*>(payload);
  auto* files = reinterpret_cast<PlugAudioFile*>(payload);
  auto* task = reinterpret_cast<PlugOfflineTask*>(payload);
  auto* select = reinterpret_cast<PlugFileSelect*>(payload);
  const PlugIntPtr big = 0x12345;
  return {
      {"getMasterVersion", returning([](BareEffect& e) { return e.getMasterVersion(); }),
       audioMasterVersion, 0, 0, nullptr, 0, 2400, 2400, 1},
      {"getMasterVersion zero", returning([](BareEffect& e) { return e.getMasterVersion(); }),
       audioMasterVersion, 0, 0, nullptr, 0, 0, 1, 1},
      {"getCurrentUniqueId", returning([](BareEffect& e) { return e.getCurrentUniqueId(); }),
       audioMasterCurrentId, 0, 0, nullptr, 0, big, big, 0},
      {"masterIdle", silent([](BareEffect& e) { e.masterIdle(); }), audioMasterIdle, 0, 0,
       nullptr, 0, 5, 0, 0},
      {"isInputConnected yes", returning([](BareEffect& e) { return e.isInputConnected(2); }),
       audioMasterPinConnectedDeprecated, 2, 0, nullptr, 0, 0, 1, 1},
      {"isInputConnected no", returning([](BareEffect& e) { return e.isInputConnected(2); }),
       audioMasterPinConnectedDeprecated, 2, 0, nullptr, 0, 1, 0, 1},
      {"isOutputConnected yes", returning([](BareEffect& e) { return e.isOutputConnected(3); }),
       audioMasterPinConnectedDeprecated, 3, 1, nullptr, 0, 0, 1, 1},
      {"isOutputConnected no", returning([](BareEffect& e) { return e.isOutputConnected(3); }),
       audioMasterPinConnectedDeprecated, 3, 1, nullptr, 0, 7, 0, 1},
      {"wantEvents", silent([](BareEffect& e) { e.__wantEventsDeprecated(9); }),
       audioMasterWantMidiDeprecated, 0, 9, nullptr, 0, 1, 0, 0},
      {"getTimeInfo", returning([](BareEffect& e) { return e.getTimeInfo(0x0F00); }),
       audioMasterGetTime, 0, 0x0F00, nullptr, 0, answerAddress(), answerAddress(), 0},
      {"getTimeInfo null", returning([](BareEffect& e) { return e.getTimeInfo(0); }),
       audioMasterGetTime, 0, 0, nullptr, 0, 0, 0, 0},
      {"sendEventsToHost one",
       returning([events](BareEffect& e) { return e.sendEventsToHost(events); }),
       audioMasterProcessEvents, 0, 0, payload, 0, 1, 1, 0},
      {"sendEventsToHost two",
       returning([events](BareEffect& e) { return e.sendEventsToHost(events); }),
       audioMasterProcessEvents, 0, 0, payload, 0, 2, 0, 0},
      {"tempoAt", returning([](BareEffect& e) { return e.__tempoAtDeprecated(4410); }),
       audioMasterTempoAtDeprecated, 0, 4410, nullptr, 0, 1200000, 1200000, 0},
      {"numAutomatable",
       returning([](BareEffect& e) { return e.__getNumAutomatableParametersDeprecated(); }),
       audioMasterGetNumAutomatableParametersDeprecated, 0, 0, nullptr, 0, 6, 6, 0},
      {"quantization",
       returning([](BareEffect& e) { return e.__getParameterQuantizationDeprecated(); }),
       audioMasterGetParameterQuantizationDeprecated, 0, 0, nullptr, 0, 100, 100, 0},
      {"ioChanged", returning([](BareEffect& e) { return e.ioChanged(); }), audioMasterIOChanged,
       0, 0, nullptr, 0, 2, 1, 0},
      {"needIdle", returning([](BareEffect& e) { return e.__needIdleDeprecated(); }),
       audioMasterNeedIdleDeprecated, 0, 0, nullptr, 0, 2, 1, 0},
      {"sizeWindow", returning([](BareEffect& e) { return e.sizeWindow(320, 240); }),
       audioMasterSizeWindow, 320, 240, nullptr, 0, 2, 1, 0},
      {"sizeWindow refused", returning([](BareEffect& e) { return e.sizeWindow(320, 240); }),
       audioMasterSizeWindow, 320, 240, nullptr, 0, 0, 0, 0},
      {"getInputLatency", returning([](BareEffect& e) { return e.getInputLatency(); }),
       audioMasterGetInputLatency, 0, 0, nullptr, 0, 256, 256, 0},
      {"getOutputLatency", returning([](BareEffect& e) { return e.getOutputLatency(); }),
       audioMasterGetOutputLatency, 0, 0, nullptr, 0, 512, 512, 0},
      {"previousPlug", returning([](BareEffect& e) { return e.__getPreviousPlugDeprecated(4); }),
       audioMasterGetPreviousPlugDeprecated, 0, 0, nullptr, 0, answerAddress(), answerAddress(),
       0},
      {"nextPlug", returning([](BareEffect& e) { return e.__getNextPlugDeprecated(5); }),
       audioMasterGetNextPlugDeprecated, 0, 0, nullptr, 0, answerAddress(), answerAddress(), 0},
      {"willReplace",
       returning([](BareEffect& e) { return e.__willProcessReplacingDeprecated(); }),
       audioMasterWillReplaceOrAccumulateDeprecated, 0, 0, nullptr, 0, 2, 2, 0},
      {"processLevel", returning([](BareEffect& e) { return e.getCurrentProcessLevel(); }),
       audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0, 4, 4, 0},
      {"automationState", returning([](BareEffect& e) { return e.getAutomationState(); }),
       audioMasterGetAutomationState, 0, 0, nullptr, 0, 3, 3, 0},
      {"offlineStart",
       returning([files](BareEffect& e) { return e.offlineStart(files, 6, 2); }),
       audioMasterOfflineStart, 2, 6, payload, 0, 2, 1, 0},
      {"offlineRead source",
       returning([task](BareEffect& e) { return e.offlineRead(task, 11); }),
       audioMasterOfflineRead, 1, 11, payload, 0, 2, 1, 0},
      {"offlineRead destination",
       returning([task](BareEffect& e) { return e.offlineRead(task, 11, false); }),
       audioMasterOfflineRead, 0, 11, payload, 0, 0, 0, 0},
      {"offlineWrite", returning([task](BareEffect& e) { return e.offlineWrite(task, 12); }),
       audioMasterOfflineWrite, 0, 12, payload, 0, 2, 1, 0},
      {"currentPass", returning([](BareEffect& e) { return e.offlineGetCurrentPass(); }),
       audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0, 3, 1, 0},
      {"currentMetaPass", returning([](BareEffect& e) { return e.offlineGetCurrentMetaPass(); }),
       audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0, 3, 1, 0},
      {"outputSampleRate",
       silent([](BareEffect& e) { e.__setOutputSamplerateDeprecated(96000.0f); }),
       audioMasterSetOutputSampleRateDeprecated, 0, 0, nullptr, 96000.0f, 1, 0, 0},
      {"outputArrangement",
       returning([](BareEffect& e) { return e.__getOutputSpeakerArrangementDeprecated(); }),
       audioMasterGetOutputSpeakerArrangementDeprecated, 0, 0, nullptr, 0, answerAddress(),
       answerAddress(), 0},
      {"hostVendor", returning([](BareEffect& e) { return e.getHostVendorString(hostText); }),
       audioMasterGetVendorString, 0, 0, hostText, 0, 2, 1, 0},
      {"hostProduct", returning([](BareEffect& e) { return e.getHostProductString(hostText); }),
       audioMasterGetProductString, 0, 0, hostText, 0, 2, 1, 0},
      {"hostVendorVersion", returning([](BareEffect& e) { return e.getHostVendorVersion(); }),
       audioMasterGetVendorVersion, 0, 0, nullptr, 0, 1300, 1300, 0},
      {"hostVendorSpecific",
       returning([](BareEffect& e) { return e.hostVendorSpecific(-7, big, payload, 0.5f); }),
       audioMasterVendorSpecific, -7, big, payload, 0.5f, -3, -3, 0},
      {"canHostDo", returning([](BareEffect& e) { return e.canHostDo(hostText); }),
       audioMasterCanDo, 0, 0, hostText, 0, 5, 1, 0},
      {"canHostDo no", returning([](BareEffect& e) { return e.canHostDo(hostText); }),
       audioMasterCanDo, 0, 0, hostText, 0, 0, 0, 0},
      {"hostLanguage", returning([](BareEffect& e) { return e.getHostLanguage(); }),
       audioMasterGetLanguage, 0, 0, nullptr, 0, 2, 2, 0},
      {"openWindow", returning([](BareEffect& e) { return e.__openWindowDeprecated(window); }),
       audioMasterOpenWindowDeprecated, 0, 0, window, 0, answerAddress(), answerAddress(), 0},
      {"closeWindow", returning([](BareEffect& e) { return e.__closeWindowDeprecated(window); }),
       audioMasterCloseWindowDeprecated, 0, 0, window, 0, 2, 1, 0},
      {"getDirectory", returning([](BareEffect& e) { return e.getDirectory(); }),
       audioMasterGetDirectory, 0, 0, nullptr, 0, answerAddress(), answerAddress(), 0},
      {"updateDisplay", returning([](BareEffect& e) { return e.updateDisplay(); }),
       audioMasterUpdateDisplay, 0, 0, nullptr, 0, 2, 1, 0},
      {"beginEdit", returning([](BareEffect& e) { return e.beginEdit(1); }),
       audioMasterBeginEdit, 1, 0, nullptr, 0, 2, 1, 0},
      {"endEdit", returning([](BareEffect& e) { return e.endEdit(1); }), audioMasterEndEdit, 1,
       0, nullptr, 0, 2, 1, 0},
      {"openFileSelector",
       returning([select](BareEffect& e) { return e.openFileSelector(select); }),
       audioMasterOpenFileSelector, 0, 0, payload, 0, 2, 1, 0},
      {"closeFileSelector",
       returning([select](BareEffect& e) { return e.closeFileSelector(select); }),
       audioMasterCloseFileSelector, 0, 0, payload, 0, 2, 1, 0},
      {"chunkFile", returning([](BareEffect& e) { return e.__getChunkFileDeprecated(payload); }),
       audioMasterGetChunkFileDeprecated, 0, 0, payload, 0, 2, 1, 0},
      {"inputArrangement",
       returning([](BareEffect& e) { return e.__getInputSpeakerArrangementDeprecated(); }),
       audioMasterGetInputSpeakerArrangementDeprecated, 0, 0, nullptr, 0, answerAddress(),
       answerAddress(), 0},
  };
}

void expectRequest(const Request& r, const HostQuery& q, AEffect* record) {
  EXPECT_EQ(r.effect, record);
  EXPECT_EQ(r.opcode, q.opcode);
  EXPECT_EQ(r.index, q.index);
  EXPECT_EQ(r.value, q.value);
  EXPECT_EQ(r.ptr, q.ptr);
  EXPECT_EQ(testhost::bitsOf(r.opt), testhost::bitsOf(q.opt));
}

}  // namespace

TEST(HostRequests, EachSendsOneRequestAndReadsTheAnswer) {
  for (const HostQuery& q : hostQueries()) {
    SCOPED_TRACE(q.name);
    RecordingHost host;
    BareEffect effect;
    host.answers[q.opcode] = q.hostAnswer;
    EXPECT_EQ(q.call(effect), q.expected);
    ASSERT_EQ(host.requests.size(), 1u);
    expectRequest(host.requests[0], q, effect.getAeffect());
  }
}

TEST(HostRequests, WithoutAHostNothingIsSentAndEachHasItsOwnAnswer) {
  RecordingHost host;
  for (const HostQuery& q : hostQueries()) {
    SCOPED_TRACE(q.name);
    BareEffect effect(nullptr);
    EXPECT_EQ(q.call(effect), q.withoutHost);
  }
  EXPECT_TRUE(host.requests.empty());
}

TEST(HostRequests, NoneIsSentWhileTheEffectIsBuilt) {
  RecordingHost host;
  BareEffect effect;
  EXPECT_TRUE(host.requests.empty());
}

TEST(HostRequests, AutomationSetsTheParameterBeforeTellingTheHost) {
  RecordingHost host;
  BareEffect effect;
  float seenByHost = -1.0f;
  host.onRequest = [&](const Request&) { seenByHost = effect.getParameter(0); };
  effect.setParameterAutomated(0, 0.25f);
  ASSERT_EQ(host.requests.size(), 1u);
  const Request& r = host.requests[0];
  EXPECT_EQ(r.effect, effect.getAeffect());
  EXPECT_EQ(r.opcode, audioMasterAutomate);
  EXPECT_EQ(r.index, 0);
  EXPECT_EQ(r.value, 0);
  EXPECT_EQ(r.ptr, nullptr);
  EXPECT_EQ(r.opt, 0.25f);
  EXPECT_EQ(seenByHost, 0.25f);
}

TEST(HostRequests, AutomationWithoutAHostStillSetsTheParameter) {
  RecordingHost host;
  BareEffect effect(nullptr);
  effect.setParameterAutomated(1, 0.5f);
  EXPECT_EQ(effect.getParameter(1), 0.5f);
  EXPECT_TRUE(host.requests.empty());
}

TEST(HostRequests, SampleRateIsTakenOnlyFromPositiveAnswers) {
  RecordingHost host;
  BareEffect effect;
  for (PlugIntPtr refused : {PlugIntPtr(0), PlugIntPtr(-1)}) {
    host.answers[audioMasterGetSampleRate] = refused;
    EXPECT_EQ(effect.updateSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
  }
  host.answers[audioMasterGetSampleRate] = 48000;
  EXPECT_EQ(effect.updateSampleRate(), 48000.0f);
  EXPECT_EQ(effect.getSampleRate(), 48000.0f);
  host.answers[audioMasterGetSampleRate] = -96000;
  EXPECT_EQ(effect.updateSampleRate(), 48000.0f);
  EXPECT_EQ(host.requestsWith(audioMasterGetSampleRate).size(), 4u);

  BareEffect alone(nullptr);
  EXPECT_EQ(alone.updateSampleRate(), 44100.0f);
}

TEST(HostRequests, BlockSizeIsTakenOnlyFromPositiveAnswers) {
  RecordingHost host;
  BareEffect effect;
  for (PlugIntPtr refused : {PlugIntPtr(0), PlugIntPtr(-5)}) {
    host.answers[audioMasterGetBlockSize] = refused;
    EXPECT_EQ(effect.updateBlockSize(), 1024);
  }
  host.answers[audioMasterGetBlockSize] = 512;
  EXPECT_EQ(effect.updateBlockSize(), 512);
  EXPECT_EQ(effect.getBlockSize(), 512);
  if (sizeof(PlugIntPtr) > sizeof(PlugInt32)) {
    // An answer the block size cannot hold must not come back negative.
    host.answers[audioMasterGetBlockSize] = static_cast<PlugIntPtr>(static_cast<int64_t>(INT32_MAX) + 1);
    EXPECT_EQ(effect.updateBlockSize(), 512);
  }
  for (const Request& r : host.requestsWith(audioMasterGetBlockSize)) {
    EXPECT_EQ(r.index, 0);
    EXPECT_EQ(r.value, 0);
  }

  BareEffect alone(nullptr);
  EXPECT_EQ(alone.updateBlockSize(), 1024);
}
