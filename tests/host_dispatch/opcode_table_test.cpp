// The plug-in's answers to every request a host sends through the record,
// asked of the real library as a host asks them.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "support/testhost.h"

using testhost::LoadedEffect;

namespace {

const PlugInt32 kEditorOpcodes[] = {effEditGetRect, effEditOpen,  effEditClose,      effEditIdle,
                                    effEditKeyDown, effEditKeyUp, effSetEditKnobMode};

bool isEditorOpcode(PlugInt32 opcode) {
  for (PlugInt32 e : kEditorOpcodes)
    if (opcode == e) return true;
  return false;
}

// Requests answered with their text in the buffer.
bool writesText(PlugInt32 opcode) {
  return opcode == effGetProgramName || opcode == effGetParamLabel ||
         opcode == effGetParamDisplay || opcode == effGetParamName;
}

constexpr PlugIntPtr kValue = 12345;

// Everything but 0 that the plug-in answers, for value kValue.
const std::map<PlugInt32, PlugIntPtr> kNonZeroAnswers = {
    {22, 0x4E764566},  // 'NvEf'
    {effCanBeAutomated, 1},
    {effGetInterfaceVersion, 2400},
    {effGetCurrentMidiProgram, -1},
    {effSetTotalSampleToProcess, kValue},
};

PlugIntPtr expectedAnswer(PlugInt32 opcode) {
  auto found = kNonZeroAnswers.find(opcode);
  return found == kNonZeroAnswers.end() ? 0 : found->second;
}

// What a host hands over: a terminated text with room to spare, and the
// two slots the arrangement requests write through.
struct HostBuffers {
  HostBuffers() {
    std::memset(bytes, 0xA5, sizeof bytes);
    bytes[sizeof bytes - 1] = 0;
    slots[0] = slots[1] = bytes;
  }
  PlugIntPtr inputSlot() { return reinterpret_cast<PlugIntPtr>(&slots[0]); }

  alignas(16) char bytes[256];
  void* slots[2];
};

bool untouched(const HostBuffers& b) {
  HostBuffers fresh;
  return std::memcmp(b.bytes, fresh.bytes, sizeof b.bytes) == 0 && b.slots[0] == b.bytes &&
         b.slots[1] == b.bytes;
}

// Every opcode a host could mean, but close (which ends the effect) and the
// editor requests (whose answers are the editor's).
template <class Check>
void forEveryRequest(Check check) {
  for (PlugInt32 opcode = -5; opcode <= 100; ++opcode)
    if (opcode != effClose && !isEditorOpcode(opcode)) check(opcode);
}

}  // namespace

TEST(OpcodeTable, AnswersAndWritesNothingUnasked) {
  LoadedEffect loaded;
  size_t requestsBefore = loaded.host.requests.size();
  forEveryRequest([&](PlugInt32 opcode) {
    SCOPED_TRACE(opcode);
    HostBuffers buffers;
    bool addressInValue =
        opcode == effSetSpeakerArrangement || opcode == effGetSpeakerArrangement;
    PlugIntPtr value = addressInValue ? buffers.inputSlot() : kValue;
    void* ptr = opcode == effGetSpeakerArrangement ? static_cast<void*>(&buffers.slots[1])
                                                   : static_cast<void*>(buffers.bytes);
    EXPECT_EQ(loaded.dispatch(opcode, 0, value, ptr, 0.5f), expectedAnswer(opcode));
    if (opcode == effGetSpeakerArrangement) {
      EXPECT_EQ(buffers.slots[0], nullptr);
      EXPECT_EQ(buffers.slots[1], nullptr);
    } else if (writesText(opcode)) {
      EXPECT_LE(std::strlen(buffers.bytes), 8u);
    } else {
      EXPECT_TRUE(untouched(buffers));
    }
  });
  EXPECT_EQ(loaded.host.requests.size(), requestsBefore);
}

TEST(OpcodeTable, MissingAddressesAreAnswered0) {
  LoadedEffect loaded;
  forEveryRequest([&](PlugInt32 opcode) {
    SCOPED_TRACE(opcode);
    PlugIntPtr expected = expectedAnswer(opcode);
    if (opcode == effGetCurrentMidiProgram) expected = 0;   // needs its record
    if (opcode == effSetTotalSampleToProcess) expected = 0;  // value 0 comes back
    EXPECT_EQ(loaded.dispatch(opcode, 0, 0, nullptr, 0.0f), expected);
  });
  HostBuffers buffers;
  EXPECT_EQ(loaded.dispatch(effGetSpeakerArrangement, 0, 0, &buffers.slots[1]), 0);
  EXPECT_EQ(buffers.slots[1], buffers.bytes);
}

TEST(OpcodeTable, EditorRequestsWithoutAnEditorAnswer0) {
  LoadedEffect loaded;
  if (loaded.effect()->flags & effFlagsHasEditor) GTEST_SKIP() << "the effect has an editor";
  ERect* rect = reinterpret_cast<ERect*>(&loaded);
  EXPECT_EQ(loaded.dispatch(effEditGetRect, 0, 0, &rect), 0);
  EXPECT_EQ(rect, reinterpret_cast<ERect*>(&loaded));
  for (PlugInt32 opcode : kEditorOpcodes) EXPECT_EQ(loaded.dispatch(opcode, 65, 1, nullptr, 2.0f), 0);
}

TEST(OpcodeTable, EveryParameterCanBeAutomated) {
  LoadedEffect loaded;
  for (PlugInt32 index : {-1, 0, 1, 2, 1000})
    EXPECT_EQ(loaded.dispatch(effCanBeAutomated, index), 1) << index;
}

TEST(OpcodeTable, NoCapabilityIsClaimed) {
  LoadedEffect loaded;
  const char* asked[] = {"sendPlugEvents",      "sendPlugMidiEvent", "receivePlugEvents",
                         "receivePlugMidiEvent", "receivePlugTimeInfo", "offline",
                         "midiProgramNames",    "bypass",            "",
                         "sizeWindow"};
  for (const char* text : asked)
    EXPECT_EQ(loaded.dispatch(effCanDo, 0, 0, const_cast<char*>(text)), 0) << text;
  EXPECT_EQ(loaded.dispatch(effSetBypass, 0, 1), 0);
}

TEST(OpcodeTable, ProgramSelectionStaysInsideTheOneProgram) {
  LoadedEffect loaded;
  for (PlugIntPtr program : {PlugIntPtr(1), PlugIntPtr(-3), PlugIntPtr(-1), PlugIntPtr(0)}) {
    EXPECT_EQ(loaded.dispatch(effSetProgram, 0, program), 0);
    EXPECT_EQ(loaded.dispatch(effGetProgram), 0) << program;
  }
}

TEST(OpcodeTable, ResumeAsksNothingOfTheHost) {
  LoadedEffect loaded;
  size_t before = loaded.host.requests.size();
  for (PlugIntPtr state : {PlugIntPtr(1), PlugIntPtr(0), PlugIntPtr(-7)})
    EXPECT_EQ(loaded.dispatch(effMainsChanged, 0, state), 0);
  EXPECT_EQ(loaded.host.requests.size(), before);
}
