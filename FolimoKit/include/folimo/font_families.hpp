#pragma once

#include <string>
#include <string_view>
#include <vector>

// The font families a brand can name, and what its text is drawn in on this system. Safe to
// call from any thread (the text lock is taken inside).
namespace folimo {

// Every font family installed on this system, each once, in alphabetical order without
// regard to case.
std::vector<std::string> installedFontFamilies();

// How text in a brand's family is drawn here: in the family itself when it is installed
// (compared without case), else in its free look-alike for a brand family whose own face is
// not free (Avenir Next is drawn in Lato), else in the system's interface font.
struct FontFamilyResolution {
    enum class Kind { installed, lookAlike, missing };
    Kind kind = Kind::missing;
    std::string drawnWith; // the installed family the text is drawn in

    bool operator==(const FontFamilyResolution&) const = default;
};
FontFamilyResolution resolveFontFamily(std::string_view family);

} // namespace folimo
