// The other side of a drag: a data object offering text, files or both, and
// a drop source that follows the real mouse button, for DoDragDrop to carry
// onto a frame's window.
#pragma once

#include <ole2.h>
#include <shlobj.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace testdrag {

// The block behind CF_HDROP as any program may make it: a DROPFILES header
// saying where the list starts and whether it is wide, then the list's bytes.
inline std::string fileBlock(DWORD listStart, bool wide, const std::string& list) {
  DROPFILES header = {};
  header.pFiles = listStart;
  header.fWide = wide;
  return std::string(reinterpret_cast<const char*>(&header), sizeof(header)) + list;
}

// A well-made one: each path and a zero, then one zero more.
inline std::string fileList(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& path : paths) list.append(path).push_back('\0');
  return fileBlock(sizeof(DROPFILES), false, list + '\0');
}

// Both test objects live on the test's stack, which holds the one reference
// never counted: `held` counts those the others hold.
#define TESTDRAG_UNKNOWN(Interface)                                                       \
  long held = 0;                                                                          \
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override {                      \
    const bool known = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_##Interface); \
    *object = known ? this : nullptr;                                                     \
    if (known) AddRef();                                                                  \
    return known ? S_OK : E_NOINTERFACE;                                                  \
  }                                                                                       \
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++held + 1); }       \
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--held + 1); }

// Offers each format as a fresh memory block, and only when asked exactly as
// a drop target should ask. Each block goes out with a release object of its
// own, so that blocks never handed back are counted as outstanding.
class TestData : public IDataObject {
 public:
  std::map<CLIPFORMAT, std::string> formats;
  int outstanding = 0;

  TESTDRAG_UNKNOWN(IDataObject)
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
    const auto found = formats.find(format->cfFormat);
    if (found == formats.end() || format->ptd || format->dwAspect != DVASPECT_CONTENT || format->lindex != -1 ||
        format->tymed != TYMED_HGLOBAL)
      return DV_E_FORMATETC;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, found->second.size());
    std::memcpy(GlobalLock(block), found->second.data(), found->second.size());
    GlobalUnlock(block);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = new BlockOwner(block, outstanding);
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* format) override { return formats.count(format->cfFormat) ? S_OK : S_FALSE; }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  class BlockOwner final : public IUnknown {
   public:
    BlockOwner(HGLOBAL block, int& outstanding) : block(block), outstanding(outstanding) { ++outstanding; }
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
      *object = IsEqualIID(riid, IID_IUnknown) ? this : nullptr;
      if (!*object) return E_NOINTERFACE;
      AddRef();
      return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override {
      if (--references) return references;
      GlobalFree(block);
      --outstanding;
      delete this;
      return 0;
    }

   private:
    HGLOBAL block;
    int& outstanding;
    ULONG references = 1;
  };
};

// Drops when the left button, once seen down, comes up. Another thread waits
// on the steps of DoDragDrop's loop (each asks QueryContinueDrag) to know
// that the loop has seen what it did to the mouse.
class TestSource : public IDropSource {
 public:
  std::vector<DWORD> feedback;  // the effects shown, in order

  // False when the loop did not get that far in a time far beyond any it
  // needs; the drag is then given up.
  bool waitForSteps(int count) {
    std::unique_lock<std::mutex> lock(mutex);
    const long target = steps + count;
    return changed.wait_for(lock, kPatience, [&] { return steps >= target; });
  }
  bool waitForPress() {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, kPatience, [&] { return pressed; });
  }
  void abandon() {
    std::lock_guard<std::mutex> lock(mutex);
    abandoned = true;
  }

  TESTDRAG_UNKNOWN(IDropSource)
  STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD keys) override {
    std::lock_guard<std::mutex> lock(mutex);
    ++steps;
    pressed = pressed || (keys & MK_LBUTTON);
    changed.notify_all();
    if (escape || abandoned) return DRAGDROP_S_CANCEL;
    return pressed && !(keys & MK_LBUTTON) ? DRAGDROP_S_DROP : S_OK;
  }
  STDMETHODIMP GiveFeedback(DWORD effect) override {
    feedback.push_back(effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }

 private:
  static constexpr std::chrono::seconds kPatience{10};
  std::mutex mutex;
  std::condition_variable changed;
  long steps = 0;
  bool pressed = false;
  bool abandoned = false;
};

#undef TESTDRAG_UNKNOWN

// Writes a shell link to target at linkPath, whatever its name.
inline bool saveShellLink(const std::string& linkPath, const std::string& target) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return false;
  IPersistFile* file = nullptr;
  bool saved = SUCCEEDED(link->SetPath(target.c_str())) &&
               SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
  if (saved) {
    WCHAR widePath[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH);
    saved = SUCCEEDED(file->Save(widePath, TRUE));
    file->Release();
  }
  link->Release();
  return saved;
}

}  // namespace testdrag
