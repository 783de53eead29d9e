#include "swatches.hpp"

#include "views/look.hpp"

#include <QColor>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr qreal side = 16;
constexpr qreal gap = 3;
constexpr qreal radius = 4;

} // namespace

namespace Swatches {

QSize size() {
    return QSize(int(3 * side + 2 * gap), int(side));
}

void paint(QPainter& painter, const QPointF& topLeft, const folimo::Brand& brand) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const folimo::RGBColor* colors[] = {&brand.background, &brand.accent, &brand.text};
    qreal x = topLeft.x();
    for (const auto* color : colors) {
        const QRectF square(x, topLeft.y(), side, side);
        QPainterPath path;
        path.addRoundedRect(square, radius, radius);
        painter.fillPath(path, folimo::look::toQColor(*color));
        // The 1-point border sits inside the square: stroke half a point in from its edge.
        QPainterPath border;
        border.addRoundedRect(square.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
        painter.strokePath(border, QPen(QColor(0, 0, 0, 38), 1));
        x += side + gap;
    }
    painter.restore();
}

QPixmap pixmap(const folimo::Brand& brand, qreal devicePixelRatio) {
    QPixmap result(size() * devicePixelRatio);
    result.setDevicePixelRatio(devicePixelRatio);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    paint(painter, QPointF(0, 0), brand);
    return result;
}

} // namespace Swatches
