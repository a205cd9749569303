// An effect of the tests' own, built on the library's base classes as any
// effect is: it processes nothing and keeps its parameters, so that tests
// can reach what the plug-in's own effect never uses.
#pragma once

#include <array>

#include "plugin/audioeffectx.h"
#include "support/testhost.h"

namespace testhost {

class BareEffect : public AudioEffectX {
 public:
  explicit BareEffect(audioMasterCallback host = RecordingHost::callback, PlugInt32 programs = 1)
      : AudioEffectX(host, programs, kParams) {}

  void processReplacing(float** /*inputs*/, float** /*outputs*/, PlugInt32 /*frames*/) override {}

  void setParameter(PlugInt32 index, float value) override {
    if (index >= 0 && index < kParams) params[index] = value;
  }
  float getParameter(PlugInt32 index) override {
    return index >= 0 && index < kParams ? params[index] : 0.0f;
  }

  // A request as the record's trampoline passes it on; unlike the record,
  // the close request leaves the object alive (tests keep it on the stack).
  PlugIntPtr dispatch(PlugInt32 opcode, PlugInt32 index = 0, PlugIntPtr value = 0,
                      void* ptr = nullptr, float opt = 0.0f) {
    return dispatcher(opcode, index, value, ptr, opt);
  }

 private:
  static constexpr PlugInt32 kParams = 2;
  std::array<float, kParams> params{};
};

}  // namespace testhost
