#include "model/qt_image.hpp"

namespace folimo {

QImage toQImage(const std::optional<Image>& image) {
    if (!image) return {};
    // The QImage keeps a copy of the Image (a shared reference to its surface) until it and
    // every QImage copied from it are gone. Cairo's ARGB32 is Qt's ARGB32_Premultiplied.
    auto* owner = new Image(*image);
    return QImage(
        owner->data(), owner->width(), owner->height(), owner->stride(),
        QImage::Format_ARGB32_Premultiplied, [](void* held) { delete static_cast<Image*>(held); },
        owner);
}

} // namespace folimo
