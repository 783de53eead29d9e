// The listing page through its widgets, on a real model with a real store in a temporary
// folder and real PDFs.

#include "folimo/source_pdf.hpp"
#include "model/app_model.hpp"
#include "model/translation.hpp"
#include "model_test_support.hpp"
#include "pdf_files.hpp"
#include "view_shots.hpp"
#include "views/empty_state_view.hpp"
#include "views/images_pane.hpp"
#include "views/inspector_view.hpp"
#include "views/layout_card.hpp"
#include "views/listing_view.hpp"
#include "views/picture_view.hpp"
#include "views/preview_pane.hpp"
#include "views/segmented_control.hpp"
#include "views/unit_slider.hpp"
#include "views/video_pane.hpp"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>

using namespace folimo;

namespace {

const QString manual = QStringLiteral("/usr/share/doc/asymptote/asy-latex.pdf"); // 11 pages, titled
const QString onePage = QStringLiteral("/usr/share/doc/asymptote/examples/pixel.pdf");

// A model on its own store and the page on it, shown on the offscreen screen.
struct ListingPage : test::ModelFixture {
    ListingView view{model};

    ListingPage() {
        view.resize(1180, 800);
        view.show();
    }
    void open(const QString& pdf) { QVERIFY(model.session().openFile(pdf.toStdString())); }
    InspectorView& inspector() { return *view.inspector(); }
    // The shown control of that type named so for screen readers (a combo box on Linux is
    // read by its current text and labelled by its label, so its own name counts too).
    template <typename T> T* control(const QString& name) {
        for (T* each : view.findChildren<T*>())
            if (each->isVisibleTo(&view) &&
                (each->accessibleName() == name ||
                 QAccessible::queryAccessibleInterface(each)->text(QAccessible::Name) == name))
                return each;
        return nullptr;
    }
    const ListingSettings& settings() { return model.session().settings(); }
};

// Drags mime over the middle of target and drops it there, as the window system hands a drop
// to the window: the window finds the widget under the pointer that takes it.
bool drop(QWidget& target, const QMimeData& mime) {
    QWindow* window = target.window()->windowHandle();
    const QPoint at = target.mapTo(target.window(), target.rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    // The move that follows an accepted enter starts accepted, as the window system sends it.
    QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    move.setAccepted(enter.isAccepted());
    QCoreApplication::sendEvent(window, &move);
    if (!move.isAccepted()) {
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(window, &leave);
        return false;
    }
    QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &dropped);
    return dropped.isAccepted();
}

// Drops files as a file manager drags them: their addresses, and the same as plain text.
bool drop(QWidget& target, const QList<QUrl>& urls) {
    QMimeData mime;
    mime.setUrls(urls);
    QStringList addresses;
    for (const QUrl& url : urls)
        addresses << url.toString();
    mime.setText(addresses.join('\n'));
    return drop(target, mime);
}

bool dropText(QWidget& target, const QString& text) {
    QMimeData mime;
    mime.setText(text);
    return drop(target, mime);
}

QString accessibleValue(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Value);
}

} // namespace

class ListingViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installTranslation(); }

    void aDroppedPDFOpensOnThePageNotInAField() {
        ListingPage page;
        QTemporaryDir dir;
        const QString text = dir.filePath(QStringLiteral("notes.txt"));
        QFile(text).open(QIODevice::WriteOnly);

        // Which of the files opens is the model's (listing_session_test); a drop without a PDF is
        // refused.
        QCOMPARE(page.view.currentPane(), page.view.emptyState());
        QVERIFY(!drop(page.view, {QUrl::fromLocalFile(text)}));
        QVERIFY(!page.model.session().source());
        QVERIFY(drop(page.view, {QUrl::fromLocalFile(text), QUrl::fromLocalFile(manual)}));
        QCOMPARE(page.model.session().sourceName(), QStringLiteral("asy-latex.pdf"));
        QCOMPARE(page.view.currentPane(), page.view.imagesPane());
        QVERIFY(!page.model.alert());

        // On a text field a file goes to the page, not into the field; plain text goes in.
        auto* title = page.control<QLineEdit>(QStringLiteral("Title"));
        QVERIFY(drop(*title, {QUrl::fromLocalFile(onePage)}));
        QCOMPARE(page.model.session().sourceName(), QStringLiteral("pixel.pdf"));
        QVERIFY(!dropText(*title, QUrl::fromLocalFile(manual).toString()));
        QCOMPARE(title->text(), QString());
        QVERIFY(dropText(*title, QStringLiteral("Fall Pack")));
        QCOMPARE(page.settings().title, "Fall Pack");
    }

    void theEmptyStatesRecentPDFsAndSampleOpen() {
        QTemporaryDir dir;
        QSettings store(dir.filePath(QStringLiteral("store.ini")), QSettings::IniFormat);
        store.setValue(QStringLiteral("recentPDFs.v1"),
                       QStringList{manual, QStringLiteral("/nowhere/gone.pdf"), onePage});
        AppModel model(store, nullptr);
        EmptyStateView view(model.session());
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QListWidget* list = view.recentList();
        QCOMPARE(list->count(), 3);

        auto click = [list](int row) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(row)).center());
        };
        click(1); // not on disk: nothing
        QVERIFY(!model.session().source());
        list->setFocus();
        list->setCurrentRow(2);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(model.session().sourceName(), QStringLiteral("pixel.pdf"));
        QTRY_COMPARE(list->item(0)->text(), QStringLiteral("pixel.pdf"));
        click(1);
        QCOMPARE(model.session().sourceName(), QStringLiteral("asy-latex.pdf"));
        for (auto* button : view.findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("Try the Sample")) button->click();
        QCOMPARE(model.session().sourceName(), QStringLiteral("Fall Math Practice.pdf"));
    }

    void aPresetThatIsGoneShowsTheFirst() {
        ListingPage page;
        page.open(manual);
        ImagesPane& pane = *page.view.imagesPane();
        QCOMPARE(pane.sizePicker()->current(), 1); // "listing-4x3", the second default
        QCOMPARE(pane.sizeLabel()->text(), QStringLiteral("2000 × 1500 px"));

        // The square crop is drawn over the large image and kept for the next start.
        pane.squareCropToggle()->click();
        QVERIFY(pane.largeImage()->squareCrop());
        QVERIFY(AppModel(page.store, nullptr).session().showSquareCrop());
        QTRY_VERIFY_WITH_TIMEOUT(!pane.largeImage()->picture().isNull(), 20000);
        viewShot(page.view, "images-square-crop");

        page.model.previews().setPreviewPresetID(QStringLiteral("no-longer-there"));
        QCOMPARE(pane.sizePicker()->current(), 0);
        QCOMPARE(pane.sizeLabel()->text(), QStringLiteral("750 × 750 px"));
        QCOMPARE(pane.largeImage()->accessibleName(),
                 QStringLiteral("Page grid image, 750 by 750 pixels"));

        // Choosing a segment stores that preset's id.
        auto buttons = pane.sizePicker()->findChildren<QAbstractButton*>();
        QCOMPARE(buttons.size(), 3);
        buttons[2]->click();
        QCOMPARE(page.model.previews().previewPresetID(), QStringLiteral("listing-square"));
        QCOMPARE(pane.sizeLabel()->text(), QStringLiteral("2000 × 2000 px"));

        // Pictures arrive from the model's workers, the large one at 1100 on its longer side.
        QTRY_COMPARE_WITH_TIMEOUT(pane.largeImage()->picture().size(), QSize(1100, 1100), 20000);
        for (LayoutCard* card : pane.cards())
            QTRY_COMPARE_WITH_TIMEOUT(card->thumbnail().size(), QSize(260, 260), 20000);
    }

    void cardsShowMembershipAndSelection() {
        ListingPage page;
        page.open(manual);
        const auto& cards = page.view.imagesPane()->cards();
        LayoutCard* desk = cards[4];
        QCOMPARE(desk->text(), QStringLiteral("Desk"));
        QCOMPARE(accessibleValue(desk), QStringLiteral("In the set"));

        // The inspector's layout toggle, toggled by a screen reader, takes the desk out of the
        // set; the card follows.
        auto* toggle = page.control<QCheckBox>(QStringLiteral("Desk"));
        QVERIFY(toggle && toggle->isChecked());
        QAccessible::queryAccessibleInterface(toggle)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
        QVERIFY(!page.model.session().settings().layouts.contains(ImageLayout::desk));
        QVERIFY(!desk->isInSet());
        QCOMPARE(accessibleValue(desk), QStringLiteral("Not in the set"));

        QVERIFY(QAccessible::queryAccessibleInterface(cards[0])->state().selected);
        QSignalSpy chosen(&page.model.previews(), &Previews::selectedLayoutChanged);
        desk->click();
        QCOMPARE(page.model.previews().selectedLayout(), ImageLayout::desk);
        desk->click(); // already shown: nothing changes
        QCOMPARE(chosen.count(), 1);
        QVERIFY(QAccessible::queryAccessibleInterface(desk)->state().selected);
        QVERIFY(!QAccessible::queryAccessibleInterface(cards[0])->state().selected);
        QCOMPARE(page.view.imagesPane()->largeImage()->accessibleName(),
                 QStringLiteral("Desk image, 2000 by 1500 pixels"));
    }

    // The pages typed reach the sheets and their header (their texts are texts_test's).
    void previewHeaderCountsSheets() {
        ListingPage page;
        page.open(manual);
        page.model.setTab(ListingTab::preview);
        QCOMPARE(page.view.currentPane(), page.view.previewPane());
        QTest::keyClicks(page.control<QLineEdit>(QStringLiteral("Pages")), QStringLiteral("5-8"));
        PreviewPane& pane = *page.view.previewPane();
        QCOMPARE(pane.header()->text(), QStringLiteral("2 sheets, 11 × 8.5 in"));
        QAbstractItemModel& sheets = *pane.sheets()->model();
        QCOMPARE(sheets.rowCount(), 2);
        QCOMPARE(sheets.index(1, 0).data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("Preview sheet 2: pages 7–8"));
        QTRY_VERIFY_WITH_TIMEOUT(pane.drawnInSight(), 20000);
        QCOMPARE(pane.picture(0).width(), 1100);
    }

    void aLongPDFsPreviewDrawsOnlyWhatIsInSightThenRests() {
        ListingPage page;
        const std::filesystem::path pdf = page.dir.filePath("long.pdf").toStdString();
        test::TinyPage tiny;
        tiny.content = "72 72 200 50 re f";
        test::writeTinyPDF(pdf, std::vector(2000, tiny));
        QSignalSpy drawn(&page.model.previews(), &Previews::previewReady);
        page.open(QString::fromStdString(pdf.string()));
        QCOMPARE(drawn.count(), 0); // a hidden pane asks for nothing

        page.model.setTab(ListingTab::preview);
        PreviewPane& pane = *page.view.previewPane();
        QCOMPARE(pane.sheets()->model()->rowCount(), 1000);
        QTRY_VERIFY_WITH_TIMEOUT(pane.drawnInSight(), 20000);
        // Scrolled through to the end: the sheets passed on the way are not all drawn, and the
        // model's cache keeps within its bounds.
        QScrollBar& bar = *pane.sheets()->verticalScrollBar();
        for (int step = 1; step <= 20; ++step) {
            bar.setValue(bar.maximum() * step / 20);
            QCoreApplication::processEvents();
        }
        QTRY_VERIFY_WITH_TIMEOUT(pane.drawnInSight(), 20000);
        QVERIFY(!pane.picture(999).isNull());
        const qsizetype drawings = drawn.count();
        QVERIFY2(drawings < 100, qPrintable(QString::number(drawings)));
        QVERIFY(page.model.previews().cache().count() <= PreviewCache::countLimit);
        // At rest: no drawing comes any more. (The process's memory is the preview pane
        // benchmark's.)
        QTest::qWait(300);
        QCOMPARE(drawn.count(), drawings);
        QVERIFY(page.model.previews().cache().bytes() <= PreviewCache::byteLimit);
    }

    void spaceBarPlaysAndPauses() {
        ListingPage page;
        page.open(onePage);
        page.model.setTab(ListingTab::video);
        VideoPane& pane = *page.view.videoPane();
        QVERIFY(QTest::qWaitForWindowExposed(&page.view));
        page.view.activateWindow();
        pane.timeSlider()->setFocus();
        QCOMPARE(pane.playButton()->accessibleName(), QStringLiteral("Play"));
        QCOMPARE(pane.timeSlider()->maximum(), 12000); // the preview video's length

        QTest::keyClick(pane.timeSlider(), Qt::Key_Space);
        QVERIFY(page.model.previews().playing());
        QCOMPARE(pane.playButton()->accessibleName(), QStringLiteral("Pause"));
        QTRY_VERIFY(page.model.previews().videoTime() > 0.2);
        QTRY_COMPARE(pane.timeSlider()->value(),
                     int(std::lround(page.model.previews().videoTime() * 1000)));
        QTest::keyClick(pane.timeSlider(), Qt::Key_Space, Qt::ShiftModifier);
        QVERIFY(page.model.previews().playing());
        QTest::keyClick(pane.timeSlider(), Qt::Key_Space);
        QVERIFY(!page.model.previews().playing());

        // Scrubbing, here by a screen reader that sets the position in seconds, writes the
        // position; the label shows it.
        QAccessible::queryAccessibleInterface(pane.timeSlider())
            ->valueInterface()
            ->setCurrentValue(4.26);
        QCOMPARE(pane.timeSlider()->value(), 4260);
        QCOMPARE(page.model.previews().videoTime(), 4.26);
        QCOMPARE(pane.timeLabel()->text(), QStringLiteral("4.3"));
        QTRY_VERIFY_WITH_TIMEOUT(!pane.frame()->picture().isNull(), 20000);
        QCOMPARE(pane.frame()->picture().size(), QSize(720, 720));
    }

    void inspectorEditsReachTheModel() {
        ListingPage page;
        page.open(manual);
        // The title set by a screen reader, as typing would.
        QAccessible::queryAccessibleInterface(page.control<QLineEdit>(QStringLiteral("Title")))
            ->editableTextInterface()
            ->replaceText(0, 0, QStringLiteral("Fall Pack"));
        page.control<QCheckBox>(QStringLiteral("Show the title on images"))->click();
        page.control<QCheckBox>(QStringLiteral("Square thumbnails"))->click();
        page.control<QCheckBox>(QStringLiteral("Flip-through video"))->click();
        const ListingSettings& settings = page.settings();
        QCOMPARE(settings.title, "Fall Pack");
        QVERIFY(!settings.showTitle);
        QVERIFY(!settings.images[0].isOn && settings.images[1].isOn);
        QVERIFY(!settings.video.isOn);

        page.model.setTab(ListingTab::preview);
        page.control<QComboBox>(QStringLiteral("Per sheet"))->setCurrentIndex(0);
        auto* watermark = page.control<QLineEdit>(QStringLiteral("Text"));
        QTest::keyClick(watermark, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(watermark, QStringLiteral("SAMPLE"));
        page.control<SegmentedControl>(QStringLiteral("Style"))
            ->findChildren<QAbstractButton*>()[1]
            ->click();
        auto* strength = page.control<QSlider>(QStringLiteral("Watermark strength"));
        strength->setValue(strength->maximum());
        QCOMPARE(settings.preview.pagesPerSheet, 1);
        QCOMPARE(settings.preview.watermark, "SAMPLE");
        QCOMPARE(settings.preview.style, WatermarkStyle::corner);
        QCOMPARE(settings.preview.opacity, 0.6);

        page.model.setTab(ListingTab::video);
        auto* length = page.control<QSlider>(QStringLiteral("Length in seconds"));
        QTest::keyClick(length, Qt::Key_Right);
        QCOMPARE(page.settings().video.seconds, 13.0);

        // Brands: the picker lists the model's brands and chooses one.
        page.model.session().addBrand();
        auto* brand = page.control<QComboBox>(QStringLiteral("Brand"));
        QCOMPARE(brand->currentText(), QStringLiteral("My Brand"));
        brand->setCurrentIndex(0);
        QCOMPARE(page.model.session().brandID(), Brand::classic().id);
    }

    void storedValuesOutOfRangeShowAtTheEnds() {
        ListingPage page;
        page.open(manual);
        ListingSettings settings = page.model.session().settings();
        settings.video.seconds = 20;
        settings.video.size = {10000, 10000};
        settings.preview.opacity = 0.01;
        page.model.session().setSettings(settings);

        page.model.setTab(ListingTab::video);
        auto* length = page.control<QSlider>(QStringLiteral("Length in seconds"));
        QCOMPARE(length->value(), 15);

        page.model.setTab(ListingTab::preview);
        QCOMPARE(page.control<QSlider>(QStringLiteral("Watermark strength"))->value(), 80);
        // Showing them changed nothing settings.
        QCOMPARE(page.model.session().settings(), settings);
    }

    void aFindingLeadsToTheFieldThatFixesIt() {
        ListingPage page;
        page.view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page.view));
        page.open(manual);
        page.model.session().editSettings(QStringLiteral("Pages"),
                                          [](ListingSettings& s) { s.preview.pages = "2, 14"; });
        QPushButton* edit = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(edit = page.control<QPushButton>(QStringLiteral("Edit Pages")),
                                 30000);
        QVERIFY(page.control<QLabel>(QStringLiteral("Page 14 is not in this 11-page PDF.")));
        edit->click();
        QCOMPARE(page.model.tab(), ListingTab::preview);
        auto* pages = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(pages && pages->accessibleName() == QStringLiteral("Pages"));
        QCOMPARE(pages->selectedText(), QStringLiteral("2, 14"));
    }

    void switchingTabsReplacesOnlyThePaneSections() {
        ListingPage page;
        page.open(onePage);
        page.open(manual);
        // The title's prompt is the PDF's own title, that of the PDF opened last.
        auto* title = page.control<QLineEdit>(QStringLiteral("Title"));
        QCOMPARE(title->placeholderText(), QStringLiteral("The asymptote package"));
        QWidget* sections = page.inspector().tabSections();
        QVERIFY(page.control<QCheckBox>(QStringLiteral("Watermarked preview PDF")));

        page.model.setTab(ListingTab::video);
        QCOMPARE(page.control<QLineEdit>(QStringLiteral("Title")), title);
        QVERIFY(page.inspector().tabSections() != sections);
        QVERIFY(!page.control<QCheckBox>(QStringLiteral("Watermarked preview PDF")));
        QCOMPARE(page.view.currentPane(), page.view.videoPane());
        QVERIFY(page.control<QPushButton>(QStringLiteral("Make Listing Set…")));
    }
};

QTEST_MAIN(ListingViewTest)
#include "listing_view_test.moc"
