// Containers: child lists, partial repaints through the off-screen surface,
// hit testing and event routing.
#include <cstring>

#include "pluggui/cbitmap.h"
#include "pluggui/cframe.h"
#include "pluggui/coffscreencontext.h"
#include "pluggui/controlsupport.h"
#include "pluggui/cviewcontainer.h"
#include "pluggui/drawingsurface.h"
#include "pluggui/viewtree.h"

namespace PLUGGUI {

namespace {

CRect localRect(const CRect& size) { return CRect(0, 0, size.width(), size.height()); }

CRect intersection(CRect rect, const CRect& with) {
  rect.bound(with);
  return rect;
}

// True when view is candidate itself or one of its parents.
bool liesWithin(const CView* candidate, const CView* view) {
  for (; candidate; candidate = candidate->getParentView())
    if (candidate == view) return true;
  return false;
}

}  // namespace

CCView::CCView(CView* view) : view(view), next(nullptr), previous(nullptr) {
  if (view) view->remember();
}

CCView::~CCView() {
  if (view) view->forget();
}

CViewContainer::CViewContainer(const CRect& size, CFrame* frame, CBitmap* bitmap)
    : CView(size),
      firstView(nullptr),
      lastView(nullptr),
      mode(1),
      offscreen(nullptr),
      backgroundColor(kBlackCColor),
      backgroundOffset(0, 0),
      drawInOffscreen(true),
      currentDragView(nullptr) {
  parentFrame = frame;
  setBackground(bitmap);
}

// The frame, the only one that could still point into this tree, was told
// when the container or its children left it; so the children are let go
// here without asking it anything (it may be gone by now).
CViewContainer::~CViewContainer() {
  releaseChildren(true);
  if (offscreen) offscreen->forget();
  offscreen = nullptr;
}

//-----------------------------------------------------------------------------
// The child list

void CViewContainer::addView(CView* view) {
  if (!view) return;
  CCView* node = new CCView(view);
  view->parentFrame = parentFrame;
  view->parentView = this;
  node->previous = lastView;
  if (lastView)
    lastView->next = node;
  else
    firstView = node;
  lastView = node;
  view->attached(this);
  view->setDirty(true);
}

void CViewContainer::addView(CView* view, CRect& area, bool enabled) {
  if (!view) return;
  view->setMouseEnabled(enabled);
  view->setMouseableArea(area);
  addView(view);
}

void CViewContainer::removeView(CView* view, const bool& withForget) {
  if (!view) return;
  releaseStatePointingAt(view);
  CCView* node = nodeOf(view);
  if (!node) return;
  view->removed(this);
  detach(view);
  unlink(node);
  if (withForget) view->forget();
  delete node;
}

void CViewContainer::removeAll(const bool& withForget) {
  for (CCView* node = firstView; node; node = node->next) releaseStatePointingAt(node->view);
  releaseChildren(withForget);
}

void CViewContainer::releaseChildren(bool withForget) {
  CCView* node = firstView;
  firstView = lastView = nullptr;
  currentDragView = nullptr;
  while (node) {
    CCView* next = node->next;
    node->view->removed(this);
    detach(node->view);
    if (withForget) node->view->forget();
    delete node;
    node = next;
  }
}

// The frame keeps plain pointers to its focus and modal views and each
// container to the child under a drag: none may outlive the view's place in
// the tree, or a later key, click or drag would reach a destroyed view.
void CViewContainer::releaseStatePointingAt(CView* view) {
  if (currentDragView == view) currentDragView = nullptr;
  if (!parentFrame) return;
  if (liesWithin(parentFrame->getFocusView(), view)) parentFrame->setFocusView(nullptr);
  if (parentFrame->getModalView() == view) {
    parentFrame->modalView = nullptr;
    parentFrame->modalViewAdded = false;
  }
}

// A view that outlives its place in the tree (someone else holds it) must
// not keep pointing at a frame or container that may be deleted next.
void CViewContainer::detach(CView* view) {
  endTrackingWithin(view);
  view->parentFrame = nullptr;
  view->parentView = nullptr;
}

CCView* CViewContainer::nodeOf(CView* view) const {
  for (CCView* node = firstView; node; node = node->next)
    if (node->view == view) return node;
  return nullptr;
}

void CViewContainer::unlink(CCView* node) {
  if (node->previous)
    node->previous->next = node->next;
  else
    firstView = node->next;
  if (node->next)
    node->next->previous = node->previous;
  else
    lastView = node->previous;
  node->next = node->previous = nullptr;
}

bool CViewContainer::isChild(CView* view) const { return view && nodeOf(view); }

long CViewContainer::getNbViews() const {
  long count = 0;
  for (CCView* node = firstView; node; node = node->next) count++;
  return count;
}

CView* CViewContainer::getView(long index) const {
  if (index < 0) return nullptr;
  for (CCView* node = firstView; node; node = node->next)
    if (index-- == 0) return node->view;
  return nullptr;
}

//-----------------------------------------------------------------------------
// Background and modes

void CViewContainer::setBackgroundColor(CColor color) {
  backgroundColor = color;
  setDirty(true);
}

CColor CViewContainer::getBackgroundColor() const { return backgroundColor; }

void CViewContainer::setBackgroundOffset(const CPoint& offset) { backgroundOffset = offset; }

const CPoint& CViewContainer::getBackgroundOffset() const { return backgroundOffset; }

void CViewContainer::drawBackgroundRect(CDrawContext* context, CRect& rect) {
  if (background) {
    CRect oldClip;
    context->getClipRect(oldClip);
    const CRect clip = intersection(rect, oldClip);
    context->setClipRect(clip);
    // Only the part under the clip is transferred: the pixels are those of
    // the whole picture clipped, for a fraction of the cost.
    CRect part(0, 0, background->getWidth(), background->getHeight());
    part.bound(clip);
    const CPoint from(backgroundOffset.h + part.left, backgroundOffset.v + part.top);
    if (transparencyEnabled)
      background->drawTransparent(context, part, from);
    else
      background->draw(context, part, from);
    context->setClipRect(oldClip);
  } else if (!transparencyEnabled) {
    context->setFillColor(backgroundColor);
    context->fillRect(rect);
  }
}

void CViewContainer::setMode(long newMode) { mode = newMode; }

long CViewContainer::getMode() const { return mode; }

void CViewContainer::useOffscreen(bool flag) {
  drawInOffscreen = flag;
  if (!flag && offscreen) {
    offscreen->forget();
    offscreen = nullptr;
  }
}

// A container with no area gets no surface: a bitmap of no pixels cannot be
// made, and there would be nothing to copy from it.
void CViewContainer::makeOffscreen() {
  if (offscreen || !drawInOffscreen || viewSize.width() <= 0 || viewSize.height() <= 0) return;
  offscreen = new COffscreenContext(parentFrame, viewSize.width(), viewSize.height(), kBlackCColor);
}

void CViewContainer::setViewSize(CRect& rect) {
  CView::setViewSize(rect);
  if (offscreen && drawInOffscreen) {
    offscreen->forget();
    offscreen = nullptr;
    makeOffscreen();
  }
}

bool CViewContainer::attached(CView* /*parent*/) {
  makeOffscreen();
  return true;
}

bool CViewContainer::removed(CView* /*parent*/) {
  if (offscreen) offscreen->forget();
  offscreen = nullptr;
  return true;
}

void CViewContainer::modifyDrawContext(long save[4], CDrawContext* context) {
  if (!context) return;
  save[0] = context->windowOrigin.h;
  save[1] = context->windowOrigin.v;
  save[2] = context->drawOffset.h;
  save[3] = context->drawOffset.v;
  context->windowOrigin.offset(viewSize.left, viewSize.top);
  context->drawOffset.offset(viewSize.left, viewSize.top);
}

void CViewContainer::restoreDrawContext(CDrawContext* context, long save[4]) {
  if (!context) return;
  context->windowOrigin(save[0], save[1]);
  context->drawOffset(save[2], save[3]);
}

//-----------------------------------------------------------------------------
// Drawing

COffscreenContext* CViewContainer::drawingSurface() {
  makeOffscreen();
  return drawInOffscreen ? offscreen : nullptr;
}

// The clip of the context that was handed in, in this container's own
// coordinates. Drawn directly, the context is already shifted; drawn into the
// own surface, the parent's clip is moved by the container's origin (the
// frame's origin is its window's corner and needs no move).
CRect CViewContainer::clipSeenFromInside(CDrawContext* context) const {
  CRect clip;
  context->getClipRect(clip);
  if (drawInOffscreen && offscreen && parentFrame != this) clip.offset(-viewSize.left, -viewSize.top);
  return clip;
}

void CViewContainer::draw(CDrawContext* context) {
  if (!context) return;
  COffscreenContext* surface = drawingSurface();
  CDrawContext* target = surface ? surface : context;
  const ShiftedContext inside(surface ? nullptr : context, topLeft());
  CRect unchanged;
  context->getClipRect(unchanged);
  const CRect oldClip = clipSeenFromInside(context);
  const CRect whole = localRect(viewSize);

  target->setClipRect(intersection(whole, oldClip));
  if (background) {
    CRect area(whole);
    if (transparencyEnabled)
      background->drawTransparent(target, area, backgroundOffset);
    else
      background->draw(target, area, backgroundOffset);
  } else if (!transparencyEnabled) {
    target->setFillColor(backgroundColor);
    target->fillRect(whole);
  }
  for (CCView* node = firstView; node; node = node->next) {
    target->setClipRect(intersection(node->view->viewSize, oldClip));
    node->view->draw(target);
  }
  target->setClipRect(unchanged);

  if (surface) surface->copyFrom(context, viewSize, CPoint(0, 0));
  setDirty(false);
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect) {
  if (!context) return;
  COffscreenContext* surface = drawingSurface();
  CDrawContext* target = surface ? surface : context;
  const ShiftedContext inside(surface ? nullptr : context, topLeft());
  const CRect area = intersection(updateRect, viewSize);
  CRect localArea(area);
  localArea.offset(-viewSize.left, -viewSize.top);
  CRect unchanged;
  context->getClipRect(unchanged);
  const CRect newClip = intersection(localArea, clipSeenFromInside(context));
  target->setClipRect(newClip);

  drawBackgroundRect(target, localArea);
  for (CCView* node = firstView; node; node = node->next) {
    CView* child = node->view;
    if (!child->checkUpdate(localArea)) continue;
    const CRect childClip = intersection(child->viewSize, newClip);
    if (childClip.width() <= 0 || childClip.height() <= 0) continue;
    target->setClipRect(childClip);
    const bool wasDirty = child->isDirty();
    child->drawRect(target, localArea);
    // Only part of it was painted: the rest still waits for its repaint.
    if (wasDirty && childClip != child->viewSize) child->setDirty(true);
  }
  target->setClipRect(unchanged);

  if (surface) surface->copyFrom(context, area, CPoint(localArea.left, localArea.top));
  setDirty(false);
}

void CViewContainer::redrawRect(CDrawContext* context, const CRect& rect) {
  CRect area(rect);
  area.offset(viewSize.left, viewSize.top);
  if (transparencyEnabled) {
    if (parentView)
      parentView->redrawRect(context, area);
    else if (parentFrame)
      parentFrame->drawRect(context, area);
    return;
  }
  if (parentView && context) {
    ShiftedContext shifted(context, frameOffsetOf(parentView));
    drawRect(context, area);
    return;
  }
  drawRect(context, area);
}

bool CViewContainer::isDirty() const {
  if (dirty) return true;
  const CRect whole = localRect(viewSize);
  for (CCView* node = firstView; node; node = node->next) {
    if (!node->view->isDirty()) continue;
    const CRect inside = intersection(node->view->viewSize, whole);
    if (inside.width() > 0 && inside.height() > 0) return true;
  }
  return false;
}

void CViewContainer::update(CDrawContext* context) {
  const CRect whole = localRect(viewSize);
  switch (mode) {
    case 0:
      if (isDirty()) redrawRect(context, whole);
      setDirty(false);
      break;
    case 1:
      if (dirty) {
        redrawRect(context, whole);
      } else {
        CRect localArea(whole);
        for (CCView* node = firstView; node; node = node->next) {
          CView* child = node->view;
          if (!child->isDirty() || !child->checkUpdate(localArea)) continue;
          if (asContainer(child))
            child->update(context);
          else
            child->redrawRect(context, intersection(child->viewSize, localArea));
        }
      }
      setDirty(false);
      break;
    default:
      break;
  }
}

//-----------------------------------------------------------------------------
// Hit testing and coordinates

bool CViewContainer::hitTest(const CPoint& where, long buttons) { return CView::hitTest(where, buttons); }

bool CViewContainer::hitTestSubViews(const CPoint& where, long buttons) {
  const CPoint local = toLocal(where);
  for (CCView* node = lastView; node; node = node->previous)
    if (node->view->getMouseEnabled() && node->view->hitTest(local, buttons)) return true;
  return false;
}

CView* CViewContainer::childAt(const CPoint& local) const {
  for (CCView* node = lastView; node; node = node->previous)
    if (local.isInside(node->view->mouseableArea)) return node->view;
  return nullptr;
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const {
  if (!parentFrame) return nullptr;
  const CPoint local = toLocal(where);
  CView* view = childAt(local);
  if (CViewContainer* container = deep ? asContainer(view) : nullptr) return container->getViewAt(local, deep);
  return view;
}

CView* CViewContainer::getCurrentView() const {
  if (!parentFrame) return nullptr;
  CPoint where;
  parentFrame->getCurrentLocation(where);
  frameToLocal(where);
  return childAt(where);
}

CPoint& CViewContainer::frameToLocal(CPoint& point) const {
  point.offset(-viewSize.left, -viewSize.top);
  if (asContainer(parentView)) return parentView->frameToLocal(point);
  return point;
}

CPoint& CViewContainer::localToFrame(CPoint& point) const {
  point.offset(viewSize.left, viewSize.top);
  if (asContainer(parentView)) return parentView->localToFrame(point);
  return point;
}

long CViewContainer::notify(CView* /*sender*/, const char* message) {
  return message == kMsgCheckIfViewContainer ? 1 : 0;
}

bool CViewContainer::isTypeOf(const char* name) const {
  return (name && std::strcmp(name, "CViewContainer") == 0) || CView::isTypeOf(name);
}

//-----------------------------------------------------------------------------
// Events

void CViewContainer::mouse(CDrawContext* context, CPoint& where, long buttons) {
  CPoint local = toLocal(where);
  if (buttons == -1 && context) buttons = context->getMouseButtons();
  for (CCView* node = lastView; node; node = node->previous) {
    CView* child = node->view;
    if (child->getMouseEnabled() && child->hitTest(local, buttons)) {
      child->mouse(context, local, buttons);
      return;
    }
  }
}

long CViewContainer::onKeyDown(PlugKeyCode& keyCode) {
  for (CCView* node = lastView; node; node = node->previous) {
    const long result = node->view->onKeyDown(keyCode);
    if (result != -1) return result;
  }
  return -1;
}

long CViewContainer::onKeyUp(PlugKeyCode& keyCode) {
  for (CCView* node = lastView; node; node = node->previous) {
    const long result = node->view->onKeyUp(keyCode);
    if (result != -1) return result;
  }
  return -1;
}

bool CViewContainer::onWheel(CDrawContext* context, const CPoint& where, float distance) {
  return onWheel(context, where, kMouseWheelAxisY, distance);
}

bool CViewContainer::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance) {
  CView* child = getViewAt(where, false);
  if (!child) return false;
  ShiftedContext inside(context, topLeft());
  return child->onWheel(context, toLocal(where), axis, distance);
}

void CViewContainer::takeFocus(CDrawContext* context) {
  for (CCView* node = firstView; node; node = node->next) node->view->takeFocus(context);
}

void CViewContainer::looseFocus(CDrawContext* context) {
  for (CCView* node = firstView; node; node = node->next) node->view->looseFocus(context);
}

bool CViewContainer::advanceNextFocusView(CView* oldFocus, bool reverse) {
  bool met = oldFocus == nullptr;
  for (CCView* node = reverse ? lastView : firstView; node; node = reverse ? node->previous : node->next) {
    CView* child = node->view;
    if (!met) {
      met = child == oldFocus;
      continue;
    }
    if (child->wantsFocus()) {
      if (parentFrame) parentFrame->setFocusView(child);
      return true;
    }
    CViewContainer* container = asContainer(child);
    if (container && container->advanceNextFocusView(nullptr, reverse)) return true;
  }
  return false;
}

//-----------------------------------------------------------------------------
// Drags: the child under the pointer follows the drag, and the one it leaves
// is told.

CPoint CViewContainer::topLeft() const { return CPoint(viewSize.left, viewSize.top); }

CPoint CViewContainer::toLocal(const CPoint& where) const {
  return CPoint(where.h - viewSize.left, where.v - viewSize.top);
}

void CViewContainer::onDragEnter(CDrawContext* context, CDragContainer* drag, const CPoint& where) {
  if (!parentFrame) return;
  const CPoint local = toLocal(where);
  ShiftedContext inside(context, topLeft());
  if (currentDragView) currentDragView->onDragLeave(context, drag, local);
  currentDragView = getViewAt(where, false);
  if (currentDragView) currentDragView->onDragEnter(context, drag, local);
}

void CViewContainer::onDragMove(CDrawContext* context, CDragContainer* drag, const CPoint& where) {
  if (!parentFrame) return;
  const CPoint local = toLocal(where);
  ShiftedContext inside(context, topLeft());
  CView* under = getViewAt(where, false);
  if (under == currentDragView) {
    if (currentDragView) currentDragView->onDragMove(context, drag, local);
    return;
  }
  if (currentDragView) currentDragView->onDragLeave(context, drag, local);
  if (under) under->onDragEnter(context, drag, local);
  currentDragView = under;
}

void CViewContainer::onDragLeave(CDrawContext* context, CDragContainer* drag, const CPoint& where) {
  if (!parentFrame) return;
  ShiftedContext inside(context, topLeft());
  if (currentDragView) currentDragView->onDragLeave(context, drag, toLocal(where));
  currentDragView = nullptr;
}

bool CViewContainer::onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where) {
  if (!parentFrame) return false;
  const CPoint local = toLocal(where);
  ShiftedContext inside(context, topLeft());
  CView* under = getViewAt(where, false);
  if (under != currentDragView) {
    if (currentDragView) currentDragView->onDragLeave(context, drag, local);
    currentDragView = under;
  }
  if (!currentDragView) return false;
  const bool result = currentDragView->onDrop(context, drag, local);
  currentDragView->onDragLeave(context, drag, local);
  currentDragView = nullptr;
  return result;
}

}  // namespace PLUGGUI
