// plughost validate's results as a CI system reads them: the last line, the
// seed, the rounds of --repeat, --list, and the JSON and JUnit reports, each
// read back by a real parser.
#include <windows.h>
#include <objbase.h>
#include <shlwapi.h>
#include <xmllite.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "plughost/runner.h"

namespace {

using plughosttest::contains;
using plughosttest::Outcome;
using plughosttest::plughost;
using plughosttest::Scratch;

struct XmlElement {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::vector<XmlElement> children;

  std::vector<const XmlElement*> all(const std::string& wanted) const {
    std::vector<const XmlElement*> found;
    for (const XmlElement& child : children) {
      if (child.name == wanted) found.push_back(&child);
      const auto deeper = child.all(wanted);
      found.insert(found.end(), deeper.begin(), deeper.end());
    }
    return found;
  }
};

std::string utf8(const WCHAR* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(std::max(size, 1)) - 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &result[0], size, nullptr, nullptr);
  return result;
}

// The document's tree, read by the system's XML reader; a document it
// refuses fails the test.
XmlElement parseXml(const std::string& text) {
  XmlElement document;
  using CreateReader = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);
  const HMODULE library = LoadLibraryA("xmllite.dll");
  const auto create =
      library ? reinterpret_cast<CreateReader>(reinterpret_cast<void*>(GetProcAddress(library, "CreateXmlReader")))
              : nullptr;
  IXmlReader* reader = nullptr;
  if (!create || FAILED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(&reader), nullptr))) {
    ADD_FAILURE() << "no XML reader";
    return document;
  }
  IStream* stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(text.data()), static_cast<UINT>(text.size()));
  reader->SetInput(stream);
  std::vector<XmlElement*> open = {&document};
  XmlNodeType type;
  HRESULT status;
  while ((status = reader->Read(&type)) == S_OK) {
    const WCHAR* value = nullptr;
    if (type == XmlNodeType_Element) {
      XmlElement element;
      reader->GetLocalName(&value, nullptr);
      element.name = utf8(value);
      const bool empty = reader->IsEmptyElement();
      for (HRESULT more = reader->MoveToFirstAttribute(); more == S_OK; more = reader->MoveToNextAttribute()) {
        const WCHAR* name = nullptr;
        reader->GetLocalName(&name, nullptr);
        reader->GetValue(&value, nullptr);
        element.attributes[utf8(name)] = utf8(value);
      }
      open.back()->children.push_back(element);
      if (!empty) open.push_back(&open.back()->children.back());
    } else if (type == XmlNodeType_EndElement) {
      open.pop_back();
    }
  }
  EXPECT_EQ(status, S_FALSE) << "the XML reader refused the document:\n" << text;
  stream->Release();
  reader->Release();
  return document;
}

// A fault build whose silence check fails and that has no editor: three
// checks each give one result of each kind.
TEST(PlughostValidateReports, AgreeWithThePrintoutInEveryFormat) {
  Scratch scratch;
  const std::string json = scratch.path("report.json");
  const std::string junit = scratch.path("report.xml");
  const Outcome run = plughost({"validate", "fixtures/testplug_nan.dll", "--only", "entry-magic,process-silence,editor-open",
                                "--seed", "5", "--repeat", "2", "--json", json, "--junit", junit},
                               scratch);
  EXPECT_EQ(run.status, 1u) << run.out << run.err;
  const std::vector<std::string> lines = run.outLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "validate: FAIL (2 of 6 checks)");
  EXPECT_EQ(run.lineStarting("summary: "), "summary: 6 checks, 2 PASS, 2 FAIL, 2 SKIP (seed 5)");
  const std::string secondRound = run.lineStarting("round 2 of 2 (seed ");
  ASSERT_FALSE(secondRound.empty()) << run.out;
  const unsigned long secondSeed = std::stoul(secondRound.substr(secondRound.find("seed ") + 5));
  EXPECT_NE(secondSeed, 5u);

  const nlohmann::json report = nlohmann::json::parse(plughosttest::readFile(json));
  EXPECT_EQ(report["seed"], 5);
  EXPECT_EQ(report["rounds"], 2);
  EXPECT_EQ(report["result"], "FAIL");
  EXPECT_EQ(report["failed"], 2);
  ASSERT_EQ(report["checks"].size(), 6u);
  for (const auto& check : report["checks"]) {
    EXPECT_EQ(check["seed"], check["round"] == 1 ? 5ul : secondSeed);
    EXPECT_GE(check["seconds"].get<double>(), 0.0);
    const std::string expected = check["name"] == "entry-magic" ? "PASS" : check["name"] == "editor-open" ? "SKIP" : "FAIL";
    EXPECT_EQ(check["result"], expected) << check;
  }
  EXPECT_TRUE(contains(report["checks"][1]["detail"], "output channel 0 frame 0 is nan")) << report;

  const wavbytes::Bytes junitBytes = plughosttest::readFile(junit);
  const XmlElement document = parseXml(std::string(junitBytes.begin(), junitBytes.end()));
  const auto suites = document.all("testsuite");
  ASSERT_EQ(suites.size(), 2u);
  EXPECT_EQ(suites[1]->attributes.at("name"), "fixtures/testplug_nan.dll (seed " + std::to_string(secondSeed) + ")");
  const auto cases = document.all("testcase");
  ASSERT_EQ(cases.size(), 6u);
  EXPECT_EQ(cases[1]->attributes.at("name"), "process-silence");
  ASSERT_EQ(cases[1]->children.size(), 1u);
  EXPECT_EQ(cases[1]->children[0].name, "failure");
  EXPECT_TRUE(contains(cases[1]->children[0].attributes.at("message"), "is nan"));
  EXPECT_EQ(cases[2]->children.at(0).name, "skipped");
  EXPECT_EQ(document.all("failure").size(), 2u);
  EXPECT_EQ(document.children.at(0).attributes.at("tests"), "6");
}

// With no --seed one is chosen, printed first and in the summary, and
// given to the checks, so that a failure can be run again exactly.
TEST(PlughostValidateReports, AChosenSeedIsPrintedAndUsed) {
  Scratch scratch;
  const Outcome run = plughost({"validate", "quillon.dll", "--only", "dispatch-storm", "--requests", "200"}, scratch);
  EXPECT_EQ(run.status, 0u) << run.out;
  const std::string first = run.lineStarting("validating quillon.dll (seed ");
  ASSERT_FALSE(first.empty()) << run.out;
  const std::string seed = first.substr(first.find("seed ") + 5, first.find(')') - first.find("seed ") - 5);
  EXPECT_TRUE(contains(run.lineStarting("PASS dispatch-storm"), "200 requests (seed " + seed + ")")) << run.out;
  EXPECT_EQ(run.lineStarting("summary: "), "summary: 1 checks, 1 PASS, 0 FAIL, 0 SKIP (seed " + seed + ")");
  EXPECT_EQ(run.outLines().back(), "validate: PASS (1 checks)");
}

// Every check once, each with a line on what it proves; that the list
// holds every check a run makes is seen where a clean plug-in passes them.
TEST(PlughostValidateReports, ListNamesEachCheckOnceWithWhatItProves) {
  Scratch scratch;
  const Outcome list = plughost({"validate", "--list"}, scratch);
  EXPECT_EQ(list.status, 0u) << list.err;
  std::vector<std::string> names;
  for (const std::string& line : list.outLines()) {
    names.push_back(line.substr(0, line.find(' ')));
    EXPECT_GT(line.size(), names.back().size() + 20) << line;
  }
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
  for (const char* name : {"entry-magic", "process-silence", "editor-open", "state-round-trip", "realtime-safety"})
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
}

}  // namespace
