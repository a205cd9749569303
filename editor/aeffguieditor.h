// The editor interface the effect holds and the dispatcher calls, and the
// GUI editor that connects it to the toolkit's frame.
#pragma once

#include <cstdint>

#include "plugin/aeffect.h"

class AudioEffect;

namespace PLUGGUI {
class CFrame;
}

// Editor interface: the host's editor requests arrive here through the
// dispatcher. The base versions do almost nothing; a GUI editor overrides them.
class AEffEditor {
 public:
  explicit AEffEditor(AudioEffect* effect) : effect(effect), parentWindow(nullptr) {}
  virtual ~AEffEditor() {}

  virtual AudioEffect* getEffect() { return effect; }
  virtual bool getRect(ERect** rect) {
    if (rect) *rect = nullptr;
    return false;
  }
  virtual bool open(void* ptr) {
    parentWindow = ptr;
    return false;
  }
  virtual void close() { parentWindow = nullptr; }
  virtual bool isOpen() { return parentWindow != nullptr; }
  virtual void idle() {}
  virtual bool onKeyDown(PlugKeyCode& /*keyCode*/) { return false; }
  virtual bool onKeyUp(PlugKeyCode& /*keyCode*/) { return false; }
  virtual bool onWheel(float /*distance*/) { return false; }
  virtual bool setKnobMode(int /*val*/) { return false; }

 protected:
  AudioEffect* effect;
  void* parentWindow;
};

// Editor built on the toolkit: reports its size, hands keys, the wheel and
// idle time to its frame while it has one, relays edit gestures to the
// effect, and gives controls a throttled idle step for their tracking loops.
// The subclass creates the frame in open and deletes it in close.
class AEffGUIEditor : public AEffEditor {
 public:
  explicit AEffGUIEditor(AudioEffect* effect);
  ~AEffGUIEditor() override;

  bool getRect(ERect** rect) override;
  void idle() override;
  bool onKeyDown(PlugKeyCode& keyCode) override;
  bool onKeyUp(PlugKeyCode& keyCode) override;
  bool onWheel(float distance) override;
  bool setKnobMode(int val) override;

  virtual void setParameter(int index, float value);
  virtual void beginEdit(int index);
  virtual void endEdit(int index);
  virtual void doIdleStuff();

  void wait(unsigned int milliseconds);
  uint32_t getTicks();
  static int getKnobMode();

 protected:
  ERect rect;
  uint32_t idleDueTicks;
  bool idleBusy;
  PLUGGUI::CFrame* frame;

  static int knobMode;
};
