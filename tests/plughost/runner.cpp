#include "plughost/runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include "tools/plughost/platform/handle.h"


namespace plughosttest {

namespace {

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string readText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A file the child process writes as its standard output or error.
// The first window of a Wine session starts the desktop process, which
// inherits the handles of the process that made the window, the captured
// output files among them, and lets them go a moment later.
void removeSoon(const std::filesystem::path& path) {
  std::error_code failed;
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (std::filesystem::remove(path, failed) || !failed) return;
    Sleep(50);
  }
  ADD_FAILURE() << "cannot remove " << path.string() << ": " << failed.message();
}

// A run still going after this long has hung: ended, it fails its test
// with what it printed, where waiting on would only end the whole suite at
// its time limit with no word on which run hung. The slowest run, a full
// validate under emulation, takes well under a minute.
constexpr DWORD kRunLimitMs = 300000;

plughost::UniqueHandle inheritableFile(const std::filesystem::path& path) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  return plughost::UniqueHandle(CreateFileW(path.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

std::vector<std::string> Outcome::outLines() const { return splitLines(out); }
std::vector<std::string> Outcome::errLines() const { return splitLines(err); }

std::string Outcome::lineStarting(const std::string& prefix) const {
  for (const std::string& line : outLines())
    if (line.compare(0, prefix.size(), prefix) == 0) return line;
  return "";
}

Scratch::Scratch() {
  static int counter = 0;
  folder = std::filesystem::current_path() / "plughost-scratch" /
           (std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter));
  std::filesystem::create_directories(folder);
}

Scratch::~Scratch() {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

std::string Scratch::path(const std::string& name) const { return (folder / name).string(); }

std::string Scratch::write(const std::string& name, const wavbytes::Bytes& bytes) const {
  const std::string file = path(name);
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return file;
}

std::vector<std::string> Scratch::files() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

Outcome plughost(const std::vector<std::string>& args, const Scratch& scratch) {
  // Wine ends its desktop process a moment after the last process using it
  // ends, and the next run's first window starts it again: a start racing
  // an end can hang that run. This process uses the desktop for its whole
  // life, so the one desktop process serves every run. It starts before
  // any inheritable handle is open, so it holds none of the runs' files.
  static const HWND desktop = GetDesktopWindow();
  (void)desktop;
  const std::string outPath = scratch.path("stdout.txt");
  const std::string errPath = scratch.path("stderr.txt");
  std::string commandLine = "plughost.exe";
  // Every argument quoted; none of the tests' arguments holds a quote or
  // ends in a backslash, so no escaping is needed.
  for (const std::string& arg : args) commandLine += " \"" + arg + "\"";

  Outcome run;
  bool hung = false;
  {
    const plughost::UniqueHandle out = inheritableFile(outPath);
    const plughost::UniqueHandle err = inheritableFile(errPath);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out.get();
    startup.hStdError = err.get();
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA("plughost.exe", &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &info)) {
      ADD_FAILURE() << "cannot start plughost.exe: error " << GetLastError();
      return run;
    }
    const plughost::UniqueHandle process(info.hProcess);
    const plughost::UniqueHandle thread(info.hThread);
    hung = WaitForSingleObject(process.get(), kRunLimitMs) == WAIT_TIMEOUT;
    if (hung) {
      TerminateProcess(process.get(), 1);
      WaitForSingleObject(process.get(), INFINITE);
    }
    GetExitCodeProcess(process.get(), &run.status);
  }
  run.out = readText(outPath);
  run.err = readText(errPath);
  if (hung)
    ADD_FAILURE() << commandLine << " did not finish within " << kRunLimitMs / 1000 << " s and was ended;"
                  << " it printed:\n" << run.out << "\nand on standard error:\n" << run.err;
  removeSoon(outPath);
  removeSoon(errPath);
  return run;
}

wavbytes::Bytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return wavbytes::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string sourcePath(const std::string& relative) {
  return (std::filesystem::path(__FILE__).parent_path() / relative).lexically_normal().string();
}

std::vector<std::string> block(const Outcome& run, const std::string& heading) {
  std::vector<std::string> lines;
  bool inside = false;
  for (const std::string& line : run.outLines()) {
    if (!line.empty() && line[0] != ' ') {
      if (inside) break;
      inside = line == heading;
    } else if (inside) {
      lines.push_back(line);
    }
  }
  return lines;
}

unsigned long Picture::at(int x, int y) const {
  const size_t i = (static_cast<size_t>(y) * width + x) * 3;
  return (static_cast<unsigned long>(rgb[i]) << 16) | (static_cast<unsigned long>(rgb[i + 1]) << 8) | rgb[i + 2];
}

Picture readPng(const std::string& path) {
  Picture picture;
  int channels = 0;
  unsigned char* pixels = stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 3);
  if (pixels) picture.rgb.assign(pixels, pixels + static_cast<size_t>(picture.width) * picture.height * 3);
  stbi_image_free(pixels);
  return picture;
}

size_t differingPixels(const Picture& a, const Picture& b) {
  size_t count = 0;
  for (size_t i = 0; i + 2 < a.rgb.size() && i + 2 < b.rgb.size(); i += 3)
    if (a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2]) ++count;
  return count;
}

size_t differingPixels(const Picture& a, int ax, int ay, const Picture& b, int bx, int by, int w, int h) {
  const auto inside = [w, h](const Picture& p, int x, int y) {
    return x >= 0 && y >= 0 && x + w <= p.width && y + h <= p.height;
  };
  if (!inside(a, ax, ay) || !inside(b, bx, by)) return static_cast<size_t>(w) * h;
  size_t count = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (a.at(ax + x, ay + y) != b.at(bx + x, by + y)) ++count;
  return count;
}

}  // namespace plughosttest
