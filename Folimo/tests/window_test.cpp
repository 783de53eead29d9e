#include "model/app_model.hpp"
#include "model/texts.hpp"
#include "model/translation.hpp"
#include "model_test_support.hpp"
#include "updates/updater.hpp"
#include "view_shots.hpp"
#include "views/alert_host.hpp"
#include "views/export_bar.hpp"
#include "views/look.hpp"
#include "views/main_window.hpp"
#include "views/more_apps_window.hpp"
#include "views/review_prompt_host.hpp"
#include "views/sidebar.hpp"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLayoutItem>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>
#include <macmenubaseline/window_probes.hpp>

using namespace folimo;
namespace fs = std::filesystem;

namespace {

const fs::path cadPDF = "/usr/share/doc/asymptote/CAD.pdf";
const fs::path bigPDF = "/usr/share/doc/asymptote/asymptote.pdf";

// The menu bar's item of that text (each text names one item across the menus).
QAction* menuItem(QMainWindow& window, const QString& text) {
    for (QAction* top : window.menuBar()->actions())
        for (QAction* item : top->menu()->actions())
            if (item->text() == text) return item;
    return nullptr;
}

template <typename T> T* visibleChild(QWidget& parent, const QString& accessibleName) {
    for (T* child : parent.findChildren<T*>())
        if (child->isVisible() && (child->accessibleName() == accessibleName ||
                                   child->property("text") == accessibleName))
            return child;
    return nullptr;
}

// Answers the next question box with the button of that text, once it shows; keeps what
// the box said and which button Return and Escape would press.
struct Answer {
    QString text;
    QString defaultButton;
    QString escapeButton;
    QObject alive; // no answer once this is gone

    explicit Answer(const QString& button) {
        QTimer::singleShot(0, &alive, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            text = box->text();
            defaultButton = box->defaultButton()->text();
            escapeButton = box->escapeButton()->text();
            for (QAbstractButton* each : box->buttons())
                if (each->text() == button) each->click();
        });
    }
};

// What a person could name on screen: a control or text with a name or a text of its own.
QString shownName(const QWidget* widget) {
    if (!widget->accessibleName().isEmpty()) return widget->accessibleName();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    return {};
}

QRect globalRect(const QWidget* widget) {
    return {widget->mapToGlobal(QPoint(0, 0)), widget->size()};
}

// Where each named widget of the window is cut off or covered: each must have at least the size
// its layout promises it and lie inside the window and inside every widget that holds it, so
// none slides out of its pane or under another; a scrolling pane may hold it out of sight
// below or above, never beside. The visible parts of two named widgets, neither holding the
// other, must not overlap.
QStringList layoutFaults(QWidget& window) {
    QStringList faults;
    std::vector<std::pair<const QWidget*, QRect>> shown;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() || shownName(widget).isEmpty()) continue;
        const QSize least = QWidgetItem(const_cast<QWidget*>(widget)).minimumSize();
        if (widget->width() < least.width() || widget->height() < least.height())
            faults << QString("“%1” (%2) is squeezed to %3 × %4")
                          .arg(shownName(widget), widget->metaObject()->className())
                          .arg(widget->width())
                          .arg(widget->height());
        QRect visible = globalRect(widget);
        for (const QWidget* holder = widget->parentWidget(); holder && !visible.isEmpty();
             holder = holder->parentWidget()) {
            const QRect room = globalRect(holder);
            const auto* area = qobject_cast<const QAbstractScrollArea*>(holder->parentWidget());
            const bool scrolls = area && area->viewport() == holder;
            if (visible.left() < room.left() || visible.right() > room.right() ||
                (!scrolls && !room.contains(visible)))
                faults << QString("“%1” (%2) lies outside %3")
                              .arg(shownName(widget), widget->metaObject()->className(),
                                   holder->metaObject()->className());
            if (scrolls) visible &= room;
        }
        if (!visible.isEmpty()) shown.emplace_back(widget, visible);
    }
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            const auto& [a, aRect] = shown[i];
            const auto& [b, bRect] = shown[j];
            if (a->isAncestorOf(b) || b->isAncestorOf(a) || !aRect.intersects(bRect)) continue;
            faults << QString("“%1” overlaps “%2”").arg(shownName(a), shownName(b));
        }
    faults.removeDuplicates();
    return faults;
}

// Stands in for the desktop's handler of file: addresses.
class OpenedFiles : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    std::unique_ptr<QSettings> store_;
    test::ScriptedPanels panels_;
    std::unique_ptr<AppModel> model_;
    std::unique_ptr<MainWindow> window_;

    AppModel& model() { return *model_; }
    MainWindow& window() { return *window_; }
    void openCAD() {
        QVERIFY(model().session().openFile(cadPDF));
        QVERIFY(model().session().source());
    }

private slots:
    void initTestCase() { installTranslation(); }

    void init() {
        store_ = std::make_unique<QSettings>(home_.filePath("store.ini"), QSettings::IniFormat);
        store_->clear();
        QFile::remove(home_.filePath("store-pdfs.json")); // the PDFs' texts of an earlier test
        model_ = std::make_unique<AppModel>(*store_, nullptr);
        window_ = std::make_unique<MainWindow>(*model_);
        panels_.answers.clear();
        panels_.asked.clear();
        model_->setPanels(&panels_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() {
        window_.reset();
        model_.reset();
    }

    // 1280 × 820 where the screen has room; here the test screen is smaller, so the window
    // takes 90 % of it without going below the minimum.
    void theWindowStartsEmptyWithinTheScreen() {
        QCOMPARE(window().windowTitle(), "Folimo");
        const QSize room = window().screen()->availableSize();
        QVERIFY(room.width() < 1280 / 0.9);
        QCOMPARE(window().size(),
                 (room * 0.9).expandedTo(minimumWindowSize).boundedTo({1280, 820}));
        viewShot(window(), "no-pdf");
        // Return opens the PDF question wherever the focus is, as a dialog's default button.
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        auto* pages = window().findChild<QListWidget*>();
        pages->setFocus();
        QTest::keyClick(pages, Qt::Key_Return);
        QCOMPARE(panels_.asked.size(), 1);
    }

    // Each page at the window's minimum size: the controls named here are shown, and no named
    // control is cut off or covered.
    void everyPageIsWholeAtTheMinimumSize_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("withPDF");
        QTest::addColumn<QStringList>("controls");
        const auto images = int(ListingTab::images);
        QTest::newRow("listing, no PDF") << int(Page::listing) << images << false
                                         << QStringList{"Open PDF…", "Try the Sample", "Open PDF"};
        QTest::newRow("listing, images")
            << int(Page::listing) << images << true
            << QStringList{"Show", "Size", "Title", "Brand", "Make Listing Set…", "Page grid"};
        QTest::newRow("listing, preview PDF")
            << int(Page::listing) << int(ListingTab::preview) << true
            << QStringList{"Show", "Title", "Include in the set", "Make Listing Set…"};
        QTest::newRow("listing, video")
            << int(Page::listing) << int(ListingTab::video) << true
            << QStringList{"Show", "Play", "Time", "Length in seconds", "Make Listing Set…"};
        QTest::newRow("batch") << int(Page::batch) << images << true
                               << QStringList{"Batch", "Choose Folder of PDFs…",
                                              "Make All Listing Sets…"};
        QTest::newRow("brands") << int(Page::brands) << images << true
                                << QStringList{"Brands", "New brand",  "Delete brand", "Name",
                                               "Font",   "Background", "Corner badge"};
        QTest::newRow("sizes") << int(Page::sizes) << images << true
                               << QStringList{"Square thumbnails width", "Format"};
    }
    void everyPageIsWholeAtTheMinimumSize() {
        QFETCH(int, page);
        QFETCH(int, tab);
        QFETCH(bool, withPDF);
        QFETCH(QStringList, controls);
        if (withPDF) openCAD();
        model().setPage(Page(page));
        model().setTab(ListingTab(tab));
        window().resize(minimumWindowSize);
        QCOMPARE(window().size(), minimumWindowSize);
        const auto faults = [&] {
            QStringList found = layoutFaults(window());
            for (const QString& name : controls)
                if (!visibleChild<QWidget>(window(), name))
                    found << QString("“%1” is not shown").arg(name);
            return found;
        };
        // Laid out on the next turns of the event loop.
        QTRY_VERIFY2(faults().isEmpty(), qPrintable(faults().join('\n')));
        viewShot(window(), QString("minimum-%1").arg(QTest::currentDataTag()));
    }

    // Edit's Undo and Redo are the model's steps, found by the menu baseline's reader as the
    // window's own.
    void theEditMenuIsTheModelsUndo() {
        model().session().editSettings("Title", [](ListingSettings& s) { s.title = "Fall"; });
        QVERIFY(menuItem(window(), "Undo Title")->isEnabled());
        QUndoStack* found = nullptr;
        (new macmenubaseline::WindowUndoManagerReader(
             [&found](QUndoStack* stack) { found = stack; }, window().centralWidget()))
            ->show();
        QCOMPARE(found, &model().session().undoStack());
    }

    // Each menu key reaches its item while the Title field has the focus, including the keys a
    // text field takes for itself (Ctrl+Z as its own undo).
    void menuKeysWinOverTheTitleField_data() {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("item");
        for (const auto& [key, item] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"Ctrl+E", "Make Listing Set…"},
                 {"Ctrl+O", "Open PDF…"},
                 {"Ctrl+W", "Close Window"},
                 {"Ctrl+Q", "Quit"},
                 {"Ctrl+1", "Listing Set"},
                 {"Ctrl+2", "Batch"},
                 {"Ctrl+3", "Brand Presets"},
                 {"Ctrl+4", "Sizes"},
                 {"Ctrl+Z", "Undo Title"},
                 {"Ctrl+Shift+Z", "Redo Desk"}})
            QTest::newRow(key) << QKeySequence(key) << QString(item);
    }
    void menuKeysWinOverTheTitleField() {
        QFETCH(QKeySequence, key);
        QFETCH(QString, item);
        openCAD();
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        QLineEdit* title = visibleChild<QLineEdit>(window(), "Title");
        title->setFocus();
        QTest::keyClicks(title, "Fall");
        // Something to redo as well as something to undo.
        model().session().editSettings("Desk", [](ListingSettings& s) { s.layouts.clear(); });
        model().session().undoStack().undo();

        QAction* action = menuItem(window(), item);
        QVERIFY(action && action->isEnabled());
        QCOMPARE(action->shortcut(), key);
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keySequence(title, key);
        QCOMPARE(triggered.count(), 1);
    }

    void openRecentOpensItsPDFsUntilCleared() {
        const fs::path gone = home_.filePath("gone.pdf").toStdString();
        fs::copy_file(cadPDF, gone, fs::copy_options::overwrite_existing);
        QVERIFY(model().session().openFile(gone));
        fs::remove(gone);
        openCAD();
        QVERIFY(model().session().openFile(bigPDF));
        QMenu* recent = menuItem(window(), "Open Recent")->menu();
        emit recent->aboutToShow();
        QStringList items;
        for (QAction* item : recent->actions())
            items << (item->isSeparator() ? "-"
                                          : item->text() + (item->isEnabled() ? "" : " (off)"));
        QCOMPARE(items,
                 QStringList({"asymptote.pdf", "CAD.pdf", "gone.pdf (off)", "-", "Clear Menu"}));
        QCOMPARE(recent->actions()[1]->statusTip(), QString::fromStdString(cadPDF.string()));

        recent->actions()[1]->trigger();
        QCOMPARE(model().session().sourceName(), "CAD.pdf");
        QCOMPARE(recent->actions()[0]->text(), "CAD.pdf");
        recent->actions().last()->trigger();
        QCOMPARE(recent->actions().size(), 2); // the separator and Clear Menu, now off
        QVERIFY(!recent->actions().last()->isEnabled());
        QVERIFY(model().session().recentPDFs().empty());
    }

    void makeListingSetIsACommandOnlyWithAPDFButTheBarAlwaysOffersIt() {
        QAction* make = menuItem(window(), "Make Listing Set…");
        QVERIFY(!make->isEnabled());
        // The export bar's button asks for a PDF instead. (The bar sits in the inspector,
        // which shows once a PDF is open; its button is enabled all the same.)
        QPushButton* button = nullptr;
        for (auto* each : window().findChild<ExportBar*>()->findChildren<QPushButton*>())
            if (each->text() == "Make Listing Set…") button = each;
        QVERIFY(button && button->isEnabled());
        button->click();
        QCOMPARE(panels_.asked.size(), 1); // the PDF question, not the folder's
        openCAD();
        QVERIFY(make->isEnabled());
    }

    void goItemsShowPagesAndPanes() {
        model().setPage(Page::batch);
        menuItem(window(), "Flip-Through Video")->trigger();
        QCOMPARE(model().page(), Page::listing);
        QCOMPARE(model().tab(), ListingTab::video);
        menuItem(window(), "Brand Presets")->trigger();
        QCOMPARE(model().page(), Page::brands);
        // The sidebar follows the model, and choosing a row sets the page.
        auto* pages = window().findChild<QListWidget*>();
        QCOMPARE(pages->currentRow(), 2);
        pages->setCurrentRow(3);
        QCOMPARE(model().page(), Page::sizes);
    }

    void theShowControlIsOnlyOnTheListingPageWithAPDF() {
        auto* toolbar = window().findChild<QToolBar*>("toolbar");
        auto showVisible = [&] {
            for (QAction* action : toolbar->actions())
                if (auto* widget = toolbar->widgetForAction(action);
                    widget && widget->accessibleName() == "Show")
                    return widget->isVisible();
            return false;
        };
        QVERIFY(!showVisible());
        openCAD();
        QTRY_VERIFY(showVisible()); // the toolbar lays its widgets out on its next pass
        QCOMPARE(window().windowTitle(), model().session().title());
        auto* preview = visibleChild<QToolButton>(*toolbar, "Preview PDF");
        QVERIFY(preview);
        preview->click();
        QCOMPARE(model().tab(), ListingTab::preview);
        model().setPage(Page::batch);
        QTRY_VERIFY(!showVisible());
        model().setPage(Page::listing);
        QTRY_VERIFY(showVisible());
        model().setPage(std::nullopt); // no selection shows the listing page, without the control
        QTRY_VERIFY(!showVisible());
    }

    // The open PDF's name is read in the end-to-end tests; one page reads in the singular.
    void theSidebarCountsPagesInTheirForm() {
        window().findChild<Sidebar*>()->setSource("Card.pdf", 1);
        QVERIFY(visibleChild<QLabel>(window(), "1 page"));
    }

    void longNamesAreShortenedInTheMiddleKeepingTheExtension() {
        const QFontMetrics metrics(QApplication::font());
        const QString name = "Autumn Addition and Subtraction Practice Worksheets Grade 2.pdf";
        for (int width : {60, 120, 160}) {
            const QString shown = shortenedFileName(name, metrics, width);
            QVERIFY2(shown.endsWith("2.pdf") && shown.contains("…"), qPrintable(shown));
            QVERIFY(metrics.horizontalAdvance(shown) <= width);
        }
        QCOMPARE(shortenedFileName("a.pdf", metrics, 160), "a.pdf");
    }

    void theAlertShowsTheModelsMessageUntilDismissed() {
        panels_.answers = {"/nonexistent/nothing.pdf"};
        model().session().openPDF();
        QMessageBox* box = window().alertHost().box();
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->windowTitle(), "Folimo");
        QCOMPARE(box->text(), *model().alert());
        viewShot(*box, "alert");
        box->button(QMessageBox::Ok)->click();
        QVERIFY(!model().alert());
        QTRY_VERIFY(!window().alertHost().box());

        // Cleared by the model, the box goes; dismissed otherwise (Escape), the alert goes.
        model().setAlert("One");
        model().setAlert(std::nullopt);
        QTRY_VERIFY(!window().alertHost().box());
        model().setAlert("Two");
        QTest::keyClick(window().alertHost().box(), Qt::Key_Escape);
        QVERIFY(!model().alert());
    }

    void theExportBarFollowsAnExportFromStartToStopFinishAndFailure() {
        QTemporaryDir out;
        openCAD();
        // Asked twice: a set that is stopped, then one made whole.
        panels_.answers = {out.path().toStdString(), out.path().toStdString()};
        auto* make = visibleChild<QPushButton>(window(), "Make Listing Set…");
        make->click();
        QVERIFY(model().work().exportState().isRunning());
        QVERIFY(!make->isEnabled());
        auto* bar = visibleChild<QProgressBar>(window(), "Saving the listing set");
        QVERIFY(bar);
        QTRY_VERIFY(bar->value() > 0);
        viewShot(window(), "export-running");
        std::vector<fs::path> revealed;
        window().findChild<ExportBar*>()->setReveal(
            [&](const fs::path& f) { revealed.push_back(f); });
        visibleChild<QPushButton>(window(), "Stop")->click();
        QTRY_COMPARE(model().work().exportState().kind, ExportState::Kind::stopped);
        QVERIFY(make->isEnabled());
        const ExportState stopped = model().work().exportState();
        QVERIFY(visibleChild<QLabel>(
            window(), Texts::stopped(stopped.folder, stopped.files, stopped.plannedFiles)));
        viewShot(window(), "export-stopped");
        visibleChild<QPushButton>(window(), "Show")->click();

        ListingSettings settings = model().session().settings();
        settings.video.isOn = false;
        model().session().setSettings(settings);
        QVERIFY(visibleChild<QLabel>(window(),
                                     Texts::exportSummary(model().session().effectiveSettings())));
        make->click();
        QTRY_VERIFY_WITH_TIMEOUT(model().work().exportState().kind == ExportState::Kind::done,
                                 60000);
        const ExportState done = model().work().exportState();
        QVERIFY(visibleChild<QLabel>(window(), Texts::saved(done.folder, done.files)));
        viewShot(window(), "export-done");
        visibleChild<QPushButton>(window(), "Show")->click();
        QCOMPARE(revealed, (std::vector<fs::path>{stopped.folder, done.folder}));

        // A file where the folder should be: the set's folder cannot be made inside it, and the
        // bar says so in orange.
        QFile(out.filePath("file")).open(QIODevice::WriteOnly);
        panels_.answers = {fs::path(out.filePath("file").toStdString())};
        make->click();
        QTRY_VERIFY_WITH_TIMEOUT(model().work().exportState().kind == ExportState::Kind::failed,
                                 30000);
        auto* message = visibleChild<QLabel>(window(), model().work().exportState().message);
        QVERIFY(message);
        QCOMPARE(message->palette().color(QPalette::WindowText), look::failureColor());
        viewShot(window(), "export-failed");
    }

    void quittingWhileASetIsMadeAsksFirst() {
        QTemporaryDir out;
        openCAD();
        panels_.answers = {out.path().toStdString()};
        model().work().makeListingSet(); // the whole default set, video and all: it takes a while
        QAction* quit = menuItem(window(), "Quit");
        QVERIFY(quit);

        const Answer keep("Keep Working");
        quit->trigger();
        QCOMPARE(keep.text, "Stop making the listing set and quit?");
        QCOMPARE(keep.defaultButton, "Keep Working");
        QCOMPARE(keep.escapeButton, "Keep Working");
        QVERIFY(window().isVisible());
        QVERIFY(model().work().workRunning());

        // When the window goes, the work has been stopped and joined.
        const Answer stop("Stop and Quit");
        quit->trigger();
        QCOMPARE(stop.text, "Stop making the listing set and quit?");
        QVERIFY(!window().isVisible());
        QVERIFY(!model().work().workRunning());
        QTRY_COMPARE(model().work().exportState().kind, ExportState::Kind::stopped);
    }

    void showWithoutAFileManagerOpensTheFolderThatHoldsTheSet() {
        OpenedFiles opened;
        QDesktopServices::setUrlHandler("file", &opened, "open");
        revealInFileManager("/tmp/sets/Fall Math listing");
        QTRY_COMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile("/tmp/sets")});
        QDesktopServices::unsetUrlHandler("file");
    }

    void moreAppsOpensOneWindowFromTheMenuAndTheSidebar() {
        // The bundled list names only Folimo itself: nothing to show.
        QVERIFY(!visibleChild<QPushButton>(window(), "More Apps"));
        window().setMoreApps({{"Folimo", "This one.", QUrl("https://folimo.app/"), {}},
                              {"Tally", "Counts.", QUrl("https://example.com/tally"), {}}});
        QVERIFY(!window().moreApps());
        menuItem(window(), "More Apps…")->trigger();
        QPointer<MoreAppsWindow> first = window().moreApps();
        QVERIFY(first && first->isVisible());
        viewShot(*first, "more-apps");
        const auto visits = first->findChildren<QPushButton*>();
        QCOMPARE(visits.size(), 1); // Tally, not Folimo
        visibleChild<QPushButton>(window(), "More Apps")->click();
        QCOMPARE(window().moreApps(), first.data());
        first->close();
        QTRY_VERIFY(!first);
        visibleChild<QPushButton>(window(), "More Apps")->click();
        QVERIFY(window().moreApps() && window().moreApps()->isVisible());
        window().setMoreApps(bundledMoreApps());
        QVERIFY(!visibleChild<QPushButton>(window(), "More Apps"));
        QVERIFY(!menuItem(window(), "More Apps…")->isVisible());
    }

    void checkingForUpdatesWithoutAFeedAnswersOnTheWindow() {
        updates::Updater updater(*store_);
        window().setUpdater(&updater);
        menuItem(window(), "Check for Updates…")->trigger();
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = window().findChild<QMessageBox*>()) && box->isVisible());
        QCOMPARE(box->text(), "Updates come with your system");
        box->close();
        window().setUpdater(nullptr);
    }

    void theAppListKeepsOnlyNamedWebPages() {
        // Written with ' for " to keep the text readable.
        const QByteArray json =
            QByteArray(
                "{'apps': ["
                "{'name': 'Tally', 'summary': 'Counts.', 'url': 'https://example.com/tally', "
                "'icon': ''},"
                "{'name': '', 'summary': 'No name.', 'url': 'https://example.com/x', 'icon': ''},"
                "{'name': 'Local', 'summary': 'A file.', 'url': 'file:///etc/passwd', 'icon': ''},"
                "{'name': 'Run', 'summary': 'A program.', 'url': 'javascript:alert(1)', 'icon': "
                "''},"
                "{'name': 'Hostless', 'summary': '', 'url': 'https:nothing', 'icon': ''}]}")
                .replace('\'', '"');
        const QList<MoreApp> apps = readMoreApps(json);
        QCOMPARE(apps.size(), 1);
        QCOMPARE(apps[0].name, "Tally");
        QVERIFY(readMoreApps("not json").isEmpty());
        QVERIFY(!bundledMoreApps().isEmpty());
    }

    // Every text colour the views use, and the prominent buttons, read at 4.5 : 1 on the
    // backgrounds they are drawn on, and text fields keep an outline that shows, in both
    // schemes.
    void theColoursReadInEachScheme_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void theColoursReadInEachScheme() {
        QFETCH(bool, dark);

        look::useScheme(dark ? look::Scheme::dark : look::Scheme::light);
        const auto restore = qScopeGuard([] { look::useScheme(look::Scheme::desktop); });
        const QPalette p = QApplication::palette();
        QCOMPARE(look::isDark(p), dark);
        const QColor window = p.color(QPalette::Window), base = p.color(QPalette::Base),
                     alternate = p.color(QPalette::AlternateBase);
        const double text = look::textContrast;
        const struct {
            const char* name;
            QColor color;
            QList<QColor> backgrounds;
            double least;
        } pairs[] = {
            {"window text", p.color(QPalette::WindowText), {window}, text},
            {"field text", p.color(QPalette::Text), {base, alternate}, text},
            {"placeholder", p.color(QPalette::PlaceholderText), {base}, text},
            {"button text", p.color(QPalette::ButtonText), {p.color(QPalette::Button)}, text},
            {"secondary", look::secondaryColor(), {window, base, alternate}, text},
            {"failure", look::failureColor(), {window, base, alternate}, text},
            {"success", look::successColor(), {window, base, alternate}, text},
            {"prominent button", p.color(QPalette::HighlightedText), {look::accentColor(p)}, text},
            {"field outline", look::fieldBorderColor(p), {base, window}, look::outlineContrast},
        };
        for (const auto& [name, color, backgrounds, least] : pairs)
            for (const QColor& background : backgrounds)
                QVERIFY2(look::contrastRatio(color, background) >= least,
                         qPrintable(QString("%1 %2 on %3: %4 : 1")
                                        .arg(name, color.name(), background.name())
                                        .arg(look::contrastRatio(color, background), 0, 'f', 2)));
    }

    void everySymbolHasAPicture() {
        for (const QString& name : look::symbolNames()) {
            const QImage picture = look::symbol(name).pixmap(24, 24).toImage();
            QVERIFY2(!picture.isNull(), qPrintable(name));
            int inked = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    inked += qAlpha(picture.pixel(x, y)) > 0;
            QVERIFY2(inked > 20, qPrintable(name));
        }
        QVERIFY(look::symbol("no.such.symbol").isNull());
    }

    void askingForAReviewTwiceRequestsItTwiceAfterTheDelay() {
        int requests = 0;
        ReviewPromptHost host(model(), [&] { ++requests; });
        model().setAskForReview(true);
        QVERIFY(!model().askForReview());
        model().setAskForReview(true);
        QVERIFY(!model().askForReview());
        QCOMPARE(requests, 0);
        QTRY_COMPARE_WITH_TIMEOUT(requests, 2, 5000);
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
