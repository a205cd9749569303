// Views: the rectangles the editor is made of, with their dirty flag, hit
// area, background bitmap and attribute store. Included by pluggui.h.
#pragma once

#include "plugin/aeffect.h"

namespace PLUGGUI {

class CViewContainer;

// Which way a wheel turned; the wheel of a plain mouse is the vertical one.
enum CMouseWheelAxis { kMouseWheelAxisX = 0, kMouseWheelAxisY = 1 };

// Base of everything visible. A view is drawn only when its frame's idle
// step finds it dirty, or by a full repaint; changing its look just marks it.
// Its rectangles are in its parent container's coordinates.
class CView : public CReferenceCounter {
 public:
  explicit CView(const CRect& size);
  ~CView() override;

  virtual void draw(CDrawContext* context);
  virtual void drawRect(CDrawContext* context, const CRect& updateRect);
  virtual bool checkUpdate(CRect& updateRect) const;
  virtual void mouse(CDrawContext* context, CPoint& where, long buttons = -1);

  virtual void setBackground(CBitmap* background);
  virtual CBitmap* getBackground() const;

  virtual long onKeyDown(PlugKeyCode& keyCode);
  virtual long onKeyUp(PlugKeyCode& keyCode);
  virtual bool onWheel(CDrawContext* context, const CPoint& where, float distance);
  virtual bool onWheel(CDrawContext* context, const CPoint& where, CMouseWheelAxis axis, float distance);

  virtual bool onDrop(CDrawContext* context, CDragContainer* drag, const CPoint& where);
  virtual void onDragEnter(CDrawContext* context, CDragContainer* drag, const CPoint& where);
  virtual void onDragLeave(CDrawContext* context, CDragContainer* drag, const CPoint& where);
  virtual void onDragMove(CDrawContext* context, CDragContainer* drag, const CPoint& where);

  virtual void looseFocus(CDrawContext* context = nullptr);
  virtual void takeFocus(CDrawContext* context = nullptr);

  virtual bool isDirty() const;
  virtual void setDirty(bool state = true);

  virtual void setMouseEnabled(bool enable = true);
  virtual bool getMouseEnabled() const;
  virtual void setMouseableArea(const CRect& rect);
  virtual CRect& getMouseableArea(CRect& rect) const;
  virtual bool hitTest(const CPoint& where, long buttons = -1);

  virtual void setTransparency(bool state);
  virtual bool getTransparency() const;

  virtual void setViewSize(CRect& rect);
  virtual CRect& getViewSize(CRect& rect) const;

  virtual bool removed(CView* parent);
  virtual bool attached(CView* parent);

  virtual void getMouseLocation(CDrawContext* context, CPoint& point);
  virtual CPoint& frameToLocal(CPoint& point) const;
  virtual CPoint& localToFrame(CPoint& point) const;

  virtual void* getEditor() const;
  virtual long notify(CView* sender, const char* message);
  virtual void redrawRect(CDrawContext* context, const CRect& rect);

  virtual bool wantsFocus() const;
  virtual void setWantsFocus(bool state);
  virtual bool isTypeOf(const char* name) const;
  virtual void update(CDrawContext* context);

  void redraw();
  CView* getParentView() const;
  CFrame* getFrame() const;

  bool getAttributeSize(const CViewAttributeID id, long& outSize) const;
  bool getAttribute(const CViewAttributeID id, const long inSize, void* outData, long& outSize) const;
  bool setAttribute(const CViewAttributeID id, const long inSize, void* inData);

 protected:
  friend class CViewContainer;

  CRect viewSize;
  CRect mouseableArea;
  CFrame* parentFrame;
  CView* parentView;
  bool dirty;
  bool mouseEnabled;
  bool transparencyEnabled;
  bool focusWanted;
  CBitmap* background;  // one reference held
  CAttributeListEntry* attributeList;  // entries owned
};

}  // namespace PLUGGUI
