#include "views/number_field.hpp"

#include "views/controls.hpp"

#include <QLocale>
#include <cmath>

namespace folimo {

namespace {

// The user's locale first, then the plain C form, both refusing digit grouping.
std::array<QLocale, 2> readingLocales(const QLocale& own) {
    std::array<QLocale, 2> locales{own, QLocale::c()};
    for (auto& locale : locales)
        locale.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
    return locales;
}

} // namespace

NumberField::NumberField(Kind kind, const QString& accessibleName, QWidget* parent)
    : TextField(parent)
    , kind_(kind) {
    setAccessibleName(accessibleName);
    setFixedWidth(64);
    setAlignment(Qt::AlignRight);
    controls::onText(this, this, [this](const QString&) {
        if (kind_ == Kind::whole ? whole().has_value() : decimal().has_value())
            emit numberChanged();
    });
    connect(this, &QLineEdit::editingFinished, this, [this] { controls::show(this, shown_); });
}

std::optional<std::int64_t> NumberField::whole() const {
    const QString typed = text().trimmed();
    for (const auto& locale : readingLocales(locale())) {
        bool ok = false;
        const qlonglong value = locale.toLongLong(typed, &ok);
        if (ok) return value;
    }
    return std::nullopt;
}

std::optional<double> NumberField::decimal() const {
    const QString typed = text().trimmed();
    for (const auto& locale : readingLocales(locale())) {
        bool ok = false;
        const double value = locale.toDouble(typed, &ok);
        if (ok && std::isfinite(value)) return value;
    }
    return std::nullopt;
}

void NumberField::setWhole(std::int64_t value) {
    show(QString::number(value), whole() == value);
}

void NumberField::setDecimal(double value) {
    QString text = readingLocales(locale())[0].toString(value, 'f', 2);
    const QChar point = locale().decimalPoint().front();
    if (text.contains(point)) {
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith(point)) text.chop(1);
    }
    show(text, decimal() == value);
}

void NumberField::show(const QString& text, bool alreadyShown) {
    shown_ = text;
    if (!alreadyShown) controls::show(this, text);
}

} // namespace folimo
