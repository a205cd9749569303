// The toolkit's controls. The drawing layer they build on, and the listener
// interface through which they report value changes, come from pluggui.h.
#pragma once

#include "pluggui/pluggui.h"
#include "pluggui/ccontrol.h"
#include "pluggui/cslider.h"
#include "pluggui/cknob.h"
#include "pluggui/cparamdisplay.h"
#include "pluggui/ctextlabel.h"
#include "pluggui/ctextedit.h"
#include "pluggui/cvumeter.h"
#include "pluggui/csplashscreen.h"
#include "pluggui/cdigitdisplay.h"
#include "pluggui/cverticalswitch.h"
#include "pluggui/chorizontalswitch.h"
#include "pluggui/crockerswitch.h"
#include "pluggui/conoffbutton.h"
#include "pluggui/ckickbutton.h"
#include "pluggui/cmoviebutton.h"
#include "pluggui/cmoviebitmap.h"
#include "pluggui/cautoanimation.h"
#include "pluggui/coptionmenu.h"
