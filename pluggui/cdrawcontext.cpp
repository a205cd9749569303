// The drawing context: one GDI surface, its drawing state, and the mouse.
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "pluggui/cdrawcontext.h"
#include "pluggui/cframe.h"
#include "pluggui/drawingsurface.h"

namespace PLUGGUI {

bool bSwapped_mouse_buttons = false;

namespace {

// A clip rectangle for a context without a frame: larger than any editor.
const CRect kFramelessClip(0, 0, 1000, 1000);

// Point arrays up to this size are shifted onto the surface without touching
// the heap.
constexpr long kFixedPointCount = 30;

// The caller's points moved by the draw offset, as GDI wants them. An array
// that cannot be had (or makes no sense) leaves the list empty, and the
// drawing is skipped.
class SurfacePoints {
 public:
  SurfacePoints(const CPoint* points, long count, const CPoint& offset) {
    if (!points || count <= 0) return;
    POINT* target = fixed_;
    if (count > kFixedPointCount) {
      heap_.reset(new (std::nothrow) POINT[count]);
      target = heap_.get();
      if (!target) return;
    }
    for (long i = 0; i < count; i++) {
      target[i].x = points[i].h + offset.h;
      target[i].y = points[i].v + offset.v;
    }
    data_ = target;
    count_ = static_cast<int>(count);
  }

  const POINT* data() const { return data_; }
  int count() const { return count_; }
  bool empty() const { return count_ == 0; }

 private:
  POINT fixed_[kFixedPointCount];
  std::unique_ptr<POINT[]> heap_;
  const POINT* data_ = nullptr;
  int count_ = 0;
};

// Outlines are drawn with the pen only; interiors are drawn with the brush
// alone, so the null pen stands in for the length of a fill.
class NullPenScope {
 public:
  explicit NullPenScope(HDC dc) : selection_(dc, GetStockObject(NULL_PEN)) {}

 private:
  ScopedSelection selection_;
};

// Paints a half-open area of the surface (surface coordinates) with the
// brush alone. An empty or inside-out area paints nothing: GDI would put its
// corners in order and paint the mirrored area.
void fillArea(HDC dc, HBRUSH brush, const CRect& area) {
  if (area.isEmpty()) return;
  NullPenScope interiorOnly(dc);
  RECT bounds = {area.left, area.top, area.right, area.bottom};
  FillRect(dc, &bounds, brush);
}

bool hasFill(CDrawStyle style) { return style == kFillOnly || style == kFillAndStroke; }

bool hasStroke(CDrawStyle style) { return style == kStrokeOnly || style == kFillAndStroke; }

// Makes a freshly created object current in the surface and retires the one
// it replaces. When creation failed the old object stays in use: deleting
// it while still selected would leave the surface without a valid object.
template <class Handle>
bool replaceSelected(HDC dc, GdiObject<Handle>& owned, Handle fresh) {
  if (!fresh) return false;
  if (dc) SelectObject(dc, fresh);
  owned.reset(fresh);
  return true;
}

bool keyIsDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

// The square a pressed mouse may stray in before it counts as moved: two
// pixels left or up, one right or down (half-open).
CRect observationSquare(const CPoint& where) {
  return CRect(where.h - 2, where.v - 2, where.h + 2, where.v + 2);
}

// The point where a ray at the given angle (degrees, counter-clockwise from
// three o'clock) leaves the centre of the ellipse inscribed in rect.
CPoint rayPoint(const CRect& rect, float angle) {
  const float radians = static_cast<float>(angle * 6.283185307179586 / 360.0);
  const long halfWidth = (rect.right - rect.left) / 2;
  const long halfHeight = (rect.bottom - rect.top) / 2;
  return CPoint(rect.left + static_cast<long>(halfWidth + std::cos(radians) * halfWidth),
                rect.top + static_cast<long>(halfHeight - std::sin(radians) * halfHeight));
}

}  // namespace

//-----------------------------------------------------------------------------
// Construction

CDrawContext::CDrawContext(CFrame* inFrame, void* inSystemContext, void* inWindow)
    : windowOrigin(0, 0),
      drawOffset(0, 0),
      systemContext(static_cast<HDC>(inSystemContext)),
      window(inWindow),
      frame(inFrame),
      fontSize(-1),
      fontStyle(0),
      fontId(kNumStandardFonts),
      fontColor{0, 0, 0, 0},
      lineWidth(0),
      frameColor{0, 0, 0, 0},
      fillColor{0, 0, 0, 0},
      // Starting values none of the setters below would pick, so that each
      // of them takes effect.
      lineStyle(kDottedLine),
      drawMode(static_cast<CDrawMode>(3)),
      clipRect(0, 0, 0, 0),
      savedBrush(nullptr),
      savedPen(nullptr),
      savedFont(nullptr),
      penStyle(PS_SOLID),
      ownedDC(nullptr) {
  CRect viewSize;
  clipRect = frame ? frame->getViewSize(viewSize) : kFramelessClip;

  if (!systemContext && window) {
    ownedDC = GetDC(static_cast<HWND>(window));
    systemContext = ownedDC;
  }
  if (systemContext) {
    savedBrush = GetCurrentObject(systemContext, OBJ_BRUSH);
    savedPen = GetCurrentObject(systemContext, OBJ_PEN);
    savedFont = GetCurrentObject(systemContext, OBJ_FONT);
    SetBkMode(systemContext, TRANSPARENT);
  }
  if (window) {
    RECT windowRect;
    if (GetWindowRect(static_cast<HWND>(window), &windowRect)) windowOrigin(windowRect.left, windowRect.top);
  }

  setFrameColor(kWhiteCColor);
  setLineStyle(kSolidLine);
  setLineWidth(1);
  setFillColor(kBlackCColor);
  setFontColor(kWhiteCColor);
  setFont(kSystemFont, 0, 0);
  setDrawMode(kDrawCopy);
}

// The surface may outlive the context (a paint or caller's device context),
// so it gets back the objects it had before the context's own are deleted.
CDrawContext::~CDrawContext() {
  if (systemContext) {
    if (savedBrush) SelectObject(systemContext, savedBrush);
    if (savedPen) SelectObject(systemContext, savedPen);
    if (savedFont) SelectObject(systemContext, savedFont);
  }
  brush.reset();
  pen.reset();
  font.reset();
  if (ownedDC) ReleaseDC(static_cast<HWND>(window), ownedDC);
}

void CDrawContext::forget() { CReferenceCounter::forget(); }

HDC CDrawContext::getSystemContext() const { return systemContext; }

//-----------------------------------------------------------------------------
// Drawing state

namespace {

bool rebuildPen(HDC dc, GdiObject<HPEN>& pen, long style, long width, const CColor& color) {
  LOGPEN description;
  description.lopnStyle = static_cast<UINT>(style);
  description.lopnWidth.x = width;
  description.lopnWidth.y = width;
  description.lopnColor = toColorRef(color);
  return replaceSelected(dc, pen, CreatePenIndirect(&description));
}

}  // namespace

// The pen settings, like the fill colour and the font below, are recorded
// only together with a native object that draws them. Were a value recorded
// without one, asking again for the same value would be skipped and drawing
// would go on with the old object.
void CDrawContext::setLineStyle(CLineStyle style) {
  if (style == lineStyle) return;
  const long newPenStyle = style == kDottedLine ? PS_DOT : PS_SOLID;
  if (!rebuildPen(systemContext, pen, newPenStyle, lineWidth, frameColor)) return;
  lineStyle = style;
  penStyle = newPenStyle;
}

void CDrawContext::setLineWidth(long width) {
  if (width == lineWidth) return;
  if (rebuildPen(systemContext, pen, penStyle, width, frameColor)) lineWidth = width;
}

void CDrawContext::setFrameColor(CColor color) {
  if (color == frameColor) return;
  if (rebuildPen(systemContext, pen, penStyle, lineWidth, color)) frameColor = color;
}

void CDrawContext::setFillColor(CColor color) {
  if (color == fillColor) return;
  LOGBRUSH description;
  description.lbStyle = BS_SOLID;
  description.lbColor = toColorRef(color);
  description.lbHatch = 0;
  if (!replaceSelected(systemContext, brush, CreateBrushIndirect(&description))) return;
  fillColor = color;
  if (systemContext) SetBkColor(systemContext, toColorRef(color));
}

void CDrawContext::setFontColor(CColor color) {
  fontColor = color;
  if (systemContext) SetTextColor(systemContext, toColorRef(color));
}

void CDrawContext::setDrawMode(CDrawMode mode) {
  if (mode == drawMode) return;
  drawMode = mode;
  if (systemContext) SetROP2(systemContext, rasterOperation(mode));
}

void CDrawContext::setFont(CFont fontID, long size, long style) {
  if (static_cast<int>(fontID) < 0 || static_cast<int>(fontID) >= kNumStandardFonts) fontID = kSystemFont;
  const long effectiveSize = size != 0 ? size : gStandardFontSize[fontID];
  if (fontID == fontId && effectiveSize == fontSize && style == fontStyle) return;

  LOGFONTA description;
  std::memset(&description, 0, sizeof(description));
  description.lfHeight = -effectiveSize;  // character height in pixels
  description.lfWeight = (style & kTextBold) ? FW_BOLD : FW_NORMAL;
  description.lfItalic = (style & kTextItalic) ? 1 : 0;
  description.lfUnderline = (style & kTextUnderline) ? 1 : 0;
  description.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  lstrcpynA(description.lfFaceName, gStandardFontName[fontID], LF_FACESIZE);
  if (fontID == kSymbolFont) description.lfPitchAndFamily = FF_DECORATIVE;
  if (fontID == kSystemFont) description.lfWeight = FW_BOLD;
  description.lfCharSet = ANSI_CHARSET;
  description.lfOutPrecision = OUT_STRING_PRECIS;
  description.lfClipPrecision = CLIP_STROKE_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  if (!replaceSelected(systemContext, font, CreateFontIndirectA(&description))) return;
  fontStyle = style;
  fontId = fontID;
  fontSize = effectiveSize;
}

//-----------------------------------------------------------------------------
// Clipping

void CDrawContext::setClipRect(const CRect& clip) {
  CRect onSurface(clip);
  onSurface.offset(drawOffset.h, drawOffset.v);
  if (onSurface == clipRect) return;
  clipRect = onSurface;
  if (!systemContext) return;
  // GDI puts a region's corners in order, so an inside-out clip would open
  // the mirrored area; like any other empty clip it lets nothing through.
  const CRect area = clipRect.isEmpty() ? CRect() : clipRect;
  GdiObject<HRGN> region(CreateRectRgn(area.left, area.top, area.right, area.bottom));
  if (region) SelectClipRgn(systemContext, region.get());
}

CRect& CDrawContext::getClipRect(CRect& clip) const {
  clip = clipRect;
  clip.offset(-drawOffset.h, -drawOffset.v);
  return clip;
}

// The full rectangle is set like any other clip, in the caller's
// coordinates, so that getClipRect reports it back unchanged and the record
// agrees with the surface whatever the draw offset is.
void CDrawContext::resetClipRect() {
  CRect full(kFramelessClip);
  if (frame) frame->getViewSize(full);
  setClipRect(full);
}

//-----------------------------------------------------------------------------
// Lines and polygons

void CDrawContext::moveTo(const CPoint& point) {
  MoveToEx(systemContext, point.h + drawOffset.h, point.v + drawOffset.v, nullptr);
}

void CDrawContext::lineTo(const CPoint& point) {
  LineTo(systemContext, point.h + drawOffset.h, point.v + drawOffset.v);
}

void CDrawContext::drawLines(const CPoint* points, const long& numberOfLines) {
  if (!points) return;
  for (long i = 0; i < numberOfLines; i++) {
    moveTo(points[2 * i]);
    lineTo(points[2 * i + 1]);
  }
}

void CDrawContext::polyLine(const CPoint* points, long numberOfPoints) {
  SurfacePoints onSurface(points, numberOfPoints, drawOffset);
  if (onSurface.empty()) return;
  Polyline(systemContext, onSurface.data(), onSurface.count());
}

void CDrawContext::fillPolygon(const CPoint* points, long numberOfPoints) {
  SurfacePoints onSurface(points, numberOfPoints, drawOffset);
  if (onSurface.empty()) return;
  NullPenScope interiorOnly(systemContext);
  Polygon(systemContext, onSurface.data(), onSurface.count());
}

void CDrawContext::drawPolygon(const CPoint* points, long numberOfPoints, CDrawStyle style) {
  if (hasFill(style)) fillPolygon(points, numberOfPoints);
  if (hasStroke(style)) polyLine(points, numberOfPoints);
}

//-----------------------------------------------------------------------------
// Rectangles, ellipses and arcs

// An empty or inside-out rectangle has neither interior nor border pixels;
// its outline would otherwise still paint its turning points.
void CDrawContext::drawRect(const CRect& rect, CDrawStyle style) {
  CRect r(rect);
  r.offset(drawOffset.h, drawOffset.v);
  if (r.isEmpty()) return;
  if (hasFill(style)) fillArea(systemContext, brush.get(), r);
  if (hasStroke(style)) {
    // Each border pixel of the half-open rectangle exactly once, so that
    // xor outlines do not cancel themselves in the corners.
    MoveToEx(systemContext, r.left, r.top, nullptr);
    LineTo(systemContext, r.right - 1, r.top);
    LineTo(systemContext, r.right - 1, r.bottom - 1);
    LineTo(systemContext, r.left, r.bottom - 1);
    LineTo(systemContext, r.left, r.top);
  }
}

void CDrawContext::fillRect(const CRect& rect) {
  CRect r(rect);
  r.offset(drawOffset.h, drawOffset.v);
  fillArea(systemContext, brush.get(), CRect(r.left + 1, r.top + 1, r.right, r.bottom));
}

// Only the outline is drawn, whatever the style: no caller fills an ellipse
// through this operation (fillEllipse does that).
void CDrawContext::drawEllipse(const CRect& rect, CDrawStyle /*style*/) {
  const CPoint top(rect.left + (rect.right - rect.left) / 2, rect.top);
  drawArc(rect, top, top);
}

void CDrawContext::fillEllipse(const CRect& rect) {
  CRect r(rect);
  r.offset(drawOffset.h, drawOffset.v);
  NullPenScope interiorOnly(systemContext);
  Ellipse(systemContext, r.left + 1, r.top + 1, r.right + 1, r.bottom + 1);
}

void CDrawContext::drawArc(const CRect& rect, const CPoint& point1, const CPoint& point2) {
  CRect r(rect);
  r.offset(drawOffset.h, drawOffset.v);
  Arc(systemContext, r.left, r.top, r.right + 1, r.bottom + 1, point1.h + drawOffset.h, point1.v + drawOffset.v,
      point2.h + drawOffset.h, point2.v + drawOffset.v);
}

void CDrawContext::fillArc(const CRect& rect, const CPoint& point1, const CPoint& point2) {
  CRect r(rect);
  r.offset(drawOffset.h, drawOffset.v);
  NullPenScope interiorOnly(systemContext);
  Pie(systemContext, r.left + 1, r.top + 1, r.right, r.bottom, point1.h + drawOffset.h, point1.v + drawOffset.v,
      point2.h + drawOffset.h, point2.v + drawOffset.v);
}

void CDrawContext::drawArc(const CRect& rect, float startAngle, float endAngle, CDrawStyle style) {
  CRect r(rect);
  r.offset(drawOffset.h, drawOffset.v);
  CPoint start = rayPoint(rect, startAngle);
  CPoint end = rayPoint(rect, endAngle);
  start.offset(drawOffset.h, drawOffset.v);
  end.offset(drawOffset.h, drawOffset.v);
  if (hasFill(style)) {
    NullPenScope interiorOnly(systemContext);
    Pie(systemContext, r.left, r.top, r.right + 1, r.bottom + 1, start.h, start.v, end.h, end.v);
  }
  if (hasStroke(style)) Arc(systemContext, r.left, r.top, r.right + 1, r.bottom + 1, start.h, start.v, end.h, end.v);
}

//-----------------------------------------------------------------------------
// Pixels

void CDrawContext::drawPoint(const CPoint& point, CColor color) {
  SetPixel(systemContext, point.h + drawOffset.h, point.v + drawOffset.v, toColorRef(color));
}

CColor CDrawContext::getPoint(const CPoint& point) {
  return fromColorRef(GetPixel(systemContext, point.h + drawOffset.h, point.v + drawOffset.v), 255);
}

void CDrawContext::floodFill(const CPoint& start) {
  const int x = start.h + drawOffset.h;
  const int y = start.v + drawOffset.v;
  ExtFloodFill(systemContext, x, y, GetPixel(systemContext, x, y), FLOODFILLSURFACE);
}

//-----------------------------------------------------------------------------
// Text

long CDrawContext::getStringWidth(const char* text) {
  if (!text) return 0;
  SIZE extent = {0, 0};
  if (!GetTextExtentPoint32A(systemContext, text, static_cast<int>(std::strlen(text)), &extent)) return 0;
  return extent.cx;
}

void CDrawContext::drawString(const char* text, const CRect& rect, short opaque, CHoriTxtAlign align) {
  if (!text) return;
  CRect r(rect);
  r.offset(drawOffset.h, drawOffset.v);
  SetBkMode(systemContext, opaque ? OPAQUE : TRANSPARENT);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  if (align == kAlignCenter) {
    format |= DT_CENTER;
  } else if (align == kAlignRight) {
    format |= DT_RIGHT;
  } else {
    r.left += 1;  // left-aligned text keeps one pixel off the edge
  }
  RECT area = {r.left, r.top, r.right, r.bottom};
  DrawTextA(systemContext, text, static_cast<int>(std::strlen(text)), &area, format);
  SetBkMode(systemContext, TRANSPARENT);
}

//-----------------------------------------------------------------------------
// Mouse

// The asynchronous state reports the physical buttons, so a swapped mouse
// is mapped back here: the user's primary button is always kMouseLeft.
long CDrawContext::getMouseButtons() {
  long buttons = 0;
  if (keyIsDown(VK_LBUTTON)) buttons |= bSwapped_mouse_buttons ? kMouseRight : kMouseLeft;
  if (keyIsDown(VK_MBUTTON)) buttons |= kMouseMiddle;
  if (keyIsDown(VK_RBUTTON)) buttons |= bSwapped_mouse_buttons ? kMouseLeft : kMouseRight;
  if (keyIsDown(VK_SHIFT)) buttons |= kModShift;
  if (keyIsDown(VK_CONTROL)) buttons |= kModControl;
  if (keyIsDown(VK_MENU)) buttons |= kModAlt;
  return buttons;
}

void CDrawContext::getMouseLocation(CPoint& point) {
  POINT cursor = {0, 0};
  GetCursorPos(&cursor);
  point(cursor.x - windowOrigin.h, cursor.y - windowOrigin.v);
}

bool CDrawContext::waitDoubleClick() {
  CPoint where;
  getMouseLocation(where);
  const CRect square = observationSquare(where);
  const DWORD deadline = static_cast<DWORD>(GetMessageTime()) + GetDoubleClickTime();
  DWORD now = GetTickCount();
  while (now < deadline) {
    getMouseLocation(where);
    if (!square.pointInside(where)) return false;
    MSG message;
    if (PeekMessageA(&message, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE | PM_NOYIELD)) return true;
    now = GetTickCount();
  }
  return false;
}

bool CDrawContext::waitDrag() {
  if (!frame) return false;
  CPoint where;
  getMouseLocation(where);
  const CRect square = observationSquare(where);
  while (getMouseButtons() & kMouseLeft) {
    frame->doIdleStuff();
    getMouseLocation(where);
    if (!square.pointInside(where)) return true;
  }
  return false;
}

}  // namespace PLUGGUI
