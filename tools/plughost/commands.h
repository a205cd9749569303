// plughost's commands, in one table: dispatch, the usage text and the
// error for an unknown command all come from it.
#pragma once

#include <string>
#include <vector>

#include "tools/plughost/cli.h"

namespace plughost {

struct Command {
  const char* name;
  // Returns the process exit status.
  int (*run)(const Options& options);
  // What follows "plughost NAME" in the usage, and the lines that say what
  // the command does; a hidden command has neither and is left out of it.
  const char* synopsis;
  const char* description;
  // More of the description, made from another table; may be null.
  std::string (*moreDescription)();
  bool takesPlugin;
  // How many file names follow (after the plug-in, if any).
  unsigned files;
  // Whether a plug-in that faults is reported by the command's own
  // handler; the others install plughost's crash report.
  bool reportsOwnCrashes;
};

const std::vector<Command>& allCommands();

// The command of that name (or of an alias of help); null for none.
const Command* findCommand(const std::string& name);

std::string usageText();

int runHelp(const Options& options);
int runInfo(const Options& options);
int runRender(const Options& options);
int runValidate(const Options& options);
int runEditor(const Options& options);
int runDiff(const Options& options);
// One validation check, run by a child process of runValidate.
int runCheck(const Options& options);

}  // namespace plughost
