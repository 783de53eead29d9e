#include "views/sidebar.hpp"

#include "views/look.hpp"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace folimo {

QString shortenedFileName(const QString& name, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(name) <= width) return name;
    const QString suffix = QFileInfo(name).suffix();
    if (suffix.isEmpty() || suffix.size() == name.size() - 1)
        return metrics.elidedText(name, Qt::ElideMiddle, width);
    const QString extension = "." + suffix;
    const QString base = name.chopped(extension.size());
    const int room = width - metrics.horizontalAdvance(extension);
    // Elide the base name in its middle, keeping its end beside the extension.
    QString elided = metrics.elidedText(base, Qt::ElideMiddle, std::max(room, 0));
    if (elided.isEmpty()) elided = QStringLiteral("…");
    return elided + extension;
}

Sidebar::Sidebar(const QList<Row>& rows, QWidget* parent)
    : QWidget(parent)
    , list_(new QListWidget(this))
    , source_(new QWidget(this))
    , sourceName_(new QLabel(source_))
    , sourcePages_(new QLabel(source_)) {
    // 210 wide, giving up to 40 of it to the page in a small window.
    setMinimumWidth(170);
    setMaximumWidth(210);
    // One surface from the page list down to the foot.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    list_->setAccessibleName(tr("Pages"));
    list_->setFrameShape(QFrame::NoFrame);
    list_->setIconSize(QSize(20, 20));
    list_->setSpacing(2);
    for (const Row& row : rows)
        new QListWidgetItem(row.icon, row.title, list_);
    connect(list_, &QListWidget::currentRowChanged, this,
            [this](int row) { emit rowChosen(row < 0 ? std::nullopt : std::optional<int>(row)); });

    auto* docIcon = look::symbolLabel("doc.richtext", 20, source_);
    auto* lines = new QVBoxLayout;
    lines->setSpacing(1);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->addWidget(sourceName_);
    lines->addWidget(sourcePages_);
    look::makeCaption(*sourcePages_);
    look::makeSecondary(*sourcePages_);
    auto* sourceRow = new QHBoxLayout(source_);
    sourceRow->setContentsMargins(0, 0, 0, 0);
    sourceRow->addWidget(docIcon);
    sourceRow->addLayout(lines, 1);
    source_->hide();

    moreApps_ = new QPushButton(tr("More Apps"), this);
    moreApps_->setFlat(true);
    moreApps_->setCursor(Qt::PointingHandCursor);
    moreApps_->setStyleSheet("text-align: left; padding: 0;");
    look::makeSecondary(*moreApps_);
    connect(moreApps_, &QPushButton::clicked, this, &Sidebar::moreAppsClicked);

    auto* foot = new QVBoxLayout;
    foot->setContentsMargins(12, 12, 12, 12);
    foot->setSpacing(8);
    foot->addWidget(source_);
    foot->addWidget(moreApps_, 0, Qt::AlignLeft);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(list_, 1);
    column->addLayout(foot);
}

void Sidebar::setCurrentRow(std::optional<int> row) {
    QSignalBlocker blocker(list_);
    list_->setCurrentRow(row.value_or(-1));
    if (!row) list_->clearSelection();
}

std::optional<int> Sidebar::currentRow() const {
    const int row = list_->currentRow();
    return row < 0 ? std::nullopt : std::optional<int>(row);
}

void Sidebar::setSource(const QString& name, int pageCount) {
    fullName_ = name;
    source_->setVisible(!name.isEmpty());
    const QString pages = tr("%n page(s)", nullptr, pageCount);
    sourcePages_->setText(pages);
    source_->setAccessibleName(name + ", " + pages);
    sourceName_->setToolTip(name);
    showSourceName();
}

void Sidebar::setMoreAppsVisible(bool visible) {
    moreApps_->setVisible(visible);
}

void Sidebar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    showSourceName();
}

void Sidebar::showSourceName() {
    // The room beside the document icon inside the foot's padding.
    const int room = width() - 12 * 2 - 20 - 8;
    sourceName_->setText(shortenedFileName(fullName_, sourceName_->fontMetrics(), room));
}

} // namespace folimo
