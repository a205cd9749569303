/// @file
/// The OLE drop target of a frame's window: each notification of the platform becomes a
/// drag call on the frame.
#pragma once

#include <ole2.h>

namespace PLUGGUI {

class CFrame;

/// Registered for a frame's window while the frame accepts drops. It turns each platform
/// notification into the frame's drag call, with a fresh drawing context and the pointer
/// in the frame's coordinates, and keeps gDragContainer for the drag in between.
class CDropTarget : public IDropTarget {
 public:
  /// A target for frame's window, not yet holding any reference: whoever registers it takes
  /// the first.
  explicit CDropTarget(CFrame* frame);

  /// Hands out this object as IDropTarget or IUnknown, with a reference; E_NOINTERFACE else.
  STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
  /// Takes one more reference; returns the new count.
  STDMETHOD_(ULONG, AddRef)() override;
  /// Gives back one reference; the last one deletes the target. Returns the new count.
  STDMETHOD_(ULONG, Release)() override;
  /// A drag came over the window: makes gDragContainer for data, ending one whose leave never
  /// came, and calls the frame's onDragEnter. Offers a move; nothing for a missing data object.
  STDMETHOD(DragEnter)(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;
  /// The drag moved: calls the frame's onDragMove and offers a move.
  STDMETHOD(DragOver)(DWORD keyState, POINTL pt, DWORD* effect) override;
  /// The drag left the window: calls the frame's onDragLeave and ends gDragContainer.
  STDMETHOD(DragLeave)() override;
  /// The drag was dropped: calls the frame's onDrop and ends gDragContainer. The data object
  /// is the one DragEnter kept.
  STDMETHOD(Drop)(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;

  /// Runs from the last Release.
  virtual ~CDropTarget();

 private:
  long refCount;
  CFrame* frame;
};

/// A new drop target for frame's window, with no reference taken yet (see
/// CFrame::setDropActive).
CDropTarget* createDropTarget(CFrame* frame);

}  // namespace PLUGGUI
