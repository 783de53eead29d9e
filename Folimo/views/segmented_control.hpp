#pragma once

#include <QStringList>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;

namespace folimo {

// A row of joined toggle buttons of which exactly one is chosen, read by screen readers as a
// group named by its label ("Show") with one radio button per choice. Tab stops at the chosen
// one; the arrow keys choose another. Given less room than its choices need, it shortens them
// in the middle ("Listing…px 4:3"), each whole in its tooltip and for screen readers.
class SegmentedControl : public QWidget {
    Q_OBJECT
public:
    SegmentedControl(const QString& label, const QStringList& choices, QWidget* parent = nullptr);

    int current() const;
    // Chooses without emitting chosen().
    void setCurrent(int index);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user chose a segment.
    void chosen(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Choice {
        QAbstractButton* button;
        QString text;
        int width;  // with the whole text
        int chrome; // the part of the width that is not text
    };

    QList<Choice> segments_;
    QButtonGroup* group_;
    bool choosing_ = false; // setCurrent() is choosing, not the user
};

} // namespace folimo
