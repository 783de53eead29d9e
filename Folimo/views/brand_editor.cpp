#include "views/brand_editor.hpp"

#include "model/listing_session.hpp"
#include "model/previews.hpp"
#include "views/controls.hpp"
#include "views/form_section.hpp"
#include "views/text_field.hpp"

#include <QColorDialog>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <algorithm>
#include <folimo/text.hpp>

namespace folimo {

namespace {

constexpr int previewPadding = 28;
constexpr double shadowRadius = 4;

QColor toQColor(const RGBColor& color) {
    return QColor::fromRgbF(float(std::clamp(color.red, 0.0, 1.0)),
                            float(std::clamp(color.green, 0.0, 1.0)),
                            float(std::clamp(color.blue, 0.0, 1.0)));
}

RGBColor toRGBColor(const QColor& color) {
    const QColor srgb = color.toRgb();
    return {srgb.redF(), srgb.greenF(), srgb.blueF()};
}

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

// A soft black shadow of a rectangle the size of size, blurred by radius, as an image
// larger by radius on every side. Three box blurs stand in for a Gaussian.
QImage shadowImage(QSize size, double radius) {
    const int pad = int(std::ceil(radius * 2));
    QImage alpha(size + QSize(2 * pad, 2 * pad), QImage::Format_Alpha8);
    alpha.fill(0);
    {
        QPainter painter(&alpha);
        painter.fillRect(QRect(QPoint(pad, pad), size), QColor(0, 0, 0, 51));
    }
    const int box = std::max(1, int(std::lround(radius / 2)));
    const int w = alpha.width(), h = alpha.height();
    std::vector<int> line(std::size_t(std::max(w, h)));
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y) {
            uchar* row = alpha.scanLine(y);
            for (int x = 0; x < w; ++x)
                line[std::size_t(x)] = row[x];
            for (int x = 0; x < w; ++x) {
                int sum = 0, count = 0;
                for (int k = std::max(0, x - box); k <= std::min(w - 1, x + box); ++k, ++count)
                    sum += line[std::size_t(k)];
                row[x] = uchar(sum / (2 * box + 1));
            }
        }
        for (int x = 0; x < w; ++x) {
            for (int y = 0; y < h; ++y)
                line[std::size_t(y)] = alpha.scanLine(y)[x];
            for (int y = 0; y < h; ++y) {
                int sum = 0;
                for (int k = std::max(0, y - box); k <= std::min(h - 1, y + box); ++k)
                    sum += line[std::size_t(k)];
                alpha.scanLine(y)[x] = uchar(sum / (2 * box + 1));
            }
        }
    }
    return alpha;
}

} // namespace

BrandPreview::BrandPreview(QWidget* parent)
    : QWidget(parent) {
    setMinimumSize(100, 100);
}

void BrandPreview::setImage(const QImage& image) {
    image_ = image;
    update();
}

void BrandPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), underPage(palette()));
    if (image_.isNull()) return;
    const QRectF room =
        QRectF(rect()).adjusted(previewPadding, previewPadding, -previewPadding, -previewPadding);
    if (room.width() <= 0 || room.height() <= 0) return;
    const QSizeF fitted = QSizeF(image_.size()).scaled(room.size(), Qt::KeepAspectRatio);
    const QRectF target(room.center().x() - fitted.width() / 2,
                        room.center().y() - fitted.height() / 2, fitted.width(), fitted.height());
    const QSize whole = target.size().toSize();
    if (whole != shadowFor_) {
        shadow_ = shadowImage(whole, shadowRadius);
        shadowFor_ = whole;
    }
    const QPointF pad((shadow_.width() - whole.width()) / 2.0,
                      (shadow_.height() - whole.height()) / 2.0);
    painter.drawImage(target.topLeft() - pad, shadow_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
}

BrandEditor::BrandEditor(ListingSession& session, Previews& previews, const Brand& brand,
                         QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , previews_(previews)
    , brand_(brand)
    , form_(new FormSection)
    , name_(new TextField)
    , font_(new QComboBox)
    , badge_(new TextField)
    , preview_(new BrandPreview) {
    const bool classic = brand_.id == Brand::classic().id;

    name_->setAccessibleName(tr("Name"));
    form_->addRow(tr("Name"), name_);
    controls::onText(name_, this, [this](const QString& text) {
        change([&](Brand& b) { b.name = text.toStdString(); }, name_);
    });

    // Each family is listed in its own face (the installed family the drawings use for it).
    std::vector<std::string> families = Brand::fontFamilies();
    if (std::ranges::find(families, brand_.fontFamily) == families.end())
        families.push_back(brand_.fontFamily);
    for (const auto& family : families) {
        const QString name = QString::fromStdString(family);
        font_->addItem(name, name);
        QFont face(QString::fromStdString(folimo::font(family, 13, false).family));
        face.setPixelSize(13);
        font_->setItemData(font_->count() - 1, face, Qt::FontRole);
    }
    // Sized for a usual family's name, not the longest, so the form fits a small window.
    font_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    font_->setMinimumContentsLength(12);
    font_->setAccessibleName(tr("Font"));
    form_->addRow(tr("Font"), font_);
    controls::onChoice(font_, this, [this](int index) {
        const std::string family = font_->itemData(index).toString().toStdString();
        change([&](Brand& b) { b.fontFamily = family; });
    });

    form_->addRow(tr("Background"), colorButton(tr("Background colour"), &Brand::background));
    form_->addRow(tr("Badge"), colorButton(tr("Badge colour"), &Brand::accent));
    form_->addRow(tr("Title"), colorButton(tr("Title colour"), &Brand::text));

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
    controls::show(font_, font_->findData(QString::fromStdString(brand_.fontFamily)));
    showColors();
    controls::show(badge_, QString::fromStdString(brand_.badge));
    askForPreview();
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
        auto* dialog = new QColorDialog(toQColor(before), this);
        dialog->setWindowTitle(name);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        // One step of Undo per dialog: a colour picked, or none when it is cancelled.
        connect(dialog, &QColorDialog::currentColorChanged, this,
                [this, color, dialog](const QColor& picked) {
                    change([&](Brand& b) { b.*color = toRGBColor(picked); }, dialog);
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
    for (const auto& [button, name, color] : colors_) {
        const QString hex = QString::fromStdString((brand_.*color).hex());
        button->setIcon(colorIcon(toQColor(brand_.*color)));
        button->setToolTip(hex);
        button->setAccessibleName(name + QStringLiteral(", ") + hex);
    }
}

void BrandEditor::askForPreview() {
    preview_->setAccessibleName(
        tr("Preview of the %1 brand").arg(QString::fromStdString(brand_.name)));
    const QImage image = previews_.requestBrandPreview(brand_);
    // While a new picture is drawn the last one stays, so typing does not make it blink.
    if (!image.isNull()) preview_->setImage(image);
}

} // namespace folimo
