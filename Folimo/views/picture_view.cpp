#include "views/picture_view.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace folimo {

namespace {

QAccessibleInterface* pictureAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("folimo::PictureView") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

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
    const QRect room = rect().adjusted(padding_, padding_, -padding_, -padding_);
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
    if (picture_.isNull()) return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureRect(), picture_);
}

} // namespace folimo
