/// @file
/// The drawing context: one native surface with its pen, brush, font and clip, the
/// drawing operations in the caller's coordinates, and the mouse as the context sees it.
#pragma once

#include <windows.h>

#include "pluggui/cgeometry.h"
#include "pluggui/creferencecounter.h"
#include "pluggui/gdiobject.h"
#include "pluggui/guiglobals.h"

namespace PLUGGUI {

class CFrame;

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

}  // namespace PLUGGUI
