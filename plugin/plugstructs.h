/// @file
/// Interface structures that this layer passes to and from the host only by
/// address. Their contents are the business of the effects that use them, so
/// they are declared here without members.
#pragma once

#include "plugin/aeffect.h"

struct PlugEvents;
struct PlugPinProperties;
struct PlugParameterProperties;
struct PlugTimeInfo;
struct PlugPatchChunkInfo;
struct PlugAudioFile;
struct PlugOfflineTask;
struct PlugVariableIo;
struct PlugFileSelect;
struct MidiProgramName;
struct MidiProgramCategory;
struct MidiKeyName;

/// One speaker of an arrangement (published layout, 112 bytes).
struct PlugSpeakerProperties {
  /// Direction in the horizontal plane, in radians.
  float azimuth;
  /// Direction above (positive) or below the horizontal plane, in radians.
  float elevation;
  /// Distance from the listener, in metres.
  float radius;
  /// Reserved; 0.
  float reserved;
  /// The speaker's name, terminated: 63 characters at most.
  char name[64];
  /// The speaker's type code.
  PlugInt32 type;
  /// Reserved; zeros.
  char future[28];
};
static_assert(sizeof(PlugSpeakerProperties) == 112, "PlugSpeakerProperties is 112 bytes");

/// A speaker arrangement. The record is variable-length: one for n channels
/// occupies 8 + n * 112 bytes, whatever the array length below says.
struct PlugSpeakerArrangement {
  /// The arrangement's type code.
  PlugInt32 type;
  /// Number of speaker records that follow.
  PlugInt32 numChannels;
  /// The speakers, numChannels of them however many that is; reach them with
  /// plugSpeakerAt.
  PlugSpeakerProperties speakers[8];
};
static_assert(offsetof(PlugSpeakerArrangement, speakers) == 8, "speaker records start at 8");

/// Bytes occupied by an arrangement of the given number of channels.
constexpr size_t plugArrangementSize(PlugInt32 numChannels) {
  return offsetof(PlugSpeakerArrangement, speakers) +
         static_cast<size_t>(numChannels) * sizeof(PlugSpeakerProperties);
}

/// Speaker i of an arrangement, past the declared array length if need be.
inline PlugSpeakerProperties* plugSpeakerAt(PlugSpeakerArrangement* arrangement, PlugInt32 i) {
  char* first = reinterpret_cast<char*>(arrangement) + offsetof(PlugSpeakerArrangement, speakers);
  return reinterpret_cast<PlugSpeakerProperties*>(first) + i;
}

/// Reinterprets a pointer-sized answer or argument as the address it carries.
template <class T>
inline T* FromPlugPtr(const PlugIntPtr& arg) {
  return reinterpret_cast<T*>(arg);
}
