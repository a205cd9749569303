// The real-time check: what the plug-in calls while it runs on the audio
// thread.
#include "tools/plughost/checks/realtimecheck.h"

#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <random>

#include "tools/plughost/checks/kit.h"
#include "tools/plughost/host/host.h"

namespace plughost {

namespace {

constexpr int kBlocks = 300;
// Parameters moved per block; a plug-in with more has them moved in turn.
constexpr PlugInt32 kParametersPerBlock = 16;

// ---------------------------------------------------------------------------
// Which imports an audio thread has no business calling

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool isWindowSystem(std::string dll) {
  for (char& c : dll) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return dll == "user32.dll" || dll == "gdi32.dll";
}

bool isWatched(const std::string& dll, const std::string& name) {
  static const char* const kExact[] = {
      // Allocation
      "malloc", "calloc", "realloc", "free", "_recalloc", "_expand", "strdup", "_strdup", "_wcsdup", "_malloca",
      "_freea", "HeapAlloc", "HeapReAlloc", "HeapFree", "LocalAlloc", "LocalReAlloc", "LocalFree", "GlobalAlloc",
      "GlobalReAlloc", "GlobalFree", "VirtualAlloc", "VirtualAllocEx", "VirtualFree", "VirtualFreeEx",
      "RtlAllocateHeap", "RtlReAllocateHeap", "RtlFreeHeap",
      // Waiting
      "EnterCriticalSection", "TryEnterCriticalSection", "RtlEnterCriticalSection", "WaitForSingleObject",
      "WaitForSingleObjectEx", "WaitForMultipleObjects", "WaitForMultipleObjectsEx", "Sleep", "SleepEx",
      "_lock_file", "_lock", "pthread_mutex_lock", "pthread_cond_wait", "pthread_cond_timedwait",
      // I/O
      "ReadFile", "WriteFile", "printf", "vprintf", "fprintf", "vfprintf", "wprintf", "vwprintf", "fwprintf",
      "vfwprintf", "_cprintf", "__mingw_printf", "__mingw_vprintf", "__mingw_fprintf", "__mingw_vfprintf",
      "__stdio_common_vfprintf", "__stdio_common_vfwprintf", "puts", "_putws", "putchar", "putc", "fputc",
      "fputwc", "fputs", "fputws", "fwrite", "fread", "fgets", "fopen", "_wfopen", "fclose", "fflush", "_write",
      "_read"};
  static const char* const kPrefixes[] = {
      "_aligned_",                                                     // _aligned_malloc and kin
      "_Znw", "_Zna", "_Zdl", "_Zda", "??2@", "??3@", "??_U@", "??_V@",  // operator new and delete
      "AcquireSRWLock", "SleepConditionVariable", "CreateFile", "WriteConsole", "OutputDebugString"};
  if (isWindowSystem(dll)) return true;
  for (const char* exact : kExact)
    if (name == exact) return true;
  for (const char* prefix : kPrefixes)
    if (startsWith(name, prefix)) return true;
  return false;
}

// ---------------------------------------------------------------------------
// The loaded module's import table, read with every address checked
// against the image

struct Import {
  std::string dll;
  std::string name;
  void** slot;  // its entry in the import address table
};

class Image {
 public:
  explicit Image(HMODULE module) : base(reinterpret_cast<const unsigned char*>(module)) {
    IMAGE_DOS_HEADER dos;
    std::memcpy(&dos, base, sizeof dos);
    require(dos.e_magic == IMAGE_DOS_SIGNATURE && dos.e_lfanew > 0 && dos.e_lfanew < 4096,
            "the loaded module has no DOS header");
    IMAGE_NT_HEADERS nt;
    std::memcpy(&nt, base + dos.e_lfanew, sizeof nt);
    require(nt.Signature == IMAGE_NT_SIGNATURE && nt.OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR_MAGIC,
            "the loaded module has no PE header of this target");
    size = nt.OptionalHeader.SizeOfImage;
    imports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  }

  std::vector<Import> readImports() const {
    std::vector<Import> found;
    if (imports.VirtualAddress == 0) return found;
    for (DWORD at = imports.VirtualAddress;; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
      const auto* descriptor = checkedAt<IMAGE_IMPORT_DESCRIPTOR>(at);
      if (descriptor->Name == 0) break;
      const std::string dll = text(descriptor->Name);
      // Without the name table only the addresses are left, and the DLL
      // alone decides.
      const DWORD names = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk;
      for (DWORD i = 0;; ++i) {
        const auto* lookup = checkedAt<IMAGE_THUNK_DATA>(names + i * sizeof(IMAGE_THUNK_DATA));
        if (lookup->u1.AddressOfData == 0) break;
        std::string name;
        if (!descriptor->OriginalFirstThunk)
          name = "?";
        else if (IMAGE_SNAP_BY_ORDINAL(lookup->u1.Ordinal))
          name = format("#%u", static_cast<unsigned>(IMAGE_ORDINAL(lookup->u1.Ordinal)));
        else
          name = text(static_cast<DWORD>(lookup->u1.AddressOfData) + offsetof(IMAGE_IMPORT_BY_NAME, Name));
        auto* slot = const_cast<IMAGE_THUNK_DATA*>(checkedAt<IMAGE_THUNK_DATA>(descriptor->FirstThunk + i * sizeof(IMAGE_THUNK_DATA)));
        found.push_back({dll, name, reinterpret_cast<void**>(&slot->u1.Function)});
      }
    }
    return found;
  }

 private:
  template <typename T>
  const T* checkedAt(DWORD rva) const {
    require(rva < size && size - rva >= sizeof(T), format("the import table points outside the image (RVA 0x%lX)", static_cast<unsigned long>(rva)));
    return reinterpret_cast<const T*>(base + rva);
  }

  std::string text(DWORD rva) const {
    require(rva < size, format("an import name lies outside the image (RVA 0x%lX)", static_cast<unsigned long>(rva)));
    const char* start = reinterpret_cast<const char*>(base + rva);
    return std::string(start, strnlen(start, size - rva));
  }

  const unsigned char* base;
  DWORD size = 0;
  IMAGE_DATA_DIRECTORY imports = {};
};

// ---------------------------------------------------------------------------
// Counting stubs: one per watched import, counting the calls the audio
// thread makes through it and going on to the original. Other threads go
// straight through uncounted, so the count is exact even if the plug-in's
// own threads use the same import while a stub is in place.

#if defined(__x86_64__)
constexpr size_t kStubSize = 64;
// push rax; mov rax, gs:[0x48] (the thread's id in its TEB); cmp rax,
// [rip+tid]; jne skip; mov rax, [rip+counter]; lock inc dword [rax];
// skip: pop rax; jmp [rip+original]. No argument register is touched.
constexpr unsigned char kStubCode[] = {
    0x50, 0x65, 0x48, 0x8B, 0x04, 0x25, 0x48, 0x00, 0x00, 0x00, 0x48, 0x3B, 0x05, 23,   0x00, 0x00, 0x00, 0x75, 10,
    0x48, 0x8B, 0x05, 22,   0x00, 0x00, 0x00, 0xF0, 0xFF, 0x00, 0x58, 0xFF, 0x25, 20,   0x00, 0x00, 0x00};
constexpr size_t kTidAt = 40, kCounterAt = 48, kOriginalAt = 56;

void writeStub(unsigned char* stub, volatile LONG* counter, void* original, DWORD thread) {
  std::memcpy(stub, kStubCode, sizeof kStubCode);
  const uint64_t tid = thread;
  std::memcpy(stub + kTidAt, &tid, sizeof tid);
  std::memcpy(stub + kCounterAt, &counter, sizeof counter);
  std::memcpy(stub + kOriginalAt, &original, sizeof original);
}
#elif defined(__i386__)
constexpr size_t kStubSize = 48;
// push eax; mov eax, fs:[0x24] (the thread's id in its TEB); cmp eax,
// [tid]; jne skip; lock inc dword [counter]; skip: pop eax; jmp
// [original]. The arguments on the stack are as the caller left them.
constexpr unsigned char kStubCode[] = {0x50, 0x64, 0xA1, 0x24, 0x00, 0x00, 0x00, 0x3B, 0x05, 0, 0, 0, 0, 0x75, 7,
                                       0xF0, 0xFF, 0x05, 0,    0,    0,    0,    0x58, 0xFF, 0x25, 0, 0, 0, 0};
constexpr size_t kTidAt = 32, kOriginalAt = 36;

void writeStub(unsigned char* stub, volatile LONG* counter, void* original, DWORD thread) {
  std::memcpy(stub, kStubCode, sizeof kStubCode);
  const uint32_t tidAddress = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(stub + kTidAt));
  const uint32_t counterAddress = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(counter));
  const uint32_t originalAddress = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(stub + kOriginalAt));
  std::memcpy(stub + 9, &tidAddress, 4);
  std::memcpy(stub + 18, &counterAddress, 4);
  std::memcpy(stub + 25, &originalAddress, 4);
  std::memcpy(stub + kTidAt, &thread, sizeof thread);
  std::memcpy(stub + kOriginalAt, &original, sizeof original);
}
#else
#error "counting stubs exist for x86_64 and i686 only"
#endif

// The watched imports with a stub each. The table is writable from
// construction to destruction; the stubs are in it only between arm() and
// disarm(), around each call into the plug-in.
class ImportWatch {
 public:
  ImportWatch(std::vector<Import> watched, DWORD audioThread)
      : imports(std::move(watched)), counters(new volatile LONG[imports.size() + 1]()) {
    if (imports.empty()) return;
    stubs = static_cast<unsigned char*>(
        VirtualAlloc(nullptr, imports.size() * kStubSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    require(stubs != nullptr, "cannot allocate memory for the counting stubs");
    for (size_t i = 0; i < imports.size(); ++i) {
      originals.push_back(*imports[i].slot);
      writeStub(stubs + i * kStubSize, &counters[i], originals[i], audioThread);
    }
    DWORD old;
    VirtualProtect(stubs, imports.size() * kStubSize, PAGE_EXECUTE_READ, &old);
    FlushInstructionCache(GetCurrentProcess(), stubs, imports.size() * kStubSize);
    // Page by page, each made writable once: a page made writable with an
    // earlier slot would otherwise be recorded as writable "before", and
    // stay so after the restore.
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    pageSize = system.dwPageSize;
    for (const Import& import : imports) {
      const uintptr_t first = reinterpret_cast<uintptr_t>(import.slot) & ~(pageSize - 1);
      const uintptr_t last = (reinterpret_cast<uintptr_t>(import.slot) + sizeof(void*) - 1) & ~(pageSize - 1);
      for (uintptr_t address = first; address <= last; address += pageSize) {
        void* const page = reinterpret_cast<void*>(address);
        if (protections.count(page)) continue;
        DWORD previous = 0;
        require(VirtualProtect(page, pageSize, PAGE_READWRITE, &previous),
                "cannot make the import address table writable");
        protections[page] = previous;
      }
    }
  }

  ~ImportWatch() {
    disarm();
    for (const auto& page : protections) {
      DWORD old;
      VirtualProtect(page.first, pageSize, page.second, &old);
    }
    if (stubs) VirtualFree(stubs, 0, MEM_RELEASE);
  }

  ImportWatch(const ImportWatch&) = delete;
  ImportWatch& operator=(const ImportWatch&) = delete;

  void arm() {
    for (size_t i = 0; i < imports.size(); ++i) *imports[i].slot = stubs + i * kStubSize;
  }
  void disarm() {
    for (size_t i = 0; i < imports.size(); ++i) *imports[i].slot = originals[i];
  }

  // Adds the calls counted since the last take to `into`, by import.
  void take(std::map<std::string, long>& into) {
    for (size_t i = 0; i < imports.size(); ++i)
      if (counters[i]) {
        into[imports[i].name] += counters[i];
        counters[i] = 0;
      }
  }

  size_t size() const { return imports.size(); }

 private:
  std::vector<Import> imports;
  std::unique_ptr<volatile LONG[]> counters;
  std::vector<void*> originals;
  unsigned char* stubs = nullptr;
  uintptr_t pageSize = 0;
  std::map<void*, DWORD> protections;  // each page made writable, with its protection before
};

// ---------------------------------------------------------------------------

enum Call { kProcess, kSetParameter, kGetParameter, kCalls };
const char* const kCallNames[kCalls] = {"processReplacing", "setParameter", "getParameter"};

std::string callsMade(const std::map<std::string, long> (&made)[kCalls]) {
  std::string text;
  for (int call = 0; call < kCalls; ++call) {
    if (made[call].empty()) continue;
    text += std::string(text.empty() ? "" : "; ") + kCallNames[call] + " called ";
    bool first = true;
    for (const auto& entry : made[call]) {
      text += format("%s%s %ld times", first ? "" : ", ", entry.first.c_str(), entry.second);
      first = false;
    }
  }
  return text;
}

std::string checkRealtimeSafety(const CheckContext& context) {
  AudioSession audio(context);
  Effect& effect = audio.effect;
  const std::vector<Import> all = Image(audio.session.module.moduleHandle()).readImports();
  std::vector<Import> watched;
  for (const Import& import : all)
    if (isWatched(import.dll, import.name)) watched.push_back(import);
  ImportWatch watch(watched, GetCurrentThreadId());

  std::map<std::string, long> made[kCalls];
  // Between arm and disarm only the watched call runs on this thread.
  auto during = [&](Call call, auto&& body) {
    watch.arm();
    body();
    watch.disarm();
    watch.take(made[call]);
  };
  std::mt19937 random(context.seed);
  audio.inputs.fillNoise(random, 0.5f);
  const PlugInt32 params = effect.record()->numParams;
  const PlugInt32 moved = std::min(params, kParametersPerBlock);
  for (int block = 0; block < kBlocks; ++block) {
    for (PlugInt32 k = 0; k < moved; ++k) {
      const PlugInt32 index = (block * moved + k) % params;
      // Each parameter sweeps its range back and forth.
      const float value = 0.5f + 0.5f * std::sin(0.05f * static_cast<float>(block) + static_cast<float>(index));
      during(kSetParameter, [&] { effect.setParameter(index, value); });
      during(kGetParameter, [&] { effect.getParameter(index); });
    }
    during(kProcess, [&] { audio.process(); });
  }
  const std::string calls = callsMade(made);
  require(calls.empty(), calls);
  return format("%d blocks with parameters moving: processReplacing, setParameter and getParameter made no call "
                "through the %zu watched of %zu imports (allocation, waiting, I/O, user32, gdi32)",
                kBlocks, watch.size(), all.size());
}

}  // namespace

std::vector<Check> realtimeChecks() {
  return {
      {"realtime-safety", checkRealtimeSafety,
       "processing and parameter calls on the audio thread allocate, wait, do I/O and use the window system not at "
       "all through the plug-in's imports"},
  };
}

}  // namespace plughost
