#pragma once

#include "folimo/brand.hpp"

#include <QString>
#include <vector>

// What the brand editor offers a brand and what it warns of: the font families the brand can
// name, a family that isn't on this system, and colours too close to be read one on the other.
// Fonts are looked up through the library, which knows what is installed.
namespace folimo::BrandAdvice {

// A font family the editor offers.
struct FontChoice {
    QString family;    // what the brand stores
    QString shown;     // its name in the picker
    QString drawnWith; // the installed family its text is drawn in
    bool operator==(const FontChoice&) const = default;
};
// The brand families first, in Brand::fontFamilies() order, each named by what it draws here
// (“Lato (for Avenir Next)” where a look-alike stands in for it), then every family installed
// on this system, by name; last current, the family a brand stores, when it is none of those.
std::vector<FontChoice> fontChoices(const QString& current);
// For a family that neither is installed here nor has a look-alike that is: “Garamond Pro
// isn’t installed here; the images use Lato.”; otherwise empty.
QString missingFontNotice(const QString& family);

// Two colours of a brand that the images show one on the other.
enum class ColorPair { titleOnBackground, badgeTextOnBadge };
// The least contrast those pairs need to be read in a shop's thumbnails (3 : 1, as large text
// needs).
constexpr double readableContrast = 3.0;
// The pairs under readableContrast, in ColorPair order; the badge's only while the brand has
// a badge. The badge's text is drawn in the colour that contrasts with the badge colour.
std::vector<ColorPair> hardToRead(const Brand& brand);
// The warning the editor shows for a pair: “The title is hard to read on this background.”
QString warning(ColorPair pair);

} // namespace folimo::BrandAdvice
