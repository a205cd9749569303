// The entry point of the plug-in layer calls this once per instance a host
// asks for; the host's callback is passed on to the effect.
#include "examples/@NAME@/effect.h"
#include "plugin/plugmain.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) { return new GainEffect(audioMaster); }
