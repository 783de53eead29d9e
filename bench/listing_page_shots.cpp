// Renders the listing page in each of its states into PNG files, to look at:
//   listing_page_shots OUTPUT-FOLDER
// on the offscreen platform, at the detail area's size in a 1280 x 820 window.

#include "model/app_model.hpp"
#include "views/images_pane.hpp"
#include "views/layout_card.hpp"
#include "views/listing_view.hpp"
#include "views/picture_view.hpp"
#include "views/preview_pane.hpp"
#include "views/video_pane.hpp"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>

using namespace folimo;

namespace {

void settle(
    const std::function<bool()>& done = [] { return false; }, int ms = 400) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: listing_page_shots OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("store.ini")), QSettings::IniFormat);
    AppModel model(store, nullptr);
    ListingView view(model);
    view.resize(1070, 772);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) return 1;
    const auto shot = [&](const char* name) {
        view.grab().save(out.filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
        std::printf("%s\n", qPrintable(out.filePath(QString::fromLatin1(name) + ".png")));
    };
    const auto imagesDrawn = [&] {
        for (LayoutCard* card : view.imagesPane()->cards())
            if (card->thumbnail().isNull()) return false;
        return !view.imagesPane()->largeImage()->picture().isNull();
    };
    const auto field = [&](const QString& name) {
        for (auto* each : view.findChildren<QLineEdit*>())
            if (each->isVisibleTo(&view) && each->accessibleName() == name) return each;
        return static_cast<QLineEdit*>(nullptr);
    };

    settle();
    shot("01-no-pdf");

    model.openFile("/usr/share/doc/asymptote/asy-latex.pdf");
    settle(imagesDrawn);
    shot("02-images");
    model.setSelectedLayout(ImageLayout::desk);
    model.setPreviewPresetID(QStringLiteral("listing-square"));
    settle(imagesDrawn, 3000);
    shot("03-images-desk-square");

    model.setTab(ListingTab::preview);
    settle([&] { return view.previewPane()->drawnInSight(); }, 2000);
    shot("04-preview");
    QTest::keyClicks(field(QStringLiteral("Pages")), QStringLiteral("40-50"));
    settle();
    shot("05-preview-no-page");

    model.setTab(ListingTab::video);
    model.togglePlayback();
    settle([&] { return model.videoTime() > 4; });
    shot("06-video-playing");
    model.stopPlayback();

    model.setTab(ListingTab::images);
    QTest::keyClicks(field(QStringLiteral("Title")),
                     QStringLiteral("Fall Math Practice Worksheets for Second and Third Grade, "
                                    "with Answer Keys"));
    model.setSelectedLayout(ImageLayout::cover);
    settle(imagesDrawn, 3000);
    shot("07-long-title");

    model.openFile("/usr/share/doc/asymptote/examples/pixel.pdf");
    settle(imagesDrawn, 3000);
    shot("08-one-page");
    model.setTab(ListingTab::preview);
    settle([&] { return view.previewPane()->drawnInSight(); }, 2000);
    shot("09-one-page-preview");
    return 0;
}
