// The stack-checking call of stackcall.h: a few instructions of assembly,
// since no compiler lets a caller choose the stack pointer at a call.
#include "tools/plughost/checks/stackcall.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "tools/plughost/platform/errors.h"

namespace {

// Laid out for the assembly below; the offsets are its operands.
struct CallFrame {
  const void* function;  // 0
  const uint32_t* words; // 4
  uint32_t count;        // 8
  uint32_t offset;       // 12
  uint32_t returnsFloat; // 16
  uint32_t eax;          // 20
  float st0;             // 24
  int32_t moved;         // 28
  uint32_t kept;         // 32: 1 when the callee-saved registers came back
  uint32_t stackAtCall;  // 36: scratch
};

}  // namespace

#if defined(__i386__)

static_assert(offsetof(CallFrame, returnsFloat) == 16 && offsetof(CallFrame, eax) == 20 &&
                  offsetof(CallFrame, moved) == 28 && offsetof(CallFrame, stackAtCall) == 36,
              "the assembly below reads the frame at these offsets");

extern "C" void plughostStackCall(CallFrame* frame);

// The caller's ebx, esi, edi and ebp are saved; ebx, esi and edi carry
// marks through the call and ebp keeps the frame, so a callee that breaks
// them is seen, and one that breaks ebp cannot return here anyway.
asm(R"(
    .text
    .globl _plughostStackCall
_plughostStackCall:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 8(%ebp), %ebx
    movl 8(%ebx), %ecx
    shll $2, %ecx
    leal -32(%esp), %eax
    subl %ecx, %eax
    andl $-16, %eax
    addl 12(%ebx), %eax
    movl %eax, %esp
    movl 4(%ebx), %esi
    xorl %edx, %edx
1:  cmpl 8(%ebx), %edx
    jae 2f
    movl (%esi,%edx,4), %edi
    movl %edi, (%esp,%edx,4)
    incl %edx
    jmp 1b
2:  movl %esp, 36(%ebx)
    movl (%ebx), %eax
    movl $0x5EB1E55E, %ebx
    movl $0x51DE51DE, %esi
    movl $0xED1ED1ED, %edi
    call *%eax
    xorl %ecx, %ecx
    cmpl $0x5EB1E55E, %ebx
    jne 3f
    cmpl $0x51DE51DE, %esi
    jne 3f
    cmpl $0xED1ED1ED, %edi
    jne 3f
    incl %ecx
3:  movl 8(%ebp), %ebx
    movl %ecx, 32(%ebx)
    movl %eax, 20(%ebx)
    movl %esp, %eax
    subl 36(%ebx), %eax
    movl %eax, 28(%ebx)
    cmpl $0, 16(%ebx)
    je 4f
    fstps 24(%ebx)
4:  leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

#endif

namespace plughost {

StackCallResult callWithStackOffset(const void* function, std::initializer_list<uint32_t> words, int offset,
                                    bool returnsFloat) {
  StackCallResult result;
#if defined(__i386__)
  const std::vector<uint32_t> list(words);
  CallFrame frame = {function, list.data(), static_cast<uint32_t>(list.size()), static_cast<uint32_t>(offset & 12),
                     returnsFloat ? 1u : 0u, 0, 0.0f, 0, 0, 0};
  plughostStackCall(&frame);
  result.eax = frame.eax;
  result.st0 = frame.st0;
  result.moved = frame.moved;
  result.registersKept = frame.kept == 1;
#else
  (void)function, (void)words, (void)offset, (void)returnsFloat;
  throw InputError("calls with a chosen stack offset exist on 32-bit targets only");
#endif
  return result;
}

uint32_t argumentWord(const void* pointer) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer));
}

uint32_t argumentWord(int32_t value) { return static_cast<uint32_t>(value); }

uint32_t argumentWord(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

}  // namespace plughost
