/// @file
/// The items of a drag over a frame's window, through which views walk the dragged files
/// or text.
#pragma once

#include "pluggui/creferencecounter.h"

namespace PLUGGUI {

/// What one item of a drag is.
enum CDragType { kDragFile = 0, kDragText = 1, kDragUnknown = -1 };
/// @var kDragFile
/// A file's path.
/// @var kDragText
/// A block of text.
/// @var kDragUnknown
/// Nothing the toolkit can read, or no item.

/// The items of one drag in progress: file paths, shell links resolved to
/// their targets, or one block of text. Items are read from the platform's
/// data object again on every call, and each returned buffer stays valid until
/// the next call or the container's end.
class CDragContainer : public CReferenceCounter {
 public:
  /// The items of platformDrag, the drag's IDataObject, which the container holds a
  /// reference on for its whole life.
  explicit CDragContainer(void* platformDrag);
  /// Frees the last item and lets the data object go.
  ~CDragContainer() override;

  /// Starts over and returns the first item, as next does.
  void* first(long& size, long& type);
  /// The following item as a zero-terminated copy the container owns, with its CDragType in
  /// type and its size in bytes in size: a path's length, or the size of the text's block,
  /// which holds the text's own terminator. Null at the end, or for an item that cannot be
  /// read, with size 0 and type kDragUnknown.
  void* next(long& size, long& type);
  /// What the drag carries, the same for every index: kDragText for text, kDragFile for files
  /// (and anything else that is not text), kDragUnknown for a malformed file list.
  long getType(long index) const;

 protected:
  void* platformDrag;  ///< IDataObject of the drag; one reference held
  long itemCount;      ///< Items found when the container was made: 1 for text, else the files.
  long iterator;       ///< Index of the item next returns.
  char* lastItem;      ///< The copy last returned, freed by the next call or at the end.
};

/// The drag in progress, shared by every frame of the module; one at a time.
/// Null between drags; the drop target holds its one reference.
extern CDragContainer* gDragContainer;

}  // namespace PLUGGUI
