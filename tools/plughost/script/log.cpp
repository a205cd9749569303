// The log of the requests a plug-in's editor sends: edits and automation
// line by line, idle requests counted.
#include "tools/plughost/script/log.h"

#include <cstdio>

#include "tools/plughost/host/opcodes.h"

namespace plughost {

namespace {

std::string describe(PlugInt32 opcode, PlugInt32 index, PlugIntPtr value, float opt) {
  char line[160];
  switch (opcode) {
    case audioMasterBeginEdit:
      std::snprintf(line, sizeof line, "  begin-edit %d", static_cast<int>(index));
      break;
    case audioMasterEndEdit:
      std::snprintf(line, sizeof line, "  end-edit %d", static_cast<int>(index));
      break;
    case audioMasterAutomate:
      std::snprintf(line, sizeof line, "  automate %d %.6f", static_cast<int>(index), static_cast<double>(opt));
      break;
    default:
      std::snprintf(line, sizeof line, "  request %d %s index=%d value=%lld opt=%g", static_cast<int>(opcode),
                    hostOpcodeName(opcode), static_cast<int>(index), static_cast<long long>(value),
                    static_cast<double>(opt));
      break;
  }
  return line;
}

}  // namespace

void RequestLog::record(PlugInt32 opcode, PlugInt32 index, PlugIntPtr value, float opt) {
  const std::lock_guard<std::mutex> hold(mutex);
  if (opcode == audioMasterIdle)
    ++idles;
  else
    lines.push_back(describe(opcode, index, value, opt));
}

std::vector<std::string> RequestLog::take(bool countIdle) {
  const std::lock_guard<std::mutex> hold(mutex);
  std::vector<std::string> taken;
  taken.swap(lines);
  if (countIdle) {
    taken.push_back("  idle " + std::to_string(idles));
    idles = 0;
  }
  return taken;
}

}  // namespace plughost
