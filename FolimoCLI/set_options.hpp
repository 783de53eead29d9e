#pragma once

#include "cli.hpp"

#include <filesystem>
#include <string_view>
#include <vector>

namespace folimo::cli {

// The settings of a whole listing set, as make and batch take them: readSettings(), then
// --layouts LIST (stored layout names, comma-separated; an empty list makes no images),
// --no-preview and --no-video on top.
ListingSettings readSetSettings(Args& args);
inline constexpr std::string_view setUsage =
    "  --layouts LIST        layouts to make, like grid,cover,fan (default: all six:\n"
    "                        grid, cover, fan, clipboard, desk, frame)\n"
    "  --no-preview          write no preview PDF\n"
    "  --no-video            write no flip-through video\n";

} // namespace folimo::cli
