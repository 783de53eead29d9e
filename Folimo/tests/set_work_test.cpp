// The set work: exports and batches of real PDFs into real folders, the library's real
// exporter on the work's threads.
#include "model/batch_rows_model.hpp"
#include "model/texts.hpp"
#include "model/translation.hpp"
#include "model/work_notices.hpp"
#include "model_test_support.hpp"
#include "pdf_files.hpp"
#include "test_support.hpp"

#include <QAbstractItemModelTester>
#include <QTest>
#include <algorithm>
#include <fstream>
#include <sys/stat.h>

using namespace folimo;
using folimo::test::outside;
using Kind = ExportState::Kind;
using RowKind = BatchRow::Status::Kind;

namespace {

constexpr int timeout = 120000; // the sanitizer build is slow

// The temporary files that writers left below folder.
std::size_t temporariesIn(const std::filesystem::path& folder) {
    return std::size_t(std::ranges::count_if(test::filesIn(folder), [](const auto& file) {
        return file.filename().string().starts_with(".folimo-");
    }));
}

QStringList recordedFolders(QSettings& store) {
    return store.value("setFoldersInProgress").toStringList();
}

// A set that takes a while: a 1080 x 1080 video of 15 seconds.
ListingSettings slowSettings() {
    ListingSettings settings = test::quickSettings();
    settings.video.isOn = true;
    settings.video.seconds = 15;
    return settings;
}

// What the desktop is told about a model's work while the user is elsewhere (or, with
// attended, looking at the window): the notices and every progress the taskbar is shown.
struct Told {
    bool attended = false;
    std::vector<std::filesystem::path> revealed;
    std::vector<WorkNotice> notices;
    std::vector<std::optional<double>> progress;
    WorkNotices work;

    explicit Told(SetWork& setWork)
        : work(
              setWork, [this] { return attended; },
              [this](const std::filesystem::path& folder) { revealed.push_back(folder); }) {
        QObject::connect(&work, &WorkNotices::notice,
                         [this](const WorkNotice& notice) { notices.push_back(notice); });
        QObject::connect(&work, &WorkNotices::progressChanged,
                         [this] { progress.push_back(work.progress()); });
    }
};

std::vector<RowKind> kinds(const SetWork& work) {
    std::vector<RowKind> result;
    for (const auto& row : work.batchRows())
        result.push_back(row.status.kind);
    return result;
}

} // namespace

class SetWorkTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installTranslation(); }

    void anExportRunsToTheEndAndASecondGetsItsOwnFolder() {
        test::ModelFixture f;
        f.work.makeListingSet(); // with no PDF: the open panel instead
        QCOMPARE(f.panels.asked, QStringList{"Choose a printable PDF."});
        QVERIFY(f.session.openFile(outside("CAD.pdf")));
        f.session.setSettings(test::quickSettings());
        const auto parent = f.path("out");
        f.panels.answers = {parent, parent, std::nullopt};
        f.panels.asked.clear();
        Told told(f.work);

        f.work.makeListingSet();
        // The folder the question names is the one the set gets.
        QVERIFY(f.panels.asked[0].contains("“CAD listing”"));
        QCOMPARE(f.work.exportState(), ExportState::running(0));
        // Edits made while it runs do not reach it.
        ListingSettings edited = f.session.settings();
        edited.title = "Renamed";
        edited.preview.isOn = false;
        f.session.setSettings(edited);
        QTRY_COMPARE_WITH_TIMEOUT(f.work.exportState().kind, Kind::done, timeout);
        QCOMPARE(f.work.exportState(), ExportState::done(parent / "CAD listing", 3));
        QCOMPARE(test::filesIn(parent / "CAD listing").size(), 3u);
        QVERIFY(std::filesystem::exists(parent / "CAD listing" / "CAD preview.pdf"));
        // Made while the user was elsewhere: the desktop is told, and its Show reveals the set.
        QCOMPARE(told.notices, (std::vector<WorkNotice>{{"Listing set made",
                                                         Texts::saved(parent / "CAD listing", 3),
                                                         parent / "CAD listing"}}));
        told.work.show(told.notices[0]);
        QCOMPARE(told.revealed, std::vector{parent / "CAD listing"});
        QVERIFY(told.progress.size() >= 2);
        QCOMPARE(told.progress.back(), std::nullopt);
        told.progress.pop_back();
        QVERIFY(std::is_sorted(told.progress.begin(), told.progress.end()));
        QCOMPARE(told.progress.back(), 1.0);

        // A report that arrives after the end changes nothing.
        f.work.reportExportProgress(0.5);
        QCOMPARE(f.work.exportState().kind, Kind::done);

        f.session.setSettings(test::quickSettings());
        told.attended = true; // the export bar says it
        f.work.makeListingSet();
        QTRY_COMPARE_WITH_TIMEOUT(f.work.exportState().kind, Kind::done, timeout);
        QCOMPARE(f.work.exportState().folder, parent / "CAD listing 2");
        QCOMPARE(told.notices.size(), 1u);
        QCOMPARE(test::filesIn(parent / "CAD listing").size(), 3u);

        f.work.makeListingSet(); // the panel is cancelled
        QCOMPARE(f.work.exportState().kind, Kind::done);

        QVERIFY(f.session.openFile(outside("asyRefCard.pdf")));
        QCOMPARE(f.work.exportState(), ExportState::idle());
    }

    void stoppingWorkJoinsItAndTheExportSaysWhatItsFolderHolds() {
        test::ModelFixture f;
        QVERIFY(f.session.openFile(outside("CAD.pdf")));
        f.session.setSettings(slowSettings());
        f.panels.answers = {f.path("out")};
        f.work.makeListingSet();
        const auto folder = f.path("out") / "CAD listing";
        // Recorded while it runs, so that a run killed meanwhile is cleaned up after.
        QCOMPARE(recordedFolders(f.store), QStringList{QString::fromStdString(folder.string())});
        QTRY_VERIFY_WITH_TIMEOUT(f.work.exportState().fraction > 0, timeout);
        QVERIFY(f.work.workRunning());

        // What quitting does: when stopWork returns, the threads have ended and nothing
        // temporary is left, before any queued report has been taken.
        f.work.stopWork();
        QVERIFY(!f.work.workRunning());
        QCOMPARE(temporariesIn(folder), 0u);
        QTRY_COMPARE_WITH_TIMEOUT(f.work.exportState().kind, Kind::stopped, timeout);
        const ExportState stopped = f.work.exportState();
        QCOMPARE(stopped,
                 ExportState::stopped(folder, std::int64_t(test::filesIn(folder).size()), 4));
        QVERIFY(!std::filesystem::exists(folder / "CAD flip-through.mp4"));
        QVERIFY(!f.model.alert());
        QVERIFY(recordedFolders(f.store).isEmpty());
    }

    void aKilledRunsTemporaryFilesGoOnceADayOld() {
        test::ModelFixture f;
        const auto set = f.path("Sets") / "Unit, 2 listing";
        std::filesystem::create_directories(set / "Thumbs");
        std::ofstream(set / "Thumbs" / ".folimo-aaaaaaaaaa.part") << "x";
        std::ofstream(set / ".folimo-bbbbbbbbbb.part") << "x";
        std::filesystem::last_write_time(set / ".folimo-bbbbbbbbbb.part",
                                         std::filesystem::file_time_type::clock::now() -
                                             std::chrono::hours(25));
        const QStringList record{QString::fromStdString(set.string())};
        f.store.setValue("setFoldersInProgress", record);

        // The young one may still be written by another run: it and the record stay.
        auto second = std::make_unique<AppModel>(f.store, nullptr);
        QTRY_VERIFY(!std::filesystem::exists(set / ".folimo-bbbbbbbbbb.part"));
        second.reset();
        QVERIFY(std::filesystem::exists(set / "Thumbs" / ".folimo-aaaaaaaaaa.part"));
        QCOMPARE(recordedFolders(f.store), record);

        std::filesystem::last_write_time(set / "Thumbs" / ".folimo-aaaaaaaaaa.part",
                                         std::filesystem::file_time_type::clock::now() -
                                             std::chrono::hours(25));
        AppModel third(f.store, nullptr);
        QTRY_VERIFY(recordedFolders(f.store).isEmpty());
        QCOMPARE(test::filesIn(set).size(), 0u);
    }

    void anExportIntoAFolderThatCannotBeMadeFails() {
        test::ModelFixture f;
        QVERIFY(f.session.openFile(outside("CAD.pdf")));
        f.session.setSettings(test::quickSettings());
        std::ofstream(f.path("file")) << "in the way";
        f.panels.answers = {f.path("file") / "inside"};
        f.work.makeListingSet();
        QTRY_COMPARE_WITH_TIMEOUT(f.work.exportState().kind, Kind::failed, timeout);
        QCOMPARE(f.work.exportState().message, QString("Couldn\u2019t save CAD listing."));
    }

    void aPDFChangedOnDiskIsOpenedAgainOrFailsTheExport() {
        test::ModelFixture f;
        const auto edit = f.path("edit.pdf");
        std::filesystem::copy_file(outside("CAD.pdf"), edit);
        QVERIFY(f.session.openFile(edit));
        ListingSettings settings = test::quickSettings();
        settings.title = "Kept";
        f.session.setSettings(settings);
        // Saved over by an editor: the set is made of the new file, the settings as they were.
        std::filesystem::copy_file(outside("asyRefCard.pdf"), f.path("new.pdf"));
        std::filesystem::rename(f.path("new.pdf"), edit);
        f.panels.answers = {f.path("out"), f.path("out")};
        f.work.makeListingSet();
        QCOMPARE(f.session.source()->pageCount(), 3);
        QCOMPARE(f.session.settings().title, "Kept");
        QTRY_COMPARE_WITH_TIMEOUT(f.work.exportState().kind, Kind::done, timeout);
        // Cut short where it lies: the export fails with the library's message, and no folder
        // is asked for or made.
        std::filesystem::resize_file(edit, 100);
        f.work.makeListingSet();
        QCOMPARE(f.work.exportState(),
                 ExportState::failed("“"
                                     "edit.pdf” couldn’t be opened as a PDF."));
        QCOMPARE(f.panels.answers.size(), 1u);
        QVERIFY(!std::filesystem::exists(f.path("out") / "Kept listing 2"));
    }

    void aBatchGoesOnPastALockedPDFAndSkipsAPipe() {
        test::ModelFixture f;
        const auto input = f.path("in");
        std::filesystem::create_directories(input);
        std::filesystem::copy_file(outside("asyRefCard.pdf"), input / "a.pdf");
        test::qpdf("--encrypt user owner 256 --", outside("CAD.pdf"), input / "b.pdf");
        std::filesystem::copy_file(outside("asy-latex.pdf"), input / "c.pdf");
        QCOMPARE(mkfifo((input / "d.pdf").c_str(), 0600), 0);
        f.session.setSettings(test::quickSettings());
        BatchRowsModel rows(f.work);
        QAbstractItemModelTester tester(&rows);

        f.panels.answers = {input, f.path("out")};
        Told told(f.work);
        f.work.chooseBatchFolder();
        QCOMPARE(f.work.batchInput(), std::optional<std::filesystem::path>(input));
        QCOMPARE(rows.rowCount(), 3);
        QCOMPARE(rows.data(rows.index(1), Qt::DisplayRole).toString(), QString("b"));
        QCOMPARE(rows.data(rows.index(1), BatchRowsModel::StatusTextRole).toString(),
                 QString("Waiting"));

        f.work.runBatch();
        QVERIFY(f.work.batchRunning());
        QCOMPARE(f.work.batchOutput(), std::optional<std::filesystem::path>(f.path("out")));
        QTRY_VERIFY_WITH_TIMEOUT(!f.work.batchRunning(), timeout);
        QCOMPARE(kinds(f.work), (std::vector{RowKind::done, RowKind::failed, RowKind::done}));
        QCOMPARE(f.work.batchRows()[0].status,
                 BatchRow::Status::done(3, f.path("out") / "a listing"));
        QCOMPARE(Texts::batchSummary(f.work.batchRows()), QString("2 sets made, 1 failed."));
        QVERIFY(rows.data(rows.index(1), Qt::ToolTipRole).toString().contains("password"));
        QCOMPARE(rows.data(rows.index(2), BatchRowsModel::StatusTextRole).toString(),
                 QString("3 files"));
        QCOMPARE(told.notices, (std::vector<WorkNotice>{
                                   {"Batch finished", "2 sets made, 1 failed.", f.path("out")}}));
        // The taskbar's bar grows over the three sets and goes when the batch ends.
        QCOMPARE(told.progress.back(), std::nullopt);
        told.progress.pop_back();
        QVERIFY(std::is_sorted(told.progress.begin(), told.progress.end()));
        QCOMPARE(told.progress.front(), 0.0);
        QCOMPARE(told.progress.back(), 1.0);

        // Retry Failed makes only the failed row again, into the same folder, asking nothing.
        std::filesystem::copy_file(outside("CAD.pdf"), input / "b.pdf",
                                   std::filesystem::copy_options::overwrite_existing);
        QVERIFY(f.work.canRetryFailed());
        told.progress.clear();
        f.work.retryFailed();
        QVERIFY(f.work.batchRunning());
        QCOMPARE(kinds(f.work), (std::vector{RowKind::done, RowKind::waiting, RowKind::done}));
        QTRY_VERIFY_WITH_TIMEOUT(!f.work.batchRunning(), timeout);
        QCOMPARE(f.work.batchRows()[1].status,
                 BatchRow::Status::done(3, f.path("out") / "b listing"));
        QCOMPARE(Texts::batchSummary(f.work.batchRows()), QString("3 sets made."));
        // The bar fills with the one set made again; the notice sums up every row.
        QCOMPARE(told.progress.front(), 0.0);
        QCOMPARE(told.notices.back(),
                 (WorkNotice{"Batch finished", "3 sets made.", f.path("out")}));
        QVERIFY(!std::filesystem::exists(f.path("out") / "a listing 2"));
        QVERIFY(!f.work.canRetryFailed());

        // A second run into the same folder starts every row again.
        f.panels.answers = {f.path("out")};
        f.work.runBatch();
        QCOMPARE(kinds(f.work)[0], RowKind::waiting);
        QTRY_VERIFY_WITH_TIMEOUT(!f.work.batchRunning(), timeout);
    }

    void stoppingABatchPutsTheRowInHandBackAndLeavesTheExportRunning() {
        test::ModelFixture f;
        const auto input = f.path("in");
        std::filesystem::create_directories(input);
        for (const char* name : {"1.pdf", "2.pdf", "3.pdf"})
            std::filesystem::copy_file(outside("asyRefCard.pdf"), input / name);
        f.session.setSettings(slowSettings());
        f.panels.answers = {input, f.path("batch")};
        Told told(f.work); // the work is stopped as the session ends, say
        f.work.chooseBatchFolder();
        f.work.runBatch();
        QTRY_COMPARE_WITH_TIMEOUT(f.work.batchRows()[1].status.kind, RowKind::working, timeout);

        // An export started meanwhile has a Stop of its own: stopping it leaves the batch.
        QVERIFY(f.session.openFile(outside("CAD.pdf")));
        f.session.setSettings(slowSettings());
        f.panels.answers = {f.path("set")};
        f.work.makeListingSet();
        f.work.cancelExport();
        QTRY_COMPARE_WITH_TIMEOUT(f.work.exportState().kind, Kind::stopped, timeout);
        QVERIFY(f.work.batchRunning());
        QCOMPARE(f.work.batchRows()[1].status.kind, RowKind::working);
        const ExportState set = f.work.exportState();
        QCOMPARE(told.notices.at(0),
                 (WorkNotice{"Listing set stopped",
                             Texts::stopped(set.folder, set.files, set.plannedFiles), set.folder}));

        // The row in hand says what its set's folder holds; the next one waits.
        f.work.cancelBatch();
        QTRY_VERIFY_WITH_TIMEOUT(!f.work.batchRunning(), timeout);
        QCOMPARE(kinds(f.work), (std::vector{RowKind::done, RowKind::stopped, RowKind::waiting}));
        const auto folder = f.path("batch") / "2 listing";
        QCOMPARE(f.work.batchRows()[1].status,
                 BatchRow::Status::stopped(folder, std::int64_t(test::filesIn(folder).size()), 4));
        QCOMPARE(temporariesIn(f.path("batch")), 0u);
        QCOMPARE(told.notices.at(1),
                 (WorkNotice{"Batch stopped", "1 set made, 1 stopped.", f.path("batch")}));
        f.work.reportRowProgress(1, 0.5); // late: the row is not working any more
        QCOMPARE(f.work.batchRows()[1].status.kind, RowKind::stopped);
        QTRY_VERIFY(recordedFolders(f.store).isEmpty());
    }

    void aFolderWithoutPDFsDirectlyInsideAlerts() {
        test::ModelFixture f;
        const auto input = f.path("Products");
        std::filesystem::create_directories(input / "sub");
        std::filesystem::copy_file(outside("asyRefCard.pdf"), input / "sub" / "a.pdf");
        f.panels.answers = {input};
        f.work.chooseBatchFolder();
        QCOMPARE(f.model.alert(),
                 std::optional<QString>("There are no PDFs directly inside \u201CProducts\u201D."));
        QVERIFY(f.work.batchRows().empty());
        f.work.runBatch(); // asks nothing
        QCOMPARE(f.panels.asked.size(), 2);
    }
};

QTEST_GUILESS_MAIN(SetWorkTest)
#include "set_work_test.moc"
