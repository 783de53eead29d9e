#include "views/listing_view.hpp"

#include "model/app_model.hpp"
#include "views/empty_state_view.hpp"
#include "views/images_pane.hpp"
#include "views/inspector_view.hpp"
#include "views/preview_pane.hpp"
#include "views/video_pane.hpp"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QMimeData>
#include <QStackedWidget>
#include <algorithm>

namespace folimo {

namespace {

// The inspector is 330 wide, and gives up to 40 of it to the pane in a small window.
constexpr int inspectorWidth = 330;
constexpr int narrowInspectorWidth = 290;

std::vector<std::filesystem::path> droppedFiles(const QMimeData* mime) {
    std::vector<std::filesystem::path> files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) files.emplace_back(url.toLocalFile().toStdString());
    return files;
}

bool hasPDF(const QMimeData* mime) {
    const auto files = droppedFiles(mime);
    return std::any_of(files.begin(), files.end(), ListingSession::isPDF);
}

} // namespace

ListingView::ListingView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , page_(new QStackedWidget)
    , empty_(new EmptyStateView(model.session()))
    , listing_(new QWidget)
    , panes_(new QStackedWidget)
    , images_(new ImagesPane(model.session(), model.previews()))
    , preview_(new PreviewPane(model.session(), model.previews()))
    , video_(new VideoPane(model.previews()))
    , inspector_(new InspectorView(model)) {
    setAcceptDrops(true);
    panes_->addWidget(images_);
    panes_->addWidget(preview_);
    panes_->addWidget(video_);
    inspector_->setMinimumWidth(narrowInspectorWidth);
    inspector_->setMaximumWidth(inspectorWidth);
    auto* divider = new QFrame;
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Plain);
    divider->setForegroundRole(QPalette::Mid);

    auto* row = new QHBoxLayout(listing_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(panes_, 1);
    row->addWidget(divider);
    row->addWidget(inspector_);

    page_->addWidget(empty_);
    page_->addWidget(listing_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page_);

    connect(&model.session(), &ListingSession::sourceChanged, this, &ListingView::refresh);
    connect(&model, &AppModel::tabChanged, this, &ListingView::refresh);
    refresh();
}

QWidget* ListingView::currentPane() const {
    return page_->currentWidget() == empty_ ? static_cast<QWidget*>(empty_)
                                            : panes_->currentWidget();
}

void ListingView::refresh() {
    page_->setCurrentWidget(model_.session().source() ? listing_ : static_cast<QWidget*>(empty_));
    switch (model_.tab()) {
    case ListingTab::images:
        panes_->setCurrentWidget(images_);
        break;
    case ListingTab::preview:
        panes_->setCurrentWidget(preview_);
        break;
    case ListingTab::video:
        panes_->setCurrentWidget(video_);
        break;
    }
}

void ListingView::dragEnterEvent(QDragEnterEvent* event) {
    if (hasPDF(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ListingView::dropEvent(QDropEvent* event) {
    if (!hasPDF(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The first PDF counts; a PDF that cannot be opened shows its message in the alert.
    model_.session().openFiles(droppedFiles(event->mimeData()));
}

} // namespace folimo
