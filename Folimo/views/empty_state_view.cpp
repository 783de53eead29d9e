#include "views/empty_state_view.hpp"

#include "model/listing_session.hpp"
#include "views/look.hpp"
#include "views/prominent_button.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace folimo {

namespace {

constexpr int padding = 48;
constexpr int iconSide = 54;
constexpr int recentRowsInSight = 5; // more scroll, so the page keeps its minimum height

// The symbol in one flat colour, as a tinted template image.
QPixmap tinted(const QIcon& icon, const QColor& color, int side, qreal ratio) {
    QPixmap pixmap = icon.pixmap(QSize(side, side), ratio);
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), color);
    return pixmap;
}

} // namespace

EmptyStateView::EmptyStateView(ListingSession& session, QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , column_(new QWidget(this)) {
    auto* icon = new QLabel(column_);
    look::follow(*icon, [](QWidget& w) {
        static_cast<QLabel&>(w).setPixmap(tinted(look::symbol(QStringLiteral("doc.richtext")),
                                                 look::accentColor(w.palette()), iconSide,
                                                 w.devicePixelRatioF()));
    });
    icon->setAlignment(Qt::AlignCenter);
    icon->setAccessibleName({});
    icon->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* title = new QLabel(QStringLiteral("Drop a printable PDF here"), column_);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    auto* sentence = new QLabel(
        QStringLiteral("Worksheets, planners, activity packs: Folimo turns the PDF into listing "
                       "images, a watermarked preview PDF and a flip-through video."),
        column_);
    sentence->setWordWrap(true);
    sentence->setAlignment(Qt::AlignCenter);
    sentence->setFixedWidth(480); // the page is never narrower than 760
    look::makeSecondary(*sentence);

    auto* open = new ProminentButton(QStringLiteral("Open PDF…"), column_);
    open->setDefault(true);
    auto* sample = new QPushButton(QStringLiteral("Try the Sample"), column_);
    sample->setToolTip(
        QStringLiteral("Opens Fall Math Practice, an invented worksheet pack made by the app"));
    connect(open, &QPushButton::clicked, &session, [&session] { session.openPDF(); });
    connect(sample, &QPushButton::clicked, &session, [&session] { session.openSample(); });
    // After the buttons, so that Tab reaches them first.
    recentHeader_ = look::sectionHeader(tr("Recent PDFs"), column_);
    recent_ = new QListWidget(column_);

    // While the page is shown, Return presses the focused button of the page, or else the
    // default button, wherever the focus is in the window (the sidebar, the toolbar), as in a
    // dialog; in the list of recent PDFs it opens the one chosen.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, open] {
            QWidget* focus = QApplication::focusWidget();
            if (focus == recent_) return openRecent(recent_->currentItem());
            auto* focused = qobject_cast<QAbstractButton*>(focus);
            (focused && isAncestorOf(focused) ? focused : open)->click();
        });
    }

    recentHeader_->setAlignment(Qt::AlignCenter);
    recent_->setAccessibleName(tr("Recent PDFs"));
    recent_->setFrameShape(QFrame::NoFrame);
    recent_->setFixedWidth(480);
    recent_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    recent_->setTextElideMode(Qt::ElideMiddle);
    recent_->setSpacing(2);
    recent_->setIconSize(QSize(16, 16));
    recent_->viewport()->setAutoFillBackground(false);
    recent_->setAutoFillBackground(false);
    connect(recent_, &QListWidget::itemActivated, this, &EmptyStateView::openRecent);
    if (!style()->styleHint(QStyle::SH_ItemView_ActivateItemOnSingleClick, nullptr, recent_))
        connect(recent_, &QListWidget::itemClicked, this, &EmptyStateView::openRecent);
    // Queued: the list is not emptied under the click that opens one of its PDFs.
    connect(&session, &ListingSession::recentPDFsChanged, this, &EmptyStateView::showRecent,
            Qt::QueuedConnection);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch();
    buttons->addWidget(open);
    buttons->addWidget(sample);
    buttons->addStretch();

    auto* column = new QVBoxLayout(column_);
    column->setContentsMargins(padding, padding, padding, padding);
    column->setSpacing(14);
    column->addWidget(icon);
    column->addWidget(title);
    column->addWidget(sentence, 0, Qt::AlignHCenter);
    column->addSpacing(4);
    column->addLayout(buttons);
    column->addSpacing(10);
    column->addWidget(recentHeader_);
    column->addWidget(recent_, 0, Qt::AlignHCenter);
    showRecent();

    auto* page = new QVBoxLayout(this);
    page->addStretch();
    page->addWidget(column_, 0, Qt::AlignCenter);
    page->addStretch();
}

void EmptyStateView::showEvent(QShowEvent* event) {
    showRecent(); // a file may have come or gone meanwhile
    QWidget::showEvent(event);
}

void EmptyStateView::showRecent() {
    recent_->clear();
    for (const RecentPDF& pdf : session_.recentPDFs()) {
        const QString path = QFile::decodeName(QByteArray(pdf.path.c_str()));
        auto* item = new QListWidgetItem(look::symbol(QStringLiteral("doc.richtext")),
                                         QFileInfo(path).fileName(), recent_);
        item->setData(Qt::UserRole, path);
        item->setToolTip(pdf.available ? path : tr("%1 (not found)").arg(path));
        item->setData(Qt::AccessibleDescriptionRole, item->toolTip());
        if (!pdf.available) item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    }
    const int rows = std::min(recent_->count(), recentRowsInSight);
    recent_->setFixedHeight(rows * (recent_->sizeHintForRow(0) + 2 * recent_->spacing()) +
                            2 * recent_->frameWidth());
    recentHeader_->setVisible(rows > 0);
    recent_->setVisible(rows > 0);
}

void EmptyStateView::openRecent(const QListWidgetItem* item) {
    if (!item || !(item->flags() & Qt::ItemIsEnabled)) return;
    session_.openFile(QFile::encodeName(item->data(Qt::UserRole).toString()).toStdString());
}

void EmptyStateView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A 2-point line in 10-point dashes; Qt counts dash lengths in line widths.
    QPen pen(look::readable(palette().color(QPalette::Mid), {palette().color(QPalette::Window)},
                            look::outlineContrast),
             2);
    pen.setDashPattern({5, 5});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(column_->geometry()).adjusted(1, 1, -1, -1), 20, 20);
}

} // namespace folimo
