// plughost's command line: its commands, options and usage text.
#include "tools/plughost/cli.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "tools/plughost/audio/audiostream.h"
#include "tools/plughost/commands.h"
#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/text.h"

namespace plughost {

namespace {

double parseSeconds(const std::string& text, double low, double high, const char* what) {
  double value;
  if (!parseNumber(text, value) || value < low || value > high)
    throw InputError(std::string(what) + ": expected seconds from " + format("%g", low) + " to " +
                     format("%g", high) + ", got '" + text + "'");
  return value;
}

void parseParam(Options& options, const std::string& text) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos)
    throw InputError("--param: expected INDEX=VALUE, got '" + text + "'");
  const PlugInt32 index = static_cast<PlugInt32>(
      parseInteger(text.substr(0, equals), INT32_MIN, INT32_MAX, "--param index"));
  const std::string valueText = text.substr(equals + 1);
  double value;
  // Hosts keep to 0..1, but the effect takes any number it is given; a
  // developer exploring the curve may want a ratio of 2. Only non-numbers,
  // and numbers too large for the float the effect takes, are refused.
  if (!parseNumber(valueText, value) || !std::isfinite(static_cast<float>(value)))
    throw InputError("--param: expected a finite number, got '" + valueText + "'");
  options.params.emplace_back(index, static_cast<float>(value));
}

struct OptionRule {
  const char* name;
  const char* shortName;
  bool takesValue;
  const char* commands;  // space-separated commands that accept it
  void (*apply)(Options&, const std::string&);
};

const OptionRule kOptions[] = {
    {"--input", "-i", true, "render editor", [](Options& o, const std::string& v) { o.input = v; }},
    {"--output", "-o", true, "render", [](Options& o, const std::string& v) { o.output = v; }},
    {"--dump-input", nullptr, true, "render",
     [](Options& o, const std::string& v) { o.dumpInput = v; }},
    {"--param", "-p", true, "render editor", parseParam},
    {"--block", nullptr, true, "render",
     [](Options& o, const std::string& v) {
       o.blockSize = static_cast<PlugInt32>(parseInteger(v, 1, 1 << 20, "--block"));
     }},
    {"--rate", nullptr, true, "render",
     [](Options& o, const std::string& v) {
       o.sampleRate = static_cast<uint32_t>(parseInteger(v, kMinSampleRate, kMaxSampleRate, "--rate"));
     }},
    {"--automate", nullptr, true, "render",
     [](Options& o, const std::string& v) { o.automation.push_back(parseAutomationCurve(v)); }},
    {"--automation-step", nullptr, true, "render",
     [](Options& o, const std::string& v) {
       o.automationStep = static_cast<PlugInt32>(parseInteger(v, 1, 1 << 20, "--automation-step"));
     }},
    {"--quiet", nullptr, false, "render", [](Options& o, const std::string&) { o.quiet = true; }},
    {"--tolerance-db", nullptr, true, "diff",
     [](Options& o, const std::string& v) {
       if (!parseNumber(v, o.toleranceDb))
         throw InputError("--tolerance-db: expected a level in dBFS, such as -96, got '" + v + "'");
     }},
    {"--do", nullptr, true, "editor",
     [](Options& o, const std::string& v) { o.actions.push_back(v); }},
    {"--snapshot", nullptr, true, "editor",
     [](Options& o, const std::string& v) { o.snapshot = v; }},
    {"--knob-mode", nullptr, true, "editor",
     [](Options& o, const std::string& v) { o.knobMode = static_cast<int>(parseInteger(v, 0, 2, "--knob-mode")); }},
    {"--trace", nullptr, false, "info render editor",
     [](Options& o, const std::string&) { o.trace = true; }},
    {"--only", nullptr, true, "validate",
     [](Options& o, const std::string& v) {
       for (const std::string& name : split(v, ','))
         if (!name.empty()) o.only.push_back(name);
     }},
    {"--seed", nullptr, true, "validate --check",
     [](Options& o, const std::string& v) {
       o.seed = static_cast<uint32_t>(parseInteger(v, 0, UINT32_MAX, "--seed"));
       o.seedGiven = true;
     }},
    {"--requests", nullptr, true, "validate --check",
     [](Options& o, const std::string& v) {
       o.requests = static_cast<long>(parseInteger(v, 1, 100000000, "--requests"));
     }},
    {"--duration", nullptr, true, "validate --check",
     [](Options& o, const std::string& v) { o.durationSeconds = parseSeconds(v, 0.1, 3600.0, "--duration"); }},
    {"--repeat", nullptr, true, "validate",
     [](Options& o, const std::string& v) { o.repeat = static_cast<unsigned>(parseInteger(v, 1, 10000, "--repeat")); }},
    {"--list", nullptr, false, "validate", [](Options& o, const std::string&) { o.list = true; }},
    {"--json", nullptr, true, "validate", [](Options& o, const std::string& v) { o.jsonFile = v; }},
    {"--junit", nullptr, true, "validate", [](Options& o, const std::string& v) { o.junitFile = v; }},
    {"--timeout", nullptr, true, "validate",
     [](Options& o, const std::string& v) {
       o.timeoutSeconds = static_cast<unsigned>(parseInteger(v, 1, 86400, "--timeout"));
     }},
    {"--result", nullptr, true, "--check",
     [](Options& o, const std::string& v) { o.resultFile = v; }},
};

bool acceptedBy(const OptionRule& option, const std::string& command) {
  const std::string list = std::string(" ") + option.commands + " ";
  return list.find(" " + command + " ") != std::string::npos;
}

// The watchdog a validating plughost keeps on each check's process, in
// seconds, when --duration asks for no longer: long enough for a slow,
// emulated run of any check.
constexpr unsigned kDefaultTimeout = 300;
// What a check that plays for --duration spends besides: the process
// started, the plug-in loaded, its editor opened and closed. The default
// watchdog allows this much over the duration, generously; a --timeout
// given must allow the least of it, or the checks that play for the
// duration are stopped however sound the plug-in.
constexpr unsigned kDefaultOverhead = 120;
constexpr unsigned kLeastOverhead = 10;

// --timeout when given, else enough for --duration; refuses a --timeout
// that every check playing for the duration would outlast.
void settleTimeout(Options& options) {
  const unsigned playing = static_cast<unsigned>(std::ceil(options.durationSeconds));
  if (!options.timeoutSeconds) {
    options.timeoutSeconds = std::max(kDefaultTimeout, playing + kDefaultOverhead);
    return;
  }
  if (options.timeoutSeconds < playing + kLeastOverhead)
    throw InputError(format("--timeout %u is too short for --duration %g: the checks that play for the duration "
                            "would be stopped (give at least %u, or leave --timeout out)",
                            options.timeoutSeconds, options.durationSeconds, playing + kLeastOverhead));
}

const OptionRule* findOption(const std::string& arg) {
  for (const OptionRule& option : kOptions)
    if (arg == option.name || (option.shortName && arg == option.shortName)) return &option;
  return nullptr;
}

}  // namespace

Options parseCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) throw InputError("no command given (try: plughost help)");
  Options options;
  const Command* command = findCommand(args[0]);
  if (!command) throw InputError("unknown command '" + args[0] + "' (try: plughost help)");
  options.command = command->name;
  size_t next = 1;
  if (options.command == kCheckCommand) {
    if (args.size() < 2) throw InputError("--check: expected a check name");
    options.checkName = args[1];
    next = 2;
  }

  for (size_t i = next; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() > 1 && arg[0] == '-') {
      const OptionRule* option = findOption(arg);
      if (!option || !acceptedBy(*option, options.command))
        throw InputError(options.command + ": unknown option '" + arg + "'");
      std::string value;
      if (option->takesValue) {
        if (i + 1 >= args.size()) throw InputError(arg + ": expected a value");
        value = args[++i];
      }
      option->apply(options, value);
    } else if (command->takesPlugin && options.plugin.empty()) {
      options.plugin = arg;
    } else if (options.files.size() < command->files) {
      options.files.push_back(arg);
    } else {
      throw InputError(options.command + ": unexpected argument '" + arg + "'");
    }
  }

  if (command->takesPlugin && options.plugin.empty() && !options.list)
    throw InputError(options.command + ": expected a plug-in DLL");
  if (options.files.size() < command->files)
    throw InputError(options.command + ": expected " + std::to_string(command->files) + " files");
  if (options.command == "render" && options.output.empty())
    throw InputError("render: expected -o OUT.wav");
  if (options.command == "validate") settleTimeout(options);
  if (options.command == kCheckCommand && options.resultFile.empty())
    throw InputError("--check: expected --result FILE");
  return options;
}

}  // namespace plughost
