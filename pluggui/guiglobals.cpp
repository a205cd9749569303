// Definitions shared across the toolkit: the standard fonts and the container
// query message.
#include "pluggui/guiglobals.h"

namespace PLUGGUI {

const char* const gStandardFontName[kNumStandardFonts] = {"Arial", "Arial", "Arial", "Arial",
                                                          "Arial", "Arial", "Arial", "Symbol"};

const long gStandardFontSize[kNumStandardFonts] = {12, 18, 14, 12, 11, 10, 9, 13};

const char* const kMsgCheckIfViewContainer = "kMsgCheckIfViewContainer";

}  // namespace PLUGGUI
