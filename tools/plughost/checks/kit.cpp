#include "tools/plughost/checks/kit.h"

#include <cstdarg>
#include <cstdio>

#include "tools/plughost/platform/errors.h"
#include "tools/plughost/platform/files.h"

namespace plughost {

std::string format(const char* pattern, ...) {
  char text[512];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(text, sizeof text, pattern, args);
  va_end(args);
  return text;
}

void require(bool condition, const std::string& failure) {
  if (!condition) throw CheckFailure(failure);
}

namespace {

const char* registerHostWindowClass() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = "PlughostValidateHost";
  RegisterClassA(&windowClass);
  return windowClass.lpszClassName;
}

}  // namespace

HostWindow::HostWindow(int width, int height) {
  static const char* const kClass = registerHostWindowClass();
  window = CreateWindowExA(WS_EX_TOOLWINDOW, kClass, "plughost validate", WS_POPUP | WS_CLIPCHILDREN, 40, 40, width,
                           height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window) throw InputError("cannot make the host's window: " + systemErrorText(GetLastError()));
  // Shown without activation: destroying an active top-level window
  // makes Wine's X11 driver wait two seconds for the focus to move.
  ShowWindow(window, SW_SHOWNOACTIVATE);
}

void HostWindow::destroy() {
  if (window && IsWindow(window)) DestroyWindow(window);
  window = nullptr;
}

void pumpMessages(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (ms) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  } while (GetTickCount() - start < ms);
}

size_t heapBytesInUse() {
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  size_t total = 0;
  for (HANDLE heap : heaps) {
    if (!HeapLock(heap)) continue;
    PROCESS_HEAP_ENTRY entry;
    entry.lpData = nullptr;
    while (HeapWalk(heap, &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
    HeapUnlock(heap);
  }
  return total;
}

bool servableChannels(const AEffect& r) {
  return r.numInputs >= 0 && r.numInputs <= kMaxChannels && r.numOutputs >= 1 && r.numOutputs <= kMaxChannels;
}

void requireChannels(const AEffect& record) {
  require(record.numInputs >= 0 && record.numInputs <= kMaxChannels,
          format("cannot process with %d inputs", static_cast<int>(record.numInputs)));
  require(record.numOutputs >= 1 && record.numOutputs <= kMaxChannels,
          format("cannot process with %d outputs", static_cast<int>(record.numOutputs)));
}

void requireProcessing(Effect& effect) {
  require(effect.canProcessReplacing(), "the plug-in offers no processReplacing");
  requireChannels(*effect.record());
}

bool processable(Effect& effect) {
  return effect.canProcessReplacing() && servableChannels(*effect.record());
}

void processSilentBlock(Effect& effect) {
  AudioBuffers inputs(effect.record()->numInputs, kBlock);
  AudioBuffers outputs(effect.record()->numOutputs, kBlock);
  effect.process(inputs.pointers(), outputs.pointers(), kBlock);
}

PlugInt32 processingChannels(Effect& effect, bool inputs) {
  requireProcessing(effect);
  return inputs ? effect.record()->numInputs : effect.record()->numOutputs;
}

void setAllParameters(Effect& effect, float value) {
  for (PlugInt32 i = 0; i < effect.record()->numParams; ++i) effect.setParameter(i, value);
}

}  // namespace plughost
