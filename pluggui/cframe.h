// The frame: the root container of an editor, bound to a native child window
// inside the host's window. Included by pluggui.h.
#pragma once

namespace PLUGGUI {

class CDropTarget;

// The cursor shapes a view may ask the frame for. Value 7 has no shape of its
// own on this platform and shows the default cursor, as any unknown value does.
enum CCursorType {
  kCursorDefault = 0,
  kCursorWait,
  kCursorHSize,
  kCursorVSize,
  kCursorSizeAll,
  kCursorNESWSize,
  kCursorNWSESize,
  kCursorCopy,
  kCursorNotAllowed,
  kCursorHand
};

// Window class shared by every frame of the module, registered by the first
// frame and unregistered with the last.
extern char gClassName[32];
extern long gUseCount;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Holds the state of the whole view tree: the focus and modal views, the open
// flag and the link to the editor. The editor's frame is made with the host's
// window and is open at once; a standalone frame is opened later.
class CFrame : public CViewContainer {
 public:
  CFrame(const CRect& size, void* parentWindow, void* editor);
  CFrame(const CRect& size, const char* title, void* editor, const long style = 0);
  ~CFrame() override;

  virtual bool open(CPoint* point = nullptr);
  virtual bool close();
  virtual bool isOpen() const;
  virtual void idle();
  virtual void doIdleStuff();
  virtual uint32_t getTicks() const;
  virtual long getKnobMode() const;
  virtual bool setPosition(long x, long y);
  virtual bool getPosition(long& x, long& y) const;
  virtual bool setSize(long width, long height);
  virtual bool getSize(CRect* rect) const;
  virtual bool getSize(CRect& rect) const;
  virtual bool setModalView(CView* view);
  virtual CView* getModalView() const;
  virtual void beginEdit(long index);
  virtual void endEdit(long index);
  virtual bool getCurrentLocation(CPoint& where);
  virtual void setCursor(CCursorType type);
  virtual void setFocusView(CView* view);
  virtual CView* getFocusView() const;
  virtual bool setDropActive(bool active);
  virtual bool isDropActive() const;
  virtual void setOpenFlag(bool state);
  virtual bool getOpenFlag() const;
  virtual void invalidate(const CRect& rect);
  virtual bool updatesDisabled() const;
  virtual bool updatesDisabled(bool state);
  virtual void draw(CView* view);

  void draw(CDrawContext* context) override;
  void drawRect(CDrawContext* context, const CRect& updateRect) override;
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  long onKeyDown(PlugKeyCode& keyCode) override;
  long onKeyUp(PlugKeyCode& keyCode) override;
  bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
  bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance) override;
  void setViewSize(CRect& rect) override;
  void* getEditor() const override;
  bool isTypeOf(const char* name) const override;
  void update(CDrawContext* context) override;
  CView* getCurrentView() const override;
  bool advanceNextFocusView(CView* oldFocus, bool reverse = false) override;

  bool initFrame(void* parentWindow);
  CDrawContext* createDrawContext();
  HWND getSystemWindow() const;
  void setParentSystemWindow(void* window);
  HWND getOuterWindow() const;

 protected:
  void* editor;
  void* parentWindow = nullptr;
  CView* modalView = nullptr;
  CView* focusView = nullptr;  // not a counted reference
  bool firstDraw = true;
  bool openFlag = false;
  bool dropActive = false;
  bool updatesDisabledFlag = false;
  HWND window = nullptr;
  HMODULE imageLibrary = nullptr;
  CDropTarget* dropTarget = nullptr;  // the platform's registration owns it
  bool standalone = false;
  HCURSOR defaultCursor = nullptr;
  // The modal view was put into the children by setModalView, which takes
  // it out again. A view that already lives in the tree stays where it is.
  bool modalViewAdded = false;

 private:
  // Containers clear the modal view when it leaves the tree.
  friend class CViewContainer;
  friend LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  // The host destroyed the window under the frame.
  void windowDestroyed();
  CPoint seenByModalView(const CPoint& where) const;
  bool resizeWindowChain(long width, long height);
  void adoptSize(long width, long height);
};

}  // namespace PLUGGUI
