// File access where outputs appear whole or not at all, and never in place
// of an input.
#include "tools/plughost/platform/files.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

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

namespace {

constexpr size_t kWriteBuffer = 1 << 20;

// Tests stand in for a full disk with this: no output file may grow past
// the number of bytes it gives.
constexpr const char* kDiskLimitVariable = "PLUGHOST_TEST_DISK_LIMIT";

uint64_t diskLimit() {
  char text[32];
  const DWORD length = GetEnvironmentVariableA(kDiskLimitVariable, text, sizeof text);
  if (length == 0 || length >= sizeof text) return UINT64_MAX;
  return std::strtoull(text, nullptr, 10);
}

bool setDeleteOnClose(HANDLE file, bool on) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = on ? TRUE : FALSE;
  return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

}  // namespace

PendingFile::PendingFile(std::string path)
    : finalPath(std::move(path)),
      tempPath(finalPath + ".partial-" + std::to_string(GetCurrentProcessId())),
      limit(diskLimit()) {}

PendingFile::~PendingFile() {
  if (!file.valid()) return;
  file.reset();
  // Where the file system cannot mark it, the file goes the plain way.
  if (!deletesOnClose) DeleteFileA(tempPath.c_str());
}

void PendingFile::fail(DWORD error) { throw InputError("cannot write " + finalPath + ": " + systemErrorText(error)); }

void PendingFile::open() {
  // A folder at the final path would refuse only the last step, the move,
  // after all the work the file holds; it is refused before any of it.
  const DWORD attributes = GetFileAttributesA(finalPath.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    throw InputError("cannot write " + finalPath + ": it is a folder");
  file.reset(CreateFileA(tempPath.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) fail(GetLastError());
  deletesOnClose = setDeleteOnClose(file.get(), true);
  buffer.resize(kWriteBuffer);
}

void PendingFile::writeOut(const unsigned char* bytes, size_t size) {
  if (size > limit - written) fail(ERROR_DISK_FULL);
  while (size > 0) {
    const DWORD piece = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
    DWORD put = 0;
    if (!WriteFile(file.get(), bytes, piece, &put, nullptr)) fail(GetLastError());
    if (put == 0) fail(ERROR_DISK_FULL);
    bytes += put;
    size -= put;
    written += put;
  }
}

void PendingFile::flush() {
  writeOut(buffer.data(), buffered);
  buffered = 0;
}

void PendingFile::append(const void* data, size_t size) {
  if (!file.valid()) open();
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  if (buffered + size > buffer.size()) flush();
  if (size >= buffer.size()) {
    writeOut(bytes, size);
    return;
  }
  std::memcpy(buffer.data() + buffered, bytes, size);
  buffered += size;
}

void PendingFile::commit() {
  if (!file.valid()) open();
  flush();
  if (deletesOnClose && !setDeleteOnClose(file.get(), false)) fail(GetLastError());
  deletesOnClose = false;
  file.reset();
  if (!MoveFileExA(tempPath.c_str(), finalPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileA(tempPath.c_str());
    fail(error);
  }
}

namespace {

struct FileIdentity {
  DWORD volume = 0;
  DWORD indexHigh = 0;
  DWORD indexLow = 0;
  bool operator==(const FileIdentity& other) const {
    return volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow;
  }
};

bool identityOf(const std::string& path, FileIdentity& identity) {
  UniqueHandle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)) return false;
  identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
  return true;
}

std::string fullPath(const std::string& path) {
  char full[MAX_PATH * 4];
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return length && length < sizeof full ? std::string(full, length) : path;
}

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
  FileIdentity first, second;
  const bool firstExists = identityOf(a, first);
  const bool secondExists = identityOf(b, second);
  if (firstExists || secondExists) return firstExists && secondExists && first == second;
  return lstrcmpiA(fullPath(a).c_str(), fullPath(b).c_str()) == 0;
}

void checkWritable(const std::string& path) {
  // The same temporary file a real write makes, with the same checks,
  // dropped again at once.
  PendingFile probe(path);
  probe.write({});
}

}  // namespace plughost
