#pragma once

#include <QStringList>
#include <QWidget>

class QButtonGroup;

namespace folimo {

// A row of joined toggle buttons of which exactly one is chosen, read by screen readers as a
// group named by its label ("Show") with one radio button per choice. Tab stops at the chosen
// one; the arrow keys choose another.
class SegmentedControl : public QWidget {
    Q_OBJECT
public:
    SegmentedControl(const QString& label, const QStringList& choices, QWidget* parent = nullptr);

    int current() const;
    // Chooses without emitting chosen().
    void setCurrent(int index);

signals:
    // The user chose a segment.
    void chosen(int index);

private:
    QButtonGroup* group_;
    bool choosing_ = false; // setCurrent() is choosing, not the user
};

} // namespace folimo
