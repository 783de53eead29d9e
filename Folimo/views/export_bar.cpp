#include "views/export_bar.hpp"

#include "model/listing_session.hpp"
#include "model/set_work.hpp"
#include "model/texts.hpp"
#include "views/look.hpp"
#include "views/prominent_button.hpp"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace folimo {

void revealInFileManager(const std::filesystem::path& folder) {
    const QUrl url = QUrl::fromLocalFile(QFile::decodeName(folder.c_str()));
    const QUrl parent = QUrl::fromLocalFile(QFile::decodeName(folder.parent_path().c_str()));
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.FileManager1",
                                                       "/org/freedesktop/FileManager1",
                                                       "org.freedesktop.FileManager1", "ShowItems");
    call << QStringList{url.toString()} << QString();
    // Asked without waiting, so a slow file manager never holds up the window.
    const QDBusPendingCall pending = QDBusConnection::sessionBus().asyncCall(call, 5000);
    if (pending.isFinished()) { // no session bus: the call failed at once
        QDesktopServices::openUrl(parent);
        return;
    }
    auto* answer = new QDBusPendingCallWatcher(pending);
    QObject::connect(answer, &QDBusPendingCallWatcher::finished, answer, [answer, parent] {
        if (answer->isError()) QDesktopServices::openUrl(parent);
        answer->deleteLater();
    });
}

namespace {

QHBoxLayout* row(QWidget* widget) {
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    return layout;
}

} // namespace

ExportBar::ExportBar(SetWork& work, ListingSession& session, QWidget* parent)
    : QWidget(parent)
    , work_(work)
    , session_(session)
    , running_(new QWidget(this))
    , progress_(new QProgressBar(running_))
    , done_(new QWidget(this))
    , savedSymbol_(look::symbolLabel("checkmark.circle.fill", 16, done_))
    , saved_(new QLabel(done_))
    , failed_(new QWidget(this))
    , failure_(new QLabel(failed_))
    , make_(new ProminentButton(tr("Make Listing Set…"), this))
    , summary_(new QLabel(this)) {
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);
    progress_->setAccessibleName(tr("Saving the listing set"));
    auto* stop = new QPushButton(tr("Stop"), running_);
    auto* runningRow = row(running_);
    runningRow->addWidget(progress_, 1, Qt::AlignVCenter);
    runningRow->addWidget(stop, 0, Qt::AlignVCenter);
    connect(stop, &QPushButton::clicked, &work_, &SetWork::cancelExport);

    saved_->setWordWrap(true);
    look::makeCallout(*saved_);
    auto* show = new QPushButton(tr("Show"), done_);
    auto* doneRow = row(done_);
    doneRow->addWidget(savedSymbol_, 0, Qt::AlignTop);
    doneRow->addWidget(saved_, 1, Qt::AlignTop);
    doneRow->addWidget(show, 0, Qt::AlignTop);
    connect(show, &QPushButton::clicked, this, [this] {
        if (!work_.exportState().folder.empty()) reveal_(work_.exportState().folder);
    });

    failure_->setWordWrap(true);
    failure_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    look::makeCallout(*failure_);
    look::makeFailure(*failure_);
    auto* failedRow = row(failed_);
    failedRow->addWidget(look::symbolLabel("exclamationmark.triangle.fill", 16, failed_), 0,
                         Qt::AlignTop);
    failedRow->addWidget(failure_, 1);

    make_->setDefault(true);
    connect(make_, &QPushButton::clicked, &work_, &SetWork::makeListingSet);

    look::makeCaption(*summary_);
    look::makeSecondary(*summary_);
    summary_->setWordWrap(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 10, 12, 12);
    column->setSpacing(8);
    column->addWidget(running_);
    column->addWidget(done_);
    column->addWidget(failed_);
    column->addWidget(make_);
    column->addWidget(summary_);

    connect(&work_, &SetWork::exportStateChanged, this, &ExportBar::showState);
    connect(&session_, &ListingSession::settingsChanged, this, &ExportBar::showSummary);
    showState();
    showSummary();
}

void ExportBar::setReveal(std::function<void(const std::filesystem::path&)> reveal) {
    reveal_ = std::move(reveal);
}

void ExportBar::showState() {
    const ExportState& state = work_.exportState();
    const bool done = state.kind == ExportState::Kind::done;
    const bool stopped = state.kind == ExportState::Kind::stopped;
    running_->setVisible(state.kind == ExportState::Kind::running);
    // A stopped set shows what is on disk in the same place, without the check mark.
    done_->setVisible(done || stopped);
    savedSymbol_->setVisible(done);
    failed_->setVisible(state.kind == ExportState::Kind::failed);
    progress_->setValue(int(std::lround(std::clamp(state.fraction, 0.0, 1.0) * 1000)));
    if (done) saved_->setText(Texts::saved(state.folder, state.files));
    if (stopped) saved_->setText(Texts::stopped(state.folder, state.files, state.plannedFiles));
    failure_->setText(state.message);
    make_->setEnabled(!state.isRunning());
}

void ExportBar::showSummary() {
    summary_->setText(Texts::exportSummary(session_.effectiveSettings()));
}

} // namespace folimo
