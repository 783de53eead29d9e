// The preview PDF pane on long PDFs, through the real widgets on the offscreen platform: a
// PDF of PAGES trivial pages (one process for each count, so the peak memory is its own) is
// opened with the pane shown, which is then scrolled to the end and back through the middle.
// Prints Poppler's own times on the file (opening it, and reading its page tree up to the last
// page, as the listing page's first drawing does: its grid shows pages from the whole PDF),
// the time from opening to the first drawn pane, the sheets drawn, the CPU seconds and peak
// memory of the whole run, and the CPU seconds spent in the two seconds after the last sheet
// was drawn (the pane at rest). Then the PDF is opened again on the listing page, and once
// that is drawn the pane is shown: its time to drawn sheets on its own. Reports figures;
// asserts nothing.

#include "views/preview_pane.hpp"

#include "folimo/source_pdf.hpp"
#include "model/app_model.hpp"
#include "pdf_files.hpp"
#include "views/listing_view.hpp"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QProcess>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

using namespace folimo;

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double milliseconds(const std::function<void()>& call) {
    QElapsedTimer clock;
    clock.start();
    call();
    return double(clock.nsecsElapsed()) / 1e6;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc < 2) { // one process for each count
        for (const char* pages : {"200", "2000", "100000"})
            if (QProcess::execute(QString::fromLocal8Bit(argv[0]), {pages}) != 0) return 1;
        return 0;
    }
    QApplication app(argc, argv);
    const int pages = std::atoi(argv[1]);
    QTemporaryDir dir;
    const std::filesystem::path pdf = dir.filePath("long.pdf").toStdString();
    {
        std::vector<test::TinyPage> tiny(static_cast<std::size_t>(pages));
        for (std::size_t i = 0; i < tiny.size(); ++i)
            tiny[i].content = "0.2 0.3 0.8 rg 72 " + std::to_string(100 + i % 500) + " 300 40 re f";
        test::writeTinyPDF(pdf, tiny);
    }
    double popplerOpen = 0, popplerTree = 0;
    {
        std::shared_ptr<SourcePDF> source;
        popplerOpen = milliseconds([&] { source = SourcePDF::open(pdf); });
        popplerTree = milliseconds([&] { source->pageSize(pages - 1); });
    }
    QSettings store(dir.filePath("store.ini"), QSettings::IniFormat);
    AppModel model(store, nullptr);
    ListingView view(model);
    view.resize(1180, 800);
    view.show();
    int drawn = 0, listingDrawn = 0;
    QObject::connect(&model.previews(), &Previews::previewReady, [&](const QString& key) {
        ++drawn;
        if (key.startsWith(QStringLiteral("img|"))) ++listingDrawn;
    });
    PreviewPane& pane = *view.previewPane();
    const auto settle = [&] {
        while (!pane.drawnInSight())
            QTest::qWait(5);
    };

    const double startCpu = cpuSeconds();
    QElapsedTimer clock;
    model.setTab(ListingTab::preview);
    clock.start();
    model.session().openFile(pdf);
    settle();
    const double firstPane = double(clock.elapsed());
    QScrollBar& bar = *pane.sheets()->verticalScrollBar();
    for (int step = 0; step <= 40; ++step) { // dragged to the end in 40 steps
        bar.setValue(int(qint64(bar.maximum()) * step / 40));
        QTest::qWait(10);
    }
    settle();
    bar.setValue(bar.maximum() / 2);
    settle();
    const double restStart = cpuSeconds();
    QTest::qWait(2000);
    const double rest = cpuSeconds() - restStart;
    const int sheetsDrawn = drawn;
    const double cpu = restStart - startCpu;

    // The pane on its own, once the PDF is open and the listing page drawn.
    model.setTab(ListingTab::images);
    model.session().openFile(pdf);
    while (listingDrawn < int(allLayouts.size()) + 1) // the large image and one card each
        QTest::qWait(5);
    clock.restart();
    model.setTab(ListingTab::preview);
    settle();
    const double paneOnItsOwn = double(clock.elapsed());

    std::printf("preview pane, %6d pages (%d sheets): Poppler opens %4.0f ms, reads the page "
                "tree %5.0f ms; first drawn pane %5.0f ms, on its own %4.0f ms; %3d sheets "
                "drawn, %5.1f CPU s, peak %4.0f MB, at rest %.2f CPU s in 2 s\n",
                pages, pane.sheets()->model()->rowCount(), popplerOpen, popplerTree, firstPane,
                paneOnItsOwn, sheetsDrawn, cpu, peakMegabytes(), rest);
    return 0;
}
