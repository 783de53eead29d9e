#include "views/batch_view.hpp"

#include "model/batch_rows_model.hpp"
#include "model/listing_session.hpp"
#include "model/set_work.hpp"
#include "model/texts.hpp"
#include "views/batch_row_delegate.hpp"
#include "views/export_bar.hpp"
#include "views/look.hpp"
#include "views/prominent_button.hpp"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace folimo {

namespace {

QString shown(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// A folder's path after its label in the From/To form: it can be selected and copied, and
// a long one is cut off at the end, its tooltip holding all of it.
void makeFolderPath(QLabel& path) {
    path.setTextInteractionFlags(Qt::TextSelectableByMouse);
    path.setMinimumWidth(1);
}

QLabel* folderLabel(const QString& text, QLabel& path) {
    QLabel* label = look::sectionHeader(text);
    label->setBuddy(&path);
    return label;
}

} // namespace

BatchView::BatchView(SetWork& work, ListingSession& session, QWidget* parent)
    : QWidget(parent)
    , work_(work)
    , session_(session)
    , rows_(new BatchRowsModel(work, this))
    , reveal_(revealInFileManager)
    , choose_(new QPushButton(tr("Choose Folder of PDFs…")))
    , make_(new ProminentButton(tr("Make All Listing Sets…")))
    , stop_(new QPushButton(tr("Stop")))
    , retry_(new QPushButton(tr("Retry Failed")))
    , fileCount_(new QLabel)
    , folders_(new QFormLayout)
    , from_(new QLabel)
    , to_(new QLabel)
    , summary_(new QLabel)
    , listOrPlaceholder_(new QStackedWidget)
    , list_(new QListView) {
    QWidget* header = look::pageHeader(
        tr("Batch"), tr("Every PDF in a folder gets its own listing set folder, made with your "
                        "current sizes, pages and brand. Each PDF uses its own title."));

    // The buttons stand as tall as the prominent one, so the row keeps its height when Make
    // and Stop swap.
    for (QPushButton* button : {choose_, stop_, retry_})
        button->setMinimumHeight(make_->minimumHeight());
    look::makeSecondary(*fileCount_);
    auto* controls = new QHBoxLayout;
    controls->setSpacing(12);
    controls->addWidget(choose_);
    controls->addWidget(make_);
    controls->addWidget(stop_);
    controls->addWidget(fileCount_);
    controls->addStretch();
    connect(choose_, &QPushButton::clicked, this, [this] { work_.chooseBatchFolder(); });
    connect(make_, &QPushButton::clicked, this, [this] { work_.runBatch(); });
    connect(stop_, &QPushButton::clicked, this, [this] { work_.cancelBatch(); });

    auto* show = new QPushButton(tr("Show"));
    connect(show, &QPushButton::clicked, this, [this] {
        if (work_.batchOutput()) reveal_(*work_.batchOutput());
    });
    makeFolderPath(*from_);
    makeFolderPath(*to_);
    auto* toLine = new QHBoxLayout;
    toLine->setSpacing(8);
    toLine->addWidget(to_);
    toLine->addWidget(show);
    toLine->addStretch(1);
    folders_->setContentsMargins(0, 0, 0, 0);
    folders_->setHorizontalSpacing(8);
    folders_->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    folders_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    folders_->addRow(folderLabel(tr("From"), *from_), from_);
    folders_->addRow(folderLabel(tr("To"), *to_), toLine);

    auto* ending = new QHBoxLayout;
    ending->setSpacing(12);
    ending->addWidget(summary_);
    ending->addWidget(retry_);
    ending->addStretch();
    connect(retry_, &QPushButton::clicked, this, [this] { work_.retryFailed(); });

    list_->setModel(rows_);
    list_->setItemDelegate(new BatchRowDelegate(list_));
    list_->setAlternatingRowColors(true);
    list_->setResizeMode(QListView::Adjust); // a failure's message wraps anew
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    // A row's set opens in the file manager, as Show does the whole folder.
    connect(list_, &QListView::activated, this, [this](const QModelIndex& index) {
        const auto& rows = work_.batchRows();
        if (index.row() < 0 || std::size_t(index.row()) >= rows.size()) return;
        const BatchRow::Status& status = rows[std::size_t(index.row())].status;
        if (status.kind == BatchRow::Status::Kind::done ||
            status.kind == BatchRow::Status::Kind::stopped)
            reveal_(status.folder);
    });
    list_->setFocusPolicy(Qt::TabFocus);
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list_->setAccessibleName(tr("PDFs"));
    auto* placeholder = new QLabel(tr("Choose a folder to see its PDFs here."));
    placeholder->setAlignment(Qt::AlignCenter);
    look::makeSecondary(*placeholder);
    listOrPlaceholder_->addWidget(placeholder);
    listOrPlaceholder_->addWidget(list_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(28, 28, 28, 28);
    column->setSpacing(16);
    column->addWidget(header);
    column->addLayout(controls);
    column->addLayout(folders_);
    column->addLayout(ending);
    column->addWidget(listOrPlaceholder_, 1);

    connect(&work_, &SetWork::batchRunningChanged, this, &BatchView::showState);
    connect(&work_, &SetWork::batchRowsChanged, this, &BatchView::showState);
    connect(&work_, &SetWork::batchInputChanged, this, &BatchView::showFolders);
    connect(&work_, &SetWork::batchOutputChanged, this, &BatchView::showFolders);
    connect(&session_, &ListingSession::settingsChanged, this, &BatchView::showFileCount);
    showState();
    showFolders();
    showFileCount();
}

void BatchView::setReveal(std::function<void(const std::filesystem::path&)> reveal) {
    reveal_ = std::move(reveal);
}

void BatchView::showState() {
    const bool running = work_.batchRunning();
    const bool hasRows = !work_.batchRows().empty();
    choose_->setEnabled(!running);
    make_->setVisible(!running);
    make_->setEnabled(hasRows);
    stop_->setVisible(running);
    listOrPlaceholder_->setCurrentIndex(hasRows ? 1 : 0);
    summary_->setText(running ? QString() : Texts::batchSummary(work_.batchRows()));
    summary_->setVisible(!summary_->text().isEmpty());
    retry_->setVisible(work_.canRetryFailed());
}

void BatchView::showFolders() {
    const auto& input = work_.batchInput();
    folders_->setRowVisible(0, input.has_value());
    from_->setText(input ? shown(*input) : QString());
    from_->setToolTip(from_->text());
    const auto& output = work_.batchOutput();
    folders_->setRowVisible(1, output.has_value());
    to_->setText(output ? shown(*output) : QString());
    to_->setToolTip(to_->text());
}

void BatchView::showFileCount() {
    fileCount_->setText(Texts::filesPerPDF(session_.settings()));
}

} // namespace folimo
