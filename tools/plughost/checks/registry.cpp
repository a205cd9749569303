// Every check of plughost validate, in the order it runs them.
#include "tools/plughost/checks/registry.h"

#include "tools/plughost/checks/conventioncheck.h"
#include "tools/plughost/checks/editorchecks.h"
#include "tools/plughost/checks/effectchecks.h"
#include "tools/plughost/checks/processchecks.h"
#include "tools/plughost/checks/realtimecheck.h"
#include "tools/plughost/checks/statecheck.h"
#include "tools/plughost/checks/threadcheck.h"

namespace plughost {

namespace {

// The families in the order they run: the effect alone first, so that a
// plug-in broken at its core fails there before its editor is tried.
std::vector<Check> gatherChecks() {
  std::vector<Check> checks;
  for (std::vector<Check> family : {effectChecks(), processChecks(), stateChecks(), realtimeChecks(),
                                     conventionChecks(), editorChecks(), threadChecks()})
    checks.insert(checks.end(), family.begin(), family.end());
  return checks;
}

}  // namespace

const std::vector<Check>& allChecks() {
  static const std::vector<Check> checks = gatherChecks();
  return checks;
}

}  // namespace plughost
