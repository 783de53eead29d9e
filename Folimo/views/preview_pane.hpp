#pragma once

#include <QWidget>
#include <vector>

class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace folimo {

class AppModel;
class PictureView;

// The preview PDF pane: how many sheets and their size, then every sheet as it will print.
class PreviewPane : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPane(AppModel& model, QWidget* parent = nullptr);

    QLabel* header() const { return header_; }
    const std::vector<PictureView*>& sheets() const { return sheets_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();
    void refreshPictures();

    AppModel& model_;
    QLabel* header_;
    QScrollArea* scroll_;
    QVBoxLayout* column_;
    std::vector<PictureView*> sheets_;
    std::vector<std::vector<int>> groups_;
};

} // namespace folimo
