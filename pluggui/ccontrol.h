// The base of every control: a value the user edits, with its bounds, its
// default and the value last drawn, and the edit protocol every control
// follows. Included by plugcontrols.h.
#pragma once

#include "pluggui/pluggui.h"

namespace PLUGGUI {

// Abstract: each control draws itself. A control reports changes to its
// listener only while its value differs from the value it last drew, so a
// change made between two repaints may be reported more than once.
class CControl : public CView {
 public:
  CControl(const CRect& size, CControlListener* listener, long tag, CBitmap* background);
  ~CControl() override;

  void draw(CDrawContext* context) override = 0;
  bool isDirty() const override;
  void setDirty(bool val = true) override;
  bool isTypeOf(const char* name) const override;

  virtual void doIdleStuff();
  virtual void setValue(float val);
  virtual float getValue() const;
  virtual void setMin(float val);
  virtual float getMin() const;
  virtual void setMax(float val);
  virtual float getMax() const;
  virtual void setOldValue(float val);
  virtual float getOldValue() const;
  virtual void setDefaultValue(float val);
  virtual float getDefaultValue() const;
  virtual void setTag(long val);
  virtual long getTag() const;
  virtual void beginEdit();
  virtual void endEdit();
  virtual void setBackOffset(CPoint& offset);
  virtual void copyBackOffset();
  virtual void setWheelInc(float val);
  virtual float getWheelInc() const;
  virtual void bounceValue();
  virtual bool checkDefaultValue(CDrawContext* context, long button);

  bool isDoubleClick();

 protected:
  CControlListener* listener;
  long tag;
  float oldValue;
  float defaultValue;
  float value;
  float minValue;
  float maxValue;
  float wheelInc;
  long firstClickTicks;
  long doubleClickTime;
  CPoint backOffset;
};

}  // namespace PLUGGUI
