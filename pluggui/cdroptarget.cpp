// The OLE drop target of a frame's window: each notification becomes a view
// call with a fresh drawing context and the pointer in frame coordinates.
#include "pluggui/cdroptarget.h"
#include "pluggui/cdragcontainer.h"
#include "pluggui/cdrawcontext.h"
#include "pluggui/cframe.h"
#include "pluggui/cgeometry.h"

namespace PLUGGUI {

namespace {

enum class DragStep { enter, move, leave, drop };

void notifyFrame(CFrame* frame, DragStep step) {
  CDrawContext* context = frame->createDrawContext();
  CPoint where(0, 0);
  frame->getMouseLocation(context, where);
  switch (step) {
    case DragStep::enter: frame->onDragEnter(context, gDragContainer, where); break;
    case DragStep::move: frame->onDragMove(context, gDragContainer, where); break;
    case DragStep::leave: frame->onDragLeave(context, gDragContainer, where); break;
    case DragStep::drop: frame->onDrop(context, gDragContainer, where); break;
  }
  context->forget();
}

void endDrag() {
  if (gDragContainer) gDragContainer->forget();
  gDragContainer = nullptr;
}

}  // namespace

CDropTarget* createDropTarget(CFrame* frame) { return new CDropTarget(frame); }

CDropTarget::CDropTarget(CFrame* inFrame) : refCount(0), frame(inFrame) {}

CDropTarget::~CDropTarget() {}

STDMETHODIMP CDropTarget::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IDropTarget) || IsEqualIID(riid, IID_IUnknown)) {
    *object = this;
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CDropTarget::AddRef() { return static_cast<ULONG>(++refCount); }

STDMETHODIMP_(ULONG) CDropTarget::Release() {
  if (--refCount <= 0) {
    delete this;
    return 0;
  }
  return static_cast<ULONG>(refCount);
}

// A drag that starts while another is still known (its leave never came) ends
// the old one first, so its container is not lost.
STDMETHODIMP CDropTarget::DragEnter(IDataObject* data, DWORD /*keyState*/, POINTL /*pt*/, DWORD* effect) {
  if (!data || !frame) {
    if (effect) *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  endDrag();
  gDragContainer = new CDragContainer(data);
  notifyFrame(frame, DragStep::enter);
  if (effect) *effect = DROPEFFECT_MOVE;
  return S_OK;
}

STDMETHODIMP CDropTarget::DragOver(DWORD /*keyState*/, POINTL /*pt*/, DWORD* effect) {
  if (!gDragContainer || !frame) return S_OK;
  notifyFrame(frame, DragStep::move);
  if (effect) *effect = DROPEFFECT_MOVE;
  return S_OK;
}

STDMETHODIMP CDropTarget::DragLeave() {
  if (!gDragContainer || !frame) return S_OK;
  notifyFrame(frame, DragStep::leave);
  endDrag();
  return S_OK;
}

STDMETHODIMP CDropTarget::Drop(IDataObject* /*data*/, DWORD /*keyState*/, POINTL /*pt*/, DWORD* /*effect*/) {
  if (!gDragContainer || !frame) return S_OK;
  notifyFrame(frame, DragStep::drop);
  endDrag();
  return S_OK;
}

}  // namespace PLUGGUI
