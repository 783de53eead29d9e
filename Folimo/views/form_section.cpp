#include "views/form_section.hpp"

#include "views/look.hpp"

#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace folimo {

namespace {

// The rounded box the rows stand in, painted from the palette as it is at each painting, so
// it follows the scheme.
class FormBox : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(palette().color(QPalette::Midlight));
        painter.setBrush(palette().color(QPalette::Base));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    }
};

} // namespace

FormSection::FormSection(const QString& title, QWidget* parent)
    : QWidget(parent)
    , rows_(new QFormLayout)
    , footer_(new QLabel) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    if (!title.isEmpty()) column->addWidget(look::sectionHeader(title));

    auto* box = new FormBox;
    rows_->setContentsMargins(14, 10, 14, 10);
    rows_->setHorizontalSpacing(16);
    rows_->setVerticalSpacing(10);
    rows_->setLabelAlignment(Qt::AlignLeading | Qt::AlignVCenter);
    rows_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    box->setLayout(rows_);
    column->addWidget(box);

    footer_->setWordWrap(true);
    footer_->setContentsMargins(4, 0, 4, 0);
    look::makeCaption(*footer_);
    look::makeSecondary(*footer_);
    footer_->hide();
    column->addWidget(footer_);
}

void FormSection::addRow(const QString& label, QWidget* field) {
    if (label.isEmpty()) {
        rows_->addRow(field);
        return;
    }
    auto* text = new QLabel(label);
    text->setBuddy(field);
    rows_->addRow(text, field);
}

void FormSection::addRow(QWidget* field) {
    rows_->addRow(field);
}

void FormSection::clearRows() {
    while (rows_->rowCount() > 0)
        rows_->removeRow(0);
}

void FormSection::setFooter(const QString& text) {
    footer_->setText(text);
    footer_->setVisible(!text.isEmpty());
}

} // namespace folimo
