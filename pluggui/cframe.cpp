// The frame: the view tree's root in a native child window, its window
// procedure, idle repaint, focus, modal view, cursors and resizing.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editor/aeffguieditor.h"
#include "pluggui/cbitmap.h"
#include "pluggui/cdroptarget.h"
#include "pluggui/cframe.h"
#include "pluggui/coptionmenu.h"
#include "pluggui/ctextedit.h"
#include "pluggui/drawingsurface.h"
#include "pluggui/viewtree.h"
#include "plugin/audioeffectx.h"
#include "plugin/plugmain.h"

namespace PLUGGUI {

char gClassName[32] = {0};
long gUseCount = 0;

namespace {

constexpr long kMaxWrapperBorder = 80;
constexpr long kOuterWindowSlack = 60;

// The class is registered by the first frame of the module and taken back
// with the last. A registration that fails holds nothing, so the count stays
// as it was and the next frame tries again.
bool InitWindowClass() {
  if (++gUseCount != 1) return true;
  std::snprintf(gClassName, sizeof gClassName, "Plugin%p", static_cast<void*>(GetInstance()));
  WNDCLASSA windowClass = {};
  windowClass.style = CS_GLOBALCLASS;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetInstance();
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = gClassName;
  if (!RegisterClassA(&windowClass)) {
    gUseCount--;
    return false;
  }
  bSwapped_mouse_buttons = GetSystemMetrics(SM_SWAPBUTTON) > 0;
  return true;
}

void ExitWindowClass() {
  if (--gUseCount == 0) UnregisterClassA(gClassName, GetInstance());
  if (gUseCount < 0) gUseCount = 0;
}

CFrame* frameOf(HWND window) { return reinterpret_cast<CFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

// The frame pointer goes in pointer-sized window data: on a 64-bit build
// the 32-bit window long would cut it.
void setFrameOf(HWND window, CFrame* frame) {
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
}

LPCSTR systemCursor(CCursorType type) {
  switch (type) {
    case kCursorWait: return IDC_WAIT;
    case kCursorHSize: return IDC_SIZEWE;
    case kCursorVSize: return IDC_SIZENS;
    case kCursorSizeAll: return IDC_SIZEALL;
    case kCursorNESWSize: return IDC_SIZENESW;
    case kCursorNWSESize: return IDC_SIZENWSE;
    case kCursorNotAllowed: return IDC_NO;
    case kCursorHand: return IDC_HAND;
    default: return nullptr;
  }
}

RECT windowRect(HWND window) {
  RECT rect = {0, 0, 0, 0};
  if (window) GetWindowRect(window, &rect);
  return rect;
}

long widthOf(const RECT& rect) { return rect.right - rect.left; }
long heightOf(const RECT& rect) { return rect.bottom - rect.top; }

void resizeWithoutMoving(HWND window, long width, long height) {
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE);
}

bool isMdiClient(HWND window) {
  char name[1024] = {0};
  return GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, "MDIClient") == 0;
}

}  // namespace

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CFrame* frame = frameOf(window);
  if (!frame) return DefWindowProcA(window, message, wParam, lParam);

  switch (message) {
    case WM_PAINT: {
      RECT update;
      if (!GetUpdateRect(window, &update, FALSE)) break;
      PAINTSTRUCT paint;
      HDC surface = BeginPaint(window, &paint);
      {
        HeldContext context(new CDrawContext(frame, surface, window));
        frame->drawRect(context.get(), CRect(paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right,
                                             paint.rcPaint.bottom));
      }
      EndPaint(window, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      HeldContext context(new CDrawContext(frame, nullptr, window));
      CPoint where(LOWORD(lParam), HIWORD(lParam));
      frame->mouse(context.get(), where, -1);
      return 0;
    }
    case WM_MOUSEWHEEL: {
      {
        HeldContext context(new CDrawContext(frame, nullptr, window));
        const RECT corner = windowRect(window);
        const CPoint where(static_cast<short>(LOWORD(lParam)) - corner.left,
                           static_cast<short>(HIWORD(lParam)) - corner.top);
        const float distance = static_cast<float>(static_cast<short>(HIWORD(wParam)) / 120.0);
        frame->onWheel(context.get(), where, distance);
      }
      break;
    }
    case WM_DESTROY:
      frame->windowDestroyed();
      break;
    case WM_NCDESTROY:
      // No message after this one may reach the frame through a handle the
      // system is about to give to another window.
      setFrameOf(window, nullptr);
      break;
    case WM_CTLCOLOREDIT: {
      // A text edit's field asks for its colours: those of the control.
      CView* focus = frame->getFocusView();
      if (focus && focus->isTypeOf("CTextEdit"))
        return reinterpret_cast<LRESULT>(
            editFieldColours(static_cast<CTextEdit*>(focus), reinterpret_cast<HDC>(wParam)));
      break;
    }
    case WM_MEASUREITEM:
      if (measureMenuItem(frame, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_DRAWITEM:
      if (drawMenuItem(frame, reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

//-----------------------------------------------------------------------------
// Construction

CFrame::CFrame(const CRect& size, void* inParentWindow, void* inEditor)
    : CViewContainer(size, nullptr, nullptr), editor(inEditor), parentWindow(inParentWindow), openFlag(true) {
  parentFrame = this;
  OleInitialize(nullptr);
  imageLibrary = loadImageLibrary(true);
  // A frame that got no window is not open: nothing may be drawn or sized.
  if (!initFrame(parentWindow)) openFlag = false;
}

// Opened later, in whatever window it is given; the platform version is not
// recorded for the module by such a frame.
CFrame::CFrame(const CRect& size, const char* /*title*/, void* inEditor, const long /*style*/)
    : CViewContainer(size, nullptr, nullptr), editor(inEditor), standalone(true) {
  parentFrame = this;
  OleInitialize(nullptr);
  imageLibrary = loadImageLibrary(false);
}

// The children go while this is still a frame, so that what they do on
// their way out (losing the focus, forgetting bitmaps) meets a whole frame.
CFrame::~CFrame() {
  if (modalView && modalViewAdded) removeView(modalView, false);
  modalView = nullptr;
  setCursor(kCursorDefault);
  setDropActive(false);
  OleUninitialize();
  freeImageLibrary(imageLibrary);
  imageLibrary = nullptr;
  if (window) {
    // The host may have destroyed the window already, and the system may
    // have given its handle to another window since.
    if (IsWindow(window) && frameOf(window) == this) {
      setFrameOf(window, nullptr);
      DestroyWindow(window);
    }
    ExitWindowClass();
  }
  if (standalone) close();
  focusView = nullptr;
  removeAll(true);
}

bool CFrame::initFrame(void* inParentWindow) {
  if (!inParentWindow) return false;
  if (!InitWindowClass()) return false;
  window = CreateWindowExA(0, gClassName, "Window", WS_CHILD | WS_VISIBLE, 0, 0, viewSize.width(), viewSize.height(),
                           static_cast<HWND>(parentWindow), nullptr, GetInstance(), nullptr);
  if (!window) {
    ExitWindowClass();
    return false;
  }
  setFrameOf(window, this);
  setDropActive(true);
  return true;
}

// Drops are revoked while the window still exists: the platform keeps its
// reference on the target until then.
void CFrame::windowDestroyed() {
  setOpenFlag(false);
  setParentSystemWindow(nullptr);
  setDropActive(false);
}

bool CFrame::open(CPoint* /*point*/) {
  if (!standalone) return false;
  if (openFlag) {
    BringWindowToTop(GetParent(GetParent(window)));
    return false;
  }
  if (parentWindow && initFrame(parentWindow)) openFlag = true;
  return openFlag;
}

bool CFrame::close() {
  if (!standalone || !openFlag || !parentWindow) return false;
  parentWindow = nullptr;
  return true;
}

bool CFrame::isOpen() const { return openFlag; }

void CFrame::setOpenFlag(bool state) { openFlag = state; }

bool CFrame::getOpenFlag() const { return openFlag; }

HWND CFrame::getSystemWindow() const { return window; }

void CFrame::setParentSystemWindow(void* inWindow) { parentWindow = inWindow; }

// A registration the platform refuses takes no reference on the target, so
// the target is let go here and the frame says it accepts no drops.
bool CFrame::setDropActive(bool active) {
  if (!dropActive && !active) return true;
  if (!window) return false;
  if (dropTarget) {
    RevokeDragDrop(window);
    dropTarget = nullptr;
  }
  dropActive = false;
  if (active) {
    CDropTarget* target = createDropTarget(this);
    target->AddRef();
    const HRESULT registered = RegisterDragDrop(window, target);
    target->Release();
    if (FAILED(registered)) return false;
    dropTarget = target;
  }
  dropActive = active;
  return true;
}

bool CFrame::isDropActive() const { return dropActive; }

//-----------------------------------------------------------------------------
// Drawing

CDrawContext* CFrame::createDrawContext() {
  // A window the host has destroyed is no longer this frame's to draw in.
  HWND surface = window && IsWindow(window) && frameOf(window) == this ? window : nullptr;
  return new CDrawContext(this, nullptr, surface);
}

void CFrame::draw(CDrawContext* context) {
  firstDraw = false;
  CViewContainer::draw(context);
}

void CFrame::drawRect(CDrawContext* context, const CRect& updateRect) {
  firstDraw = false;
  HeldContext own(context ? nullptr : createDrawContext());
  if (!context) context = own.get();
  CRect oldClip;
  context->getClipRect(oldClip);
  CRect clip(updateRect);
  clip.bound(oldClip);
  context->setClipRect(clip);
  if (updateRect.width() > 0 && updateRect.height() > 0) CViewContainer::drawRect(context, updateRect);
  context->setClipRect(oldClip);
}

// Straight into the window for a direct child; the surface is bypassed.
void CFrame::draw(CView* view) {
  HeldContext context(createDrawContext());
  if (view && isChild(view))
    view->draw(context.get());
  else
    draw(context.get());
}

void CFrame::idle() {
  if (!openFlag || firstDraw || !isDirty()) return;
  HeldContext context(createDrawContext());
  update(context.get());
}

void CFrame::update(CDrawContext* context) {
  if (!openFlag || updatesDisabledFlag || !context) return;
  if (dirty) {
    draw(context);
    setDirty(false);
    return;
  }
  CRect clip;
  context->getClipRect(clip);
  if (modalView && modalView->isDirty()) modalView->update(context);
  // A clean child's update draws nothing, so only a dirty one is worth a
  // clip region of its own; each costs a round of region calls.
  for (CCView* node = firstView; node; node = node->next) {
    CView* child = node->view;
    if (child->isDirty()) {
      CRect childClip;
      child->getViewSize(childClip);
      childClip.bound(clip);
      context->setClipRect(childClip);
    }
    child->update(context);
  }
  context->setClipRect(clip);
}

void CFrame::invalidate(const CRect& rect) {
  CRect size;
  for (CCView* node = firstView; node; node = node->next)
    if (node->view->getViewSize(size).rectOverlap(rect)) node->view->setDirty(true);
}

bool CFrame::updatesDisabled() const { return updatesDisabledFlag; }

bool CFrame::updatesDisabled(bool state) {
  const bool previous = updatesDisabledFlag;
  updatesDisabledFlag = state;
  return previous;
}

//-----------------------------------------------------------------------------
// The editor

void* CFrame::getEditor() const { return editor; }

void CFrame::doIdleStuff() {
  if (editor) static_cast<AEffGUIEditor*>(editor)->doIdleStuff();
}

uint32_t CFrame::getTicks() const { return editor ? static_cast<AEffGUIEditor*>(editor)->getTicks() : 0; }

long CFrame::getKnobMode() const { return AEffGUIEditor::getKnobMode(); }

void CFrame::beginEdit(long index) {
  if (editor) static_cast<AEffGUIEditor*>(editor)->beginEdit(static_cast<int>(index));
}

void CFrame::endEdit(long index) {
  if (editor) static_cast<AEffGUIEditor*>(editor)->endEdit(static_cast<int>(index));
}

bool CFrame::isTypeOf(const char* name) const {
  return (name && std::strcmp(name, "CFrame") == 0) || CViewContainer::isTypeOf(name);
}

//-----------------------------------------------------------------------------
// Focus, modal view and events

void CFrame::setFocusView(CView* view) {
  CView* old = focusView;
  focusView = view;
  if (view && view->wantsFocus()) view->setDirty(true);
  if (old) {
    old->looseFocus(nullptr);
    if (old->wantsFocus()) old->setDirty(true);
  }
}

CView* CFrame::getFocusView() const { return focusView; }

// A view that is already a child, of the frame or of a container inside
// it, keeps its place, its parent and its coordinates: adding it to the
// frame as well would list it twice, and taking it out again would leave
// it with the frame as parent, or out of the tree altogether.
bool CFrame::setModalView(CView* view) {
  if (view && modalView) return false;
  if (CView* old = modalView) {
    const bool added = modalViewAdded;
    modalView = nullptr;
    modalViewAdded = false;
    if (added) removeView(old, false);
  }
  modalView = view;
  if (!view) return true;
  if (view->getParentView()) {
    view->setDirty(true);
  } else {
    addView(view);
    modalViewAdded = true;
  }
  return true;
}

// A modal view inside a container takes points in that container's
// coordinates, as the container would have handed them on.
CPoint CFrame::seenByModalView(const CPoint& where) const {
  CPoint local(where);
  if (modalView->getParentView() != this) modalView->frameToLocal(local);
  return local;
}

CView* CFrame::getModalView() const { return modalView; }

CView* CFrame::getCurrentView() const { return modalView ? modalView : CViewContainer::getCurrentView(); }

bool CFrame::advanceNextFocusView(CView* oldFocus, bool reverse) {
  if (modalView) return false;
  if (!oldFocus) {
    if (!focusView) return CViewContainer::advanceNextFocusView(nullptr, reverse);
    oldFocus = focusView;
  }
  if (isChild(oldFocus)) {
    if (CViewContainer::advanceNextFocusView(oldFocus, reverse)) return true;
    setFocusView(nullptr);
    return false;
  }
  CView* from = oldFocus;
  for (CViewContainer* container = asContainer(oldFocus->getParentView()); container;
       container = asContainer(container->getParentView())) {
    if (container->advanceNextFocusView(from, reverse)) return true;
    from = container;
  }
  return CViewContainer::advanceNextFocusView(oldFocus, reverse);
}

void CFrame::mouse(CDrawContext* context, CPoint& where, long buttons) {
  if (focusView) setFocusView(nullptr);
  if (buttons == -1 && context) buttons = context->getMouseButtons();
  if (modalView) {
    CPoint local = seenByModalView(where);
    if (modalView->hitTest(local, buttons)) modalView->mouse(context, local, buttons);
    return;
  }
  CViewContainer::mouse(context, where, buttons);
}

long CFrame::onKeyDown(PlugKeyCode& keyCode) {
  long result = -1;
  if (focusView) result = focusView->onKeyDown(keyCode);
  if (result == -1 && modalView) result = modalView->onKeyDown(keyCode);
  if (result == -1 && keyCode.virt == kPlugKeyTab)
    result = advanceNextFocusView(focusView, (keyCode.modifier & kPlugModifierShift) != 0) ? 1 : -1;
  return result;
}

long CFrame::onKeyUp(PlugKeyCode& keyCode) {
  long result = -1;
  if (focusView) result = focusView->onKeyUp(keyCode);
  if (result == -1 && modalView) result = modalView->onKeyUp(keyCode);
  return result;
}

bool CFrame::onWheel(CDrawContext* context, const CPoint& where, float distance) {
  return onWheel(context, where, kMouseWheelAxisY, distance);
}

bool CFrame::onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance) {
  CView* target = modalView ? modalView : getViewAt(where, false);
  if (!target) return false;
  HeldContext own(context ? nullptr : createDrawContext());
  const CPoint at = modalView ? seenByModalView(where) : where;
  return target->onWheel(context ? context : own.get(), at, axis, distance);
}

void CFrame::setCursor(CCursorType type) {
  if (!defaultCursor) defaultCursor = GetCursor();
  const LPCSTR shape = systemCursor(type);
  SetCursor(shape ? LoadCursorA(nullptr, shape) : defaultCursor);
}

//-----------------------------------------------------------------------------
// Geometry

bool CFrame::getCurrentLocation(CPoint& where) {
  POINT cursor = {0, 0};
  GetCursorPos(&cursor);
  if (window) {
    const RECT corner = windowRect(window);
    cursor.x -= corner.left;
    cursor.y -= corner.top;
  }
  where(cursor.x, cursor.y);
  return true;
}

void CFrame::setViewSize(CRect& rect) { setSize(rect.width(), rect.height()); }

bool CFrame::setPosition(long /*x*/, long /*y*/) { return false; }

bool CFrame::getPosition(long& x, long& y) const {
  if (!openFlag) return false;
  HWND outer = getOuterWindow();
  const RECT rect = windowRect(outer);
  POINT corner = {rect.left, rect.top};
  MapWindowPoints(HWND_DESKTOP, GetParent(outer), &corner, 1);
  x = corner.x;
  y = corner.y;
  return true;
}

bool CFrame::getSize(CRect* rect) const {
  if (!openFlag || !rect) return false;
  HWND host = GetParent(window);
  HWND reference = GetParent(GetParent(host));
  const RECT hostRect = windowRect(host);
  POINT corner = {hostRect.left, hostRect.top};
  MapWindowPoints(HWND_DESKTOP, reference, &corner, 1);
  rect->left = corner.x;
  rect->top = corner.y;
  rect->right = corner.x + widthOf(hostRect);
  rect->bottom = corner.y + heightOf(hostRect);
  return true;
}

bool CFrame::getSize(CRect& rect) const { return getSize(&rect); }

HWND CFrame::getOuterWindow() const {
  if (!window) return nullptr;
  const RECT own = windowRect(window);
  for (HWND candidate = window;;) {
    if ((GetWindowLongA(candidate, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) return candidate;
    HWND parent = GetParent(candidate);
    if (!parent) return candidate;
    const RECT around = windowRect(parent);
    if (std::labs(widthOf(around) - widthOf(own)) > kOuterWindowSlack ||
        std::labs(heightOf(around) - heightOf(own)) > kOuterWindowSlack)
      return candidate;
    candidate = parent;
  }
}

bool CFrame::setSize(long width, long height) {
  if (!openFlag || (width == viewSize.width() && height == viewSize.height())) return false;
  if (editor) {
    AudioEffectX* effect = dynamic_cast<AudioEffectX*>(static_cast<AEffGUIEditor*>(editor)->getEffect());
    char capability[] = "sizeWindow";
    if (effect && effect->canHostDo(capability) && effect->sizeWindow(width, height)) {
      resizeWithoutMoving(window, width, height);
      adoptSize(width, height);
      return true;
    }
  }
  return resizeWindowChain(width, height);
}

// Whichever way the windows grew, the surface must cover the new size and
// everything be painted again: an old, smaller surface would copy stale
// pixels into the new area.
void CFrame::adoptSize(long width, long height) {
  CRect size(viewSize.left, viewSize.top, viewSize.left + width, viewSize.top + height);
  CViewContainer::setViewSize(size);
}

// Each enclosing window grows by the same amount plus the border it keeps
// around its child; the climb ends at an MDI client area, a window without
// parent, or a border too wide for a tight wrapper.
bool CFrame::resizeWindowChain(long width, long height) {
  const long limit = GetSystemMetrics(SM_CYDLGFRAME) * 2;
  long dx = 0;
  long dy = 0;
  HWND current = window;
  while (dx != limit && current) {
    HWND parent = GetParent(current);
    if (!parent || isMdiClient(parent)) break;
    const RECT before = windowRect(current);
    const RECT around = windowRect(parent);
    resizeWithoutMoving(current, width + dx, height + dy);
    dx += widthOf(around) - widthOf(before);
    dy += heightOf(around) - heightOf(before);
    if (dx > kMaxWrapperBorder || dy > kMaxWrapperBorder) {
      adoptSize(width, height);
      return true;
    }
    if (dx < 0) dx = 0;
    if (dy < 0) dy = 0;
    current = parent;
  }
  if (current) resizeWithoutMoving(current, width + dx, height + dy);
  adoptSize(width, height);
  return true;
}

}  // namespace PLUGGUI
