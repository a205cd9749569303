// The host side of the plug-in interface: loading a plug-in DLL, answering
// the requests it sends, and driving one effect through its record.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "plugin/aeffect.h"

namespace plughost {

// What plughost runs a plug-in at unless told otherwise.
constexpr float kDefaultSampleRate = 44100.0f;
constexpr PlugInt32 kDefaultBlockSize = 512;
// The most channels a host of ours feeds either way.
constexpr PlugInt32 kMaxChannels = 256;

using EntryProc = AEffect* (*)(audioMasterCallback);

// The plug-in DLL, loaded for the lifetime of the object.
class PluginModule {
 public:
  // Throws InputError when the file is missing or does not load.
  explicit PluginModule(const std::string& path);
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  const std::string& path() const { return filePath; }
  // The folder the DLL lies in, as hosts report it to plug-ins.
  std::string directory() const;
  // PluginMain, else main. Throws InputError when the DLL exports neither.
  EntryProc entry() const;
  const char* entryName() const { return entryExport; }
  HMODULE moduleHandle() const { return handle; }

 private:
  std::string filePath;
  HMODULE handle = nullptr;
  EntryProc entryProc = nullptr;
  const char* entryExport = nullptr;
};

// Throws InputError, naming the plughost to use, when `path` is a DLL built
// for the other bitness than this plughost, which Windows would only refuse
// to load with a bare "not a valid application". Files it cannot read as a
// DLL are left for loading to report.
void requireMatchingBitness(const std::string& path);

// Process levels a host reports (audioMasterGetCurrentProcessLevel).
enum ProcessLevel : PlugInt32 {
  kProcessLevelUser = 1,
  kProcessLevelOffline = 4,
};

// Answers the plug-in's requests. The callback carries no pointer of ours,
// so the host constructed last is the one that answers.
class Host {
 public:
  // `directory` is the plug-in's folder, reported when the plug-in asks.
  explicit Host(std::string directory = ".");
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  static PlugIntPtr callback(AEffect* effect, PlugInt32 opcode, PlugInt32 index, PlugIntPtr value,
                             void* ptr, float opt);

  // How many requests with this opcode the plug-in has sent so far; 0 for
  // an opcode past the interface's last, which is never counted.
  unsigned long count(PlugInt32 opcode) const;

  float sampleRate = kDefaultSampleRate;
  PlugInt32 blockSize = kDefaultBlockSize;
  PlugIntPtr versionAnswer = 2400;
  PlugInt32 processLevel = kProcessLevelUser;
  std::string directory;
  bool trace = false;
  // Told of every request once it is answered, on the thread that sent it.
  std::function<void(PlugInt32 opcode, PlugInt32 index, PlugIntPtr value, float opt)> observer;

 private:
  PlugIntPtr answer(PlugInt32 opcode, PlugInt32 index, PlugIntPtr value, void* ptr, float opt);
  void printTrace(unsigned long number, PlugInt32 opcode, PlugInt32 index, PlugIntPtr value,
                  void* ptr, float opt, PlugIntPtr result) const;

  // The plug-in may ask from its audio thread, so counting takes no lock
  // and allocates nothing: one counter per opcode the interface names.
  static constexpr size_t kCountedOpcodes = audioMasterGetInputSpeakerArrangementDeprecated + 1;

  Host* previous;
  std::array<std::atomic<unsigned long>, kCountedOpcodes> counts{};
  std::atomic<unsigned long> sequence{0};
};

// Calls the entry point with the host's callback and returns what it
// built, which may be null or not an effect at all.
AEffect* callEntry(const PluginModule& module);

// One effect built through the entry point and opened, as a host does
// first; closed on destruction.
class Effect {
 public:
  // Throws InputError when the entry point answers null or the record has
  // the wrong magic.
  explicit Effect(const PluginModule& module);
  ~Effect();
  Effect(const Effect&) = delete;
  Effect& operator=(const Effect&) = delete;

  AEffect* record() const { return effect; }
  PlugIntPtr dispatch(PlugInt32 opcode, PlugInt32 index = 0, PlugIntPtr value = 0,
                      void* ptr = nullptr, float opt = 0.0f);
  // A text request into a roomy zeroed buffer; the text as written.
  std::string text(PlugInt32 opcode, PlugInt32 index = 0);
  void setParameter(PlugInt32 index, float value);
  float getParameter(PlugInt32 index);
  void process(float** inputs, float** outputs, PlugInt32 frames);

  // Whether the record offers processReplacing (flag and function).
  bool canProcessReplacing() const;

  // What a host sends before audio: rate, block size and mains on.
  void prepare(float sampleRate, PlugInt32 blockSize);
  // Mains off.
  void suspend();
  // What a host sends as it starts playing: prepare, then effStartProcess;
  // and as it stops: effStopProcess, then mains off.
  void startProcessing(float sampleRate, PlugInt32 blockSize);
  void stopProcessing();
  // Sends the close request; the record is gone afterwards. Returns the
  // plug-in's answer.
  PlugIntPtr close();

 private:
  AEffect* effect;
};

// Whether a host can feed the record's channel counts: at least one output,
// and no more than kMaxChannels either way.
bool servableChannels(const AEffect& record);

// Why no host could play audio through the effect (no processReplacing, or
// channel counts it cannot serve), or "" when one could. The one answer
// serves the commands, which refuse such a plug-in as bad input, and the
// checks, which fail it.
std::string playableProblem(const Effect& effect);

// Refuses, as bad input naming the plug-in, an effect playableProblem finds
// fault with.
void requirePlayable(const Effect& effect, const std::string& plugin);

// Parameter settings as INDEX, VALUE, set on the effect in order; an index
// the plug-in does not have is bad input.
using ParameterSettings = std::vector<std::pair<PlugInt32, float>>;
void applyParameters(const ParameterSettings& settings, Effect& effect);

// Refuses, naming the option that gave it, an index the plug-in's
// parameters do not have.
void requireParameterIndex(const Effect& effect, PlugInt32 index, const char* option);

}  // namespace plughost
