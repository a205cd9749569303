// File access with the guarantees plughost gives: outputs appear complete or
// not at all, and never in place of an input.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/plughost/platform/handle.h"

namespace plughost {

// Reads a whole file. Throws InputError naming the file and the reason.
std::vector<unsigned char> readWholeFile(const std::string& path);

bool fileExists(const std::string& path);

// Text of the last Win32 error, without the trailing line break.
std::string systemErrorText(DWORD error);

// Whether two paths name one file. Existing files are judged by the identity
// the system gives them (volume and file index), which no spelling, case or
// link hides; paths to files that do not exist yet by their full form,
// without regard to case.
bool sameFile(const std::string& a, const std::string& b);

// An output file written under a temporary name in the destination folder
// and moved over the final path by commit(). Until then the system is told
// to delete it when it is closed, so that it leaves no trace however the
// process ends: an exception, a crash in a plug-in, or being killed.
class PendingFile {
 public:
  explicit PendingFile(std::string finalPath);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Adds bytes to the temporary file, made on first use, through a buffer
  // of its own. Throws InputError.
  void append(const void* bytes, size_t size);
  void write(const std::vector<unsigned char>& bytes) { append(bytes.data(), bytes.size()); }
  // Moves the temporary file onto the final path. Throws InputError.
  void commit();

 private:
  void open();
  void flush();
  void writeOut(const unsigned char* bytes, size_t size);
  [[noreturn]] void fail(DWORD error);

  std::string finalPath;
  std::string tempPath;
  UniqueHandle file;
  bool deletesOnClose = false;
  std::vector<unsigned char> buffer;
  size_t buffered = 0;
  uint64_t written = 0;
  uint64_t limit = UINT64_MAX;
};

// Refuses, with the InputError a write would give, a path no output can be
// written to, without leaving anything there.
void checkWritable(const std::string& path);

}  // namespace plughost
