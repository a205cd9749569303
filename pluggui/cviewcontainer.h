/// @file
/// View containers: an ordered list of child views, drawn back to front
/// through an off-screen surface and hit front to back.
#pragma once

#include "pluggui/cview.h"

namespace PLUGGUI {

class CBitmap;
class CDragContainer;
class COffscreenContext;

/// One node of a container's child list; it holds one reference on its view.
class CCView {
 public:
  /// A node for view, remembering it; null is allowed.
  explicit CCView(CView* view);
  /// Forgets the view; the neighbours are the list's to relink.
  ~CCView();
  CCView(const CCView&) = delete;
  CCView& operator=(const CCView&) = delete;

  CView* view;        ///< The child.
  CCView* next;       ///< The node in front of this one (drawn later), or null for the last.
  CCView* previous;   ///< The node behind this one (drawn earlier), or null for the first.
};

/// A view made of views. The child added last is front-most: drawn last and
/// hit first. Children's rectangles are in the container's coordinates, whose
/// origin is its top-left corner. The container owns its children: adding a
/// view hands the caller's reference over to it.
class CViewContainer : public CView {
 public:
  /// A container occupying size in its parent's coordinates, with an optional background
  /// bitmap, which it remembers. frame is the frame it will be in: an added child gets the
  /// container's frame of that moment, so a container filled before it joins the tree needs
  /// it from the start. The background colour starts black, and the container paints through
  /// a surface of its own, in update mode 1.
  CViewContainer(const CRect& size, CFrame* frame, CBitmap* background = nullptr);
  /// Lets every child go as removeAll(true) does, without telling the frame, and
  /// forgets the surface.
  ~CViewContainer() override;

  /// Puts view in front of all children and marks it dirty; null is ignored. The container
  /// takes over the caller's reference, so a view made with new needs no forget of its own.
  virtual void addView(CView* view);
  /// Sets view's mouseable area (in this container's coordinates) and whether it takes
  /// clicks, then adds it.
  virtual void addView(CView* view, CRect& mouseableArea, bool mouseEnabled = true);
  /// Takes view out of the children; the frame drops it, or a view inside it, as focus or
  /// modal view. With withForget the view is forgotten, which deletes it unless someone else
  /// holds it; without, the caller gets the reference back. A view that is not a child stays
  /// where it is.
  virtual void removeView(CView* view, const bool& withForget = true);
  /// Takes every child out, as removeView does.
  virtual void removeAll(const bool& withForget = true);
  /// Whether view is a child of this container itself, not deeper down.
  virtual bool isChild(CView* view) const;
  /// Number of children.
  virtual long getNbViews() const;
  /// The child at index, counted from 0 at the back, or null out of range; no reference is
  /// taken for the caller.
  virtual CView* getView(long index) const;

  /// Colour painted as the background when there is no background bitmap, unless the
  /// container is transparent; marks the container dirty.
  virtual void setBackgroundColor(CColor color);
  /// The background colour.
  virtual CColor getBackgroundColor() const;
  /// The point of the background bitmap drawn at the container's top-left corner.
  virtual void setBackgroundOffset(const CPoint& offset);
  /// The point of the background bitmap drawn at the top-left corner; the origin to start with.
  virtual const CPoint& getBackgroundOffset() const;
  /// Paints the background inside rect, in this container's coordinates: the matching part
  /// of the bitmap (colour-keyed when transparent), or without one the background colour,
  /// or nothing when transparent.
  virtual void drawBackgroundRect(CDrawContext* context, CRect& rect);

  /// How update repaints: 0 repaints the whole container when anything in it is dirty;
  /// 1 repaints the whole container when it is dirty itself, else each dirty child alone;
  /// any other value leaves the container to be repainted by other means.
  virtual void setMode(long mode);
  /// The update mode.
  virtual long getMode() const;
  /// Whether the container paints into a surface of its own and copies the painted area out
  /// in one go, so that nothing flickers (the default). Turning it off lets the surface go.
  virtual void useOffscreen(bool flag);

  /// The front-most child whose mouseable area holds the pointer now; null when there is none
  /// or the container is in no frame.
  virtual CView* getCurrentView() const;
  /// The front-most child whose mouseable area holds where, a point in the container's
  /// parent's coordinates, whether it takes clicks or not; with deep, the innermost view
  /// through nested containers. Null when there is none or the container is in no frame.
  virtual CView* getViewAt(const CPoint& where, bool deep = false) const;
  /// Gives the keyboard focus to the first child after oldFocus (before it, with reverse) that
  /// wants it, looking into nested containers; a null oldFocus starts at the first (last)
  /// child. True when the focus moved.
  virtual bool advanceNextFocusView(CView* oldFocus, bool reverse = false);

  /// Paints the background and then every child, back to front, each clipped to its
  /// rectangle; clean afterwards.
  void draw(CDrawContext* context) override;
  /// Paints the part inside updateRect (in the parent's coordinates): the background, then
  /// each child the area concerns. A dirty child only partly painted stays dirty.
  void drawRect(CDrawContext* context, const CRect& updateRect) override;
  /// Hands the click, with where moved into this container's coordinates, to the front-most
  /// child that takes clicks and whose hitTest accepts it.
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  /// Offers the key to the children, front to back, until one takes it.
  long onKeyDown(PlugKeyCode& keyCode) override;
  /// Offers the key to the children, front to back, until one takes it.
  long onKeyUp(PlugKeyCode& keyCode) override;
  /// The vertical wheel, handed on as the axis version does.
  bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
  /// Hands the wheel to the front-most child under where, with the point moved into this
  /// container's coordinates.
  bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance) override;
  /// Hands the drop to the child under where, then tells it the drag left; false when no
  /// child is there.
  bool onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
  /// Tells the child under where that the drag came over it.
  void onDragEnter(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
  /// Tells the child the drag was over that it left.
  void onDragLeave(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
  /// Follows the drag from child to child: the one it leaves and the one it enters are told,
  /// the one it stays over hears of the move.
  void onDragMove(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
  /// Tells every child, back to front.
  void looseFocus(CDrawContext* context = nullptr) override;
  /// Tells every child, back to front.
  void takeFocus(CDrawContext* context = nullptr) override;
  /// Whether the container, or a child lying at least partly inside it, is dirty.
  bool isDirty() const override;
  /// As for any view: whether where lies in the container's mouseable area.
  bool hitTest(const CPoint& where, long buttons = -1) override;
  /// Moves and sizes the container; a surface it has is made again at the new size.
  void setViewSize(CRect& rect) override;
  /// Lets the surface go.
  bool removed(CView* parent) override;
  /// Makes the surface, when the container paints through one and has an area.
  bool attached(CView* parent) override;
  /// Converts point in place from the frame's coordinates into this container's own, the
  /// coordinates of its children, and returns it.
  CPoint& frameToLocal(CPoint& point) const override;
  /// Converts point in place from this container's own coordinates into the frame's, and
  /// returns it.
  CPoint& localToFrame(CPoint& point) const override;
  /// Answers 1 to kMsgCheckIfViewContainer and 0 to anything else.
  long notify(CView* sender, const char* message) override;
  /// Repaints rect, given in this container's own coordinates as its children ask, at once.
  /// A transparent container hands the area up to its parent, so that what lies behind is
  /// painted too.
  void redrawRect(CDrawContext* context, const CRect& rect) override;
  /// Knows "CViewContainer" besides the names of its bases.
  bool isTypeOf(const char* name) const override;
  /// Repaints what is dirty as the update mode says; modes 0 and 1 then clear the container's
  /// mark.
  void update(CDrawContext* context) override;

  /// Whether a child that takes clicks accepts one at where, a point in the container's
  /// parent's coordinates.
  bool hitTestSubViews(const CPoint& where, long buttons = -1);
  /// Shifts both offsets of context into this container's coordinates, keeping the old
  /// values in save for restoreDrawContext; nothing for a null context.
  void modifyDrawContext(long save[4], CDrawContext* context);
  /// Puts back the offsets modifyDrawContext saved.
  void restoreDrawContext(CDrawContext* context, long save[4]);

 protected:
  CCView* firstView;             ///< The back-most child's node, or null.
  CCView* lastView;              ///< The front-most child's node, or null.
  long mode;                     ///< The update mode (see setMode).
  COffscreenContext* offscreen;  ///< The surface, one reference held; made when needed.
  CColor backgroundColor;        ///< The background without a bitmap.
  CPoint backgroundOffset;       ///< The bitmap's point drawn at the top-left corner.
  bool drawInOffscreen;          ///< Whether the container paints through its surface.
  CView* currentDragView;        ///< The child under the drag in progress; not counted.

 private:
  // The surface a container paints into and copies the painted area out of,
  // made when needed; null when it draws straight into the context it is
  // given, shifted into its coordinates for the length of the drawing.
  COffscreenContext* drawingSurface();
  void makeOffscreen();
  // The parent's clip as seen in this container's coordinates.
  CRect clipSeenFromInside(CDrawContext* context) const;
  // Drops every pointer the frame and this container keep into a view that
  // leaves the tree.
  void releaseStatePointingAt(CView* view);
  void releaseChildren(bool withForget);
  static void detach(CView* view);
  CCView* nodeOf(CView* view) const;
  CView* childAt(const CPoint& local) const;
  // A point of the parent's coordinates in this container's.
  CPoint toLocal(const CPoint& where) const;
  CPoint topLeft() const;
  void unlink(CCView* node);
};

}  // namespace PLUGGUI
