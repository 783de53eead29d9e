#pragma once

#include "folimo/image.hpp"

#include <QImage>
#include <optional>

namespace folimo {

// The library's bitmap as a QImage (ARGB32_Premultiplied) that shares its pixels: no copy is
// made, and the pixels live as long as either. Nothing gives a null QImage.
QImage toQImage(const std::optional<Image>& image);

} // namespace folimo
