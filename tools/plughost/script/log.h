// What plughost editor tells about the requests a plug-in's editor sends:
// edits and automation line by line, idle requests counted.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "plugin/aeffect.h"

namespace plughost {

class RequestLog {
 public:
  // Any thread.
  void record(PlugInt32 opcode, PlugInt32 index, PlugIntPtr value, float opt);

  // The lines of the requests since the last take, each indented by two
  // spaces ("  begin-edit 0", "  automate 0 0.250000", "  end-edit 0", or
  // "  request NUMBER NAME index=I value=V opt=O" for any other), and with
  // `countIdle` the line "  idle N" for the idle requests among them.
  // Without it the idle requests are kept for a later count.
  std::vector<std::string> take(bool countIdle);

 private:
  std::mutex mutex;
  std::vector<std::string> lines;
  unsigned long idles = 0;
};

}  // namespace plughost
