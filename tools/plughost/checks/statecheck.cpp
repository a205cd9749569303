// The state check: what a host saves of an effect restores it in a fresh
// instance.
#include "tools/plughost/checks/statecheck.h"

#include <algorithm>
#include <cstring>
#include <random>

#include "tools/plughost/checks/kit.h"
#include "tools/plughost/host/host.h"

namespace plughost {

namespace {

// Enough programs to see each keep its own state without a bank of
// thousands turning the check into a crawl.
constexpr PlugInt32 kMaxPrograms = 64;

enum ChunkKind : PlugInt32 { kBankChunk = 0, kProgramChunk = 1 };

const char* chunkName(PlugInt32 kind) { return kind == kBankChunk ? "bank" : "program"; }

// What a host sees of one program: its name and each parameter's value and
// display.
struct ProgramState {
  std::string name;
  std::vector<float> values;
  std::vector<std::string> displays;
};

struct State {
  PlugIntPtr current = 0;
  std::vector<ProgramState> programs;
};

PlugInt32 programCount(Effect& effect) {
  return std::min(std::max<PlugInt32>(effect.record()->numPrograms, 0), kMaxPrograms);
}

ProgramState readProgram(Effect& effect) {
  ProgramState program;
  program.name = effect.text(effGetProgramName);
  for (PlugInt32 i = 0; i < effect.record()->numParams; ++i) {
    program.values.push_back(effect.getParameter(i));
    program.displays.push_back(effect.text(effGetParamDisplay, i));
  }
  return program;
}

// Every program in turn, then the current one chosen again, as a host
// saving a session without chunks goes through them.
State readState(Effect& effect) {
  State state;
  state.current = effect.dispatch(effGetProgram);
  const PlugInt32 programs = programCount(effect);
  if (programs == 0) state.programs.push_back(readProgram(effect));
  for (PlugInt32 p = 0; p < programs; ++p) {
    effect.dispatch(effSetProgram, 0, p);
    state.programs.push_back(readProgram(effect));
  }
  if (programs > 0) effect.dispatch(effSetProgram, 0, state.current);
  return state;
}

void setProgramName(Effect& effect, const std::string& name) {
  char text[kPlugMaxProgNameLen + 1] = {};
  std::strncpy(text, name.c_str(), kPlugMaxProgNameLen);
  effect.dispatch(effSetProgramName, 0, 0, text);
}

// Only what both instances have is written: an instance with fewer
// parameters or programs than the original is reported by the comparison
// that follows, not asked for ones it never announced.
void writeProgram(Effect& effect, const ProgramState& program) {
  setProgramName(effect, program.name);
  const size_t params =
      std::min(program.values.size(), static_cast<size_t>(std::max<PlugInt32>(effect.record()->numParams, 0)));
  for (size_t i = 0; i < params; ++i) effect.setParameter(static_cast<PlugInt32>(i), program.values[i]);
}

// What a host restoring a session without chunks does with what it saved.
void writeState(Effect& effect, const State& state) {
  const PlugInt32 programs = std::min(programCount(effect), static_cast<PlugInt32>(state.programs.size()));
  if (programs == 0) writeProgram(effect, state.programs[0]);
  for (PlugInt32 p = 0; p < programs; ++p) {
    effect.dispatch(effSetProgram, 0, p);
    writeProgram(effect, state.programs[p]);
  }
  if (programs > 0) effect.dispatch(effSetProgram, 0, state.current);
}

// Seeded names and values on every program.
void randomize(Effect& effect, std::mt19937& random) {
  std::uniform_real_distribution<float> value(0.0f, 1.0f);
  const PlugInt32 programs = programCount(effect);
  for (PlugInt32 p = 0; p < std::max<PlugInt32>(programs, 1); ++p) {
    if (programs > 0) effect.dispatch(effSetProgram, 0, p);
    setProgramName(effect, format("State %d-%04X", static_cast<int>(p), static_cast<unsigned>(random() & 0xFFFF)));
    for (PlugInt32 i = 0; i < effect.record()->numParams; ++i) effect.setParameter(i, value(random));
  }
  if (programs > 0) effect.dispatch(effSetProgram, 0, static_cast<PlugIntPtr>(random() % programs));
}

// Fails on the first difference between the original's program and the
// copy's; `where` says which copy and program.
void compareProgram(const ProgramState& original, const ProgramState& copy, const std::string& where) {
  // The copy comes from another instance, which may announce another
  // number of parameters: its lists are never read past their end.
  require(copy.values.size() == original.values.size(),
          format("%s: %zu parameters, not %zu", where.c_str(), copy.values.size(), original.values.size()));
  require(copy.name == original.name,
          format("%s: the program name is \"%s\", not \"%s\"", where.c_str(), copy.name.c_str(), original.name.c_str()));
  for (size_t i = 0; i < original.values.size(); ++i) {
    require(std::memcmp(&copy.values[i], &original.values[i], sizeof(float)) == 0,
            format("%s: parameter %zu is %.9g, not %.9g", where.c_str(), i, static_cast<double>(copy.values[i]),
                   static_cast<double>(original.values[i])));
    require(copy.displays[i] == original.displays[i],
            format("%s: parameter %zu displays \"%s\", not \"%s\"", where.c_str(), i, copy.displays[i].c_str(),
                   original.displays[i].c_str()));
  }
}

void compareState(const State& original, const State& copy, const std::string& what) {
  require(copy.current == original.current,
          format("%s: the current program is %lld, not %lld", what.c_str(), static_cast<long long>(copy.current),
                 static_cast<long long>(original.current)));
  require(copy.programs.size() == original.programs.size(),
          format("%s: %zu programs, not %zu", what.c_str(), copy.programs.size(), original.programs.size()));
  for (size_t p = 0; p < original.programs.size(); ++p)
    compareProgram(original.programs[p], copy.programs[p], format("%s, program %zu", what.c_str(), p));
}

// The chunk the effect hands out, copied before the next request can
// replace or free it.
std::vector<unsigned char> getChunk(Effect& effect, PlugInt32 kind) {
  void* data = nullptr;
  const PlugIntPtr size = effect.dispatch(effGetChunk, kind, 0, &data);
  require(size > 0 && data, format("effGetChunk (%s) answered size %lld with data at %p", chunkName(kind),
                                   static_cast<long long>(size), data));
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  return std::vector<unsigned char>(bytes, bytes + size);
}

void setChunk(Effect& effect, PlugInt32 kind, std::vector<unsigned char> bytes) {
  // A zero-sized chunk still comes with a pointer a careless reader can
  // follow without faulting; its size alone says it is empty.
  const PlugIntPtr size = static_cast<PlugIntPtr>(bytes.size());
  bytes.resize(bytes.size() + 16, 0);
  effect.dispatch(effSetChunk, kind, size, bytes.data());
}

std::string firstDifference(const std::vector<unsigned char>& original, const std::vector<unsigned char>& copy) {
  if (copy.size() != original.size()) return format("%zu bytes, not %zu", copy.size(), original.size());
  for (size_t i = 0; i < original.size(); ++i)
    if (copy[i] != original[i]) return format("byte %zu is 0x%02X, not 0x%02X", i, copy[i], original[i]);
  return "";
}

// Each chunk on a fresh instance restores the state it came from and reads
// back as the same bytes. Returns the sizes.
std::string checkChunks(Session& session, const State& original) {
  std::string sizes;
  for (PlugInt32 kind : {kBankChunk, kProgramChunk}) {
    const std::vector<unsigned char> chunk = getChunk(session.effect, kind);
    Effect fresh(session.module);
    setChunk(fresh, kind, chunk);
    const std::string what = format("a fresh instance given the %s chunk", chunkName(kind));
    if (kind == kBankChunk) {
      compareState(original, readState(fresh), what);
    } else {
      // A program chunk fills the current program, whichever it is.
      const size_t current = original.programs.size() == 1 ? 0 : static_cast<size_t>(original.current);
      if (current < original.programs.size()) compareProgram(original.programs[current], readProgram(fresh), what);
    }
    const std::string difference = firstDifference(chunk, getChunk(fresh, kind));
    require(difference.empty(), format("the %s chunk read back from %s differs: %s", chunkName(kind), what.c_str(),
                                       difference.c_str()));
    sizes += format("%s%s %zu bytes", sizes.empty() ? "" : ", ", chunkName(kind), chunk.size());
  }
  return sizes;
}

// Chunks no plug-in wrote, as a damaged or foreign file gives them: the
// plug-in may refuse them but must not fault.
void sendBadChunks(Session& session, std::mt19937& random) {
  std::vector<unsigned char> noise(1 << 20);
  for (unsigned char& byte : noise) byte = static_cast<unsigned char>(random());
  for (PlugInt32 kind : {kBankChunk, kProgramChunk}) {
    Effect fresh(session.module);
    setChunk(fresh, kind, {});
    setChunk(fresh, kind, noise);
  }
}

std::string checkStateRoundTrip(const CheckContext& context) {
  Session session(context);
  std::mt19937 random(context.seed);
  randomize(session.effect, random);
  const State original = readState(session.effect);
  {
    Effect fresh(session.module);
    writeState(fresh, original);
    compareState(original, readState(fresh), "a fresh instance given the parameters and program names");
  }
  const std::string copied =
      format("%d parameters in %zu programs copied to a fresh instance with the same values and displays",
             static_cast<int>(session.record().numParams), original.programs.size());
  if (!(session.record().flags & effFlagsProgramChunks))
    return copied + format("; no chunks (flags 0x%X lack effFlagsProgramChunks)",
                           static_cast<unsigned>(session.record().flags));
  const std::string sizes = checkChunks(session, original);
  sendBadChunks(session, random);
  return copied + "; chunks (" + sizes + ") restore it and read back byte for byte; empty and 1 MiB random chunks taken";
}

}  // namespace

std::vector<Check> stateChecks() {
  return {
      {"state-round-trip", checkStateRoundTrip,
       "parameters, program names and chunks saved from one instance restore the same state in a fresh one"},
  };
}

}  // namespace plughost
