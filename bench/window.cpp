// The window's speed and memory on the offscreen platform: start to first painted window,
// opening a 36-page PDF to the listing page with every preview drawn, and the memory at rest.
// Prints one line per figure; not a Google Benchmark program (each figure is a single start).
#include "model/app_model.hpp"
#include "views/main_window.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>
#include <unistd.h>

namespace {

// Milliseconds since the process was started by the kernel (before main and Qt's start).
double sinceExec() {
    QFile stat("/proc/self/stat");
    stat.open(QIODevice::ReadOnly);
    const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = double(now.tv_sec) * 1000 + double(now.tv_nsec) / 1e6;
    return nowMs - startTicks * 1000 / double(sysconf(_SC_CLK_TCK));
}

long residentKB() {
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

// Records the time of every paint of the window.
struct PaintWatch : QObject {
    QElapsedTimer clock;
    std::optional<qint64> lastPaint;
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint) lastPaint = clock.elapsed();
        return QObject::eventFilter(object, event);
    }
};

void settle(int quietMs, const std::function<qint64()>& lastActivity, QElapsedTimer& clock) {
    while (clock.elapsed() - lastActivity() < quietMs)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    const double execToMain = sinceExec();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QSettings store(dir.filePath("store.ini"), QSettings::IniFormat);

    PaintWatch watch;
    watch.clock = sinceMain;
    folimo::AppModel model(store, nullptr);
    folimo::MainWindow window(model);
    for (QWidget* widget : window.findChildren<QWidget*>())
        widget->installEventFilter(&watch);
    window.installEventFilter(&watch);
    window.show();
    while (!watch.lastPaint)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double firstPaint = double(*watch.lastPaint);
    std::printf("first painted window: %.0f ms after main, %.0f ms after exec\n", firstPaint,
                firstPaint + execToMain);
    settle(
        500, [&] { return *watch.lastPaint; }, watch.clock);
    std::printf("memory at rest, no PDF: %ld KB\n", residentKB());

    // A 36-page PDF from outside the project.
    const QString pdf = dir.filePath("36 pages.pdf");
    if (QProcess::execute("qpdf", {"--empty", "--pages", "/usr/share/doc/asymptote/asymptote.pdf",
                                   "1-36", "--", pdf}) != 0) {
        std::fprintf(stderr, "window_bench: qpdf could not make the 36-page PDF\n");
        return 1;
    }

    // Opening the PDF: the listing page is complete when every preview it asked for is drawn
    // and painted (no drawing arrives and nothing paints for one second).
    qint64 lastPreview = watch.clock.elapsed();
    QObject::connect(&model.previews(), &folimo::Previews::previewReady,
                     [&] { lastPreview = watch.clock.elapsed(); });
    const qint64 opened = watch.clock.elapsed();
    model.session().openFile(QFile::encodeName(pdf).toStdString());
    settle(
        1000, [&] { return std::max(lastPreview, *watch.lastPaint); }, watch.clock);
    std::printf("36-page PDF to complete listing page: %lld ms\n",
                static_cast<long long>(std::max(lastPreview, *watch.lastPaint) - opened));
    std::printf("memory at rest, 36-page PDF open: %ld KB\n", residentKB());
    return 0;
}
