#include "views/form_section.hpp"

#include "views/look.hpp"

#include <QApplication>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace folimo {

FormSection::FormSection(const QString& title, QWidget* parent)
    : QWidget(parent)
    , rows_(new QFormLayout)
    , footer_(new QLabel) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    if (!title.isEmpty()) column->addWidget(look::sectionHeader(title));

    auto* box = new QFrame;
    box->setObjectName("formBox");
    look::follow(*box, [](QWidget& w) {
        const QPalette palette = QApplication::palette();
        const QString sheet = QStringLiteral("QFrame#formBox { background: %1; border: 1px solid "
                                             "%2; border-radius: 8px; }")
                                  .arg(palette.color(QPalette::Base).name(),
                                       palette.color(QPalette::Midlight).name());
        if (w.styleSheet() != sheet) w.setStyleSheet(sheet);
    });
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
