#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>

class QFormLayout;
class QLabel;
class QListView;
class QPushButton;
class QStackedWidget;

namespace folimo {

class ListingSession;
class SetWork;
class BatchRowsModel;

// The batch page: choose a folder of PDFs, make one listing set for each into an output
// folder, follow each PDF's row and stop the run; once it has ended, a summary line and Retry
// Failed, and a finished row's set opens with a double-click or Return. Everything shown
// follows the model.
class BatchView : public QWidget {
    Q_OBJECT
public:
    BatchView(SetWork& work, ListingSession& session, QWidget* parent = nullptr);

    // What "Show" does with the output folder, and a row's activation with its set (tests
    // give their own).
    void setReveal(std::function<void(const std::filesystem::path&)> reveal);

private:
    void showState();
    void showFolders();
    void showFileCount();

    SetWork& work_;
    ListingSession& session_;
    BatchRowsModel* rows_;
    std::function<void(const std::filesystem::path&)> reveal_;
    QPushButton* choose_;
    QPushButton* make_;
    QPushButton* stop_;
    QPushButton* retry_;
    QLabel* fileCount_;
    QFormLayout* folders_; // From and To
    QLabel* from_;
    QLabel* to_;
    QLabel* summary_; // once a batch has ended: "3 sets made, 1 failed."
    QStackedWidget* listOrPlaceholder_;
    QListView* list_;
};

} // namespace folimo
