// What the validation checks are made of: guarded buffers, sessions and
// verdict helpers.
#include "tools/plughost/checks/kit.h"

#include <cpuid.h>

#include <cstring>
#include <random>

namespace plughost {

void require(bool condition, const std::string& failure) {
  if (!condition) throw CheckFailure(failure);
}

size_t heapBytesInUse() {
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  size_t total = 0;
  for (HANDLE heap : heaps) {
    if (!HeapLock(heap)) continue;
    PROCESS_HEAP_ENTRY entry;
    entry.lpData = nullptr;
    while (HeapWalk(heap, &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
    HeapUnlock(heap);
  }
  return total;
}

std::string processedBlockProblem(const AudioBuffers& inputs,
                                  const std::vector<std::vector<uint32_t>>& inputsBefore,
                                  const AudioBuffers& outputs) {
  std::string problem = outputs.guardProblem("output");
  if (problem.empty()) problem = inputs.guardProblem("input");
  if (problem.empty()) problem = outputs.nonFiniteProblem("output");
  if (problem.empty() && !inputs.sameAs(inputsBefore)) problem = "the input buffers were written";
  return problem;
}

void requireProcessing(Effect& effect) {
  const std::string problem = playableProblem(effect);
  require(problem.empty(), problem);
}

bool processable(Effect& effect) {
  return playableProblem(effect).empty();
}

void processSilentBlock(Effect& effect) {
  AudioBuffers inputs(effect.record()->numInputs, kBlock);
  AudioBuffers outputs(effect.record()->numOutputs, kBlock);
  effect.process(inputs.pointers(), outputs.pointers(), kBlock);
}

PlugInt32 processingChannels(Effect& effect, bool inputs) {
  requireProcessing(effect);
  return inputs ? effect.record()->numInputs : effect.record()->numOutputs;
}

void setAllParameters(Effect& effect, float value) {
  for (PlugInt32 i = 0; i < effect.record()->numParams; ++i) effect.setParameter(i, value);
}

void setSameRandomParameters(std::mt19937& random, Effect& first, Effect& second) {
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  for (PlugInt32 i = 0; i < first.record()->numParams; ++i) {
    const float value = unit(random);
    first.setParameter(i, value);
    second.setParameter(i, value);
  }
}

bool cpuIsEmulated() {
  char value[8] = {};
  const DWORD length = GetEnvironmentVariableA("QUILLON_EMULATED_CPU", value, sizeof value);
  if (length > 0 && length < sizeof value && std::strcmp(value, "0") != 0) return true;
  unsigned int regs[12] = {};
  if (__get_cpuid_max(0x80000000u, nullptr) < 0x80000004u) return false;
  for (unsigned int leaf = 0; leaf < 3; ++leaf)
    __get_cpuid(0x80000002u + leaf, &regs[4 * leaf], &regs[4 * leaf + 1], &regs[4 * leaf + 2], &regs[4 * leaf + 3]);
  char brand[sizeof regs + 1] = {};
  std::memcpy(brand, regs, sizeof regs);
  return std::strstr(brand, "QEMU TCG") != nullptr;
}

namespace {

HMODULE gWatchedModule = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER gCrashReport = nullptr;
void (*gBeforeReport)() = nullptr;

bool fatalFaultCode(DWORD code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_STACK_OVERFLOW:
      return true;
    default:
      return false;
  }
}

bool inWatchedModule(const void* address) {
  HMODULE module = nullptr;
  return GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<const char*>(address), &module) &&
         module == gWatchedModule;
}

LONG CALLBACK reportPlugInFault(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD& record = *info->ExceptionRecord;
  if (!gWatchedModule || !gCrashReport || !fatalFaultCode(record.ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
  const bool executedNoCode = record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2 &&
                              record.ExceptionInformation[0] == EXCEPTION_EXECUTE_FAULT;
  if (!executedNoCode && !inWatchedModule(record.ExceptionAddress)) return EXCEPTION_CONTINUE_SEARCH;
  if (gBeforeReport) gBeforeReport();
  gCrashReport(info);
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

PlugInFaultWatch::PlugInFaultWatch(const void* codeInPlugIn, void (*beforeReport)()) {
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     static_cast<const char*>(codeInPlugIn), &gWatchedModule);
  gBeforeReport = beforeReport;
  // The crash handler's filter: reading it takes setting another and
  // putting it back.
  gCrashReport = SetUnhandledExceptionFilter(nullptr);
  SetUnhandledExceptionFilter(gCrashReport);
  registration = AddVectoredExceptionHandler(1, reportPlugInFault);
}

PlugInFaultWatch::~PlugInFaultWatch() {
  if (registration) RemoveVectoredExceptionHandler(registration);
  gWatchedModule = nullptr;
  gBeforeReport = nullptr;
}

}  // namespace plughost
