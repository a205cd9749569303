// plughost validate: Quillon and the clean testplug pass every check, and
// each deliberately faulty testplug fails the check aimed at its fault,
// with the reason, while the checks it does not touch still pass.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "plughost/runner.h"

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
    "parameter-out-of-range", "dispatch-storm",     "close"};

// The verdict line of one check ("PASS name reason"), or "".
std::string verdict(const Outcome& run, const std::string& check) {
  for (const std::string& line : run.outLines())
    if (line.size() > 5 && line.compare(5, check.size() + 1, check + " ") == 0) return line;
  return "";
}

void expectAllPass(const Outcome& run) {
  EXPECT_EQ(run.status, 0u) << run.out << run.err;
  for (const std::string& check : kChecks) EXPECT_EQ(verdict(run, check).rfind("PASS ", 0), 0u) << check << "\n" << run.out;
  EXPECT_EQ(run.lineStarting("summary: "), "summary: 19 checks, 19 PASS, 0 FAIL");
}

TEST(PlughostValidate, QuillonPassesEveryCheck) {
  Scratch scratch;
  const Outcome run = plughost({"validate", "quillon.dll"}, scratch);
  expectAllPass(run);
  EXPECT_TRUE(contains(verdict(run, "dispatch-storm"), "100000 requests (seed 1)")) << run.out;
  EXPECT_TRUE(contains(verdict(run, "text-parameter-names"), "\"Threshol\", \"Ratio\"")) << run.out;
}

TEST(PlughostValidate, AnotherPlugInWithoutEditorPassesEveryCheck) {
  Scratch scratch;
  expectAllPass(plughost({"validate", "fixtures/testplug_clean.dll"}, scratch));
}

struct Fault {
  const char* variant;
  std::vector<std::string> failing;  // the checks that must fail, in order of output
  const char* reason;                // part of the first failing check's reason
};

const Fault kFaults[] = {
    {"longname", {"text-parameter-names"}, "parameter 1 name: wrote 8 bytes past the 9-byte buffer (\"BalanceLeftRight\")"},
    {"crash", {"host-queries", "dispatch-storm"},
     "crashed with exception 0xC0000005 (access violation) in testplug_crash.dll during effGetTailSize"},
    {"divide", {"host-queries", "dispatch-storm"},
     "crashed with exception 0xC0000094 (integer division by zero) in testplug_divide.dll during effGetVendorVersion"},
    {"nan", {"process-silence"}, "silence in, default parameters, block 0: output channel 0 frame 0 is nan"},
    {"ignoresversion", {"entry-version-zero"}, "built an effect"},
    {"nullentry", {}, "the entry point built no effect"},
    {"badmagic", {}, "magic is 0x12345678, not 0x56737450"},
    {"overrun", {"process-block-sizes"}, "block size 1, block 0: output channel 0: frame 1 past the 1-frame block was written"},
    {"leak", {"close"}, "closed effects are not gone"},
    {"inplace", {"process-in-place"}, "block 0, channel 1 frame 0:"},
};

TEST(PlughostValidate, EachFaultFailsItsCheckWithTheReason) {
  for (const Fault& fault : kFaults) {
    SCOPED_TRACE(fault.variant);
    Scratch scratch;
    const Outcome run = plughost({"validate", std::string("fixtures/testplug_") + fault.variant + ".dll"}, scratch);
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
    const std::string first = verdict(run, fault.failing.empty() ? "entry-magic" : fault.failing[0]);
    EXPECT_TRUE(contains(first, fault.reason)) << first;
    EXPECT_EQ(run.lineStarting("summary: "), "summary: 19 checks, " + std::to_string(19 - failing.size()) +
                                                 " PASS, " + std::to_string(failing.size()) + " FAIL");
  }
}

TEST(PlughostValidate, OnlyRunsTheNamedChecksAndPassesSeedAndCount) {
  Scratch scratch;
  const Outcome run = plughost({"validate", "quillon.dll", "--only", "close,dispatch-storm", "--seed", "77", "--requests", "5000"},
                           scratch);
  EXPECT_EQ(run.status, 0u) << run.out;
  ASSERT_EQ(run.outLines().size(), 4u) << run.out;
  EXPECT_TRUE(contains(verdict(run, "dispatch-storm"), "5000 requests (seed 77)")) << run.out;
  EXPECT_EQ(run.lineStarting("summary: "), "summary: 2 checks, 2 PASS, 0 FAIL");
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
