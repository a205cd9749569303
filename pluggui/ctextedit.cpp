// The text edit and its native field: opening it over the control, the
// field's window procedure, and closing it, which may be asked for several
// times over (Return, the loss of focus that closing itself causes, the
// frame clearing its focus view) and acts once.
#include "pluggui/ctextedit.h"

#include <cstring>

#include "pluggui/cframe.h"
#include "pluggui/controlsupport.h"
#include "pluggui/textbuffer.h"
#include "pluggui/viewtree.h"
#include "plugin/plugmain.h"

namespace PLUGGUI {

WNDPROC oldWndProcEdit = nullptr;

namespace {

constexpr long kMaxTypedCharacters = kTextBufferSize - 1;
constexpr LRESULT kWantsAllKeys = 4;

COLORREF nativeColour(const CColor& color) { return RGB(color.red, color.green, color.blue); }

CTextEdit* controlOfField(HWND field) { return reinterpret_cast<CTextEdit*>(GetWindowLongPtrA(field, GWLP_USERDATA)); }

CFont knownFont(CFont font) { return font >= 0 && font < kNumStandardFonts ? font : kSystemFont; }

HFONT createFieldFont(CFont font, long fieldHeight) {
  long height = gStandardFontSize[font];
  if (height >= fieldHeight - 1) height = fieldHeight - 2;
  LOGFONTA description = {};
  description.lfHeight = height;
  description.lfWeight = FW_NORMAL;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strncpy(description.lfFaceName, gStandardFontName[font], LF_FACESIZE - 1);
  return CreateFontIndirectA(&description);
}

// A context for telling the listener about a closed field: the one given,
// held for the purpose, or one made for the frame and placed so that the
// control's parent coordinates draw where the control is.
class CloseContext {
 public:
  CloseContext(CDrawContext* given, CView* control) : context(given) {
    if (context) {
      context->remember();
    } else if (CFrame* frame = control->getFrame()) {
      context = frame->createDrawContext();
    }
    if (!context) return;
    saved = context->drawOffset;
    if (!given && control->getParentView()) context->drawOffset = frameOffsetOf(control->getParentView());
  }
  ~CloseContext() {
    if (!context) return;
    context->drawOffset = saved;
    context->forget();
  }
  CloseContext(const CloseContext&) = delete;
  CloseContext& operator=(const CloseContext&) = delete;
  CDrawContext* get() const { return context; }

 private:
  CDrawContext* context;
  CPoint saved;
};

}  // namespace

CTextEdit::CTextEdit(const CRect& size, CControlListener* listener, long tag, const char* text, CBitmap* background,
                     long style)
    : CParamDisplay(size, background, style),
      editBrush(nullptr),
      editControl(nullptr),
      returnPressed(false),
      editFont(nullptr),
      editText(),
      editConvert(nullptr),
      editConvertWithData(nullptr) {
  this->listener = listener;
  this->tag = tag;
  copyBounded(editText, text);
  setWantsFocus(true);
}

// A field still open when the control goes is closed without a word to
// anyone: its parameter's edit has ended with the frame's focus already.
CTextEdit::~CTextEdit() {
  if (editControl) {
    SetWindowLongPtrA(editControl, GWLP_USERDATA, 0);
    DestroyWindow(editControl);
  }
  releaseFieldObjects();
}

void CTextEdit::endFieldEdit() {
  editControl = nullptr;
  endEdit();
  if (parentFrame && parentFrame->getFocusView() == this) parentFrame->setFocusView(nullptr);
}

void CTextEdit::releaseFieldObjects() {
  if (editFont) DeleteObject(editFont);
  if (editBrush) DeleteObject(editBrush);
  editFont = nullptr;
  editBrush = nullptr;
}

bool CTextEdit::isTypeOf(const char* name) const {
  return std::strcmp(name, "CTextEdit") == 0 || CParamDisplay::isTypeOf(name);
}

void CTextEdit::setText(char* text) {
  if (text) {
    char bounded[kTextBufferSize];
    copyBounded(bounded, text);
    if (std::strcmp(bounded, editText) == 0) return;
    std::memcpy(editText, bounded, sizeof editText);
    setDirty(true);
  } else if (editText[0]) {
    editText[0] = 0;
    setDirty(true);
  }
}

void CTextEdit::getText(char* text) const {
  if (text) std::memcpy(text, editText, std::strlen(editText) + 1);
}

void CTextEdit::setTextEditConvert(EditToText convert) { editConvert = convert; }

void CTextEdit::setTextEditConvert(EditToTextWithData convert, void* data) {
  editConvertWithData = convert;
  userData = data;
}

void CTextEdit::draw(CDrawContext* context) {
  if (editControl) {
    setDirty(false);
    return;
  }
  char shown[kTextBufferSize] = {};
  if (editConvertWithData) {
    editConvertWithData(editText, shown, userData);
  } else if (editConvert) {
    editConvert(editText, shown);
  } else if (stringConvertWithData || stringConvert) {
    if (stringConvertWithData)
      stringConvertWithData(value, shown, userData);
    else
      stringConvert(value, shown);
    shown[kTextBufferSize - 1] = 0;
    copyBounded(editText, shown);
  } else {
    copyBounded(shown, editText);
  }
  shown[kTextBufferSize - 1] = 0;
  drawText(context, shown, nullptr);
  setDirty(false);
}

void CTextEdit::mouse(CDrawContext* context, CPoint& /*where*/, long button) {
  if (!getMouseEnabled()) return;
  if (button == -1) button = context ? context->getMouseButtons() : 0;
  if (takenByListener(listener, context, this, button)) return;
  if (!(button & kMouseLeft)) return;
  if (parentFrame && parentFrame->getFocusView() == this) return;
  if ((style & kStyleDoubleClick) && !isDoubleClick()) return;
  takeFocus(context);
}

// The edit begins with the field, here rather than in the click that asks
// for it, so that every field opened, by a click or from code, is one
// edit: begun once here and ended once when it closes.
void CTextEdit::takeFocus(CDrawContext* context) {
  if (editControl || !parentFrame || !parentFrame->getSystemWindow()) return;
  returnPressed = false;
  beginEdit();

  CRect r(viewSize);
  const CPoint inFrame = frameOffsetOf(this);
  r.offset(inFrame.h, inFrame.v);
  if (context) r.offset(context->drawOffset.h, context->drawOffset.v);

  DWORD windowStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
  if (horiAlign == kAlignRight)
    windowStyle |= ES_RIGHT;
  else if (horiAlign == kAlignCenter)
    windowStyle |= ES_CENTER;
  HWND field = CreateWindowExA(0, "EDIT", editText, windowStyle, r.left, r.top, r.width() + 1, r.height() + 1,
                               parentFrame->getSystemWindow(), nullptr, GetInstance(), nullptr);
  if (!field) {
    // No field, nothing to edit in: the edit that began ends at once.
    endFieldEdit();
    return;
  }
  editControl = field;
  editFont = createFieldFont(knownFont(fontId), r.height());
  editBrush = nullptr;

  SetWindowLongPtrA(field, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(editFont), TRUE);
  SendMessageA(field, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  SendMessageA(field, EM_SETSEL, 0, -1);
  SendMessageA(field, EM_LIMITTEXT, kMaxTypedCharacters, 0);
  oldWndProcEdit =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProcEdit)));
  SetFocus(field);
}

// Only the first call for an open field acts: it takes the field away
// before anything that could call back in. A call with no field open has
// no edit to end.
void CTextEdit::looseFocus(CDrawContext* context) {
  HWND field = editControl;
  if (!field) return;
  endFieldEdit();

  char oldText[kTextBufferSize];
  std::memcpy(oldText, editText, sizeof oldText);
  GetWindowTextA(field, editText, static_cast<int>(kTextBufferSize));
  editText[kTextBufferSize - 1] = 0;
  // The field hears no more of this control: destroying it, or moving the
  // keyboard focus off it first, would come back here.
  SetWindowLongPtrA(field, GWLP_USERDATA, 0);
  HWND owner = GetParent(field);
  if (GetFocus() == field && owner) SetFocus(owner);
  DestroyWindow(field);
  releaseFieldObjects();

  const bool changed = std::strcmp(oldText, editText) != 0;
  {
    const CloseContext closing(context, this);
    if (changed && listener) listener->valueChanged(closing.get(), this);
  }
  if (changed) doIdleStuff();
  setDirty(true);
  if (parentView)
    parentView->notify(this, "LooseFocus");
  else if (parentFrame)
    parentFrame->notify(this, "LooseFocus");
}

LRESULT CALLBACK WindowProcEdit(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC passOn = oldWndProcEdit;
  switch (message) {
    case WM_GETDLGCODE:
      return kWantsAllKeys;
    case WM_KEYDOWN:
      if (wParam != VK_RETURN) break;
      if (CTextEdit* control = controlOfField(window)) {
        control->returnPressed = true;
        control->looseFocus(nullptr);
      }
      break;
    case WM_KILLFOCUS:
      if (CTextEdit* control = controlOfField(window)) control->looseFocus(nullptr);
      break;
    case WM_NCDESTROY:
      // The field goes with the window it lies in while still open: the
      // editor closes, or the host destroys its window under it. The edit
      // ends, as a slider's drag does then; what was typed is let go, since
      // the editor that would take it is going too.
      if (CTextEdit* control = controlOfField(window)) {
        const LRESULT result = CallWindowProcA(passOn, window, message, wParam, lParam);
        control->endFieldEdit();
        control->releaseFieldObjects();
        return result;
      }
      break;
    default:
      break;
  }
  // Closing destroys the field inside its own procedure: nothing is left to
  // pass the message on to.
  if (!IsWindow(window)) return 0;
  return CallWindowProcA(passOn, window, message, wParam, lParam);
}

HBRUSH editFieldColours(CTextEdit* edit, HDC context) {
  SetTextColor(context, nativeColour(edit->fontColor));
  SetBkColor(context, nativeColour(edit->backColor));
  if (edit->editBrush) DeleteObject(edit->editBrush);
  edit->editBrush = CreateSolidBrush(nativeColour(edit->backColor));
  return edit->editBrush;
}

}  // namespace PLUGGUI
