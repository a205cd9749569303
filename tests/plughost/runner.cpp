#include "plughost/runner.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "tools/plughost/handle.h"


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
  return names;
}

Outcome plughost(const std::vector<std::string>& args, const Scratch& scratch) {
  const std::string outPath = scratch.path("stdout.txt");
  const std::string errPath = scratch.path("stderr.txt");
  std::string commandLine = "plughost.exe";
  // Every argument quoted; none of the tests' arguments holds a quote or
  // ends in a backslash, so no escaping is needed.
  for (const std::string& arg : args) commandLine += " \"" + arg + "\"";

  Outcome run;
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
    WaitForSingleObject(process.get(), INFINITE);
    GetExitCodeProcess(process.get(), &run.status);
  }
  run.out = readText(outPath);
  run.err = readText(errPath);
  removeSoon(outPath);
  removeSoon(errPath);
  return run;
}

wavbytes::Bytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return wavbytes::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace plughosttest
