// File access with the guarantees plughost gives: inputs are read whole,
// outputs appear complete or not at all.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace plughost {

// Reads a whole file. Throws InputError naming the file and the reason.
std::vector<unsigned char> readWholeFile(const std::string& path);

bool fileExists(const std::string& path);

// Text of the last Win32 error, without the trailing line break.
std::string systemErrorText(DWORD error);

// An output file written under a temporary name in the destination folder
// and renamed into place by commit(); dropped without trace otherwise.
class PendingFile {
 public:
  explicit PendingFile(std::string finalPath);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Writes the whole contents to the temporary file. Throws InputError.
  void write(const std::vector<unsigned char>& bytes);
  // Moves the temporary file onto the final path. Throws InputError.
  void commit();

 private:
  std::string finalPath;
  std::string tempPath;
  bool written = false;
};

// Refuses, with the InputError a write would give, a path no output can be
// written to, without leaving anything there.
void checkWritable(const std::string& path);

}  // namespace plughost
