#pragma once

#include "folimo/image_writer.hpp"

namespace folimo::ImageWriter {

// libjpeg's quality for a quality of 0…1: round(quality * 100) held to 1…100; that of
// listingQuality for NaN.
int jpegQuality(double quality);

} // namespace folimo::ImageWriter
