// The listener's default answer to a modified click: leave it to the control.
#include "pluggui/ccontrollistener.h"

long CControlListener::controlModifierClicked(PLUGGUI::CDrawContext* /*context*/,
                                              PLUGGUI::CControl* /*control*/, long /*button*/) {
  return 0;
}
