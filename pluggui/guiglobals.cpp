// Definitions shared across the toolkit: the standard fonts, the container
// query message and the listener's default answer.
#include "pluggui/pluggui.h"

namespace PLUGGUI {

const char* const gStandardFontName[kNumStandardFonts] = {"Arial", "Arial", "Arial", "Arial",
                                                          "Arial", "Arial", "Arial", "Symbol"};

const long gStandardFontSize[kNumStandardFonts] = {12, 18, 14, 12, 11, 10, 9, 13};

const char* const kMsgCheckIfViewContainer = "kMsgCheckIfViewContainer";

}  // namespace PLUGGUI

long CControlListener::controlModifierClicked(PLUGGUI::CDrawContext* /*context*/,
                                              PLUGGUI::CControl* /*control*/, long /*button*/) {
  return 0;
}
