// The host side of the plug-in interface: loading a DLL, answering its
// requests, and driving one effect through its record.
#include "tools/plughost/host/host.h"

#include <cstdio>
#include <cstring>

#include "tools/plughost/host/crash.h"
#include "tools/plughost/host/opcodes.h"
#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/files.h"
#include "tools/plughost/platform/handle.h"

namespace plughost {

namespace {

Host* gCurrentHost = nullptr;

constexpr PlugInt32 kHostVendorVersion = 1;
constexpr PlugIntPtr kLanguageEnglish = 1;

// Capabilities plughost offers a plug-in that asks (audioMasterCanDo).
const char* const kHostCapabilities[] = {"startStopProcess"};

void copyText(void* destination, const char* text, size_t limit) {
  if (!destination) return;
  char* out = static_cast<char*>(destination);
  std::strncpy(out, text, limit);
  out[limit] = 0;
}

bool hostCanDo(const void* text) {
  if (!text) return false;
  for (const char* capability : kHostCapabilities)
    if (std::strcmp(static_cast<const char*>(text), capability) == 0) return true;
  return false;
}

// The machine a PE file is built for (IMAGE_FILE_MACHINE_*), or 0 when the
// file is too short or not a PE file. Only the headers are read, each offset
// checked against what was read.
WORD peMachine(const std::string& path) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return 0;
  unsigned char head[4096];
  DWORD got = 0;
  if (!ReadFile(file.get(), head, sizeof head, &got, nullptr)) return 0;
  IMAGE_DOS_HEADER dos;
  if (got < sizeof dos) return 0;
  std::memcpy(&dos, head, sizeof dos);
  if (dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0) return 0;
  const size_t at = static_cast<size_t>(dos.e_lfanew);
  DWORD signature = 0;
  IMAGE_FILE_HEADER header;
  if (at > got || got - at < sizeof signature + sizeof header) return 0;
  std::memcpy(&signature, head + at, sizeof signature);
  if (signature != IMAGE_NT_SIGNATURE) return 0;
  std::memcpy(&header, head + at + sizeof signature, sizeof header);
  return header.Machine;
}

}  // namespace

void requireMatchingBitness(const std::string& path) {
  constexpr bool kSelf64 = sizeof(void*) == 8;
  const WORD machine = peMachine(path);
  const bool is32 = machine == IMAGE_FILE_MACHINE_I386;
  const bool is64 = machine == IMAGE_FILE_MACHINE_AMD64;
  if ((kSelf64 && is32) || (!kSelf64 && is64))
    throw InputError(path + " is a " + (is32 ? "32" : "64") + "-bit plug-in and this plughost is " +
                     (kSelf64 ? "64" : "32") + "-bit: use the " + (is32 ? "32" : "64") +
                     "-bit plughost (build/" + (is32 ? "win32" : "win64") + "/plughost.exe)");
}

// ---------------------------------------------------------------------------

PluginModule::PluginModule(const std::string& path) : filePath(path) {
  if (!fileExists(path)) throw InputError("cannot load " + path + ": no such file");
  noteActivity("loading %s", path.c_str());
  // Dependencies that lie beside the plug-in are found there, as a host
  // that loads by full path would find them.
  handle = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!handle) throw InputError("cannot load " + path + ": " + systemErrorText(GetLastError()));
  for (const char* name : {"PluginMain", "main"}) {
    entryProc = reinterpret_cast<EntryProc>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
    if (entryProc) {
      entryExport = name;
      break;
    }
  }
}

PluginModule::~PluginModule() {
  noteActivity("unloading %s", filePath.c_str());
  FreeLibrary(handle);
}

std::string PluginModule::directory() const {
  char full[MAX_PATH];
  char* name = nullptr;
  DWORD length = GetFullPathNameA(filePath.c_str(), sizeof full, full, &name);
  if (length == 0 || length >= sizeof full || !name) return ".";
  return std::string(full, static_cast<size_t>(name - full));
}

EntryProc PluginModule::entry() const {
  if (!entryProc) throw InputError(filePath + " has no entry point (exports neither PluginMain nor main)");
  return entryProc;
}

// ---------------------------------------------------------------------------

Host::Host(std::string folder) : directory(std::move(folder)), previous(gCurrentHost) {
  gCurrentHost = this;
}

Host::~Host() { gCurrentHost = previous; }

unsigned long Host::count(PlugInt32 opcode) const {
  if (opcode < 0 || static_cast<size_t>(opcode) >= kCountedOpcodes) return 0;
  return counts[static_cast<size_t>(opcode)].load(std::memory_order_relaxed);
}

PlugIntPtr Host::callback(AEffect* /*effect*/, PlugInt32 opcode, PlugInt32 index, PlugIntPtr value,
                          void* ptr, float opt) {
  Host* host = gCurrentHost;
  if (!host) return 0;
  // A plug-in may ask from its audio and window threads at once: each
  // request keeps the number it drew, whoever asks next.
  if (opcode >= 0 && static_cast<size_t>(opcode) < kCountedOpcodes)
    host->counts[static_cast<size_t>(opcode)].fetch_add(1, std::memory_order_relaxed);
  const unsigned long number = host->sequence.fetch_add(1, std::memory_order_relaxed) + 1;
  PlugIntPtr result = host->answer(opcode, index, value, ptr, opt);
  if (host->trace) host->printTrace(number, opcode, index, value, ptr, opt, result);
  if (host->observer) host->observer(opcode, index, value, opt);
  return result;
}

PlugIntPtr Host::answer(PlugInt32 opcode, PlugInt32 /*index*/, PlugIntPtr /*value*/, void* ptr,
                        float /*opt*/) {
  switch (opcode) {
    case audioMasterVersion:
      return versionAnswer;
    case audioMasterGetSampleRate:
      return static_cast<PlugIntPtr>(sampleRate);
    case audioMasterGetBlockSize:
      return blockSize;
    case audioMasterGetCurrentProcessLevel:
      return processLevel;
    case audioMasterGetVendorString:
      copyText(ptr, "Quillon", kPlugMaxVendorStrLen);
      return ptr ? 1 : 0;
    case audioMasterGetProductString:
      copyText(ptr, "plughost", kPlugMaxProductStrLen);
      return ptr ? 1 : 0;
    case audioMasterGetVendorVersion:
      return kHostVendorVersion;
    case audioMasterGetLanguage:
      return kLanguageEnglish;
    case audioMasterCanDo:
      return hostCanDo(ptr) ? 1 : 0;
    case audioMasterGetDirectory:
      return reinterpret_cast<PlugIntPtr>(directory.c_str());
    default:
      // Automation, idle, edits, time info and the rest: plughost has no
      // transport, window or automation lane, so it takes note and says no.
      return 0;
  }
}

void Host::printTrace(unsigned long number, PlugInt32 opcode, PlugInt32 index, PlugIntPtr value,
                      void* ptr, float opt, PlugIntPtr result) const {
  std::printf("trace: #%lu %d %s index=%d value=%lld ptr=%p", number, static_cast<int>(opcode),
              hostOpcodeName(opcode), static_cast<int>(index), static_cast<long long>(value), ptr);
  if (opcode == audioMasterCanDo && ptr) std::printf(" (\"%.64s\")", static_cast<const char*>(ptr));
  std::printf(" opt=%g -> %lld\n", static_cast<double>(opt), static_cast<long long>(result));
  std::fflush(stdout);
}

// ---------------------------------------------------------------------------

AEffect* callEntry(const PluginModule& module) {
  EntryProc entry = module.entry();
  noteActivity("the entry point %s", module.entryName());
  return entry(Host::callback);
}

Effect::Effect(const PluginModule& module) : effect(callEntry(module)) {
  if (!effect) throw InputError(module.path() + ": the entry point " + module.entryName() + " built no effect (answered null)");
  if (effect->magic != kEffectMagic) {
    char text[160];
    std::snprintf(text, sizeof text, ": the record has the wrong magic 0x%08X",
                  static_cast<unsigned>(effect->magic));
    throw InputError(module.path() + text);
  }
  if (!effect->dispatcher) throw InputError(module.path() + ": the record has no dispatcher");
  dispatch(effOpen);
}

Effect::~Effect() {
  if (effect) close();
}

PlugIntPtr Effect::dispatch(PlugInt32 opcode, PlugInt32 index, PlugIntPtr value, void* ptr,
                            float opt) {
  noteActivity("%s (opcode %d, index %d, value %lld)", effectOpcodeName(opcode),
               static_cast<int>(opcode), static_cast<int>(index), static_cast<long long>(value));
  return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string Effect::text(PlugInt32 opcode, PlugInt32 index) {
  // Far more room than any text of the interface needs: a plug-in that
  // writes too much is the validator's business, not a reason to crash.
  char buffer[1024] = {};
  dispatch(opcode, index, 0, buffer);
  buffer[sizeof buffer - 1] = 0;
  return buffer;
}

void Effect::setParameter(PlugInt32 index, float value) {
  noteActivity("setParameter (index %d)", static_cast<int>(index));
  effect->setParameter(effect, index, value);
}

float Effect::getParameter(PlugInt32 index) {
  noteActivity("getParameter (index %d)", static_cast<int>(index));
  return effect->getParameter(effect, index);
}

void Effect::process(float** inputs, float** outputs, PlugInt32 frames) {
  noteActivity("processReplacing (%d frames)", static_cast<int>(frames));
  effect->processReplacing(effect, inputs, outputs, frames);
}

bool Effect::canProcessReplacing() const {
  return (effect->flags & effFlagsCanReplacing) && effect->processReplacing;
}

void Effect::prepare(float sampleRate, PlugInt32 blockSize) {
  dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
  dispatch(effSetBlockSize, 0, blockSize);
  dispatch(effMainsChanged, 0, 1);
}

void Effect::suspend() { dispatch(effMainsChanged, 0, 0); }

PlugIntPtr Effect::close() {
  PlugIntPtr result = dispatch(effClose);
  effect = nullptr;
  return result;
}

void Effect::startProcessing(float sampleRate, PlugInt32 blockSize) {
  prepare(sampleRate, blockSize);
  dispatch(effStartProcess);
}

void Effect::stopProcessing() {
  dispatch(effStopProcess);
  suspend();
}

bool servableChannels(const AEffect& r) {
  return r.numInputs >= 0 && r.numInputs <= kMaxChannels && r.numOutputs >= 1 && r.numOutputs <= kMaxChannels;
}

std::string playableProblem(const Effect& effect) {
  if (!effect.canProcessReplacing()) return "the plug-in offers no processReplacing";
  const AEffect& record = *effect.record();
  if (servableChannels(record)) return "";
  return "cannot process audio with " + std::to_string(record.numInputs) + " inputs and " +
         std::to_string(record.numOutputs) + " outputs";
}

void requirePlayable(const Effect& effect, const std::string& plugin) {
  const std::string problem = playableProblem(effect);
  if (!problem.empty()) throw InputError(plugin + ": " + problem);
}

void requireParameterIndex(const Effect& effect, PlugInt32 index, const char* option) {
  const PlugInt32 count = effect.record()->numParams;
  if (index < 0 || index >= count)
    throw InputError(std::string(option) + ": index " + std::to_string(index) + " is outside the plug-in's " +
                     std::to_string(count) + " parameters");
}

void applyParameters(const ParameterSettings& settings, Effect& effect) {
  for (const auto& param : settings) {
    requireParameterIndex(effect, param.first, "--param");
    effect.setParameter(param.first, param.second);
  }
}

}  // namespace plughost
