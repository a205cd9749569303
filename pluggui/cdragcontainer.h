// Drag and drop onto a frame's window: the OLE drop target that turns the
// platform's notifications into view calls, and the container through which
// views walk the dragged files or text. Included by pluggui.h.
#pragma once

#include <ole2.h>

namespace PLUGGUI {

enum CDragType { kDragFile = 0, kDragText = 1, kDragUnknown = -1 };

// The items of one drag in progress: file paths, shell links resolved to
// their targets, or one block of text. Items are read from the platform's
// data object again on every call, and each returned buffer stays valid until
// the next call or the container's end.
class CDragContainer : public CReferenceCounter {
 public:
  explicit CDragContainer(void* platformDrag);
  ~CDragContainer() override;

  void* first(long& size, long& type);
  void* next(long& size, long& type);
  long getType(long index) const;

 protected:
  void* platformDrag;  // IDataObject of the drag; one reference held
  long itemCount;
  long iterator;
  char* lastItem;
};

// Registered for a frame's window while the frame accepts drops.
class CDropTarget : public IDropTarget {
 public:
  explicit CDropTarget(CFrame* frame);

  STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;
  STDMETHOD(DragEnter)(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;
  STDMETHOD(DragOver)(DWORD keyState, POINTL pt, DWORD* effect) override;
  STDMETHOD(DragLeave)() override;
  STDMETHOD(Drop)(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;

  virtual ~CDropTarget();

 private:
  long refCount;
  CFrame* frame;
};

// The drag in progress, shared by every frame of the module; one at a time.
extern CDragContainer* gDragContainer;

CDropTarget* createDropTarget(CFrame* frame);

}  // namespace PLUGGUI
