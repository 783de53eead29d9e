#include "views/listing_commands.hpp"

#include "macmenubaseline/menu_baseline.hpp"
#include "model/app_model.hpp"
#include "views/page_titles.hpp"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

namespace folimo {

void addListingCommands(QMainWindow& window, AppModel& model, const AppCommands& app) {
    QMenuBar* bar = window.menuBar();

    QMenu* file = bar->addMenu(QMenuBar::tr("&File"));
    file->addAction(QMenuBar::tr("Open PDF…"), QKeySequence(Qt::CTRL | Qt::Key_O), &model,
                    &AppModel::openPDF);
    file->addAction(QMenuBar::tr("Open the Sample PDF"), &model, &AppModel::openSample);
    file->addSeparator();
    QAction* make =
        file->addAction(QMenuBar::tr("Make Listing Set…"), QKeySequence(Qt::CTRL | Qt::Key_E),
                        &model, &AppModel::makeListingSet);
    auto enableMake = [make, &model] { make->setEnabled(model.source() != nullptr); };
    QObject::connect(&model, &AppModel::sourceChanged, make, enableMake);
    enableMake();
    file->addSeparator();
    QAction* quit = file->addAction(QMenuBar::tr("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), qApp,
                                    &QApplication::closeAllWindows);
    quit->setMenuRole(QAction::QuitRole);

    QMenu* go = bar->addMenu(QMenuBar::tr("&Go"));
    int digit = 1;
    for (Page page : allPages) {
        go->addAction(pageTitle(page), QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + digit++)),
                      &model, [&model, page] { model.setPage(page); });
    }
    go->addSeparator();
    for (ListingTab tab : allListingTabs) {
        go->addAction(tabTitle(tab), &model, [&model, tab] {
            model.setPage(Page::listing);
            model.setTab(tab);
        });
    }

    QMenu* help = bar->addMenu(QMenuBar::tr("&Help"));
    help->addAction(QMenuBar::tr("About Folimo"), app.about)->setMenuRole(QAction::AboutRole);
    help->addAction(QMenuBar::tr("Check for Updates…"), app.checkForUpdates);
    help->addAction(QMenuBar::tr("More Mac Apps…"), app.moreApps);

    macmenubaseline::menuBaseline(
        window, {macmenubaseline::CloseWindowAction::performClose(), std::nullopt, {}});
}

} // namespace folimo
