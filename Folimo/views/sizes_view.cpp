#include "views/sizes_view.hpp"

#include "model/listing_session.hpp"
#include "views/confirm.hpp"
#include "views/controls.hpp"
#include "views/form_section.hpp"
#include "views/look.hpp"
#include "views/number_field.hpp"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace folimo {

namespace {

constexpr std::int64_t standardFrameRates[] = {24, 25, 30};

// "1080 × 1080 px" laid out as fields and plain texts in one row.
QWidget* row(std::initializer_list<QWidget*> items) {
    auto* widget = new QWidget;
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    for (auto* item : items)
        layout->addWidget(item);
    layout->addStretch();
    return widget;
}

QLabel* text(const QString& text) {
    return new QLabel(text);
}

} // namespace

SizesView::SizesView(ListingSession& session, QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , images_(new FormSection(tr("Images")))
    , sheetWidth_(new NumberField(NumberField::Kind::decimal, tr("Sheet width")))
    , sheetHeight_(new NumberField(NumberField::Kind::decimal, tr("Sheet height")))
    , videoWidth_(new NumberField(NumberField::Kind::whole, tr("Video width")))
    , videoHeight_(new NumberField(NumberField::Kind::whole, tr("Video height")))
    , fps_(new QComboBox) {
    images_->setFooter(tr("Sizes follow each store’s current guidance for listing images and "
                          "can be changed. Check your store’s help pages if its guidance "
                          "changes."));

    auto* preview = new FormSection(tr("Preview PDF"));
    preview->addRow(tr("Sheet size"),
                    row({sheetWidth_, text("×"), sheetHeight_, text(tr("inches"))}));
    numberEdits(sheetWidth_,
                [this](ListingSettings& s) { s.preview.sheetWidth = *sheetWidth_->decimal(); });
    numberEdits(sheetHeight_,
                [this](ListingSettings& s) { s.preview.sheetHeight = *sheetHeight_->decimal(); });

    auto* video = new FormSection(tr("Flip-through video"));
    video->addRow(tr("Frame size"), row({videoWidth_, text("×"), videoHeight_, text(tr("px"))}));
    numberEdits(videoWidth_,
                [this](ListingSettings& s) { s.video.size.width = *videoWidth_->whole(); });
    numberEdits(videoHeight_,
                [this](ListingSettings& s) { s.video.size.height = *videoHeight_->whole(); });
    fps_->setAccessibleName(tr("Frame rate"));
    video->addRow(tr("Frame rate"), row({fps_}));
    controls::onChoice(fps_, this, [this](int index) {
        const std::int64_t fps = fps_->itemData(index).toLongLong();
        session_.editSettings(tr("Frame rate"), [fps](ListingSettings& s) { s.video.fps = fps; });
    });

    auto* reset = new FormSection;
    auto* resetButton = new QPushButton(tr("Reset to Defaults"));
    reset->addRow(row({resetButton}));
    connect(resetButton, &QPushButton::clicked, this, [this] {
        confirm(this, tr("Reset every size to its default?"), tr("Reset to Defaults"),
                [this] { session_.resetSizes(); });
    });

    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(28, 28, 28, 28);
    column->setSpacing(20);
    column->addWidget(look::pageHeader(
        tr("Sizes"), tr("The sizes of the listing images, the preview PDF’s sheets and the "
                        "video, for every listing set and batch.")));
    for (auto* section : {images_, preview, video, reset})
        column->addWidget(section);
    column->addStretch();
    content->setMaximumWidth(640);

    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus); // the keyboard goes to what is inside
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    connect(&session_, &ListingSession::settingsChanged, this, &SizesView::showSettings);
    showSettings();
}

void SizesView::buildPresetRows() {
    images_->clearRows();
    presetRows_.clear();
    presetIDs_.clear();
    const auto& presets = session_.settings().images;
    for (std::size_t i = 0; i < presets.size(); ++i) {
        const QString name = QString::fromStdString(presets[i].name);
        PresetRow preset{new NumberField(NumberField::Kind::whole, tr("%1 width").arg(name)),
                         new NumberField(NumberField::Kind::whole, tr("%1 height").arg(name)),
                         new QComboBox};
        preset.format->addItem(tr("PNG"), int(ImageFormat::png));
        preset.format->addItem(tr("JPEG"), int(ImageFormat::jpeg));
        preset.format->setAccessibleName(tr("Format"));
        preset.format->setAccessibleDescription(name);
        images_->addRow(
            name, row({preset.width, text("×"), preset.height, text(tr("px")), preset.format}));

        // Rows are rebuilt whenever the presets change in number or identity, so the index
        // always names the preset the row was built for.
        numberEdits(preset.width, [i, field = preset.width](ListingSettings& s) {
            s.images[i].size.width = *field->whole();
        });
        numberEdits(preset.height, [i, field = preset.height](ListingSettings& s) {
            s.images[i].size.height = *field->whole();
        });
        controls::onChoice(preset.format, this, [this, i, name, box = preset.format](int index) {
            const auto format = ImageFormat(box->itemData(index).toInt());
            session_.editSettings(tr("%1 format").arg(name),
                                  [&](ListingSettings& s) { s.images[i].format = format; });
        });
        presetRows_.push_back(preset);
        presetIDs_.push_back(presets[i].id);
    }
}

void SizesView::showSettings() {
    const ListingSettings& settings = session_.settings();
    std::vector<std::string> ids;
    for (const auto& preset : settings.images)
        ids.push_back(preset.id);
    if (ids != presetIDs_) buildPresetRows();
    for (std::size_t i = 0; i < presetRows_.size(); ++i) {
        const ImagePreset& preset = settings.images[i];
        presetRows_[i].width->setWhole(preset.size.width);
        presetRows_[i].height->setWhole(preset.size.height);
        controls::show(presetRows_[i].format, presetRows_[i].format->findData(int(preset.format)));
    }
    sheetWidth_->setDecimal(settings.preview.sheetWidth);
    sheetHeight_->setDecimal(settings.preview.sheetHeight);
    videoWidth_->setWhole(settings.video.size.width);
    videoHeight_->setWhole(settings.video.size.height);

    // A rate other than the three offered (from a hand-edited store) is listed after them,
    // so the picker shows what is stored instead of a blank.
    const std::int64_t fps = settings.video.fps;
    controls::quietly(fps_, [this, fps] {
        fps_->clear();
        for (const std::int64_t rate : standardFrameRates)
            fps_->addItem(tr("%1 fps").arg(rate), qlonglong(rate));
        if (std::ranges::find(standardFrameRates, fps) == std::end(standardFrameRates))
            fps_->addItem(tr("%1 fps").arg(fps), qlonglong(fps));
        fps_->setCurrentIndex(fps_->findData(qlonglong(fps)));
    });
}

void SizesView::numberEdits(NumberField* field,
                            const std::function<void(ListingSettings&)>& change) {
    connect(field, &NumberField::numberChanged, this, [this, field, change] {
        session_.editSettings(field->accessibleName(), change, field);
    });
}

} // namespace folimo
