#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QGridLayout;
class QLabel;
class QScrollArea;

namespace folimo {

class ListingSession;
class Previews;
class LayoutCard;
class PictureView;
class SegmentedControl;

// The images pane: the size picker, the chosen layout large, and one card per layout.
class ImagesPane : public QWidget {
    Q_OBJECT
public:
    ImagesPane(ListingSession& session, Previews& previews, QWidget* parent = nullptr);

    SegmentedControl* sizePicker() const { return sizePicker_; }
    QLabel* sizeLabel() const { return sizeLabel_; }
    PictureView* largeImage() const { return large_; }
    QCheckBox* squareCropToggle() const { return squareCrop_; }
    const std::array<LayoutCard*, 6>& cards() const { return cards_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads what the pane shows from the model; pictures still being drawn keep the ones
    // shown until they are ready.
    void refresh();
    void refreshPictures();
    // A picture the pane asked for is drawn.
    void showReady(const QString& key, const QImage& image);
    // Withdraws the pictures asked for and not started yet.
    void dropRequests();
    void fitToWidth();
    // A new picker when the presets' names changed (its segments are fixed when made).
    void showPresetNames(const QStringList& names);

    ListingSession& session_;
    Previews& previews_;
    QScrollArea* scroll_;
    QGridLayout* sizeRow_;
    SegmentedControl* sizePicker_ = nullptr;
    QStringList presetNames_;
    QLabel* sizeLabel_;
    QCheckBox* squareCrop_;
    PictureView* large_;
    QGridLayout* cardGrid_;
    std::array<LayoutCard*, 6> cards_{};
    QString largeKey_; // the pictures last asked for
    std::array<QString, 6> cardKeys_;
    double aspect_ = 0;   // of the preset shown
    int largePixels_ = 0; // the longer side the large image is drawn at, set by fitToWidth()
    int cardColumns_ = 0;
    int sizeColumns_ = 0; // 2: the pixel size and square toggle beside the picker, 1: under it
};

} // namespace folimo
