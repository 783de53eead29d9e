#include "views/video_pane.hpp"

#include "model/previews.hpp"
#include "model/texts.hpp"
#include "views/look.hpp"
#include "views/picture_view.hpp"
#include "views/unit_slider.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace folimo {

VideoPane::VideoPane(Previews& previews, QWidget* parent)
    : QWidget(parent)
    , previews_(previews)
    , frame_(new PictureView)
    , play_(new QToolButton)
    // The slider counts milliseconds; it reads in seconds.
    , slider_(new UnitSlider(
          1000,
          [](double seconds) { return QStringLiteral("%1 seconds").arg(Texts::seconds(seconds)); }))
    , time_(new QLabel) {
    frame_->setBackground(Qt::black);

    play_->setFixedSize(20, 20);
    play_->setIconSize({14, 14});
    play_->setAutoRaise(true);
    connect(play_, &QToolButton::clicked, &previews, [&previews] { previews.togglePlayback(); });
    // The space bar plays and pauses while the pane is shown; text fields keep their spaces.
    auto* space = new QShortcut(QKeySequence(Qt::Key_Space), this);
    connect(space, &QShortcut::activated, &previews, [&previews] { previews.togglePlayback(); });

    slider_->setAccessibleName(QStringLiteral("Time"));
    connect(slider_, &QSlider::valueChanged, &previews,
            [this](int value) { previews_.setVideoTime(slider_->inUnits(value)); });

    time_->setFixedWidth(80);
    time_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    look::makeSecondary(*time_);

    auto* controls = new QHBoxLayout;
    controls->setContentsMargins(16, 10, 16, 12);
    controls->setSpacing(12);
    controls->addWidget(play_);
    controls->addWidget(slider_, 1);
    controls->addWidget(time_);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(frame_, 1);
    page->addLayout(controls);

    connect(&previews, &Previews::previewsChanged, this, &VideoPane::refreshLength);
    connect(&previews, &Previews::previewsChanged, this, &VideoPane::refreshPicture);
    connect(&previews, &Previews::videoTimeChanged, this, &VideoPane::refreshTime);
    connect(&previews, &Previews::playingChanged, this, &VideoPane::refreshPlaying);
    connect(&previews, &Previews::previewReady, this,
            [this](const QString& key, const QImage& image) {
                if (key == previews_.videoFrameKey()) frame_->setPicture(image);
            });
    refreshLength();
    refreshPlaying();
    refreshTime();
}

void VideoPane::refreshLength() {
    const QSignalBlocker quiet(slider_);
    slider_->setRange(0,
                      int(std::lround(previews_.previewVideoLength() * slider_->stepsPerUnit())));
    slider_->setValue(slider_->inSteps(previews_.videoTime()));
}

void VideoPane::refreshTime() {
    const double t = previews_.videoTime();
    {
        const QSignalBlocker quiet(slider_);
        slider_->setValue(slider_->inSteps(t));
    }
    time_->setText(Texts::seconds(t));
    frame_->setAccessibleName(Texts::videoFrameName(t));
    refreshPicture();
}

void VideoPane::refreshPlaying() {
    const bool playing = previews_.playing();
    play_->setIcon(
        look::symbol(playing ? QStringLiteral("pause.fill") : QStringLiteral("play.fill")));
    play_->setAccessibleName(playing ? QStringLiteral("Pause") : QStringLiteral("Play"));
    play_->setToolTip(play_->accessibleName());
}

void VideoPane::refreshPicture() {
    if (!isVisible()) return; // a hidden pane draws nothing; showing it catches up
    if (QImage image = previews_.requestVideoFrame(); !image.isNull()) frame_->setPicture(image);
}

void VideoPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshPicture();
}

} // namespace folimo
