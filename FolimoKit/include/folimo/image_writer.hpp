#pragma once

#include "folimo/image.hpp"
#include "folimo/settings.hpp"

#include <filesystem>

// Listing images as files.
namespace folimo::ImageWriter {

// The quality every listing image is written at as JPEG.
inline constexpr double listingQuality = 0.9;

// Writes image to path as PNG or JPEG at 144 dots per inch, in sRGB. PNG is lossless and
// keeps transparency (RGB when every pixel is opaque, RGBA otherwise) and ignores quality;
// JPEG takes quality 0…1 (0.9 is libjpeg's 90; values outside are held to 0.01…1),
// and shows transparent parts as white.
//
// The file appears under its name only when complete, replacing any file there: it is
// written under a hidden temporary name in the same folder and renamed into place, so a
// failed or interrupted write never leaves a truncated image at path.
//
// Throws ListingError::writeFailed with path's file name when the file cannot be written.
// Safe to call from several threads for different paths.
void write(const Image& image, const std::filesystem::path& path, ImageFormat format,
           double quality);

} // namespace folimo::ImageWriter
