// The host's first meeting with the library: the entry point, the record it
// hands back, and the close that frees the effect.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <windows.h>

#include "support/testhost.h"

using testhost::LoadedEffect;
using testhost::PluginLibrary;
using testhost::RecordingHost;

TEST(Entry, BothExportsAreOneFunction) {
  PluginLibrary library;
  ASSERT_NE(library.entry("PluginMain"), nullptr);
  EXPECT_EQ(library.entry("PluginMain"), library.entry("main"));
  EXPECT_EQ(library.entry("MAIN"), nullptr);
}

// The DLL as it ships: stripped of its symbol tables, and with the compiler
// runtime linked in, so that a host needs nothing beside it but the system's
// own DLLs.
TEST(Entry, ShipsStrippedAndImportsOnlySystemLibraries) {
  PluginLibrary library;
  auto base = reinterpret_cast<const BYTE*>(library.module());
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  EXPECT_EQ(nt->FileHeader.PointerToSymbolTable, 0u);
  EXPECT_EQ(nt->FileHeader.NumberOfSymbols, 0u);

  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  ASSERT_NE(dir.VirtualAddress, 0u);
  const char* const system[] = {"kernel32.dll", "user32.dll", "gdi32.dll",
                                 "ole32.dll",    "shell32.dll", "msvcrt.dll"};
  int count = 0;
  for (auto imp = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
       imp->Name != 0; ++imp, ++count) {
    const char* name = reinterpret_cast<const char*>(base + imp->Name);
    EXPECT_TRUE(std::any_of(std::begin(system), std::end(system),
                            [name](const char* s) { return _stricmp(s, name) == 0; }))
        << name;
  }
  EXPECT_GT(count, 0);
}

TEST(Entry, AsksTheHostVersionFirstAndBuildsNothingOnZero) {
  PluginLibrary library;
  RecordingHost host;
  host.answers[audioMasterVersion] = 0;
  EXPECT_EQ(library.entry()(RecordingHost::callback), nullptr);
  ASSERT_EQ(host.requests.size(), 1u);
  EXPECT_EQ(host.requests[0].effect, nullptr);
  EXPECT_EQ(host.requests[0].opcode, audioMasterVersion);
  EXPECT_EQ(host.requests[0].index, 0);
  EXPECT_EQ(host.requests[0].value, 0);
  EXPECT_EQ(host.requests[0].ptr, nullptr);
  EXPECT_EQ(host.requests[0].opt, 0.0f);
}

TEST(Entry, NullCallbackBuildsNothing) {
  PluginLibrary library;
  EXPECT_EQ(library.entry()(nullptr), nullptr);
  EXPECT_EQ(library.entry("main")(nullptr), nullptr);
}

TEST(Entry, AnyNonZeroVersionBuildsTheEffect) {
  PluginLibrary library;
  RecordingHost host;
  host.answers[audioMasterVersion] = 1;
  AEffect* e = library.entry("main")(RecordingHost::callback);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
}

TEST(Record, FieldsAfterConstruction) {
  LoadedEffect loaded;
  AEffect* e = loaded.effect();
  EXPECT_EQ(e->magic, 0x56737450);
  EXPECT_EQ(e->numPrograms, 1);
  EXPECT_EQ(e->numParams, 2);
  EXPECT_EQ(e->numInputs, 2);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->flags & ~effFlagsHasEditor, effFlagsCanReplacing);
  EXPECT_EQ(e->resvd1, 0);
  EXPECT_EQ(e->resvd2, 0);
  EXPECT_EQ(e->initialDelay, 0);
  EXPECT_EQ(e->realQualities, 0);
  EXPECT_EQ(e->offQualities, 0);
  EXPECT_EQ(e->ioRatio, 1.0f);
  EXPECT_NE(e->object, nullptr);
  EXPECT_EQ(e->user, nullptr);
  EXPECT_EQ(e->uniqueID, 0x51764C6E);  // 'QvLn'
  EXPECT_EQ(e->version, 1);
  for (char byte : e->future) EXPECT_EQ(byte, 0);
  EXPECT_NE(e->dispatcher, nullptr);
  EXPECT_NE(e->process, nullptr);
  EXPECT_NE(e->setParameter, nullptr);
  EXPECT_NE(e->getParameter, nullptr);
  EXPECT_NE(e->processReplacing, nullptr);
  EXPECT_NE(e->processDoubleReplacing, nullptr);
}

TEST(Record, ObsoleteAndDoubleProcessTouchNothing) {
  LoadedEffect loaded;
  AEffect* e = loaded.effect();
  float in[4] = {0.5f, 0.5f, 0.5f, 0.5f}, out[4] = {7, 7, 7, 7};
  float* ins[2] = {in, in + 2};
  float* outs[2] = {out, out + 2};
  e->process(e, ins, outs, 2);
  for (float v : out) EXPECT_EQ(v, 7.0f);
  double din[2] = {0.5, 0.5}, dout[2] = {7, 7};
  double* dins[2] = {din, din + 1};
  double* douts[2] = {dout, dout + 1};
  e->processDoubleReplacing(e, dins, douts, 1);
  EXPECT_EQ(dout[0], 7.0);
  EXPECT_EQ(dout[1], 7.0);
}

TEST(Record, CloseAnswersOneAndTheHostHearsNothing) {
  PluginLibrary library;
  RecordingHost host;
  AEffect* e = library.entry()(RecordingHost::callback);
  ASSERT_NE(e, nullptr);
  size_t before = host.requests.size();
  EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
  EXPECT_EQ(host.requests.size(), before);
}

TEST(Record, ManyEffectsLiveSideBySide) {
  PluginLibrary library;
  RecordingHost host;
  AEffect* a = library.entry()(RecordingHost::callback);
  AEffect* b = library.entry()(RecordingHost::callback);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
  a->setParameter(a, 0, 0.25f);
  EXPECT_EQ(a->getParameter(a, 0), 0.25f);
  EXPECT_EQ(b->getParameter(b, 0), 1.0f);
  EXPECT_EQ(a->dispatcher(a, effClose, 0, 0, nullptr, 0.0f), 1);
  EXPECT_EQ(b->getParameter(b, 0), 1.0f);
  EXPECT_EQ(b->dispatcher(b, effClose, 0, 0, nullptr, 0.0f), 1);
}
