// One entry of a view's attribute list: a tagged block of bytes.
#include <cstdlib>

#include "pluggui/cattributelistentry.h"

namespace PLUGGUI {

// A negative size asks for nothing, and a block that cannot be had leaves
// an entry of size 0, so that a reader trusting getSize never runs past the
// block.
CAttributeListEntry::CAttributeListEntry(long size, CViewAttributeID id)
    : next(nullptr), data(nullptr), size(0), id(id) {
  if (size > 0) {
    data = std::malloc(static_cast<size_t>(size));
    if (data) this->size = size;
  }
}

CAttributeListEntry::~CAttributeListEntry() { std::free(data); }

CAttributeListEntry* CAttributeListEntry::getNext() const { return next; }

void CAttributeListEntry::setNext(CAttributeListEntry* entry) { next = entry; }

void* CAttributeListEntry::getPointer() const { return data; }

long CAttributeListEntry::getSize() const { return size; }

CViewAttributeID CAttributeListEntry::getID() const { return id; }

}  // namespace PLUGGUI
