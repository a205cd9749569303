// The base view: rectangle, dirty flag, hit area, background and attributes.
#include <cstring>

#include "pluggui/cbitmap.h"
#include "pluggui/cframe.h"
#include "pluggui/cview.h"
#include "pluggui/cviewcontainer.h"
#include "pluggui/drawingsurface.h"
#include "pluggui/viewtree.h"

namespace PLUGGUI {

CView::CView(const CRect& size)
    : viewSize(size),
      mouseableArea(size),
      parentFrame(nullptr),
      parentView(nullptr),
      dirty(false),
      mouseEnabled(true),
      transparencyEnabled(false),
      focusWanted(false),
      background(nullptr),
      attributeList(nullptr) {}

CView::~CView() {
  if (background) background->forget();
  while (attributeList) {
    CAttributeListEntry* next = attributeList->getNext();
    delete attributeList;
    attributeList = next;
  }
}

void CView::draw(CDrawContext* context) {
  if (background) {
    if (transparencyEnabled)
      background->drawTransparent(context, viewSize, CPoint(0, 0));
    else
      background->draw(context, viewSize, CPoint(0, 0));
  }
  setDirty(false);
}

void CView::drawRect(CDrawContext* context, const CRect& /*updateRect*/) { draw(context); }

bool CView::checkUpdate(CRect& updateRect) const { return updateRect.rectOverlap(viewSize); }

void CView::mouse(CDrawContext* /*context*/, CPoint& /*where*/, long /*buttons*/) {}

// The new bitmap is remembered before the old one is forgotten, so setting
// the bitmap already held keeps it alive.
void CView::setBackground(CBitmap* bitmap) {
  if (bitmap) bitmap->remember();
  if (background) background->forget();
  background = bitmap;
  setDirty(true);
}

CBitmap* CView::getBackground() const { return background; }

long CView::onKeyDown(PlugKeyCode& /*keyCode*/) { return -1; }

long CView::onKeyUp(PlugKeyCode& /*keyCode*/) { return -1; }

bool CView::onWheel(CDrawContext* /*context*/, const CPoint& /*where*/, float /*distance*/) { return false; }

bool CView::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis /*axis*/, float distance) {
  return onWheel(context, where, distance);
}

bool CView::onDrop(CDrawContext* /*context*/, CDragContainer* /*drag*/, const CPoint& /*where*/) { return false; }

void CView::onDragEnter(CDrawContext* /*context*/, CDragContainer* /*drag*/, const CPoint& /*where*/) {}

void CView::onDragLeave(CDrawContext* /*context*/, CDragContainer* /*drag*/, const CPoint& /*where*/) {}

void CView::onDragMove(CDrawContext* /*context*/, CDragContainer* /*drag*/, const CPoint& /*where*/) {}

void CView::looseFocus(CDrawContext* /*context*/) {}

void CView::takeFocus(CDrawContext* /*context*/) {}

bool CView::isDirty() const { return dirty; }

void CView::setDirty(bool state) { dirty = state; }

void CView::setMouseEnabled(bool enable) { mouseEnabled = enable; }

bool CView::getMouseEnabled() const { return mouseEnabled; }

void CView::setMouseableArea(const CRect& rect) { mouseableArea = rect; }

CRect& CView::getMouseableArea(CRect& rect) const {
  rect = mouseableArea;
  return rect;
}

bool CView::hitTest(const CPoint& where, long /*buttons*/) { return where.isInside(mouseableArea); }

void CView::setTransparency(bool state) { transparencyEnabled = state; }

bool CView::getTransparency() const { return transparencyEnabled; }

void CView::setViewSize(CRect& rect) {
  viewSize = rect;
  setDirty(true);
}

CRect& CView::getViewSize(CRect& rect) const {
  rect = viewSize;
  return rect;
}

bool CView::removed(CView* /*parent*/) { return true; }

bool CView::attached(CView* /*parent*/) { return true; }

// The answer is in the parent's coordinates: every container on the way up
// shifts the context by its own origin before asking its own parent.
void CView::getMouseLocation(CDrawContext* context, CPoint& point) {
  if (!context) return;
  if (asContainer(parentView)) {
    const ShiftedContext inside(context, CPoint(parentView->viewSize.left, parentView->viewSize.top));
    parentView->getMouseLocation(context, point);
    return;
  }
  context->getMouseLocation(point);
}

CPoint& CView::frameToLocal(CPoint& point) const {
  if (asContainer(parentView)) return parentView->frameToLocal(point);
  return point;
}

CPoint& CView::localToFrame(CPoint& point) const {
  if (asContainer(parentView)) return parentView->localToFrame(point);
  return point;
}

void* CView::getEditor() const { return parentFrame ? parentFrame->getEditor() : nullptr; }

long CView::notify(CView* /*sender*/, const char* /*message*/) { return 0; }

void CView::redrawRect(CDrawContext* context, const CRect& rect) {
  if (parentView)
    parentView->redrawRect(context, rect);
  else if (parentFrame)
    parentFrame->drawRect(context, rect);
}

bool CView::wantsFocus() const { return focusWanted; }

void CView::setWantsFocus(bool state) { focusWanted = state; }

bool CView::isTypeOf(const char* name) const { return name && std::strcmp(name, "CView") == 0; }

void CView::update(CDrawContext* context) {
  if (isDirty()) {
    if (context)
      redrawRect(context, viewSize);
    else
      redraw();
  }
  setDirty(false);
}

void CView::redraw() {
  if (parentFrame) parentFrame->draw(this);
}

CView* CView::getParentView() const { return parentView; }

CFrame* CView::getFrame() const { return parentFrame; }

namespace {

CAttributeListEntry* findAttribute(CAttributeListEntry* entry, CViewAttributeID id) {
  while (entry && entry->getID() != id) entry = entry->getNext();
  return entry;
}

}  // namespace

bool CView::getAttributeSize(const CViewAttributeID id, long& outSize) const {
  const CAttributeListEntry* entry = findAttribute(attributeList, id);
  if (!entry) return false;
  outSize = entry->getSize();
  return true;
}

bool CView::getAttribute(const CViewAttributeID id, const long inSize, void* outData, long& outSize) const {
  const CAttributeListEntry* entry = findAttribute(attributeList, id);
  if (!entry || inSize < entry->getSize()) return false;
  outSize = entry->getSize();
  if (outSize > 0) std::memcpy(outData, entry->getPointer(), static_cast<size_t>(outSize));
  return true;
}

// An entry keeps the size it was created with: a larger value does not fit
// and changes nothing.
bool CView::setAttribute(const CViewAttributeID id, const long inSize, void* inData) {
  if (inSize < 0) return false;
  if (CAttributeListEntry* entry = findAttribute(attributeList, id)) {
    if (entry->getSize() < inSize) return false;
    if (inSize > 0) std::memcpy(entry->getPointer(), inData, static_cast<size_t>(inSize));
    return true;
  }
  CAttributeListEntry* entry = new CAttributeListEntry(inSize, id);
  if (entry->getSize() != inSize) {
    delete entry;
    return false;
  }
  if (inSize > 0) std::memcpy(entry->getPointer(), inData, static_cast<size_t>(inSize));
  if (!attributeList) {
    attributeList = entry;
    return true;
  }
  CAttributeListEntry* last = attributeList;
  while (last->getNext()) last = last->getNext();
  last->setNext(entry);
  return true;
}

}  // namespace PLUGGUI
