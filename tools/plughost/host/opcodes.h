// Readable names for the numbers that cross the host/plug-in boundary, for
// traces and for telling the user which request a plug-in failed on.
#pragma once

#include "plugin/aeffect.h"

namespace plughost {

// Name of a request the plug-in sends to the host ("unnamed" for numbers
// the interface gives no name).
const char* hostOpcodeName(PlugInt32 opcode);

// Name of a request the host sends to the plug-in's dispatcher.
const char* effectOpcodeName(PlugInt32 opcode);

// Capability strings a host may ask a plug-in about (opcode effCanDo).
extern const char* const kEffectCapabilities[];
extern const int kNumEffectCapabilities;

}  // namespace plughost
