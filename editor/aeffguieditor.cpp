// The GUI editor: the host's editor requests on one side, the toolkit's
// frame on the other.
#include "editor/aeffguieditor.h"

#include <windows.h>

#include "pluggui/pluggui.h"
#include "plugin/audioeffectx.h"

using PLUGGUI::CDrawContext;
using PLUGGUI::CPoint;

int AEffGUIEditor::knobMode = 0;

namespace {

// A tracking loop's idle step sleeps this long when it comes early...
constexpr uint32_t kIdleNapTicks = 4;
// ...and runs anyway once it is this close to being due, so that a tight
// loop gets a full step about every 50 ms...
constexpr uint32_t kIdleSlackTicks = 50;
// ...measured from a due time this far after the last full step.
constexpr uint32_t kIdlePeriodTicks = 100;

// Ticks from now until a tick, negative once it has passed. Reading the
// difference as signed keeps the order right across the counter's wrap,
// where comparing the counts themselves would put a step due just before
// the wrap some 49 days away and stop the idle steps until then.
int32_t ticksUntil(uint32_t tick, uint32_t now) { return static_cast<int32_t>(tick - now); }

// Edit gestures are requests of the extended effect class; a plain effect
// has no host request for them.
AudioEffectX* extendedEffect(AudioEffect* effect) { return dynamic_cast<AudioEffectX*>(effect); }

// Handles at most one pending repaint of the calling thread's windows, so
// that the screen keeps up while a control holds the thread in its loop.
void dispatchOnePaintMessage() {
  MSG message;
  if (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&message);
}

}  // namespace

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect)
    : AEffEditor(effect), rect{0, 0, 0, 0}, idleDueTicks(0), idleBusy(false), frame(nullptr) {
  idleDueTicks = getTicks();
  if (effect) effect->setEditor(this);
  // The frame's drag and drop works through OLE on this thread.
  OleInitialize(nullptr);
}

AEffGUIEditor::~AEffGUIEditor() { OleUninitialize(); }

// A host that gives no place for the answer gets none, and is told so.
bool AEffGUIEditor::getRect(ERect** outRect) {
  if (!outRect) return false;
  *outRect = &rect;
  return true;
}

void AEffGUIEditor::setParameter(int /*index*/, float /*value*/) {}

void AEffGUIEditor::beginEdit(int index) {
  if (AudioEffectX* extended = extendedEffect(effect)) extended->beginEdit(index);
}

void AEffGUIEditor::endEdit(int index) {
  if (AudioEffectX* extended = extendedEffect(effect)) extended->endEdit(index);
}

// Only an answer of exactly 1 means the frame took the key; anything else
// tells the host to handle it itself.
bool AEffGUIEditor::onKeyDown(PlugKeyCode& keyCode) {
  return frame && frame->onKeyDown(keyCode) == 1;
}

bool AEffGUIEditor::onKeyUp(PlugKeyCode& keyCode) { return frame && frame->onKeyUp(keyCode) == 1; }

bool AEffGUIEditor::setKnobMode(int val) {
  knobMode = val;
  return true;
}

int AEffGUIEditor::getKnobMode() { return knobMode; }

bool AEffGUIEditor::onWheel(float distance) {
  if (!frame) return false;
  CDrawContext context(frame, nullptr, parentWindow);
  CPoint where(0, 0);
  context.getMouseLocation(where);
  return frame->onWheel(&context, where, distance);
}

// A host idle request that arrives from inside the host's own idle callback
// (see doIdleStuff) is dropped.
void AEffGUIEditor::idle() {
  if (idleBusy) return;
  AEffEditor::idle();
  if (frame) frame->idle();
}

void AEffGUIEditor::wait(unsigned int milliseconds) { Sleep(milliseconds); }

uint32_t AEffGUIEditor::getTicks() { return GetTickCount(); }

void AEffGUIEditor::doIdleStuff() {
  uint32_t now = getTicks();
  if (ticksUntil(idleDueTicks, now) > 0) {
    wait(kIdleNapTicks);
    now += kIdleNapTicks;
    if (ticksUntil(idleDueTicks, now) > static_cast<int32_t>(kIdleSlackTicks)) return;
  }
  idle();
  dispatchOnePaintMessage();
  idleDueTicks = now + kIdlePeriodTicks;
  idleBusy = true;
  if (effect) effect->masterIdle();
  idleBusy = false;
}
