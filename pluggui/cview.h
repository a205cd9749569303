/// @file
/// Views: the rectangles the editor is made of, with their dirty flag, hit
/// area, background bitmap and attribute store.
#pragma once

#include "pluggui/cattributelistentry.h"
#include "pluggui/cdrawcontext.h"
#include "plugin/aeffect.h"

namespace PLUGGUI {

class CBitmap;
class CDragContainer;
class CFrame;
class CViewContainer;

/// Which way a wheel turned; the wheel of a plain mouse is the vertical one.
enum CMouseWheelAxis { kMouseWheelAxisX = 0, kMouseWheelAxisY = 1 };
/// @var kMouseWheelAxisX
/// A horizontal wheel.
/// @var kMouseWheelAxisY
/// The vertical wheel.

/// Base of everything visible. A view is drawn only when its frame's idle
/// step finds it dirty, or by a full repaint; changing its look just marks it.
/// Its rectangles are in its parent container's coordinates, and so is every
/// point the toolkit hands to it.
class CView : public CReferenceCounter {
 public:
  /// A view occupying size, in the coordinates of the container it will join; it takes clicks
  /// in that same rectangle to start with.
  explicit CView(const CRect& size);
  /// Forgets the background and frees the attributes.
  ~CView() override;

  /// Paints the whole view; the toolkit calls it with the clip inside the view's rectangle.
  /// The default draws the background bitmap over viewSize (colour-keyed when transparency
  /// is on) and clears the dirty mark.
  virtual void draw(CDrawContext* context);
  /// Paints the part of the view inside updateRect, for a partial repaint; the clip keeps
  /// drawing inside it. The default draws the whole view.
  virtual void drawRect(CDrawContext* context, const CRect& updateRect);
  /// Whether a repaint of updateRect concerns the view: by default whether it overlaps the
  /// view's rectangle, touching edges included.
  virtual bool checkUpdate(CRect& updateRect) const;
  /// A mouse button went down at where, on a view whose mouse is enabled and whose hitTest
  /// took the click; buttons holds the CButtonState bits, or -1 to have them read from the
  /// context. A view that follows the pointer runs its own loop here until the button is
  /// released. The default ignores the click.
  virtual void mouse(CDrawContext* context, CPoint& where, long buttons = -1);

  /// Sets the bitmap drawn as the view's background, or none for null, and marks the view
  /// dirty. The view remembers the new bitmap before forgetting the old one, so passing the
  /// one it already has is safe.
  virtual void setBackground(CBitmap* background);
  /// The background bitmap, or null; no reference is taken for the caller.
  virtual CBitmap* getBackground() const;

  /// A key was pressed: the frame offers it to the focus view, then to the modal view, and a
  /// container to its children front to back. Returns 1 when the view took the key and -1
  /// when not, so that it is offered on; the default takes none.
  virtual long onKeyDown(PlugKeyCode& keyCode);
  /// A key was released; returns as onKeyDown does. The default takes none.
  virtual long onKeyUp(PlugKeyCode& keyCode);
  /// The vertical wheel turned by distance notches, positive away from the user, with the
  /// pointer at where. True when the view used it; the default does not.
  virtual bool onWheel(CDrawContext* context, const CPoint& where, float distance);
  /// A wheel turned on the given axis. The default treats every axis as the vertical one and
  /// calls the three-argument onWheel.
  virtual bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance);

  /// The drag was let go over the view at where; drag lists its items. True when the view took
  /// them; the default takes nothing. onDragLeave follows in any case.
  virtual bool onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where);
  /// A drag came over the view. drag belongs to the toolkit and lives until the drag ends; a
  /// view that keeps it longer remembers it. The default does nothing.
  virtual void onDragEnter(CDrawContext* context, CDragContainer* drag, const CPoint& where);
  /// The drag left the view, or was dropped on it. The default does nothing.
  virtual void onDragLeave(CDrawContext* context, CDragContainer* drag, const CPoint& where);
  /// The drag moved over the view to where. The default does nothing.
  virtual void onDragMove(CDrawContext* context, CDragContainer* drag, const CPoint& where);

  /// The view lost the keyboard focus; the frame calls it when the focus moves elsewhere.
  /// context may be null. The default does nothing.
  virtual void looseFocus(CDrawContext* context = nullptr);
  /// Starts what the view does while it has the focus, such as an edit field; views call it
  /// on themselves, typically from a click. The default does nothing.
  virtual void takeFocus(CDrawContext* context = nullptr);

  /// Whether the view waits for a repaint.
  virtual bool isDirty() const;
  /// Marks the view for a repaint at the next idle step, or clears the mark.
  virtual void setDirty(bool state = true);

  /// Lets the view take clicks, or not: containers pass a click over a disabled view on to the
  /// ones behind it.
  virtual void setMouseEnabled(bool enable = true);
  /// Whether the view takes clicks; true to start with.
  virtual bool getMouseEnabled() const;
  /// Where the view takes clicks, in its parent's coordinates. It starts as the view's
  /// rectangle and does not follow setViewSize.
  virtual void setMouseableArea(const CRect& rect);
  /// Copies the mouseable area into rect and returns it.
  virtual CRect& getMouseableArea(CRect& rect) const;
  /// Whether a click at where, with the buttons held, is the view's: by default whether where
  /// lies in the mouseable area, edges included.
  virtual bool hitTest(const CPoint& where, long buttons = -1);

  /// With transparency on, what lies behind the view shows through: its background bitmap is
  /// drawn colour-keyed, and a container paints no background colour.
  virtual void setTransparency(bool state);
  /// Whether transparency is on; off to start with.
  virtual bool getTransparency() const;

  /// Moves and sizes the view to rect, in its parent's coordinates, and marks it dirty. The
  /// mouseable area stays where it was.
  virtual void setViewSize(CRect& rect);
  /// Copies the view's rectangle, in its parent's coordinates, into rect and returns it.
  virtual CRect& getViewSize(CRect& rect) const;

  /// Called as the view leaves parent, while it still points at its frame and parent; the
  /// place to let go of what is tied to them. The answer is not used.
  virtual bool removed(CView* parent);
  /// Called once the view has joined parent, with its frame and parent set and before it is
  /// first drawn there. The answer is not used.
  virtual bool attached(CView* parent);

  /// Puts the pointer's current position, in the view's parent's coordinates, into point.
  /// context is one made for the frame's window, not shifted by a container.
  virtual void getMouseLocation(CDrawContext* context, CPoint& point);
  /// Converts point in place from the frame's coordinates into the view's parent's, and
  /// returns it.
  virtual CPoint& frameToLocal(CPoint& point) const;
  /// Converts point in place from the view's parent's coordinates into the frame's, and
  /// returns it.
  virtual CPoint& localToFrame(CPoint& point) const;

  /// The editor the view's frame was made for, or null outside a frame.
  virtual void* getEditor() const;
  /// Receives message from sender. Messages are compared by address; the default knows none
  /// and answers 0.
  virtual long notify(CView* sender, const char* message);
  /// Repaints rect, in the view's parent's coordinates, at once: the parent paints that area
  /// with everything in it.
  virtual void redrawRect(CDrawContext* context, const CRect& rect);

  /// Whether Tab may move the keyboard focus to the view; such a view is marked dirty when it
  /// gains or loses the focus, to show it.
  virtual bool wantsFocus() const;
  /// Sets whether Tab may move the keyboard focus to the view; off to start with.
  virtual void setWantsFocus(bool state);
  /// Whether the view is of the class named name ("CView", "CViewContainer", ...) or
  /// derives from it.
  virtual bool isTypeOf(const char* name) const;
  /// The idle step: repaints the view if it is dirty, and clears the mark. The frame calls it
  /// on each of its children; containers further down repaint their dirty children directly.
  /// The default repaints through redrawRect (through redraw without a context).
  virtual void update(CDrawContext* context);

  /// Draws the view at once into the frame's window: alone when it is a child of the frame
  /// itself, otherwise by repainting the whole frame. Nothing outside a frame.
  void redraw();
  /// The container the view is in, or null.
  CView* getParentView() const;
  /// The frame the view is in, or null.
  CFrame* getFrame() const;

  /// Puts the size in bytes of the attribute id into outSize; false when the view has none.
  bool getAttributeSize(const CViewAttributeID id, long& outSize) const;
  /// Copies the attribute id into outData, which has room for inSize bytes, and its size into
  /// outSize; false, copying nothing, when there is no such attribute or it does not fit.
  bool getAttribute(const CViewAttributeID id, const long inSize, void* outData, long& outSize) const;
  /// Stores inSize bytes from inData as the attribute id, in a block of the view's own. An
  /// attribute keeps the size it was made with: a larger value does not fit and changes
  /// nothing (false), a smaller one overwrites its start.
  bool setAttribute(const CViewAttributeID id, const long inSize, void* inData);

 protected:
  friend class CViewContainer;

  CRect viewSize;                      ///< The view's rectangle, in its parent's coordinates.
  CRect mouseableArea;                 ///< Where it takes clicks, in its parent's coordinates.
  CFrame* parentFrame;                 ///< The frame, set by the container; not a counted one.
  CView* parentView;                   ///< The container, set by it; not a counted reference.
  bool dirty;                          ///< Waiting for a repaint.
  bool mouseEnabled;                   ///< Takes clicks.
  bool transparencyEnabled;            ///< What lies behind shows through.
  bool focusWanted;                    ///< Tab may give it the focus.
  CBitmap* background;                 ///< one reference held
  CAttributeListEntry* attributeList;  ///< entries owned
};

}  // namespace PLUGGUI
