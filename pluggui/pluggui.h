/// @file
/// The plug-in's GUI toolkit: geometry and colour values, reference counting,
/// drawing contexts over GDI, bitmaps, views and containers, the frame in its
/// native window, and drag and drop. Everything lives in the namespace
/// PLUGGUI except the control-listener interface, which editors implement.
#pragma once

#include <windows.h>

#include <cstdint>

#include "pluggui/gdiobject.h"

/// The toolkit an editor builds its window from: a tree of views rooted in a frame, drawn
/// through reference-counted drawing contexts. Coordinates are pixels, h to the right and v
/// downwards.
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

/// A position in pixels: h grows to the right, v downwards.
struct CPoint {
  /// The point (h, v); the origin by default.
  CPoint(long h = 0, long v = 0) : h(h), v(v) {}

  /// Sets both coordinates; returns this point, for chaining.
  CPoint& operator()(long newH, long newV);
  /// Moves the point by dx and dy; returns this point.
  CPoint& offset(long dx, long dy);
  /// Whether the point lies in rect. Edges count on all four sides: a click on
  /// a view's right or bottom border line still hits it.
  bool isInside(const CRect& rect) const;
  /// Equal when both coordinates are.
  bool operator==(const CPoint& other) const;
  /// Different when either coordinate is.
  bool operator!=(const CPoint& other) const;

  long h;  ///< Horizontal position, growing to the right.
  long v;  ///< Vertical position, growing downwards.
};

/// A rectangle in pixels. Fills and point tests treat it as half-open:
/// right and bottom are the first column and row outside.
struct CRect {
  /// The rectangle with these edges, taken as given: the corners are not put in order.
  CRect(long left = 0, long top = 0, long right = 0, long bottom = 0)
      : left(left), top(top), right(right), bottom(bottom) {}
  /// Copies all four edges.
  CRect(const CRect& other) = default;
  /// Copies all four edges.
  CRect& operator=(const CRect& other) = default;

  /// Assigns and puts the corners in order, whichever way round they came.
  CRect& operator()(long l, long t, long r, long b);
  /// Moves the rectangle by dx and dy, keeping its size; returns this rectangle.
  CRect& offset(long dx, long dy);
  /// right - left: negative for a rectangle turned inside out.
  long width() const;
  /// bottom - top: negative for a rectangle turned inside out.
  long height() const;
  /// The same as width().
  long getWidth() const;
  /// The same as height().
  long getHeight() const;
  /// Whether no pixel lies inside: zero or negative width or height.
  bool isEmpty() const;
  /// Whether where lies inside, half-open: the right column and bottom row are outside.
  bool pointInside(const CPoint& where) const;
  /// Whether the two rectangles share any point, edges included: rectangles that only touch
  /// count as overlapping.
  bool rectOverlap(const CRect& other) const;
  /// Intersects in place; disjoint rectangles leave a zero extent, never a
  /// negative one.
  void bound(const CRect& other);
  /// Equal when all four edges are.
  bool operator==(const CRect& other) const;
  /// Different when any edge is.
  bool operator!=(const CRect& other) const;

  long left;    ///< First column inside.
  long top;     ///< First row inside.
  long right;   ///< First column outside, to the right.
  long bottom;  ///< First row outside, below.
};

/// Red, green, blue and alpha bytes; alpha 255 is opaque. Drawing uses only
/// the colour bytes, but comparisons include alpha.
struct CColor {
  /// Sets all four bytes; returns this colour, for chaining.
  CColor& operator()(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
  /// Equal when all four bytes are, alpha included.
  bool operator==(const CColor& other) const;
  /// Different when any byte is, alpha included.
  bool operator!=(const CColor& other) const;

  unsigned char red;    ///< Red, 0 to 255.
  unsigned char green;  ///< Green, 0 to 255.
  unsigned char blue;   ///< Blue, 0 to 255.
  unsigned char alpha;  ///< Opacity, 0 (none) to 255 (opaque).
};

extern CColor kTransparentCColor;  ///< White with alpha 0: every bitmap's colour key to start with.
extern CColor kBlackCColor;        ///< 0, 0, 0, opaque.
extern CColor kWhiteCColor;        ///< 255, 255, 255, opaque.
extern CColor kGreyCColor;         ///< 127, 127, 127, opaque.
extern CColor kRedCColor;          ///< 255, 0, 0, opaque.
extern CColor kGreenCColor;        ///< 0, 255, 0, opaque.
extern CColor kBlueCColor;         ///< 0, 0, 255, opaque.
extern CColor kYellowCColor;       ///< 255, 255, 0, opaque.
extern CColor kMagentaCColor;      ///< 255, 0, 255, opaque.
extern CColor kCyanCColor;         ///< 0, 255, 255, opaque.

//-----------------------------------------------------------------------------
// Reference counting and view attributes
//-----------------------------------------------------------------------------

/// Base of every shared toolkit object. The creator holds the first
/// reference; the last forget destroys the object.
class CReferenceCounter {
 public:
  /// Starts with one reference, the creator's.
  CReferenceCounter();
  /// Runs from the last forget; an object others may still hold is never deleted directly.
  virtual ~CReferenceCounter();
  CReferenceCounter(const CReferenceCounter&) = delete;
  CReferenceCounter& operator=(const CReferenceCounter&) = delete;

  /// Gives back one reference; the last one deletes the object, so the caller must not touch
  /// it afterwards.
  virtual void forget();
  /// Takes one more reference, to be given back with forget.
  virtual void remember();

 private:
  int32_t referenceCount;
};

/// Tag of one attribute in a view's attribute list (see CView::setAttribute).
typedef uint32_t CViewAttributeID;

/// Attribute identifiers are four characters, the first one in the most
/// significant byte.
constexpr CViewAttributeID makeViewAttributeID(char a, char b, char c, char d) {
  return (static_cast<CViewAttributeID>(static_cast<unsigned char>(a)) << 24) |
         (static_cast<CViewAttributeID>(static_cast<unsigned char>(b)) << 16) |
         (static_cast<CViewAttributeID>(static_cast<unsigned char>(c)) << 8) |
         static_cast<CViewAttributeID>(static_cast<unsigned char>(d));
}

/// The tag 'cvrp', under which an editor may keep a pointer of its own on a view; the
/// attribute holds the pointer's bytes, and the toolkit never reads it.
constexpr CViewAttributeID kCViewAttributeReferencePointer = makeViewAttributeID('c', 'v', 'r', 'p');

/// One tagged block of bytes in a view's attribute list; owns its block.
class CAttributeListEntry {
 public:
  /// Allocates size bytes, not initialised. A size of 0 or less asks for nothing, and a block
  /// that cannot be had leaves an entry of size 0, so getSize never promises more than is there.
  CAttributeListEntry(long size, CViewAttributeID id);
  /// Frees the block; the next entry is the list owner's to delete.
  ~CAttributeListEntry();
  CAttributeListEntry(const CAttributeListEntry&) = delete;
  CAttributeListEntry& operator=(const CAttributeListEntry&) = delete;

  /// The following entry of the list, or null at its end.
  CAttributeListEntry* getNext() const;
  /// Links entry after this one, without taking it over.
  void setNext(CAttributeListEntry* entry);
  /// The block, or null when the entry has size 0.
  void* getPointer() const;
  /// Size of the block in bytes, fixed for the entry's life.
  long getSize() const;
  /// The tag the entry was made with.
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

/// Indices into the standard font tables. Any int may arrive here from a
/// caller; the drawing context maps the ones outside the table to 0.
enum CFont : int {
  kSystemFont = 0,   ///< Arial, 12 pixels, always bold.
  kFontHuge,         ///< Arial, 18 pixels.
  kFontLarge,        ///< Arial, 14 pixels.
  kFontNormal,       ///< Arial, 12 pixels.
  kFontSmall,        ///< Arial, 11 pixels.
  kFontSmaller,      ///< Arial, 10 pixels.
  kFontTiny,         ///< Arial, 9 pixels.
  kSymbolFont,       ///< The Symbol face, 13 pixels.
  kNumStandardFonts  ///< Number of standard fonts; not a font itself.
};

/// Face name of each standard font, indexed by CFont.
extern const char* const gStandardFontName[kNumStandardFonts];
/// Character height in pixels each standard font gets when setFont is given no size.
extern const long gStandardFontSize[kNumStandardFonts];

/// The notify message a view container answers with 1, by which a view tells whether its
/// parent is one. Compared by address: only this very pointer is the message.
extern const char* const kMsgCheckIfViewContainer;

//-----------------------------------------------------------------------------
// Drawing
//-----------------------------------------------------------------------------

/// Which parts of a shape a drawing operation paints.
enum CDrawStyle { kStrokeOnly = 0, kFillOnly, kFillAndStroke };
/// @var kStrokeOnly
/// The outline alone, with the pen (frame colour, line width and style).
/// @var kFillOnly
/// The interior alone, with the fill colour and no outline.
/// @var kFillAndStroke
/// The interior first, then the outline over it.

/// How lines are drawn.
enum CLineStyle { kSolidLine = 0, kDottedLine };
/// @var kSolidLine
/// An unbroken line.
/// @var kDottedLine
/// A dotted line.

/// How lines and filled shapes combine with the pixels already on the surface; bitmap
/// transfers are not affected.
enum CDrawMode { kDrawCopy = 0, kDrawOr, kDrawXor };
/// @var kDrawCopy
/// The colour replaces the pixel.
/// @var kDrawOr
/// The colour's bits are or-ed into the pixel.
/// @var kDrawXor
/// An exclusive-or mix: drawing the same shape twice puts the surface back as it was.

/// Horizontal placement of text in its rectangle; it is always centred vertically.
enum CHoriTxtAlign { kAlignLeft = 0, kAlignCenter, kAlignRight };
/// @var kAlignLeft
/// Against the left edge, one pixel in.
/// @var kAlignCenter
/// Centred.
/// @var kAlignRight
/// Against the right edge.

/// Font style bits, to be or-ed together for CDrawContext::setFont.
enum CTxtFace { kNormalFace = 0, kTextBold = 1, kTextItalic = 2, kTextUnderline = 4 };
/// @var kNormalFace
/// No style bit: upright, normal weight.
/// @var kTextBold
/// Bold weight.
/// @var kTextItalic
/// Italic.
/// @var kTextUnderline
/// Underlined.

/// Mouse buttons and modifier keys as one bit set.
enum CButtonState {
  kMouseLeft = 1,    ///< The primary button, even when the user has swapped the buttons.
  kMouseMiddle = 2,  ///< The middle button.
  kMouseRight = 4,   ///< The secondary button.
  kModShift = 8,     ///< Shift held.
  kModControl = 16,  ///< Control held.
  kModAlt = 32       ///< Alt held.
};

/// Whether the user has swapped the primary and secondary mouse buttons. The
/// frame's window-class set-up records it; the drawing context reads it.
extern bool bSwapped_mouse_buttons;

/// One native drawing surface with its drawing state. Callers draw in their
/// own coordinates; drawOffset moves everything onto the surface. The toolkit
/// makes one for each paint, event or drawing pass and forgets it afterwards.
class CDrawContext : public CReferenceCounter {
 public:
  /// A context for frame (not a counted reference), drawing into systemContext, a device
  /// context the caller keeps and releases; without one it gets window's own and releases it
  /// at its end. window's screen position becomes windowOrigin. The clip starts as the frame's
  /// area (1000 by 1000 pixels without a frame), and the state as a white one-pixel solid pen,
  /// black fill, white text in the system font, and copy mode.
  CDrawContext(CFrame* frame, void* systemContext, void* window);
  /// Gives the surface back the pen, brush and font it had before, then deletes the
  /// context's own.
  ~CDrawContext() override;

  /// Gives back one reference, as every shared object does.
  void forget() override;

  /// The native device context drawn into; null when the context got none.
  HDC getSystemContext() const;

  // Drawing state: each setter does nothing when the value is unchanged
  // (except setFontColor), so callers may set everything before each drawing.
  /// Solid or dotted lines for the outlines drawn from now on.
  void setLineStyle(CLineStyle style);
  /// Pen width in pixels.
  void setLineWidth(long width);
  /// Colour of lines and outlines.
  void setFrameColor(CColor color);
  /// Colour of interiors, also laid under opaque text.
  void setFillColor(CColor color);
  /// Colour of text.
  void setFontColor(CColor color);
  /// How lines and shapes combine with the pixels below.
  void setDrawMode(CDrawMode mode);
  /// Text font: a standard font (an index outside the table means kSystemFont), its character
  /// height in pixels (0: the font's standard size) and CTxtFace bits.
  void setFont(CFont font, long size = 0, long style = 0);

  /// Limits all drawing to clip, in the caller's coordinates; an empty clip lets nothing through.
  void setClipRect(const CRect& clip);
  /// Copies the clip, in the caller's coordinates, into clip and returns it.
  CRect& getClipRect(CRect& clip) const;
  /// Sets the clip to the frame's whole area (1000 by 1000 pixels without a frame).
  void resetClipRect();

  /// Moves the pen to point without drawing.
  void moveTo(const CPoint& point);
  /// Draws a line from the pen's position up to point, which itself stays unpainted, and
  /// leaves the pen there.
  void lineTo(const CPoint& point);
  /// Draws numberOfLines separate lines, each from one point of a pair to the other: points
  /// holds twice as many entries.
  void drawLines(const CPoint* points, const long& numberOfLines);
  /// Draws connected lines through numberOfPoints points.
  void polyLine(const CPoint* points, long numberOfPoints);
  /// Paints the polygon's interior with the fill colour, without an outline.
  void fillPolygon(const CPoint* points, long numberOfPoints);
  /// Draws the polygon through the points as style says; it is closed only when filled.
  void drawPolygon(const CPoint* points, long numberOfPoints, CDrawStyle style = kStrokeOnly);

  /// Draws rect as style says: the fill covers the half-open rectangle, and the outline its
  /// border pixels inside it, each once. An empty rectangle draws nothing.
  void drawRect(const CRect& rect, CDrawStyle style = kStrokeOnly);
  /// Paints rect with the fill colour except its top row and left column, which are left to
  /// an outline: from left + 1 and top + 1 up to, not including, right and bottom.
  void fillRect(const CRect& rect);
  /// Draws the outline of the ellipse inscribed in rect. Only the outline, whatever the style
  /// says: fillEllipse paints the interior.
  void drawEllipse(const CRect& rect, CDrawStyle style = kStrokeOnly);
  /// Paints the interior of the ellipse inscribed in rect with the fill colour.
  void fillEllipse(const CRect& rect);
  /// Draws part of the outline of the ellipse inscribed in rect: counter-clockwise from where
  /// the line from its centre to point1 crosses it to where the line to point2 does.
  void drawArc(const CRect& rect, const CPoint& point1, const CPoint& point2);
  /// Paints the pie slice between the same two lines as drawArc with the fill colour.
  void fillArc(const CRect& rect, const CPoint& point1, const CPoint& point2);
  /// Draws the part of the ellipse inscribed in rect from startAngle to endAngle, in degrees
  /// counter-clockwise from three o'clock: a filled pie slice and/or the arc, as style says.
  void drawArc(const CRect& rect, float startAngle, float endAngle, CDrawStyle style = kStrokeOnly);

  /// Sets one pixel to color.
  void drawPoint(const CPoint& point, CColor color);
  /// The colour of one pixel, opaque.
  CColor getPoint(const CPoint& point);
  /// Paints with the fill colour the area around start that has start's colour.
  void floodFill(const CPoint& start);

  /// Width in pixels of text in the current font; 0 for null.
  long getStringWidth(const char* text);
  /// Draws text on one line, centred vertically in rect and placed horizontally as align
  /// says, in the font colour; a non-zero opaque lays it on the fill colour.
  void drawString(const char* text, const CRect& rect, short opaque = 0, CHoriTxtAlign align = kAlignCenter);

  /// The mouse buttons and modifier keys held now, as CButtonState bits.
  long getMouseButtons();
  /// The pointer's position now, relative to windowOrigin: in the window's coordinates, or in
  /// a container's while it has shifted the context.
  void getMouseLocation(CPoint& point);
  /// Called right after a click: waits for a second press of the primary button within the
  /// system's double-click time, and takes it. False once the time is up or the pointer
  /// strays more than a pixel or two.
  bool waitDoubleClick();
  /// Called right after a press: waits, running the frame's idle step, until the pointer
  /// leaves a small square around where it was (true: a drag) or the primary button comes up
  /// (false). False without a frame.
  bool waitDrag();

  /// Screen position of the window the context draws into; containers shift
  /// it together with drawOffset while their children handle events.
  CPoint windowOrigin;
  /// Added to every coordinate handed to a drawing operation.
  CPoint drawOffset;

 protected:
  friend class COffscreenContext;

  HDC systemContext;         ///< The surface drawn into; an off-screen context's memory context.
  /// The window whose device context and position the context uses; an off-screen context
  /// keeps its surface bitmap here.
  void* window;
  CFrame* frame;             ///< The frame drawn for, or null; not a counted reference.
  long fontSize;             ///< Character height of the current font in pixels; -1 before any.
  long fontStyle;            ///< CTxtFace bits of the current font.
  CFont fontId;              ///< The current standard font.
  CColor fontColor;          ///< Text colour.
  long lineWidth;            ///< Pen width in pixels.
  CColor frameColor;         ///< Pen colour.
  CColor fillColor;          ///< Brush colour, also under opaque text.
  CLineStyle lineStyle;      ///< Pen style as asked for.
  CDrawMode drawMode;        ///< How drawing combines with the pixels below.
  CRect clipRect;            ///< in surface coordinates
  GdiObject<HBRUSH> brush;   ///< The brush made for fillColor, selected into the surface.
  GdiObject<HPEN> pen;       ///< The pen made for the line settings, selected into the surface.
  GdiObject<HFONT> font;     ///< The font made for the font settings, selected into the surface.
  HGDIOBJ savedBrush;        ///< The surface's own brush, put back at the context's end.
  HGDIOBJ savedPen;          ///< The surface's own pen, put back at the context's end.
  HGDIOBJ savedFont;         ///< The surface's own font, put back at the context's end.
  long penStyle;             ///< The native pen style that lineStyle stands for.
  HDC ownedDC;               ///< The window's device context the context got and releases itself.
};

/// A drawing context whose surface is a memory bitmap. Containers paint into one
/// and copy the painted area out in one go, so that nothing flickers.
class COffscreenContext : public CDrawContext {
 public:
  /// A surface of background's size (20 by 20 pixels without one) in the format of context's
  /// surface, or of the screen without a context. With drawInBitmap and a bitmap that has an
  /// image, drawing goes straight into that image; otherwise the surface starts as a copy of
  /// the bitmap, or black. The bitmap is not remembered: it must outlive the context.
  COffscreenContext(CDrawContext* context, CBitmap* background, bool drawInBitmap = false);
  /// A surface of width by height pixels in the format of frame's window (of the screen without
  /// one), every pixel of it the background colour.
  COffscreenContext(CFrame* frame, long width, long height, CColor background = kBlackCColor);
  /// Deletes the memory context, and the surface bitmap when it is the context's own.
  ~COffscreenContext() override;

  /// Copies srcRect of the other context (its drawOffset applied) to
  /// destOffset of this surface: the other context is the source.
  void copyTo(CDrawContext* context, CRect& srcRect, CPoint destOffset = CPoint(0, 0));
  /// Copies the area of destRect's size at srcOffset of this surface onto
  /// destRect of the other context (its drawOffset applied).
  void copyFrom(CDrawContext* context, CRect destRect, CPoint srcOffset = CPoint(0, 0));

 protected:
  CBitmap* ownedBitmap;        ///< Held with one reference, forgotten at the end; never set yet.
  CBitmap* backgroundBitmap;   ///< The bitmap the context was made from; not a counted reference.
  long height;                 ///< Surface height in pixels.
  long width;                  ///< Surface width in pixels.
  bool destroySurface;         ///< Whether the surface bitmap is the context's own to delete.
  CColor backgroundColor;      ///< The colour a sized surface starts with; black otherwise.
  HGDIOBJ savedSurfaceBitmap;  ///< The memory context's first bitmap, put back before deleting it.
};

//-----------------------------------------------------------------------------
// Bitmaps
//-----------------------------------------------------------------------------

/// The system's blending transfer, called through pfnAlphaBlend.
typedef BOOL(WINAPI* PFNALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
/// The system's colour-keyed transfer, called through pfnTransparentBlt.
typedef BOOL(WINAPI* PFNTRANSPARENTBLT)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);

// The optional entry points of the system image library, present only while
// a frame holds that library (see loadImageLibrary), and the platform version.
/// The image library's blending entry point, or null while no frame holds the library.
extern PFNALPHABLEND pfnAlphaBlend;
/// The image library's colour-keyed transfer, taken on the NT family only; null otherwise and
/// while no frame holds the library. The toolkit's own colour-keyed drawing goes through masks.
extern PFNTRANSPARENTBLT pfnTransparentBlt;
/// The platform version, as the last frame made inside a host's window recorded it.
extern OSVERSIONINFOEXA gSystemVersion;

/// Loads "msimg32.dll" and looks up its entry points; with recordVersion the
/// platform version is stored in gSystemVersion. Each frame keeps the handle
/// it gets and gives it back with freeImageLibrary.
HMODULE loadImageLibrary(bool recordVersion);
/// Gives back a handle from loadImageLibrary; null is ignored. When the last holder lets go,
/// the entry points are cleared and the kept image contexts released.
void freeImageLibrary(HMODULE library);

/// One native image with a colour key and an optional transparency mask.
/// Views and controls hold it by reference counting.
class CBitmap : public CReferenceCounter {
 public:
  /// The bitmap resource resourceId of the plug-in's module (the low 16 bits count);
  /// isLoaded tells whether there was one.
  explicit CBitmap(long resourceId);
  /// An image of width by height pixels in the screen's format, its content undefined, to be
  /// drawn into; a size that cannot make an image leaves the bitmap without one. frame is
  /// not used.
  CBitmap(CFrame& frame, long width, long height);
  /// A bitmap without an image, to be loaded later.
  CBitmap();
  /// Releases the image and the mask.
  ~CBitmap() override;

  /// Copies the image, opaque, into rect of the context (its drawOffset applied), starting at
  /// offset in the image; rect sets the size. Nothing without an image or for an empty rect.
  virtual void draw(CDrawContext* context, CRect& rect, const CPoint& offset = CPoint(0, 0));
  /// Like draw, but the pixels the mask marks, or without a mask those of the transparent
  /// colour, leave the surface as it was.
  virtual void drawTransparent(CDrawContext* context, CRect& rect, const CPoint& offset = CPoint(0, 0));
  /// Like draw, laid over the surface with a constant opacity from 0 (none) to 255; without the
  /// blending entry point the image is drawn opaque, unless alpha is 0.
  virtual void drawAlphaBlend(CDrawContext* context, CRect& rect, const CPoint& offset = CPoint(0, 0),
                              unsigned char alpha = 128);
  /// Releases the image and the mask; the size becomes 0 by 0.
  virtual void dispose();
  /// Replaces the image by the module's bitmap resource resourceId; false when there is none.
  virtual bool loadFromResource(long resourceId);
  /// Images come from the module's resources only: drops the image and returns false.
  virtual bool loadFromPath(const void* path);

  /// Width of the image in pixels; 0 without one.
  long getWidth() const;
  /// Height of the image in pixels; 0 without one.
  long getHeight() const;
  /// The native image, still owned by the bitmap; the caller may select it into a device
  /// context of its own.
  HBITMAP getHandle() const;
  /// Whether the bitmap has an image.
  bool isLoaded() const;

  /// The colour key of drawTransparent; alpha does not count. White to start with.
  void setTransparentColor(CColor color);
  /// Makes the mask drawTransparent uses instead of the key: it marks the pixels that show the
  /// transparent colour in the bitmap-sized area at offset of the context's surface, where the
  /// image is expected to be drawn already. Without an image or context the mask is dropped.
  void setTransparencyMask(CDrawContext* context, const CPoint& offset = CPoint(0, 0));

 protected:
  long resourceId;              ///< The resource the constructor loaded; 0 for the others.
  long width;                   ///< Image width in pixels; 0 without an image.
  long height;                  ///< Image height in pixels; 0 without an image.
  CColor transparentColor;      ///< The colour key of drawTransparent.
  GdiObject<HBITMAP> handle;    ///< The image, owned.
  GdiObject<HBITMAP> mask;      ///< One-bit transparency mask, owned; null: the colour key counts.
};

}  // namespace PLUGGUI

#include "pluggui/cview.h"
#include "pluggui/cviewcontainer.h"
#include "pluggui/cframe.h"
#include "pluggui/cdragcontainer.h"

/// Implemented by whoever must learn about value changes of controls; the
/// controls only point to it and never delete it.
class CControlListener {
 public:
  /// Called when the user has changed control's value (mouse, wheel or key), inside the
  /// control's edit gesture. context, which may be null, draws in the control's parent's
  /// coordinates.
  virtual void valueChanged(PLUGGUI::CDrawContext* context, PLUGGUI::CControl* control) = 0;
  /// Called first when control is clicked with a modifier key held; button holds the
  /// CButtonState bits. A non-zero answer takes the click and the control ignores it; the
  /// default answers 0.
  virtual long controlModifierClicked(PLUGGUI::CDrawContext* context, PLUGGUI::CControl* control,
                                      long button);

 protected:
  /// Not deleted through this interface.
  ~CControlListener() = default;
};
