#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace folimo {

class Previews;
class PictureView;
class UnitSlider;

// The flip-through pane: the frame at the playback position on black, play/pause (also
// the space bar), the time slider and the position in seconds.
class VideoPane : public QWidget {
    Q_OBJECT
public:
    explicit VideoPane(Previews& previews, QWidget* parent = nullptr);

    PictureView* frame() const { return frame_; }
    QToolButton* playButton() const { return play_; }
    UnitSlider* timeSlider() const { return slider_; }
    QLabel* timeLabel() const { return time_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refreshLength();
    void refreshTime();
    void refreshPlaying();
    void refreshPicture();

    Previews& previews_;
    PictureView* frame_;
    QToolButton* play_;
    UnitSlider* slider_;
    QLabel* time_;
};

} // namespace folimo
