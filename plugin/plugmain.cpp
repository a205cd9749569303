// The library's entry points and the module instance the toolkit loads its
// resources from.
#include "plugin/plugmain.h"

#include "plugin/audioeffect.h"

HINSTANCE hInstance = nullptr;

HINSTANCE GetInstance() { return hInstance; }

extern "C" AEffect* PluginMain(audioMasterCallback audioMaster) {
  // A host that hands over no callback cannot be asked for its version;
  // build nothing rather than call through a null pointer.
  if (!audioMaster) return nullptr;
  if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
  AudioEffect* effect = createEffectInstance(audioMaster);
  if (!effect) return nullptr;
  return effect->getAeffect();
}

AEffect* MAIN(audioMasterCallback audioMaster) { return PluginMain(audioMaster); }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
  hInstance = instance;
  return TRUE;
}
