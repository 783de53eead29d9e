// The model's exports and batches: the folder questions, the work on its own threads, and
// the reports that come back to the main thread.
#include "folimo/batch.hpp"
#include "folimo/listing_error.hpp"
#include "folimo/listing_exporter.hpp"
#include "folimo/output_naming.hpp"
#include "model/app_model.hpp"
#include "model/model_texts.hpp"
#include "model/panels.hpp"
#include "model/work_records.hpp"

#include <algorithm>
#include <numeric>

namespace folimo {
namespace {

std::int64_t count(const std::vector<std::filesystem::path>& files) {
    return static_cast<std::int64_t>(ListingExporter::savedFileCount(files));
}

} // namespace

void AppModel::post(std::function<void()> call) {
    // Queued to the model's thread; dropped by Qt when the model is gone.
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

std::optional<std::filesystem::path> AppModel::chooseFolder(const QString& message,
                                                            const QString& prompt) {
    if (!panels_) return std::nullopt;
    return panels_->chooseFolder(message, prompt);
}

// --- One listing set ------------------------------------------------------------------

void AppModel::setExportState(ExportState state) {
    if (state == export_) return;
    export_ = std::move(state);
    emit exportStateChanged();
}

void AppModel::makeListingSet() {
    if (!source_) {
        openPDF();
        return;
    }
    // A PDF saved over since it was opened is exported as it is now; one that no longer
    // opens fails here, before any folder is made.
    if (const auto problem = reloadChangedSource()) {
        setExportState(ExportState::failed(*problem));
        return;
    }
    const QString name = QString::fromStdString(OutputNaming::folderName(title().toStdString()));
    const auto parent =
        chooseFolder(QStringLiteral("Choose where to save the listing set. A folder "
                                    "named \u201C") +
                         name + QStringLiteral("\u201D is made inside."),
                     QStringLiteral("Save Here"));
    if (!parent) return;
    const ListingSettings settings = effectiveSettings();
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
        id, std::jthread([this, id, source = source_, settings, folder](std::stop_token stop) {
            auto progress = [this, id](double fraction) {
                post([this, id, fraction] {
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
            post([this, id, folder, outcome] { finishExport(id, folder, outcome); });
        }));
}

void AppModel::finishExport(std::uint64_t id, const std::filesystem::path& folder,
                            const ExportState& outcome) {
    exports_.erase(id); // the thread has nothing left to do but end
    workRecords_->remove(folder);
    // An earlier export that ends while a newer one runs leaves the newer one's state alone.
    if (id == exportID_) setExportState(outcome);
}

void AppModel::cancelExport() {
    if (const auto current = exports_.find(exportID_); current != exports_.end())
        current->second.request_stop();
}

void AppModel::reportExportProgress(double fraction) {
    if (export_.isRunning()) setExportState(ExportState::running(fraction));
}

// --- Batch ------------------------------------------------------------------------------

void AppModel::setBatchInput(std::optional<std::filesystem::path> folder) {
    if (folder == batchInput_) return;
    batchInput_ = std::move(folder);
    emit batchInputChanged();
}

void AppModel::setBatchOutput(std::optional<std::filesystem::path> folder) {
    if (folder == batchOutput_) return;
    batchOutput_ = std::move(folder);
    emit batchOutputChanged();
}

void AppModel::setBatchRows(std::vector<BatchRow> rows) {
    if (rows == batchRows_) return;
    batchRows_ = std::move(rows);
    emit batchRowsChanged();
}

void AppModel::setRowStatus(int row, BatchRow::Status status) {
    if (row < 0 || row >= static_cast<int>(batchRows_.size())) return;
    auto& current = batchRows_[static_cast<std::size_t>(row)].status;
    if (current == status) return;
    current = std::move(status);
    emit batchRowChanged(row);
    emit batchRowsChanged();
}

void AppModel::setBatchRunning(bool running) {
    if (running == batchRunning_) return;
    batchRunning_ = running;
    emit batchRunningChanged();
}

void AppModel::chooseBatchFolder() {
    // The rows belong to the running batch until it ends.
    if (batchRunning_) return;
    const auto folder =
        chooseFolder(QStringLiteral("Choose a folder of PDFs. Each one gets its own listing set."),
                     QStringLiteral("Choose"));
    if (!folder) return;
    setBatchInput(*folder);
    std::vector<BatchRow> rows;
    for (auto& pdf : Batch::pdfs(*folder))
        rows.push_back({std::move(pdf), BatchRow::Status::waiting()});
    setBatchRows(std::move(rows));
    setBatchOutput(std::nullopt);
    if (batchRows_.empty()) setAlert(ModelTexts::noPDFsInside(*folder));
}

void AppModel::runBatch() {
    if (batchRows_.empty() || batchRunning_) return;
    const auto output = chooseFolder(QStringLiteral("Choose where to save the listing sets. Each "
                                                    "PDF gets its own folder inside."),
                                     QStringLiteral("Save Here"));
    if (!output) return;
    setBatchOutput(*output);
    std::vector<int> rows(batchRows_.size());
    std::iota(rows.begin(), rows.end(), 0);
    startBatch(rows, *output);
}

bool AppModel::canRetryFailed() const {
    return !batchRunning_ && batchOutput_ &&
           std::any_of(batchRows_.begin(), batchRows_.end(), [](const BatchRow& row) {
               return row.status.kind == BatchRow::Status::Kind::failed;
           });
}

void AppModel::retryFailed() {
    if (!canRetryFailed()) return;
    std::vector<int> rows;
    for (int row = 0; row < static_cast<int>(batchRows_.size()); ++row)
        if (batchRows_[std::size_t(row)].status.kind == BatchRow::Status::Kind::failed)
            rows.push_back(row);
    startBatch(rows, *batchOutput_);
}

void AppModel::startBatch(const std::vector<int>& rows, const std::filesystem::path& output) {
    std::vector<std::filesystem::path> pdfs;
    for (const int row : rows)
        pdfs.push_back(batchRows_[std::size_t(row)].pdf);
    const auto items = Batch::plan(pdfs, output);
    const ListingSettings settings = effectiveSettings();
    for (const int row : rows)
        setRowStatus(row, BatchRow::Status::waiting());
    setBatchRunning(true);

    if (batchWork_.joinable()) batchWork_.join(); // the last batch has ended already
    workRecords_->add(output);
    const std::uint64_t id = ++batchID_;
    batchWork_ = std::jthread([this, id, rows, items, settings, output](std::stop_token stop) {
        // The batch's items are the rows it was given, in their order.
        auto ours = [this, id, &rows](std::size_t item, std::function<void(int row)> call) {
            post([this, id, row = rows[item], call = std::move(call)] {
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
        post([this, id, output] {
            if (id != batchID_) return;
            workRecords_->remove(output);
            setBatchRunning(false);
        });
    });
}

void AppModel::cancelBatch() {
    if (batchRunning_) batchWork_.request_stop();
}

bool AppModel::workRunning() const {
    // A thread that stopWork() joined has ended, though its outcome may not have arrived.
    return std::any_of(exports_.begin(), exports_.end(),
                       [](const auto& work) { return work.second.joinable(); }) ||
           (batchRunning_ && batchWork_.joinable());
}

void AppModel::stopWork() {
    for (auto& [id, work] : exports_)
        work.request_stop();
    batchWork_.request_stop();
    for (auto& [id, work] : exports_)
        if (work.joinable()) work.join();
    if (batchWork_.joinable()) batchWork_.join();
}

void AppModel::reportRowProgress(int row, double fraction) {
    if (row < 0 || row >= static_cast<int>(batchRows_.size())) return;
    if (batchRows_[static_cast<std::size_t>(row)].status.kind != BatchRow::Status::Kind::working)
        return;
    setRowStatus(row, BatchRow::Status::working(fraction));
}

} // namespace folimo
