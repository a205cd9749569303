// plughost validate: Quillon and the clean testplugs pass every check (the
// one without an editor skips the editor checks), and each deliberately
// faulty testplug fails the check aimed at its fault, with the reason,
// while the checks it does not touch still pass.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "plughost/runner.h"
#include "support/target.h"

namespace {

using plughosttest::plughost;
using plughosttest::Outcome;
using plughosttest::Scratch;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const std::vector<std::string> kChecks = {
    "entry-version-zero",   "entry-magic",          "entry-counts",           "entry-functions",
    "host-queries",         "text-parameter-names", "text-parameter-labels",  "text-parameter-displays",
    "text-program-names",   "text-plug-in-names",   "process-silence",        "process-noise",
    "process-frame-counts", "process-in-place",     "process-block-sizes",    "parameter-round-trip",
    "parameter-out-of-range", "dispatch-storm",     "close",                  "process-matrix",
    "process-denormals",    "parameter-automation", "state-round-trip",       "realtime-safety",
    "calling-convention",   "process-while-editing"};

const std::vector<std::string> kEditorChecks = {
    "editor-rect-before-open", "editor-open",          "editor-idle-closed",     "editor-close-twice",
    "editor-open-close-cycles", "editor-parent-destroyed", "editor-effect-closed"};

std::string joined(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ",") + name;
  return list;
}

// The verdict line of one check ("PASS name reason"), or "".
std::string verdict(const Outcome& run, const std::string& check) {
  for (const std::string& line : run.outLines())
    if (line.size() > 5 && line.compare(5, check.size() + 1, check + " ") == 0) return line;
  return "";
}

// The counts of the summary line, without the seed that ends it.
std::string summaryOf(const Outcome& run) {
  const std::string line = run.lineStarting("summary: ");
  return line.substr(0, line.find(" (seed "));
}

std::string summary(size_t passed, size_t failed, size_t skipped) {
  return "summary: " + std::to_string(passed + failed + skipped) + " checks, " + std::to_string(passed) + " PASS, " +
         std::to_string(failed) + " FAIL, " + std::to_string(skipped) + " SKIP";
}

void expectAllPass(const Outcome& run) {
  EXPECT_EQ(run.status, 0u) << run.out << run.err;
  for (const auto* checks : {&kChecks, &kEditorChecks})
    for (const std::string& check : *checks)
      EXPECT_EQ(verdict(run, check).rfind("PASS ", 0), 0u) << check << "\n" << run.out;
  EXPECT_EQ(summaryOf(run), summary(kChecks.size() + kEditorChecks.size(), 0, 0));
  EXPECT_EQ(run.outLines().back(), "validate: PASS (" + std::to_string(kChecks.size() + kEditorChecks.size()) + " checks)");
}

TEST(PlughostValidate, QuillonPassesEveryCheck) {
  Scratch scratch;
  const Outcome run = plughost({"validate", "quillon.dll", "--seed", "1"}, scratch);
  expectAllPass(run);
  EXPECT_TRUE(contains(verdict(run, "dispatch-storm"), "100000 requests (seed 1)")) << run.out;
  EXPECT_TRUE(contains(verdict(run, "text-parameter-names"), "\"Threshol\", \"Ratio\"")) << run.out;
  EXPECT_TRUE(contains(verdict(run, "editor-open"), "a 320x240 child window")) << run.out;
  EXPECT_TRUE(contains(verdict(run, "process-while-editing"), " clicks, each followed by Escape")) << run.out;
}

TEST(PlughostValidate, AnotherPlugInWithoutEditorPassesEveryCheck) {
  Scratch scratch;
  const Outcome run = plughost({"validate", "fixtures/testplug_clean.dll", "--duration", "0.5"}, scratch);
  EXPECT_EQ(run.status, 0u) << run.out << run.err;
  for (const std::string& check : kChecks) EXPECT_EQ(verdict(run, check).rfind("PASS ", 0), 0u) << check << "\n" << run.out;
  for (const std::string& check : kEditorChecks)
    EXPECT_EQ(verdict(run, check).rfind("SKIP " + check, 0), 0u) << run.out;
  EXPECT_TRUE(contains(verdict(run, "editor-open"), "no editor (flags 0x10 lack effFlagsHasEditor)")) << run.out;
  EXPECT_TRUE(contains(verdict(run, "process-while-editing"), "no editor: ")) << run.out;
  EXPECT_EQ(summaryOf(run), summary(kChecks.size(), 0, kEditorChecks.size()));
  // The checks this test knows are the checks there are.
  const Outcome list = plughost({"validate", "--list"}, scratch);
  std::set<std::string> listed, known(kChecks.begin(), kChecks.end());
  known.insert(kEditorChecks.begin(), kEditorChecks.end());
  for (const std::string& line : list.outLines()) listed.insert(line.substr(0, line.find(' ')));
  EXPECT_EQ(listed, known);
}

TEST(PlughostValidate, AnotherPlugInWithEditorPassesEveryCheck) {
  Scratch scratch;
  expectAllPass(plughost({"validate", "fixtures/testplug_editor.dll", "--duration", "0.5"}, scratch));
}

struct Fault {
  const char* variant;
  std::vector<std::string> failing;  // the checks that must fail, in order of output
  const char* reason;                // part of the first failing check's reason
  const char* reasonOf = nullptr;    // the check whose reason holds it, when not the first
};

const Fault kFaults[] = {
    {"longname", {"text-parameter-names"}, "parameter 1 name: wrote 8 bytes past the 9-byte buffer (\"BalanceLeftRight\")"},
    // The exception's code and name are HardwareFaultsAreNamedByTheirCode's.
    {"crash", {"host-queries", "dispatch-storm"}, ") in testplug_crash.dll during effGetTailSize"},
    {"divide", {"host-queries", "dispatch-storm"}, ") in testplug_divide.dll during effGetVendorVersion"},
    {"nan", {"process-silence", "process-denormals"},
     "silence in, default parameters, block 0: output channel 0 frame 0 is nan"},
    {"ignoresversion", {"entry-version-zero"}, "built an effect"},
    {"nullentry", {}, "the entry point built no effect"},
    {"badmagic", {}, "magic is 0x12345678, not 0x56737450"},
    {"overrun", {"process-noise", "process-block-sizes", "process-matrix", "parameter-automation"},
     "block size 1, block 0: output channel 0: frame 1 past the 1-frame block was written", "process-block-sizes"},
    {"leak", {"close"}, "closed effects are not gone"},
    {"inplace", {"process-in-place", "process-matrix"}, "block 0, channel 1 frame 0:"},
    // process-block-sizes tells a block size of 4096 and sends it too.
    {"overrunlargest", {"process-block-sizes", "process-matrix"},
     "8000 Hz with a maximum block size of 4096, blocks of the maximum size, block 0 (4096 frames): output channel 0: "
     "frame 4096 past the 4096-frame block was written",
     "process-matrix"},
    // It crashes on its guard page; the exception's code differs under emulation.
    {"firstblock", {"process-matrix"},
     ") in testplug_firstblock.dll during processReplacing at 8000 Hz with a maximum block size of 64, blocks of "
     "random sizes"},
    {"denormals", {"process-denormals"},
     "the output stays subnormal in silence: 65536 of its 65536 samples from 0.74 s to 1.49 s after noise stopped "
     "were subnormal"},
    {"automation", {"parameter-automation"},
     "block 1 (0.001 s), parameters at [0.521157 0.388914 0.599808]: output channel 0 frame 0 is -inf"},
};

// Every check but the editor's (those have their own faults below), with
// the checks that run for a while kept short.
TEST(PlughostValidate, EachFaultFailsItsCheckWithTheReason) {
  for (const Fault& fault : kFaults) {
    SCOPED_TRACE(fault.variant);
    Scratch scratch;
    const Outcome run = plughost({"validate", std::string("fixtures/testplug_") + fault.variant + ".dll", "--only",
                                  joined(kChecks), "--duration", "1", "--seed", "1"},
                                 scratch);
    EXPECT_EQ(run.status, 1u) << run.out << run.err;
    std::vector<std::string> failing;
    for (const std::string& check : kChecks)
      if (verdict(run, check).rfind("FAIL ", 0) == 0) failing.push_back(check);
    ASSERT_FALSE(failing.empty()) << run.out;
    // A plug-in that builds no usable effect fails every check but the
    // version one; any other fault fails only what it breaks.
    if (!fault.failing.empty()) {
      EXPECT_EQ(failing, fault.failing) << run.out;
    }
    const std::string given =
        verdict(run, fault.reasonOf ? fault.reasonOf : fault.failing.empty() ? "entry-magic" : fault.failing[0]);
    EXPECT_TRUE(contains(given, fault.reason)) << given;
    EXPECT_EQ(summaryOf(run), summary(kChecks.size() - failing.size(), failing.size(), 0));
    EXPECT_EQ(run.outLines().back(),
              "validate: FAIL (" + std::to_string(failing.size()) + " of " + std::to_string(kChecks.size()) + " checks)");
  }
}

// The state and real-time faults, each run on its own check alone; they
// have editors, so the full run would cost the editor checks' time too.
TEST(PlughostValidate, EachStateAndRealtimeFaultFailsItsCheckWithTheReason) {
  const struct {
    const char* variant;
    const char* check;
    const char* reason;
  } faults[] = {
      {"chunkloses", "state-round-trip", "a fresh instance given the bank chunk, program 0: parameter 2 is 0.5, not "},
      {"chunkcrash", "state-round-trip", ") in testplug_chunkcrash.dll during effSetChunk"},
      // The vector's operator new is in the DLL; what it calls is imported.
      {"allocates", "realtime-safety", "processReplacing called free 3000 times, malloc 3000 times"},
      {"locks", "realtime-safety", "processReplacing called EnterCriticalSection 300 times"},
      {"prints", "realtime-safety", "processReplacing called _lock 300 times, fputc "},
  };
  for (const auto& fault : faults) {
    SCOPED_TRACE(fault.variant);
    Scratch scratch;
    const Outcome run =
        plughost({"validate", std::string("fixtures/testplug_") + fault.variant + ".dll", "--only", fault.check,
                  "--seed", "1"},
                 scratch);
    EXPECT_EQ(run.status, 1u) << run.out << run.err;
    EXPECT_EQ(verdict(run, fault.check).rfind("FAIL ", 0), 0u) << run.out;
    EXPECT_TRUE(contains(verdict(run, fault.check), fault.reason)) << run.out;
  }
}

struct EditorFault {
  const char* variant;
  const char* check;  // the one check with the editor that must fail
  std::vector<const char*> reason;  // parts of its reason
};

const EditorFault kEditorFaults[] = {
    {"norect", "editor-rect-before-open",
     {"effEditGetRect before effEditOpen gave an empty rectangle (top 0, left 0, bottom 0, right 0)"}},
    {"openfails", "editor-open", {"effEditOpen answered 0, not 1"}},
    {"opensize", "editor-open",
     {"no window inside the host's window has the rectangle's size 320x240: 1 window (class \"TestplugEditor\", 160x120"}},
    {"toplevel", "editor-open",
     {"effEditOpen made no window inside the host's window, only top-level ones: 1 window (class \"TestplugEditor\", 320x240"}},
    {"idleclosed", "editor-idle-closed", {") in testplug_idleclosed.dll during effEditIdle"}},
    {"closetwice", "editor-close-twice", {") in testplug_closetwice.dll during effEditClose"}},
    {"bitmapleak", "editor-open-close-cycles", {"private memory grew by ", " MiB over 200 open/close cycles"}},
    {"parentgone", "editor-parent-destroyed", {") in testplug_parentgone.dll during effEditIdle"}},
    {"effectgone", "editor-effect-closed",
     {") in testplug_effectgone.dll during messages to the host's window after effClose"}},
    // Emulated, the read of a freed page is reported with another code.
    {"tableswap", "process-while-editing", {") in testplug_tableswap.dll during processReplacing on the audio thread"}},
    {"lockorder", "process-while-editing",
     {"deadlock: the audio thread has been inside processReplacing and the window thread inside effEditIdle for "}},
};

// The editor checks run together, so that those a fault does not touch are
// seen to pass; a check that runs for a while runs alone, and briefly:
// long enough, emulated, for the editor to be open a while before the end.
std::vector<std::string> checksRunWith(const std::string& check) {
  for (const std::string& editorCheck : kEditorChecks)
    if (editorCheck == check) return kEditorChecks;
  return {check};
}

TEST(PlughostValidate, EachEditorFaultFailsItsCheckWithTheReason) {
  for (const EditorFault& fault : kEditorFaults) {
    SCOPED_TRACE(fault.variant);
    Scratch scratch;
    const std::vector<std::string> checks = checksRunWith(fault.check);
    const Outcome run = plughost({"validate", std::string("fixtures/testplug_") + fault.variant + ".dll", "--only",
                                  joined(checks), "--duration", "2", "--seed", "1"},
                                 scratch);
    EXPECT_EQ(run.status, 1u) << run.out << run.err;
    for (const std::string& check : checks)
      EXPECT_EQ(verdict(run, check).substr(0, 4), check == fault.check ? "FAIL" : "PASS") << check << "\n" << run.out;
    for (const char* part : fault.reason) EXPECT_TRUE(contains(verdict(run, fault.check), part)) << run.out;
    EXPECT_EQ(summaryOf(run), summary(checks.size() - 1, 1, 0));
  }
}

// Only 32-bit code has a second calling convention to get wrong; the same
// plug-in built for 64-bit passes.
TEST(PlughostValidate, ACalleeThatRemovesItsArgumentsFailsTheCallingConvention) {
  Scratch scratch;
  const Outcome run = plughost({"validate", "fixtures/testplug_calleepops.dll", "--only", "calling-convention"}, scratch);
  if (sizeof(void*) == 8) {
    EXPECT_EQ(run.status, 0u) << run.out;
    EXPECT_TRUE(contains(verdict(run, "calling-convention"), "one calling convention on 64-bit targets")) << run.out;
    return;
  }
  EXPECT_EQ(run.status, 1u) << run.out << run.err;
  EXPECT_TRUE(contains(verdict(run, "calling-convention"),
                       "processReplacing, called with the stack on a 16-byte boundary, moved the stack pointer by 16 "
                       "bytes: it removed its own arguments"))
      << run.out;
}

// A crash is reported with the code and name of its exception.
TEST(PlughostValidate, HardwareFaultsAreNamedByTheirCode) {
  if (testsupport::cpuIsEmulated())
    GTEST_SKIP() << testsupport::skippedOnThisTarget(
        "under emulation a hardware fault arrives with the emulator's exception code",
        "the x86_64 run of PlughostValidate.HardwareFaultsAreNamedByTheirCode");
  const struct {
    const char* variant;
    const char* check;
    const char* reason;
  } faults[] = {
      {"crash", "host-queries",
       "crashed with exception 0xC0000005 (access violation) in testplug_crash.dll during effGetTailSize"},
      {"divide", "host-queries",
       "crashed with exception 0xC0000094 (integer division by zero) in testplug_divide.dll during effGetVendorVersion"},
      {"idleclosed", "editor-idle-closed",
       "crashed with exception 0xC0000005 (access violation) in testplug_idleclosed.dll during effEditIdle"},
  };
  for (const auto& fault : faults) {
    Scratch scratch;
    const Outcome run = plughost(
        {"validate", std::string("fixtures/testplug_") + fault.variant + ".dll", "--only", fault.check}, scratch);
    EXPECT_TRUE(contains(verdict(run, fault.check), fault.reason)) << run.out;
  }
}

TEST(PlughostValidate, OnlyRunsTheNamedChecksAndPassesSeedAndCount) {
  Scratch scratch;
  const Outcome run = plughost({"validate", "quillon.dll", "--only", "close,dispatch-storm", "--seed", "77", "--requests", "5000"},
                           scratch);
  EXPECT_EQ(run.status, 0u) << run.out;
  ASSERT_EQ(run.outLines().size(), 5u) << run.out;
  EXPECT_TRUE(contains(verdict(run, "dispatch-storm"), "5000 requests (seed 77)")) << run.out;
  EXPECT_EQ(run.lineStarting("summary: "), "summary: 2 checks, 2 PASS, 0 FAIL, 0 SKIP (seed 77)");
}

// The plug-in path travels to every child process whole.
TEST(PlughostValidate, PluginPathWithSpacesReachesTheChildren) {
  Scratch scratch;
  const std::string copy = scratch.path("a folder with spaces");
  std::filesystem::create_directories(copy);
  std::filesystem::copy_file("fixtures/testplug_clean.dll", copy + "/test plug.dll");
  const Outcome run = plughost({"validate", copy + "/test plug.dll", "--only", "entry-magic,entry-counts"}, scratch);
  EXPECT_EQ(run.status, 0u) << run.out;
  EXPECT_TRUE(contains(verdict(run, "entry-counts"), "1 programs, 3 parameters, 2 inputs, 2 outputs")) << run.out;
}

}  // namespace
