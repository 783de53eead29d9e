#include "views/segmented_control.hpp"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

namespace folimo {

SegmentedControl::SegmentedControl(const QString& label, const QStringList& choices,
                                   QWidget* parent)
    : QWidget(parent)
    , group_(new QButtonGroup(this)) {
    setAccessibleName(label);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < choices.size(); ++i) {
        auto* button = new QToolButton(this);
        button->setText(choices[i]);
        button->setAccessibleName(choices[i]);
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
