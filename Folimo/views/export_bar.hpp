#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace folimo {

class ListingSession;
class SetWork;

// Shows FOLDER in the desktop's file manager, selected; where no file manager answers, opens
// the folder that holds it.
void revealInFileManager(const std::filesystem::path& folder);

// The export controls: the state of the one export (progress with Stop, the saved or stopped
// set with Show, or the failure), the "Make Listing Set…" button and the summary of what a
// set holds.
class ExportBar : public QWidget {
    Q_OBJECT
public:
    ExportBar(SetWork& work, ListingSession& session, QWidget* parent = nullptr);

    // What "Show" does with the finished set's folder (tests give their own).
    void setReveal(std::function<void(const std::filesystem::path&)> reveal);

private:
    void showState();
    void showSummary();

    SetWork& work_;
    ListingSession& session_;
    std::function<void(const std::filesystem::path&)> reveal_ = revealInFileManager;
    QWidget* running_;
    QProgressBar* progress_;
    QWidget* done_; // a saved or a stopped set, with Show
    QLabel* savedSymbol_;
    QLabel* saved_;
    QWidget* failed_;
    QLabel* failure_;
    QPushButton* make_;
    QLabel* summary_;
};

} // namespace folimo
