// A validate run's findings as JSON and JUnit XML reports.
#include "tools/plughost/checks/report.h"

#include <algorithm>

#include "tools/plughost/platform/text.h"

namespace plughost {

namespace {

std::string jsonString(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\')
      quoted += std::string("\\") + c;
    else if (c == '\n')
      quoted += "\\n";
    else if (byte < 0x20 || byte >= 0x7F)
      quoted += format("\\u%04x", byte);
    else
      quoted += c;
  }
  return quoted + "\"";
}

std::string xmlText(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&apos;"; break;
      default:
        // XML 1.0 allows no control characters but tab, line feed and
        // carriage return, not even as references.
        if (byte >= 0x80)
          escaped += format("&#x%02X;", byte);
        else if (byte >= 0x20 || c == '\t' || c == '\n' || c == '\r')
          escaped += c;
        else
          escaped += '?';
    }
  }
  return escaped;
}

double totalSeconds(const std::vector<const CheckRun*>& checks) {
  double total = 0.0;
  for (const CheckRun* check : checks) total += check->seconds;
  return total;
}

}  // namespace

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

size_t ValidateRun::count(Result result) const {
  return static_cast<size_t>(
      std::count_if(checks.begin(), checks.end(), [result](const CheckRun& check) { return check.result == result; }));
}

std::string jsonReport(const ValidateRun& run) {
  std::string json = "{\n";
  json += "  \"plugin\": " + jsonString(run.plugin) + ",\n";
  json += format("  \"seed\": %lu,\n  \"rounds\": %u,\n", static_cast<unsigned long>(run.seed), run.rounds);
  json += "  \"checks\": [";
  for (size_t i = 0; i < run.checks.size(); ++i) {
    const CheckRun& check = run.checks[i];
    json += i ? ",\n" : "\n";
    json += "    {\"name\": " + jsonString(check.name) +
            format(", \"round\": %u, \"seed\": %lu, \"result\": \"%s\", \"seconds\": %.3f, ", check.round,
                   static_cast<unsigned long>(check.seed), resultWord(check.result), check.seconds) +
            "\"detail\": " + jsonString(check.detail) + "}";
  }
  json += run.checks.empty() ? "],\n" : "\n  ],\n";
  json += format("  \"passed\": %zu,\n  \"failed\": %zu,\n  \"skipped\": %zu,\n", run.count(Result::kPass),
                 run.count(Result::kFail), run.count(Result::kSkip));
  json += std::string("  \"result\": \"") + (run.passed() ? "PASS" : "FAIL") + "\"\n}\n";
  return json;
}

std::string junitReport(const ValidateRun& run) {
  std::vector<const CheckRun*> all;
  for (const CheckRun& check : run.checks) all.push_back(&check);
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  xml += format("<testsuites name=\"plughost validate\" tests=\"%zu\" failures=\"%zu\" skipped=\"%zu\" time=\"%.3f\">\n",
                run.checks.size(), run.count(Result::kFail), run.count(Result::kSkip), totalSeconds(all));
  // One suite per round, named by the plug-in and the round's seed, so that
  // a failure is run again with the seed its suite gives.
  for (unsigned round = 1; round <= run.rounds; ++round) {
    std::vector<const CheckRun*> checks;
    for (const CheckRun& check : run.checks)
      if (check.round == round) checks.push_back(&check);
    if (checks.empty()) continue;
    const size_t failures = static_cast<size_t>(std::count_if(
        checks.begin(), checks.end(), [](const CheckRun* check) { return check->result == Result::kFail; }));
    const size_t skipped = static_cast<size_t>(std::count_if(
        checks.begin(), checks.end(), [](const CheckRun* check) { return check->result == Result::kSkip; }));
    xml += "  <testsuite name=\"" + xmlText(run.plugin) +
           format(" (seed %lu)\" tests=\"%zu\" failures=\"%zu\" skipped=\"%zu\" time=\"%.3f\">\n",
                  static_cast<unsigned long>(checks.front()->seed), checks.size(), failures, skipped,
                  totalSeconds(checks));
    for (const CheckRun* check : checks) {
      xml += "    <testcase classname=\"plughost.validate\" name=\"" + xmlText(check->name) +
             format("\" time=\"%.3f\"", check->seconds);
      if (check->result == Result::kPass) {
        xml += "/>\n";
        continue;
      }
      const char* element = check->result == Result::kFail ? "failure" : "skipped";
      xml += std::string(">\n      <") + element + " message=\"" + xmlText(check->detail) + "\"/>\n    </testcase>\n";
    }
    xml += "  </testsuite>\n";
  }
  return xml + "</testsuites>\n";
}

}  // namespace plughost
