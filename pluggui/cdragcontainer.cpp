// The items of a drag: text, or file paths with shell links resolved.
#include <shlobj.h>
#include <shellapi.h>

#include <cstdlib>
#include <cstring>

#include "pluggui/cdragcontainer.h"

namespace PLUGGUI {

namespace {

constexpr size_t kPathCapacity = 1024;
constexpr size_t kWidePathCapacity = 2048;
constexpr DWORD kResolveQuietlyWithin500ms = 0x01F40003;  // SLR_NO_UI | SLR_ANY_MATCH, 500 ms time-out

FORMATETC formatOf(CLIPFORMAT format) { return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// A memory block locked for reading, unlocked when done.
class LockedBlock {
 public:
  explicit LockedBlock(HGLOBAL block) : block(block), bytes(static_cast<const unsigned char*>(GlobalLock(block))) {}
  ~LockedBlock() {
    if (bytes) GlobalUnlock(block);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  const unsigned char* get() const { return bytes; }

 private:
  HGLOBAL block;
  const unsigned char* bytes;
};

// A file list comes from another program and may say anything; the shell
// reads it as it stands. It is one only when the header fits in the block,
// the list starts after the header and inside the block, and the list ends
// inside the block: entries of characters as wide as the header says, each
// ending in a zero, and an empty entry last.
bool isWellFormedFileList(HGLOBAL block) {
  const SIZE_T size = GlobalSize(block);
  if (size < sizeof(DROPFILES)) return false;
  const LockedBlock locked(block);
  const unsigned char* bytes = locked.get();
  if (!bytes) return false;
  DROPFILES header;
  std::memcpy(&header, bytes, sizeof header);
  if (header.pFiles < sizeof(DROPFILES) || header.pFiles >= size) return false;
  const SIZE_T unit = header.fWide ? sizeof(WCHAR) : 1;
  bool entryEmpty = true;
  for (SIZE_T at = header.pFiles; at + unit <= size; at += unit) {
    const bool zero = bytes[at] == 0 && (unit == 1 || bytes[at + 1] == 0);
    if (zero && entryEmpty) return true;
    entryEmpty = zero;
  }
  return false;
}

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
  // The block as a file list the shell may read, or none when it is not one.
  HDROP fileList() const {
    return present && isWellFormedFileList(medium.hGlobal) ? static_cast<HDROP>(medium.hGlobal) : nullptr;
  }

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

long fileCount(HDROP files) { return static_cast<long>(DragQueryFileA(files, 0xFFFFFFFF, nullptr, 0)); }

char* copyOf(const void* bytes, size_t size) {
  char* copy = static_cast<char*>(std::malloc(size + 1));
  if (!copy) return nullptr;
  std::memcpy(copy, bytes, size);
  copy[size] = 0;
  return copy;
}

}  // namespace

CDragContainer* gDragContainer = nullptr;

// The data object is held for as long as the container: a drag from
// another thread or program hands it in for the length of one call only,
// and views read the items later, at the drop or after it.
CDragContainer::CDragContainer(void* drag) : platformDrag(drag), itemCount(0), iterator(0), lastItem(nullptr) {
  if (platformDrag) static_cast<IDataObject*>(platformDrag)->AddRef();
  Medium text(platformDrag, CF_TEXT);
  if (text.isPresent()) {
    itemCount = 1;
    return;
  }
  Medium files(platformDrag, CF_HDROP);
  if (HDROP list = files.fileList()) itemCount = fileCount(list);
}

CDragContainer::~CDragContainer() {
  std::free(lastItem);
  if (platformDrag) static_cast<IDataObject*>(platformDrag)->Release();
}

// Whatever the files say, a drag without text counts as one of files (they
// are asked for all the same, as a data object may expect), unless what it
// offers as a file list is none: that is a drag of nothing known.
long CDragContainer::getType(long /*index*/) const {
  Medium text(platformDrag, CF_TEXT);
  if (text.isPresent()) return kDragText;
  Medium files(platformDrag, CF_HDROP);
  return files.isPresent() && !files.fileList() ? kDragUnknown : kDragFile;
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
    const LockedBlock bytes(text.block());
    const SIZE_T blockSize = GlobalSize(text.block());
    if (bytes.get() && blockSize) {
      lastItem = copyOf(bytes.get(), blockSize);
      if (lastItem) {
        size = static_cast<long>(blockSize);
        type = kDragText;
      }
    }
    return lastItem;
  }

  Medium files(platformDrag, CF_HDROP);
  HDROP list = files.fileList();
  if (!list) return nullptr;
  const UINT index = static_cast<UINT>(iterator++);
  char path[kPathCapacity] = {0};
  if (!DragQueryFileA(list, index, path, kPathCapacity)) return nullptr;
  checkResolveLink(path, path);
  const size_t length = std::strlen(path);
  lastItem = copyOf(path, length);
  if (!lastItem) return nullptr;
  size = static_cast<long>(length);
  type = kDragFile;
  return lastItem;
}

}  // namespace PLUGGUI
