#pragma once

#include <QStyledItemDelegate>

namespace folimo {

// Draws one batch row of a BatchRowsModel: the document symbol, the PDF's name and, at the
// trailing end, its status ("Waiting", a 160-wide progress bar, "N files" with a green check);
// a failure's message is written in full under the name, wrapped to the list's width, and the
// row is as tall as it needs.
class BatchRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace folimo
