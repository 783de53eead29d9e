#include "views/main_window.hpp"

#include "macmenubaseline/close_guard.hpp"
#include "model/app_model.hpp"
#include "updates/updater.hpp"
#include "views/alert_host.hpp"
#include "views/batch_view.hpp"
#include "views/brands_view.hpp"
#include "views/file_panels.hpp"
#include "views/listing_commands.hpp"
#include "views/listing_view.hpp"
#include "views/look.hpp"
#include "views/more_apps_window.hpp"
#include "views/page_titles.hpp"
#include "views/quit_question.hpp"
#include "views/segmented_control.hpp"
#include "views/sidebar.hpp"
#include "views/sizes_view.hpp"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>

namespace folimo {

namespace {

QList<Sidebar::Row> sidebarRows() {
    QList<Sidebar::Row> rows;
    for (Page page : allPages)
        rows.append({pageTitle(page), look::symbol(pageSymbol(page))});
    return rows;
}

QStringList tabTitles() {
    QStringList titles;
    for (ListingTab tab : allListingTabs)
        titles << tabTitle(tab);
    return titles;
}

} // namespace

MainWindow::MainWindow(AppModel& model, QWidget* parent)
    : QMainWindow(parent)
    , model_(model)
    , panels_(std::make_unique<FilePanels>(this))
    , sidebar_(new Sidebar(sidebarRows()))
    , detail_(new QStackedWidget)
    , show_(new SegmentedControl(tr("Show"), tabTitles())) {
    setObjectName("main");
    resize(1280, 820);
    model_.setPanels(panels_.get());

    // The view of each sidebar page, in page order.
    detail_->addWidget(new ListingView(model_));
    detail_->addWidget(new BatchView(model_));
    detail_->addWidget(new BrandsView(model_));
    detail_->addWidget(new SizesView(model_));
    detail_->setMinimumSize(760, 560);

    auto* content = new QWidget;
    auto* columns = new QHBoxLayout(content);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    sidebar_->setFixedWidth(210);
    columns->addWidget(sidebar_);
    columns->addWidget(detail_, 1);
    setCentralWidget(content);

    auto* toolbar = addToolBar(tr("Toolbar"));
    toolbar->setObjectName("toolbar");
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolbar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    auto spacer = [] {
        auto* widget = new QWidget;
        widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        return widget;
    };
    toolbar->addWidget(spacer());
    showAction_ = toolbar->addWidget(show_);
    toolbar->addWidget(spacer());
    QAction* open = toolbar->addAction(look::symbol("doc.badge.plus"), tr("Open PDF"), &model_,
                                       &AppModel::openPDF);
    open->setToolTip(tr("Open a printable PDF"));
    // The button the toolbar shows when its items do not fit has no name of its own.
    if (auto* more = toolbar->findChild<QToolButton*>("qt_toolbar_ext_button"))
        more->setAccessibleName(tr("More Toolbar Items"));

    addListingCommands(*this, model_,
                       {[this] { about(); }, [] { updates::Updater::shared().check(); },
                        [this] { showMoreApps(); }});
    alert_ = new AlertHost(model_, *this);
    // Closing the window quits the program: work in progress is not lost unasked.
    auto& guard = macmenubaseline::CloseGuard::shared();
    guard.install(this);
    guard.setShouldClose([this] { return mayQuit(model_, this); });

    connect(sidebar_, &Sidebar::rowChosen, &model_, [this](std::optional<int> row) {
        model_.setPage(row ? std::optional(allPages[std::size_t(*row)]) : std::nullopt);
    });
    connect(sidebar_, &Sidebar::moreAppsClicked, this, &MainWindow::showMoreApps);
    connect(show_, &SegmentedControl::chosen, &model_,
            [this](int index) { model_.setTab(allListingTabs[std::size_t(index)]); });
    connect(&model_, &AppModel::pageChanged, this, &MainWindow::showPage);
    connect(&model_, &AppModel::tabChanged, this, &MainWindow::showPage);
    connect(&model_, &AppModel::sourceChanged, this, &MainWindow::showPage);
    connect(&model_, &AppModel::sourceChanged, this, &MainWindow::showTitle);
    connect(&model_, &AppModel::settingsChanged, this, &MainWindow::showTitle);
    connect(&model_, &AppModel::sourceNameChanged, this, &MainWindow::showSource);
    connect(&model_, &AppModel::sourceChanged, this, &MainWindow::showSource);
    showPage();
    showTitle();
    showSource();
}

MainWindow::~MainWindow() {
    model_.setPanels(nullptr);
    if (auto& guard = macmenubaseline::CloseGuard::shared(); guard.main() == this)
        guard.setShouldClose({});
}

void MainWindow::showPage() {
    const std::optional<Page> page = model_.page();
    sidebar_->setCurrentRow(page ? std::optional(int(*page)) : std::nullopt);
    // No selection shows the listing page.
    detail_->setCurrentIndex(int(page.value_or(Page::listing)));
    showAction_->setVisible(page == Page::listing && model_.source());
    show_->setCurrent(int(model_.tab()));
}

void MainWindow::showTitle() {
    setWindowTitle(model_.source() ? model_.title() : QStringLiteral("Folimo"));
}

void MainWindow::showSource() {
    const auto& source = model_.source();
    sidebar_->setSource(source ? model_.sourceName() : QString(),
                        source ? int(source->pageCount()) : 0);
}

MoreAppsWindow* MainWindow::moreApps() const {
    return moreApps_;
}

void MainWindow::showMoreApps() {
    if (!moreApps_) {
        moreApps_ = new MoreAppsWindow(bundledMoreApps(), this);
        moreApps_->setAttribute(Qt::WA_QuitOnClose, false);
    }
    moreApps_->show();
    moreApps_->raise();
    moreApps_->activateWindow();
}

void MainWindow::bringToFront() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void MainWindow::about() {
    QMessageBox::about(this, tr("About Folimo"),
                       tr("<b>Folimo</b> %1<p>Listing images, a watermarked preview PDF and a "
                          "flip-through video from one printable PDF.</p>")
                           .arg(QApplication::applicationVersion()));
}

} // namespace folimo
