#pragma once

#include <QWidget>

class QStackedWidget;

namespace folimo {

class AppModel;
class EmptyStateView;
class ImagesPane;
class InspectorView;
class PreviewPane;
class VideoPane;

// The listing page: the invitation while no PDF is open, otherwise the pane of the chosen
// tab beside the inspector. The whole page takes dropped PDFs.
class ListingView : public QWidget {
    Q_OBJECT
public:
    explicit ListingView(AppModel& model, QWidget* parent = nullptr);

    EmptyStateView* emptyState() const { return empty_; }
    ImagesPane* imagesPane() const { return images_; }
    PreviewPane* previewPane() const { return preview_; }
    VideoPane* videoPane() const { return video_; }
    InspectorView* inspector() const { return inspector_; }
    // The widget shown now: the empty state or the pane of the current tab.
    QWidget* currentPane() const;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void refresh();

    AppModel& model_;
    QStackedWidget* page_;
    EmptyStateView* empty_;
    QWidget* listing_;
    QStackedWidget* panes_;
    ImagesPane* images_;
    PreviewPane* preview_;
    VideoPane* video_;
    InspectorView* inspector_;
};

} // namespace folimo
