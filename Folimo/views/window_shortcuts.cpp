#include "views/window_shortcuts.hpp"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace folimo {

namespace {

QAction* itemWithKey(const QList<QAction*>& actions, const QKeySequence& key) {
    for (QAction* action : actions) {
        if (QMenu* menu = action->menu()) {
            if (QAction* found = itemWithKey(menu->actions(), key)) return found;
        } else if (action->shortcuts().contains(key)) {
            return action;
        }
    }
    return nullptr;
}

bool isFieldEditingKey(const QKeyEvent& key) {
    return key.matches(QKeySequence::Cut) || key.matches(QKeySequence::Copy) ||
           key.matches(QKeySequence::Paste) || key.matches(QKeySequence::SelectAll);
}

} // namespace

WindowShortcuts::WindowShortcuts(QMainWindow& window)
    : QObject(&window)
    , window_(window) {
    qApp->installEventFilter(this);
}

QAction* WindowShortcuts::menuItem(const QKeyEvent& key) const {
    if (isFieldEditingKey(key)) return nullptr;
    const QKeySequence sequence(
        QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key())));
    return itemWithKey(window_.menuBar()->actions(), sequence);
}

bool WindowShortcuts::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &window_) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (!menuItem(key)) return false;
    if (type == QEvent::ShortcutOverride) {
        // Not overridden: the shortcut goes to the menu item.
        event->ignore();
    } else {
        // The item did not take its key (it is disabled): no control gets it instead.
        event->accept();
    }
    return true;
}

} // namespace folimo
