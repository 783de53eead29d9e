#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>

class QLabel;
class QListView;
class QPushButton;
class QStackedWidget;

namespace folimo {

class AppModel;
class BatchRowsModel;

// The batch page: choose a folder of PDFs, make one listing set for each into an output
// folder, follow each PDF's row and stop the run. Everything shown follows the model.
class BatchView : public QWidget {
    Q_OBJECT
public:
    explicit BatchView(AppModel& model, QWidget* parent = nullptr);

    // What "Show" does with the output folder (tests give their own).
    void setReveal(std::function<void(const std::filesystem::path&)> reveal);

private:
    void showState();
    void showFolders();
    void showFileCount();

    AppModel& model_;
    BatchRowsModel* rows_;
    std::function<void(const std::filesystem::path&)> reveal_;
    QPushButton* choose_;
    QPushButton* make_;
    QPushButton* stop_;
    QLabel* fileCount_;
    QWidget* fromLine_;
    QLabel* from_;
    QWidget* toLine_;
    QLabel* to_;
    QStackedWidget* listOrPlaceholder_;
    QListView* list_;
};

} // namespace folimo
