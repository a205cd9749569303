// plughost validate: Quillon and the clean testplugs pass every check (the
// one without an editor skips the editor checks), and each deliberately
// faulty testplug fails the check aimed at its fault, with the reason,
// while the checks it does not touch still pass.
#include <gtest/gtest.h>

#include <filesystem>
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
    "process-denormals",    "parameter-automation", "calling-convention"};

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

void expectAllPass(const Outcome& run) {
  EXPECT_EQ(run.status, 0u) << run.out << run.err;
  for (const auto* checks : {&kChecks, &kEditorChecks})
    for (const std::string& check : *checks)
      EXPECT_EQ(verdict(run, check).rfind("PASS ", 0), 0u) << check << "\n" << run.out;
  EXPECT_EQ(run.lineStarting("summary: "), "summary: 30 checks, 30 PASS, 0 FAIL, 0 SKIP");
}

TEST(PlughostValidate, QuillonPassesEveryCheck) {
  Scratch scratch;
  const Outcome run = plughost({"validate", "quillon.dll"}, scratch);
  expectAllPass(run);
  EXPECT_TRUE(contains(verdict(run, "dispatch-storm"), "100000 requests (seed 1)")) << run.out;
  EXPECT_TRUE(contains(verdict(run, "text-parameter-names"), "\"Threshol\", \"Ratio\"")) << run.out;
  EXPECT_TRUE(contains(verdict(run, "editor-open"), "a 320x240 child window")) << run.out;
}

TEST(PlughostValidate, AnotherPlugInWithoutEditorPassesEveryCheck) {
  Scratch scratch;
  const Outcome run = plughost({"validate", "fixtures/testplug_clean.dll"}, scratch);
  EXPECT_EQ(run.status, 0u) << run.out << run.err;
  for (const std::string& check : kChecks) EXPECT_EQ(verdict(run, check).rfind("PASS ", 0), 0u) << check << "\n" << run.out;
  for (const std::string& check : kEditorChecks)
    EXPECT_EQ(verdict(run, check).rfind("SKIP " + check, 0), 0u) << run.out;
  EXPECT_TRUE(contains(verdict(run, "editor-open"), "no editor (flags 0x10 lack effFlagsHasEditor)")) << run.out;
  EXPECT_EQ(run.lineStarting("summary: "), "summary: 30 checks, 23 PASS, 0 FAIL, 7 SKIP");
}

TEST(PlughostValidate, AnotherPlugInWithEditorPassesEveryCheck) {
  Scratch scratch;
  expectAllPass(plughost({"validate", "fixtures/testplug_editor.dll"}, scratch));
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
    {"overrun", {"process-block-sizes", "process-matrix", "parameter-automation"},
     "block size 1, block 0: output channel 0: frame 1 past the 1-frame block was written"},
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
                                  joined(kChecks), "--duration", "1"},
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
    EXPECT_EQ(run.lineStarting("summary: "), "summary: " + std::to_string(kChecks.size()) + " checks, " +
                                                 std::to_string(kChecks.size() - failing.size()) + " PASS, " +
                                                 std::to_string(failing.size()) + " FAIL, 0 SKIP");
  }
}

struct EditorFault {
  const char* variant;
  const char* check;  // the one editor check that must fail
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
};

TEST(PlughostValidate, EachEditorFaultFailsItsCheckWithTheReason) {
  for (const EditorFault& fault : kEditorFaults) {
    SCOPED_TRACE(fault.variant);
    Scratch scratch;
    const Outcome run = plughost(
        {"validate", std::string("fixtures/testplug_") + fault.variant + ".dll", "--only", joined(kEditorChecks)}, scratch);
    EXPECT_EQ(run.status, 1u) << run.out << run.err;
    for (const std::string& check : kEditorChecks)
      EXPECT_EQ(verdict(run, check).substr(0, 4), check == fault.check ? "FAIL" : "PASS") << check << "\n" << run.out;
    for (const char* part : fault.reason) EXPECT_TRUE(contains(verdict(run, fault.check), part)) << run.out;
    EXPECT_EQ(run.lineStarting("summary: "), "summary: 7 checks, 6 PASS, 1 FAIL, 0 SKIP");
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
  ASSERT_EQ(run.outLines().size(), 4u) << run.out;
  EXPECT_TRUE(contains(verdict(run, "dispatch-storm"), "5000 requests (seed 77)")) << run.out;
  EXPECT_EQ(run.lineStarting("summary: "), "summary: 2 checks, 2 PASS, 0 FAIL, 0 SKIP");
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
