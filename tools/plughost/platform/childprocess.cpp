// Running a program as a child process and waiting for it.
#include "tools/plughost/platform/childprocess.h"

#include "tools/plughost/platform/files.h"
#include "tools/plughost/platform/handle.h"

namespace plughost {

namespace {

HANDLE openInheritableNul(DWORD access) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  return CreateFileA("NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
}

// This process's standard error as an inheritable handle, or NUL.
HANDLE inheritableStandardError() {
  HANDLE duplicate = nullptr;
  HANDLE own = GetStdHandle(STD_ERROR_HANDLE);
  if (own && own != INVALID_HANDLE_VALUE &&
      DuplicateHandle(GetCurrentProcess(), own, GetCurrentProcess(), &duplicate, 0, TRUE,
                      DUPLICATE_SAME_ACCESS))
    return duplicate;
  return openInheritableNul(GENERIC_WRITE);
}

}  // namespace

std::string quoteArgument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
  // Backslashes are literal except before a quote, where they double.
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');
  quoted += '"';
  return quoted;
}

std::string ownExecutablePath() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return length && length < sizeof path ? std::string(path, length) : "plughost.exe";
}

ChildOutcome runChild(const std::vector<std::string>& args, DWORD timeoutMs) {
  std::string commandLine;
  for (const std::string& arg : args) commandLine += (commandLine.empty() ? "" : " ") + quoteArgument(arg);

  UniqueHandle input(openInheritableNul(GENERIC_READ));
  UniqueHandle output(inheritableStandardError());
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.get();
  startup.hStdOutput = output.get();
  startup.hStdError = output.get();

  ChildOutcome outcome;
  PROCESS_INFORMATION info = {};
  // Under Wine a process start can fail now and then with an internal
  // error while the machine is busy, though nothing is wrong with the
  // child; a check must not fail for that, so such a start is retried a
  // few times before it counts.
  const int attempts = 5;
  for (int attempt = 1;; ++attempt) {
    if (CreateProcessA(args[0].c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &info))
      break;
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || attempt == attempts) {
      outcome.error = systemErrorText(error);
      return outcome;
    }
    Sleep(200 * attempt);
  }
  UniqueHandle process(info.hProcess);
  UniqueHandle thread(info.hThread);
  outcome.started = true;
  if (WaitForSingleObject(process.get(), timeoutMs) == WAIT_TIMEOUT) {
    outcome.timedOut = true;
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), INFINITE);
  }
  GetExitCodeProcess(process.get(), &outcome.exitStatus);
  return outcome;
}

}  // namespace plughost
