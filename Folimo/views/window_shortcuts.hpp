#pragma once

#include <QObject>

class QAction;
class QKeyEvent;
class QMainWindow;

namespace folimo {

// Makes the keys of a window's menu items the window's wherever the focus is in it. A text
// field would otherwise take Ctrl+E as "end of line" and Ctrl+Z as its own undo: here the
// menu item gets the key, and a key whose item is disabled reaches no control at all. Cut,
// Copy, Paste and Select All stay with the focused field, which does them itself.
class WindowShortcuts : public QObject {
    Q_OBJECT
public:
    // Watches the application's key events for window, for as long as window lives.
    explicit WindowShortcuts(QMainWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window's menu item with this key, else null.
    QAction* menuItem(const QKeyEvent& key) const;

    QMainWindow& window_;
};

} // namespace folimo
