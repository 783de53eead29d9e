#pragma once

#include "folimo/color.hpp"
#include "folimo/geometry.hpp"

#include <cairo.h>
#include <mutex>
#include <string>
#include <string_view>

// Text for every drawing of the library: measuring, fitting and drawing single lines and
// wrapped frames in the fonts font() resolves. Pango and fontconfig are not thread-safe, so every
// call here runs under the one process-wide recursive text lock; callers may also hold it around
// several calls. Never hold it while holding a SourcePDF's lock.
namespace folimo {

// A font resolved to an installed family, at a size in user-space units (pixels of a
// bitmap, points of a PDF page).
struct Font {
    std::string family; // the installed family used
    double size = 12;
    bool bold = false;

    bool operator==(const Font&) const = default;
};

// The font for a brand family: the family itself when installed (compared without case),
// else its free look-alike (Avenir Next -> Lato, Futura -> League Spartan, ...), else the
// system interface font, else Nimbus Sans. Never fails. Resolutions are cached for the
// life of the process. Safe to call from any thread (it takes the library's text lock).
Font font(std::string_view family, double size, bool bold);

// The process-wide recursive lock around every font lookup, measurement and text drawing.
std::recursive_mutex& textLock();

// No picture of the library shows more than a few hundred characters of one text legibly
// (a title at its smallest size fills its block with about that many), while laying out
// longer ones costs time and memory without bound. Every function below lays out at most
// this many user-perceived characters of a text; a longer text is cut there, at a
// character boundary, and ends with "…".
constexpr std::size_t longestShownText = 400;
// Nor more bytes than this (room for long clusters: combining marks, emoji sequences).
constexpr std::size_t shownTextBytes = 16 * longestShownText;

// The text as the functions below lay it out: itself, or its start cut as above.
std::string shownText(std::string_view text);

// One line of text: its typographic width and its height (ascent + descent). letterSpacing
// is the extra space after each character that drawLine would add, in user units.
Size measure(std::string_view text, const Font& font, double letterSpacing = 0);

// The font's cap height in user-space units.
double capHeight(const Font& font);

// The text wrapped to width and centred (lines broken at words; a word wider than width is
// broken between characters): the width of its widest line and the height it needs.
Size wrappedSize(std::string_view text, const Font& font, double width);

// The largest font from start down in 8 % steps for which the text, wrapped to width,
// fits height and no single word is wider than width; the minimum size when none does.
Font fittedFont(std::string_view text, std::string_view family, double width, double height,
                double start, double minimum, bool bold);

// Draws one line with its baseline origin at (x, y) of cr's y-up user space. letterSpacing
// is extra space after each character, in user units.
void drawLine(cairo_t* cr, std::string_view text, const Font& font, const RGBColor& color,
              double alpha, Point baselineOrigin, double letterSpacing = 0);

// Draws one line centred on centre: its middle at centre.x and its baseline half a cap
// height below centre.y, so that capitals sit exactly in the middle.
void drawCentredLine(cairo_t* cr, std::string_view text, const Font& font, const RGBColor& color,
                     double alpha, Point centre, double letterSpacing = 0);

// Draws the text wrapped to frame.width, each line centred, the first line at the top of
// frame (y-up). When more lines would not fit the frame's height, the last line that fits
// ends with an ellipsis.
void drawWrapped(cairo_t* cr, std::string_view text, const Font& font, const RGBColor& color,
                 double alpha, const Rect& frame);

} // namespace folimo
