#include "localization_p.hpp"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <macmenubaseline/close_guard.hpp>
#include <macmenubaseline/menu_baseline.hpp>

namespace macmenubaseline {
namespace {

QString withoutMnemonic(QString title) {
    return title.replace(QLatin1String("&&"), QLatin1String("\x01"))
        .remove(u'&')
        .replace(u'\x01', u'&');
}

QMenu* fileMenu(QMenuBar& bar) {
    for (QAction* action : bar.actions())
        if (QMenu* menu = action->menu()) return menu;
    return bar.addMenu(QStringLiteral("&File"));
}

QMenu* helpMenu(QMenuBar& bar) {
    for (QAction* action : bar.actions())
        if (QMenu* menu = action->menu(); menu && withoutMnemonic(menu->title()) == u"Help")
            return menu;
    return bar.addMenu(QStringLiteral("&Help"));
}

bool isSave(const QAction* action) {
    const QList<QKeySequence> save = QKeySequence::keyBindings(QKeySequence::Save);
    const QList<QKeySequence> shortcuts = action->shortcuts();
    return std::any_of(shortcuts.begin(), shortcuts.end(),
                       [&](const QKeySequence& key) { return save.contains(key); });
}

// The item "Close Window" goes before: the Save item, else the first separator, else none
// (the end of the menu).
QAction* closePlace(const QMenu& file) {
    const QList<QAction*> actions = file.actions();
    for (QAction* action : actions)
        if (isSave(action)) return action;
    for (QAction* action : actions)
        if (action->isSeparator()) return action;
    return nullptr;
}

} // namespace

CloseWindowAction CloseWindowAction::performClose() {
    return {[] {
        if (QWidget* window = QApplication::activeWindow()) window->close();
    }};
}

CloseWindowAction CloseWindowAction::guarded() {
    return {[] { CloseGuard::shared().closeKeyWindow(); }};
}

MenuHelp MenuHelp::action(QString appName, std::optional<QKeySequence> shortcut,
                          std::function<void()> action) {
    return {std::move(appName), std::move(shortcut), std::move(action)};
}

MenuHelp MenuHelp::page(QUrl url, QString appName) {
    return {std::move(appName), std::nullopt,
            [url = std::move(url)] { QDesktopServices::openUrl(url); }};
}

void menuBaseline(QMainWindow& window, const MenuBaseline& baseline) {
    requireMainThread("menuBaseline");
    QMenuBar& bar = *window.menuBar();

    QMenu* file = fileMenu(bar);
    auto* close = new QAction(closeWindowText(), file);
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    close->setShortcutContext(Qt::ApplicationShortcut);
    QObject::connect(close, &QAction::triggered, close, [run = baseline.close.run] {
        if (run) run();
    });
    file->insertAction(closePlace(*file), close);

    if (!baseline.help) return;
    QMenu* help = helpMenu(bar);
    QAction* before = help->actions().value(0, nullptr);
    auto* item = new QAction(helpText(baseline.help->appName), help);
    if (baseline.help->shortcut) item->setShortcut(*baseline.help->shortcut);
    QObject::connect(item, &QAction::triggered, item, [run = baseline.help->run] {
        if (run) run();
    });
    help->insertAction(before, item);
    help->insertActions(before, baseline.helpItems);
    if (before && !before->isSeparator()) help->insertSeparator(before);
}

} // namespace macmenubaseline
