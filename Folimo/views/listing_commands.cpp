#include "views/listing_commands.hpp"

#include "macmenubaseline/close_guard.hpp"
#include "macmenubaseline/menu_baseline.hpp"
#include "model/app_model.hpp"
#include "model/texts.hpp"
#include "views/window_shortcuts.hpp"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QUndoGroup>

namespace folimo {

namespace {

// Undo and Redo of the model's steps, then the focused field's own Cut, Copy, Paste and Select
// All. The model's steps are the active stack of an undo group that is a direct child of the
// window, where the menu baseline's undo reader finds them.
void addEditMenu(QMainWindow& window, ListingSession& session) {
    auto* steps = new QUndoGroup(&window);
    steps->addStack(&session.undoStack());
    steps->setActiveStack(&session.undoStack());

    QMenu* edit = window.menuBar()->addMenu(QMenuBar::tr("&Edit"));
    QAction* undo = steps->createUndoAction(edit);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = steps->createRedoAction(edit);
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addActions({undo, redo});
    edit->addSeparator();

    struct FieldCommand {
        QString text;
        QKeySequence::StandardKey key;
        const char* method; // a slot without arguments of the focused control
    };
    const FieldCommand fieldCommands[] = {
        {QMenuBar::tr("Cut"), QKeySequence::Cut, "cut"},
        {QMenuBar::tr("Copy"), QKeySequence::Copy, "copy"},
        {QMenuBar::tr("Paste"), QKeySequence::Paste, "paste"},
        {QMenuBar::tr("Select All"), QKeySequence::SelectAll, "selectAll"},
    };
    for (const FieldCommand& command : fieldCommands) {
        const char* method = command.method;
        auto canDo = [method, &window](QWidget* focus) {
            return focus && focus->window() == &window &&
                   focus->metaObject()->indexOfSlot(QByteArray(method) + "()") >= 0;
        };
        QAction* action =
            edit->addAction(command.text, QKeySequence(command.key), &window, [method, canDo] {
                QWidget* focus = QApplication::focusWidget();
                if (canDo(focus)) QMetaObject::invokeMethod(focus, method);
            });
        // Offered only while the focused control can do it.
        auto follow = [action, canDo](QWidget*, QWidget* focus) {
            action->setEnabled(canDo(focus));
        };
        QObject::connect(qApp, &QApplication::focusChanged, action, follow);
        follow(nullptr, QApplication::focusWidget());
    }
}

// File ▸ Open Recent: the recent PDFs by file name, each with its full path as its tip, those
// not on disk now disabled, then "Clear Menu". Filled afresh each time it opens.
void addRecentMenu(QMenu& file, ListingSession& session) {
    QMenu* recent = file.addMenu(QMenuBar::tr("Open Recent"));
    recent->setToolTipsVisible(true);
    auto fill = [recent, &session] {
        // Later, not now: the item chosen may be what asks for the new list.
        for (QAction* old : recent->actions()) {
            recent->removeAction(old);
            old->deleteLater();
        }
        const std::vector<RecentPDF> pdfs = session.recentPDFs();
        for (const RecentPDF& pdf : pdfs) {
            const QString path = QFile::decodeName(QByteArray(pdf.path.c_str()));
            QString name = QFileInfo(path).fileName();
            QAction* item =
                recent->addAction(name.replace('&', QStringLiteral("&&")), &session,
                                  [&session, file = pdf.path] { session.openFile(file); });
            item->setToolTip(path);
            item->setStatusTip(path);
            item->setEnabled(pdf.available);
        }
        recent->addSeparator();
        recent->addAction(QMenuBar::tr("Clear Menu"), &session, &ListingSession::clearRecentPDFs)
            ->setEnabled(!pdfs.empty());
    };
    QObject::connect(recent, &QMenu::aboutToShow, recent, fill);
    QObject::connect(&session, &ListingSession::recentPDFsChanged, recent, fill);
    fill();
}

} // namespace

QAction* addListingCommands(QMainWindow& window, AppModel& model, const AppCommands& app) {
    QMenuBar* bar = window.menuBar();

    QMenu* file = bar->addMenu(QMenuBar::tr("&File"));
    file->addAction(QMenuBar::tr("Open PDF…"), QKeySequence(Qt::CTRL | Qt::Key_O), &model.session(),
                    &ListingSession::openPDF);
    addRecentMenu(*file, model.session());
    file->addAction(QMenuBar::tr("Open the Sample PDF"), &model.session(),
                    &ListingSession::openSample);
    file->addSeparator();
    QAction* make =
        file->addAction(QMenuBar::tr("Make Listing Set…"), QKeySequence(Qt::CTRL | Qt::Key_E),
                        &model.work(), &SetWork::makeListingSet);
    auto enableMake = [make, &model] { make->setEnabled(model.session().source() != nullptr); };
    QObject::connect(&model.session(), &ListingSession::sourceChanged, make, enableMake);
    enableMake();
    file->addSeparator();
    // The main window's close guard asks first (work in progress); then every window goes.
    QAction* quit = file->addAction(QMenuBar::tr("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q),
                                    &window, [&window] {
                                        if (macmenubaseline::CloseGuard::shared().request(&window))
                                            QApplication::closeAllWindows();
                                    });
    quit->setMenuRole(QAction::QuitRole);

    addEditMenu(window, model.session());

    QMenu* go = bar->addMenu(QMenuBar::tr("&Go"));
    int digit = 1;
    for (Page page : allPages) {
        go->addAction(Texts::pageTitle(page), QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + digit++)),
                      &model, [&model, page] { model.setPage(page); });
    }
    go->addSeparator();
    for (ListingTab tab : allListingTabs) {
        go->addAction(Texts::tabTitle(tab), &model, [&model, tab] {
            model.setPage(Page::listing);
            model.setTab(tab);
        });
    }

    QMenu* help = bar->addMenu(QMenuBar::tr("&Help"));
    help->addAction(QMenuBar::tr("About Folimo"), app.about)->setMenuRole(QAction::AboutRole);
    help->addAction(QMenuBar::tr("Check for Updates…"), app.checkForUpdates);
    QAction* moreApps = help->addAction(QMenuBar::tr("More Apps…"), app.moreApps);

    macmenubaseline::menuBaseline(
        window, {macmenubaseline::CloseWindowAction::performClose(), std::nullopt, {}});
    new WindowShortcuts(window);
    return moreApps;
}

} // namespace folimo
