// The fixed text buffers of the text controls: 255 characters and the
// terminator.
#pragma once

#include <cstddef>
#include <cstring>

namespace PLUGGUI {

constexpr std::size_t kTextBufferSize = 256;

// Copies at most 255 characters and always terminates; a null source gives
// the empty text. Source and destination may overlap.
inline void copyBounded(char* to, const char* from) {
  if (!from) {
    to[0] = 0;
    return;
  }
  std::size_t length = 0;
  while (length < kTextBufferSize - 1 && from[length]) ++length;
  std::memmove(to, from, length);
  to[length] = 0;
}

}  // namespace PLUGGUI
