#include "model/set_work.hpp"

#include "folimo/batch.hpp"
#include "folimo/listing_error.hpp"
#include "folimo/listing_exporter.hpp"
#include "folimo/output_naming.hpp"
#include "model/observed.hpp"
#include "model/panels.hpp"
#include "model/texts.hpp"
#include "model/work_records.hpp"

#include <algorithm>
#include <numeric>

namespace folimo {
namespace {

std::int64_t count(const std::vector<std::filesystem::path>& files) {
    return static_cast<std::int64_t>(ListingExporter::savedFileCount(files));
}

} // namespace

SetWork::SetWork(ListingSession& session, ListingSession::Alert alert, QObject* parent)
    : QObject(parent)
    , session_(session)
    , alert_(std::move(alert))
    , workRecords_(std::make_unique<WorkRecords>(session.store(), session.storeWriter())) {
    connect(&session, &ListingSession::opened, this,
            [this] { setExportState(ExportState::idle()); });
}

SetWork::~SetWork() {
    // Work that is still running is stopped and waited for here, while the session is whole;
    // what it reported meanwhile is dropped with the queued calls.
    stopWork();
}

std::optional<std::filesystem::path> SetWork::chooseFolder(const QString& message,
                                                           const QString& prompt) {
    Panels* panels = session_.panels();
    if (!panels) return std::nullopt;
    return panels->chooseFolder(message, prompt);
}

// --- One listing set ------------------------------------------------------------------

void SetWork::setExportState(ExportState state) {
    if (changeTo(export_, std::move(state))) emit exportStateChanged();
}

void SetWork::makeListingSet() {
    if (!session_.source()) {
        session_.openPDF();
        return;
    }
    // A PDF saved over since it was opened is exported as it is now; one that no longer
    // opens fails here, before any folder is made.
    if (const auto problem = session_.reloadChangedSource()) {
        setExportState(ExportState::failed(*problem));
        return;
    }
    const QString name =
        QString::fromStdString(OutputNaming::folderName(session_.title().toStdString()));
    const auto parent = chooseFolder(Texts::chooseSetParent(name), Texts::saveHere());
    if (!parent) return;
    const ListingSettings settings = session_.effectiveSettings();
    // The folder is claimed here, so that it is recorded before anything is written into it.
    std::filesystem::path folder;
    try {
        folder = OutputNaming::claim(name.toStdString(), *parent);
    } catch (const ListingError& error) {
        setExportState(ExportState::failed(QString::fromStdString(error.errorDescription())));
        return;
    }
    workRecords_->add(folder);
    setExportState(ExportState::running(0));

    const std::uint64_t id = ++exportID_;
    exports_.emplace(
        id, std::jthread([this, id, source = session_.source(), settings,
                          folder](std::stop_token stop) {
            auto progress = [this, id](double fraction) {
                calls_.post([this, id, fraction] {
                    if (id == exportID_) reportExportProgress(fraction);
                });
            };
            ExportState outcome;
            try {
                outcome = ExportState::done(folder, count(ListingExporter::exportSet(
                                                        source, settings, folder, progress, stop)));
            } catch (const ListingExporter::Stopped& stopped) {
                outcome = ExportState::stopped(folder, count(stopped.files()),
                                               std::int64_t(stopped.plannedFiles()));
            } catch (const ListingError& error) {
                outcome = ExportState::failed(QString::fromStdString(error.errorDescription()));
            } catch (const std::exception& error) { // out of memory, say
                outcome = ExportState::failed(QString::fromLocal8Bit(error.what()));
            }
            calls_.post([this, id, folder, outcome] { finishExport(id, folder, outcome); });
        }));
}

void SetWork::finishExport(std::uint64_t id, const std::filesystem::path& folder,
                           const ExportState& outcome) {
    exports_.erase(id); // the thread has nothing left to do but end
    workRecords_->remove(folder);
    // An earlier export that ends while a newer one runs leaves the newer one's state alone.
    if (id == exportID_) setExportState(outcome);
}

void SetWork::cancelExport() {
    if (const auto current = exports_.find(exportID_); current != exports_.end())
        current->second.request_stop();
}

void SetWork::reportExportProgress(double fraction) {
    if (export_.isRunning()) setExportState(ExportState::running(fraction));
}

// --- Batch ------------------------------------------------------------------------------

void SetWork::setBatchInput(std::optional<std::filesystem::path> folder) {
    if (changeTo(batchInput_, std::move(folder))) emit batchInputChanged();
}

void SetWork::setBatchOutput(std::optional<std::filesystem::path> folder) {
    if (changeTo(batchOutput_, std::move(folder))) emit batchOutputChanged();
}

void SetWork::setBatchRows(std::vector<BatchRow> rows) {
    if (changeTo(batchRows_, std::move(rows))) emit batchRowsChanged();
}

void SetWork::setRowStatus(int row, BatchRow::Status status) {
    if (row < 0 || row >= static_cast<int>(batchRows_.size())) return;
    auto& current = batchRows_[static_cast<std::size_t>(row)].status;
    if (current == status) return;
    current = std::move(status);
    emit batchRowChanged(row);
    emit batchRowsChanged();
}

void SetWork::setBatchRunning(bool running) {
    if (changeTo(batchRunning_, running)) emit batchRunningChanged();
}

void SetWork::chooseBatchFolder() {
    // The rows belong to the running batch until it ends.
    if (batchRunning_) return;
    const auto folder = chooseFolder(Texts::chooseBatchInput(), Texts::choose());
    if (!folder) return;
    setBatchInput(*folder);
    std::vector<BatchRow> rows;
    for (auto& pdf : Batch::pdfs(*folder))
        rows.push_back({std::move(pdf), BatchRow::Status::waiting()});
    setBatchRows(std::move(rows));
    setBatchOutput(std::nullopt);
    if (batchRows_.empty()) alert_(Texts::noPDFsInside(*folder));
}

void SetWork::runBatch() {
    if (batchRows_.empty() || batchRunning_) return;
    const auto output = chooseFolder(Texts::chooseBatchOutput(), Texts::saveHere());
    if (!output) return;
    setBatchOutput(*output);
    std::vector<int> rows(batchRows_.size());
    std::iota(rows.begin(), rows.end(), 0);
    startBatch(rows, *output);
}

bool SetWork::canRetryFailed() const {
    return !batchRunning_ && batchOutput_ &&
           std::any_of(batchRows_.begin(), batchRows_.end(), [](const BatchRow& row) {
               return row.status.kind == BatchRow::Status::Kind::failed;
           });
}

void SetWork::retryFailed() {
    if (!canRetryFailed()) return;
    std::vector<int> rows;
    for (int row = 0; row < static_cast<int>(batchRows_.size()); ++row)
        if (batchRows_[std::size_t(row)].status.kind == BatchRow::Status::Kind::failed)
            rows.push_back(row);
    startBatch(rows, *batchOutput_);
}

void SetWork::startBatch(const std::vector<int>& rows, const std::filesystem::path& output) {
    std::vector<std::filesystem::path> pdfs;
    for (const int row : rows)
        pdfs.push_back(batchRows_[std::size_t(row)].pdf);
    const auto items = Batch::plan(pdfs, output);
    const ListingSettings settings = session_.effectiveSettings();
    for (const int row : rows)
        setRowStatus(row, BatchRow::Status::waiting());
    setBatchRunning(true);

    if (batchWork_.joinable()) batchWork_.join(); // the last batch has ended already
    workRecords_->add(output);
    const std::uint64_t id = ++batchID_;
    batchWork_ = std::jthread([this, id, rows, items, settings, output](std::stop_token stop) {
        // The batch's items are the rows it was given, in their order.
        auto ours = [this, id, &rows](std::size_t item, std::function<void(int row)> call) {
            calls_.post([this, id, row = rows[item], call = std::move(call)] {
                if (id == batchID_) call(row);
            });
        };
        std::optional<std::size_t> inHand;
        Batch::Observer observer;
        observer.started = [&](std::size_t item) {
            inHand = item;
            ours(item, [this](int row) { setRowStatus(row, BatchRow::Status::working(0)); });
        };
        observer.progress = [&](std::size_t item, double fraction) {
            ours(item, [this, fraction](int row) { reportRowProgress(row, fraction); });
        };
        observer.done = [&](std::size_t item, const std::filesystem::path& folder,
                            const std::vector<std::filesystem::path>& files) {
            inHand.reset();
            ours(item, [this, folder, saved = count(files)](int row) {
                setRowStatus(row, BatchRow::Status::done(saved, folder));
            });
        };
        observer.failed = [&](std::size_t item, const std::string& message) {
            inHand.reset();
            ours(item, [this, text = QString::fromStdString(message)](int row) {
                setRowStatus(row, BatchRow::Status::failed(text));
            });
        };
        try {
            Batch::run(items, settings, observer, stop);
        } catch (const ListingExporter::Stopped& stopped) {
            if (inHand)
                ours(*inHand, [this, folder = stopped.folder(), saved = count(stopped.files()),
                               planned = stopped.plannedFiles()](int row) {
                    setRowStatus(row,
                                 BatchRow::Status::stopped(folder, saved, std::int64_t(planned)));
                });
        } catch (const Cancelled&) {
            if (inHand)
                ours(*inHand, [this](int row) { setRowStatus(row, BatchRow::Status::waiting()); });
        } catch (const std::exception& error) { // out of memory, say: the row in hand failed
            if (inHand)
                ours(*inHand, [this, text = QString::fromLocal8Bit(error.what())](int row) {
                    setRowStatus(row, BatchRow::Status::failed(text));
                });
        }
        calls_.post([this, id, output] {
            if (id != batchID_) return;
            workRecords_->remove(output);
            setBatchRunning(false);
        });
    });
}

void SetWork::cancelBatch() {
    if (batchRunning_) batchWork_.request_stop();
}

bool SetWork::workRunning() const {
    // A thread that stopWork() joined has ended, though its outcome may not have arrived.
    return std::any_of(exports_.begin(), exports_.end(),
                       [](const auto& work) { return work.second.joinable(); }) ||
           (batchRunning_ && batchWork_.joinable());
}

void SetWork::stopWork() {
    for (auto& [id, work] : exports_)
        work.request_stop();
    batchWork_.request_stop();
    for (auto& [id, work] : exports_)
        if (work.joinable()) work.join();
    if (batchWork_.joinable()) batchWork_.join();
}

void SetWork::reportRowProgress(int row, double fraction) {
    if (row < 0 || row >= static_cast<int>(batchRows_.size())) return;
    if (batchRows_[static_cast<std::size_t>(row)].status.kind != BatchRow::Status::Kind::working)
        return;
    setRowStatus(row, BatchRow::Status::working(fraction));
}

} // namespace folimo
