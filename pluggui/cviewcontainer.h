// View containers: an ordered list of child views, drawn back to front
// through an off-screen surface and hit front to back. Included by pluggui.h.
#pragma once

namespace PLUGGUI {

// One node of a container's child list; it holds one reference on its view.
class CCView {
 public:
  explicit CCView(CView* view);
  ~CCView();
  CCView(const CCView&) = delete;
  CCView& operator=(const CCView&) = delete;

  CView* view;
  CCView* next;
  CCView* previous;
};

// A view made of views. The child added last is front-most: drawn last and
// hit first. Children's rectangles are in the container's coordinates, whose
// origin is its top-left corner.
class CViewContainer : public CView {
 public:
  CViewContainer(const CRect& size, CFrame* frame, CBitmap* background = nullptr);
  ~CViewContainer() override;

  virtual void addView(CView* view);
  virtual void addView(CView* view, CRect& mouseableArea, bool mouseEnabled = true);
  virtual void removeView(CView* view, const bool& withForget = true);
  virtual void removeAll(const bool& withForget = true);
  virtual bool isChild(CView* view) const;
  virtual long getNbViews() const;
  virtual CView* getView(long index) const;

  virtual void setBackgroundColor(CColor color);
  virtual CColor getBackgroundColor() const;
  virtual void setBackgroundOffset(const CPoint& offset);
  virtual const CPoint& getBackgroundOffset() const;
  virtual void drawBackgroundRect(CDrawContext* context, CRect& rect);

  virtual void setMode(long mode);
  virtual long getMode() const;
  virtual void useOffscreen(bool flag);

  virtual CView* getCurrentView() const;
  virtual CView* getViewAt(const CPoint& where, bool deep = false) const;
  virtual bool advanceNextFocusView(CView* oldFocus, bool reverse = false);

  void draw(CDrawContext* context) override;
  void drawRect(CDrawContext* context, const CRect& updateRect) override;
  void mouse(CDrawContext* context, CPoint& where, long buttons = -1) override;
  long onKeyDown(PlugKeyCode& keyCode) override;
  long onKeyUp(PlugKeyCode& keyCode) override;
  bool onWheel(CDrawContext* context, const CPoint& where, float distance) override;
  bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance) override;
  bool onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
  void onDragEnter(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
  void onDragLeave(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
  void onDragMove(CDrawContext* context, CDragContainer* drag, const CPoint& where) override;
  void looseFocus(CDrawContext* context = nullptr) override;
  void takeFocus(CDrawContext* context = nullptr) override;
  bool isDirty() const override;
  bool hitTest(const CPoint& where, long buttons = -1) override;
  void setViewSize(CRect& rect) override;
  bool removed(CView* parent) override;
  bool attached(CView* parent) override;
  CPoint& frameToLocal(CPoint& point) const override;
  CPoint& localToFrame(CPoint& point) const override;
  long notify(CView* sender, const char* message) override;
  void redrawRect(CDrawContext* context, const CRect& rect) override;
  bool isTypeOf(const char* name) const override;
  void update(CDrawContext* context) override;

  bool hitTestSubViews(const CPoint& where, long buttons = -1);
  void modifyDrawContext(long save[4], CDrawContext* context);
  void restoreDrawContext(CDrawContext* context, long save[4]);

 protected:
  CCView* firstView;
  CCView* lastView;
  long mode;
  COffscreenContext* offscreen;
  CColor backgroundColor;
  CPoint backgroundOffset;
  bool drawInOffscreen;
  CView* currentDragView;

 private:
  // Where a container draws: its own surface, or the given context shifted
  // into its coordinates; endDrawing copies the painted area out or puts the
  // context back.
  CDrawContext* beginDrawing(CDrawContext* context, long save[4]);
  void endDrawing(CDrawContext* context, long save[4], const CRect& area, const CPoint& source);
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
