// How the listing page feels on a 36-page PDF, through the real widgets on the offscreen
// platform: time to the first complete images pane, the main thread's longest stretch and
// per-keystroke time while a title or a page list is typed, how long after the last
// keystroke every visible preview shows the new settings, and the video pane's playback.
// Reports figures; asserts nothing.

#include "model/app_model.hpp"
#include "views/images_pane.hpp"
#include "views/layout_card.hpp"
#include "views/listing_view.hpp"
#include "views/picture_view.hpp"
#include "views/preview_pane.hpp"
#include "views/video_pane.hpp"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace folimo;

namespace {

// Watches the event loop: the longest time between two turns is the worst stall.
class StallMeter : public QObject {
public:
    StallMeter() {
        timer_.setInterval(0);
        connect(&timer_, &QTimer::timeout, this, [this] {
            const qint64 now = clock_.nsecsElapsed();
            worst_ = std::max(worst_, now - last_);
            last_ = now;
        });
    }
    void start() {
        worst_ = 0;
        clock_.start();
        last_ = 0;
        timer_.start();
    }
    double stop() {
        timer_.stop();
        return double(worst_) / 1e6;
    }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 worst_ = 0;
};

void spin(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Milliseconds until done() holds, processing events meanwhile; -1 after 30 s.
double waitFor(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > 30000) return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    }
    return double(t.nsecsElapsed()) / 1e6;
}

QLineEdit* field(QWidget& root, const QString& name) {
    for (auto* each : root.findChildren<QLineEdit*>())
        if (each->isVisibleTo(&root) && each->accessibleName() == name) return each;
    return nullptr;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Typing {
    double medianKey, worstKey, worstStall, settled;
};

// Types text one character every 120 ms, as a quick typist does, then waits until
// everything shown is current.
Typing type(QLineEdit* into, const QString& text, const std::function<bool()>& current) {
    StallMeter stalls;
    std::vector<double> keys;
    stalls.start();
    for (QChar c : text) {
        QElapsedTimer t;
        t.start();
        QTest::keyClick(into, c.toLatin1());
        keys.push_back(double(t.nsecsElapsed()) / 1e6);
        spin(120);
    }
    // The last keystroke was 120 ms ago; count from it.
    const double settled = 120 + waitFor(current);
    const double worst = stalls.stop();
    return {median(keys), *std::max_element(keys.begin(), keys.end()), worst, settled};
}

void report(const char* what, const Typing& r) {
    std::printf("%-34s key median %6.2f ms, worst %6.2f ms; worst main-thread stall %6.1f ms; "
                "every preview current %6.0f ms after the last key\n",
                what, r.medianKey, r.worstKey, r.worstStall, r.settled);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("thirty-six.pdf"));
    if (QProcess::execute(QStringLiteral("qpdf"),
                          {QStringLiteral("--empty"), QStringLiteral("--pages"),
                           QStringLiteral("/usr/share/doc/asymptote/asymptote.pdf"),
                           QStringLiteral("1-36"), QStringLiteral("--"), pdf}) != 0) {
        std::fprintf(stderr, "qpdf could not make the 36-page PDF\n");
        return 1;
    }
    QSettings store(dir.filePath(QStringLiteral("store.ini")), QSettings::IniFormat);
    AppModel model(store, nullptr);
    ListingView view(model);
    view.resize(1070, 780); // the detail area of a 1280 x 820 window
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) return 1;

    ImagesPane& images = *view.imagesPane();
    const auto imagesCurrent = [&] {
        const ImagePreset preset = model.previews().previewPreset();
        const auto shows = [&](const QImage& shown, ImageLayout layout, double side) {
            const QString key = model.previews().previewImageKey(layout, preset, side);
            return model.previews().cache().contains(key) &&
                   model.previews().cache().value(key).cacheKey() == shown.cacheKey();
        };
        if (!shows(images.largeImage()->picture(), model.previews().selectedLayout(), 1100))
            return false;
        return std::all_of(images.cards().begin(), images.cards().end(), [&](LayoutCard* card) {
            return shows(card->thumbnail(), card->layout(), 260);
        });
    };

    QElapsedTimer opening;
    opening.start();
    model.session().openFile(pdf.toStdString());
    const double opened = double(opening.nsecsElapsed()) / 1e6;
    const double firstPane = opened + waitFor(imagesCurrent);
    std::printf("open a 36-page PDF: %.0f ms on the main thread; first complete images pane "
                "(1100 px + six 260 px) %.0f ms\n",
                opened, firstPane);

    report("images pane, 20-character title",
           type(field(view, QStringLiteral("Title")), QStringLiteral("Fall Math Worksheets"),
                imagesCurrent));
    report("images pane, page list \"1-6, 9, 12\"",
           type(field(view, QStringLiteral("Pages")), QStringLiteral("1-6, 9, 12"), imagesCurrent));

    model.setTab(ListingTab::preview);
    PreviewPane& preview = *view.previewPane();
    const auto sheetsCurrent = [&] { return preview.drawnInSight(); };
    waitFor(sheetsCurrent);
    report("preview pane, page list \"1-4, 8\"",
           type(field(view, QStringLiteral("Pages")), QStringLiteral("1-4, 8"), sheetsCurrent));

    model.setTab(ListingTab::video);
    VideoPane& video = *view.videoPane();
    // Each pass plays the whole video; a step "shows its frame" when the frame drawn for that
    // step's time is on screen before the next step comes.
    for (int pass = 1; pass <= 2; ++pass) {
        model.previews().setVideoTime(0);
        int steps = 0, shown = 0;
        QString wanted;
        bool wantedShown = false;
        const auto check = [&] {
            if (!wantedShown && model.previews().cache().contains(wanted) &&
                model.previews().cache().value(wanted).cacheKey() ==
                    video.frame()->picture().cacheKey())
                wantedShown = true;
        };
        const auto stepping =
            QObject::connect(&model.previews(), &Previews::videoTimeChanged, &model, [&] {
                check();
                shown += wantedShown ? 1 : 0;
                ++steps;
                wanted = model.previews().videoFrameKey();
                wantedShown = false;
                check();
            });
        const auto ready =
            QObject::connect(&model.previews(), &Previews::previewReady, &model, check);
        QElapsedTimer playing;
        playing.start();
        model.previews().togglePlayback();
        waitFor([&] { return !model.previews().playing(); });
        const double seconds = double(playing.nsecsElapsed()) / 1e9;
        QObject::disconnect(stepping);
        QObject::disconnect(ready);
        std::printf("video pane, pass %d: %d steps in %.2f s = %.1f steps a second; %d of them "
                    "showed their own frame in time\n",
                    pass, steps, seconds, steps / seconds, shown);
    }
    return 0;
}
