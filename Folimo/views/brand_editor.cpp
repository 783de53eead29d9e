#include "views/brand_editor.hpp"

#include "model/brand_advice.hpp"
#include "model/listing_session.hpp"
#include "model/previews.hpp"
#include "views/controls.hpp"
#include "views/form_section.hpp"
#include "views/look.hpp"
#include "views/picture_view.hpp"
#include "views/text_field.hpp"

#include <QColorDialog>
#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace folimo {

namespace {

constexpr int previewPadding = 28;

QIcon colorIcon(const QColor& color) {
    QPixmap pixmap(QSize(40, 16) * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, 39, 15), 4, 4);
    painter.fillPath(path, color);
    painter.strokePath(path, QPen(QColor(0, 0, 0, 60), 1));
    // Classic's colours show as they are even though its buttons are disabled.
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Disabled);
    return icon;
}

// The under-page background: a shade darker than the window, so the white of a page stands
// out from it.
QColor underPage(const QPalette& palette) {
    return palette.color(QPalette::Window).darker(118);
}

} // namespace

BrandEditor::BrandEditor(ListingSession& session, Previews& previews, const Brand& brand,
                         QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , previews_(previews)
    , brand_(brand)
    , form_(new FormSection)
    , name_(new TextField)
    , font_(new QComboBox)
    , fontNotice_(new QLabel)
    , colorWarning_(new QLabel)
    , badge_(new TextField)
    , preview_(new PictureView) {
    const bool classic = brand_.id == Brand::classic().id;

    name_->setAccessibleName(tr("Name"));
    form_->addRow(tr("Name"), name_);
    controls::onText(name_, this, [this](const QString& text) {
        change([&](Brand& b) { b.name = text.toStdString(); }, name_);
    });

    // The brand families, then every installed family, each listed in the face its text is
    // drawn in. Typing searches the list; a family is stored only when one is chosen.
    const auto choices = BrandAdvice::fontChoices(QString::fromStdString(brand_.fontFamily));
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (i == Brand::fontFamilies().size()) font_->insertSeparator(font_->count());
        font_->addItem(choices[i].shown, choices[i].family);
        QFont face(choices[i].drawnWith);
        face.setPixelSize(13);
        font_->setItemData(font_->count() - 1, face, Qt::FontRole);
    }
    font_->setEditable(true);
    font_->setInsertPolicy(QComboBox::NoInsert);
    font_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    font_->completer()->setFilterMode(Qt::MatchContains);
    font_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    font_->lineEdit()->setPlaceholderText(tr("Search fonts"));
    // What is typed but not chosen gives way to the chosen family when the field is left.
    connect(font_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        font_->lineEdit()->setText(font_->itemText(font_->currentIndex()));
        font_->lineEdit()->home(false);
    });
    // Sized for a usual family's name, not the longest, so the form fits a small window.
    font_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    font_->setMinimumContentsLength(12);
    font_->setAccessibleName(tr("Font"));
    form_->addRow(tr("Font"), font_);
    controls::onChoice(font_, this, [this](int index) {
        const std::string family = font_->itemData(index).toString().toStdString();
        if (family.empty()) return;
        change([&](Brand& b) { b.fontFamily = family; });
        showFontNotice();
    });
    fontNotice_->setWordWrap(true);
    look::makeCaption(*fontNotice_);
    look::makeSecondary(*fontNotice_);
    form_->addRow(QString(), fontNotice_);

    form_->addRow(tr("Background"), colorButton(tr("Background colour"), &Brand::background));
    form_->addRow(tr("Badge"), colorButton(tr("Badge colour"), &Brand::accent));
    form_->addRow(tr("Title"), colorButton(tr("Title colour"), &Brand::text));
    colorWarning_->setWordWrap(true);
    look::makeCaption(*colorWarning_);
    look::makeFailure(*colorWarning_);
    form_->addRow(QString(), colorWarning_);

    badge_->setPlaceholderText(tr("None"));
    badge_->setAccessibleName(tr("Corner badge"));
    form_->addRow(tr("Corner badge"), badge_);
    controls::onText(badge_, this, [this](const QString& text) {
        change([&](Brand& b) { b.badge = text.toStdString(); }, badge_);
    });

    form_->setFooter(classic ? tr("Classic is built in. Choose + to make your own from it.")
                             : tr("In the badge, {pages} becomes the page count, like “12 "
                                  "pages”. Leave it empty for no badge."));
    for (QWidget* field : std::initializer_list<QWidget*>{name_, font_, badge_})
        field->setEnabled(!classic);
    for (const ColorButton& each : colors_)
        each.button->setEnabled(!classic);

    // At most 340 wide; in a small window as narrow as its fields allow, the rest for the
    // preview.
    form_->setMaximumWidth(340);
    auto* formColumn = new QVBoxLayout;
    formColumn->setContentsMargins(20, 20, 20, 20);
    formColumn->addWidget(form_);
    formColumn->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(formColumn);
    layout->addWidget(preview_, 1);
    preview_->setPadding(previewPadding);
    preview_->setShadow(true);
    preview_->setMinimumSize(100, 100);
    look::follow(*preview_, [](QWidget& w) {
        static_cast<PictureView&>(w).setBackground(underPage(w.palette()));
    });

    connect(&previews_, &Previews::previewReady, this, [this](const QString& key) {
        if (key == previews_.brandPreviewKey(brand_)) askForPreview();
    });
    connect(&previews_, &Previews::previewsChanged, this, &BrandEditor::askForPreview);
    // The stored brand can change under the editor (Undo, Redo): the editor follows it.
    connect(&session_, &ListingSession::brandsChanged, this, [this] {
        for (const Brand& stored : session_.brands())
            if (stored.id == brand_.id && stored != brand_) {
                brand_ = stored;
                showBrand();
            }
    });
    showBrand();
}

void BrandEditor::change(const std::function<void(Brand&)>& edit, const QObject* typing) {
    edit(brand_);
    session_.updateBrand(brand_, typing);
    askForPreview();
}

void BrandEditor::showBrand() {
    controls::show(name_, QString::fromStdString(brand_.name));
    const QString family = QString::fromStdString(brand_.fontFamily);
    controls::show(font_, font_->findData(family));
    // A long name shows from its start ("Lato (for Avenir…"), not scrolled to its end.
    font_->lineEdit()->home(false);
    showFontNotice();
    showColors();
    controls::show(badge_, QString::fromStdString(brand_.badge));
    askForPreview();
}

void BrandEditor::showFontNotice() {
    fontNotice_->setText(BrandAdvice::missingFontNotice(QString::fromStdString(brand_.fontFamily)));
    fontNotice_->setVisible(!fontNotice_->text().isEmpty());
}

QPushButton* BrandEditor::colorButton(const QString& name, RGBColor Brand::*color) {
    auto* button = new QPushButton;
    button->setIconSize(QSize(40, 16));
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    colors_.push_back({button, name, color});
    connect(button, &QPushButton::clicked, this, [this, name, color] {
        // Colours are picked live, as the dialog's colour changes; Cancel puts back the
        // colour the dialog started from.
        const RGBColor before = brand_.*color;
        auto* dialog = new QColorDialog(look::toQColor(before), this);
        dialog->setWindowTitle(name);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        // One step of Undo per dialog: a colour picked, or none when it is cancelled.
        connect(dialog, &QColorDialog::currentColorChanged, this,
                [this, color, dialog](const QColor& picked) {
                    change([&](Brand& b) { b.*color = look::toRGBColor(picked); }, dialog);
                    showColors();
                });
        connect(dialog, &QColorDialog::rejected, this, [this, color, before, dialog] {
            change([&](Brand& b) { b.*color = before; }, dialog);
            showColors();
        });
        dialog->open();
    });
    return button;
}

void BrandEditor::showColors() {
    QStringList warnings;
    for (const BrandAdvice::ColorPair pair : BrandAdvice::hardToRead(brand_))
        warnings << BrandAdvice::warning(pair);
    colorWarning_->setText(warnings.join(QLatin1Char('\n')));
    colorWarning_->setVisible(!warnings.isEmpty());
    for (const auto& [button, name, color] : colors_) {
        const QString hex = QString::fromStdString((brand_.*color).hex());
        button->setIcon(colorIcon(look::toQColor(brand_.*color)));
        button->setToolTip(hex);
        button->setAccessibleName(name + QStringLiteral(", ") + hex);
    }
}

void BrandEditor::askForPreview() {
    preview_->setAccessibleName(
        tr("Preview of the %1 brand").arg(QString::fromStdString(brand_.name)));
    const QImage image = previews_.requestBrandPreview(brand_);
    // While a new picture is drawn the last one stays, so typing does not make it blink.
    if (!image.isNull()) preview_->setPicture(image);
}

} // namespace folimo
