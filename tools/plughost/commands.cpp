// The table of plughost's commands and the usage text made from it.
#include "tools/plughost/commands.h"

#include <cstdio>

#include "tools/plughost/host/host.h"
#include "tools/plughost/platform/errors.h"
#include "tools/plughost/script/actions.h"

namespace plughost {

namespace {

const char kInfoDescription[] = "      show the plug-in's record, parameters, names and capabilities\n";

const char kRenderDescription[] =
    "      process a WAV file (16, 24, 32-bit PCM or 32, 64-bit float, mono or\n"
    "      stereo) or, without -i, the built-in demo signal; writes 32-bit float\n"
    "      stereo, a block at a time; the output takes its name only once the\n"
    "      whole render succeeded, and is never the input. --rate sets the rate\n"
    "      of the demo, or overrides the input's. --dump-input writes the signal\n"
    "      fed to the plug-in. --automate sets parameter INDEX along straight\n"
    "      lines between the points (seconds:value), every --automation-step\n"
    "      frames (32); the block is split there. Progress shows on a console\n"
    "      for longer renders, unless --quiet.\n";

const char kDiffDescription[] =
    "      compare two WAV files frame by frame: peak and RMS difference in dBFS,\n"
    "      the first frame that differs and how many do. Exit 0 when the peak\n"
    "      difference is within --tolerance-db (default: files identical),\n"
    "      1 beyond it, 2 when the files cannot be compared.\n";

const char kValidateDescription[] =
    "      run the conformance checks, each in a process of its own, and print\n"
    "      each verdict with its time, the seed (chosen when --seed is not\n"
    "      given), and last \"validate: PASS (N checks)\" or \"validate: FAIL\n"
    "      (K of N checks)\". --repeat runs them N times, each round with a\n"
    "      seed drawn from the one before. --json and --junit write reports.\n"
    "      --list names every check with what it proves.\n";

// The block the editor plays its input in is named from the constant the
// editor plays with, so that the help cannot come to tell another size.
const std::string kBlockText = std::to_string(kDefaultBlockSize);

const std::string kEditorDescription =
    "      open the plug-in's editor in a window of its own, send it idle requests\n"
    "      every 20 ms, and run each ACTION (one argument, quoted) in order with\n"
    "      real mouse and keyboard input, at points in the editor's coordinates.\n"
    "      --snapshot writes the editor's pixels after the last action. With\n"
    "      neither --do nor --snapshot the window stays open until it is closed.\n"
    "      --knob-mode sends effSetEditKnobMode before the editor opens. -i plays\n"
    "      a WAV file through processReplacing while the editor is open, a block\n"
    "      of " + kBlockText + " frames at each idle tick before the idle request, in a loop,\n"
    "      at the file's rate; the output is dropped.\n"
    "      It prints, each block with what the host received meanwhile:\n"
    "        editor W x H (effEditOpen answered N)\n"
    "          knob-mode M (effSetEditKnobMode answered N)   (for --knob-mode)\n"
    "          input IN.wav: F frames at R Hz, looped, " + kBlockText + " frames at each idle tick\n"
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
    "      An ACTION is one of:\n";

const char kHelpDescription[] = "      show this text\n";

const std::vector<Command> kCommands = {
    {"info", runInfo, "PLUGIN.dll [--trace]", kInfoDescription, nullptr, true, 0, false},
    {"render", runRender,
     "PLUGIN.dll [-i IN.wav] -o OUT.wav [--param INDEX=VALUE]...\n"
     "                  [--automate INDEX=TIME:VALUE,...]... [--automation-step N]\n"
     "                  [--block N] [--rate HZ] [--dump-input FILE] [--quiet] [--trace]",
     kRenderDescription, nullptr, true, 0, false},
    {"validate", runValidate,
     "PLUGIN.dll [--only CHECK,...] [--seed N] [--repeat N]\n"
     "                  [--json FILE] [--junit FILE] [--requests N]\n"
     "                  [--duration SECONDS] [--timeout SECONDS]\n"
     "  plughost validate --list",
     kValidateDescription, nullptr, true, 0, false},
    {"editor", runEditor,
     "PLUGIN.dll [--param INDEX=VALUE]... [--snapshot OUT.png]\n"
     "                  [--knob-mode 0|1|2] [-i IN.wav] [--do ACTION]... [--trace]",
     kEditorDescription.c_str(), actionHelp, true, 0, false},
    {"diff", runDiff, "A.wav B.wav [--tolerance-db X]", kDiffDescription, nullptr, false, 2, false},
    {"help", runHelp, "", kHelpDescription, nullptr, false, 0, false},
    // What a validating plughost runs each check in: plughost --check NAME
    // --result FILE PLUGIN.dll. Its verdict file reports a crash.
    {kCheckCommand, runCheck, nullptr, nullptr, nullptr, true, 0, true},
};

}  // namespace

const std::vector<Command>& allCommands() { return kCommands; }

const Command* findCommand(const std::string& name) {
  const std::string wanted = name == "--help" || name == "-h" ? "help" : name;
  for (const Command& command : kCommands)
    if (wanted == command.name) return &command;
  return nullptr;
}

std::string usageText() {
  std::string text = "usage:\n";
  for (const Command& command : kCommands) {
    if (!command.synopsis) continue;
    text += std::string("  plughost ") + command.name + (*command.synopsis ? " " : "") + command.synopsis + "\n";
    text += command.description;
    if (command.moreDescription) text += command.moreDescription();
  }
  return text +
         "  --trace prints every request the plug-in sends to the host.\n"
         "exit status: 0 done (validate: every check passed), 1 a check failed,\n"
         "2 bad input (one line on standard error names it).\n";
}

int runHelp(const Options&) {
  std::fputs(usageText().c_str(), stdout);
  return kExitOk;
}

}  // namespace plughost
