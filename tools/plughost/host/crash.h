// Turning a fault inside a plug-in into a report instead of a silent death.
#pragma once

#include <windows.h>

#include <string>

namespace plughost {

// Records what plughost is asking of the plug-in right now, so a crash
// report can name it. Cheap enough to call before every request.
void noteActivity(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));

// "exception 0xC0000005 (access violation)".
std::string describeException(DWORD code);

// Whether a process exit status is an exception code (the status a
// process that died of an unhandled exception leaves).
bool isExceptionStatus(DWORD status);

// Called once with a one-line report such as "crashed with exception
// 0xC0000094 (integer division by zero) in quillon.dll during
// effGetTailSize (opcode 52, index 0, value 0)"; returns the status the
// process then ends with. It runs in a damaged process: it should write
// and return, nothing more.
using CrashHandler = UINT (*)(const char* report, DWORD code);

// Installs the handler for faults nobody else handles and keeps Windows
// from showing its own crash or error dialogs.
void installCrashHandler(CrashHandler handler);

}  // namespace plughost
