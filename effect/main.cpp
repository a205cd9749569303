// Quillon's entry: the effect the plug-in layer's entry point builds.
#include "effect/quillon.h"
#include "plugin/plugmain.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
  return new Quillon(audioMaster);
}
