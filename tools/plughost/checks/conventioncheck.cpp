// The calling-convention check: every function of the record, and the
// editor's requests, called as an old 32-bit host calls them, with the
// stack aligned to 4 bytes only. The answers must be those of an aligned
// call, and each call must leave the stack and the caller's registers as
// the C calling convention says. Even the aligned calls go through the
// stack-checking call: a function that breaks the convention would break
// the stack of an ordinary caller before it could be reported.
#include "tools/plughost/checks/conventioncheck.h"

#include <cstring>
#include <random>
#include <vector>

#include "tools/plughost/checks/kit.h"
#include "tools/plughost/checks/stackcall.h"
#include "tools/plughost/host/crash.h"

namespace plughost {

namespace {

constexpr int kOffsets[] = {4, 8, 12};  // after the aligned reference, offset 0
constexpr PlugInt32 kMostParameters = 64;
constexpr int kBlocks = 4;

// One effect driven through calls at one stack offset.
class OffsetCaller {
 public:
  OffsetCaller(AEffect* effect, int offset) : effect(effect), offset(offset) {}

  // "with the stack 4 bytes past a 16-byte boundary"
  std::string where() const {
    return offset ? format("with the stack %d bytes past a 16-byte boundary", offset)
                  : std::string("with the stack on a 16-byte boundary");
  }

  StackCallResult call(const char* what, const void* function, std::initializer_list<uint32_t> words,
                       bool returnsFloat = false) {
    noteActivity("%s %s", what, where().c_str());
    const StackCallResult result = callWithStackOffset(function, words, offset, returnsFloat);
    require(result.moved == 0,
            format("%s, called %s, moved the stack pointer by %d bytes: it %s, where the C calling convention "
                   "leaves that to its caller",
                   what, where().c_str(), static_cast<int>(result.moved),
                   result.moved > 0 ? "removed its own arguments" : "left the stack deeper than it found it"));
    require(result.registersKept,
            format("%s did not give back ebx, esi and edi as it found them, which the C calling convention asks",
                   what));
    return result;
  }

  PlugIntPtr dispatch(const char* what, PlugInt32 opcode, PlugInt32 index = 0, PlugIntPtr value = 0,
                      void* ptr = nullptr, float opt = 0.0f) {
    return static_cast<PlugIntPtr>(call(what, reinterpret_cast<const void*>(effect->dispatcher),
                                        {argumentWord(effect), argumentWord(opcode), argumentWord(index),
                                         static_cast<uint32_t>(value), argumentWord(ptr), argumentWord(opt)})
                                       .eax);
  }
  void setParameter(PlugInt32 index, float value) {
    call("setParameter", reinterpret_cast<const void*>(effect->setParameter),
         {argumentWord(effect), argumentWord(index), argumentWord(value)});
  }
  float getParameter(PlugInt32 index) {
    return call("getParameter", reinterpret_cast<const void*>(effect->getParameter),
                {argumentWord(effect), argumentWord(index)}, true)
        .st0;
  }
  void process(const char* what, const void* function, void* inputs, void* outputs, PlugInt32 frames) {
    call(what, function, {argumentWord(effect), argumentWord(inputs), argumentWord(outputs), argumentWord(frames)});
  }

  AEffect* const effect;
  const int offset;
};

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The parameters the check sets, the same for every effect.
std::vector<float> chosenValues(const AEffect& record, uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  std::vector<float> values(static_cast<size_t>(std::min(std::max<PlugInt32>(record.numParams, 0), kMostParameters)));
  for (float& value : values) value = unit(random);
  return values;
}

// What an effect answers and puts out, gathered the same way through
// ordinary calls and through calls at an offset, so the two can be compared.
struct Answers {
  std::vector<float> parameters;
  std::vector<std::string> texts;
  std::vector<std::vector<std::vector<uint32_t>>> blocks;  // the outputs' bits after each block
  std::vector<std::vector<std::vector<uint64_t>>> doubleBlocks;
};

constexpr PlugInt32 kTextOpcodes[] = {effGetParamName, effGetParamLabel, effGetParamDisplay};

// Feeds both kinds of call the same noise, block after block.
class Signal {
 public:
  Signal(const AEffect& record, uint32_t seed)
      : inputs(record.numInputs, kBlock), outputs(record.numOutputs, kBlock), random(seed) {}
  void next() {
    inputs.fillNoise(random, 0.8f);
    outputs.fill(0.25f);  // what the accumulating process adds to
  }
  AudioBuffers inputs;
  AudioBuffers outputs;

 private:
  std::mt19937 random;
};

std::vector<double*> widened(AudioBuffers& buffers, std::vector<std::vector<double>>& storage) {
  storage.assign(buffers.channels(), std::vector<double>(kBlock));
  std::vector<double*> pointers;
  for (size_t c = 0; c < buffers.channels(); ++c) {
    for (PlugInt32 i = 0; i < kBlock; ++i) storage[c][static_cast<size_t>(i)] = buffers.channel(c)[i];
    pointers.push_back(storage[c].data());
  }
  pointers.push_back(nullptr);
  return pointers;
}

std::vector<std::vector<uint64_t>> bitsOf(const std::vector<std::vector<double>>& channels) {
  std::vector<std::vector<uint64_t>> bits;
  for (const auto& channel : channels) {
    bits.emplace_back(channel.size());
    std::memcpy(bits.back().data(), channel.data(), channel.size() * sizeof(double));
  }
  return bits;
}

bool offersDouble(const AEffect& record) {
  return (record.flags & effFlagsCanDoubleReplacing) && record.processDoubleReplacing;
}

// Drives one effect through the same sequence of calls, the same at every
// offset.
Answers drive(OffsetCaller& caller, const std::vector<float>& values, uint32_t seed) {
  AEffect* effect = caller.effect;
  Answers answers;
  for (size_t i = 0; i < values.size(); ++i) {
    const PlugInt32 index = static_cast<PlugInt32>(i);
    caller.setParameter(index, values[i]);
    answers.parameters.push_back(caller.getParameter(index));
    for (PlugInt32 opcode : kTextOpcodes) {
      char text[256] = {};
      caller.dispatch("the dispatcher (a parameter's text)", opcode, index, 0, text);
      answers.texts.push_back(std::string(text, strnlen(text, sizeof text)));
    }
  }
  const struct {
    PlugInt32 opcode;
    PlugIntPtr value;
    float opt;
  } preparation[] = {{effSetSampleRate, 0, kSampleRate}, {effSetBlockSize, kBlock, 0.0f}, {effMainsChanged, 1, 0.0f}};
  for (const auto& request : preparation)
    caller.dispatch("the dispatcher (preparing to process)", request.opcode, 0, request.value, nullptr, request.opt);
  const AEffect& record = *effect;
  if (!servableChannels(record)) return answers;
  Signal signal(record, seed);
  const struct {
    const char* name;
    AEffectProcessProc function;
  } processes[] = {{"processReplacing", (record.flags & effFlagsCanReplacing) ? record.processReplacing : nullptr},
                   {"process", record.process}};
  for (const auto& process : processes) {
    if (!process.function) continue;
    for (int block = 0; block < kBlocks; ++block) {
      signal.next();
      caller.process(process.name, reinterpret_cast<const void*>(process.function), signal.inputs.pointers(),
                     signal.outputs.pointers(), kBlock);
      answers.blocks.push_back(signal.outputs.snapshot());
    }
  }
  if (offersDouble(record)) {
    for (int block = 0; block < kBlocks; ++block) {
      signal.next();
      std::vector<std::vector<double>> in, out;
      std::vector<double*> inPointers = widened(signal.inputs, in);
      std::vector<double*> outPointers = widened(signal.outputs, out);
      caller.process("processDoubleReplacing", reinterpret_cast<const void*>(record.processDoubleReplacing),
                     inPointers.data(), outPointers.data(), kBlock);
      answers.doubleBlocks.push_back(bitsOf(out));
    }
  }
  return answers;
}

// The editor's requests at an offset: the rectangle must be the one an
// aligned call gives, and open, idle and close must keep the convention.
void driveEditor(OffsetCaller& caller, const ERect& alignedRect) {
  ERect* given = nullptr;
  caller.dispatch("effEditGetRect", effEditGetRect, 0, 0, &given);
  require(given != nullptr, "effEditGetRect " + caller.where() + " gave no rectangle");
  const ERect rect = *given;
  require(std::memcmp(&rect, &alignedRect, sizeof rect) == 0,
          format("effEditGetRect %s gave (%d, %d, %d, %d), not the (%d, %d, %d, %d) of an aligned call",
                 caller.where().c_str(), rect.top, rect.left, rect.bottom, rect.right, alignedRect.top, alignedRect.left,
                 alignedRect.bottom, alignedRect.right));
  HostWindow window(std::max(1, rect.right - rect.left), std::max(1, rect.bottom - rect.top));
  caller.dispatch("effEditOpen", effEditOpen, 0, 0, window.get());
  for (int i = 0; i < 5; ++i) {
    caller.dispatch("effEditIdle", effEditIdle);
    pumpMessages(10);
  }
  caller.dispatch("effEditClose", effEditClose);
  pumpMessages(10);
}

// Output blocks are kept as bits, so that a NaN equals itself and -0 is not 0.
template <typename Bits>
std::string firstDifference(const std::vector<Bits>& got, const std::vector<Bits>& want, const char* what) {
  for (size_t block = 0; block < want.size() && block < got.size(); ++block)
    if (got[block] != want[block]) return format("%s output %zu differs from an aligned call's", what, block);
  return "";
}

// Passes at once on 64-bit targets, which have one calling convention.
std::string checkCallingConvention(const CheckContext& context) {
  if (!kConventionsDiffer) return "one calling convention on 64-bit targets: nothing to check";
  Session session(context);
  OffsetCaller aligned(session.effect.record(), 0);
  const std::vector<float> values = chosenValues(*aligned.effect, context.seed);
  const Answers expected = drive(aligned, values, context.seed);
  const bool hasEditor = (aligned.effect->flags & effFlagsHasEditor) != 0;
  // An editor that gives no rectangle even to an aligned call has nothing
  // to compare the offset calls' with, and no alignment to blame: its
  // requests are left out here, the fault to editor-rect-before-open.
  bool drivesEditor = false;
  ERect alignedRect = {};
  if (hasEditor) {
    ERect* given = nullptr;
    aligned.dispatch("effEditGetRect", effEditGetRect, 0, 0, &given);
    if (given) {
      alignedRect = *given;
      drivesEditor = true;
    }
  }
  for (int offset : kOffsets) {
    Effect effect(session.module);
    OffsetCaller caller(effect.record(), offset);
    const Answers answers = drive(caller, values, context.seed);
    for (size_t i = 0; i < values.size(); ++i)
      require(sameBits(answers.parameters[i], expected.parameters[i]),
              format("getParameter(%zu) %s gave %g, not the %g of an aligned call", i, caller.where().c_str(),
                     static_cast<double>(answers.parameters[i]), static_cast<double>(expected.parameters[i])));
    for (size_t i = 0; i < expected.texts.size(); ++i)
      require(answers.texts[i] == expected.texts[i],
              format("a parameter text %s was \"%s\", not the \"%s\" of an aligned call", caller.where().c_str(),
                     answers.texts[i].c_str(), expected.texts[i].c_str()));
    for (const std::string& difference : {firstDifference(answers.blocks, expected.blocks, "block"),
                                          firstDifference(answers.doubleBlocks, expected.doubleBlocks, "double block")})
      require(difference.empty(), caller.where() + ", " + difference);
    if (drivesEditor) driveEditor(caller, alignedRect);
  }
  return format("the record's functions%s keep the C calling convention with the stack 0, 4, 8 and 12 bytes past "
                "a 16-byte boundary, and answer alike%s",
                drivesEditor ? " and the editor's requests" : "",
                hasEditor && !drivesEditor ? "; the editor, which gave an aligned call no rectangle, left out" : "");
}

}  // namespace

std::vector<Check> conventionChecks() {
  return {{"calling-convention", checkCallingConvention,
           "every call keeps the C calling convention from a stack aligned to 4 bytes only (32-bit)"}};
}

}  // namespace plughost
