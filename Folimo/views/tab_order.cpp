#include "views/tab_order.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QLayout>
#include <QScrollArea>
#include <QSet>
#include <QWidget>
#include <algorithm>

namespace folimo::tabOrder {

namespace {

// The button of an exclusive group that stands for the whole group: the checked one, or the
// first when none is.
bool standsForItsGroup(const QAbstractButton& button) {
    const QButtonGroup* group = button.group();
    if (!group || !group->exclusive()) return true;
    if (group->checkedButton()) return group->checkedButton() == &button;
    return group->buttons().value(0) == &button;
}

bool isStop(const QWidget& widget) {
    if (!(widget.focusPolicy() & Qt::TabFocus) || !widget.isEnabled()) return false;
    if (qobject_cast<const QScrollArea*>(&widget))
        return false; // it scrolls to what is focused inside it
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        return standsForItsGroup(*button);
    return true;
}

class Walk {
public:
    QList<QWidget*> found;

    void widget(QWidget* widget) {
        if (!widget || widget->isHidden() || visited_.contains(widget)) return;
        visited_.insert(widget);
        if (isStop(*widget)) {
            found << widget;
            return;
        }
        if (auto* scroll = qobject_cast<QScrollArea*>(widget))
            return this->widget(scroll->widget());
        if (QLayout* layout = widget->layout()) this->layout(layout);
        // Children outside any layout, in the order they were made.
        for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->isWindow()) this->widget(child);
    }

    void layout(QLayout* layout) {
        std::vector<int> order(std::size_t(layout->count()));
        for (int i = 0; i < layout->count(); ++i)
            order[std::size_t(i)] = i;
        // Forms and grids by their rows and columns, whatever order their items were added in.
        if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
            auto cell = [grid](int index) {
                int row, column, rows, columns;
                grid->getItemPosition(index, &row, &column, &rows, &columns);
                return std::pair(row, column);
            };
            std::ranges::stable_sort(order, {}, cell);
        } else if (auto* form = qobject_cast<QFormLayout*>(layout)) {
            auto cell = [form](int index) {
                int row;
                QFormLayout::ItemRole role;
                form->getItemPosition(index, &row, &role);
                return std::pair(row, role == QFormLayout::FieldRole ? 1 : 0);
            };
            std::ranges::stable_sort(order, {}, cell);
        }
        for (int index : order) {
            QLayoutItem* item = layout->itemAt(index);
            if (QWidget* child = item->widget())
                widget(child);
            else if (QLayout* inner = item->layout())
                this->layout(inner);
        }
    }

private:
    QSet<QWidget*> visited_;
};

} // namespace

QList<QWidget*> stops(QWidget* root) {
    Walk walk;
    walk.widget(root);
    return walk.found;
}

bool moveFocus(const QList<QWidget*>& stops, bool next) {
    if (stops.isEmpty()) return false;
    const QWidget* focus = QApplication::focusWidget();
    const auto held = std::ranges::find_if(stops, [focus](const QWidget* stop) {
        return stop == focus || (focus && stop->isAncestorOf(focus));
    });
    qsizetype index = held == stops.end() ? (next ? -1 : 0) : held - stops.begin();
    index = (index + (next ? 1 : -1) + stops.size()) % stops.size();
    QWidget* target = stops[index];
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    for (QWidget* up = target->parentWidget(); up; up = up->parentWidget())
        if (auto* scroll = qobject_cast<QScrollArea*>(up)) scroll->ensureWidgetVisible(target);
    return true;
}

} // namespace folimo::tabOrder
