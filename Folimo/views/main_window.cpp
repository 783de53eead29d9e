#include "views/main_window.hpp"

#include "views/look.hpp"
#include "views/segmented_control.hpp"
#include "views/sidebar.hpp"

#include <QAction>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QToolBar>

namespace folimo {

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , sidebar_(new Sidebar({{tr("Listing Set"), look::symbol("photo.on.rectangle.angled")},
                            {tr("Batch"), look::symbol("folder.badge.gearshape")},
                            {tr("Brand Presets"), look::symbol("paintpalette")},
                            {tr("Sizes"), look::symbol("aspectratio")}}))
    , detail_(new QStackedWidget)
    , show_(new SegmentedControl(tr("Show"),
                                 {tr("Images"), tr("Preview PDF"), tr("Flip-Through Video")})) {
    setObjectName("main");
    setWindowTitle("Folimo");
    resize(1280, 820);

    // The view of each sidebar page, in page order. Each placeholder gives way to its view.
    detail_->addWidget(new QWidget); // listing: ListingView
    detail_->addWidget(new QWidget); // batch: BatchView
    detail_->addWidget(new QWidget); // brands: BrandsView
    detail_->addWidget(new QWidget); // sizes: SizesView
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
    openAction_ = toolbar->addAction(look::symbol("doc.badge.plus"), tr("Open PDF"));
    openAction_->setToolTip(tr("Open a printable PDF"));
}

void MainWindow::showMoreApps() {}

} // namespace folimo
