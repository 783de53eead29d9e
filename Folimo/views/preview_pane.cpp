#include "views/preview_pane.hpp"

#include "model/listing_session.hpp"
#include "model/previews.hpp"
#include "model/texts.hpp"
#include "views/picture_view.hpp"

#include <QAbstractListModel>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace folimo {

namespace {

// The sheets stand gap apart and gap in from the edges, at most 820 wide, drawn 1100 wide
// (times the screen's pixel ratio). A few scaled pictures cover the sheets a window can show at
// once.
constexpr int gap = 28;
constexpr int sheetMaxWidth = 820;
constexpr int sheetPixels = 1100;
constexpr std::size_t scaledKept = 8;

} // namespace

// The sheets as rows, read by screen readers by their names.
class SheetRows : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void reset(PreviewPDF::Sheets sheets) {
        beginResetModel();
        sheets_ = std::move(sheets);
        endResetModel();
    }
    std::vector<int> pages(int row) const { return sheets_[std::size_t(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(std::min<std::size_t>(sheets_.count(), INT_MAX));
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::AccessibleTextRole || !index.isValid()) return {};
        return Texts::sheetName(std::size_t(index.row()), pages(index.row()));
    }

private:
    PreviewPDF::Sheets sheets_;
};

// Every row is one sheet, centred, at the sheet's shape; rows scrolled out of sight lose
// their requests after each painting.
class SheetList : public QListView {
public:
    SheetList(PreviewPane& pane, ListingSession& session)
        : pane_(pane)
        , session_(session) {}

    // The sheet's place in a row of the list.
    QRect sheetRect(const QRect& row) const {
        const int width = std::min(sheetMaxWidth, row.width() - 2 * gap);
        return {row.x() + (row.width() - width) / 2, row.y() + gap / 2, std::max(width, 1),
                row.height() - gap};
    }
    // Every row's size at the view's width: the sheet's height for its width, less when the
    // list would otherwise pass the heights a view can scroll through.
    QSize rowSize() const {
        const auto& preview = session_.settings().preview;
        const double aspect = std::max(preview.sheetWidth / preview.sheetHeight, 0.01);
        const int width = std::min(sheetMaxWidth, viewport()->width() - 2 * gap);
        const int rows = std::max(model()->rowCount(), 1);
        const int height =
            std::min({int(std::max(width, 1) / aspect), INT_MAX / 2 / rows - gap, 2 * sheetPixels});
        return {viewport()->width(), std::max(height, 1) + gap};
    }

    // The first and last rows in sight; last below first when there are none.
    std::pair<int, int> rowsInSight() const {
        const int count = model()->rowCount();
        if (count == 0) return {0, -1};
        const int first = std::max(indexAt({gap, 0}).row(), 0);
        const int last = indexAt({gap, viewport()->height() - 1}).row();
        return {first, last < 0 ? count - 1 : last};
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QListView::paintEvent(event);
        const auto [first, last] = rowsInSight();
        pane_.keepRequestsFor(first, last);
    }
    void resizeEvent(QResizeEvent* event) override {
        QListView::resizeEvent(event);
        doItemsLayout(); // the rows' height follows the width
    }

private:
    PreviewPane& pane_;
    ListingSession& session_;
};

namespace {

class SheetDelegate : public QStyledItemDelegate {
public:
    SheetDelegate(PreviewPane& pane, SheetList& list)
        : QStyledItemDelegate(&list)
        , pane_(pane)
        , list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return list_.rowSize();
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect sheet = list_.sheetRect(option.rect);
        painter->save();
        paintSoftShadow(*painter, sheet);
        const qreal ratio = painter->device()->devicePixelRatioF();
        const QImage picture =
            pane_.scaledPicture(index.row(), (QSizeF(sheet.size()) * ratio).toSize());
        if (picture.isNull())
            painter->fillRect(sheet, Qt::white); // the paper, until its picture is drawn
        else
            painter->drawImage(sheet.topLeft(), picture);
        painter->restore();
    }

private:
    PreviewPane& pane_;
    SheetList& list_;
};

} // namespace

PreviewPane::PreviewPane(ListingSession& session, Previews& previews, QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , previews_(previews)
    , header_(new QLabel)
    , rows_(new SheetRows(this))
    , list_(new SheetList(*this, session)) {
    list_->setModel(rows_);
    list_->setItemDelegate(new SheetDelegate(*this, *list_));
    list_->setUniformItemSizes(true);
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_->verticalScrollBar()->setSingleStep(40);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setFrameShape(QFrame::NoFrame);
    list_->viewport()->setAutoFillBackground(false);
    list_->setAccessibleName(QStringLiteral("Preview sheets"));

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 16, 0, 0);
    page->setSpacing(0);
    page->addWidget(header_, 0, Qt::AlignHCenter);
    page->addWidget(list_);

    connect(&previews, &Previews::previewsChanged, this, [this] {
        stale_ = true;
        if (isVisible()) refresh();
    });
    connect(&previews, &Previews::previewReady, this, &PreviewPane::drawn);
}

PreviewPane::~PreviewPane() {
    keepRequestsFor(0, -1);
}

QListView* PreviewPane::sheets() const {
    return list_;
}

void PreviewPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_) refresh();
}

void PreviewPane::refresh() {
    stale_ = false;
    asked_.clear(); // the model has dropped the drawings of the old inputs
    scaled_.clear();
    PreviewPDF::Sheets sheets = previews_.previewSheets();
    header_->setText(Texts::sheetsHeader(sheets.count(), session_.settings().preview));
    header_->setForegroundRole(sheets.empty() ? QPalette::PlaceholderText : QPalette::WindowText);
    rows_->reset(std::move(sheets));
}

QImage PreviewPane::picture(int row) const {
    if (row < 0 || row >= rows_->rowCount()) return {};
    return previews_.cache().value(
        previews_.sheetImageKey(rows_->pages(row), devicePixels(*this, sheetPixels)));
}

bool PreviewPane::drawnInSight() const {
    if (!isVisible()) return false;
    const auto [first, last] = list_->rowsInSight();
    for (int row = first; row <= last; ++row)
        if (picture(row).isNull()) return false;
    return true;
}

QImage PreviewPane::scaledPicture(int row, QSize pixels) {
    const std::vector<int> pages = rows_->pages(row);
    const int width = devicePixels(*this, sheetPixels);
    const QImage image = previews_.requestSheetImage(pages, width);
    if (image.isNull()) {
        asked_.insert(previews_.sheetImageKey(pages, width), row);
        return {};
    }
    const auto found = std::find_if(scaled_.begin(), scaled_.end(), [&](const Scaled& each) {
        return each.from == image.cacheKey() && each.image.size() == pixels;
    });
    if (found != scaled_.end()) {
        std::rotate(scaled_.begin(), found, found + 1);
        return scaled_.front().image;
    }
    QImage scaled = image.size() == pixels
                        ? image
                        : image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(devicePixelRatioF());
    scaled_.push_front({image.cacheKey(), scaled});
    if (scaled_.size() > scaledKept) scaled_.pop_back();
    return scaled;
}

void PreviewPane::keepRequestsFor(int first, int last) {
    for (auto each = asked_.begin(); each != asked_.end();) {
        if (each.value() >= first && each.value() <= last) {
            ++each;
            continue;
        }
        previews_.dropRequest(each.key());
        each = asked_.erase(each);
    }
}

void PreviewPane::drawn(const QString& key) {
    const auto found = asked_.constFind(key);
    if (found == asked_.constEnd()) return;
    const int row = found.value();
    asked_.erase(found);
    list_->update(rows_->index(row));
}

} // namespace folimo
