#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace folimo {

class SetWork;

// What the desktop is told when a set or a batch ends: a summary ("Batch finished"), a body
// in the words the window uses ("3 sets made, 1 failed.") and the folder that Show opens
// (empty: nothing to show).
struct WorkNotice {
    QString summary;
    QString body;
    std::filesystem::path folder;

    bool operator==(const WorkNotice&) const = default;
};

// Decides what the desktop hears about the model's work, for a front end that tells it
// (DesktopNotices): a notice when an export or a batch ends while the user is not looking at
// the program, and the progress of the work while it runs. Main thread only.
class WorkNotices : public QObject {
    Q_OBJECT
public:
    // attended answers whether the user is looking at the program now (its window is
    // active): then the window itself shows the outcome and no notice is given. reveal opens
    // a folder in the file manager, as the window's Show buttons do.
    WorkNotices(SetWork& model, std::function<bool()> attended,
                std::function<void(const std::filesystem::path&)> reveal,
                QObject* parent = nullptr);

    // The running work's part done, 0...1 in steps of 1/100 (an export and a batch running
    // together count alike); nothing when no work runs.
    std::optional<double> progress() const;
    // What a notice's Show does: reveals its folder, when it has one.
    void show(const WorkNotice& notice) const;

signals:
    // A set or a batch ended while the program was not attended.
    void notice(const folimo::WorkNotice& notice);
    void progressChanged();

private:
    void exportChanged();
    void batchChanged();
    void updateProgress();
    double batchFraction() const;

    SetWork& model_;
    std::function<bool()> attended_;
    std::function<void(const std::filesystem::path&)> reveal_;
    bool exportRunning_ = false;
    std::vector<std::size_t> batchRows_; // the rows the running or last batch makes
    std::optional<int> percent_;
};

} // namespace folimo
