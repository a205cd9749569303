// The commands of plughost; each returns the process exit status.
#pragma once

#include "tools/plughost/cli.h"

namespace plughost {

int runInfo(const Options& options);
int runRender(const Options& options);
int runValidate(const Options& options);
int runEditor(const Options& options);
// One validation check, run by a child process of runValidate.
int runCheck(const Options& options);

}  // namespace plughost
