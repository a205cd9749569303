// The items of a drag: text, or file paths with shell links resolved.
#include <shlobj.h>
#include <shellapi.h>

#include <cstdlib>
#include <cstring>

#include "pluggui/pluggui.h"

namespace PLUGGUI {

namespace {

constexpr size_t kPathCapacity = 1024;
constexpr size_t kWidePathCapacity = 2048;
constexpr DWORD kResolveQuietlyWithin500ms = 0x01F40003;  // SLR_NO_UI | SLR_ANY_MATCH, 500 ms time-out

FORMATETC formatOf(CLIPFORMAT format) { return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// One storage medium asked of the data object, released when done.
class Medium {
 public:
  Medium(void* platformDrag, CLIPFORMAT format) : medium(), present(false) {
    IDataObject* data = static_cast<IDataObject*>(platformDrag);
    if (!data) return;
    FORMATETC wanted = formatOf(format);
    present = SUCCEEDED(data->GetData(&wanted, &medium)) && medium.tymed == TYMED_HGLOBAL && medium.hGlobal;
    if (!present && (medium.hGlobal || medium.pUnkForRelease)) ReleaseStgMedium(&medium);
  }
  ~Medium() {
    if (present) ReleaseStgMedium(&medium);
  }
  Medium(const Medium&) = delete;
  Medium& operator=(const Medium&) = delete;

  bool isPresent() const { return present; }
  HGLOBAL block() const { return medium.hGlobal; }

 private:
  STGMEDIUM medium;
  bool present;
};

// Holds a COM interface and releases it.
template <typename Interface>
class ComPointer {
 public:
  ComPointer() : pointer(nullptr) {}
  ~ComPointer() {
    if (pointer) pointer->Release();
  }
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;
  Interface** out() { return &pointer; }
  Interface* operator->() const { return pointer; }

 private:
  Interface* pointer;
};

// Only the last dot counts: "a.lnk.txt" is a text file.
bool namesShellLink(const char* path) {
  const char* dot = std::strrchr(path, '.');
  return dot && lstrcmpiA(dot, ".lnk") == 0;
}

// Replaces a shell link by its target's short path. A link that cannot be
// read or resolved leaves the path as it came.
bool checkResolveLink(const char* nativePath, char* resolved) {
  if (!namesShellLink(nativePath)) return false;
  ComPointer<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(link.out()))))
    return false;
  ComPointer<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.out())))) return false;
  WCHAR widePath[kWidePathCapacity];
  if (!MultiByteToWideChar(CP_ACP, 0, nativePath, -1, widePath, kWidePathCapacity)) return false;
  if (FAILED(file->Load(widePath, STGM_READ))) return false;
  if (FAILED(link->Resolve(nullptr, kResolveQuietlyWithin500ms))) return false;
  // The target is written to a buffer of its own first, so that a failure
  // leaves the caller's path whole.
  char target[kPathCapacity] = {0};
  WIN32_FIND_DATAA findData;
  if (link->GetPath(target, kPathCapacity, &findData, SLGP_SHORTPATH) != S_OK || !target[0]) return false;
  // Some link objects hand back the long form whatever the flag says; the
  // file system gives the short one then, as long as the target is there.
  char shortForm[kPathCapacity];
  const DWORD shortLength = GetShortPathNameA(target, shortForm, kPathCapacity);
  if (shortLength && shortLength < kPathCapacity) std::memcpy(target, shortForm, shortLength + 1);
  std::memcpy(resolved, target, kPathCapacity);
  return true;
}

long fileCount(const Medium& files) {
  return static_cast<long>(DragQueryFileA(static_cast<HDROP>(files.block()), 0xFFFFFFFF, nullptr, 0));
}

char* copyOf(const void* bytes, size_t size) {
  char* copy = static_cast<char*>(std::malloc(size + 1));
  if (!copy) return nullptr;
  std::memcpy(copy, bytes, size);
  copy[size] = 0;
  return copy;
}

}  // namespace

CDragContainer* gDragContainer = nullptr;

CDragContainer::CDragContainer(void* drag) : platformDrag(drag), itemCount(0), iterator(0), lastItem(nullptr) {
  Medium text(platformDrag, CF_TEXT);
  if (text.isPresent()) {
    itemCount = 1;
    return;
  }
  Medium files(platformDrag, CF_HDROP);
  if (files.isPresent()) itemCount = fileCount(files);
}

CDragContainer::~CDragContainer() { std::free(lastItem); }

// Whatever the files say, a drag without text counts as one of files; they
// are asked for all the same, as a data object may expect.
long CDragContainer::getType(long /*index*/) const {
  Medium text(platformDrag, CF_TEXT);
  if (text.isPresent()) return kDragText;
  Medium files(platformDrag, CF_HDROP);
  return kDragFile;
}

void* CDragContainer::first(long& size, long& type) {
  iterator = 0;
  return next(size, type);
}

// An item whose copy cannot be had is reported as no item.
void* CDragContainer::next(long& size, long& type) {
  std::free(lastItem);
  lastItem = nullptr;
  size = 0;
  type = kDragUnknown;

  Medium text(platformDrag, CF_TEXT);
  if (text.isPresent()) {
    if (iterator != 0) return nullptr;
    iterator = 1;
    const void* bytes = GlobalLock(text.block());
    const SIZE_T blockSize = GlobalSize(text.block());
    if (bytes && blockSize) {
      lastItem = copyOf(bytes, blockSize);
      if (lastItem) {
        size = static_cast<long>(blockSize);
        type = kDragText;
      }
    }
    if (bytes) GlobalUnlock(text.block());
    return lastItem;
  }

  Medium files(platformDrag, CF_HDROP);
  if (!files.isPresent()) return nullptr;
  const UINT index = static_cast<UINT>(iterator++);
  char path[kPathCapacity] = {0};
  if (!DragQueryFileA(static_cast<HDROP>(files.block()), index, path, kPathCapacity)) return nullptr;
  checkResolveLink(path, path);
  const size_t length = std::strlen(path);
  lastItem = copyOf(path, length);
  if (!lastItem) return nullptr;
  size = static_cast<long>(length);
  type = kDragFile;
  return lastItem;
}

}  // namespace PLUGGUI
