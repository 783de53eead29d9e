#include "views/inspector_view.hpp"

#include "model/app_model.hpp"
#include "model/listing_findings.hpp"
#include "model/texts.hpp"
#include "views/controls.hpp"
#include "views/export_bar.hpp"
#include "views/findings_view.hpp"
#include "views/look.hpp"
#include "views/segmented_control.hpp"
#include "views/text_field.hpp"
#include "views/unit_slider.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSlider>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>

namespace folimo {

namespace {

// Watermark strength runs 0.08...0.6; the slider counts thousandths.
constexpr int strengthMin = 80;
constexpr int strengthMax = 600;
constexpr double strengthUnit = 1000;

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The symbol shown beside each layout's toggle.
QString layoutSymbol(ImageLayout layout) {
    switch (layout) {
    case ImageLayout::grid:
        return QStringLiteral("square.grid.3x2");
    case ImageLayout::cover:
        return QStringLiteral("doc.richtext");
    case ImageLayout::fan:
        return QStringLiteral("rectangle.stack");
    case ImageLayout::clipboard:
        return QStringLiteral("list.clipboard");
    case ImageLayout::desk:
        return QStringLiteral("pencil.and.ruler");
    case ImageLayout::frame:
        return QStringLiteral("photo.artframe");
    }
    return {};
}

QSlider* slider(int minimum, int maximum, const QString& name) {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(minimum, maximum);
    slider->setAccessibleName(name);
    return slider;
}

TextField* textField(const QString& name, const QString& prompt, const QString& help = {}) {
    auto* field = new TextField;
    field->setAccessibleName(name);
    field->setPlaceholderText(prompt);
    field->setToolTip(help);
    return field;
}

QCheckBox* toggle(const QString& name) {
    auto* box = new QCheckBox(name);
    box->setAccessibleName(name);
    return box;
}

} // namespace

InspectorView::InspectorView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , session_(model.session())
    , content_(new QVBoxLayout) {
    auto* form = new QWidget;
    form->setLayout(content_);
    content_->setContentsMargins(16, 14, 16, 16);
    content_->setSpacing(16);
    buildListing(content_);
    content_->addStretch();

    scroll_ = new QScrollArea;
    scroll_->setWidget(form);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus); // the keyboard goes to what is inside
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    divider->setForegroundRole(QPalette::Mid);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(scroll_, 1);
    column->addWidget(divider);
    column->addWidget(
        new FindingsView(*new ListingFindings(session_, this),
                         [this](const ListingFinding& finding) { editFinding(finding); }));
    column->addWidget(new ExportBar(model.work(), session_));

    for (auto changed : {&ListingSession::settingsChanged, &ListingSession::brandsChanged,
                         &ListingSession::brandIDChanged, &ListingSession::sourceChanged})
        connect(&session_, changed, this, &InspectorView::refresh);
    connect(&model, &AppModel::tabChanged, this, &InspectorView::buildTab);
    buildTab();
}

void InspectorView::editFinding(const ListingFinding& finding) {
    using Kind = ListingFinding::Kind;
    QLineEdit* field = title_;
    if (finding.kind != Kind::titleTooLong && finding.kind != Kind::titleCutBySquare) {
        model_.setTab(finding.kind == Kind::missingPreviewPage ? ListingTab::preview
                      : finding.kind == Kind::missingVideoPage ? ListingTab::video
                                                               : ListingTab::images);
        for (QLineEdit* each : tabSections_->findChildren<QLineEdit*>())
            if (each->accessibleName() == QStringLiteral("Pages")) field = each;
    }
    scroll_->ensureWidgetVisible(field);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

void InspectorView::edit(const QString& name, const std::function<void(ListingSettings&)>& change,
                         const QObject* typing) {
    session_.editSettings(name, change, typing);
}

void InspectorView::toggles(QCheckBox* box,
                            const std::function<void(ListingSettings&, bool)>& change) {
    controls::onToggle(box, this, [this, box, change](bool on) {
        edit(box->accessibleName(), [&](ListingSettings& s) { change(s, on); });
    });
}

void InspectorView::types(QLineEdit* field,
                          const std::function<void(ListingSettings&, std::string)>& change) {
    controls::onText(field, this, [this, field, change](const QString& text) {
        edit(
            field->accessibleName(), [&](ListingSettings& s) { change(s, text.toStdString()); },
            field);
    });
}

QFormLayout* InspectorView::addSection(QVBoxLayout* column, const QString& title,
                                       const QString& footer) {
    auto* section = new QVBoxLayout;
    section->setSpacing(6);
    if (!title.isEmpty()) section->addWidget(look::sectionHeader(title));
    auto* group = new QFrame;
    group->setFrameShape(QFrame::StyledPanel);
    group->setBackgroundRole(QPalette::Base);
    group->setAutoFillBackground(true);
    auto* rows = new QFormLayout(group);
    rows->setContentsMargins(10, 10, 10, 10);
    rows->setVerticalSpacing(8);
    rows->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    rows->setRowWrapPolicy(QFormLayout::DontWrapRows);
    rows->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    section->addWidget(group);
    if (!footer.isEmpty()) {
        auto* note = new QLabel(footer);
        note->setWordWrap(true);
        look::makeCaption(*note);
        look::makeSecondary(*note);
        section->addWidget(note);
    }
    column->addLayout(section);
    return rows;
}

void InspectorView::buildListing(QVBoxLayout* column) {
    QFormLayout* rows = addSection(column, QStringLiteral("Listing"));

    TextField* title = textField(QStringLiteral("Title"), {});
    title_ = title;
    types(title, [](ListingSettings& s, std::string text) { s.title = std::move(text); });
    rows->addRow(QStringLiteral("Title"), title);
    listingShows_.push_back([this, title] {
        title->setPlaceholderText(session_.source() ? qt(session_.source()->title()) : QString());
        controls::show(title, qt(session_.settings().title));
    });

    QCheckBox* showTitle = toggle(QStringLiteral("Show the title on images"));
    toggles(showTitle, [](ListingSettings& s, bool on) { s.showTitle = on; });
    rows->addRow(showTitle);
    listingShows_.push_back(
        [this, showTitle] { controls::show(showTitle, session_.settings().showTitle); });

    auto* brand = new QComboBox;
    brand->setAccessibleName(QStringLiteral("Brand"));
    brand->setToolTip(QStringLiteral("Edit brands under Brand Presets"));
    controls::onChoice(brand, this, [this](int index) {
        if (index >= 0 && std::size_t(index) < session_.brands().size())
            session_.chooseBrand(session_.brands()[std::size_t(index)].id);
    });
    rows->addRow(QStringLiteral("Brand"), brand);
    listingShows_.push_back([this, brand] {
        QStringList names;
        int chosen = -1;
        for (const Brand& each : session_.brands()) {
            if (chosen < 0 && each.id == session_.brandID()) chosen = int(names.size());
            names << qt(each.name);
        }
        QStringList shown;
        for (int i = 0; i < brand->count(); ++i)
            shown << brand->itemText(i);
        if (shown != names)
            controls::quietly(brand, [&] {
                brand->clear();
                brand->addItems(names);
            });
        controls::show(brand, chosen);
    });
}

void InspectorView::buildTab() {
    delete tabSections_;
    tabShows_.clear();
    shownPresets_.clear();
    tabSections_ = new QWidget;
    auto* column = new QVBoxLayout(tabSections_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    switch (model_.tab()) {
    case ListingTab::images:
        buildImages(column);
        break;
    case ListingTab::preview:
        buildPreview(column);
        break;
    case ListingTab::video:
        buildVideo(column);
        break;
    }
    content_->insertWidget(1, tabSections_);
    tabSections_->show(); // at once, not when the layout gets round to it
    refresh();
}

void InspectorView::buildImages(QVBoxLayout* column) {
    QFormLayout* pagesRow = addSection(column, {});
    TextField* pages =
        textField(QStringLiteral("Pages"), QStringLiteral("Picked for you"),
                  QStringLiteral("Pages for the grid, cover, fan and scenes, like "
                                 "1-6 or 1, 3, 5. Leave blank to pick them for you."));
    types(pages, [](ListingSettings& s, std::string text) { s.pages = std::move(text); });
    pagesRow->addRow(QStringLiteral("Pages"), pages);
    tabShows_.push_back([this, pages] { controls::show(pages, qt(session_.settings().pages)); });

    QFormLayout* sizes = addSection(
        column, QStringLiteral("Sizes"),
        QStringLiteral("Sizes follow each store’s current guidance for listing images and can be "
                       "changed under Sizes."));
    const auto& presets = session_.settings().images;
    for (std::size_t i = 0; i < presets.size(); ++i) {
        const ImagePreset& preset = presets[i];
        QCheckBox* box = toggle(qt(preset.name));
        const QString detail = Texts::presetDetail(preset);
        box->setAccessibleDescription(detail);
        auto* caption = new QLabel(detail);
        look::makeCaption(*caption);
        look::makeSecondary(*caption);
        // The second line starts under the name, past the check box's indicator.
        caption->setIndent(box->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                           box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing));
        auto* label = new QWidget;
        auto* lines = new QVBoxLayout(label);
        lines->setContentsMargins(0, 0, 0, 0);
        lines->setSpacing(1);
        lines->addWidget(box);
        lines->addWidget(caption);
        sizes->addRow(label);
        shownPresets_ << qt(preset.name) + QLatin1Char('\n') + detail;
        const std::string id = preset.id;
        toggles(box, [i, id](ListingSettings& s, bool on) {
            if (i < s.images.size() && s.images[i].id == id) s.images[i].isOn = on;
        });
        tabShows_.push_back([this, box, i] {
            const auto& images = session_.settings().images;
            if (i < images.size()) controls::show(box, images[i].isOn);
        });
    }

    QFormLayout* layouts = addSection(column, QStringLiteral("Images"));
    for (ImageLayout layout : allLayouts) {
        QCheckBox* box = toggle(Texts::layoutName(layout));
        box->setIcon(look::symbol(layoutSymbol(layout)));
        toggles(box, [layout](ListingSettings& s, bool on) {
            if (on)
                s.layouts.insert(layout);
            else
                s.layouts.erase(layout);
        });
        layouts->addRow(box);
        tabShows_.push_back([this, box, layout] {
            controls::show(box, session_.settings().layouts.contains(layout));
        });
    }

    QFormLayout* also = addSection(column, QStringLiteral("Also in the set"));
    QCheckBox* preview = toggle(QStringLiteral("Watermarked preview PDF"));
    QCheckBox* video = toggle(QStringLiteral("Flip-through video"));
    toggles(preview, [](ListingSettings& s, bool on) { s.preview.isOn = on; });
    toggles(video, [](ListingSettings& s, bool on) { s.video.isOn = on; });
    also->addRow(preview);
    also->addRow(video);
    tabShows_.push_back([this, preview, video] {
        controls::show(preview, session_.settings().preview.isOn);
        controls::show(video, session_.settings().video.isOn);
    });
}

void InspectorView::buildPreview(QVBoxLayout* column) {
    QFormLayout* rows = addSection(column, QStringLiteral("Preview PDF"));
    QCheckBox* include = toggle(QStringLiteral("Include in the set"));
    toggles(include, [](ListingSettings& s, bool on) { s.preview.isOn = on; });
    rows->addRow(include);

    TextField* pages = textField(QStringLiteral("Pages"), QStringLiteral("Every page"),
                                 QStringLiteral("Like 1-4, 8. Leave blank for every page."));
    types(pages, [](ListingSettings& s, std::string text) { s.preview.pages = std::move(text); });
    rows->addRow(QStringLiteral("Pages"), pages);

    auto* perSheet = new QComboBox;
    perSheet->setAccessibleName(QStringLiteral("Per sheet"));
    perSheet->addItem(QStringLiteral("1 page"), 1);
    perSheet->addItem(QStringLiteral("2 pages"), 2);
    controls::onChoice(perSheet, this, [this, perSheet](int index) {
        const auto count = perSheet->itemData(index).toLongLong();
        edit(perSheet->accessibleName(), [&](auto& s) { s.preview.pagesPerSheet = count; });
    });
    rows->addRow(QStringLiteral("Per sheet"), perSheet);

    QCheckBox* flatten = toggle(QStringLiteral("Flatten pages"));
    flatten->setToolTip(QStringLiteral(
        "Turns each page into a picture, so the text under the watermark can’t be copied out"));
    toggles(flatten, [](ListingSettings& s, bool on) { s.preview.flatten = on; });
    rows->addRow(flatten);

    QFormLayout* mark = addSection(column, QStringLiteral("Watermark"));
    TextField* text = textField(QStringLiteral("Text"), QStringLiteral("PREVIEW"));
    types(text,
          [](ListingSettings& s, std::string typed) { s.preview.watermark = std::move(typed); });
    mark->addRow(QStringLiteral("Text"), text);

    QStringList styles;
    for (WatermarkStyle each : allWatermarkStyles)
        styles << QString::fromUtf8(title(each).data(), qsizetype(title(each).size()));
    auto* style = new SegmentedControl(QStringLiteral("Style"), styles);
    style->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(style, &SegmentedControl::chosen, this, [this, style](int index) {
        edit(style->accessibleName(),
             [&](auto& s) { s.preview.style = allWatermarkStyles[std::size_t(index)]; });
    });
    mark->addRow(QStringLiteral("Style"), style);

    // Thousandths of opacity, read as percent.
    auto* strength = new UnitSlider(strengthUnit / 100, [](double percent) {
        return QStringLiteral("%1%").arg(std::lround(percent));
    });
    strength->setRange(strengthMin, strengthMax);
    strength->setAccessibleName(QStringLiteral("Watermark strength"));
    controls::onValue(strength, this, [this, strength](int value) {
        edit(
            strength->accessibleName(), [&](auto& s) { s.preview.opacity = value / strengthUnit; },
            strength);
    });
    mark->addRow(QStringLiteral("Strength"), strength);

    tabShows_.push_back([=, this] {
        const PreviewSettings& p = session_.settings().preview;
        controls::show(include, p.isOn);
        controls::show(pages, qt(p.pages));
        controls::show(perSheet, perSheet->findData(qlonglong(p.pagesPerSheet)));
        controls::show(flatten, p.flatten);
        controls::show(text, qt(p.watermark));
        style->setCurrent(p.style == WatermarkStyle::diagonal ? 0 : 1);
        // A stored strength outside the slider's range shows at its nearest end and stays
        // as stored until the slider is moved.
        controls::show(strength,
                       std::isfinite(p.opacity)
                           ? int(std::lround(std::clamp(p.opacity * strengthUnit,
                                                        double(strengthMin), double(strengthMax))))
                           : strengthMin);
    });
}

void InspectorView::buildVideo(QVBoxLayout* column) {
    QFormLayout* rows = addSection(
        column, QStringLiteral("Flip-through video"),
        QStringLiteral(
            "Listing videos usually run 5 to 15 seconds. The size can be changed under Sizes."));
    QCheckBox* include = toggle(QStringLiteral("Include in the set"));
    toggles(include, [](ListingSettings& s, bool on) { s.video.isOn = on; });
    rows->addRow(include);

    QSlider* length =
        slider(int(VideoSettings::secondsRange.min), int(VideoSettings::secondsRange.max),
               QStringLiteral("Length in seconds"));
    length->setPageStep(1);
    length->setTickPosition(QSlider::TicksBelow);
    controls::onValue(length, this, [this, length](int value) {
        edit(
            length->accessibleName(), [&](auto& s) { s.video.seconds = value; }, length);
    });
    auto* lengthText = new QLabel;
    lengthText->setFixedWidth(34);
    lengthText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* lengthRow = new QHBoxLayout;
    lengthRow->setSpacing(8);
    lengthRow->addWidget(length, 1, Qt::AlignVCenter);
    lengthRow->addWidget(lengthText, 0, Qt::AlignVCenter);
    rows->addRow(QStringLiteral("Length"), lengthRow);

    TextField* pages =
        textField(QStringLiteral("Pages"), QStringLiteral("Up to 10, picked for you"));
    types(pages, [](ListingSettings& s, std::string text) { s.video.pages = std::move(text); });
    rows->addRow(QStringLiteral("Pages"), pages);

    auto* size = new QLabel;
    rows->addRow(QStringLiteral("Size"), size);

    tabShows_.push_back([=, this] {
        const VideoSettings& v = session_.settings().video;
        controls::show(include, v.isOn);
        // A stored length outside 10...15 shows at the slider's end and stays as stored
        // until the slider is moved.
        controls::show(length, int(v.clampedSeconds()));
        lengthText->setText(Texts::videoLength(v));
        controls::show(pages, qt(v.pages));
        size->setText(Texts::videoSize(v));
    });
}

void InspectorView::refresh() {
    if (model_.tab() == ListingTab::images) {
        QStringList presets;
        for (const ImagePreset& preset : session_.settings().images)
            presets << qt(preset.name) + QLatin1Char('\n') + Texts::presetDetail(preset);
        if (presets != shownPresets_) return buildTab();
    }
    for (const auto& show : listingShows_)
        show();
    for (const auto& show : tabShows_)
        show();
}

} // namespace folimo
