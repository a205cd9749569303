// Calls into a plug-in as an old 32-bit host does, with the stack aligned to
// 4 bytes only, and watches what the call leaves of the stack and of the
// registers the C calling convention says a function must keep.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace plughost {

// True where there is more than one calling convention to get wrong: on
// 64-bit Windows every function uses the same one.
constexpr bool kConventionsDiffer = sizeof(void*) == 4;

struct StackCallResult {
  uint32_t eax = 0;   // an integer or pointer result
  float st0 = 0.0f;   // a float result, when the call was told to expect one
  // Bytes the stack pointer moved during the call: 0 for the C convention,
  // where the caller removes the arguments; the arguments' size for a
  // function that removes them itself.
  int32_t moved = 0;
  // Whether ebx, esi and edi came back as they went in. A callee that
  // breaks ebp is not told apart: the call cannot come back here at all.
  bool registersKept = true;
};

// Calls `function` with `words` as its 32-bit argument words, from a stack
// pointer `offset` bytes past a 16-byte boundary (0, 4, 8 or 12) at the
// call. 32-bit targets only.
StackCallResult callWithStackOffset(const void* function, std::initializer_list<uint32_t> words, int offset,
                                    bool returnsFloat);

// The argument words of pointers, integers and floats as the stack holds them.
uint32_t argumentWord(const void* pointer);
uint32_t argumentWord(int32_t value);
uint32_t argumentWord(float value);

}  // namespace plughost
