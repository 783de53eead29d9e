// The batch page through its widgets, on a real model with a real store, real PDFs copied
// into a temporary folder (one of them locked with qpdf) and real listing sets written.

#include "folimo/listing_error.hpp"
#include "model/app_model.hpp"
#include "model/batch_rows_model.hpp"
#include "model/model_texts.hpp"
#include "model/translation.hpp"
#include "model_test_support.hpp"
#include "pdf_files.hpp"
#include "view_shots.hpp"
#include "views/batch_view.hpp"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTest>

using namespace folimo;

namespace {

// The batch page on a model with its own store, shown on the offscreen screen, and the
// folders a batch reads from and writes to.
struct BatchPage : test::ModelFixture {
    BatchView view{model};
    std::filesystem::path input = path("input");
    std::filesystem::path output = path("output");

    BatchPage() {
        std::filesystem::create_directories(input);
        std::filesystem::create_directories(output);
        view.resize(900, 640);
        view.show();
    }
    QPushButton* button(const QString& text) {
        for (auto* each : view.findChildren<QPushButton*>())
            if (each->text() == text) return each;
        return nullptr;
    }
    QLabel* shownLabel(const QString& text) {
        for (auto* label : view.findChildren<QLabel*>())
            if (label->isVisibleTo(&view) && label->text() == text) return label;
        return nullptr;
    }
    bool showsText(const QString& text) { return shownLabel(text); }
    QRect rowRect(int row) { return list()->visualRect(list()->model()->index(row, 0)); }
    QListView* list() { return view.findChild<QListView*>(); }
    QString cell(int row, int role) { return list()->model()->index(row, 0).data(role).toString(); }
    void chooseInput() {
        panels.answers.push_back(input);
        button("Choose Folder of PDFs…")->click();
    }
    void add(const char* name, const char* from = "CAD.pdf") {
        std::filesystem::copy_file(test::outside(from), input / name);
    }
    // Only one small preset, no preview PDF and no video: six quick images per PDF.
    void quickSettings() {
        ListingSettings settings = model.settings();
        settings.images.resize(1);
        settings.images[0].size = {200, 150};
        settings.preview.isOn = false;
        settings.video.isOn = false;
        model.setSettings(settings);
    }
};

} // namespace

class BatchViewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installTranslation(); }
    void beforeAnyFolder();
    void realBatchWithALockedPDF();
    void stopDuringTheSecondPDF();
    void filesPerPDF();
    void rowsReadAsOneElement();
};

void BatchViewTest::beforeAnyFolder() {
    BatchPage page;
    QVERIFY(page.button("Choose Folder of PDFs…")->isEnabled());
    QVERIFY(page.button("Make All Listing Sets…")->isVisibleTo(&page.view));
    QVERIFY(!page.button("Make All Listing Sets…")->isEnabled());
    QVERIFY(!page.button("Stop")->isVisibleTo(&page.view));
    QVERIFY(page.showsText("Choose a folder to see its PDFs here."));
    QVERIFY(!page.list()->isVisibleTo(&page.view));
    QVERIFY(!page.showsText("From"));
    QVERIFY(!page.showsText("To"));
    QCOMPARE(page.button("Choose Folder of PDFs…")->height(),
             page.button("Make All Listing Sets…")->height());
    viewShot(page.view, "batch-no-folder");
}

void BatchViewTest::realBatchWithALockedPDF() {
    BatchPage page;
    page.quickSettings();
    page.add("Alpha.pdf");
    test::qpdf("--encrypt secret secret 256 --", test::outside("CAD.pdf"), page.input / "Beta.pdf");
    page.add("Gamma.pdf");
    QAbstractItemModelTester tester(page.list()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);

    page.chooseInput();
    QVERIFY(page.showsText("From"));
    QVERIFY(page.showsText(QString::fromStdString(page.input.string())));
    QVERIFY(!page.showsText("To"));
    QVERIFY(page.list()->isVisibleTo(&page.view));
    QCOMPARE(page.list()->model()->rowCount(), 3);
    QCOMPARE(page.cell(0, Qt::DisplayRole), "Alpha");
    QCOMPARE(page.cell(1, BatchRowsModel::StatusTextRole), "Waiting");
    QVERIFY(page.button("Make All Listing Sets…")->isEnabled());
    viewShot(page.view, "batch-waiting");

    std::vector<std::pair<bool, bool>> seenWhileRunning; // (choose enabled, stop shown)
    connect(&page.model, &AppModel::batchRowChanged, &page.view, [&] {
        const auto& rows = page.model.batchRows();
        if (rows[0].status.kind == BatchRow::Status::Kind::working && rows[0].status.fraction > 0.3)
            viewShot(page.view, "batch-working");
        if (page.model.batchRunning())
            seenWhileRunning.emplace_back(page.button("Choose Folder of PDFs…")->isEnabled(),
                                          page.button("Stop")->isVisibleTo(&page.view));
    });
    page.panels.answers.push_back(page.output);
    page.button("Make All Listing Sets…")->click();
    QVERIFY(page.model.batchRunning());
    QVERIFY(!page.button("Choose Folder of PDFs…")->isEnabled());
    QVERIFY(!page.button("Make All Listing Sets…")->isVisibleTo(&page.view));
    QVERIFY(page.button("Stop")->isVisibleTo(&page.view));
    QVERIFY(page.showsText(QString::fromStdString(page.output.string())));
    QCOMPARE(page.shownLabel(QString::fromStdString(page.output.string()))->x(),
             page.shownLabel(QString::fromStdString(page.input.string()))->x());

    QTRY_VERIFY_WITH_TIMEOUT(!page.model.batchRunning(), 60000);
    QVERIFY(!seenWhileRunning.empty());
    for (const auto& [chooseEnabled, stopShown] : seenWhileRunning) {
        QVERIFY(!chooseEnabled);
        QVERIFY(stopShown);
    }
    QCOMPARE(page.cell(0, BatchRowsModel::StatusTextRole), "6 files");
    const QString locked =
        QString::fromStdString(ListingError::locked("Beta.pdf").errorDescription());
    QCOMPARE(page.cell(1, BatchRowsModel::StatusTextRole), locked);
    QCOMPARE(page.cell(1, Qt::ToolTipRole), locked);
    QCOMPARE(page.cell(2, BatchRowsModel::StatusTextRole), "6 files");
    QVERIFY(page.button("Choose Folder of PDFs…")->isEnabled());
    QVERIFY(page.button("Make All Listing Sets…")->isEnabled());
    QVERIFY(!page.button("Stop")->isVisibleTo(&page.view));
    QVERIFY(page.showsText("2 sets made, 1 failed."));
    viewShot(page.view, "batch-done-and-failed");

    // The failure's message is written in full: its row grows as the page narrows.
    const int wideHeight = page.rowRect(1).height();
    page.view.resize(560, 640);
    QTRY_VERIFY(page.rowRect(1).height() > wideHeight);
    QCOMPARE(page.rowRect(0).height(), page.rowRect(2).height());

    // A made set opens with Return or a double-click, the whole folder with Show.
    std::vector<std::filesystem::path> revealed;
    page.view.setReveal([&](const std::filesystem::path& folder) { revealed.push_back(folder); });
    page.list()->setFocus();
    page.list()->setCurrentIndex(page.list()->model()->index(2, 0));
    QTest::keyClick(page.list(), Qt::Key_Return);
    for (const int row : {1, 0}) { // a double-click as the window system delivers it
        const QPoint at = page.rowRect(row).center();
        QTest::mouseClick(page.list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mousePress(page.list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(page.list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(page.list()->viewport(), Qt::LeftButton, {}, at);
    }
    page.button("Show")->click();
    QCOMPARE(revealed, (std::vector{page.output / "Gamma listing", page.output / "Alpha listing",
                                    page.output}));

    page.button("Retry Failed")->click();
    QVERIFY(page.model.batchRunning());
    QVERIFY(!page.button("Retry Failed")->isVisibleTo(&page.view));
    QTRY_VERIFY_WITH_TIMEOUT(!page.model.batchRunning(), 60000);
    QCOMPARE(page.cell(1, BatchRowsModel::StatusTextRole), locked);
    QVERIFY(page.button("Retry Failed")->isVisibleTo(&page.view));
}

void BatchViewTest::stopDuringTheSecondPDF() {
    BatchPage page;
    ListingSettings settings = page.model.settings();
    settings.images.resize(1);
    settings.images[0].size = {200, 150};
    settings.video.isOn = false;
    page.model.setSettings(settings);
    page.add("1 First.pdf");
    page.add("2 Second.pdf", "asy-latex.pdf");
    page.add("3 Third.pdf");
    // Stop is pressed the moment the second PDF starts, as a person watching the rows would.
    connect(&page.model, &AppModel::batchRowChanged, &page.view, [&](int row) {
        if (row == 1 && page.model.batchRows()[1].status.kind == BatchRow::Status::Kind::working)
            page.button("Stop")->click();
    });
    page.chooseInput();
    page.panels.answers.push_back(page.output);
    page.button("Make All Listing Sets…")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!page.model.batchRunning(), 60000);
    QCOMPARE(page.cell(0, BatchRowsModel::StatusTextRole), "7 files");
    // The row stopped in names its set and what that holds, also in full as its tooltip.
    const BatchRow::Status stopped = page.model.batchRows()[1].status;
    QCOMPARE(stopped.kind, BatchRow::Status::Kind::stopped);
    QCOMPARE(stopped.folder, page.output / "2 Second listing");
    QCOMPARE(page.cell(1, BatchRowsModel::StatusTextRole),
             ModelTexts::stopped(stopped.folder, stopped.files, 7));
    QCOMPARE(page.cell(1, Qt::ToolTipRole), page.cell(1, BatchRowsModel::StatusTextRole));
    QCOMPARE(page.cell(2, BatchRowsModel::StatusTextRole), "Waiting");
    viewShot(page.view, "batch-stopped");
    QVERIFY(page.button("Make All Listing Sets…")->isVisibleTo(&page.view));
    QVERIFY(!page.button("Stop")->isVisibleTo(&page.view));
}

void BatchViewTest::filesPerPDF() {
    BatchPage page;
    page.quickSettings();
    QVERIFY(page.showsText("6 files per PDF"));
    ListingSettings settings = page.model.settings();
    settings.video.isOn = true;
    page.model.setSettings(settings);
    QVERIFY(page.showsText("7 files per PDF"));
}

void BatchViewTest::rowsReadAsOneElement() {
    BatchPage page;
    page.add("Alpha.pdf");
    page.chooseInput();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(page.list());
    QVERIFY(list);
    QAccessibleInterface* row = list->child(0);
    QVERIFY(row);
    QCOMPARE(row->text(QAccessible::Name), "Alpha, Waiting");
}

QTEST_MAIN(BatchViewTest)
#include "batch_view_test.moc"
