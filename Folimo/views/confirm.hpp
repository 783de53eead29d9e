#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace folimo {

// Asks question over parent's window before something a seller may not want to lose: a
// warning with a button named for the action and Cancel, which is the default (Return and
// Escape choose it). act runs only when the action's button is chosen. Returns at once: the
// question is window-modal, not a loop of its own.
void confirm(QWidget* parent, const QString& question, const QString& action,
             std::function<void()> act);

} // namespace folimo
