/// @file
/// The library's entry point and module instance.
#pragma once

#include <windows.h>

#include "plugin/aeffect.h"

class AudioEffect;

/// The module handle of this library, recorded when it is loaded. The toolkit
/// registers its window class and loads its bitmaps from this module.
extern HINSTANCE hInstance;
/// Answers hInstance.
HINSTANCE GetInstance();

/// Supplied by the effect's own source: builds the one effect object.
/// Called once per PluginMain; the layer owns the effect from then on and deletes it on
/// effClose. An answer of null refuses the load.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);

/// The library's exported entry point, exported as main too: a host calls it with its
/// callback and gets the effect's record. Answers null, and builds nothing, when there is
/// no callback, the host answers 0 to audioMasterVersion, or createEffectInstance fails.
extern "C" AEffect* PluginMain(audioMasterCallback audioMaster);
/// PluginMain under its older name, with C++ linkage; the library does not export it.
AEffect* MAIN(audioMasterCallback audioMaster);
