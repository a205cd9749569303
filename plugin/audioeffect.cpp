// The effect base class: the record the host holds, its dispatcher, and the
// value-to-text helpers.
#include "plugin/audioeffect.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "editor/aeffguieditor.h"

AudioEffect::AudioEffect(audioMasterCallback audioMaster, PlugInt32 numPrograms,
                         PlugInt32 numParams)
    : audioMaster(audioMaster),
      editor(nullptr),
      sampleRate(44100.0f),
      blockSize(1024),
      numPrograms(numPrograms),
      numParams(numParams),
      curProgram(0) {
  std::memset(&cEffect, 0, sizeof(cEffect));
  cEffect.magic = kEffectMagic;
  cEffect.dispatcher = dispatchEffectClass;
  cEffect.process = __processClassDeprecated;
  cEffect.setParameter = setParameterClass;
  cEffect.getParameter = getParameterClass;
  cEffect.numPrograms = numPrograms;
  cEffect.numParams = numParams;
  cEffect.numInputs = 1;
  cEffect.numOutputs = 2;
  cEffect.ioRatio = 1.0f;
  cEffect.object = this;
  cEffect.uniqueID = plugFourCC('N', 'o', 'E', 'f');
  cEffect.version = 1;
  cEffect.processReplacing = processClassReplacing;
  // The constructor's own call: the virtual table is AudioEffect's here.
  canProcessReplacing(true);
  cEffect.processDoubleReplacing = processClassDoubleReplacing;
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::setEditor(AEffEditor* editor) {
  this->editor = editor;
  setFlag(effFlagsHasEditor, editor != nullptr);
}

// ---------------------------------------------------------------------------
// Trampolines

static AudioEffect* objectOf(AEffect* e) { return static_cast<AudioEffect*>(e->object); }

PlugIntPtr AudioEffect::dispatchEffectClass(AEffect* e, PlugInt32 opcode, PlugInt32 index,
                                            PlugIntPtr value, void* ptr, float opt) {
  AudioEffect* object = objectOf(e);
  if (opcode == effClose) {
    object->dispatcher(opcode, index, value, ptr, opt);
    delete object;
    return 1;
  }
  return object->dispatcher(opcode, index, value, ptr, opt);
}

float AudioEffect::getParameterClass(AEffect* e, PlugInt32 index) {
  return objectOf(e)->getParameter(index);
}

void AudioEffect::setParameterClass(AEffect* e, PlugInt32 index, float value) {
  objectOf(e)->setParameter(index, value);
}

void AudioEffect::__processClassDeprecated(AEffect* e, float** inputs, float** outputs,
                                           PlugInt32 sampleFrames) {
  objectOf(e)->__processDeprecated(inputs, outputs, sampleFrames);
}

void AudioEffect::processClassReplacing(AEffect* e, float** inputs, float** outputs,
                                        PlugInt32 sampleFrames) {
  objectOf(e)->processReplacing(inputs, outputs, sampleFrames);
}

void AudioEffect::processClassDoubleReplacing(AEffect* e, double** inputs, double** outputs,
                                              PlugInt32 sampleFrames) {
  objectOf(e)->processDoubleReplacing(inputs, outputs, sampleFrames);
}

// ---------------------------------------------------------------------------
// Value-to-text conversion

char* plug_strncpy(char* dst, const char* src, size_t maxLen) {
  std::strncpy(dst, src, maxLen);
  dst[maxLen] = 0;
  return dst;
}

char* plug_strncat(char* dst, const char* src, size_t maxLen) {
  size_t length = std::strlen(dst);
  if (length >= maxLen) {
    dst[maxLen] = 0;
    return dst;
  }
  size_t room = maxLen - length;
  size_t i = 0;
  for (; i < room && src[i]; ++i) dst[length + i] = src[i];
  dst[length + i] = 0;
  return dst;
}

void AudioEffect::dB2string(float value, char* text, PlugInt32 maxLen) {
  if (value <= 0.0f)
    plug_strncpy(text, "-oo", maxLen);
  else
    float2string(20.0f * std::log10(value), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, PlugInt32 maxLen) {
  float rate = getSampleRate();
  if (samples == 0.0f)
    float2string(0.0f, text, maxLen);
  else
    float2string(rate / samples, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, PlugInt32 maxLen) {
  float2string(static_cast<float>(samples * 1000.0 / getSampleRate()), text, maxLen);
}

namespace {

// Formats with the platform C runtime itself (not a replacement printf), so
// the texts are what every program on the system prints, three-digit
// exponents included. Answers the length, or -1 when the text does not fit.
int formatScratch(char (&scratch)[32], const char* format, double value) {
  int n = _snprintf(scratch, sizeof scratch - 1, format, value);
  scratch[sizeof scratch - 1] = 0;
  return n;
}

// Copies text without forcing a terminator at maxLen: the fixed texts are
// shorter than any limit in use, so the copy pads with zeros.
void copyFixedText(char* text, const char* fixed, PlugInt32 maxLen) {
  if (maxLen > 0) std::strncpy(text, fixed, static_cast<size_t>(maxLen));
}

}  // namespace

void AudioEffect::float2string(float value, char* text, PlugInt32 maxLen) {
  if (std::isinf(value)) {
    copyFixedText(text, value < 0.0f ? "-inf" : "inf", maxLen);
    return;
  }
  if (std::isnan(value)) {
    copyFixedText(text, "NaN", maxLen);
    return;
  }
  // A limit of 0 leaves room for the terminator alone; a negative one for
  // nothing at all.
  if (maxLen <= 0) {
    if (maxLen == 0) text[0] = 0;
    return;
  }

  char scratch[32];
  int n = formatScratch(scratch, "%f", static_cast<double>(value));
  bool fits = n >= 0;
  const char* point = fits ? std::strchr(scratch, '.') : nullptr;
  PlugInt32 p = point ? static_cast<PlugInt32>(point - scratch) : -1;
  bool tooLong = !fits || (!point && n >= maxLen) || (point && p > maxLen);

  if (tooLong) {
    n = formatScratch(scratch, "%g", static_cast<double>(value));
    const char* marker = n >= 0 ? std::strchr(scratch, 'e') : nullptr;
    PlugInt32 exponentLength = marker ? static_cast<PlugInt32>(n - (marker - scratch)) : 0;
    // With a limit too small for the exponent part, or a "%g" text without
    // one, no cut mantissa can say the value: show the overflow marker
    // instead of a misleading number.
    if (!marker || exponentLength >= maxLen) {
      plug_strncpy(text, maxLen >= 3 ? "***" : "*", static_cast<size_t>(maxLen));
      return;
    }
    // A "%g" text shorter than the limit keeps its whole mantissa; cutting
    // at maxLen - E there would repeat part of the exponent.
    PlugInt32 markerAt = static_cast<PlugInt32>(marker - scratch);
    PlugInt32 mantissa = std::min(maxLen - exponentLength, markerAt);
    std::memcpy(text, scratch, static_cast<size_t>(mantissa));
    std::memcpy(text + mantissa, marker, static_cast<size_t>(exponentLength));
    text[mantissa + exponentLength] = 0;
    return;
  }

  PlugInt32 keep = (p == maxLen) ? maxLen - 1 : maxLen;
  if (keep > n) keep = n;
  std::memcpy(text, scratch, static_cast<size_t>(keep));
  text[keep] = 0;
}

void AudioEffect::int2string(PlugInt32 value, char* text, PlugInt32 maxLen) {
  if (value > 99999999) {
    plug_strncpy(text, "Huge!", maxLen);
    return;
  }
  // Beyond nine digits the text is the negative counterpart of "Huge!";
  // that also keeps the smallest 32-bit value from being negated.
  PlugInt32 magnitude = value;
  if (value < 0) {
    if (value < -999999999) {
      plug_strncpy(text, "-Huge!", maxLen);
      return;
    }
    plug_strncpy(text, "-", maxLen);
    magnitude = -magnitude;
  } else {
    plug_strncpy(text, "", maxLen);
  }
  bool started = false;
  for (PlugInt32 divisor = 100000000; divisor >= 1; divisor /= 10) {
    PlugInt32 digit = magnitude / divisor;
    magnitude -= digit * divisor;
    if (started || digit > 0) {
      char digitText[2] = {static_cast<char>('0' + digit), 0};
      plug_strncat(text, digitText, maxLen);
      started = true;
    }
  }
}

// ---------------------------------------------------------------------------
// Requests to the host. Without a host callHost answers 0, and each request
// reads that 0 as it would a host's: the answers below then are those of a
// host that knows nothing.

void AudioEffect::setParameterAutomated(PlugInt32 index, float value) {
  setParameter(index, value);
  callHost(audioMasterAutomate, index, 0, nullptr, value);
}

PlugInt32 AudioEffect::getMasterVersion() {
  PlugIntPtr version = callHost(audioMasterVersion);
  return version == 0 ? 1 : static_cast<PlugInt32>(version);
}

PlugInt32 AudioEffect::getCurrentUniqueId() {
  return static_cast<PlugInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

bool AudioEffect::isInputConnected(PlugInt32 input) {
  return callHost(audioMasterPinConnectedDeprecated, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(PlugInt32 output) {
  return callHost(audioMasterPinConnectedDeprecated, output, 1) == 0;
}

// ---------------------------------------------------------------------------
// First level of the dispatcher: opcodes 0 to 24.

PlugIntPtr AudioEffect::dispatcher(PlugInt32 opcode, PlugInt32 index, PlugIntPtr value, void* ptr,
                                   float opt) {
  if (static_cast<uint32_t>(opcode) > 24) return 0;
  // Requests that cannot do without their pointer (the answer is written
  // through it, or it is what the request hands over, the parent window
  // included): a host that passes none gets 0 and nothing is called.
  switch (opcode) {
    case effSetProgramName:
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effEditGetRect:
    case effEditOpen:
    case effGetChunk:
    case effSetChunk:
      if (!ptr) return 0;
      break;
    default:
      break;
  }

  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effOpen:
      open();
      return 0;
    case effClose:
      close();
      return 0;
    case effSetProgram:
      // Effects index their program tables with this: a host's number
      // outside the table, below it as well as above, is ignored.
      if (value >= 0 && value < numPrograms) setProgram(static_cast<PlugInt32>(value));
      return 0;
    case effGetProgram:
      return getProgram();
    case effSetProgramName:
      setProgramName(text);
      return 0;
    case effGetProgramName:
      getProgramName(text);
      return 0;
    case effGetParamLabel:
      getParameterLabel(index, text);
      return 0;
    case effGetParamDisplay:
      getParameterDisplay(index, text);
      return 0;
    case effGetParamName:
      getParameterName(index, text);
      return 0;
    case effSetSampleRate:
      setSampleRate(opt);
      return 0;
    case effSetBlockSize:
      setBlockSize(static_cast<PlugInt32>(value));
      return 0;
    case effMainsChanged:
      if (value == 0)
        suspend();
      else
        resume();
      return 0;
    case effEditGetRect:
      return editor && editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
      return editor && editor->open(ptr) ? 1 : 0;
    case effEditClose:
      if (editor) editor->close();
      return 0;
    case effEditIdle:
      if (editor) editor->idle();
      return 0;
    case effIdentify:
      return plugFourCC('N', 'v', 'E', 'f');
    case effGetChunk:
      return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
      return setChunk(ptr, static_cast<PlugInt32>(value), index != 0);
    default:
      return 0;
  }
}
