#pragma once

#include "folimo/image.hpp"

#include <gtest/gtest.h>
#include <string_view>

// Comparing drawn images with a tolerance, leaving pictures of a mismatch for people to
// look at.
namespace folimo::test {

// Whether the two images have the same size and no channel (premultiplied B, G, R, A) of
// any pixel differs by more than tolerance. On failure the message tells how many pixels
// differ and where, and <name>-actual.png, <name>-expected.png and <name>-diff.png (the
// differing pixels in red over a faint copy of the expected image) are written to
// outputPath().
::testing::AssertionResult imagesMatch(const Image& actual, const Image& expected, int tolerance,
                                       std::string_view name);

} // namespace folimo::test
