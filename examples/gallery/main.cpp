#include "examples/gallery/gallery.h"
#include "plugin/plugmain.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) { return new Gallery(audioMaster); }
