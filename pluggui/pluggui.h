/// @file
/// The plug-in's GUI toolkit: geometry and colour values, reference counting,
/// drawing contexts over GDI, bitmaps, views and containers, the frame in its
/// native window, and drag and drop. Everything lives in the namespace
/// PLUGGUI except the control-listener interface, which editors implement.
/// Each family has a header of its own; this one gathers them.
#pragma once

#include "pluggui/cattributelistentry.h"
#include "pluggui/cbitmap.h"
#include "pluggui/ccontrollistener.h"
#include "pluggui/cdragcontainer.h"
#include "pluggui/cdrawcontext.h"
#include "pluggui/cdroptarget.h"
#include "pluggui/cframe.h"
#include "pluggui/cgeometry.h"
#include "pluggui/coffscreencontext.h"
#include "pluggui/creferencecounter.h"
#include "pluggui/cview.h"
#include "pluggui/cviewcontainer.h"
#include "pluggui/guiglobals.h"
