// Pictures of the window, to look at and for the project's screenshots:
//   window_shots OUTPUT-FOLDER [--size WxH]... [--scheme light|dark]... [--page NAME]...
// Every page (the listing page with no PDF and with each pane, batch, brands, sizes) at
// each size in each scheme, as PAGE-WxH-SCHEME.png; by default at 760x520, 1024x640,
// 1366x768 and 2560x1440, light and dark. On the offscreen platform unless QT_QPA_PLATFORM
// says otherwise; QT_SCALE_FACTOR=2 shows a 2x screen.

#include "model/app_model.hpp"
#include "model/panels.hpp"
#include "model/translation.hpp"
#include "views/look.hpp"
#include "views/main_window.hpp"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <map>

using namespace folimo;
namespace fs = std::filesystem;

namespace {

struct Answers : Panels {
    fs::path folder;
    std::optional<fs::path> choosePDF(const QString&) override { return std::nullopt; }
    std::optional<fs::path> chooseFolder(const QString&, const QString&) override { return folder; }
};

// Runs the event loop until done, then until no preview has arrived for one and a half seconds.
void settle(
    AppModel& model, const std::function<bool()>& done = [] { return true; }) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    const auto connection = QObject::connect(&model.previews(), &Previews::previewReady,
                                             [&] { last = clock.elapsed(); });
    while (clock.elapsed() < 120000 && (!done() || clock.elapsed() - last < 1500))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QObject::disconnect(connection);
}

void usage() {
    std::fprintf(stderr, "usage: window_shots OUTPUT-FOLDER [--size WxH]... "
                         "[--scheme light|dark]... [--page NAME]...\n");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Counts read as the app shows them ("7 pages", not "7 page(s)").
    folimo::installTranslation();
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) return usage(), 2;
    const QDir out(args[0]);
    QList<QSize> sizes;
    QStringList schemes, pages;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const QString& value = args[i + 1];
        if (args[i] == "--size" && value.split('x').size() == 2)
            sizes << QSize(value.split('x')[0].toInt(), value.split('x')[1].toInt());
        else if (args[i] == "--scheme" && (value == "light" || value == "dark"))
            schemes << value;
        else if (args[i] == "--page")
            pages << value;
        else
            return usage(), 2;
    }
    if (sizes.isEmpty()) sizes = {{760, 520}, {1024, 640}, {1366, 768}, {2560, 1440}};
    if (schemes.isEmpty()) schemes = {"light", "dark"};
    QDir().mkpath(out.path());

    QTemporaryDir dir;
    QSettings store(dir.filePath("store.ini"), QSettings::IniFormat);
    AppModel model(store, nullptr);
    QSettings emptyStore(dir.filePath("empty.ini"), QSettings::IniFormat);
    AppModel emptyModel(emptyStore, nullptr);
    MainWindow window(model), emptyWindow(emptyModel);
    Answers answers;
    model.setPanels(&answers);

    // A batch that has run: two sets made and a damaged PDF that failed.
    const QDir input(dir.filePath("PDFs"));
    QDir().mkpath(input.path());
    for (const char* name : {"CAD.pdf", "asy-latex.pdf"})
        QFile::copy(QStringLiteral("/usr/share/doc/asymptote/") + name, input.filePath(name));
    QFile damaged(input.filePath("Damaged pack.pdf"));
    damaged.open(QIODevice::WriteOnly);
    damaged.write("%PDF-1.7\n1 0 obj\n<< /Type /Catalog");
    damaged.close();
    ListingSettings settings = model.session().settings();
    settings.video.isOn = false;
    model.session().setSettings(settings);
    answers.folder = input.path().toStdString();
    model.work().chooseBatchFolder();
    answers.folder = dir.filePath("Listings").toStdString();
    QDir().mkpath(dir.filePath("Listings"));
    model.work().runBatch();
    settle(model, [&] { return !model.work().batchRunning(); });
    model.session().setSettings({});

    // A brand of the seller's own, so the editor's fields are in use.
    model.session().addBrand();
    model.session().openFile("/usr/share/doc/asymptote/CAD.pdf");

    const std::map<QString, std::function<void()>> shown{
        {"listing-empty", [] {}},
        {"listing-images", [&] { model.setPage(Page::listing), model.setTab(ListingTab::images); }},
        {"listing-preview",
         [&] { model.setPage(Page::listing), model.setTab(ListingTab::preview); }},
        {"listing-video", [&] { model.setPage(Page::listing), model.setTab(ListingTab::video); }},
        {"batch", [&] { model.setPage(Page::batch); }},
        {"brands", [&] { model.setPage(Page::brands); }},
        {"sizes", [&] { model.setPage(Page::sizes); }},
    };
    for (const QString& scheme : schemes) {
        look::useScheme(scheme == "dark" ? look::Scheme::dark : look::Scheme::light);
        for (const QSize& size : sizes) {
            for (const auto& [page, show] : shown) {
                if (!pages.isEmpty() && !pages.contains(page)) continue;
                QWidget& shot = page == "listing-empty" ? emptyWindow : window;
                shot.resize(size);
                shot.show();
                show();
                settle(model);
                const QString file = out.filePath(QStringLiteral("%1-%2x%3-%4.png")
                                                      .arg(page)
                                                      .arg(size.width())
                                                      .arg(size.height())
                                                      .arg(scheme));
                shot.grab().save(file);
                std::printf("%s\n", qPrintable(file));
                shot.hide();
            }
        }
    }
    return 0;
}
