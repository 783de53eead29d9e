#include "views/segmented_control.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

namespace folimo {

namespace {

// One choice of the control: a toggle button that screen readers read as a radio button.
class Segment : public QToolButton {
    Q_OBJECT
public:
    using QToolButton::QToolButton;
};

class SegmentAccessible : public QAccessibleWidget {
public:
    explicit SegmentAccessible(Segment* segment)
        : QAccessibleWidget(segment, QAccessible::RadioButton) {}

    Segment* segment() const { return static_cast<Segment*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return segment()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = segment()->isChecked();
        return s;
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            segment()->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* segmentedAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(SegmentedControl::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    if (className == QLatin1String(Segment::staticMetaObject.className()))
        return new SegmentAccessible(static_cast<Segment*>(object));
    return nullptr;
}

} // namespace

SegmentedControl::SegmentedControl(const QString& label, const QStringList& choices,
                                   QWidget* parent)
    : QWidget(parent)
    , group_(new QButtonGroup(this)) {
    static const bool installed = [] {
        QAccessible::installFactory(segmentedAccessible);
        return true;
    }();
    (void)installed;
    setAccessibleName(label);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < choices.size(); ++i) {
        auto* button = new Segment(this);
        button->setText(choices[i]);
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setMinimumWidth(button->sizeHint().width() + 16);
        group_->addButton(button, i);
        layout->addWidget(button);
    }
    group_->setExclusive(true);
    setCurrent(0);
    // Toggled, not clicked: a screen reader's toggle action checks a segment without a click.
    connect(group_, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked && !choosing_) emit chosen(index);
    });
}

int SegmentedControl::current() const {
    return group_->checkedId();
}

void SegmentedControl::setCurrent(int index) {
    choosing_ = true;
    if (auto* button = group_->button(index)) button->setChecked(true);
    choosing_ = false;
}

} // namespace folimo

#include "segmented_control.moc"
