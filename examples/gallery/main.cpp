// The gallery's entry: the effect the plug-in layer's entry point builds.
#include "examples/gallery/gallery.h"
#include "plugin/plugmain.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) { return new Gallery(audioMaster); }
