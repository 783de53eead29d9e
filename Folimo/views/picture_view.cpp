#include "views/picture_view.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace folimo {

namespace {

QAccessibleInterface* pictureAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("folimo::PictureView") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

int devicePixels(const QWidget& widget, double side) {
    return int(std::ceil(side * widget.devicePixelRatioF()));
}

void paintSoftShadow(QPainter& painter, const QRect& target) {
    // Layers of faint black growing outwards and a little down add up to a soft edge.
    constexpr int spread = 10;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int i = spread; i >= 1; --i) {
        painter.setBrush(QColor(0, 0, 0, 51 / spread + (i == 1 ? 51 % spread : 0)));
        painter.drawRoundedRect(QRectF(target).adjusted(-i, -i + 3, i, i + 3), i, i);
    }
    painter.restore();
}

PictureView::PictureView(QWidget* parent)
    : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(pictureAccessible);
        return true;
    }();
    (void)installed;
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PictureView::setPicture(const QImage& picture) {
    if (picture.cacheKey() == picture_.cacheKey() && !picture.isNull()) return;
    picture_ = picture;
    update();
}

void PictureView::setPadding(int padding) {
    padding_ = padding;
    update();
}

void PictureView::setBackground(const QColor& color) {
    background_ = color;
    update();
}

void PictureView::setShadow(bool shadow) {
    shadow_ = shadow;
    update();
}

void PictureView::setSquareCrop(bool show) {
    squareCrop_ = show;
    update();
}

void PictureView::setAspect(double aspect) {
    if (aspect == aspect_) return;
    aspect_ = aspect;
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(aspect > 0);
    setSizePolicy(policy);
    updateGeometry();
}

int PictureView::heightForWidth(int width) const {
    if (aspect_ <= 0) return QWidget::heightForWidth(width);
    return int((width - 2 * padding_) / aspect_) + 2 * padding_;
}

QSize PictureView::sizeHint() const {
    const int width = 400 + 2 * padding_;
    return {width, aspect_ > 0 ? heightForWidth(width) : 300};
}

QRect PictureView::pictureRect() const {
    // In a small widget the padding gives way, so the picture keeps at least three quarters of
    // the narrower side.
    const int padding = std::min(padding_, std::min(width(), height()) / 8);
    const QRect room = rect().adjusted(padding, padding, -padding, -padding);
    if (picture_.isNull() || room.isEmpty()) return {};
    QSize size = picture_.size().scaled(room.size(), Qt::KeepAspectRatio);
    size = size.boundedTo(room.size()).expandedTo({1, 1});
    QRect placed({}, size);
    placed.moveCenter(room.center());
    return placed;
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (background_.isValid()) painter.fillRect(rect(), background_);
    const QRect target = pictureRect();
    if (target.isEmpty()) return;
    if (shadow_) paintSoftShadow(painter, target);
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(target.size()) * ratio).toSize();
    if (scaledFrom_ != picture_.cacheKey() || scaled_.size() != pixels) {
        scaled_ = picture_.size() == pixels
                      ? picture_
                      : picture_.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled_.setDevicePixelRatio(ratio);
        scaledFrom_ = picture_.cacheKey();
    }
    painter.drawImage(target.topLeft(), scaled_);
    if (squareCrop_ && picture_.width() != picture_.height()) paintSquareCrop(painter, target);
}

void PictureView::paintSquareCrop(QPainter& painter, const QRect& target) const {
    const qreal side = std::min(target.width(), target.height());
    QRectF square(0, 0, side, side);
    square.moveCenter(QRectF(target).center());
    QPainterPath outside;
    outside.addRect(target);
    outside.addRect(square);
    painter.save();
    painter.fillPath(outside, QColor(0, 0, 0, 115));
    // A white line with a dark edge shows on light and dark pictures alike.
    painter.setPen(QPen(QColor(0, 0, 0, 90), 3));
    painter.drawRect(square.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(square.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.restore();
}

} // namespace folimo
