// The listing page's previews through the application model: a real 36-page PDF, the images
// pane (one 1100-pixel image and six 260-pixel ones) and a 20-character title typed one
// character at a time, first on the synchronous path (drawn on the main thread) and then on
// the non-blocking requests the views use. Also the video preview: frames a second drawn at
// 720 pixels, and the steps a second that playback holds.
//
// The main thread's longest stretch is measured by a zero-interval timer: the gap between two
// of its ticks is the time the event loop was held by something else.
#include "model/app_model.hpp"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace folimo;

namespace {

constexpr int keystrokes = 20;
constexpr int typingGapMs = 120; // a quick typist: about eight characters a second
const char* const typed = "Autumn Math Practice";

double milliseconds(const QElapsedTimer& clock) {
    return double(clock.nsecsElapsed()) / 1e6;
}

struct Figures {
    double median = 0, worst = 0;
};

Figures figures(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

// The images pane: the selected layout large and all six small.
struct Pane {
    AppModel& model;
    ImagePreset preset = model.previewPreset();

    void drawSynchronously() {
        model.previewImage(ImageLayout::cover, preset, 1100);
        for (const auto layout : allLayouts)
            model.previewImage(layout, preset, 260);
    }
    void request() {
        model.requestPreviewImage(ImageLayout::cover, preset, 1100);
        for (const auto layout : allLayouts)
            model.requestPreviewImage(layout, preset, 260);
    }
    bool complete() const {
        if (!model.cache().contains(model.previewImageKey(ImageLayout::cover, preset, 1100)))
            return false;
        return std::all_of(allLayouts.begin(), allLayouts.end(), [this](ImageLayout layout) {
            return model.cache().contains(model.previewImageKey(layout, preset, 260));
        });
    }
};

// Runs the event loop until done() holds, noting the longest time between two turns of it.
double runUntil(const std::function<bool()>& done, double& longestStretch) {
    QElapsedTimer clock, sinceTick;
    clock.start();
    sinceTick.start();
    QTimer ticker;
    ticker.setInterval(0);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestStretch = std::max(longestStretch, milliseconds(sinceTick));
        sinceTick.restart();
    });
    ticker.start();
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return milliseconds(clock);
}

void typeTitle(AppModel& model, const std::function<void()>& afterEdit,
               std::vector<double>& perKeystroke) {
    for (int i = 1; i <= keystrokes; ++i) {
        QElapsedTimer clock;
        clock.start();
        ListingSettings settings = model.settings();
        settings.title = std::string(typed, std::size_t(i));
        model.setSettings(settings);
        afterEdit();
        perKeystroke.push_back(milliseconds(clock));
        if (i < keystrokes) {
            double ignored = 0;
            QElapsedTimer gap;
            gap.start();
            runUntil([&] { return gap.elapsed() >= typingGapMs; }, ignored);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const std::string pdf = dir.filePath("thirty-six.pdf").toStdString();
    const std::string make =
        "qpdf --empty --pages /usr/share/doc/asymptote/asymptote.pdf 1-36 -- '" + pdf + "'";
    if (std::system(make.c_str()) != 0) {
        std::fprintf(stderr, "qpdf could not make the 36-page PDF\n");
        return 1;
    }
    QSettings store(dir.filePath("store.ini"), QSettings::IniFormat);

    std::printf(
        "Images pane of a 36-page PDF (one 1100 px image, six 260 px), 20 keystrokes %d ms apart\n",
        typingGapMs);
    {
        AppModel model(store, nullptr);
        model.openFile(pdf);
        Pane pane{model};
        QElapsedTimer clock;
        clock.start();
        pane.drawSynchronously();
        const double first = milliseconds(clock);
        std::vector<double> perKeystroke;
        typeTitle(
            model, [&] { pane.drawSynchronously(); }, perKeystroke);
        const auto [median, worst] = figures(perKeystroke);
        std::printf("  synchronous:  first complete pane %.0f ms; main thread per keystroke median "
                    "%.1f ms, worst %.1f ms\n",
                    first, median, worst);
    }
    {
        AppModel model(store, nullptr);
        model.openFile(pdf);
        Pane pane{model};
        // The views ask again whenever a preview is ready or the inputs change.
        QObject::connect(&model, &AppModel::previewReady, [&] { pane.request(); });
        double stretch = 0;
        QElapsedTimer clock;
        clock.start();
        pane.request();
        const double first = runUntil([&] { return pane.complete(); }, stretch);
        std::vector<double> perKeystroke;
        stretch = 0;
        typeTitle(
            model, [&] { pane.request(); }, perKeystroke);
        const double settled = runUntil([&] { return pane.complete(); }, stretch);
        const auto [median, worst] = figures(perKeystroke);
        std::printf("  non-blocking: first complete pane %.0f ms; main thread per keystroke median "
                    "%.2f ms, worst %.2f ms;\n"
                    "                longest main-thread stretch while typing %.1f ms; whole pane "
                    "updated %.0f ms after the last keystroke\n",
                    first, median, worst, stretch, settled);
    }
    {
        AppModel model(store, nullptr);
        model.openFile(pdf);
        const double length = model.previewVideoLength();
        const int frames = 45;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < frames; ++i) {
            model.setVideoTime(length * i / frames);
            model.videoFrame();
        }
        const double perFrame = milliseconds(clock) / frames;
        std::printf("Video preview (720 x 720): %.1f frames a second drawn on one thread (%.1f ms "
                    "a frame)\n",
                    1000 / perFrame, perFrame);

        model.setVideoTime(0);
        model.togglePlayback();
        int steps = 0;
        QObject::connect(&model, &AppModel::videoTimeChanged, [&] {
            ++steps;
            model.requestVideoFrame();
        });
        double stretch = 0;
        const double playedMs =
            runUntil([&] { return model.videoTime() >= 3.0 || !model.playing(); }, stretch);
        std::printf("Playback: %d steps in %.0f ms = %.1f steps a second (asking for each frame "
                    "without waiting); longest main-thread stretch %.1f ms\n",
                    steps, playedMs, steps * 1000.0 / playedMs, stretch);
    }
    return 0;
}
