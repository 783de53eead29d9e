// Opening PDFs through the model: the panel, dropped and handed-over files, the sample, and
// the PDFs that cannot be opened.
#include "folimo/listing_error.hpp"
#include "model_test_support.hpp"
#include "pdf_files.hpp"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sys/stat.h>

using namespace folimo;
using folimo::test::outside;

class AppModelOpenTest : public QObject {
    Q_OBJECT

private slots:
    void openingAPDFStartsTheListingAfresh() {
        test::ModelFixture f;
        ListingSettings edited = f.model.settings();
        edited.title = "Old";
        edited.pages = "1";
        edited.preview.pages = "2";
        edited.video.pages = "3";
        edited.preview.watermark = "KEEP";
        f.model.editSettings("Title", [&](ListingSettings& s) { s = edited; });
        f.model.setPage(Page::sizes);
        f.model.setTab(ListingTab::video);
        f.model.setVideoTime(3);
        f.model.cacheImage(QImage(4, 4, QImage::Format_ARGB32_Premultiplied), "x");
        QSignalSpy saved(&f.model, &AppModel::settingsChanged);

        f.panels.answers = {outside("CAD.pdf")};
        f.model.openPDF();
        QCOMPARE(f.panels.asked, QStringList{"Choose a printable PDF."});
        QVERIFY(f.model.source());
        QCOMPARE(f.model.sourceName(), QString("CAD.pdf"));
        QCOMPARE(f.model.settings().title + f.model.settings().pages +
                     f.model.settings().preview.pages + f.model.settings().video.pages,
                 std::string());
        QCOMPARE(f.model.settings().preview.watermark, std::string("KEEP"));
        QCOMPARE(saved.count(), 4); // one field after another
        QCOMPARE(f.model.videoTime(), 0.0);
        QCOMPARE(f.model.cache().count(), 0u);
        QCOMPARE(f.model.page(), std::optional<Page>(Page::listing));
        QCOMPARE(f.model.tab(), ListingTab::video);
        QCOMPARE(f.model.title(), QString("CAD"));
        // No Undo brings the last PDF's texts back onto this one.
        QCOMPARE(f.model.undoStack().count(), 0);

        edited = f.model.settings();
        edited.title = " \n\t ";
        f.model.setSettings(edited);
        QCOMPARE(f.model.title(), QString("CAD")); // blank: the PDF's own title
        edited.title = "  Fall Fun  ";
        f.model.setSettings(edited);
        QCOMPARE(f.model.title(), QString("Fall Fun"));
    }

    // Texts are kept by the PDF's content: renamed and moved after a restart, it gets them
    // back; another PDF gets its own or none, and opening is never taken for an edit.
    void aPDFGetsItsTextsBackUnderAnyNameAfterARestart() {
        QTemporaryDir dir;
        QSettings store(dir.filePath("store.ini"), QSettings::IniFormat);
        const std::filesystem::path first = dir.filePath("Unit 1.pdf").toStdString();
        const std::filesystem::path moved = dir.filePath("Final/Unit 1 final.pdf").toStdString();
        const std::filesystem::path other = outside("asyRefCard.pdf");
        std::filesystem::copy_file(outside("CAD.pdf"), first);
        auto texts = [](const AppModel& model) {
            const ListingSettings& s = model.settings();
            return QStringList{QString::fromStdString(s.title), QString::fromStdString(s.pages),
                               QString::fromStdString(s.preview.pages),
                               QString::fromStdString(s.preview.watermark),
                               QString::fromStdString(s.video.pages)};
        };
        {
            AppModel model(store, nullptr);
            QVERIFY(model.openFile(first));
            model.editSettings("Title", [](ListingSettings& s) {
                s.title = "Fall Unit";
                s.pages = "1-3";
                s.preview.pages = "2";
                s.preview.watermark = "MINE";
                s.video.pages = "4";
            });
            QVERIFY(model.openFile(other)); // unknown: the watermark stays, not remembered
            QCOMPARE(texts(model), QStringList({"", "", "", "MINE", ""}));
            QVERIFY(model.openFile(first));
            QCOMPARE(texts(model), QStringList({"Fall Unit", "1-3", "2", "MINE", ""}));
            model.undoStack().undo(); // nothing to undo across an open
            model.editSettings("Watermark", [](ListingSettings& s) { s.preview.watermark = "X"; });
            model.undoStack().undo(); // the undone edit is what is kept
        }
        std::filesystem::create_directory(moved.parent_path());
        std::filesystem::rename(first, moved);

        AppModel model(store, nullptr);
        QVERIFY(!model.source());
        QCOMPARE(texts(model), QStringList({"", "", "", "MINE", ""}));
        QVERIFY(model.openFile(other));
        QCOMPARE(texts(model), QStringList({"", "", "", "MINE", ""}));
        model.editSettings("Watermark", [](ListingSettings& s) { s.preview.watermark = "CARD"; });
        QVERIFY(model.openFile(moved));
        QCOMPARE(texts(model), QStringList({"Fall Unit", "1-3", "2", "MINE", ""}));
        QCOMPARE(model.undoStack().count(), 0);
        QVERIFY(model.openFile(other));
        QCOMPARE(texts(model), QStringList({"", "", "", "CARD", ""}));

        // The recent list survived too, the file's old place no longer there.
        QCOMPARE(model.recentPDFs(),
                 (std::vector<RecentPDF>{{other, true}, {moved, true}, {first, false}}));
    }

    void cancelledPanelChangesNothing() {
        test::ModelFixture f;
        QSignalSpy anything(&f.model, &AppModel::sourceChanged);
        f.model.openPDF();
        QCOMPARE(anything.count(), 0);
        QVERIFY(!f.model.alert());
    }

    void aPDFThatCannotBeOpenedAlertsAndKeepsTheOpenOne_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("locked") << "locked"
                                << "\u201Clocked.pdf\u201D is protected with a password. Save a "
                                   "copy without the password and try again.";
        QTest::newRow("no pages") << "empty"
                                  << "This PDF has no pages.";
        QTest::newRow("not a PDF") << "text"
                                   << "\u201Ctext.pdf\u201D couldn\u2019t be opened as a PDF.";
        QTest::newRow("named pipe") << "pipe"
                                    << "\u201Cpipe.pdf\u201D couldn\u2019t be opened as a PDF.";
    }
    void aPDFThatCannotBeOpenedAlertsAndKeepsTheOpenOne() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        test::ModelFixture f;
        const auto bad = f.path((kind + ".pdf").toUtf8());
        if (kind == "locked")
            test::qpdf("--encrypt user owner 256 --", outside("CAD.pdf"), bad);
        else if (kind == "empty")
            test::writeTinyPDF(bad, {});
        else if (kind == "text")
            std::ofstream(bad) << "not a PDF at all\n";
        else
            QCOMPARE(mkfifo(bad.c_str(), 0600), 0); // would block an open that waits

        QVERIFY(f.model.openFile(outside("asyRefCard.pdf")));
        const auto kept = f.model.source();
        QVERIFY(f.model.openFile(bad)); // a PDF by its name, so taken: the alert tells
        QVERIFY(f.model.alert());
        QCOMPARE(*f.model.alert(), message);
        QCOMPARE(f.model.source(), kept);
        QCOMPARE(f.model.sourceName(), QString("asyRefCard.pdf"));
        QCOMPARE(f.model.recentPDFs().size(), 1u);
    }

    void theFirstPDFOfADropIsOpened() {
        test::ModelFixture f;
        const auto png = f.path("cover.png");
        std::ofstream(png) << "png";
        QVERIFY(!f.model.openFile(png));
        QVERIFY(!f.model.source());
        QVERIFY(!f.model.openFiles({png}));

        const auto upper = f.path("Reference.PDF");
        std::filesystem::copy_file(outside("asyRefCard.pdf"), upper);
        QVERIFY(f.model.openFiles({png, upper, outside("CAD.pdf")}));
        QCOMPARE(f.model.sourceName(), QString("Reference.PDF"));
    }

    void theSampleOpensFromTheTemporaryFolder() {
        test::ModelFixture f;
        qputenv("TMPDIR", f.dir.path().toUtf8());
        f.model.openSample();
        qunsetenv("TMPDIR");
        QVERIFY(f.model.source());
        QCOMPARE(f.model.sourceName(), QString("Fall Math Practice.pdf"));
        QCOMPARE(f.model.source()->url(),
                 std::optional<std::filesystem::path>(f.path("Fall Math Practice.pdf")));
        QCOMPARE(f.model.source()->pageCount(), 8);
        QVERIFY(f.model.recentPDFs().empty()); // it has its own command
    }

    void aSampleThatCannotBeWrittenAlerts() {
        test::ModelFixture f;
        qputenv("TMPDIR", f.path("missing").c_str());
        f.model.openSample();
        qunsetenv("TMPDIR");
        QVERIFY(!f.model.source());
        QVERIFY(f.model.alert());
        QVERIFY(f.model.alert()->contains("Fall Math Practice.pdf"));
    }
};

QTEST_GUILESS_MAIN(AppModelOpenTest)
#include "app_model_open_test.moc"
