// The text edit: a parameter display that a click turns into the
// platform's single-line edit field, placed over it. Included by
// plugcontrols.h.
#pragma once

#include "pluggui/cparamdisplay.h"

namespace PLUGGUI {

/// Writes the text shown for the edit's text `input` into `text`, at most 255 characters and
/// a terminator.
typedef void (*EditToText)(char* input, char* text);
/// As EditToText, with the `data` given along with the conversion.
typedef void (*EditToTextWithData)(char* input, char* text, void* data);

/// The field's window procedure, installed over the platform's own: Return or a loss of
/// focus closes the field through its control, and everything goes on to the platform's
/// procedure.
LRESULT CALLBACK WindowProcEdit(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
/// The platform's procedure of the field opened last, to which WindowProcEdit passes messages.
extern WNDPROC oldWndProcEdit;

class CTextEdit;
/// The frame's answer to the field's colour query while the text edit holds
/// the focus: the control's font and back colours, and a brush of the back
/// colour that the control keeps until its field closes.
HBRUSH editFieldColours(CTextEdit* edit, HDC context);

/// A parameter display that a click turns into the platform's single-line edit field.
///
/// Each opening of the field is one edit of the control's parameter: it
/// begins when the field opens and ends when it closes, and a changed text
/// is told to the listener once, when the field closes (Return or a loss of
/// focus). The value is not changed from the text; a listener reads the
/// text with getText.
class CTextEdit : public CParamDisplay {
 public:
  /// `listener` hears of a changed text and `tag` names the parameter, as for any control;
  /// `text` is the text to start with, cut at 255 characters (null for none). The other
  /// arguments are the parameter display's. The text edit wants the focus.
  CTextEdit(const CRect& size, CControlListener* listener, long tag, const char* text = nullptr,
            CBitmap* background = nullptr, long style = 0);
  ~CTextEdit() override;

  /// Draws the text, through the edit conversion if one is set, while no field is open over
  /// the control. Without one, a value conversion, if set, shows the value, and its text
  /// becomes the control's.
  void draw(CDrawContext* context) override;
  /// A click with the left button opens the field (only a double click with
  /// kStyleDoubleClick); a click with a modifier is offered to the listener first.
  void mouse(CDrawContext* context, CPoint& where, long button = -1) override;
  /// Closes the open field: its text becomes the control's, the edit ends and the control gives
  /// up the frame's focus, a changed text is told to the listener, and the parent hears
  /// "LooseFocus". Only the first call for an open field acts.
  void looseFocus(CDrawContext* context = nullptr) override;
  /// Opens the field over the control, with the control's text selected in its font, and
  /// begins the edit; nothing while a field is open or the frame has no window.
  void takeFocus(CDrawContext* context = nullptr) override;
  /// True for "CTextEdit" and for the names of its bases.
  bool isTypeOf(const char* name) const override;

  /// Sets the text, cut at 255 characters (null empties it), and marks the control dirty if it
  /// changed; the listener is not told.
  virtual void setText(char* text);
  /// Copies the text into `text`, which has room for 256 characters; nothing for null.
  virtual void getText(char* text) const;
  /// Sets the conversion of the text to the text shown; null shows the text itself.
  virtual void setTextEditConvert(EditToText convert);
  /// Sets a conversion that is given `data` with each call and comes before the plain one.
  /// `data` replaces the display's one user data, which its value conversion shares.
  virtual void setTextEditConvert(EditToTextWithData convert, void* data);

 protected:
  /// Reads the control's colours and keeps the brush it makes in it.
  friend HBRUSH editFieldColours(CTextEdit* edit, HDC context);
  /// Closes the field through its control, and notes a Return.
  friend LRESULT CALLBACK WindowProcEdit(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  /// The open field's brush of the back colour, made by editFieldColours; deleted as the field
  /// closes.
  HBRUSH editBrush;
  /// The open field, or none.
  HWND editControl;
  /// Whether Return closed the last field; no control of the toolkit reads it.
  bool returnPressed;
  /// The open field's font, made as it opens and deleted as it closes.
  HFONT editFont;
  /// The text: at most 255 characters and the terminator.
  char editText[256];
  /// The plain conversion of the text to the text shown, or none.
  EditToText editConvert;
  /// The conversion with data of the text to the text shown, or none.
  EditToTextWithData editConvertWithData;

 private:
  // The field is closing or gone: its edit ends and the control gives up
  // the frame's focus.
  void endFieldEdit();
  // Deletes the field's font and brush, once its window no longer uses them.
  void releaseFieldObjects();
};

}  // namespace PLUGGUI
