#pragma once

#include "folimo/image.hpp"

#include <cstdint>
#include <filesystem>
#include <vector>

// Written image files read back with the reference decoders, as a shop's site would.
namespace folimo::test {

// Pixels as the file holds them: RGBA, not premultiplied, row 0 at the top.
struct DecodedImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
    RGBA8 at(int x, int y) const;
};

// Decoded with libpng; a test failure and no pixels when the file is not a whole PNG.
DecodedImage readPNG(const std::filesystem::path& path);

} // namespace folimo::test
