#include "views/images_pane.hpp"

#include "model/listing_session.hpp"
#include "model/previews.hpp"
#include "model/texts.hpp"
#include "views/layout_card.hpp"
#include "views/look.hpp"
#include "views/picture_view.hpp"
#include "views/segmented_control.hpp"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace folimo {

namespace {

constexpr int margin = 24;
constexpr int cardSpacing = 8;
// The large image is drawn at the pixels it covers on the screen, at least 1100 on its longer
// side and in steps of 550, so resizing the window asks for few drawings; the thumbnails at
// 260, which covers their 116 on screens of up to twice the density.
constexpr int largeSide = 1100;
constexpr int largeStep = 550;
constexpr double thumbnailSide = 260;

} // namespace

ImagesPane::ImagesPane(ListingSession& session, Previews& previews, QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , previews_(previews)
    , scroll_(new QScrollArea(this))
    , sizeRow_(new QGridLayout)
    , sizeLabel_(new QLabel)
    , squareCrop_(new QCheckBox(tr("Show Square Crop")))
    , large_(new PictureView)
    , cardGrid_(new QGridLayout) {
    look::makeSecondary(*sizeLabel_);
    large_->setPadding(margin);

    squareCrop_->setToolTip(tr("Shows the square that shop search results crop the image to"));
    squareCrop_->setChecked(session_.showSquareCrop());
    large_->setSquareCrop(session_.showSquareCrop());
    connect(squareCrop_, &QCheckBox::toggled, &session_, &ListingSession::setShowSquareCrop);
    connect(&session_, &ListingSession::showSquareCropChanged, this, [this] {
        squareCrop_->setChecked(session_.showSquareCrop());
        large_->setSquareCrop(session_.showSquareCrop());
    });

    sizeRow_->setHorizontalSpacing(12);
    sizeRow_->setVerticalSpacing(4);

    cardGrid_->setSpacing(cardSpacing);
    for (std::size_t i = 0; i < allLayouts.size(); ++i)
        cards_[i] = new LayoutCard(session, previews, allLayouts[i]);

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

    for (auto changed : {&Previews::previewsChanged, &Previews::selectedLayoutChanged,
                         &Previews::previewPresetIDChanged})
        connect(&previews, changed, this, &ImagesPane::refresh);
    connect(&previews, &Previews::previewReady, this, &ImagesPane::showReady);
    refresh();
}

void ImagesPane::refresh() {
    const ListingSettings& settings = session_.settings();
    const ImagePreset preset = previews_.previewPreset();

    QStringList names;
    int chosen = -1;
    for (const ImagePreset& each : settings.images) {
        if (chosen < 0 && each.id == preset.id) chosen = int(names.size());
        names << QString::fromStdString(each.name);
    }
    showPresetNames(names);
    sizePicker_->setCurrent(chosen);
    sizeLabel_->setText(Texts::pixelSize(preset.size));

    aspect_ = preset.size.height > 0 ? double(preset.size.width) / double(preset.size.height) : 0;
    fitToWidth();
    large_->setAccessibleName(Texts::largeImageName(previews_.selectedLayout(), preset));
    for (LayoutCard* card : cards_)
        card->refresh();
    refreshPictures();
}

void ImagesPane::showPresetNames(const QStringList& names) {
    if (sizePicker_ && names == presetNames_) return;
    presetNames_ = names;
    delete sizePicker_;
    sizePicker_ = new SegmentedControl(QStringLiteral("Size"), names);
    sizeRow_->addWidget(sizePicker_, 0, 0);
    sizeColumns_ = 0;
    fitToWidth();
    connect(sizePicker_, &SegmentedControl::chosen, this, [this](int index) {
        const auto& images = session_.settings().images;
        if (index >= 0 && std::size_t(index) < images.size())
            previews_.setPreviewPresetID(QString::fromStdString(images[std::size_t(index)].id));
    });
}

void ImagesPane::refreshPictures() {
    if (!isVisible()) return; // a hidden pane draws nothing; showing it catches up
    const ImagePreset preset = previews_.previewPreset();
    largeKey_ = previews_.previewImageKey(previews_.selectedLayout(), preset, largePixels_);
    if (QImage image =
            previews_.requestPreviewImage(previews_.selectedLayout(), preset, largePixels_);
        !image.isNull())
        large_->setPicture(image);
    for (std::size_t i = 0; i < cards_.size(); ++i) {
        cardKeys_[i] = previews_.previewImageKey(cards_[i]->layout(), preset, thumbnailSide);
        if (QImage image =
                previews_.requestPreviewImage(cards_[i]->layout(), preset, thumbnailSide);
            !image.isNull())
            cards_[i]->setThumbnail(image);
    }
}

void ImagesPane::showReady(const QString& key, const QImage& image) {
    if (key == largeKey_) large_->setPicture(image);
    for (std::size_t i = 0; i < cards_.size(); ++i)
        if (key == cardKeys_[i]) cards_[i]->setThumbnail(image);
}

void ImagesPane::dropRequests() {
    previews_.dropRequest(largeKey_);
    for (const QString& key : cardKeys_)
        previews_.dropRequest(key);
}

void ImagesPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshPictures();
}

void ImagesPane::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Pictures not started yet are withdrawn, so that the pane shown instead is drawn first
    // (on a long PDF the listing's first drawings take seconds); showing this one asks again.
    dropRequests();
}

// The pixel size and the square toggle stand beside the size picker when they fit, otherwise
// under it, one above the other. The cards stand in one row when it fits, otherwise in rows
// of three, two or one. The large image is as tall as its shape asks at the pane's width, but
// gives up height first, down to 240, so the cards stay in view when they can.
void ImagesPane::fitToWidth() {
    const int room = scroll_->viewport()->width() - 2 * margin;
    if (sizePicker_) {
        const int sizeColumns = sizePicker_->sizeHint().width() + sizeLabel_->sizeHint().width() +
                                            squareCrop_->sizeHint().width() +
                                            2 * sizeRow_->horizontalSpacing() <=
                                        room
                                    ? 2
                                    : 1;
        if (sizeColumns != sizeColumns_) {
            sizeColumns_ = sizeColumns;
            const bool beside = sizeColumns == 2;
            sizeRow_->removeWidget(sizeLabel_);
            sizeRow_->removeWidget(squareCrop_);
            sizeRow_->addWidget(sizeLabel_, beside ? 0 : 1, beside ? 1 : 0);
            sizeRow_->addWidget(squareCrop_, beside ? 0 : 2, beside ? 3 : 0);
            sizeRow_->setColumnStretch(sizeColumns == 2 ? 2 : 1, 1);
            sizeRow_->setColumnStretch(sizeColumns == 2 ? 1 : 2, 0);
        }
    }
    const int cardWidth = cards_[0]->sizeHint().width();
    int columns = 6;
    while (columns > 1 && columns * cardWidth + (columns - 1) * cardSpacing > room)
        columns = columns == 6 ? 3 : columns - 1;
    if (columns != cardColumns_) {
        cardColumns_ = columns;
        for (LayoutCard* card : cards_)
            cardGrid_->removeWidget(card);
        for (int i = 0; i < int(cards_.size()); ++i)
            cardGrid_->addWidget(cards_[std::size_t(i)], i / columns, i % columns, Qt::AlignCenter);
        // The scroll area sizes its content when asked, not when the content's least size
        // changes: without this the content keeps the height of the old rows.
        QCoreApplication::postEvent(scroll_, new QEvent(QEvent::LayoutRequest));
    }

    const int rows = (int(cards_.size()) + columns - 1) / columns;
    const int others = 16 + sizeRow_->sizeHint().height() +
                       rows * (cards_[0]->sizeHint().height() + cardSpacing) + margin;
    const int shaped = aspect_ > 0 ? int((room - 2 * margin) / aspect_) + 2 * margin : 240;
    const int height = std::min(shaped, std::max(240, scroll_->viewport()->height() - others));
    large_->setFixedHeight(height);

    // The picture fits inside the large image's padding.
    const double across = std::max(room - 2 * margin, 0), down = std::max(height - 2 * margin, 0);
    const double longer = aspect_ >= 1  ? std::min(across, down * aspect_)
                          : aspect_ > 0 ? std::min(down, across / aspect_)
                                        : std::min(across, down);
    const int steps = (devicePixels(*this, longer) + largeStep - 1) / largeStep;
    if (const int pixels = std::max(largeSide, steps * largeStep); pixels != largePixels_) {
        // A drawing at the old size not started yet is withdrawn.
        previews_.dropRequest(largeKey_);
        largePixels_ = pixels;
        refreshPictures();
    }
}

bool ImagesPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize) fitToWidth();
    return QWidget::eventFilter(watched, event);
}

} // namespace folimo
