// Exports and batches through the model: real PDFs, real folders, the library's real
// exporter on the model's worker threads.
#include "folimo/work_messages.hpp"
#include "model/batch_rows_model.hpp"
#include "model/model_texts.hpp"
#include "model/translation.hpp"
#include "model/work_notices.hpp"
#include "model_test_support.hpp"
#include "pdf_files.hpp"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <fstream>
#include <sys/stat.h>

using namespace folimo;
using folimo::test::outside;
using Kind = ExportState::Kind;
using RowKind = BatchRow::Status::Kind;

namespace {

constexpr int timeout = 120000; // the sanitizer build is slow

std::size_t filesIn(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        count += entry.is_regular_file();
    return count;
}

// The temporary files that writers left below folder.
std::size_t temporariesIn(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        count += entry.path().filename().string().starts_with(".folimo-");
    return count;
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

    explicit Told(AppModel& model)
        : work(
              model, [this] { return attended; },
              [this](const std::filesystem::path& folder) { revealed.push_back(folder); }) {
        QObject::connect(&work, &WorkNotices::notice,
                         [this](const WorkNotice& notice) { notices.push_back(notice); });
        QObject::connect(&work, &WorkNotices::progressChanged,
                         [this] { progress.push_back(work.progress()); });
    }
};

std::vector<RowKind> kinds(const AppModel& model) {
    std::vector<RowKind> result;
    for (const auto& row : model.batchRows())
        result.push_back(row.status.kind);
    return result;
}

} // namespace

class AppModelWorkTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installTranslation(); }

    void withNoPDFTheOpenPanelIsShownInstead() {
        test::ModelFixture f;
        f.model.makeListingSet();
        QCOMPARE(f.panels.asked, QStringList{"Choose a printable PDF."});
        QCOMPARE(f.model.exportState(), ExportState::idle());
    }

    void anExportRunsToTheEndAndASecondGetsItsOwnFolder() {
        test::ModelFixture f;
        QVERIFY(f.model.openFile(outside("CAD.pdf")));
        f.model.setSettings(test::quickSettings());
        const auto parent = f.path("out");
        f.panels.answers = {parent, parent, std::nullopt};
        Told told(f.model);
        QSignalSpy states(&f.model, &AppModel::exportStateChanged);
        std::vector<double> fractions;
        connect(&f.model, &AppModel::exportStateChanged, this, [&] {
            if (f.model.exportState().isRunning())
                fractions.push_back(f.model.exportState().fraction);
        });

        f.model.makeListingSet();
        QCOMPARE(f.panels.asked,
                 QStringList({"Choose where to save the listing set. A folder named \u201C"
                              "CAD listing\u201D is made inside.",
                              "Save Here"}));
        QCOMPARE(f.model.exportState(), ExportState::running(0));
        // Edits made while it runs do not reach it.
        ListingSettings edited = f.model.settings();
        edited.title = "Renamed";
        edited.preview.isOn = false;
        f.model.setSettings(edited);
        QTRY_COMPARE_WITH_TIMEOUT(f.model.exportState().kind, Kind::done, timeout);
        QCOMPARE(f.model.exportState(), ExportState::done(parent / "CAD listing", 3));
        QCOMPARE(ModelTexts::saved(f.model.exportState().folder, 3),
                 QString("Saved 3 files to \u201C"
                         "CAD listing\u201D."));
        QCOMPARE(filesIn(parent / "CAD listing"), 3u);
        QVERIFY(std::filesystem::exists(parent / "CAD listing" / "CAD preview.pdf"));
        QVERIFY(std::is_sorted(fractions.begin(), fractions.end()));
        QCOMPARE(fractions.back(), 1.0);
        // Made while the user was elsewhere: the desktop is told, and its Show reveals the set.
        QCOMPARE(told.notices, (std::vector<WorkNotice>{{"Listing set made",
                                                         "Saved 3 files to \u201C"
                                                         "CAD listing\u201D.",
                                                         parent / "CAD listing"}}));
        told.work.show(told.notices[0]);
        QCOMPARE(told.revealed, std::vector{parent / "CAD listing"});
        QVERIFY(told.progress.size() >= 2);
        QCOMPARE(told.progress.back(), std::nullopt);
        told.progress.pop_back();
        QVERIFY(std::is_sorted(told.progress.begin(), told.progress.end()));

        // A report that arrives after the end changes nothing.
        f.model.reportExportProgress(0.5);
        QCOMPARE(f.model.exportState().kind, Kind::done);

        f.model.setSettings(test::quickSettings());
        told.attended = true; // the export bar says it
        f.model.makeListingSet();
        QTRY_COMPARE_WITH_TIMEOUT(f.model.exportState().kind, Kind::done, timeout);
        QCOMPARE(f.model.exportState().folder, parent / "CAD listing 2");
        QCOMPARE(told.notices.size(), 1u);
        QCOMPARE(filesIn(parent / "CAD listing"), 3u);

        f.model.makeListingSet(); // the panel is cancelled
        QCOMPARE(f.model.exportState().kind, Kind::done);

        QVERIFY(f.model.openFile(outside("asyRefCard.pdf")));
        QCOMPARE(f.model.exportState(), ExportState::idle());
    }

    void stoppingWorkJoinsItAndTheExportSaysWhatItsFolderHolds() {
        test::ModelFixture f;
        QVERIFY(f.model.openFile(outside("CAD.pdf")));
        f.model.setSettings(slowSettings());
        f.panels.answers = {f.path("out")};
        f.model.makeListingSet();
        const auto folder = f.path("out") / "CAD listing";
        // Recorded while it runs, so that a run killed meanwhile is cleaned up after.
        QCOMPARE(recordedFolders(f.store), QStringList{QString::fromStdString(folder.string())});
        QTRY_VERIFY_WITH_TIMEOUT(f.model.exportState().fraction > 0, timeout);
        QVERIFY(f.model.workRunning());

        // What quitting does: when stopWork returns, the threads have ended and nothing
        // temporary is left, before any queued report has been taken.
        f.model.stopWork();
        QVERIFY(!f.model.workRunning());
        QCOMPARE(temporariesIn(folder), 0u);
        QTRY_COMPARE_WITH_TIMEOUT(f.model.exportState().kind, Kind::stopped, timeout);
        const ExportState stopped = f.model.exportState();
        QCOMPARE(stopped, ExportState::stopped(folder, std::int64_t(filesIn(folder)), 4));
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
        QCOMPARE(filesIn(set), 0u);
    }

    void anExportIntoAFolderThatCannotBeMadeFails() {
        test::ModelFixture f;
        QVERIFY(f.model.openFile(outside("CAD.pdf")));
        f.model.setSettings(test::quickSettings());
        std::ofstream(f.path("file")) << "in the way";
        f.panels.answers = {f.path("file") / "inside"};
        f.model.makeListingSet();
        QTRY_COMPARE_WITH_TIMEOUT(f.model.exportState().kind, Kind::failed, timeout);
        QCOMPARE(f.model.exportState().message, QString("Couldn\u2019t save CAD listing."));
    }

    void aPDFChangedOnDiskIsOpenedAgainOrFailsTheExport() {
        test::ModelFixture f;
        const auto edit = f.path("edit.pdf");
        std::filesystem::copy_file(outside("CAD.pdf"), edit);
        QVERIFY(f.model.openFile(edit));
        ListingSettings settings = test::quickSettings();
        settings.title = "Kept";
        f.model.setSettings(settings);
        // Saved over by an editor: the set is made of the new file, the settings as they were.
        std::filesystem::copy_file(outside("asyRefCard.pdf"), f.path("new.pdf"));
        std::filesystem::rename(f.path("new.pdf"), edit);
        f.panels.answers = {f.path("out"), f.path("out")};
        f.model.makeListingSet();
        QCOMPARE(f.model.source()->pageCount(), 3);
        QCOMPARE(f.model.settings().title, "Kept");
        QTRY_COMPARE_WITH_TIMEOUT(f.model.exportState().kind, Kind::done, timeout);
        // Cut short where it lies: the export fails with the library's message, and no folder
        // is asked for or made.
        std::filesystem::resize_file(edit, 100);
        f.model.makeListingSet();
        QCOMPARE(f.model.exportState(),
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
        ListingSettings settings = test::quickSettings();
        settings.title = "Ignored";
        f.model.setSettings(settings);
        BatchRowsModel rows(f.model);
        QAbstractItemModelTester tester(&rows);

        f.panels.answers = {input, f.path("out")};
        Told told(f.model);
        f.model.chooseBatchFolder();
        QCOMPARE(f.model.batchInput(), std::optional<std::filesystem::path>(input));
        QCOMPARE(rows.rowCount(), 3);
        QCOMPARE(rows.data(rows.index(1), Qt::DisplayRole).toString(), QString("b"));
        QCOMPARE(rows.data(rows.index(1), BatchRowsModel::StatusTextRole).toString(),
                 QString("Waiting"));

        f.model.runBatch();
        QVERIFY(f.model.batchRunning());
        QCOMPARE(f.model.batchOutput(), std::optional<std::filesystem::path>(f.path("out")));
        QTRY_VERIFY_WITH_TIMEOUT(!f.model.batchRunning(), timeout);
        QCOMPARE(kinds(f.model), (std::vector{RowKind::done, RowKind::failed, RowKind::done}));
        QCOMPARE(f.model.batchRows()[0].status,
                 BatchRow::Status::done(3, f.path("out") / "a listing"));
        QCOMPARE(ModelTexts::batchSummary(f.model.batchRows()), QString("2 sets made, 1 failed."));
        QCOMPARE(rows.data(rows.index(1), Qt::ToolTipRole).toString(),
                 QString("\u201C"
                         "b.pdf\u201D is protected with a password. Save a copy without "
                         "the password and try again."));
        QCOMPARE(rows.data(rows.index(2), BatchRowsModel::StatusTextRole).toString(),
                 QString("3 files"));
        // Each set is titled from its own PDF, whatever the title field says.
        QVERIFY(std::filesystem::exists(f.path("out") / "a listing" / "a preview.pdf"));
        QVERIFY(std::filesystem::exists(f.path("out") / "c listing" /
                                        "The asymptote package preview.pdf"));
        QVERIFY(!std::filesystem::exists(f.path("out") / "b listing"));
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
        QVERIFY(f.model.canRetryFailed());
        told.progress.clear();
        f.model.retryFailed();
        QVERIFY(f.model.batchRunning());
        QCOMPARE(kinds(f.model), (std::vector{RowKind::done, RowKind::waiting, RowKind::done}));
        QTRY_VERIFY_WITH_TIMEOUT(!f.model.batchRunning(), timeout);
        QCOMPARE(f.model.batchRows()[1].status,
                 BatchRow::Status::done(3, f.path("out") / "b listing"));
        QCOMPARE(ModelTexts::batchSummary(f.model.batchRows()), QString("3 sets made."));
        // The bar fills with the one set made again; the notice sums up every row.
        QCOMPARE(told.progress.front(), 0.0);
        QCOMPARE(told.notices.back(),
                 (WorkNotice{"Batch finished", "3 sets made.", f.path("out")}));
        QVERIFY(!std::filesystem::exists(f.path("out") / "a listing 2"));
        QVERIFY(!f.model.canRetryFailed());

        // A second run into the same folder starts every row again and makes new folders.
        f.panels.answers = {f.path("out")};
        f.model.runBatch();
        QCOMPARE(kinds(f.model)[0], RowKind::waiting);
        QTRY_VERIFY_WITH_TIMEOUT(!f.model.batchRunning(), timeout);
        QVERIFY(std::filesystem::exists(f.path("out") / "c listing 2"));
    }

    void stoppingABatchPutsTheRowInHandBackAndLeavesTheExportRunning() {
        test::ModelFixture f;
        const auto input = f.path("in");
        std::filesystem::create_directories(input);
        for (const char* name : {"1.pdf", "2.pdf", "3.pdf"})
            std::filesystem::copy_file(outside("asyRefCard.pdf"), input / name);
        f.model.setSettings(slowSettings());
        f.panels.answers = {input, f.path("batch")};
        Told told(f.model); // the work is stopped as the session ends, say
        f.model.chooseBatchFolder();
        f.model.runBatch();
        QTRY_COMPARE_WITH_TIMEOUT(f.model.batchRows()[1].status.kind, RowKind::working, timeout);

        // An export started meanwhile has a Stop of its own: stopping it leaves the batch.
        QVERIFY(f.model.openFile(outside("CAD.pdf")));
        f.model.setSettings(slowSettings());
        f.panels.answers = {f.path("set")};
        f.model.makeListingSet();
        f.model.cancelExport();
        QTRY_COMPARE_WITH_TIMEOUT(f.model.exportState().kind, Kind::stopped, timeout);
        QVERIFY(f.model.batchRunning());
        QCOMPARE(f.model.batchRows()[1].status.kind, RowKind::working);
        const ExportState set = f.model.exportState();
        QCOMPARE(
            told.notices.at(0),
            (WorkNotice{"Listing set stopped",
                        ModelTexts::stopped(set.folder, set.files, set.plannedFiles), set.folder}));

        // The row in hand says what its set's folder holds; the next one waits.
        f.model.cancelBatch();
        QTRY_VERIFY_WITH_TIMEOUT(!f.model.batchRunning(), timeout);
        QCOMPARE(kinds(f.model), (std::vector{RowKind::done, RowKind::stopped, RowKind::waiting}));
        const auto folder = f.path("batch") / "2 listing";
        QCOMPARE(f.model.batchRows()[1].status,
                 BatchRow::Status::stopped(folder, std::int64_t(filesIn(folder)), 4));
        QCOMPARE(temporariesIn(f.path("batch")), 0u);
        QCOMPARE(told.notices.at(1),
                 (WorkNotice{"Batch stopped", "1 set made, 1 stopped.", f.path("batch")}));
        f.model.reportRowProgress(1, 0.5); // late: the row is not working any more
        QCOMPARE(f.model.batchRows()[1].status.kind, RowKind::stopped);
        QTRY_VERIFY(recordedFolders(f.store).isEmpty());
    }

    void aFolderWithoutPDFsDirectlyInsideAlerts() {
        test::ModelFixture f;
        const auto input = f.path("Products");
        std::filesystem::create_directories(input / "sub");
        std::filesystem::copy_file(outside("asyRefCard.pdf"), input / "sub" / "a.pdf");
        f.panels.answers = {input};
        f.model.chooseBatchFolder();
        QCOMPARE(f.model.alert(),
                 std::optional<QString>("There are no PDFs directly inside \u201CProducts\u201D."));
        QVERIFY(f.model.batchRows().empty());
        f.model.runBatch(); // asks nothing
        QCOMPARE(f.panels.asked.size(), 2);
    }

    void countsReadInTheirSingularAndPluralForms() {
        ListingSettings settings;
        QCOMPARE(ModelTexts::exportSummary(settings),
                 QString("20 files: 18 images, preview PDF, video"));
        settings.video.isOn = false;
        settings.preview.isOn = false;
        for (auto& preset : settings.images)
            preset.isOn = false;
        QCOMPARE(ModelTexts::exportSummary(settings), QString("0 files: nothing chosen"));
        settings.preview.isOn = true;
        QCOMPARE(ModelTexts::contents(settings), QString("preview PDF"));
        settings.preview.isOn = false;
        settings.images[0].isOn = true;
        QCOMPARE(ModelTexts::filesPerPDF(settings), QString("6 files per PDF"));
        settings.layouts = {ImageLayout::cover};
        QCOMPARE(ModelTexts::exportSummary(settings), QString("1 file: 1 image"));
        QCOMPARE(ModelTexts::filesPerPDF(settings), QString("1 file per PDF"));

        const std::filesystem::path set = "/sets/Fall Math Practice listing";
        QCOMPARE(ModelTexts::saved(set, 1), QString("Saved 1 file to \u201C"
                                                    "Fall Math Practice listing\u201D."));
        QCOMPARE(ModelTexts::stopped(set, 10, 20), QString("Stopped. 10 of 20 files saved in \u201C"
                                                           "Fall Math Practice listing\u201D."));
        QCOMPARE(ModelTexts::stopped(set, 0, 1), QString("Stopped. 0 of 1 file saved in \u201C"
                                                         "Fall Math Practice listing\u201D."));
        // The sentences the command line writes too read the same in English.
        for (const std::int64_t files : {1, 20}) {
            QCOMPARE(ModelTexts::saved(set, files),
                     QString::fromStdString(WorkMessages::saved(set, files)));
            QCOMPARE(ModelTexts::stopped(set, files - 1, files),
                     QString::fromStdString(WorkMessages::stopped(set, files - 1, files)));
        }
        QCOMPARE(ModelTexts::noPDFsInside("/pdfs/Products/"),
                 QString::fromStdString(WorkMessages::noPDFsInside("/pdfs/Products/")));
        QCOMPARE(ModelTexts::statusText(BatchRow::Status::done(1, set)), QString("1 file"));
        QCOMPARE(ModelTexts::batchSummary({{"a.pdf", BatchRow::Status::done(1, set)},
                                           {"b.pdf", BatchRow::Status::failed("No.")},
                                           {"c.pdf", BatchRow::Status::stopped(set, 1, 2)},
                                           {"d.pdf", BatchRow::Status::waiting()}}),
                 QString::fromStdString(WorkMessages::batchSummary(1, 1, 1)));
        QVERIFY(ModelTexts::batchSummary({{"a.pdf", BatchRow::Status::waiting()}}).isEmpty());
        QCOMPARE(ModelTexts::unreadableBrands(1),
                 QString("A saved brand couldn\u2019t be read, so it was set aside. Your other "
                         "brands are kept."));
        QCOMPARE(ModelTexts::statusText(BatchRow::Status::stopped(set, 1, 2)),
                 ModelTexts::stopped(set, 1, 2));
    }
};

QTEST_GUILESS_MAIN(AppModelWorkTest)
#include "app_model_work_test.moc"
