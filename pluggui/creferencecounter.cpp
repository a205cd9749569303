// Intrusive reference counting shared by views, bitmaps and contexts.
#include "pluggui/creferencecounter.h"

namespace PLUGGUI {

CReferenceCounter::CReferenceCounter() : referenceCount(1) {}

CReferenceCounter::~CReferenceCounter() = default;

void CReferenceCounter::forget() {
  if (--referenceCount == 0) delete this;
}

void CReferenceCounter::remember() { ++referenceCount; }

}  // namespace PLUGGUI
