#include "views/batch_row_delegate.hpp"

#include "model/batch_rows_model.hpp"
#include "model/model_types.hpp"
#include "views/look.hpp"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyleOptionProgressBar>
#include <cmath>

namespace folimo {

namespace {

constexpr int padding = 4; // above and below the row's content
constexpr int margin = 10; // at both ends of the row
constexpr int gap = 12;    // between the row's items
constexpr int iconSide = 18;
constexpr int barWidth = 160;

using Kind = BatchRow::Status::Kind;

// The height of a row's first line, which holds the name and the status.
int lineHeight(const QFontMetrics& metrics) {
    return std::max({iconSide, metrics.height(), 16}) + 6;
}

// Draws an icon and a text ending at right, vertically centred in rect; answers where the
// drawing starts. The text is elided so that the whole fits in maxWidth.
int drawTrailing(QPainter& painter, const QRect& rect, int right, int maxWidth, const QIcon& icon,
                 const QString& text, const QColor& color) {
    const QFontMetrics metrics(painter.font());
    const int iconWidth = icon.isNull() ? 0 : iconSide + 6;
    const QString shown =
        metrics.elidedText(text, Qt::ElideRight, std::max(0, maxWidth - iconWidth));
    const int textWidth = metrics.horizontalAdvance(shown);
    const int left = right - textWidth - iconWidth;
    if (!icon.isNull())
        icon.paint(&painter, QRect(left, rect.center().y() - iconSide / 2 + 1, iconSide, iconSide));
    painter.setPen(color);
    painter.drawText(QRect(left + iconWidth, rect.top(), textWidth + 1, rect.height()),
                     Qt::AlignVCenter | Qt::AlignLeft, shown);
    return left;
}

// Where a failed row's message goes: under the name, from the name's start to the row's end.
// Its height is what the message needs, wrapped, at the row's width.
QRect messageRect(const QRect& rect, const QFontMetrics& metrics, const QString& message) {
    const int left = rect.left() + iconSide + gap + iconSide + 6;
    const int top = rect.top() + lineHeight(metrics);
    const QRect bound =
        metrics.boundingRect(QRect(left, top, std::max(1, rect.right() - left + 1), 100000),
                             Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, message);
    return QRect(left, top, std::max(1, rect.right() - left + 1), bound.height());
}

// The width the rows of a list get: its viewport's, the option's without a list.
int rowWidth(const QStyleOptionViewItem& option) {
    if (const auto* view = qobject_cast<const QAbstractItemView*>(option.widget))
        return view->viewport()->width();
    return option.rect.width();
}

} // namespace

void BatchRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.icon = {};
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, option.widget);

    painter->save();
    const QRect whole = option.rect.adjusted(margin, padding, -margin, -padding);
    const QFontMetrics metrics(option.font);
    painter->setFont(option.font);
    const QRect rect(whole.topLeft(), QSize(whole.width(), lineHeight(metrics)));

    // The status takes what it needs from the trailing end, up to half the row; the name gets
    // the rest.
    const auto kind = Kind(index.data(BatchRowsModel::StatusKindRole).toInt());
    const QString status = index.data(BatchRowsModel::StatusTextRole).toString();
    const int statusRoom = rect.width() / 2;
    int statusLeft = rect.right();
    switch (kind) {
    case Kind::waiting:
    case Kind::stopped:
        statusLeft = drawTrailing(*painter, rect, rect.right(), statusRoom, {}, status,
                                  look::secondaryColor());
        break;
    case Kind::working: {
        QStyleOptionProgressBar bar;
        bar.initFrom(option.widget);
        bar.state = QStyle::State_Enabled | QStyle::State_Horizontal;
        bar.rect = QRect(rect.right() - barWidth, rect.center().y() - 7, barWidth, 14);
        bar.minimum = 0;
        bar.maximum = 1000;
        const double fraction =
            std::clamp(index.data(BatchRowsModel::FractionRole).toDouble(), 0.0, 1.0);
        bar.progress = int(std::lround(fraction * 1000));
        bar.textVisible = false;
        style->drawControl(QStyle::CE_ProgressBar, &bar, painter, option.widget);
        statusLeft = bar.rect.left();
        break;
    }
    case Kind::done:
        statusLeft =
            drawTrailing(*painter, rect, rect.right(), statusRoom,
                         look::symbol("checkmark.circle.fill"), status, look::successColor());
        break;
    case Kind::failed: {
        const QRect message = messageRect(whole, metrics, status);
        look::symbol("exclamationmark.triangle.fill")
            .paint(painter, QRect(message.left() - iconSide - 6,
                                  message.top() + (metrics.height() - iconSide) / 2 + 1, iconSide,
                                  iconSide));
        painter->setPen(look::failureColor());
        painter->drawText(message, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, status);
        break;
    }
    }

    const QRect iconRect(rect.left(), rect.center().y() - iconSide / 2, iconSide, iconSide);
    painter->setOpacity(0.6);
    look::symbol("doc.richtext").paint(painter, iconRect);
    painter->setOpacity(1);
    const int nameLeft = iconRect.right() + 1 + gap;
    const QRect nameRect(nameLeft, rect.top(), std::max(0, statusLeft - gap - nameLeft),
                         rect.height());
    painter->setPen(option.palette.color(
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(nameRect, Qt::AlignVCenter | Qt::AlignLeft,
                      metrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideMiddle,
                                         nameRect.width()));
    painter->restore();
}

QSize BatchRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    const QFontMetrics metrics(option.font);
    int height = lineHeight(metrics) + 2 * padding;
    if (Kind(index.data(BatchRowsModel::StatusKindRole).toInt()) == Kind::failed) {
        const QRect row(margin, padding, std::max(1, rowWidth(option) - 2 * margin), height);
        height += messageRect(row, metrics, index.data(BatchRowsModel::StatusTextRole).toString())
                      .height() +
                  padding;
    }
    return QSize(barWidth + 2 * margin, height);
}

} // namespace folimo
