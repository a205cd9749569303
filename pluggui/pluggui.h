// The plug-in's GUI toolkit: geometry and colour values, reference counting,
// drawing contexts over GDI, bitmaps, views and containers, the frame in its
// native window, and drag and drop. Everything lives in the namespace
// PLUGGUI except the control-listener interface, which editors implement.
#pragma once

#include <windows.h>

#include <cstdint>

#include "pluggui/gdiobject.h"

namespace PLUGGUI {

class CDrawContext;
class COffscreenContext;
class CBitmap;
class CFrame;
class CView;
class CControl;
class CDragContainer;

//-----------------------------------------------------------------------------
// Geometry and colour
//-----------------------------------------------------------------------------

struct CRect;

// A position in pixels: h grows to the right, v downwards.
struct CPoint {
  CPoint(long h = 0, long v = 0) : h(h), v(v) {}

  CPoint& operator()(long newH, long newV);
  CPoint& offset(long dx, long dy);
  // Edges count on all four sides: a click on a view's right or bottom
  // border line still hits it.
  bool isInside(const CRect& rect) const;
  bool operator==(const CPoint& other) const;
  bool operator!=(const CPoint& other) const;

  long h;
  long v;
};

// A rectangle in pixels. Fills and point tests treat it as half-open:
// right and bottom are the first column and row outside.
struct CRect {
  CRect(long left = 0, long top = 0, long right = 0, long bottom = 0)
      : left(left), top(top), right(right), bottom(bottom) {}
  CRect(const CRect& other) = default;
  CRect& operator=(const CRect& other) = default;

  // Assigns and puts the corners in order, whichever way round they came.
  CRect& operator()(long l, long t, long r, long b);
  CRect& offset(long dx, long dy);
  long width() const;
  long height() const;
  long getWidth() const;
  long getHeight() const;
  bool isEmpty() const;
  bool pointInside(const CPoint& where) const;
  bool rectOverlap(const CRect& other) const;
  // Intersects in place; disjoint rectangles leave a zero extent, never a
  // negative one.
  void bound(const CRect& other);
  bool operator==(const CRect& other) const;
  bool operator!=(const CRect& other) const;

  long left;
  long top;
  long right;
  long bottom;
};

// Red, green, blue and alpha bytes; alpha 255 is opaque. Drawing uses only
// the colour bytes, but comparisons include alpha.
struct CColor {
  CColor& operator()(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
  bool operator==(const CColor& other) const;
  bool operator!=(const CColor& other) const;

  unsigned char red;
  unsigned char green;
  unsigned char blue;
  unsigned char alpha;
};

extern CColor kTransparentCColor;
extern CColor kBlackCColor;
extern CColor kWhiteCColor;
extern CColor kGreyCColor;
extern CColor kRedCColor;
extern CColor kGreenCColor;
extern CColor kBlueCColor;
extern CColor kYellowCColor;
extern CColor kMagentaCColor;
extern CColor kCyanCColor;

//-----------------------------------------------------------------------------
// Reference counting and view attributes
//-----------------------------------------------------------------------------

// Base of every shared toolkit object. The creator holds the first
// reference; the last forget destroys the object.
class CReferenceCounter {
 public:
  CReferenceCounter();
  virtual ~CReferenceCounter();
  CReferenceCounter(const CReferenceCounter&) = delete;
  CReferenceCounter& operator=(const CReferenceCounter&) = delete;

  virtual void forget();
  virtual void remember();

 private:
  int32_t referenceCount;
};

typedef uint32_t CViewAttributeID;

// Attribute identifiers are four characters, the first one in the most
// significant byte.
constexpr CViewAttributeID makeViewAttributeID(char a, char b, char c, char d) {
  return (static_cast<CViewAttributeID>(static_cast<unsigned char>(a)) << 24) |
         (static_cast<CViewAttributeID>(static_cast<unsigned char>(b)) << 16) |
         (static_cast<CViewAttributeID>(static_cast<unsigned char>(c)) << 8) |
         static_cast<CViewAttributeID>(static_cast<unsigned char>(d));
}

constexpr CViewAttributeID kCViewAttributeReferencePointer = makeViewAttributeID('c', 'v', 'r', 'p');

// One tagged block of bytes in a view's attribute list; owns its block.
class CAttributeListEntry {
 public:
  CAttributeListEntry(long size, CViewAttributeID id);
  ~CAttributeListEntry();
  CAttributeListEntry(const CAttributeListEntry&) = delete;
  CAttributeListEntry& operator=(const CAttributeListEntry&) = delete;

  CAttributeListEntry* getNext() const;
  void setNext(CAttributeListEntry* entry);
  void* getPointer() const;
  long getSize() const;
  CViewAttributeID getID() const;

 private:
  CAttributeListEntry* next;
  void* data;
  long size;
  CViewAttributeID id;
};

//-----------------------------------------------------------------------------
// Shared definitions
//-----------------------------------------------------------------------------

// Indices into the standard font tables. Any int may arrive here from a
// caller; the drawing context maps the ones outside the table to 0.
enum CFont : int {
  kSystemFont = 0,
  kFontHuge,
  kFontLarge,
  kFontNormal,
  kFontSmall,
  kFontSmaller,
  kFontTiny,
  kSymbolFont,
  kNumStandardFonts
};

extern const char* const gStandardFontName[kNumStandardFonts];
extern const long gStandardFontSize[kNumStandardFonts];

// Compared by address: only this very pointer is the message.
extern const char* const kMsgCheckIfViewContainer;

//-----------------------------------------------------------------------------
// Drawing
//-----------------------------------------------------------------------------

enum CDrawStyle { kStrokeOnly = 0, kFillOnly, kFillAndStroke };

enum CLineStyle { kSolidLine = 0, kDottedLine };

enum CDrawMode { kDrawCopy = 0, kDrawOr, kDrawXor };

enum CHoriTxtAlign { kAlignLeft = 0, kAlignCenter, kAlignRight };

enum CTxtFace { kNormalFace = 0, kTextBold = 1, kTextItalic = 2, kTextUnderline = 4 };

// Mouse buttons and modifier keys as one bit set.
enum CButtonState {
  kMouseLeft = 1,
  kMouseMiddle = 2,
  kMouseRight = 4,
  kModShift = 8,
  kModControl = 16,
  kModAlt = 32
};

// Whether the user has swapped the primary and secondary mouse buttons. The
// frame's window-class set-up records it; the drawing context reads it.
extern bool bSwapped_mouse_buttons;

// One native drawing surface with its drawing state. Callers draw in their
// own coordinates; drawOffset moves everything onto the surface.
class CDrawContext : public CReferenceCounter {
 public:
  CDrawContext(CFrame* frame, void* systemContext, void* window);
  ~CDrawContext() override;

  void forget() override;

  HDC getSystemContext() const;

  // Drawing state: each setter does nothing when the value is unchanged
  // (except setFontColor), so callers may set everything before each drawing.
  void setLineStyle(CLineStyle style);
  void setLineWidth(long width);
  void setFrameColor(CColor color);
  void setFillColor(CColor color);
  void setFontColor(CColor color);
  void setDrawMode(CDrawMode mode);
  void setFont(CFont font, long size = 0, long style = 0);

  void setClipRect(const CRect& clip);
  CRect& getClipRect(CRect& clip) const;
  void resetClipRect();

  void moveTo(const CPoint& point);
  void lineTo(const CPoint& point);
  void drawLines(const CPoint* points, const long& numberOfLines);
  void polyLine(const CPoint* points, long numberOfPoints);
  void fillPolygon(const CPoint* points, long numberOfPoints);
  void drawPolygon(const CPoint* points, long numberOfPoints, CDrawStyle style = kStrokeOnly);

  void drawRect(const CRect& rect, CDrawStyle style = kStrokeOnly);
  void fillRect(const CRect& rect);
  void drawEllipse(const CRect& rect, CDrawStyle style = kStrokeOnly);
  void fillEllipse(const CRect& rect);
  void drawArc(const CRect& rect, const CPoint& point1, const CPoint& point2);
  void fillArc(const CRect& rect, const CPoint& point1, const CPoint& point2);
  void drawArc(const CRect& rect, float startAngle, float endAngle, CDrawStyle style = kStrokeOnly);

  void drawPoint(const CPoint& point, CColor color);
  CColor getPoint(const CPoint& point);
  void floodFill(const CPoint& start);

  long getStringWidth(const char* text);
  void drawString(const char* text, const CRect& rect, short opaque = 0, CHoriTxtAlign align = kAlignCenter);

  long getMouseButtons();
  void getMouseLocation(CPoint& point);
  bool waitDoubleClick();
  bool waitDrag();

  // Screen position of the window the context draws into; containers shift
  // it together with drawOffset while their children handle events.
  CPoint windowOrigin;
  // Added to every coordinate handed to a drawing operation.
  CPoint drawOffset;

 protected:
  friend class COffscreenContext;

  HDC systemContext;
  void* window;
  CFrame* frame;
  long fontSize;
  long fontStyle;
  CFont fontId;
  CColor fontColor;
  long lineWidth;
  CColor frameColor;
  CColor fillColor;
  CLineStyle lineStyle;
  CDrawMode drawMode;
  CRect clipRect;  // in surface coordinates
  GdiObject<HBRUSH> brush;
  GdiObject<HPEN> pen;
  GdiObject<HFONT> font;
  HGDIOBJ savedBrush;
  HGDIOBJ savedPen;
  HGDIOBJ savedFont;
  long penStyle;
  HDC ownedDC;
};

// A drawing context whose surface is a memory bitmap.
class COffscreenContext : public CDrawContext {
 public:
  COffscreenContext(CDrawContext* context, CBitmap* background, bool drawInBitmap = false);
  COffscreenContext(CFrame* frame, long width, long height, CColor background = kBlackCColor);
  ~COffscreenContext() override;

  // Copies srcRect of the other context (its drawOffset applied) to
  // destOffset of this surface: the other context is the source.
  void copyTo(CDrawContext* context, CRect& srcRect, CPoint destOffset = CPoint(0, 0));
  // Copies the area of destRect's size at srcOffset of this surface onto
  // destRect of the other context (its drawOffset applied).
  void copyFrom(CDrawContext* context, CRect destRect, CPoint srcOffset = CPoint(0, 0));

 protected:
  CBitmap* ownedBitmap;
  CBitmap* backgroundBitmap;
  long height;
  long width;
  bool destroySurface;
  CColor backgroundColor;
  HGDIOBJ savedSurfaceBitmap;
};

//-----------------------------------------------------------------------------
// Bitmaps
//-----------------------------------------------------------------------------

typedef BOOL(WINAPI* PFNALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
typedef BOOL(WINAPI* PFNTRANSPARENTBLT)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

// The optional entry points of the system image library, present only while
// a frame holds that library (see loadImageLibrary), and the platform version.
extern PFNALPHABLEND pfnAlphaBlend;
extern PFNTRANSPARENTBLT pfnTransparentBlt;
extern OSVERSIONINFOEXA gSystemVersion;

// Loads "msimg32.dll" and looks up its entry points; with recordVersion the
// platform version is stored in gSystemVersion. Each frame keeps the handle
// it gets and gives it back with freeImageLibrary.
HMODULE loadImageLibrary(bool recordVersion);
void freeImageLibrary(HMODULE library);

// One native image with a colour key and an optional transparency mask.
class CBitmap : public CReferenceCounter {
 public:
  explicit CBitmap(long resourceId);
  CBitmap(CFrame& frame, long width, long height);
  CBitmap();
  ~CBitmap() override;

  virtual void draw(CDrawContext* context, CRect& rect, const CPoint& offset = CPoint(0, 0));
  virtual void drawTransparent(CDrawContext* context, CRect& rect, const CPoint& offset = CPoint(0, 0));
  virtual void drawAlphaBlend(CDrawContext* context, CRect& rect, const CPoint& offset = CPoint(0, 0),
                              unsigned char alpha = 128);
  virtual void dispose();
  virtual bool loadFromResource(long resourceId);
  virtual bool loadFromPath(const void* path);

  long getWidth() const;
  long getHeight() const;
  HBITMAP getHandle() const;
  bool isLoaded() const;

  void setTransparentColor(CColor color);
  void setTransparencyMask(CDrawContext* context, const CPoint& offset = CPoint(0, 0));

 protected:
  long resourceId;
  long width;
  long height;
  CColor transparentColor;
  GdiObject<HBITMAP> handle;
  GdiObject<HBITMAP> mask;
};

}  // namespace PLUGGUI

#include "pluggui/cview.h"
#include "pluggui/cviewcontainer.h"
#include "pluggui/cframe.h"
#include "pluggui/cdragcontainer.h"

// Implemented by whoever must learn about value changes of controls; the
// controls only point to it and never delete it.
class CControlListener {
 public:
  virtual void valueChanged(PLUGGUI::CDrawContext* context, PLUGGUI::CControl* control) = 0;
  virtual long controlModifierClicked(PLUGGUI::CDrawContext* context, PLUGGUI::CControl* control,
                                      long button);

 protected:
  ~CControlListener() = default;
};
