// The validation checks of an effect's record, texts, processing,
// parameters and requests.
#include "tools/plughost/checks/effectchecks.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <random>

#include "plugin/plugstructs.h"
#include "tools/plughost/checks/kit.h"
#include "tools/plughost/host/host.h"
#include "tools/plughost/host/opcodes.h"

namespace plughost {

namespace {

// ---------------------------------------------------------------------------
// Entry point and record

std::string checkEntryVersionZero(const CheckContext& context) {
  PluginModule module(context.plugin);
  Host host(module.directory());
  host.versionAnswer = 0;
  // The first call may set up what the library keeps for its lifetime;
  // the calls after it must leave the heap as they found it.
  const int kCalls = 8;
  size_t before = 0;
  for (int call = 0; call <= kCalls; ++call) {
    if (call == 1) before = heapBytesInUse();
    AEffect* built = callEntry(module);
    require(!built, format("built an effect (record at %p) although the host answered 0 to the version request",
                           static_cast<void*>(built)));
  }
  const size_t after = heapBytesInUse();
  require(host.count(audioMasterVersion) > 0, "the entry point never asked the host's version");
  const long long kept = static_cast<long long>(after) - static_cast<long long>(before);
  require(kept < 16 * kCalls, format("the entry point answered null but kept %lld bytes over %d calls", kept, kCalls));
  return "the entry point answered null and built nothing";
}

std::string checkEntryMagic(const CheckContext& context) {
  PluginModule module(context.plugin);
  Host host(module.directory());
  AEffect* record = callEntry(module);
  require(record != nullptr, "the entry point built no effect (answered null)");
  require(record->magic == kEffectMagic,
          format("magic is 0x%08X, not 0x%08X", static_cast<unsigned>(record->magic),
                 static_cast<unsigned>(kEffectMagic)));
  if (record->dispatcher) record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  return format("magic 0x%08X", static_cast<unsigned>(kEffectMagic));
}

std::string checkEntryCounts(const CheckContext& context) {
  Session session(context);
  const AEffect& r = session.record();
  const struct {
    const char* name;
    PlugInt32 value;
  } counts[] = {{"programs", r.numPrograms}, {"parameters", r.numParams}, {"inputs", r.numInputs},
                {"outputs", r.numOutputs},   {"initial delay", r.initialDelay}};
  for (const auto& count : counts)
    require(count.value >= 0, format("%s is %d", count.name, static_cast<int>(count.value)));
  return format("%d programs, %d parameters, %d inputs, %d outputs, delay %d",
                static_cast<int>(r.numPrograms), static_cast<int>(r.numParams),
                static_cast<int>(r.numInputs), static_cast<int>(r.numOutputs),
                static_cast<int>(r.initialDelay));
}

std::string checkEntryFunctions(const CheckContext& context) {
  Session session(context);
  const AEffect& r = session.record();
  require(r.setParameter != nullptr, "setParameter is null");
  require(r.getParameter != nullptr, "getParameter is null");
  require(r.flags & effFlagsCanReplacing, "the CanReplacing flag is not set");
  require(r.processReplacing != nullptr, "processReplacing is null");
  require(!(r.flags & effFlagsCanDoubleReplacing) || r.processDoubleReplacing != nullptr,
          "CanDoubleReplacing is set but processDoubleReplacing is null");
  return "dispatcher, setParameter, getParameter and processReplacing set";
}

// What a host asks every plug-in it loads.
std::string checkHostQueries(const CheckContext& context) {
  Session session(context);
  Effect& effect = session.effect;
  const PlugIntPtr version = effect.dispatch(effGetInterfaceVersion);
  const PlugIntPtr category = effect.dispatch(effGetPlugCategory);
  const PlugIntPtr tail = effect.dispatch(effGetTailSize);
  effect.dispatch(effGetVendorVersion);
  effect.dispatch(effGetProgram);
  effect.dispatch(effIdentify);
  for (int i = 0; i < kNumEffectCapabilities; ++i) {
    std::string capability = kEffectCapabilities[i];
    effect.dispatch(effCanDo, 0, 0, &capability[0]);
  }
  for (PlugInt32 i = 0; i < session.record().numParams; ++i) effect.dispatch(effCanBeAutomated, i);
  return format("interface %lld, category %lld, tail %lld", static_cast<long long>(version),
                static_cast<long long>(category), static_cast<long long>(tail));
}

// ---------------------------------------------------------------------------
// Texts

// How much a text request promises: a terminated text within the limit
// always, only when it answers non-zero (names a plug-in may not have), or
// nothing but staying inside the buffer (requests for indices that do not
// exist).
enum class TextRule { kAlways, kWhenGiven, kInsideOnly };

// Asks for one text into a guarded buffer; fails on any fault in it.
// Returns the answer; `text` receives what was written.
PlugIntPtr requestText(Effect& effect, PlugInt32 opcode, PlugInt32 index, PlugIntPtr value,
                       size_t limit, TextRule rule, const std::string& what,
                       std::string* text = nullptr) {
  GuardedText buffer(limit);
  const PlugIntPtr answer = effect.dispatch(opcode, index, value, buffer.data());
  std::string problem;
  if (rule == TextRule::kInsideOnly || (rule == TextRule::kWhenGiven && answer == 0 && buffer.untouched()))
    problem = buffer.guardProblem();
  else
    problem = buffer.problem();
  require(problem.empty(), what + ": " + problem);
  if (text) *text = buffer.untouched() ? "" : buffer.text();
  return answer;
}

std::string listOf(const std::vector<std::string>& texts) {
  std::string list;
  for (size_t i = 0; i < texts.size() && i < 8; ++i) list += (i ? ", " : "") + ("\"" + texts[i] + "\"");
  if (texts.size() > 8) list += ", ...";
  return list;
}

std::string checkParameterTexts(const CheckContext& context, PlugInt32 opcode, const char* what) {
  Session session(context);
  std::vector<std::string> texts;
  for (PlugInt32 i = 0; i < session.record().numParams; ++i) {
    std::string text;
    requestText(session.effect, opcode, i, 0, kPlugMaxParamStrLen, TextRule::kAlways, format("parameter %d %s", static_cast<int>(i), what), &text);
    texts.push_back(text);
  }
  return format("%zu %ss within %d characters: ", texts.size(), what,
                static_cast<int>(kPlugMaxParamStrLen)) + listOf(texts);
}

std::string checkParameterNames(const CheckContext& context) {
  return checkParameterTexts(context, effGetParamName, "name");
}

std::string checkParameterLabels(const CheckContext& context) {
  return checkParameterTexts(context, effGetParamLabel, "label");
}

// Displays depend on the value, so each parameter is shown across its range.
std::string checkParameterDisplays(const CheckContext& context) {
  Session session(context);
  Effect& effect = session.effect;
  size_t shown = 0;
  for (PlugInt32 i = 0; i < session.record().numParams; ++i) {
    const float original = effect.getParameter(i);
    for (float value : {original, 0.0f, 0.001f, 0.25f, 0.5f, 0.999f, 1.0f}) {
      effect.setParameter(i, value);
      requestText(effect, effGetParamDisplay, i, 0, kPlugMaxParamStrLen, TextRule::kAlways,
                  format("parameter %d display at %g", static_cast<int>(i), static_cast<double>(value)));
      ++shown;
    }
    effect.setParameter(i, original);
  }
  return format("%zu displays within %d characters", shown, static_cast<int>(kPlugMaxParamStrLen));
}

std::string checkProgramNames(const CheckContext& context) {
  Session session(context);
  Effect& effect = session.effect;
  std::string current;
  requestText(effect, effGetProgramName, 0, 0, kPlugMaxProgNameLen, TextRule::kAlways,
              "current program name", &current);
  const PlugInt32 programs = std::min<PlugInt32>(session.record().numPrograms, 1024);
  int indexed = 0;
  for (PlugInt32 i = 0; i < programs; ++i)
    if (requestText(effect, effGetProgramNameIndexed, i, -1, kPlugMaxProgNameLen, TextRule::kWhenGiven,
                    format("program %d name (indexed)", static_cast<int>(i))))
      ++indexed;
  return format("current \"%s\" within %d characters, %d of %d indexed names given",
                current.c_str(), static_cast<int>(kPlugMaxProgNameLen), indexed, static_cast<int>(programs));
}

// Effect, vendor and product names are optional: a plug-in may answer 0
// and write nothing, but what it writes must fit.
std::string checkPlugInNames(const CheckContext& context) {
  Session session(context);
  const struct {
    PlugInt32 opcode;
    size_t limit;
    const char* what;
  } names[] = {{effGetEffectName, kPlugMaxEffectNameLen, "effect name"},
               {effGetVendorString, kPlugMaxVendorStrLen, "vendor"},
               {effGetProductString, kPlugMaxProductStrLen, "product"}};
  std::string note;
  for (const auto& name : names) {
    std::string text;
    const PlugIntPtr given = requestText(session.effect, name.opcode, 0, 0, name.limit, TextRule::kWhenGiven,
                                         format("%s (limit %zu)", name.what, name.limit), &text);
    note += (note.empty() ? "" : ", ") + std::string(name.what) + " " +
            (given ? "\"" + text + "\"" : "not given");
  }
  return note;
}

// ---------------------------------------------------------------------------
// Processing

struct Setting {
  const char* name;
  float value;  // < 0: leave the parameters as the plug-in starts
};

std::string checkSilence(const CheckContext& context) {
  AudioSession audio(context);
  const Setting settings[] = {{"default parameters", -1.0f},
                              {"every parameter at 0", 0.0f},
                              {"every parameter at 0.5", 0.5f},
                              {"every parameter at 1", 1.0f}};
  for (const Setting& setting : settings) {
    if (setting.value >= 0.0f) setAllParameters(audio.effect, setting.value);
    for (int block = 0; block < 8; ++block) {
      audio.inputs.fill(0.0f);
      audio.process();
      const std::string problem = audio.outputs.nonFiniteProblem("output");
      require(problem.empty(), format("silence in, %s, block %d: ", setting.name, block) + problem);
    }
  }
  return "finite output at default, 0, 0.5 and 1";
}

std::string checkNoise(const CheckContext& context) {
  AudioSession audio(context);
  std::mt19937 random(context.seed);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  const int kSettings = 24;
  for (int setting = 0; setting < kSettings; ++setting) {
    // Both ends of the range first, then random points inside it.
    std::string values;
    for (PlugInt32 i = 0; i < audio.session.record().numParams; ++i) {
      const float value = setting == 0 ? 0.0f : setting == 1 ? 1.0f : unit(random);
      audio.effect.setParameter(i, value);
      if (i < 4) values += format("%s%g", i ? " " : "", static_cast<double>(value));
    }
    for (int block = 0; block < 4; ++block) {
      audio.inputs.fillNoise(random, 1.0f);
      const auto inputsBefore = audio.inputs.snapshot();
      audio.process();
      const std::string problem = processedBlockProblem(audio.inputs, inputsBefore, audio.outputs);
      require(problem.empty(), format("noise in, parameters [%s], block %d: ", values.c_str(), block) + problem);
    }
  }
  return format("finite output within the buffers, inputs untouched, for %d parameter settings (seed %u)", kSettings,
                static_cast<unsigned>(context.seed));
}

std::string checkFrameCounts(const CheckContext& context) {
  AudioSession audio(context);
  std::mt19937 random(context.seed);
  audio.inputs.fillNoise(random, 0.5f);
  audio.outputs.fill(0.125f);
  const auto inputsBefore = audio.inputs.snapshot();
  const auto outputsBefore = audio.outputs.snapshot();
  for (PlugInt32 frames : {0, -1, -7, -kBlock, INT_MIN}) {
    audio.process(frames);
    require(audio.outputs.sameAs(outputsBefore),
            format("a call with %d frames wrote to the outputs", static_cast<int>(frames)));
    require(audio.inputs.sameAs(inputsBefore),
            format("a call with %d frames wrote to the inputs", static_cast<int>(frames)));
  }
  return "0 and negative frame counts touch nothing";
}

// Two effects with the same settings and input, one writing over its
// input buffers: a host may pass either, and the output must not change.
std::string checkInPlace(const CheckContext& context) {
  Session session(context);
  Effect& separate = session.effect;
  requireProcessing(separate);
  Effect inPlace(session.module);
  const PlugInt32 inputCount = session.record().numInputs;
  const PlugInt32 outputCount = session.record().numOutputs;
  std::mt19937 random(context.seed);
  setSameRandomParameters(random, separate, inPlace);
  separate.prepare(kSampleRate, kBlock);
  inPlace.prepare(kSampleRate, kBlock);

  AudioBuffers inputs(inputCount, kBlock);
  AudioBuffers outputs(outputCount, kBlock);
  // Shared buffers: input k and output k are one buffer.
  AudioBuffers shared(std::max(inputCount, outputCount), kBlock);
  const PlugInt32 sharedCount = std::min(inputCount, outputCount);
  for (int block = 0; block < 16; ++block) {
    inputs.fillNoise(random, 1.0f);
    for (PlugInt32 c = 0; c < inputCount; ++c)
      std::copy(inputs.channel(c), inputs.channel(c) + kBlock, shared.channel(c));
    separate.process(inputs.pointers(), outputs.pointers(), kBlock);
    inPlace.process(shared.pointers(), shared.pointers(), kBlock);
    const std::string difference = shared.differenceFrom(outputs, static_cast<size_t>(outputCount));
    require(difference.empty(), format("block %d, ", block) + difference);
  }
  return format("16 blocks identical with %d channels in place", static_cast<int>(sharedCount));
}

std::string checkBlockSizes(const CheckContext& context) {
  PluginModule module(context.plugin);
  Host host(module.directory());
  std::mt19937 random(context.seed);
  for (PlugInt32 size : {1, 7, 4096, 65536}) {
    Effect effect(module);
    requireProcessing(effect);
    host.blockSize = size;
    effect.prepare(kSampleRate, size);
    AudioBuffers inputs(effect.record()->numInputs, size);
    AudioBuffers outputs(effect.record()->numOutputs, size);
    const int blocks = std::max(2, 8192 / size);
    for (int block = 0; block < blocks; ++block) {
      inputs.fillNoise(random, 1.0f);
      const auto inputsBefore = inputs.snapshot();
      effect.process(inputs.pointers(), outputs.pointers(), size);
      const std::string problem = processedBlockProblem(inputs, inputsBefore, outputs);
      require(problem.empty(), format("block size %d, block %d: ", static_cast<int>(size), block) + problem);
    }
    effect.suspend();
  }
  return "blocks of 1, 7, 4096 and 65536 frames: finite, within bounds, inputs untouched";
}

// ---------------------------------------------------------------------------
// Parameters

std::string checkParameterRoundTrip(const CheckContext& context) {
  Session session(context);
  Effect& effect = session.effect;
  const PlugInt32 count = session.record().numParams;
  for (PlugInt32 i = 0; i < count; ++i)
    for (float value : {0.0f, 0.1f, 0.25f, 0.5f, 0.75f, 1.0f}) {
      effect.setParameter(i, value);
      const float read = effect.getParameter(i);
      require(std::fabs(read - value) <= 1e-6f,
              format("parameter %d set to %g reads back %.9g", static_cast<int>(i),
                     static_cast<double>(value), static_cast<double>(read)));
    }
  return format("%d parameters read back what was set", static_cast<int>(count));
}

std::string checkParameterOutOfRange(const CheckContext& context) {
  Session session(context);
  Effect& effect = session.effect;
  const PlugInt32 count = session.record().numParams;
  std::vector<float> before;
  for (PlugInt32 i = 0; i < count; ++i) {
    effect.setParameter(i, 0.375f);
    before.push_back(effect.getParameter(i));
  }
  for (PlugInt32 index : {-1, -2, count, count + 1, 1000, INT_MAX, INT_MIN}) {
    effect.setParameter(index, 0.875f);
    effect.getParameter(index);
    effect.dispatch(effCanBeAutomated, index);
    for (PlugInt32 opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
      requestText(effect, opcode, index, 0, kPlugMaxParamStrLen, TextRule::kInsideOnly,
                  format("%s for index %d", effectOpcodeName(opcode), static_cast<int>(index)));
  }
  for (PlugInt32 i = 0; i < count; ++i) {
    const float after = effect.getParameter(i);
    require(std::memcmp(&after, &before[i], sizeof after) == 0,
            format("setting out-of-range indices changed parameter %d from %g to %g",
                   static_cast<int>(i), static_cast<double>(before[i]), static_cast<double>(after)));
  }
  return format("indices -1, -2, %d, %d, 1000 and the 32-bit limits ignored", static_cast<int>(count),
                static_cast<int>(count + 1));
}

// ---------------------------------------------------------------------------
// The storm

bool skippedInStorm(PlugInt32 opcode) {
  switch (opcode) {
    case effClose:
    case effEditGetRect:
    case effEditOpen:
    case effEditClose:
    case effEditIdle:
    case effEditKeyDown:
    case effEditKeyUp:
    case effSetEditKnobMode:
      return true;
    default:
      return false;
  }
}

// Valid memory for every pointer a request may carry: a zeroed block for
// texts and records, two stereo speaker arrangements, two pointer slots.
class StormMemory {
 public:
  StormMemory() : block(kBlockBytes), inputArrangement(plugArrangementSize(2)), outputArrangement(plugArrangementSize(2)) {}

  void reset() {
    block.clear();
    resetArrangement(inputArrangement);
    resetArrangement(outputArrangement);
    slots[0] = slots[1] = nullptr;
  }
  char* text() { return block.data(); }
  void* input() { return inputArrangement.data(); }
  void* output() { return outputArrangement.data(); }
  void** inputSlot() { return &slots[0]; }
  void** outputSlot() { return &slots[1]; }
  std::string problem() const { return block.guardProblem(); }

  static constexpr size_t kBlockBytes = 4095;  // plus the terminator GuardedText adds

 private:
  static void resetArrangement(std::vector<unsigned char>& bytes) {
    std::fill(bytes.begin(), bytes.end(), 0);
    auto* arrangement = reinterpret_cast<PlugSpeakerArrangement*>(bytes.data());
    arrangement->type = 1;  // stereo
    arrangement->numChannels = 2;
    for (PlugInt32 i = 0; i < 2; ++i) {
      PlugSpeakerProperties* speaker = plugSpeakerAt(arrangement, i);
      speaker->type = i + 1;
      speaker->name[0] = i == 0 ? 'L' : 'R';
    }
  }

  GuardedText block;
  std::vector<unsigned char> inputArrangement;
  std::vector<unsigned char> outputArrangement;
  void* slots[2] = {nullptr, nullptr};
};

struct StormRequest {
  PlugInt32 opcode;
  PlugInt32 index;
  PlugIntPtr value;
  void* ptr;
  float opt;
};

class StormGenerator {
 public:
  StormGenerator(uint32_t seed, PlugInt32 numPrograms) : random(seed), numPrograms(numPrograms) {}

  StormRequest next(StormMemory& memory) {
    StormRequest r;
    do r.opcode = pick(-5, 100);
    while (skippedInStorm(r.opcode));
    r.index = static_cast<PlugInt32>(anyInteger());
    r.value = static_cast<PlugIntPtr>(anyInteger());
    r.ptr = memory.text();
    r.opt = anyFloat();
    // Where the interface makes the value a pointer, a size or count of
    // host memory, a program number or an audio setting, it stays one a
    // host could send.
    switch (r.opcode) {
      case effSetProgram:
        r.value = pick(0, numPrograms + 4);
        break;
      case effSetSampleRate:
        r.opt = static_cast<float>(pick(8000, 384000));
        break;
      case effSetBlockSize:
        r.value = pick(1, 65536);
        break;
      case effSetChunk:
        r.value = pick(0, static_cast<long long>(StormMemory::kBlockBytes));
        break;
      case effOfflineNotify:
      case effOfflinePrepare:
      case effOfflineRun:
        r.value = pick(0, 4);
        break;
      case effSetSpeakerArrangement:
        r.value = reinterpret_cast<PlugIntPtr>(memory.input());
        r.ptr = memory.output();
        break;
      case effGetSpeakerArrangement:
        r.value = reinterpret_cast<PlugIntPtr>(memory.inputSlot());
        r.ptr = memory.outputSlot();
        break;
      case effCanDo:
        if (pick(0, 1)) std::strcpy(memory.text(), kEffectCapabilities[pick(0, kNumEffectCapabilities - 1)]);
        break;
      default:
        break;
    }
    return r;
  }

 private:
  long long pick(long long low, long long high) {
    return std::uniform_int_distribution<long long>(low, high)(random);
  }

  // Mostly small numbers, where range checks bite, with the extremes.
  long long anyInteger() {
    switch (pick(0, 3)) {
      case 0:
        return pick(-4, 64);
      case 1:
        return pick(INT_MIN, INT_MAX);
      case 2: {
        static const long long kEdges[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
        return kEdges[pick(0, 6)];
      }
      default:
        return pick(-65536, 65536);
    }
  }

  float anyFloat() {
    static const float kValues[] = {0.0f, 0.5f, 1.0f, -1.0f, 44100.0f, 1e9f, -1e9f};
    if (pick(0, 1)) return kValues[pick(0, 6)];
    return std::uniform_real_distribution<float>(-2.0f, 2.0f)(random);
  }

  std::mt19937 random;
  PlugInt32 numPrograms;
};

std::string checkStorm(const CheckContext& context) {
  Session session(context);
  Effect& effect = session.effect;
  StormMemory memory;
  StormGenerator generator(context.seed, std::max<PlugInt32>(session.record().numPrograms, 0));
  for (long n = 1; n <= context.requests; ++n) {
    memory.reset();
    const StormRequest r = generator.next(memory);
    effect.dispatch(r.opcode, r.index, r.value, r.ptr, r.opt);
    const std::string problem = memory.problem();
    require(problem.empty(),
            format("request %ld (%s, opcode %d, index %d): ", n, effectOpcodeName(r.opcode),
                   static_cast<int>(r.opcode), static_cast<int>(r.index)) + problem);
  }
  // The plug-in must still work after all that.
  if (processable(effect)) {
    effect.suspend();
    effect.prepare(kSampleRate, kBlock);
    processSilentBlock(effect);
  }
  return format("%ld requests (seed %u), then a block processed", context.requests,
                static_cast<unsigned>(context.seed));
}

// ---------------------------------------------------------------------------
// Close

std::string checkClose(const CheckContext& context) {
  PluginModule module(context.plugin);
  Host host(module.directory());
  // One life of an effect as a host lives it, ending with close.
  auto live = [&module]() {
    Effect effect(module);
    if (processable(effect)) {
      effect.prepare(kSampleRate, kBlock);
      processSilentBlock(effect);
      effect.suspend();
    }
    return effect.close();
  };
  const PlugIntPtr answer = live();
  require(answer == 1, format("effClose answered %lld, not 1", static_cast<long long>(answer)));
  live();  // what the library sets up once is in place from here on
  const size_t before = heapBytesInUse();
  const int kLives = 16;
  for (int i = 0; i < kLives; ++i) live();
  const long long kept = static_cast<long long>(heapBytesInUse()) - static_cast<long long>(before);
  require(kept < 16 * kLives,
          format("closed effects are not gone: %d of them left %lld bytes on the heap", kLives, kept));
  return format("effClose answered 1; %d effects opened and closed left %lld bytes behind", kLives, kept);
}

}  // namespace

std::vector<Check> effectChecks() {
  return {
      {"entry-version-zero", checkEntryVersionZero,
       "the entry point builds nothing, and keeps no memory, for a host that answers version 0"},
      {"entry-magic", checkEntryMagic,
       "the entry point builds a record with the interface's magic number"},
      {"entry-counts", checkEntryCounts,
       "the record's counts of programs, parameters, channels and its delay are not negative"},
      {"entry-functions", checkEntryFunctions,
       "the record offers setParameter, getParameter and processReplacing as its flags say"},
      {"host-queries", checkHostQueries,
       "the requests every host sends a plug-in it loads are answered without a fault"},
      {"text-parameter-names", checkParameterNames,
       "each parameter's name is terminated within its limit and stays inside its buffer"},
      {"text-parameter-labels", checkParameterLabels,
       "each parameter's label is terminated within its limit and stays inside its buffer"},
      {"text-parameter-displays", checkParameterDisplays,
       "each parameter's display fits its buffer at values across its range"},
      {"text-program-names", checkProgramNames,
       "each program's name is terminated within its limit and stays inside its buffer"},
      {"text-plug-in-names", checkPlugInNames,
       "the effect, vendor and product names fit their buffers"},
      {"process-silence", checkSilence,
       "silence in gives finite output, at the defaults and with every parameter at 0, 0.5 and 1"},
      {"process-noise", checkNoise,
       "noise in gives finite output within the buffers and leaves the inputs as they were"},
      {"process-frame-counts", checkFrameCounts,
       "a block of 0 or fewer frames writes nothing"},
      {"process-in-place", checkInPlace,
       "processing in place gives the output separate buffers give, bit for bit"},
      {"process-block-sizes", checkBlockSizes,
       "blocks of 1, 7, 4096 and 65536 frames stay within their buffers and give finite output"},
      {"parameter-round-trip", checkParameterRoundTrip,
       "every parameter reads back the value it was set to"},
      {"parameter-out-of-range", checkParameterOutOfRange,
       "indices outside the parameters are ignored and change nothing"},
      {"dispatch-storm", checkStorm,
       "seeded random requests on every opcode, with valid pointers, cause no fault"},
      {"close", checkClose,
       "effClose answers 1 and closed effects give back what they took"},
  };
}


}  // namespace plughost
