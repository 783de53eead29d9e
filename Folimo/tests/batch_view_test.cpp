// The batch page through its widgets, on a real model with a real store, real PDFs copied
// into a temporary folder (one of them locked with qpdf) and real listing sets written.

#include "model/app_model.hpp"
#include "model/batch_rows_model.hpp"
#include "model/translation.hpp"
#include "model_test_support.hpp"
#include "pdf_files.hpp"
#include "view_shots.hpp"
#include "views/batch_view.hpp"

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
    BatchView view{model.work(), model.session()};
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
    bool shows(const QString& text) { return shownLabel(text); }
    bool shows(QPushButton* button) { return button->isVisibleTo(&view); }
    QRect rowRect(int row) { return list()->visualRect(list()->model()->index(row, 0)); }
    QListView* list() { return view.findChild<QListView*>(); }
    QString cell(int row, int role) { return list()->model()->index(row, 0).data(role).toString(); }
    void make() {
        panels.answers.push_back(output);
        button("Make All Listing Sets…")->click();
    }
};

} // namespace

class BatchViewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installTranslation(); }
    void theButtonsAndRowsFollowABatch();
};

// What the rows say and how a batch runs are the model's (set_work_test); here each
// button reaches the model and the page follows the batch's states.
void BatchViewTest::theButtonsAndRowsFollowABatch() {
    BatchPage page;
    page.model.session().setSettings(test::quickSettings());
    QVERIFY(page.shows("3 files per PDF"));
    QVERIFY(page.shows("Choose a folder to see its PDFs here."));
    QVERIFY(!page.list()->isVisibleTo(&page.view));
    QVERIFY(!page.button("Make All Listing Sets…")->isEnabled());
    QVERIFY(!page.shows(page.button("Stop")));
    viewShot(page.view, "batch-no-folder");

    std::filesystem::copy_file(test::outside("CAD.pdf"), page.input / "Alpha.pdf");
    test::qpdf("--encrypt secret secret 256 --", test::outside("CAD.pdf"), page.input / "Beta.pdf");
    std::filesystem::copy_file(test::outside("CAD.pdf"), page.input / "Gamma.pdf");
    page.panels.answers.push_back(page.input);
    page.button("Choose Folder of PDFs…")->click();
    QVERIFY(page.list()->isVisibleTo(&page.view));
    QCOMPARE(page.list()->model()->rowCount(), 3);
    QCOMPARE(QAccessible::queryAccessibleInterface(page.list())->child(0)->text(QAccessible::Name),
             "Alpha, Waiting");
    viewShot(page.view, "batch-waiting");

    // Stop stops the batch (not an export), and the page gives the buttons back.
    page.make();
    QVERIFY(page.model.work().batchRunning());
    QVERIFY(!page.button("Choose Folder of PDFs…")->isEnabled());
    QVERIFY(!page.shows(page.button("Make All Listing Sets…")));
    // From and To line up.
    QCOMPARE(page.shownLabel(QString::fromStdString(page.output.string()))->x(),
             page.shownLabel(QString::fromStdString(page.input.string()))->x());
    page.button("Stop")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!page.model.work().batchRunning(), 60000);
    QCOMPARE(page.cell(2, BatchRowsModel::StatusTextRole), "Waiting"); // never begun
    QVERIFY(page.button("Choose Folder of PDFs…")->isEnabled());
    QVERIFY(page.shows(page.button("Make All Listing Sets…")));
    QVERIFY(!page.shows(page.button("Stop")));

    page.make();
    QTRY_VERIFY_WITH_TIMEOUT(!page.model.work().batchRunning(), 60000);
    QVERIFY(page.shows("2 sets made, 1 failed."));
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
    const auto& rows = page.model.work().batchRows();
    QCOMPARE(revealed, (std::vector{rows[2].status.folder, rows[0].status.folder, page.output}));

    page.button("Retry Failed")->click();
    QVERIFY(page.model.work().batchRunning());
    QVERIFY(!page.shows(page.button("Retry Failed")));
    QTRY_VERIFY_WITH_TIMEOUT(!page.model.work().batchRunning(), 60000);
    QVERIFY(page.shows(page.button("Retry Failed")));
}

QTEST_MAIN(BatchViewTest)
#include "batch_view_test.moc"
