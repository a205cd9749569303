#include "testhost.h"

#include <cstring>
#include <stdexcept>

namespace testhost {

namespace {
RecordingHost* currentHost = nullptr;
}

RecordingHost::RecordingHost() : previous(currentHost) {
  answers[audioMasterVersion] = 2400;
  currentHost = this;
}

RecordingHost::~RecordingHost() { currentHost = previous; }

PlugIntPtr RecordingHost::callback(AEffect* effect, PlugInt32 opcode, PlugInt32 index,
                                   PlugIntPtr value, void* ptr, float opt) {
  RecordingHost* host = currentHost;
  if (!host) return 0;
  host->requests.push_back({effect, opcode, index, value, ptr, opt});
  if (host->onRequest) host->onRequest(host->requests.back());
  auto answer = host->answers.find(opcode);
  return answer == host->answers.end() ? 0 : answer->second;
}

std::vector<Request> RecordingHost::requestsWith(PlugInt32 opcode) const {
  std::vector<Request> found;
  for (const Request& r : requests)
    if (r.opcode == opcode) found.push_back(r);
  return found;
}

PluginLibrary::PluginLibrary(const char* path) : handle(LoadLibraryA(path)) {
  if (!handle) throw std::runtime_error(std::string("cannot load ") + path);
}

PluginLibrary::~PluginLibrary() { FreeLibrary(handle); }

PluginLibrary::EntryProc PluginLibrary::entry(const char* name) const {
  return reinterpret_cast<EntryProc>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

LoadedEffect::LoadedEffect(const char* path) : library(path), record(nullptr) {
  PluginLibrary::EntryProc entry = library.entry("PluginMain");
  if (!entry) throw std::runtime_error("no PluginMain");
  record = entry(RecordingHost::callback);
  if (!record) throw std::runtime_error("the entry point built no effect");
}

LoadedEffect::~LoadedEffect() { close(); }

PlugIntPtr LoadedEffect::dispatch(PlugInt32 opcode, PlugInt32 index, PlugIntPtr value, void* ptr,
                                  float opt) {
  return record->dispatcher(record, opcode, index, value, ptr, opt);
}

std::string LoadedEffect::text(PlugInt32 opcode, PlugInt32 index) {
  char buffer[64];
  std::memset(buffer, 'Z', sizeof buffer);
  buffer[sizeof buffer - 1] = 0;
  dispatch(opcode, index, 0, buffer);
  return std::string(buffer);
}

void LoadedEffect::close() {
  if (record) {
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    record = nullptr;
  }
}

uint32_t bitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

float floatFromBits(uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace testhost
