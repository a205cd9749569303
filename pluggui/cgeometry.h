/// @file
/// Points, rectangles and colours in whole pixels and bytes, and the named colours.
#pragma once

/// The toolkit an editor builds its window from: a tree of views rooted in a frame, drawn
/// through reference-counted drawing contexts. Coordinates are pixels, h to the right and v
/// downwards.
namespace PLUGGUI {

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

}  // namespace PLUGGUI
