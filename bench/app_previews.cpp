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
#include <ctime>
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

// The main thread's own processor time: what it spent working, whatever else the machine ran.
double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
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
    ImagePreset preset = model.previews().previewPreset();

    void drawSynchronously() {
        model.previews().previewImage(ImageLayout::cover, preset, 1100);
        for (const auto layout : allLayouts)
            model.previews().previewImage(layout, preset, 260);
    }
    void request() {
        model.previews().requestPreviewImage(ImageLayout::cover, preset, 1100);
        for (const auto layout : allLayouts)
            model.previews().requestPreviewImage(layout, preset, 260);
    }
    bool complete() const {
        if (!model.previews().cache().contains(
                model.previews().previewImageKey(ImageLayout::cover, preset, 1100)))
            return false;
        return std::all_of(allLayouts.begin(), allLayouts.end(), [this](ImageLayout layout) {
            return model.previews().cache().contains(
                model.previews().previewImageKey(layout, preset, 260));
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

// Types the title. Per keystroke: the model's own work (the edit, saved, and what afterEdit
// asks for); also the longest main-thread stretch between keystrokes, while previews arrive
// (and the store's file is written on the model's writer thread).
struct Typing {
    std::vector<double> model, modelCPU;
    double longestBetween = 0; // wall time between two turns of the event loop
};

Typing typeTitle(AppModel& model, const std::function<void()>& afterEdit) {
    Typing typing;
    for (int i = 1; i <= keystrokes; ++i) {
        QElapsedTimer clock;
        clock.start();
        const double cpu = threadMilliseconds();
        ListingSettings settings = model.session().settings();
        settings.title = std::string(typed, std::size_t(i));
        model.session().setSettings(settings);
        afterEdit();
        typing.model.push_back(milliseconds(clock));
        typing.modelCPU.push_back(threadMilliseconds() - cpu);
        if (i < keystrokes) {
            QElapsedTimer gap;
            gap.start();
            runUntil([&] { return gap.elapsed() >= typingGapMs; }, typing.longestBetween);
        }
    }
    return typing;
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
        model.session().openFile(pdf);
        Pane pane{model};
        QElapsedTimer clock;
        clock.start();
        pane.drawSynchronously();
        const double first = milliseconds(clock);
        const Typing typing = typeTitle(model, [&] { pane.drawSynchronously(); });
        const auto [median, worst] = figures(typing.model);
        std::printf("  synchronous:  first complete pane %.0f ms; main thread per keystroke median "
                    "%.1f ms, worst %.1f ms\n",
                    first, median, worst);
    }
    {
        AppModel model(store, nullptr);
        model.session().openFile(pdf);
        Pane pane{model};
        // The views ask again whenever a preview is ready or the inputs change.
        // Each arrival costs the main thread the cache entry and the view's asking again.
        std::vector<double> arrivals;
        QObject::connect(&model.previews(), &Previews::previewReady, [&] {
            const double cpu = threadMilliseconds();
            pane.request();
            arrivals.push_back(threadMilliseconds() - cpu);
        });
        double stretch = 0;
        pane.request();
        const double first = runUntil([&] { return pane.complete(); }, stretch);
        arrivals.clear();
        const Typing typing = typeTitle(model, [&] { pane.request(); });
        const double settled = runUntil([&] { return pane.complete(); }, stretch);
        const auto [median, worst] = figures(typing.model);
        const auto [cpuMedian, cpuWorst] = figures(typing.modelCPU);
        const auto [arrivalMedian, arrivalWorst] = figures(arrivals);
        std::printf(
            "  non-blocking: first complete pane %.0f ms; main thread per keystroke median "
            "%.2f ms, worst %.2f ms\n"
            "                (its own processor time: median %.2f ms, worst %.2f ms),\n"
            "                %zu previews arrived, each taking the main thread median %.2f ms, "
            "worst %.2f ms of processor time;\n"
            "                longest wall-clock gap between turns of its event loop %.1f ms;\n"
            "                whole pane updated %.0f ms after the last keystroke\n",
            first, median, worst, cpuMedian, cpuWorst, arrivals.size(), arrivalMedian, arrivalWorst,
            std::max(typing.longestBetween, stretch), settled);
    }
    {
        AppModel model(store, nullptr);
        model.session().openFile(pdf);
        const double length = model.previews().previewVideoLength();
        const int frames = 45;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < frames; ++i) {
            model.previews().setVideoTime(length * i / frames);
            model.previews().videoFrame();
        }
        const double perFrame = milliseconds(clock) / frames;
        std::printf("Video preview (720 x 720): %.1f frames a second drawn on one thread (%.1f ms "
                    "a frame)\n",
                    1000 / perFrame, perFrame);

        model.previews().setVideoTime(0);
        model.previews().togglePlayback();
        int steps = 0;
        QObject::connect(&model.previews(), &Previews::videoTimeChanged, [&] {
            ++steps;
            model.previews().requestVideoFrame();
        });
        double stretch = 0;
        const double playedMs = runUntil(
            [&] { return model.previews().videoTime() >= 3.0 || !model.previews().playing(); },
            stretch);
        std::printf("Playback: %d steps in %.0f ms = %.1f steps a second (asking for each frame "
                    "without waiting); longest main-thread stretch %.1f ms\n",
                    steps, playedMs, steps * 1000.0 / playedMs, stretch);
    }
    return 0;
}
