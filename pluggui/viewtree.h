// How the toolkit's own code tells a container from any other view, and
// finds where a view lies in its frame.
#pragma once

#include "pluggui/cviewcontainer.h"

namespace PLUGGUI {

// The container a view is, or null (also for null). The type itself is
// asked, not the view's answers to isTypeOf or to kMsgCheckIfViewContainer:
// a plug-in's view may override those, and only a real container may be
// treated as one.
inline CViewContainer* asContainer(CView* view) { return dynamic_cast<CViewContainer*>(view); }

// Where a view's own coordinates start in its frame: the origins of the
// containers it lies in, added up.
inline CPoint frameOffsetOf(const CView* view) {
  CPoint offset(0, 0);
  view->localToFrame(offset);
  return offset;
}

}  // namespace PLUGGUI
