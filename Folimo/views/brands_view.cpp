#include "views/brands_view.hpp"

#include "model/listing_session.hpp"
#include "model/previews.hpp"
#include "views/brand_editor.hpp"
#include "views/confirm.hpp"
#include "views/swatches.hpp"

#include <QFrame>
#include <QHBoxLayout>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace folimo {

namespace {

constexpr int brandIDRole = Qt::UserRole + 1;

QFrame* divider(QFrame::Shape shape) {
    auto* line = new QFrame;
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Plain);
    line->setForegroundRole(QPalette::Mid);
    return line;
}

QToolButton* borderless(const QString& symbol, const QString& name) {
    auto* button = new QToolButton;
    button->setText(symbol);
    button->setAutoRaise(true);
    button->setAccessibleName(name);
    QFont font = button->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    button->setFont(font);
    button->setFixedSize(28, 28);
    return button;
}

} // namespace

BrandsView::BrandsView(ListingSession& session, Previews& previews, QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , previews_(previews)
    , list_(new QListWidget)
    , add_(borderless("+", tr("New brand")))
    , remove_(borderless("−", tr("Delete brand"))) {
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setIconSize(Swatches::size());
    list_->setFrameShape(QFrame::NoFrame);
    list_->setSpacing(2);
    list_->setAccessibleName(tr("Brands"));
    add_->setToolTip(tr("New brand, starting from the selected one"));
    connect(add_, &QToolButton::clicked, this, [this] { session_.addBrand(); });
    connect(remove_, &QToolButton::clicked, this, [this] {
        const Brand& brand = session_.brand();
        confirm(this, tr("Delete the brand “%1”?").arg(QString::fromStdString(brand.name)),
                tr("Delete Brand"), [this, id = brand.id] { session_.deleteBrand(id); });
    });
    connect(list_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (!item) return;
        const auto id = Uuid::parse(item->data(brandIDRole).toString().toStdString());
        if (id && *id != session_.brandID()) session_.chooseBrand(*id);
    });

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 8, 8, 8);
    buttons->setSpacing(4);
    buttons->addWidget(add_);
    buttons->addWidget(remove_);
    buttons->addStretch();
    // 240 wide, giving up to 80 of it to the editor in a small window.
    auto* left = new QWidget;
    left->setMinimumWidth(160);
    left->setMaximumWidth(240);
    auto* leftColumn = new QVBoxLayout(left);
    leftColumn->setContentsMargins(0, 0, 0, 0);
    leftColumn->setSpacing(0);
    leftColumn->addWidget(list_, 1);
    leftColumn->addWidget(divider(QFrame::HLine));
    leftColumn->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(left);
    layout->addWidget(divider(QFrame::VLine));

    connect(&session_, &ListingSession::brandsChanged, this, &BrandsView::showBrands);
    connect(&session_, &ListingSession::brandIDChanged, this, &BrandsView::showChoice);
    showBrands();
    showChoice();
}

// Keeps the rows in step with the brands. Renaming or recolouring a brand changes its row in
// place, so typing in the editor never disturbs the list's selection.
void BrandsView::showBrands() {
    const auto& brands = session_.brands();
    const qreal ratio = devicePixelRatioF();
    bool sameBrands = list_->count() == int(brands.size());
    for (int i = 0; sameBrands && i < list_->count(); ++i)
        sameBrands = list_->item(i)->data(brandIDRole).toString().toStdString() ==
                     brands[std::size_t(i)].id.text();
    if (!sameBrands) {
        const QSignalBlocker blocker(list_);
        list_->clear();
        for (const auto& brand : brands) {
            auto* item = new QListWidgetItem(list_);
            item->setData(brandIDRole, QString::fromStdString(brand.id.text()));
        }
    }
    for (std::size_t i = 0; i < brands.size(); ++i) {
        auto* item = list_->item(int(i));
        item->setText(QString::fromStdString(brands[i].name));
        // The same squares in every state: the brand's colours are never tinted by selection.
        const QPixmap swatches = Swatches::pixmap(brands[i], ratio);
        QIcon icon;
        for (const auto mode : {QIcon::Normal, QIcon::Selected, QIcon::Active, QIcon::Disabled})
            icon.addPixmap(swatches, mode);
        item->setIcon(icon);
    }
    if (!sameBrands) showChoice();
}

void BrandsView::showChoice() {
    // The brand in use: the chosen one, or Classic when no saved brand has the chosen id.
    const Brand& brand = session_.brand();
    const QString id = QString::fromStdString(brand.id.text());
    {
        const QSignalBlocker blocker(list_);
        list_->setCurrentItem(nullptr);
        for (int i = 0; i < list_->count(); ++i)
            if (list_->item(i)->data(brandIDRole).toString() == id) list_->setCurrentRow(i);
    }
    remove_->setEnabled(brand.id != Brand::classic().id);

    if (editor_ && editor_->brand().id == brand.id) return;
    auto* editor = new BrandEditor(session_, previews_, brand);
    if (editor_) {
        delete layout()->replaceWidget(editor_, editor); // the old editor's layout item is ours
        editor_->hide(); // gone from the screen now, though deleted only on the next turn
        editor_->deleteLater();
    } else {
        layout()->addWidget(editor);
    }
    editor_ = editor;
}

} // namespace folimo
