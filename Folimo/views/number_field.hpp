#pragma once

#include "views/text_field.hpp"

#include <cstdint>
#include <optional>

namespace folimo {

// A 64-wide text field for one number. Text that reads as a number (in the user's locale or
// with a plain "." as the decimal mark; never with digit grouping) is reported as entered, not
// clamped; text that does not is ignored, and when editing ends the field shows the value it
// was last given again.
class NumberField : public TextField {
    Q_OBJECT
public:
    // Whole numbers, or decimals shown with up to two decimals.
    enum class Kind { whole, decimal };

    NumberField(Kind kind, const QString& accessibleName, QWidget* parent = nullptr);

    // Shows the value, unless the text already reads as it (so "08" being typed stays). Not
    // reported as numberChanged.
    void setWhole(std::int64_t value);
    void setDecimal(double value);

    // What the text reads as; nothing when it is not a number of the field's kind.
    std::optional<std::int64_t> whole() const;
    std::optional<double> decimal() const;

signals:
    // A person changed the text (typing, pasting, a drop, a screen reader) and it reads as a
    // number of the field's kind.
    void numberChanged();

private:
    void show(const QString& text, bool alreadyShown);

    Kind kind_;
    QString shown_;
};

} // namespace folimo
