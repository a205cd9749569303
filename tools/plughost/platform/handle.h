// Ownership of a Win32 kernel handle.
#pragma once

#include <windows.h>

namespace plughost {

// Closes the handle it holds; null and INVALID_HANDLE_VALUE both mean none.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) : handle(h) {}
  ~UniqueHandle() {
    if (valid()) CloseHandle(handle);
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  bool valid() const { return handle && handle != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle; }
  // Closes the handle held, if any, and holds `h` instead.
  void reset(HANDLE h = nullptr) {
    if (valid()) CloseHandle(handle);
    handle = h;
  }

 private:
  HANDLE handle = nullptr;
};

}  // namespace plughost
