// plughost validate: every check of the registry, each in a child process.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/plughost/checks/registry.h"
#include "tools/plughost/checks/report.h"
#include "tools/plughost/commands.h"
#include "tools/plughost/host/crash.h"
#include "tools/plughost/platform/childprocess.h"
#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/files.h"
#include "tools/plughost/platform/handle.h"
#include "tools/plughost/platform/stopwatch.h"

namespace plughost {

namespace {

struct Verdict {
  Result result = Result::kFail;
  std::string reason;
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

Verdict runInChild(const Check& check, const Options& options, uint32_t seed) {
  ResultFile result;
  const std::vector<std::string> args = {ownExecutablePath(),
                                         kCheckCommand,
                                         check.name,
                                         "--result",
                                         result.path(),
                                         "--seed",
                                         std::to_string(seed),
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
  bool passOrSkip = false;
  for (Result given : {Result::kPass, Result::kSkip}) {
    if (line.compare(0, 5, std::string(resultWord(given)) + " ") != 0) continue;
    if (outcome.exitStatus == 0) return {given, line.substr(5)};
    passOrSkip = true;
  }
  if (line.compare(0, 5, "FAIL ") == 0) return {Result::kFail, line.substr(5)};
  if (isExceptionStatus(outcome.exitStatus))
    return {Result::kFail, "crashed with " + describeException(outcome.exitStatus)};
  const std::string status = std::to_string(outcome.exitStatus);
  // Something after the verdict, such as a static destructor, ended the
  // process its own way; the verdict is not believed, but it is told.
  if (passOrSkip) return {Result::kFail, "wrote \"" + line + "\" but ended with exit status " + status};
  return {Result::kFail, "ended with exit status " + status + " and no verdict"};
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

// The seed of each round after the first, drawn from the one before, so
// that a failure in any round is run again alone with --seed.
uint32_t nextSeed(uint32_t seed) {
  uint32_t mixed = seed + 0x9E3779B9u;
  mixed = (mixed ^ (mixed >> 16)) * 0x85EBCA6Bu;
  mixed = (mixed ^ (mixed >> 13)) * 0xC2B2AE35u;
  return mixed ^ (mixed >> 16);
}

// A seed for a run given none: different each time, printed with the run.
uint32_t freshSeed() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return nextSeed(static_cast<uint32_t>(now.QuadPart) ^ (GetCurrentProcessId() << 16));
}

void writeReport(const std::string& path, const std::string& text) {
  PendingFile file(path);
  file.write(std::vector<unsigned char>(text.begin(), text.end()));
  file.commit();
}

// The exit status of a check's process that wrote this verdict line, one
// rule for every way a check ends: the parent believes a PASS or a SKIP
// only from a process that ended with 0.
int exitStatusOf(const std::string& verdictLine) {
  return verdictLine.compare(0, 5, "FAIL ") == 0 ? kExitChecksFailed : kExitOk;
}

int listChecks() {
  for (const Check& check : allChecks()) std::printf("%-24s %s\n", check.name, check.proves);
  return kExitOk;
}

}  // namespace

void endCheck(const std::string& verdictLine) {
  writeResult(verdictLine.c_str());
  TerminateProcess(GetCurrentProcess(), exitStatusOf(verdictLine));
  std::abort();
}

int runValidate(const Options& options) {
  if (options.list) return listChecks();
  if (!fileExists(options.plugin)) throw InputError("cannot load " + options.plugin + ": no such file");
  const std::vector<const Check*> checks = selectChecks(options);
  // Refused before any check runs, rather than after minutes of them.
  for (const std::string& path : {options.jsonFile, options.junitFile})
    if (!path.empty()) checkWritable(path);
  // Under Wine the desktop's process ends soon after its last user does;
  // held here, one serves every check's window instead of one each.
  GetDesktopWindow();

  ValidateRun run;
  run.plugin = options.plugin;
  run.seed = options.seedGiven ? options.seed : freshSeed();
  run.rounds = options.repeat;
  std::printf("validating %s (seed %lu)\n", options.plugin.c_str(), static_cast<unsigned long>(run.seed));
  std::fflush(stdout);
  uint32_t seed = run.seed;
  for (unsigned round = 1; round <= run.rounds; ++round, seed = nextSeed(seed)) {
    if (run.rounds > 1) std::printf("round %u of %u (seed %lu)\n", round, run.rounds, static_cast<unsigned long>(seed));
    for (const Check* check : checks) {
      Stopwatch stopwatch;
      stopwatch.start();
      const Verdict verdict = runInChild(*check, options, seed);
      stopwatch.stop();
      CheckRun done{check->name, round, seed, verdict.result, stopwatch.seconds(), verdict.reason};
      std::printf("%s %-24s %6.2f s  %s\n", resultWord(done.result), check->name, done.seconds, done.detail.c_str());
      std::fflush(stdout);
      run.checks.push_back(std::move(done));
    }
  }
  std::printf("summary: %zu checks, %zu PASS, %zu FAIL, %zu SKIP (seed %lu)\n", run.checks.size(),
              run.count(Result::kPass), run.count(Result::kFail), run.count(Result::kSkip),
              static_cast<unsigned long>(run.seed));
  if (!options.jsonFile.empty()) writeReport(options.jsonFile, jsonReport(run));
  if (!options.junitFile.empty()) writeReport(options.junitFile, junitReport(run));
  if (run.passed())
    std::printf("validate: PASS (%zu checks)\n", run.checks.size());
  else
    std::printf("validate: FAIL (%zu of %zu checks)\n", run.count(Result::kFail), run.checks.size());
  return run.passed() ? kExitOk : kExitChecksFailed;
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
  return exitStatusOf(line);
}

}  // namespace plughost
