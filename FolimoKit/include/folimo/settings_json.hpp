#pragma once

#include "folimo/brand.hpp"
#include "folimo/settings.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace folimo {

// The stored JSON form of the settings values: objects whose keys are exactly the field
// names (PixelSize {width, height}, RGBColor {red, green, blue}, enumerations and UUIDs as
// their stored texts, layouts as an array of texts in any order). Encoding never throws;
// bytes that are not UTF-8 in a text are written as U+FFFD.
//
// Decoding is strict: every key present (but for a brand's keepBadgeInSquare, which brands
// stored before it existed lack: absent reads as false), every type right (an integer is
// accepted where a double is stored, never a fraction where an integer is, never a Boolean
// for a number), numbers finite, integers within 64 bits, every enumeration and UUID text
// valid, no layout listed twice. Keys beyond the field names are ignored. Nothing is
// clamped or repaired. A decode either gives the whole value or nothing and never throws;
// when it gives nothing and `problem` is not null, it is set to a short English account of
// the first fault found, naming where it is ("settings.preview: key \"opacity\" is
// missing").

std::string encodeSettings(const ListingSettings& settings);
std::optional<ListingSettings> decodeSettings(std::string_view json,
                                              std::string* problem = nullptr);

std::string encodeBrand(const Brand& brand);
std::optional<Brand> decodeBrand(std::string_view json, std::string* problem = nullptr);

// A JSON array of brands (the application's brand list).
std::string encodeBrands(const std::vector<Brand>& brands);
std::optional<std::vector<Brand>> decodeBrands(std::string_view json,
                                               std::string* problem = nullptr);

// --- The application's store -------------------------------------------------------------
// Values stored by the application are read leniently, so that one damaged or missing field
// never costs the seller the rest.

// Settings with each field that is missing or invalid (a wrong type, an unknown text, a
// number that is not finite) at its default, the others as stored. An image preset that is
// not whole is left out, as is every preset beyond the 64th. Bytes that are not JSON give the
// defaults. Never throws.
ListingSettings decodeStoredSettings(std::string_view json);

// A stored brand list read entry by entry: the whole brands in order, and each entry that
// is not a whole brand as JSON text. Bytes that are not a JSON array are one unreadable
// entry; none give nothing. Never throws.
struct StoredBrands {
    std::vector<Brand> brands;
    std::vector<std::string> unreadable;
    bool operator==(const StoredBrands&) const = default;
};
StoredBrands decodeStoredBrands(std::string_view json);

} // namespace folimo
