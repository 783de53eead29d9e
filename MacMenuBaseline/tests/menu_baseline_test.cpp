#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QUndoGroup>
#include <QUndoStack>
#include <QWindow>
#include <macmenubaseline/close_guard.hpp>
#include <macmenubaseline/menu_baseline.hpp>
#include <macmenubaseline/window_probes.hpp>

using namespace macmenubaseline;

namespace {

// A menu as text: one entry per item, "Title|Shortcut" or "Title", "-" for a separator.
void fill(QMenu& menu, const QStringList& items) {
    for (const QString& item : items) {
        if (item == u"-") {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(item.section('|', 0, 0));
        if (item.contains('|')) action->setShortcut(QKeySequence(item.section('|', 1)));
    }
}

QStringList items(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            texts << "-";
            continue;
        }
        const QString shortcut = action->shortcut().toString();
        texts << (shortcut.isEmpty() ? action->text() : action->text() + '|' + shortcut);
    }
    return texts;
}

QMenu* menuTitled(QMainWindow& window, const QString& title) {
    for (QAction* action : window.menuBar()->actions())
        if (action->menu() && action->menu()->title().remove('&') == title) return action->menu();
    return nullptr;
}

// Makes `window` the active window, as a click on it would.
bool activate(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

} // namespace

class MenuBaselineTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void closeWindowItem_data();
    void closeWindowItem();
    void helpMenu_data();
    void helpMenu();
    void ctrlWClosesTheActiveWindow();
    void guardAsksOnlyForTheMainWindow();
    void windowReader();
    void undoManagerReader();

private:
    int asked_ = 0;       // how often the guard asked shouldClose
    bool answer_ = false; // what shouldClose answers
};

void MenuBaselineTest::init() {
    asked_ = 0;
    answer_ = false;
    CloseGuard::shared().setShouldClose([this] {
        ++asked_;
        return answer_;
    });
    CloseGuard::shared().setMain(nullptr);
}

void MenuBaselineTest::closeWindowItem_data() {
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QStringList>("expected");

    const QString close = "Close Window|Ctrl+W";
    QTest::newRow("before Save") << QStringList{"Open…|Ctrl+O", "-", "Save|Ctrl+S", "-", "Quit"}
                                 << QStringList{"Open…|Ctrl+O", "-", close,
                                                "Save|Ctrl+S",  "-", "Quit"};
    QTest::newRow("no Save: end of the first group")
        << QStringList{"Open…|Ctrl+O", "Open the Sample", "-", "Quit|Ctrl+Q"}
        << QStringList{"Open…|Ctrl+O", "Open the Sample", close, "-", "Quit|Ctrl+Q"};
    QTest::newRow("one group") << QStringList{"Open…|Ctrl+O"} << QStringList{"Open…|Ctrl+O", close};
    QTest::newRow("no menus") << QStringList{} << QStringList{close};
}

void MenuBaselineTest::closeWindowItem() {
    QFETCH(QStringList, file);
    QFETCH(QStringList, expected);

    QMainWindow window;
    if (!file.isEmpty()) fill(*window.menuBar()->addMenu("&File"), file);
    menuBaseline(window, {.close = CloseWindowAction::performClose()});
    QMenu* fileMenu = window.menuBar()->actions().value(0)->menu();
    QVERIFY(fileMenu);
    QCOMPARE(items(*fileMenu), expected);
    // Without a MenuHelp the baseline makes no Help menu.
    QCOMPARE(window.menuBar()->actions().size(), 1);
}

void MenuBaselineTest::helpMenu_data() {
    QTest::addColumn<QStringList>("help"); // the application's own Help menu, none when empty
    QTest::addColumn<bool>("withHelp");
    QTest::addColumn<bool>("withShortcut");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no MenuHelp: left as made")
        << QStringList{"About Folimo", "Check for Updates…"} << false << false
        << QStringList{"About Folimo", "Check for Updates…"};
    QTest::newRow("before the application's items")
        << QStringList{"About Folimo"} << true << true
        << QStringList{"Folimo Help|F1", "Tips", "-", "About Folimo"};
    QTest::newRow("made when missing")
        << QStringList{} << true << false << QStringList{"Folimo Help", "Tips"};
}

void MenuBaselineTest::helpMenu() {
    QFETCH(QStringList, help);
    QFETCH(bool, withHelp);
    QFETCH(bool, withShortcut);
    QFETCH(QStringList, expected);

    QMainWindow window;
    fill(*window.menuBar()->addMenu("&File"), {"Open…|Ctrl+O"});
    if (!help.isEmpty()) fill(*window.menuBar()->addMenu("&Help"), help);
    MenuBaseline baseline{.close = CloseWindowAction::guarded()};
    if (withHelp) {
        baseline.help = withShortcut ? MenuHelp::action("Folimo", QKeySequence("F1"), [] {})
                                     : MenuHelp::page(QUrl("https://example.org/help"), "Folimo");
        baseline.helpItems = {new QAction("Tips", &window)};
    }
    menuBaseline(window, baseline);

    QMenu* helpMenu = menuTitled(window, "Help");
    QCOMPARE(helpMenu != nullptr, !expected.isEmpty());
    if (helpMenu) QCOMPARE(items(*helpMenu), expected);
    QCOMPARE(window.menuBar()->actions().size(), expected.isEmpty() ? 1 : 2);
}

void MenuBaselineTest::ctrlWClosesTheActiveWindow() {
    QMainWindow main;
    menuBaseline(main, {.close = CloseWindowAction::performClose()});
    CloseGuard::shared().install(&main);
    main.show();

    // A window without a menu bar closes at once: the shortcut is the application's.
    QWidget other;
    QVERIFY(activate(other));
    QTest::keyClick(&other, Qt::Key_W, Qt::ControlModifier);
    QVERIFY(!other.isVisible());
    QCOMPARE(asked_, 0);

    QVERIFY(activate(main));
    QTest::keyClick(&main, Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(asked_, 1);
    QVERIFY(main.isVisible());
}

void MenuBaselineTest::guardAsksOnlyForTheMainWindow() {
    CloseGuard& guard = CloseGuard::shared();
    QWidget main, other;
    guard.install(&main);
    guard.install(&main); // still one interception: each close asks once

    // The window manager's close (the title bar's button, Alt+F4), the guarded "Close Window"
    // and a request are all refused.
    QVERIFY(activate(main));
    main.windowHandle()->close();
    guard.closeKeyWindow();
    QVERIFY(!guard.request(&main));
    QVERIFY(main.isVisible());
    QCOMPARE(asked_, 3);

    // Another window closes plainly.
    QVERIFY(activate(other));
    guard.closeKeyWindow();
    QVERIFY(!other.isVisible());
    QCOMPARE(asked_, 3);

    // On yes the main window closes, asked once, not again by its own close event.
    answer_ = true;
    QVERIFY(activate(main));
    guard.closeKeyWindow();
    QVERIFY(!main.isVisible());
    QCOMPARE(asked_, 4);
    main.show();
    QVERIFY(guard.request(&main));
    QCOMPARE(asked_, 5);

    // A main window that is gone is forgotten, and nothing asks about it.
    {
        QWidget gone;
        guard.install(&gone);
    }
    QCOMPARE(guard.main(), nullptr);
    guard.closeKeyWindow();
    QCOMPARE(asked_, 5);
}

void MenuBaselineTest::windowReader() {
    QWidget window;
    QWidget* view = new QWidget(&window);
    QList<QWidget*> found;
    auto* reader = new WindowReader([&](QWidget* w) { found << w; }, view);
    QVERIFY(found.isEmpty());
    window.show();
    QCOMPARE(found, QList<QWidget*>{&window});
    // Shown again in the same window: nothing new.
    window.hide();
    window.show();
    QCOMPARE(found.size(), 1);
    // A new action is called at once.
    QWidget* second = nullptr;
    reader->setFound([&](QWidget* w) { second = w; });
    QCOMPARE(second, &window);

    // guardsWindowClose guards the window the view is shown in.
    QWidget guarded;
    guardsWindowClose(*new QWidget(&guarded));
    QCOMPARE(CloseGuard::shared().main(), nullptr);
    guarded.show();
    QCOMPARE(CloseGuard::shared().main(), &guarded);
}

void MenuBaselineTest::undoManagerReader() {
    QWidget window;
    QList<QUndoStack*> found;
    windowUndoManager(*new QWidget(&window), [&](QUndoStack* stack) { found << stack; });
    window.show();
    QCOMPARE(found, QList<QUndoStack*>{nullptr}); // no undo group yet

    auto* group = new QUndoGroup(&window);
    QUndoStack first, second;
    group->addStack(&first);
    group->addStack(&second);
    group->setActiveStack(&first);
    QTRY_COMPARE(found.last(), &first);
    group->setActiveStack(&second);
    QCOMPARE(found.last(), &second);
    delete group;
    QTRY_COMPARE(found.last(), nullptr);
    QCOMPARE(found.size(), 4);
}

QTEST_MAIN(MenuBaselineTest)
#include "menu_baseline_test.moc"
