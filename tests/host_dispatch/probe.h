// An effect and an editor of the tests' own that write down every operation
// the dispatcher calls on them, with the arguments as they arrived, and
// answer what the test tells them to.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "editor/aeffguieditor.h"
#include "support/testeffect.h"

namespace probe {

// One call as it arrived. Which fields an operation fills is fixed per
// operation below: the first integer argument in index, the second in
// value, the data pointer in ptr, a second pointer in ptr2, a float in opt,
// a boolean in flag; canDo also keeps the text it was asked about.
struct Call {
  explicit Call(std::string op = "") : op(std::move(op)) {}

  std::string op;
  PlugInt32 index = 0;
  PlugIntPtr value = 0;
  const void* ptr = nullptr;
  const void* ptr2 = nullptr;
  float opt = 0.0f;
  bool flag = false;
  std::string text;
};

inline bool operator==(const Call& a, const Call& b) {
  return a.op == b.op && a.index == b.index && a.value == b.value && a.ptr == b.ptr &&
         a.ptr2 == b.ptr2 && a.opt == b.opt && a.flag == b.flag && a.text == b.text;
}

inline void PrintTo(const Call& c, std::ostream* os) {
  *os << c.op << "(index " << c.index << ", value " << c.value << ", ptr " << c.ptr << ", ptr2 "
      << c.ptr2 << ", opt " << c.opt << ", flag " << c.flag << ", text \"" << c.text << "\")";
}

// Call builders for the expectations, named by what each operation takes.
inline Call plain(const char* op) { return Call(op); }
inline Call withIndex(const char* op, PlugInt32 index) {
  Call c{op};
  c.index = index;
  return c;
}
inline Call withValue(const char* op, PlugIntPtr value) {
  Call c{op};
  c.value = value;
  return c;
}
inline Call withPtr(const char* op, const void* ptr, PlugInt32 index = 0, PlugIntPtr value = 0) {
  Call c{op};
  c.ptr = ptr;
  c.index = index;
  c.value = value;
  return c;
}

class ProbeEditor : public AEffEditor {
 public:
  ProbeEditor(AudioEffect* effect, std::vector<Call>& log, PlugInt32& answer)
      : AEffEditor(effect), log(log), answer(answer) {}

  bool getRect(ERect** rect) override { return note(withPtr("getRect", rect)); }
  bool open(void* window) override { return note(withPtr("open", window)); }
  void close() override { note(plain("close")); }
  void idle() override { note(plain("idle")); }
  bool onKeyDown(PlugKeyCode& key) override { return note(keyCall("onKeyDown", key)); }
  bool onKeyUp(PlugKeyCode& key) override { return note(keyCall("onKeyUp", key)); }
  bool setKnobMode(int mode) override { return note(withValue("setKnobMode", mode)); }

  // A key arrives as character in index, virt in value, modifier in opt.
  static Call keyCall(const char* op, const PlugKeyCode& key) {
    Call c{op};
    c.index = key.character;
    c.value = key.virt;
    c.opt = key.modifier;
    return c;
  }

 private:
  bool note(const Call& c) {
    log.push_back(c);
    return answer != 0;
  }
  std::vector<Call>& log;
  PlugInt32& answer;
};

class ProbeEffect : public testhost::BareEffect {
 public:
  static constexpr PlugInt32 kPrograms = 4;

  explicit ProbeEffect(bool withEditor, audioMasterCallback host = nullptr)
      : BareEffect(host, kPrograms) {
    if (withEditor) setEditor(new ProbeEditor(this, calls, answer));
  }

  std::vector<Call> calls;
  // What every operation answers: raw operations return it as it is,
  // boolean ones return whether it is non-zero.
  PlugInt32 answer = 7;

  // AudioEffect
  void open() override { note(plain("open")); }
  void close() override { note(plain("close")); }
  void suspend() override { note(plain("suspend")); }
  void resume() override {
    note(plain("resume"));
    AudioEffectX::resume();
  }
  void setSampleRate(float rate) override {
    Call c{"setSampleRate"};
    c.opt = rate;
    note(c);
    BareEffect::setSampleRate(rate);
  }
  void setBlockSize(PlugInt32 size) override {
    note(withValue("setBlockSize", size));
    BareEffect::setBlockSize(size);
  }
  void setProgram(PlugInt32 program) override {
    note(withValue("setProgram", program));
    BareEffect::setProgram(program);
  }
  void setProgramName(char* name) override { note(withPtr("setProgramName", name)); }
  void getProgramName(char* name) override { note(withPtr("getProgramName", name)); }
  void getParameterLabel(PlugInt32 index, char* text) override {
    note(withPtr("getParameterLabel", text, index));
  }
  void getParameterDisplay(PlugInt32 index, char* text) override {
    note(withPtr("getParameterDisplay", text, index));
  }
  void getParameterName(PlugInt32 index, char* text) override {
    note(withPtr("getParameterName", text, index));
  }
  PlugInt32 getChunk(void** data, bool isPreset) override {
    return raw(flagged(withPtr("getChunk", data), isPreset));
  }
  PlugInt32 setChunk(void* data, PlugInt32 size, bool isPreset) override {
    return raw(flagged(withPtr("setChunk", data, 0, size), isPreset));
  }

  // AudioEffectX, as the dispatcher reaches them
  PlugInt32 processEvents(PlugEvents* events) override {
    return raw(withPtr("processEvents", events));
  }
  bool canParameterBeAutomated(PlugInt32 index) override {
    return truth(withIndex("canParameterBeAutomated", index));
  }
  bool string2parameter(PlugInt32 index, char* text) override {
    return truth(withPtr("string2parameter", text, index));
  }
  bool getProgramNameIndexed(PlugInt32 category, PlugInt32 index, char* text) override {
    return truth(withPtr("getProgramNameIndexed", text, index, category));
  }
  bool getInputProperties(PlugInt32 index, PlugPinProperties* p) override {
    return truth(withPtr("getInputProperties", p, index));
  }
  bool getOutputProperties(PlugInt32 index, PlugPinProperties* p) override {
    return truth(withPtr("getOutputProperties", p, index));
  }
  PlugInt32 getPlugCategory() override { return raw(plain("getPlugCategory")); }
  bool offlineNotify(PlugAudioFile* files, PlugInt32 count, bool start) override {
    return truth(flagged(withPtr("offlineNotify", files, 0, count), start));
  }
  bool offlinePrepare(PlugOfflineTask* tasks, PlugInt32 count) override {
    return truth(withPtr("offlinePrepare", tasks, 0, count));
  }
  bool offlineRun(PlugOfflineTask* tasks, PlugInt32 count) override {
    return truth(withPtr("offlineRun", tasks, 0, count));
  }
  bool processVariableIo(PlugVariableIo* io) override {
    return truth(withPtr("processVariableIo", io));
  }
  bool setSpeakerArrangement(PlugSpeakerArrangement* input,
                             PlugSpeakerArrangement* output) override {
    Call c = withPtr("setSpeakerArrangement", output);
    c.ptr2 = input;
    return truth(c);
  }
  bool setBypass(bool on) override { return truth(flagged(plain("setBypass"), on)); }
  bool getEffectName(char* text) override { return truth(withPtr("getEffectName", text)); }
  bool getVendorString(char* text) override { return truth(withPtr("getVendorString", text)); }
  bool getProductString(char* text) override { return truth(withPtr("getProductString", text)); }
  PlugInt32 getVendorVersion() override { return raw(plain("getVendorVersion")); }
  PlugIntPtr vendorSpecific(PlugInt32 a, PlugIntPtr b, void* p, float f) override {
    Call c = withPtr("vendorSpecific", p, a, b);
    c.opt = f;
    return raw(c);
  }
  PlugInt32 canDo(char* text) override {
    Call c{"canDo"};
    c.text = text;
    return raw(c);
  }
  PlugInt32 getGetTailSize() override { return raw(plain("getGetTailSize")); }
  bool getParameterProperties(PlugInt32 index, PlugParameterProperties* p) override {
    return truth(withPtr("getParameterProperties", p, index));
  }
  PlugInt32 getInterfaceVersion() override { return raw(plain("getInterfaceVersion")); }
  PlugInt32 getMidiProgramName(PlugInt32 channel, MidiProgramName* name) override {
    return raw(withPtr("getMidiProgramName", name, channel));
  }
  PlugInt32 getCurrentMidiProgram(PlugInt32 channel, MidiProgramName* name) override {
    return raw(withPtr("getCurrentMidiProgram", name, channel));
  }
  PlugInt32 getMidiProgramCategory(PlugInt32 channel, MidiProgramCategory* category) override {
    return raw(withPtr("getMidiProgramCategory", category, channel));
  }
  bool hasMidiProgramsChanged(PlugInt32 channel) override {
    return truth(withIndex("hasMidiProgramsChanged", channel));
  }
  bool getMidiKeyName(PlugInt32 channel, MidiKeyName* name) override {
    return truth(withPtr("getMidiKeyName", name, channel));
  }
  bool beginSetProgram() override { return truth(plain("beginSetProgram")); }
  bool endSetProgram() override { return truth(plain("endSetProgram")); }
  bool getSpeakerArrangement(PlugSpeakerArrangement** input,
                             PlugSpeakerArrangement** output) override {
    Call c = withPtr("getSpeakerArrangement", output);
    c.ptr2 = input;
    return truth(c);
  }
  PlugInt32 getNextShellPlugin(char* name) override {
    return raw(withPtr("getNextShellPlugin", name));
  }
  PlugInt32 startProcess() override { return raw(plain("startProcess")); }
  PlugInt32 stopProcess() override { return raw(plain("stopProcess")); }
  PlugInt32 setTotalSampleToProcess(PlugInt32 value) override {
    return raw(withValue("setTotalSampleToProcess", value));
  }
  bool setPanLaw(PlugInt32 type, float gain) override {
    Call c = withValue("setPanLaw", type);
    c.opt = gain;
    return truth(c);
  }
  PlugInt32 beginLoadBank(PlugPatchChunkInfo* info) override {
    return raw(withPtr("beginLoadBank", info));
  }
  PlugInt32 beginLoadProgram(PlugPatchChunkInfo* info) override {
    return raw(withPtr("beginLoadProgram", info));
  }
  bool setProcessPrecision(PlugInt32 precision) override {
    return truth(withValue("setProcessPrecision", precision));
  }
  PlugInt32 getNumMidiInputChannels() override { return raw(plain("getNumMidiInputChannels")); }
  PlugInt32 getNumMidiOutputChannels() override {
    return raw(plain("getNumMidiOutputChannels"));
  }

 private:
  static Call flagged(Call c, bool flag) {
    c.flag = flag;
    return c;
  }
  void note(const Call& c) { calls.push_back(c); }
  PlugInt32 raw(const Call& c) {
    note(c);
    return answer;
  }
  bool truth(const Call& c) {
    note(c);
    return answer != 0;
  }
};

}  // namespace probe
