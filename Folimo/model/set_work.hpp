#pragma once

#include "model/handoff.hpp"
#include "model/listing_session.hpp"
#include "model/model_types.hpp"

#include <QObject>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace folimo {

class WorkRecords;

// The listing sets being made: the one export of the open PDF and the batch of a folder of
// PDFs, each on a worker thread of its own, so each Stop stops its own work.
//
// Threads: lives on the main thread and every member is called there. The workers' progress
// and outcomes come back as queued calls before they touch a field; those of a SetWork that
// is gone are dropped.
//
// Folders being written are recorded in the store (WorkRecords), so that a run killed in
// the middle is cleaned up after when the next one starts.
class SetWork : public QObject {
    Q_OBJECT
    Q_PROPERTY(folimo::ExportState exportState READ exportState NOTIFY exportStateChanged)
    Q_PROPERTY(
        std::optional<std::filesystem::path> batchInput READ batchInput NOTIFY batchInputChanged)
    Q_PROPERTY(std::vector<folimo::BatchRow> batchRows READ batchRows NOTIFY batchRowsChanged)
    Q_PROPERTY(
        std::optional<std::filesystem::path> batchOutput READ batchOutput NOTIFY batchOutputChanged)
    Q_PROPERTY(bool batchRunning READ batchRunning NOTIFY batchRunningChanged)

public:
    // Work on what session has open, asking through its panels. Cleans up after work that an
    // earlier run on the session's store was killed in. session must outlive the work.
    SetWork(ListingSession& session, ListingSession::Alert alert, QObject* parent = nullptr);
    // Stops running work and waits for it (its late reports are dropped).
    ~SetWork() override;

    // The state of the one listing-set export ("export" is a C++ keyword). Opening a PDF
    // makes it idle.
    const ExportState& exportState() const { return export_; }
    const std::optional<std::filesystem::path>& batchInput() const { return batchInput_; }
    // One row per PDF of batchInput, in Batch::pdfs order. BatchRowsModel shows them.
    const std::vector<BatchRow>& batchRows() const { return batchRows_; }
    const std::optional<std::filesystem::path>& batchOutput() const { return batchOutput_; }
    bool batchRunning() const { return batchRunning_; }

    // With no PDF open, does what openPDF() does. Otherwise asks where to save, claims a new
    // set folder there named after the title (made unique at the moment it is created, so
    // no other export can share it) and exports effectiveSettings() as they are now, off
    // the main thread. exportState goes running -> done / failed, or stopped with what the
    // folder holds. A new export while one runs takes over exportState and the Stop; the
    // earlier one runs to its end without changing exportState.
    void makeListingSet();
    // Stops the running export (and only it). Nothing when none runs.
    void cancelExport();
    // Asks for a folder of PDFs; new rows, all waiting; batchOutput cleared. A folder with
    // no PDFs directly inside is alerted, naming it. Nothing while a batch runs (its rows
    // belong to it).
    void chooseBatchFolder();
    // Asks where to save, then makes one set per row, one after another, off the main
    // thread; a failing PDF marks its row failed and the batch goes on. Nothing while a
    // batch runs.
    void runBatch();
    // Whether the last batch has ended with rows that failed, and its output folder is known:
    // what "Retry Failed" needs.
    bool canRetryFailed() const;
    // Makes the sets of the failed rows again, into the last batch's output folder (new set
    // folders beside what is there), asking nothing; the other rows keep their status.
    // Nothing unless canRetryFailed().
    void retryFailed();
    // Stops the running batch (and only it): a row whose set was begun becomes stopped with
    // what its folder holds, one stopped before its set began goes back to waiting.
    void cancelBatch();
    // Whether an export or a batch is being made: what quitting now would stop.
    bool workRunning() const;
    // Stops every export and the batch, as their Stop buttons do, and waits on the calling
    // (main) thread until their threads have ended: the images and the video frame in hand
    // are finished or dropped, and no temporary file is left. Their outcomes (stopped, or
    // done for a set that was complete) arrive afterwards as queued calls.
    void stopWork();
    // The export's progress: taken only while exportState is running.
    void reportExportProgress(double fraction);
    // A row's progress: taken only while that row is working.
    void reportRowProgress(int row, double fraction);

signals:
    void exportStateChanged();
    void batchInputChanged();
    void batchRowsChanged();
    // One row's status changed (the rows' count and PDFs stayed); batchRowsChanged follows.
    void batchRowChanged(int row);
    void batchOutputChanged();
    void batchRunningChanged();

private:
    std::optional<std::filesystem::path> chooseFolder(const QString& message,
                                                      const QString& prompt);
    void setExportState(ExportState state);
    void finishExport(std::uint64_t id, const std::filesystem::path& folder,
                      const ExportState& outcome);
    void setBatchInput(std::optional<std::filesystem::path> folder);
    void setBatchOutput(std::optional<std::filesystem::path> folder);
    void setBatchRows(std::vector<BatchRow> rows);
    void setRowStatus(int row, BatchRow::Status status);
    void setBatchRunning(bool running);
    // Makes the sets of these rows into output, one after another, on the batch's thread.
    void startBatch(const std::vector<int>& rows, const std::filesystem::path& output);

    ListingSession& session_;
    ListingSession::Alert alert_;
    // What the export and batch threads report; those threads end before it goes.
    MainThreadCalls calls_;
    std::unique_ptr<WorkRecords> workRecords_;
    ExportState export_;
    std::optional<std::filesystem::path> batchInput_;
    std::vector<BatchRow> batchRows_;
    std::optional<std::filesystem::path> batchOutput_;
    bool batchRunning_ = false;

    // Exports by id: an earlier export runs on to its end but is no longer stopped and no
    // longer changes exportState; the thread is joined when its outcome arrives.
    std::map<std::uint64_t, std::jthread> exports_;
    std::uint64_t exportID_ = 0;
    std::jthread batchWork_;
    std::uint64_t batchID_ = 0;
};

} // namespace folimo
