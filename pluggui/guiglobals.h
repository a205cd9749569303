/// @file
/// Definitions the whole toolkit shares: the standard fonts and the message by which a
/// view asks whether another is a container.
#pragma once

namespace PLUGGUI {

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

}  // namespace PLUGGUI
