// The editor interface the effect holds and the dispatcher calls, and the
// GUI editor that connects it to the toolkit's frame.
#pragma once

#include <cstdint>

#include "plugin/aeffect.h"

class AudioEffect;

namespace PLUGGUI {
class CFrame;
}

/// Editor interface: the host's editor requests arrive here through the
/// dispatcher. The base versions do almost nothing; a GUI editor overrides them.
/// The effect owns its editor and deletes it with itself.
class AEffEditor {
 public:
  /// An editor of effect, closed. It does not register itself with the effect; see
  /// AudioEffect::setEditor.
  explicit AEffEditor(AudioEffect* effect) : effect(effect), parentWindow(nullptr) {}
  /// Editors are deleted through this interface, by the effect that owns them.
  virtual ~AEffEditor() {}

  /// The effect this editor belongs to.
  virtual AudioEffect* getEffect() { return effect; }
  /// effEditGetRect: stores at *rect the address of the editor's size, which the editor
  /// keeps; true when it has one. Default: stores null and answers false.
  virtual bool getRect(ERect** rect) {
    if (rect) *rect = nullptr;
    return false;
  }
  /// effEditOpen: builds the editor inside the host's window, whose native handle is ptr;
  /// true when it opened. Default: records the window and answers false; an override calls
  /// it first.
  virtual bool open(void* ptr) {
    parentWindow = ptr;
    return false;
  }
  /// effEditClose: tears the editor down. Default: forgets the host's window.
  virtual void close() { parentWindow = nullptr; }
  /// Whether the editor is open: whether it has a host window recorded.
  virtual bool isOpen() { return parentWindow != nullptr; }
  /// effEditIdle: idle time, again and again while the editor is open. Default: nothing.
  virtual void idle() {}
  /// effEditKeyDown: a key pressed; true when the editor used it, false to leave it to the
  /// host. Default: false.
  virtual bool onKeyDown(PlugKeyCode& /*keyCode*/) { return false; }
  /// effEditKeyUp: a key released; true when the editor used it, false to leave it to the
  /// host. Default: false.
  virtual bool onKeyUp(PlugKeyCode& /*keyCode*/) { return false; }
  /// A wheel turn of distance notches, positive away from the user; true when used. No
  /// request reaches it: the frame's window takes wheel messages itself. Default: false.
  virtual bool onWheel(float /*distance*/) { return false; }
  /// effSetEditKnobMode: how knobs follow the mouse, val 0, 1 or 2; true when taken.
  /// Default: false.
  virtual bool setKnobMode(int /*val*/) { return false; }

 protected:
  /// The effect, which owns this editor.
  AudioEffect* effect;
  /// The host's window while the editor is open; null when closed.
  void* parentWindow;
};

/// Editor built on the toolkit: reports its size, hands keys, the wheel and
/// idle time to its frame while it has one, relays edit gestures to the
/// effect, and gives controls a throttled idle step for their tracking loops.
/// The subclass creates the frame in open and deletes it in close.
class AEffGUIEditor : public AEffEditor {
 public:
  /// Registers itself as effect's editor, which the effect owns from then on, and starts
  /// OLE on the calling thread for the frame's drag and drop.
  explicit AEffGUIEditor(AudioEffect* effect);
  /// Stops OLE on the calling thread. The frame is the subclass's to delete.
  ~AEffGUIEditor() override;

  /// Stores the address of rect, which the subclass sets; false only when rect is null.
  bool getRect(ERect** rect) override;
  /// Idles the frame, if any: redraws and animations. Dropped when it comes from inside
  /// the host idle time that doIdleStuff gives.
  void idle() override;
  /// Hands the key to the frame; true only when the frame answers 1.
  bool onKeyDown(PlugKeyCode& keyCode) override;
  /// Hands the key release to the frame; true only when the frame answers 1.
  bool onKeyUp(PlugKeyCode& keyCode) override;
  /// Turns the wheel on the frame at the mouse position; false without a frame.
  bool onWheel(float distance) override;
  /// Records the knob mode for every editor of the module (see getKnobMode); true.
  bool setKnobMode(int val) override;

  /// For the subclass: brings parameter index's control to value, normalized 0 to 1.
  /// Nothing in the layer calls it. Default: nothing.
  virtual void setParameter(int index, float value);
  /// A control's gesture on parameter index starts: relayed to AudioEffectX::beginEdit,
  /// and dropped for an effect that is not an AudioEffectX. The frame calls it.
  virtual void beginEdit(int index);
  /// A control's gesture on parameter index ends: relayed to AudioEffectX::endEdit, and
  /// dropped for an effect that is not an AudioEffectX. The frame calls it.
  virtual void endEdit(int index);
  /// Idle step for a control's tracking loop, which calls it through the frame as it
  /// goes round: an early call sleeps 4 ms and returns; otherwise, about every 50 ms in
  /// a tight loop, it idles the editor, handles one pending repaint and gives the host
  /// idle time.
  virtual void doIdleStuff();

  /// Sleeps for milliseconds.
  void wait(unsigned int milliseconds);
  /// Milliseconds since the system started; wraps round after about 49.7 days.
  uint32_t getTicks();
  /// The knob mode the host set last, 0 until then; the toolkit's knobs read it.
  static int getKnobMode();

 protected:
  /// The editor's size in pixels, handed to the host by getRect; the subclass sets it in
  /// its constructor.
  ERect rect;
  /// Tick count from which doIdleStuff's next full step is due.
  uint32_t idleDueTicks;
  /// True while doIdleStuff gives the host idle time, so that idle requests arriving
  /// meanwhile are dropped.
  bool idleBusy;
  /// The toolkit frame while open, null otherwise; the subclass creates it in open and
  /// deletes it in close.
  PLUGGUI::CFrame* frame;

  /// The host's knob mode, shared by every editor of the module; see getKnobMode.
  static int knobMode;
};
