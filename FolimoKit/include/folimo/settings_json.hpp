#pragma once

#include "folimo/brand.hpp"
#include "folimo/settings.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace folimo {

// The stored JSON form of the settings values: objects whose keys are exactly the field
// names. Decoding is strict: every key present, every type right (an integer is accepted
// where a double is stored), every enumeration text and UUID text valid. A decode either
// gives the whole value or nothing; when it gives nothing and `problem` is not null, it is
// set to a short English account of the first fault found ("key \"showTitle\" is missing
// in settings").

std::string encodeSettings(const ListingSettings& settings);
std::optional<ListingSettings> decodeSettings(std::string_view json,
                                              std::string* problem = nullptr);

std::string encodeBrand(const Brand& brand);
std::optional<Brand> decodeBrand(std::string_view json, std::string* problem = nullptr);

// A JSON array of brands (the application's brand list).
std::string encodeBrands(const std::vector<Brand>& brands);
std::optional<std::vector<Brand>> decodeBrands(std::string_view json,
                                               std::string* problem = nullptr);

} // namespace folimo
