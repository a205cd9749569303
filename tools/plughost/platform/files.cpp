#include "tools/plughost/platform/files.h"

#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/handle.h"

namespace plughost {

namespace {

std::string lastErrorText() { return systemErrorText(GetLastError()); }

}  // namespace

std::string systemErrorText(DWORD error) {
  char* message = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&message), 0, nullptr);
  std::string text = length ? std::string(message, length) : "error " + std::to_string(error);
  if (message) LocalFree(message);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.'))
    text.pop_back();
  return text;
}

std::vector<unsigned char> readWholeFile(const std::string& path) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) throw InputError("cannot read " + path + ": " + lastErrorText());
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) throw InputError("cannot read " + path + ": " + lastErrorText());
  if (size.QuadPart > 0x7FFFFFFF) throw InputError("cannot read " + path + ": file too large");
  std::vector<unsigned char> bytes(static_cast<size_t>(size.QuadPart));
  DWORD got = 0;
  if (!bytes.empty() &&
      (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
       got != bytes.size()))
    throw InputError("cannot read " + path + ": " + lastErrorText());
  return bytes;
}

bool fileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

PendingFile::PendingFile(std::string path)
    : finalPath(std::move(path)),
      tempPath(finalPath + ".partial-" + std::to_string(GetCurrentProcessId())) {}

PendingFile::~PendingFile() {
  if (written) DeleteFileA(tempPath.c_str());
}

void PendingFile::write(const std::vector<unsigned char>& bytes) {
  UniqueHandle file(CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) throw InputError("cannot write " + finalPath + ": " + lastErrorText());
  written = true;
  DWORD put = 0;
  if (!bytes.empty() &&
      (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) ||
       put != bytes.size()))
    throw InputError("cannot write " + finalPath + ": " + lastErrorText());
}

void PendingFile::commit() {
  if (!MoveFileExA(tempPath.c_str(), finalPath.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    throw InputError("cannot write " + finalPath + ": " + lastErrorText());
  written = false;
}

void checkWritable(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    throw InputError("cannot write " + path + ": it is a folder");
  // The same temporary file a real write makes, dropped again at once.
  PendingFile probe(path);
  probe.write({});
}

}  // namespace plughost
