/// @file
/// The interface through which controls report value changes to whoever listens.
#pragma once

namespace PLUGGUI {
class CDrawContext;
class CControl;
}  // namespace PLUGGUI

/// Implemented by whoever must learn about value changes of controls; the
/// controls only point to it and never delete it.
class CControlListener {
 public:
  /// Called when the user has changed control's value (mouse, wheel or key), inside the
  /// control's edit gesture. context, which may be null, draws in the control's parent's
  /// coordinates.
  virtual void valueChanged(PLUGGUI::CDrawContext* context, PLUGGUI::CControl* control) = 0;
  /// Called first when control is clicked with a modifier key held; button holds the
  /// CButtonState bits. A non-zero answer takes the click and the control ignores it; the
  /// default answers 0.
  virtual long controlModifierClicked(PLUGGUI::CDrawContext* context, PLUGGUI::CControl* control,
                                      long button);

 protected:
  /// Not deleted through this interface.
  ~CControlListener() = default;
};
