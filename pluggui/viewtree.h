// How the toolkit's own code tells a container from any other view.
#pragma once

#include "pluggui/cviewcontainer.h"

namespace PLUGGUI {

// The container a view is, or null (also for null). The type itself is
// asked, not the view's answers to isTypeOf or to kMsgCheckIfViewContainer:
// a plug-in's view may override those, and only a real container may be
// treated as one.
inline CViewContainer* asContainer(CView* view) { return dynamic_cast<CViewContainer*>(view); }

}  // namespace PLUGGUI
