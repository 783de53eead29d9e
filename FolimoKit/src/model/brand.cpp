#include "folimo/brand.hpp"

#include "model/hash_combine.hpp"
#include "model/unicode_trim.hpp"

#include <cctype>
#include <string_view>

namespace folimo {
namespace {

// Whether text starts with a space and the word "pages" in any case ("pages!" but not
// "pageset").
bool startsWithPagesWord(std::string_view text) {
    if (text.size() < 6 || text[0] != ' ') return false;
    for (std::size_t i = 0; i < 5; ++i)
        if (std::tolower(static_cast<unsigned char>(text[i + 1])) != "pages"[i]) return false;
    return text.size() == 6 || !std::isalpha(static_cast<unsigned char>(text[6]));
}

} // namespace

std::string Brand::badgeText(std::int64_t pageCount) const {
    constexpr std::string_view placeholder = "{pages}";
    const std::string number = std::to_string(pageCount);
    std::string text;
    std::string_view rest = badge;
    for (auto at = rest.find(placeholder); at != std::string_view::npos;
         at = rest.find(placeholder)) {
        text.append(rest.substr(0, at)).append(number);
        rest.remove_prefix(at + placeholder.size());
        if (pageCount == 1 && startsWithPagesWord(rest)) {
            // "1 pages" reads "1 page"; the rest stays as the seller typed it.
            text.append(rest.substr(0, 5));
            rest.remove_prefix(6);
        }
    }
    text.append(rest);
    return std::string(trimWhitespaceAndNewlines(text));
}

const Brand& Brand::classic() {
    static const Brand brand{*Uuid::parse("6B1F7C2E-4A55-4E0B-9D39-1C0A2F5B7E01"),
                             "Classic",
                             "Avenir Next",
                             RGBColor::fromHex(0xF5EFE4),
                             RGBColor::fromHex(0xD9692B),
                             RGBColor::fromHex(0x2E2A26),
                             "{pages} pages"};
    return brand;
}

const Brand& Brand::chalkboard() {
    static const Brand brand{Uuid::random(),
                             "Chalkboard",
                             "Chalkboard SE",
                             RGBColor::fromHex(0x2F4A3E),
                             RGBColor::fromHex(0xF2C14E),
                             RGBColor::fromHex(0xFBF8F1),
                             "Print & go"};
    return brand;
}

const Brand& Brand::bright() {
    static const Brand brand{Uuid::random(),
                             "Bright",
                             "Futura",
                             RGBColor::fromHex(0xE8F3F8),
                             RGBColor::fromHex(0x2E86C1),
                             RGBColor::fromHex(0x17324D),
                             "No prep"};
    return brand;
}

const std::vector<std::string>& Brand::fontFamilies() {
    static const std::vector<std::string> families{
        "Avenir Next",         "Futura",        "Gill Sans",
        "Helvetica Neue",      "Georgia",       "Baskerville",
        "American Typewriter", "Chalkboard SE", "Marker Felt",
        "Noteworthy",          "Rockwell",      "Didot"};
    return families;
}

} // namespace folimo

std::size_t std::hash<folimo::Brand>::operator()(const folimo::Brand& brand) const noexcept {
    return folimo::HashCombine()
        .add(brand.id)
        .add(brand.name)
        .add(brand.fontFamily)
        .add(brand.background)
        .add(brand.accent)
        .add(brand.text)
        .add(brand.badge)
        .add(brand.keepBadgeInSquare)
        .value();
}
