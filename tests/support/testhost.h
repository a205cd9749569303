// A host for tests: loads quillon.dll as a host application would, answers
// the plug-in's requests and records every one of them.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "plugin/aeffect.h"

namespace testhost {

struct Request {
  AEffect* effect;
  PlugInt32 opcode;
  PlugInt32 index;
  PlugIntPtr value;
  void* ptr;
  float opt;
};

// Answers the plug-in's requests: the version request with 2400 unless told
// otherwise, every request with what `answers` says for its opcode, else 0.
// Only one RecordingHost is current at a time (the callback carries no user
// data), which is the one constructed last.
class RecordingHost {
 public:
  RecordingHost();
  ~RecordingHost();

  static PlugIntPtr callback(AEffect* effect, PlugInt32 opcode, PlugInt32 index, PlugIntPtr value,
                             void* ptr, float opt);

  std::map<PlugInt32, PlugIntPtr> answers;
  std::vector<Request> requests;
  // Runs inside the callback, after the request is recorded and before it
  // is answered: lets a test look at the plug-in while it waits.
  std::function<void(const Request&)> onRequest;

  std::vector<Request> requestsWith(PlugInt32 opcode) const;

 private:
  RecordingHost* previous;
};

// The plug-in DLL, loaded for the lifetime of the object.
class PluginLibrary {
 public:
  explicit PluginLibrary(const char* path = "quillon.dll");
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  HMODULE module() const { return handle; }
  typedef AEffect* (*EntryProc)(audioMasterCallback);
  EntryProc entry(const char* name = "PluginMain") const;

 private:
  HMODULE handle;
};

// A loaded plug-in with its effect built through the entry point; closes
// the effect (opcode 1) on destruction unless the test already did.
class LoadedEffect {
 public:
  explicit LoadedEffect(const char* path = "quillon.dll");
  ~LoadedEffect();

  AEffect* effect() const { return record; }
  PlugIntPtr dispatch(PlugInt32 opcode, PlugInt32 index = 0, PlugIntPtr value = 0,
                      void* ptr = nullptr, float opt = 0.0f);
  std::string text(PlugInt32 opcode, PlugInt32 index = 0);  // a text request, 8-char limit
  void close();

  RecordingHost host;
  PluginLibrary library;

 private:
  AEffect* record;
};

// Exact bit pattern of a float, so tests can compare NaNs and signed zeros.
uint32_t bitsOf(float value);
float floatFromBits(uint32_t bits);

}  // namespace testhost
