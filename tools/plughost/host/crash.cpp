// Faults inside a plug-in turned into a report naming the request that
// caused them.
#include "tools/plughost/host/crash.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "tools/plughost/host/named.h"

namespace plughost {

namespace {

char gActivity[256] = "start-up";
CrashHandler gHandler = nullptr;

const Named<DWORD> kExceptionNames[] = {
    {EXCEPTION_ACCESS_VIOLATION, "access violation"},
    {EXCEPTION_INT_DIVIDE_BY_ZERO, "integer division by zero"},
    {EXCEPTION_INT_OVERFLOW, "integer overflow"},
    {EXCEPTION_STACK_OVERFLOW, "stack overflow"},
    {EXCEPTION_ILLEGAL_INSTRUCTION, "illegal instruction"},
    {EXCEPTION_PRIV_INSTRUCTION, "privileged instruction"},
    {EXCEPTION_IN_PAGE_ERROR, "in-page error"},
    {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, "array bounds exceeded"},
    {EXCEPTION_DATATYPE_MISALIGNMENT, "misaligned data"},
    {EXCEPTION_BREAKPOINT, "breakpoint"},
    {EXCEPTION_FLT_DIVIDE_BY_ZERO, "float division by zero"},
    {EXCEPTION_FLT_INVALID_OPERATION, "invalid float operation"},
    {EXCEPTION_FLT_OVERFLOW, "float overflow"},
    {EXCEPTION_FLT_UNDERFLOW, "float underflow"},
    {EXCEPTION_FLT_INEXACT_RESULT, "inexact float result"},
    {EXCEPTION_FLT_DENORMAL_OPERAND, "denormal float operand"},
    {EXCEPTION_FLT_STACK_CHECK, "float stack check"},
    {EXCEPTION_NONCONTINUABLE_EXCEPTION, "non-continuable exception"},
    {EXCEPTION_INVALID_DISPOSITION, "invalid disposition"},
    {0xC0000409u, "stack buffer overrun"},
};

const char* exceptionName(DWORD code) { return nameOf(kExceptionNames, code, "unknown exception"); }

// File name of the module that holds an address, or "" when none does.
void moduleAt(const void* address, char* name, size_t size) {
  name[0] = 0;
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<const char*>(address), &module))
    return;
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(module, path, sizeof path);
  if (length == 0 || length >= sizeof path) return;
  const char* base = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/') base = p + 1;
  std::snprintf(name, size, "%s", base);
}

LONG WINAPI onUnhandledException(EXCEPTION_POINTERS* info) {
  // Runs on a damaged process: fixed buffers only, no allocation.
  const DWORD code = info->ExceptionRecord->ExceptionCode;
  char module[MAX_PATH];
  moduleAt(info->ExceptionRecord->ExceptionAddress, module, sizeof module);
  char report[768];
  std::snprintf(report, sizeof report, "crashed with exception 0x%08lX (%s)%s%s during %s",
                static_cast<unsigned long>(code), exceptionName(code), module[0] ? " in " : "",
                module, gActivity);
  const UINT status = gHandler ? gHandler(report, code) : code;
  TerminateProcess(GetCurrentProcess(), status);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void noteActivity(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(gActivity, sizeof gActivity, format, args);
  va_end(args);
}

std::string describeException(DWORD code) {
  char text[96];
  std::snprintf(text, sizeof text, "exception 0x%08lX (%s)", static_cast<unsigned long>(code),
                exceptionName(code));
  return text;
}

bool isExceptionStatus(DWORD status) { return (status & 0xF0000000u) == 0xC0000000u || status == 0x80000003u; }

void installCrashHandler(CrashHandler handler) {
  gHandler = handler;
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(onUnhandledException);
}

}  // namespace plughost
