#include "views/preview_pane.hpp"

#include "model/app_model.hpp"
#include "model/listing_texts.hpp"
#include "views/look.hpp"
#include "views/picture_view.hpp"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace folimo {

namespace {

// The sheets stand gap apart and gap in from the edges; each view keeps shadowRoom of it
// around its sheet for the shadow.
constexpr int shadowRoom = 12;
constexpr int gap = 28;
constexpr int sheetMaxWidth = 820;
constexpr int sheetPixels = 1100;

} // namespace

PreviewPane::PreviewPane(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , header_(new QLabel)
    , scroll_(new QScrollArea)
    , column_(new QVBoxLayout) {
    auto* content = new QWidget;
    column_->setContentsMargins(gap - shadowRoom, gap - shadowRoom, gap - shadowRoom,
                                gap - shadowRoom);
    column_->setSpacing(gap - 2 * shadowRoom);
    column_->addStretch();
    content->setLayout(column_);
    scroll_->setWidget(content);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 16, 0, 0);
    page->setSpacing(0);
    page->addWidget(header_, 0, Qt::AlignHCenter);
    page->addWidget(scroll_);

    connect(&model, &AppModel::previewsChanged, this, &PreviewPane::refresh);
    connect(&model, &AppModel::previewReady, this, &PreviewPane::refreshPictures);
    refresh();
}

void PreviewPane::refresh() {
    groups_ = model_.previewSheets();
    header_->setText(ListingTexts::sheetsHeader(groups_.size(), model_.settings().preview));
    header_->setForegroundRole(groups_.empty() ? QPalette::PlaceholderText : QPalette::WindowText);

    while (sheets_.size() > groups_.size()) {
        delete sheets_.back()->parentWidget();
        sheets_.pop_back();
    }
    const double aspect = model_.settings().preview.sheetWidth /
                          std::max(model_.settings().preview.sheetHeight, 1e-9);
    while (sheets_.size() < groups_.size()) {
        auto* sheet = new PictureView;
        sheet->setPadding(shadowRoom);
        sheet->setShadow(true);
        sheet->setMaximumWidth(sheetMaxWidth + 2 * shadowRoom);
        // Centred and at most 820 wide: the stretches take what the sheet leaves.
        auto* row = new QWidget;
        auto* centred = new QHBoxLayout(row);
        centred->setContentsMargins(0, 0, 0, 0);
        centred->addStretch(1);
        centred->addWidget(sheet, 1000);
        centred->addStretch(1);
        column_->insertWidget(int(sheets_.size()), row);
        sheets_.push_back(sheet);
    }
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        sheets_[i]->setAspect(aspect);
        sheets_[i]->setAccessibleName(ListingTexts::sheetName(i, groups_[i]));
    }
    refreshPictures();
}

void PreviewPane::refreshPictures() {
    if (!isVisible()) return; // a hidden pane draws nothing; showing it catches up
    for (std::size_t i = 0; i < sheets_.size(); ++i)
        if (QImage image = model_.requestSheetImage(groups_[i], sheetPixels); !image.isNull())
            sheets_[i]->setPicture(image);
}

void PreviewPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshPictures();
}

} // namespace folimo
