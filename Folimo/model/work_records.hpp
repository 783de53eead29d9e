#pragma once

#include "model/handoff.hpp"

#include <QObject>
#include <QStringList>
#include <filesystem>
#include <thread>

class QSettings;

namespace folimo {

class StoreWriter;

// The folders the model's exports and batches are writing into (a set's folder, a batch's
// output folder), kept in the store under "setFoldersInProgress" while the work runs. Work
// that ends in any way, a stop on quitting included, takes its record away; a run that was
// killed (SIGKILL, a crash, power loss) leaves it behind, and the next model on the store
// removes the temporary files that run left there once they are a day old (a younger one may
// still be written by another run) and forgets the folder when none is left.
//
// Main thread only; the files are looked for on a thread of its own.
class WorkRecords : public QObject {
    Q_OBJECT
public:
    // Starts looking through the folders that earlier runs left recorded.
    WorkRecords(QSettings& store, StoreWriter& writer);
    // Waits for the look through; forgets the folders recorded by this run, whose work has
    // ended by now.
    ~WorkRecords() override;

    void add(const std::filesystem::path& folder);
    void remove(const std::filesystem::path& folder);

private:
    QStringList recorded() const;
    void setRecorded(const QStringList& folders);

    QSettings& store_;
    StoreWriter& writer_;
    QStringList mine_; // recorded by this run and not yet taken away
    MainThreadCalls calls_;
    std::jthread sweep_;
};

} // namespace folimo
