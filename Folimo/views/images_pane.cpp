#include "views/images_pane.hpp"

#include "model/app_model.hpp"
#include "model/listing_texts.hpp"
#include "views/layout_card.hpp"
#include "views/look.hpp"
#include "views/picture_view.hpp"
#include "views/segmented_control.hpp"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace folimo {

namespace {

constexpr int margin = 24;
constexpr int cardSpacing = 8;
constexpr double largeSide = 1100;
constexpr double thumbnailSide = 260;

} // namespace

ImagesPane::ImagesPane(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , scroll_(new QScrollArea(this))
    , sizeRow_(new QHBoxLayout)
    , sizeLabel_(new QLabel)
    , large_(new PictureView)
    , cardGrid_(new QGridLayout) {
    look::makeSecondary(*sizeLabel_);
    large_->setPadding(margin);

    sizeRow_->setSpacing(12);
    sizeRow_->addWidget(sizeLabel_);
    sizeRow_->addStretch();

    cardGrid_->setSpacing(cardSpacing);
    for (std::size_t i = 0; i < allLayouts.size(); ++i)
        cards_[i] = new LayoutCard(model, allLayouts[i]);

    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(margin, 16, margin, margin);
    column->setSpacing(0);
    column->addLayout(sizeRow_);
    column->addWidget(large_);
    // The cards keep together in the middle; the room either side stays empty.
    auto* cardRow = new QHBoxLayout;
    cardRow->addStretch();
    cardRow->addLayout(cardGrid_);
    cardRow->addStretch();
    column->addLayout(cardRow);
    column->addStretch();
    content->setBackgroundRole(QPalette::Base);

    scroll_->setWidget(content);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus); // the keyboard goes to what is inside
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->viewport()->installEventFilter(this);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(scroll_);

    for (auto changed : {&AppModel::previewsChanged, &AppModel::selectedLayoutChanged,
                         &AppModel::previewPresetIDChanged})
        connect(&model, changed, this, &ImagesPane::refresh);
    connect(&model, &AppModel::previewReady, this, &ImagesPane::refreshPictures);
    placeCards();
    refresh();
}

void ImagesPane::refresh() {
    const ListingSettings& settings = model_.settings();
    const ImagePreset preset = model_.previewPreset();

    QStringList names;
    int chosen = -1;
    for (const ImagePreset& each : settings.images) {
        if (chosen < 0 && each.id == preset.id) chosen = int(names.size());
        names << QString::fromStdString(each.name);
    }
    showPresetNames(names);
    sizePicker_->setCurrent(chosen);
    sizeLabel_->setText(ListingTexts::pixelSize(preset.size));

    large_->setAspect(
        preset.size.height > 0 ? double(preset.size.width) / double(preset.size.height) : 0);
    large_->setAccessibleName(ListingTexts::largeImageName(model_.selectedLayout(), preset));
    for (LayoutCard* card : cards_)
        card->refresh();
    refreshPictures();
}

void ImagesPane::showPresetNames(const QStringList& names) {
    if (sizePicker_ && names == presetNames_) return;
    presetNames_ = names;
    delete sizePicker_;
    sizePicker_ = new SegmentedControl(QStringLiteral("Size"), names);
    sizeRow_->insertWidget(0, sizePicker_);
    connect(sizePicker_, &SegmentedControl::chosen, this, [this](int index) {
        const auto& images = model_.settings().images;
        if (index >= 0 && std::size_t(index) < images.size())
            model_.setPreviewPresetID(QString::fromStdString(images[std::size_t(index)].id));
    });
}

void ImagesPane::refreshPictures() {
    if (!isVisible()) return; // a hidden pane draws nothing; showing it catches up
    const ImagePreset preset = model_.previewPreset();
    if (QImage image = model_.requestPreviewImage(model_.selectedLayout(), preset, largeSide);
        !image.isNull())
        large_->setPicture(image);
    for (LayoutCard* card : cards_)
        if (QImage image = model_.requestPreviewImage(card->layout(), preset, thumbnailSide);
            !image.isNull())
            card->setThumbnail(image);
}

void ImagesPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshPictures();
}

void ImagesPane::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Pictures not started yet are withdrawn, so that the pane shown instead is drawn first
    // (on a long PDF the listing's first drawings take seconds); showing this one asks again.
    const ImagePreset preset = model_.previewPreset();
    model_.dropRequest(model_.previewImageKey(model_.selectedLayout(), preset, largeSide));
    for (LayoutCard* card : cards_)
        model_.dropRequest(model_.previewImageKey(card->layout(), preset, thumbnailSide));
}

// The cards stand in one row when it fits, otherwise in two rows of three or three of two.
void ImagesPane::placeCards() {
    const int room = scroll_->viewport()->width() - 2 * margin;
    const int cardWidth = cards_[0]->sizeHint().width();
    int columns = 6;
    while (columns > 2 && columns * cardWidth + (columns - 1) * cardSpacing > room)
        columns = columns == 6 ? 3 : 2;
    if (columns == cardColumns_) return;
    cardColumns_ = columns;
    for (LayoutCard* card : cards_)
        cardGrid_->removeWidget(card);
    for (int i = 0; i < int(cards_.size()); ++i)
        cardGrid_->addWidget(cards_[std::size_t(i)], i / columns, i % columns, Qt::AlignCenter);
}

bool ImagesPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize) {
        placeCards();
        // The large image gives up height first, so the cards stay in view when they can.
        const int rows = (int(cards_.size()) + cardColumns_ - 1) / cardColumns_;
        const int others = 16 + sizePicker_->sizeHint().height() +
                           rows * (cards_[0]->sizeHint().height() + cardSpacing) + margin;
        large_->setMaximumHeight(std::max(240, scroll_->viewport()->height() - others));
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace folimo
