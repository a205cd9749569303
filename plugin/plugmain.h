// The library's entry point and module instance.
#pragma once

#include <windows.h>

#include "plugin/aeffect.h"

class AudioEffect;

// The module handle of this library, recorded when it is loaded. The toolkit
// registers its window class and loads its bitmaps from this module.
extern HINSTANCE hInstance;
HINSTANCE GetInstance();

// Supplied by the effect's own source: builds the one effect object.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);

extern "C" AEffect* PluginMain(audioMasterCallback audioMaster);
AEffect* MAIN(audioMasterCallback audioMaster);
