/// @file
/// The frame: the root container of an editor, bound to a native child window
/// inside the host's window.
#pragma once

#include "pluggui/cviewcontainer.h"

namespace PLUGGUI {

class CDropTarget;

/// The cursor shapes a view may ask the frame for. Value 7 has no shape of its
/// own on this platform and shows the default cursor, as any unknown value does.
enum CCursorType {
  kCursorDefault = 0,  ///< The cursor that was showing when the frame first set one.
  kCursorWait,         ///< Busy.
  kCursorHSize,        ///< Sizing left and right.
  kCursorVSize,        ///< Sizing up and down.
  kCursorSizeAll,      ///< Moving in any direction.
  kCursorNESWSize,     ///< Sizing along the rising diagonal.
  kCursorNWSESize,     ///< Sizing along the falling diagonal.
  kCursorCopy,         ///< Copying; shows the default cursor here.
  kCursorNotAllowed,   ///< Not possible here.
  kCursorHand          ///< A pointing hand.
};

/// Name of the window class shared by every frame of the module, registered by the first
/// frame and unregistered with the last; it holds the module's address, so that two modules
/// in one host do not share a class.
extern char gClassName[32];
/// Number of frames holding the window class.
extern long gUseCount;

/// The window procedure of every frame's window: it paints, hands clicks and the wheel to the
/// frame, colours a focused text edit's field and draws option menu items, and tells the
/// frame when the window goes.
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/// Holds the state of the whole view tree: the focus and modal views, the open
/// flag and the link to the editor. The editor's frame is made with the host's
/// window and is open at once; a standalone frame is opened later. Its own
/// coordinates are those of its window, with the origin at the top-left corner.
class CFrame : public CViewContainer {
 public:
  /// The editor's frame: a child window of size's width and height inside parentWindow, the
  /// window the host gave the editor, open at once and accepting drops. Without a parent
  /// window, or when no window can be made, the frame is not open. editor is the
  /// AEffGUIEditor the frame belongs to, not owned; it may be null.
  CFrame(const CRect& size, void* parentWindow, void* editor);
  /// A standalone frame, opened later by open in the window set with setParentSystemWindow.
  /// title and style are not used.
  CFrame(const CRect& size, const char* title, void* editor, const long style = 0);
  /// Takes out a modal view it added, stops accepting drops, destroys its window if it is
  /// still the frame's, and lets all children go.
  ~CFrame() override;

  /// Opens a standalone frame: makes its window inside the parent window set before. True
  /// when it opened now; an open frame only brings its top-level window to the front, and an
  /// editor's frame does nothing. point is not used.
  virtual bool open(CPoint* point = nullptr);
  /// Lets a standalone frame's parent window go; the window itself goes with its parent.
  /// False for an editor's frame, or one not open or without a parent.
  virtual bool close();
  /// Whether the frame is open, from its construction or open until its window is destroyed;
  /// drawing, idle and sizing need it.
  virtual bool isOpen() const;
  /// The editor's idle step: once the frame has been painted, repaints what is dirty through
  /// update.
  virtual void idle();
  /// Runs the editor's throttled idle step, so that the editor keeps repainting while a view
  /// follows the mouse in a loop of its own.
  virtual void doIdleStuff();
  /// The system's millisecond tick count, through the editor; 0 without one.
  virtual uint32_t getTicks() const;
  /// How knobs follow the mouse, as the host set it for the module's editors: 2 for straight
  /// moves, any other value for circular ones.
  virtual long getKnobMode() const;
  /// Moving the frame is not supported: always false.
  virtual bool setPosition(long x, long y);
  /// Puts the position of the outer window (see getOuterWindow) in its parent, in pixels,
  /// into x and y; false when not open.
  virtual bool getPosition(long& x, long& y) const;
  /// Resizes the frame to width by height pixels: through the host when it offers to size
  /// the editor's window, else by growing the enclosing windows itself. Everything is
  /// painted again at the new size. False when not open or the size is unchanged.
  virtual bool setSize(long width, long height);
  /// Puts into rect the rectangle of the window that holds the frame's window, in the
  /// coordinates of the window two levels above that one; false when not open or for null.
  virtual bool getSize(CRect* rect) const;
  /// The same as the pointer version.
  virtual bool getSize(CRect& rect) const;
  /// Makes view the modal view, which alone gets clicks and the wheel, and the keys the focus
  /// view leaves, until it is replaced; null ends the modal state. A view not yet in the tree
  /// is added in front of all children and taken out again (without forget) when replaced;
  /// one inside the tree keeps its place. False, changing nothing, when a modal view is set
  /// already.
  virtual bool setModalView(CView* view);
  /// The modal view, or null.
  virtual CView* getModalView() const;
  /// Tells the host, through the editor, that the user starts changing parameter index.
  virtual void beginEdit(long index);
  /// Tells the host, through the editor, that the user's change of parameter index is over.
  virtual void endEdit(long index);
  /// Puts the pointer's position now, in the frame's coordinates, into where; always true.
  virtual bool getCurrentLocation(CPoint& where);
  /// Shows the cursor shape type at once.
  virtual void setCursor(CCursorType type);
  /// Gives view the keyboard focus, or nobody for null; the view that had it is told through
  /// looseFocus. Views that want the focus are marked dirty, to show the change. The frame
  /// holds no reference: a view leaving the tree takes the focus with it.
  virtual void setFocusView(CView* view);
  /// The view with the keyboard focus, or null.
  virtual CView* getFocusView() const;
  /// Accepts drops on the frame's window, or stops; true when the frame now does as asked,
  /// false without a window or when the platform refused.
  virtual bool setDropActive(bool active);
  /// Whether the frame accepts drops.
  virtual bool isDropActive() const;
  /// Sets what isOpen reports; the frame clears it when its window is destroyed.
  virtual void setOpenFlag(bool state);
  /// The same as isOpen.
  virtual bool getOpenFlag() const;
  /// Marks dirty every child of the frame whose rectangle overlaps rect, for the next idle step.
  virtual void invalidate(const CRect& rect);
  /// Whether update is suspended.
  virtual bool updatesDisabled() const;
  /// Suspends update (true) or resumes it; returns the previous setting.
  virtual bool updatesDisabled(bool state);
  /// Draws view at once into the window: a child of the frame itself alone, straight onto
  /// the window; any other view, or null, by painting the whole frame.
  virtual void draw(CView* view);

  /// Paints the whole frame; from then on idle repaints.
  void draw(CDrawContext* context) override;
  /// Paints updateRect, in the frame's coordinates, with everything in it; the window's paint
  /// message comes here. Without a context the frame makes one for its window.
  void drawRect(CDrawContext* context, const CRect& updateRect) override;
  /// A click ends the keyboard focus, then goes to the modal view alone when there is one (if
  /// its hitTest accepts it), else as in any container.
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  /// Offers the key to the focus view, then to the modal view; a Tab nobody took moves the
  /// focus to the next view that wants it (Shift+Tab: the previous one). 1 when taken, -1
  /// when not.
  long onKeyDown(PlugKeyCode& keyCode) override;
  /// Offers the key to the focus view, then to the modal view.
  long onKeyUp(PlugKeyCode& keyCode) override;
  /// The vertical wheel, handed on as the axis version does.
  bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
  /// Hands the wheel to the modal view when there is one, else to the front-most child under
  /// where. Without a context the frame makes one for its window.
  bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance) override;
  /// Resizes the frame to rect's size through setSize; its position is not used.
  void setViewSize(CRect& rect) override;
  /// The editor given at construction.
  void* getEditor() const override;
  /// Knows "CFrame" besides the names of its bases.
  bool isTypeOf(const char* name) const override;
  /// Repaints what is dirty: everything when the frame itself is, else the modal view and
  /// each child through its own update. Nothing when not open, with updates suspended or
  /// without a context.
  void update(CDrawContext* context) override;
  /// The modal view when there is one, else the child under the pointer.
  CView* getCurrentView() const override;
  /// Moves the keyboard focus on from oldFocus, or from the current focus for null, through
  /// nested containers; past the last candidate the focus is cleared and the answer is false.
  /// Never while a modal view is set.
  bool advanceNextFocusView(CView* oldFocus, bool reverse = false) override;

  /// Makes the frame's window and has it accept drops; the first frame registers the window
  /// class. The window goes inside the parent window the frame was given: the argument is
  /// only tested for null. False without it, or when no window could be made.
  bool initFrame(void* parentWindow);
  /// A new context for the frame's window, with one reference for the caller to forget.
  /// After the host has destroyed the window the context has no surface and draws nothing.
  CDrawContext* createDrawContext();
  /// The frame's own window, or null.
  HWND getSystemWindow() const;
  /// Sets the window a standalone frame opens in.
  void setParentSystemWindow(void* window);
  /// The window that frames the editor in the host: going up from the frame's window, the
  /// first with a caption, or else the outermost whose width and height differ from the
  /// frame window's by 60 pixels at most. Null without a window.
  HWND getOuterWindow() const;

 protected:
  void* editor;                       ///< The editor, not owned; may be null.
  void* parentWindow = nullptr;       ///< The window the frame's window lives in.
  CView* modalView = nullptr;         ///< See setModalView; not a counted reference.
  CView* focusView = nullptr;         ///< not a counted reference
  bool firstDraw = true;              ///< No full paint yet: idle draws nothing until one.
  bool openFlag = false;              ///< What isOpen reports.
  bool dropActive = false;            ///< What isDropActive reports.
  bool updatesDisabledFlag = false;   ///< What updatesDisabled reports.
  HWND window = nullptr;              ///< The frame's own window.
  HMODULE imageLibrary = nullptr;     ///< This frame's hold on the image library.
  CDropTarget* dropTarget = nullptr;  ///< the platform's registration owns it
  bool standalone = false;            ///< Made by the standalone constructor.
  HCURSOR defaultCursor = nullptr;    ///< The cursor kCursorDefault shows.
  /// The modal view was put into the children by setModalView, which takes
  /// it out again. A view that already lives in the tree stays where it is.
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
