#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

class QAction;
class QMainWindow;

namespace macmenubaseline {

// What "Close Window" (Ctrl+W) does. Runs on the main thread.
struct CloseWindowAction {
    std::function<void()> run;

    // Closes the active window as its close button would (a guarded main window asks its
    // guard first); does nothing when no window of the application is active.
    static CloseWindowAction performClose();
    // CloseGuard::shared().closeKeyWindow().
    static CloseWindowAction guarded();
};

// The first item of the Help menu, "<appName> Help". Its action is `run`.
struct MenuHelp {
    QString appName;
    std::optional<QKeySequence> shortcut;
    std::function<void()> run;

    static MenuHelp action(QString appName, std::optional<QKeySequence> shortcut,
                           std::function<void()> action);
    // Opens `url` with the desktop's handler for it; no shortcut.
    static MenuHelp page(QUrl url, QString appName);
};

struct MenuBaseline {
    CloseWindowAction close;
    std::optional<MenuHelp> help = std::nullopt;
    // Further Help items of the application, shown after the help item (only with `help`).
    QList<QAction*> helpItems = {};
};

// Adds the baseline to the window's menu bar; call it once, after the application has made
// its own menus.
//
// "Close Window" (Ctrl+W, an application-wide shortcut, so that it also closes windows
// without a menu bar) goes into the File menu, the menu bar's first menu (made when the bar
// has none): just before the Save item (the item with the standard Save shortcut), or, when
// there is none, at the end of the first group, before the first separator.
//
// With `help`, the Help menu (the menu titled "Help", made at the end of the bar when there
// is none) starts with "<appName> Help", then `helpItems`, then a separator before whatever
// the application had put there. Without `help` the Help menu is left as it is.
void menuBaseline(QMainWindow& window, const MenuBaseline& baseline);

} // namespace macmenubaseline
