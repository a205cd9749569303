// plughost validate: every check of the registry, each in a child process.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/plughost/checks/registry.h"
#include "tools/plughost/commands.h"
#include "tools/plughost/host/crash.h"
#include "tools/plughost/platform/childprocess.h"
#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/files.h"
#include "tools/plughost/platform/handle.h"

namespace plughost {

namespace {

enum class Result { kPass, kFail, kSkip };

struct Verdict {
  Result result = Result::kFail;
  std::string reason;
};

// The word of the report and the verdict file for each result.
const char* resultWord(Result result) {
  switch (result) {
    case Result::kPass:
      return "PASS";
    case Result::kSkip:
      return "SKIP";
    default:
      return "FAIL";
  }
}

struct Tally {
  int passed = 0;
  int failed = 0;
  int skipped = 0;
  void add(Result result) { ++(result == Result::kPass ? passed : result == Result::kSkip ? skipped : failed); }
};

// A temporary file the child writes its verdict into, removed afterwards.
class ResultFile {
 public:
  ResultFile() {
    char folder[MAX_PATH];
    char name[MAX_PATH];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder || !GetTempFileNameA(folder, "plh", 0, name))
      throw InputError("cannot make a temporary file: " + systemErrorText(GetLastError()));
    filePath = name;
  }
  ~ResultFile() { DeleteFileA(filePath.c_str()); }
  ResultFile(const ResultFile&) = delete;
  ResultFile& operator=(const ResultFile&) = delete;

  const std::string& path() const { return filePath; }

  // The first line the child wrote, or "".
  std::string firstLine() const {
    std::vector<unsigned char> bytes;
    try {
      bytes = readWholeFile(filePath);
    } catch (const InputError&) {
      return "";
    }
    std::string text(bytes.begin(), bytes.end());
    return text.substr(0, text.find('\n'));
  }

 private:
  std::string filePath;
};

Verdict runInChild(const Check& check, const Options& options) {
  ResultFile result;
  const std::vector<std::string> args = {ownExecutablePath(),
                                         kCheckCommand,
                                         check.name,
                                         "--result",
                                         result.path(),
                                         "--seed",
                                         std::to_string(options.seed),
                                         "--requests",
                                         std::to_string(options.requests),
                                         "--duration",
                                         std::to_string(options.durationSeconds),
                                         options.plugin};
  const ChildOutcome outcome = runChild(args, options.timeoutSeconds * 1000u);
  if (!outcome.started) return {Result::kFail, "could not start a child process: " + outcome.error};
  if (outcome.timedOut)
    return {Result::kFail, "did not finish within " + std::to_string(options.timeoutSeconds) + " s"};
  const std::string line = result.firstLine();
  for (Result given : {Result::kPass, Result::kSkip})
    if (line.compare(0, 5, std::string(resultWord(given)) + " ") == 0 && outcome.exitStatus == 0)
      return {given, line.substr(5)};
  if (line.compare(0, 5, "FAIL ") == 0) return {Result::kFail, line.substr(5)};
  if (isExceptionStatus(outcome.exitStatus))
    return {Result::kFail, "crashed with " + describeException(outcome.exitStatus)};
  return {Result::kFail, "ended with exit status " + std::to_string(outcome.exitStatus) + " and no verdict"};
}

std::vector<const Check*> selectChecks(const Options& options) {
  std::vector<const Check*> selected;
  for (const Check& check : allChecks()) {
    bool wanted = options.only.empty();
    for (const std::string& name : options.only) wanted = wanted || name == check.name;
    if (wanted) selected.push_back(&check);
  }
  for (const std::string& name : options.only) {
    bool known = false;
    for (const Check& check : allChecks()) known = known || name == check.name;
    if (!known) throw InputError("validate: unknown check '" + name + "'");
  }
  return selected;
}

// The child's verdict file, kept where the crash handler can reach it
// without allocating.
char gResultPath[MAX_PATH * 4];

void writeResult(const char* line) {
  UniqueHandle file(
      CreateFileA(gResultPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return;
  DWORD written = 0;
  WriteFile(file.get(), line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
  WriteFile(file.get(), "\n", 1, &written, nullptr);
}

UINT reportCrashAsFailure(const char* report, DWORD code) {
  char line[1024];
  std::snprintf(line, sizeof line, "FAIL %s", report);
  writeResult(line);
  return code;
}

}  // namespace

void endCheck(const std::string& verdictLine) {
  writeResult(verdictLine.c_str());
  TerminateProcess(GetCurrentProcess(), verdictLine.compare(0, 5, "FAIL ") == 0 ? kExitChecksFailed : kExitOk);
  std::abort();
}

int runValidate(const Options& options) {
  if (!fileExists(options.plugin)) throw InputError("cannot load " + options.plugin + ": no such file");
  const std::vector<const Check*> checks = selectChecks(options);
  // Under Wine the desktop's process ends soon after its last user does;
  // held here, one serves every check's window instead of one each.
  GetDesktopWindow();
  std::printf("validating %s\n", options.plugin.c_str());
  std::fflush(stdout);
  Tally tally;
  for (const Check* check : checks) {
    const Verdict verdict = runInChild(*check, options);
    tally.add(verdict.result);
    std::printf("%s %-24s %s\n", resultWord(verdict.result), check->name, verdict.reason.c_str());
    std::fflush(stdout);
  }
  std::printf("summary: %zu checks, %d PASS, %d FAIL, %d SKIP\n", checks.size(), tally.passed, tally.failed,
              tally.skipped);
  return tally.failed ? kExitChecksFailed : kExitOk;
}

int runCheck(const Options& options) {
  std::snprintf(gResultPath, sizeof gResultPath, "%s", options.resultFile.c_str());
  installCrashHandler(reportCrashAsFailure);
  const Check* found = nullptr;
  for (const Check& check : allChecks())
    if (options.checkName == check.name) found = &check;
  if (!found) throw InputError("--check: unknown check '" + options.checkName + "'");

  CheckContext context;
  context.plugin = options.plugin;
  context.seed = options.seed;
  context.requests = options.requests;
  context.durationSeconds = options.durationSeconds;
  std::string line;
  try {
    line = "PASS " + found->run(context);
  } catch (const CheckSkipped& skip) {
    line = std::string("SKIP ") + skip.what();
  } catch (const std::exception& failure) {
    // CheckFailure, or InputError from a plug-in that cannot be used.
    line = std::string("FAIL ") + failure.what();
  }
  writeResult(line.c_str());
  return line[0] == 'F' ? kExitChecksFailed : kExitOk;
}

}  // namespace plughost
