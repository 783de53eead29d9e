#include "views/batch_view.hpp"

#include "model/app_model.hpp"
#include "model/batch_rows_model.hpp"
#include "model/model_texts.hpp"
#include "views/batch_row_delegate.hpp"
#include "views/export_bar.hpp"
#include "views/look.hpp"

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

// "From /path/to/folder": a label in bold, then the path, which can be selected and copied.
QWidget* folderLine(const QString& label, QLabel* path, QWidget* trailing = nullptr) {
    auto* line = new QWidget;
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    auto* name = look::sectionHeader(label);
    name->setBuddy(path);
    layout->addWidget(name);
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    path->setMinimumWidth(1); // a long path is cut off at the end; its tooltip has all of it
    layout->addWidget(path);
    if (trailing) layout->addWidget(trailing);
    layout->addStretch(1);
    return line;
}

} // namespace

BatchView::BatchView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , rows_(new BatchRowsModel(model, this))
    , reveal_(revealInFileManager)
    , choose_(new QPushButton(tr("Choose Folder of PDFs…")))
    , make_(new QPushButton(tr("Make All Listing Sets…")))
    , stop_(new QPushButton(tr("Stop")))
    , fileCount_(new QLabel)
    , from_(new QLabel)
    , to_(new QLabel)
    , listOrPlaceholder_(new QStackedWidget)
    , list_(new QListView) {
    auto* title = new QLabel(tr("Batch"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAccessibleName(title->text());
    auto* sentence = new QLabel(tr("Every PDF in a folder gets its own listing set folder, made "
                                   "with your current sizes, pages and brand. Each PDF uses its "
                                   "own title."));
    sentence->setWordWrap(true);
    look::makeSecondary(*sentence);
    auto* header = new QVBoxLayout;
    header->setSpacing(4);
    header->addWidget(title);
    header->addWidget(sentence);

    look::makeProminent(*make_);
    stop_->setMinimumHeight(make_->minimumHeight()); // the row keeps its height when they swap
    look::makeSecondary(*fileCount_);
    auto* controls = new QHBoxLayout;
    controls->setSpacing(12);
    controls->addWidget(choose_);
    controls->addWidget(make_);
    controls->addWidget(stop_);
    controls->addWidget(fileCount_);
    controls->addStretch();
    connect(choose_, &QPushButton::clicked, this, [this] { model_.chooseBatchFolder(); });
    connect(make_, &QPushButton::clicked, this, [this] { model_.runBatch(); });
    connect(stop_, &QPushButton::clicked, this, [this] { model_.cancelBatch(); });

    auto* show = new QPushButton(tr("Show"));
    connect(show, &QPushButton::clicked, this, [this] {
        if (model_.batchOutput()) reveal_(*model_.batchOutput());
    });
    fromLine_ = folderLine(tr("From"), from_);
    toLine_ = folderLine(tr("To"), to_, show);

    list_->setModel(rows_);
    list_->setItemDelegate(new BatchRowDelegate(list_));
    list_->setAlternatingRowColors(true);
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
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
    column->addLayout(header);
    column->addLayout(controls);
    column->addWidget(fromLine_);
    column->addWidget(toLine_);
    column->addWidget(listOrPlaceholder_, 1);

    connect(&model_, &AppModel::batchRunningChanged, this, &BatchView::showState);
    connect(&model_, &AppModel::batchRowsChanged, this, &BatchView::showState);
    connect(&model_, &AppModel::batchInputChanged, this, &BatchView::showFolders);
    connect(&model_, &AppModel::batchOutputChanged, this, &BatchView::showFolders);
    connect(&model_, &AppModel::settingsChanged, this, &BatchView::showFileCount);
    showState();
    showFolders();
    showFileCount();
}

void BatchView::setReveal(std::function<void(const std::filesystem::path&)> reveal) {
    reveal_ = std::move(reveal);
}

void BatchView::showState() {
    const bool running = model_.batchRunning();
    const bool hasRows = !model_.batchRows().empty();
    choose_->setEnabled(!running);
    make_->setVisible(!running);
    make_->setEnabled(hasRows);
    stop_->setVisible(running);
    listOrPlaceholder_->setCurrentIndex(hasRows ? 1 : 0);
}

void BatchView::showFolders() {
    const auto& input = model_.batchInput();
    fromLine_->setVisible(input.has_value());
    from_->setText(input ? shown(*input) : QString());
    from_->setToolTip(from_->text());
    const auto& output = model_.batchOutput();
    toLine_->setVisible(output.has_value());
    to_->setText(output ? shown(*output) : QString());
    to_->setToolTip(to_->text());
}

void BatchView::showFileCount() {
    fileCount_->setText(ModelTexts::filesPerPDF(model_.settings()));
}

} // namespace folimo
