#pragma once

#include <string>
#include <string_view>

// The fonts the library draws text in.
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

} // namespace folimo
