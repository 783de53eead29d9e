#include "views/main_window.hpp"

#include "macmenubaseline/close_guard.hpp"
#include "model/app_model.hpp"
#include "model/texts.hpp"
#include "updates/updater.hpp"
#include "views/alert_host.hpp"
#include "views/batch_view.hpp"
#include "views/brands_view.hpp"
#include "views/file_panels.hpp"
#include "views/listing_commands.hpp"
#include "views/listing_view.hpp"
#include "views/look.hpp"
#include "views/more_apps_window.hpp"
#include "views/quit_question.hpp"
#include "views/segmented_control.hpp"
#include "views/sidebar.hpp"
#include "views/sizes_view.hpp"
#include "views/tab_order.hpp"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QScreen>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace folimo {

namespace {

constexpr QSize defaultSize{1280, 820};

// The page's symbol, for look::symbol().
const char* pageSymbol(Page page) {
    switch (page) {
    case Page::listing:
        return "photo.on.rectangle.angled";
    case Page::batch:
        return "folder.badge.gearshape";
    case Page::brands:
        return "paintpalette";
    case Page::sizes:
        return "aspectratio";
    }
    return "";
}

QList<Sidebar::Row> sidebarRows() {
    QList<Sidebar::Row> rows;
    for (Page page : allPages)
        rows.append({Texts::pageTitle(page), look::symbol(pageSymbol(page))});
    return rows;
}

QStringList tabTitles() {
    QStringList titles;
    for (ListingTab tab : allListingTabs)
        titles << Texts::tabTitle(tab);
    return titles;
}

} // namespace

MainWindow::MainWindow(AppModel& model, QWidget* parent)
    : QMainWindow(parent)
    , model_(model)
    , panels_(std::make_unique<FilePanels>(this))
    , sidebar_(new Sidebar(sidebarRows()))
    , detail_(new QStackedWidget)
    , toolbar_(new QToolBar(tr("Toolbar")))
    , show_(new SegmentedControl(tr("Show"), tabTitles())) {
    setObjectName("main");
    // Everything stays whole down to the minimum: cards wrap, the size picker elides, the
    // inspector and the forms scroll.
    setMinimumSize(minimumWindowSize);
    // A smaller screen gets a window of 90 % of its room, so nothing opens off-screen.
    resize(defaultSize.boundedTo(screen()->availableSize() * 0.9).expandedTo(minimumSize()));
    model_.setPanels(panels_.get());

    // The view of each sidebar page, in page order.
    detail_->addWidget(new ListingView(model_));
    detail_->addWidget(new BatchView(model_.work(), model_.session()));
    detail_->addWidget(new BrandsView(model_.session(), model_.previews()));
    detail_->addWidget(new SizesView(model_.session()));

    auto* content = new QWidget;
    auto* columns = new QHBoxLayout(content);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    columns->addWidget(sidebar_);
    columns->addWidget(detail_, 1);
    setCentralWidget(content);

    QToolBar* toolbar = toolbar_;
    addToolBar(toolbar);
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
    QAction* open = toolbar->addAction(look::symbol("doc.badge.plus"), tr("Open PDF"),
                                       &model_.session(), &ListingSession::openPDF);
    open->setToolTip(tr("Open a printable PDF"));
    // The button the toolbar shows when its items do not fit has no name of its own.
    if (auto* more = toolbar->findChild<QToolButton*>("qt_toolbar_ext_button"))
        more->setAccessibleName(tr("More Toolbar Items"));

    moreAppsItem_ = addListingCommands(
        *this, model_,
        {[this] { about(); },
         [this] { (updater_ ? *updater_ : updates::Updater::shared()).check(this); },
         [this] { showMoreApps(); }});
    setMoreApps(bundledMoreApps());
    alert_ = new AlertHost(model_, *this);
    // Closing the window quits the program: work in progress is not lost unasked.
    auto& guard = macmenubaseline::CloseGuard::shared();
    guard.install(this);
    guard.setShouldClose([this] { return mayQuit(model_.work(), this); });

    connect(sidebar_, &Sidebar::rowChosen, &model_, [this](std::optional<int> row) {
        model_.setPage(row ? std::optional(allPages[std::size_t(*row)]) : std::nullopt);
    });
    connect(sidebar_, &Sidebar::moreAppsClicked, this, &MainWindow::showMoreApps);
    connect(show_, &SegmentedControl::chosen, &model_,
            [this](int index) { model_.setTab(allListingTabs[std::size_t(index)]); });
    connect(&model_, &AppModel::pageChanged, this, &MainWindow::showPage);
    connect(&model_, &AppModel::tabChanged, this, &MainWindow::showPage);
    connect(&model_.session(), &ListingSession::sourceChanged, this, &MainWindow::showPage);
    connect(&model_.session(), &ListingSession::sourceChanged, this, &MainWindow::showTitle);
    connect(&model_.session(), &ListingSession::settingsChanged, this, &MainWindow::showTitle);
    connect(&model_.session(), &ListingSession::sourceNameChanged, this, &MainWindow::showSource);
    connect(&model_.session(), &ListingSession::sourceChanged, this, &MainWindow::showSource);
    showPage();
    showTitle();
    showSource();
}

MainWindow::~MainWindow() {
    model_.setPanels(nullptr);
    if (auto& guard = macmenubaseline::CloseGuard::shared(); guard.main() == this)
        guard.setShouldClose({});
}

bool MainWindow::focusNextPrevChild(bool next) {
    // Tab goes the way the window reads: the sidebar, the Show control that picks the listing
    // page's pane, then the page, which ends with the export bar.
    const QList<QWidget*> stops =
        tabOrder::stops(sidebar_) + tabOrder::stops(toolbar_) + tabOrder::stops(detail_);
    return tabOrder::moveFocus(stops, next) || QMainWindow::focusNextPrevChild(next);
}

void MainWindow::showPage() {
    const std::optional<Page> page = model_.page();
    sidebar_->setCurrentRow(page ? std::optional(int(*page)) : std::nullopt);
    // No selection shows the listing page.
    detail_->setCurrentIndex(int(page.value_or(Page::listing)));
    showAction_->setVisible(page == Page::listing && model_.session().source());
    show_->setCurrent(int(model_.tab()));
}

void MainWindow::showTitle() {
    setWindowTitle(model_.session().source() ? model_.session().title() : QStringLiteral("Folimo"));
}

void MainWindow::showSource() {
    const auto& source = model_.session().source();
    sidebar_->setSource(source ? model_.session().sourceName() : QString(),
                        source ? int(source->pageCount()) : 0);
}

MoreAppsWindow* MainWindow::moreApps() const {
    return moreApps_;
}

void MainWindow::setMoreApps(const QList<MoreApp>& apps) {
    otherApps_ = otherApps(apps, QStringLiteral("Folimo"));
    moreAppsItem_->setVisible(!otherApps_.isEmpty());
    sidebar_->setMoreAppsVisible(!otherApps_.isEmpty());
    if (moreApps_) moreApps_->close();
}

void MainWindow::setUpdater(updates::Updater* updater) {
    updater_ = updater;
}

void MainWindow::showMoreApps() {
    if (otherApps_.isEmpty()) return;
    if (!moreApps_) {
        moreApps_ = new MoreAppsWindow(otherApps_, this);
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
    const QString website = QStringLiteral(FOLIMO_WEBSITE);
    QMessageBox::about(
        this, tr("About Folimo"),
        tr("<p><b>Folimo</b><br>Version %1</p>"
           "<p>Listing images, a watermarked preview PDF and a flip-through video from one "
           "printable PDF.</p>"
           "<p><a href=\"%2\">%3</a></p>"
           "<p>Free software under the MIT License.</p>"
           "<p><small>Built on Qt, Poppler, Cairo, Pango, HarfBuzz, fontconfig, GLib, FFmpeg "
           "with x264, libpng, libjpeg-turbo, ICU and JSON for Modern C++. The brands’ fonts "
           "are Lato, League Spartan, Gillius ADF, Baskervald ADF, the URW base 35 fonts, "
           "Courier Prime, Comic Neue, Humor Sans, Dancing Script, Roboto Slab and GFS Didot, "
           "each under its own free licence.</small></p>")
            .arg(QApplication::applicationVersion(), website, QUrl(website).host()));
}

} // namespace folimo
