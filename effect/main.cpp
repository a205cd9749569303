#include "effect/quillon.h"
#include "plugin/plugmain.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
  return new Quillon(audioMaster);
}
