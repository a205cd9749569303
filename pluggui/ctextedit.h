// The text edit: a parameter display that a click turns into the
// platform's single-line edit field, placed over it. Included by
// plugcontrols.h.
#pragma once

#include "pluggui/cparamdisplay.h"

namespace PLUGGUI {

typedef void (*EditToText)(char* input, char* text);
typedef void (*EditToTextWithData)(char* input, char* text, void* data);

// The field's window procedure, installed over the platform's own.
LRESULT CALLBACK WindowProcEdit(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
extern WNDPROC oldWndProcEdit;

class CTextEdit;
// The frame's answer to the field's colour query while the text edit holds
// the focus: the control's font and back colours, and a brush of the back
// colour that the control keeps until its field closes.
HBRUSH editFieldColours(CTextEdit* edit, HDC context);

// Each opening of the field is one edit of the control's parameter: it
// begins when the field opens and ends when it closes, and a changed text
// is told to the listener once, when the field closes (Return or a loss of
// focus). The value is not changed from the text; a listener reads the
// text with getText.
class CTextEdit : public CParamDisplay {
 public:
  CTextEdit(const CRect& size, CControlListener* listener, long tag, const char* text = nullptr,
            CBitmap* background = nullptr, long style = 0);
  ~CTextEdit() override;

  void draw(CDrawContext* context) override;
  void mouse(CDrawContext* context, CPoint& where, long button = -1) override;
  void looseFocus(CDrawContext* context = nullptr) override;
  void takeFocus(CDrawContext* context = nullptr) override;
  bool isTypeOf(const char* name) const override;

  virtual void setText(char* text);
  virtual void getText(char* text) const;
  virtual void setTextEditConvert(EditToText convert);
  virtual void setTextEditConvert(EditToTextWithData convert, void* data);

 protected:
  friend HBRUSH editFieldColours(CTextEdit* edit, HDC context);
  friend LRESULT CALLBACK WindowProcEdit(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HBRUSH editBrush;
  HWND editControl;
  bool returnPressed;
  HFONT editFont;
  char editText[256];
  EditToText editConvert;
  EditToTextWithData editConvertWithData;

 private:
  // The field is closing or gone: its edit ends and the control gives up
  // the frame's focus.
  void endFieldEdit();
  // Deletes the field's font and brush, once its window no longer uses them.
  void releaseFieldObjects();
};

}  // namespace PLUGGUI
