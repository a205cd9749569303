/// @file
/// The tagged blocks of bytes behind each view's attribute list.
#pragma once

#include <cstdint>

namespace PLUGGUI {

/// Tag of one attribute in a view's attribute list (see CView::setAttribute).
typedef uint32_t CViewAttributeID;

/// Attribute identifiers are four characters, the first one in the most
/// significant byte.
constexpr CViewAttributeID makeViewAttributeID(char a, char b, char c, char d) {
  return (static_cast<CViewAttributeID>(static_cast<unsigned char>(a)) << 24) |
         (static_cast<CViewAttributeID>(static_cast<unsigned char>(b)) << 16) |
         (static_cast<CViewAttributeID>(static_cast<unsigned char>(c)) << 8) |
         static_cast<CViewAttributeID>(static_cast<unsigned char>(d));
}

/// The tag 'cvrp', under which an editor may keep a pointer of its own on a view; the
/// attribute holds the pointer's bytes, and the toolkit never reads it.
constexpr CViewAttributeID kCViewAttributeReferencePointer = makeViewAttributeID('c', 'v', 'r', 'p');

/// One tagged block of bytes in a view's attribute list; owns its block.
class CAttributeListEntry {
 public:
  /// Allocates size bytes, not initialised. A size of 0 or less asks for nothing, and a block
  /// that cannot be had leaves an entry of size 0, so getSize never promises more than is there.
  CAttributeListEntry(long size, CViewAttributeID id);
  /// Frees the block; the next entry is the list owner's to delete.
  ~CAttributeListEntry();
  CAttributeListEntry(const CAttributeListEntry&) = delete;
  CAttributeListEntry& operator=(const CAttributeListEntry&) = delete;

  /// The following entry of the list, or null at its end.
  CAttributeListEntry* getNext() const;
  /// Links entry after this one, without taking it over.
  void setNext(CAttributeListEntry* entry);
  /// The block, or null when the entry has size 0.
  void* getPointer() const;
  /// Size of the block in bytes, fixed for the entry's life.
  long getSize() const;
  /// The tag the entry was made with.
  CViewAttributeID getID() const;

 private:
  CAttributeListEntry* next;
  void* data;
  long size;
  CViewAttributeID id;
};

}  // namespace PLUGGUI
