// plughost info: what a host learns about a plug-in when it loads it.
#include <cctype>
#include <cstdio>
#include <string>

#include "tools/plughost/commands.h"
#include "tools/plughost/host/host.h"
#include "tools/plughost/host/named.h"
#include "tools/plughost/host/opcodes.h"

namespace plughost {

namespace {

const Named<PlugInt32> kFlagNames[] = {
    {effFlagsHasEditor, "HasEditor"},
    {effFlagsHasClip, "HasClip"},
    {effFlagsHasVu, "HasVu"},
    {effFlagsCanMono, "CanMono"},
    {effFlagsCanReplacing, "CanReplacing"},
    {effFlagsProgramChunks, "ProgramChunks"},
    {effFlagsIsSynth, "IsSynth"},
    {effFlagsNoSoundInStop, "NoSoundInStop"},
    {effFlagsExtIsAsync, "ExtIsAsync"},
    {effFlagsExtHasBuffer, "ExtHasBuffer"},
    {effFlagsCanDoubleReplacing, "CanDoubleReplacing"},
};

const char* const kCategoryNames[] = {
    "unknown",     "effect",      "synth",  "analysis",        "mastering", "spatial",
    "room effect", "surround effect", "restoration", "offline process", "shell",     "generator",
};

std::string flagNames(PlugInt32 flags) {
  std::string names;
  PlugInt32 known = 0;
  for (const Named<PlugInt32>& flag : kFlagNames) {
    known |= flag.value;
    if (flags & flag.value) names += (names.empty() ? "" : " ") + std::string(flag.name);
  }
  if (flags & ~known) {
    char rest[32];
    std::snprintf(rest, sizeof rest, "%sunknown 0x%X", names.empty() ? "" : " ",
                  static_cast<unsigned>(flags & ~known));
    names += rest;
  }
  return names.empty() ? "none" : names;
}

std::string fourCharacters(PlugInt32 code) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const unsigned char c = static_cast<unsigned char>(static_cast<uint32_t>(code) >> shift);
    text += std::isprint(c) ? static_cast<char>(c) : '.';
  }
  return text;
}

const char* categoryName(PlugIntPtr category) {
  const PlugIntPtr count = static_cast<PlugIntPtr>(sizeof kCategoryNames / sizeof kCategoryNames[0]);
  return category >= 0 && category < count ? kCategoryNames[category] : "not a category";
}

const char* canDoMeaning(PlugIntPtr answer) {
  if (answer > 0) return "yes";
  if (answer < 0) return "no";
  return "don't know";
}

// A name request that answers whether it wrote anything.
void printOptionalText(Effect& effect, const char* label, PlugInt32 opcode) {
  char buffer[1024] = {};
  const PlugIntPtr given = effect.dispatch(opcode, 0, 0, buffer);
  buffer[sizeof buffer - 1] = 0;
  if (given)
    std::printf("%-16s\"%s\"\n", label, buffer);
  else
    std::printf("%-16s(not given)\n", label);
}

void printRecord(const AEffect& e) {
  std::printf("magic           0x%08X%s\n", static_cast<unsigned>(e.magic),
              e.magic == kEffectMagic ? "" : " (wrong)");
  std::printf("unique id       '%s' (0x%08X)\n", fourCharacters(e.uniqueID).c_str(),
              static_cast<unsigned>(e.uniqueID));
  std::printf("version         %d\n", static_cast<int>(e.version));
  std::printf("programs        %d\n", static_cast<int>(e.numPrograms));
  std::printf("parameters      %d\n", static_cast<int>(e.numParams));
  std::printf("inputs          %d\n", static_cast<int>(e.numInputs));
  std::printf("outputs         %d\n", static_cast<int>(e.numOutputs));
  std::printf("flags           0x%08X %s\n", static_cast<unsigned>(e.flags), flagNames(e.flags).c_str());
  std::printf("initial delay   %d samples\n", static_cast<int>(e.initialDelay));
}

void printQueries(Effect& effect) {
  std::printf("interface       %lld\n", static_cast<long long>(effect.dispatch(effGetInterfaceVersion)));
  const PlugIntPtr category = effect.dispatch(effGetPlugCategory);
  std::printf("category        %lld (%s)\n", static_cast<long long>(category), categoryName(category));
  std::printf("tail size       %lld samples\n", static_cast<long long>(effect.dispatch(effGetTailSize)));
  printOptionalText(effect, "effect name", effGetEffectName);
  printOptionalText(effect, "vendor", effGetVendorString);
  printOptionalText(effect, "product", effGetProductString);
  std::printf("vendor version  %lld\n", static_cast<long long>(effect.dispatch(effGetVendorVersion)));
  const PlugIntPtr program = effect.dispatch(effGetProgram);
  std::printf("program         %lld \"%s\"\n", static_cast<long long>(program),
              effect.text(effGetProgramName).c_str());
  std::printf("can do\n");
  for (int i = 0; i < kNumEffectCapabilities; ++i) {
    std::string capability = kEffectCapabilities[i];
    const PlugIntPtr answer = effect.dispatch(effCanDo, 0, 0, &capability[0]);
    std::printf("  %-22s %lld (%s)\n", kEffectCapabilities[i], static_cast<long long>(answer),
                canDoMeaning(answer));
  }
}

void printParameters(Effect& effect) {
  const PlugInt32 count = effect.record()->numParams;
  std::printf("parameters\n");
  std::printf("  %-6s %-10s %-10s %-10s %-10s %s\n", "index", "name", "value", "display", "label",
              "automatable");
  for (PlugInt32 i = 0; i < count; ++i) {
    const std::string name = effect.text(effGetParamName, i);
    const float value = effect.getParameter(i);
    const std::string display = effect.text(effGetParamDisplay, i);
    const std::string label = effect.text(effGetParamLabel, i);
    const bool automatable = effect.dispatch(effCanBeAutomated, i) != 0;
    std::printf("  %-6d %-10s %-10.6f %-10s %-10s %s\n", static_cast<int>(i), name.c_str(),
                static_cast<double>(value), display.c_str(), label.c_str(),
                automatable ? "yes" : "no");
  }
}

}  // namespace

int runInfo(const Options& options) {
  PluginModule module(options.plugin);
  Host host(module.directory());
  host.trace = options.trace;
  Effect effect(module);
  std::printf("plug-in         %s\n", options.plugin.c_str());
  std::printf("entry           %s\n", module.entryName());
  printRecord(*effect.record());
  printQueries(effect);
  printParameters(effect);
  effect.close();
  return 0;
}

}  // namespace plughost
