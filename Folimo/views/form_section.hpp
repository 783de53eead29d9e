#pragma once

#include <QWidget>

class QFormLayout;
class QLabel;

namespace folimo {

// One section of a grouped form: an optional bold title, a rounded box holding labelled rows,
// and an optional footer in the caption size and the secondary colour under the box.
class FormSection : public QWidget {
    Q_OBJECT
public:
    explicit FormSection(const QString& title = {}, QWidget* parent = nullptr);

    // Adds a row: label on the leading side (none for an empty label), field on the other.
    void addRow(const QString& label, QWidget* field);
    // Adds a widget across the whole box.
    void addRow(QWidget* field);
    // Removes every row.
    void clearRows();
    void setFooter(const QString& text);
    QLabel* footer() const { return footer_; }

private:
    QFormLayout* rows_;
    QLabel* footer_;
};

} // namespace folimo
