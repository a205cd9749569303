#include "tools/plughost/cli.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "tools/plughost/platform/errors.h"

namespace plughost {

namespace {

long long parseInteger(const std::string& text, long long low, long long high, const char* what) {
  errno = 0;
  char* end = nullptr;
  long long value = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != 0 || errno != 0 || value < low || value > high)
    throw InputError(std::string(what) + ": expected a whole number from " + std::to_string(low) +
                     " to " + std::to_string(high) + ", got '" + text + "'");
  return value;
}

void parseParam(Options& options, const std::string& text) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos)
    throw InputError("--param: expected INDEX=VALUE, got '" + text + "'");
  const PlugInt32 index = static_cast<PlugInt32>(
      parseInteger(text.substr(0, equals), INT32_MIN, INT32_MAX, "--param index"));
  const std::string valueText = text.substr(equals + 1);
  char* end = nullptr;
  const float value = std::strtof(valueText.c_str(), &end);
  // Hosts keep to 0..1, but the effect takes any number it is given; a
  // developer exploring the curve may want a ratio of 2. Only non-numbers
  // are refused.
  if (valueText.empty() || *end != 0 || !std::isfinite(value))
    throw InputError("--param: expected a finite number, got '" + valueText + "'");
  options.params.emplace_back(index, value);
}

std::vector<std::string> splitList(const std::string& text) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    if (comma > start) items.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  return items;
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
       o.sampleRate = static_cast<uint32_t>(parseInteger(v, 1000, 1536000, "--rate"));
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
       for (const std::string& name : splitList(v)) o.only.push_back(name);
     }},
    {"--seed", nullptr, true, "validate --check",
     [](Options& o, const std::string& v) {
       o.seed = static_cast<uint32_t>(parseInteger(v, 0, UINT32_MAX, "--seed"));
     }},
    {"--requests", nullptr, true, "validate --check",
     [](Options& o, const std::string& v) {
       o.requests = static_cast<long>(parseInteger(v, 1, 100000000, "--requests"));
     }},
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

const OptionRule* findOption(const std::string& arg) {
  for (const OptionRule& option : kOptions)
    if (arg == option.name || (option.shortName && arg == option.shortName)) return &option;
  return nullptr;
}

}  // namespace

Options parseCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) throw InputError("no command given (try: plughost help)");
  Options options;
  options.command = args[0];
  size_t next = 1;
  if (options.command == kCheckCommand) {
    if (args.size() < 2) throw InputError("--check: expected a check name");
    options.checkName = args[1];
    next = 2;
  } else if (options.command == "help" || options.command == "--help" || options.command == "-h") {
    options.command = "help";
    return options;
  } else if (options.command != "info" && options.command != "render" &&
             options.command != "validate" && options.command != "editor") {
    throw InputError("unknown command '" + options.command + "' (try: plughost help)");
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
    } else if (options.plugin.empty()) {
      options.plugin = arg;
    } else {
      throw InputError(options.command + ": unexpected argument '" + arg + "'");
    }
  }

  if (options.plugin.empty()) throw InputError(options.command + ": expected a plug-in DLL");
  if (options.command == "render" && options.output.empty())
    throw InputError("render: expected -o OUT.wav");
  if (options.command == kCheckCommand && options.resultFile.empty())
    throw InputError("--check: expected --result FILE");
  return options;
}

const char* usageText() {
  return "usage:\n"
         "  plughost info PLUGIN.dll [--trace]\n"
         "      show the plug-in's record, parameters, names and capabilities\n"
         "  plughost render PLUGIN.dll [-i IN.wav] -o OUT.wav [--param INDEX=VALUE]...\n"
         "                  [--block N] [--rate HZ] [--dump-input FILE] [--trace]\n"
         "      process a WAV file (16, 24, 32-bit PCM or 32, 64-bit float, mono or\n"
         "      stereo) or, without -i, the built-in demo signal; writes 32-bit float\n"
         "      stereo. --rate sets the rate of the demo, or overrides the input's.\n"
         "      --dump-input writes the signal fed to the plug-in.\n"
         "  plughost validate PLUGIN.dll [--only CHECK,...] [--seed N] [--requests N]\n"
         "                  [--timeout SECONDS]\n"
         "      run the conformance checks, each in a process of its own\n"
         "  plughost editor PLUGIN.dll [--param INDEX=VALUE]... [--snapshot OUT.png]\n"
         "                  [--knob-mode 0|1|2] [-i IN.wav] [--do ACTION]... [--trace]\n"
         "      open the plug-in's editor in a window of its own, send it idle requests\n"
         "      every 20 ms, and run each ACTION (one argument, quoted) in order with\n"
         "      real mouse and keyboard input, at points in the editor's coordinates:\n"
         "        click X,Y   ctrl-click X,Y   hold X,Y:MS (pressed for MS)\n"
         "        drag X1,Y1:X2,Y2   shift-drag X1,Y1:X2,Y2   alt-drag X1,Y1:X2,Y2\n"
         "          (let go at the end, wherever it lies in the editor)\n"
         "        wheel X,Y:NOTCHES\n"
         "        key [shift+]up|down|left|right|tab   (sent as effEditKeyDown)\n"
         "        press [shift+][ctrl+]KEY   (a real key, to the window with the focus;\n"
         "          KEY return, escape, tab, backspace, delete, home, end, left, right,\n"
         "          up, down, or a letter a-z)\n"
         "        keys KEY,KEY,...   (real keys one after the other, each as for press)\n"
         "        choose ITEM[/ITEM]...   (a click on an item of the open pop-up menu,\n"
         "          counted from 0 as it shows them; each /ITEM in the sub-menu the\n"
         "          item before opened)\n"
         "        type TEXT   (real keys, one character at a time, to the window with the\n"
         "          focus: all after the space following \"type\", spaces kept)\n"
         "        wait MS   snapshot OUT.png\n"
         "        menu-snapshot OUT.png   (the innermost open pop-up menu's pixels)\n"
         "      --snapshot writes the editor's pixels after the last action. With\n"
         "      neither --do nor --snapshot the window stays open until it is closed.\n"
         "      --knob-mode sends effSetEditKnobMode before the editor opens. -i plays\n"
         "      a WAV file through processReplacing while the editor is open, a block\n"
         "      of 512 frames at each idle tick before the idle request, in a loop, at\n"
         "      the file's rate; the output is dropped.\n"
         "      It prints, each block with what the host received meanwhile:\n"
         "        editor W x H (effEditOpen answered N)\n"
         "          knob-mode M (effSetEditKnobMode answered N)   (for --knob-mode)\n"
         "          input IN.wav: F frames at R Hz, looped, 512 frames at each idle tick\n"
         "        action N: ACTION\n"
         "          begin-edit INDEX | automate INDEX VALUE | end-edit INDEX\n"
         "          request OPCODE NAME index=I value=V opt=O   (any other request)\n"
         "          key-down answered N | wrote OUT.png (W x H)   (what the host did)\n"
         "          item I: X,Y W x H   (menu-snapshot: each item, in the picture)\n"
         "          idle N   (the idle requests, counted; ends every block)\n"
         "        snapshot   (for --snapshot)\n"
         "        close\n"
         "          processed N blocks   (for -i)\n"
         "        parameter INDEX \"NAME\" VALUE \"DISPLAY\" \"LABEL\"   (one each, at the end)\n"
         "  --trace prints every request the plug-in sends to the host.\n"
         "exit status: 0 done (validate: every check passed), 1 a check failed,\n"
         "2 bad input (one line on standard error names it).\n";
}

}  // namespace plughost
