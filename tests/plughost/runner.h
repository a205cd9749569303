// Runs plughost.exe as a user would and collects what it printed, and a
// scratch folder for the files a test hands it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "wavfile/wavbytes.h"

namespace plughosttest {

struct Outcome {
  DWORD status = 0;
  std::string out;
  std::string err;

  std::vector<std::string> outLines() const;
  std::vector<std::string> errLines() const;
  // The stdout line that starts with `prefix`, or "".
  std::string lineStarting(const std::string& prefix) const;
};

// A folder of its own for one test, removed afterwards.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  // A path inside the folder, as plughost gets it.
  std::string path(const std::string& name) const;
  std::string write(const std::string& name, const wavbytes::Bytes& bytes) const;
  // The names of the files in the folder, sorted.
  std::vector<std::string> files() const;

 private:
  std::filesystem::path folder;
};

// Runs plughost.exe (beside the test) with the arguments; standard output
// and error go through files, so helper processes that inherit handles
// cannot keep the test waiting.
Outcome plughost(const std::vector<std::string>& args, const Scratch& scratch);

wavbytes::Bytes readFile(const std::string& path);

bool contains(const std::string& text, const std::string& part);

// A path relative to this folder of the sources, which the build names by
// its full path: the reference pictures lie here, the README's pictures
// in docs/ two levels up.
std::string sourcePath(const std::string& relative);

// The lines of the report block under `heading`, up to the next heading.
std::vector<std::string> block(const Outcome& run, const std::string& heading);

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;

  // The red, green and blue of a pixel as one 0xRRGGBB number.
  unsigned long at(int x, int y) const;
};

// Empty when the file cannot be read as a picture (PNG, or BMP for the
// pictures a plug-in is built with).
Picture readPng(const std::string& path);
size_t differingPixels(const Picture& a, const Picture& b);
// The pixels that differ between a w x h area of `a` at (ax, ay) and one of
// `b` at (bx, by); areas reaching outside a picture count as all differing.
size_t differingPixels(const Picture& a, int ax, int ay, const Picture& b, int bx, int by, int w, int h);

}  // namespace plughosttest
