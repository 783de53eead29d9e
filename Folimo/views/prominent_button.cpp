#include "views/prominent_button.hpp"

#include "views/look.hpp"

#include <QPainter>
#include <QStyleOptionButton>

namespace folimo {

namespace {

constexpr double radius = 6;

} // namespace

ProminentButton::ProminentButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent) {
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setMinimumHeight(fontMetrics().height() * 2 + 4);
    setAttribute(Qt::WA_Hover);
}

void ProminentButton::paintEvent(QPaintEvent* event) {
    if (!isEnabled()) return QPushButton::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette().color(QPalette::HighlightedText);
    QColor fill = look::accentColor(palette());
    // Pressed and hovered, the fill moves away from the text's lightness, so the text only
    // gains contrast.
    const int shift = isDown() ? 118 : underMouse() ? 108 : 100;
    fill = look::contrastRatio(ink, Qt::white) < 2 ? fill.darker(shift) : fill.lighter(shift);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.drawRoundedRect(face, radius, radius);
    if (hasFocus()) {
        painter.setPen(QPen(ink, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(face.adjusted(2.5, 2.5, -2.5, -2.5), radius - 2, radius - 2);
    }
    painter.setPen(ink);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

} // namespace folimo
