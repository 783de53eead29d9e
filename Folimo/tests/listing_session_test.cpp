// The listing session: start-up from the store, saving, brands, sizes and Undo on a real
// QSettings file; opening PDFs (the panel, drops, the sample, the PDFs that cannot be opened)
// and each PDF's texts remembered across runs.
#include "folimo/listing_error.hpp"
#include "folimo/settings_json.hpp"
#include "model/brand_advice.hpp"
#include "model/listing_findings.hpp"
#include "model/pdf_memory.hpp"
#include "model/recent_pdfs.hpp"
#include "model/store_writer.hpp"
#include "model/texts.hpp"
#include "model_test_support.hpp"
#include "pdf_files.hpp"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <fstream>
#include <memory>
#include <sys/stat.h>

using namespace folimo;
using folimo::test::outside;

namespace {

QByteArray bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
}

Brand namedBrand(const char* name) {
    Brand brand = Brand::chalkboard();
    brand.id = Uuid::random();
    brand.name = name;
    return brand;
}

} // namespace

class ListingSessionTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<QSettings> store_;

    QSettings& freshStore() {
        store_.reset();
        QFile::remove(dir_.filePath("store.ini"));
        store_ = std::make_unique<QSettings>(dir_.filePath("store.ini"), QSettings::IniFormat);
        return *store_;
    }
    // What the session told the seller last.
    std::optional<QString> told_;
    ListingSession::Alert tell() {
        return [this](const QString& message) { told_ = message; };
    }
    std::optional<ListingSettings> storedSettings() const {
        return decodeSettings(store_->value("settings.v1").toByteArray().toStdString());
    }

private slots:
    // The brand editor's font list and warnings, from what this system has installed.
    void brandAdviceOnFontsAndColours() {
        using BrandAdvice::ColorPair;
        const auto choices = BrandAdvice::fontChoices("Garamond Pro");
        QCOMPARE(choices[0],
                 (BrandAdvice::FontChoice{"Avenir Next", "Lato (for Avenir Next)", "Lato"}));
        QVERIFY(std::ranges::count(choices, BrandAdvice::FontChoice{"DejaVu Serif", "DejaVu Serif",
                                                                    "DejaVu Serif"}) == 1);
        QCOMPARE(choices.back().family, "Garamond Pro");
        QCOMPARE(BrandAdvice::fontChoices("DejaVu Serif").size(), choices.size() - 1);
        QVERIFY(BrandAdvice::missingFontNotice("Garamond Pro")
                    .startsWith("Garamond Pro isn’t installed here; the images use "));
        QCOMPARE(BrandAdvice::missingFontNotice("avenir next"), QString());
        QCOMPARE(BrandAdvice::missingFontNotice("DejaVu Serif"), QString());

        QCOMPARE(BrandAdvice::hardToRead(Brand::classic()), std::vector<ColorPair>{});
        Brand pale = Brand::classic();
        pale.text = RGBColor::fromHex(0xC8BFB0); // on the cream background
        pale.accent = RGBColor{0.6, 0.6, 0.6};   // white text on mid grey
        QCOMPARE(BrandAdvice::hardToRead(pale),
                 (std::vector{ColorPair::titleOnBackground, ColorPair::badgeTextOnBadge}));
        pale.badge = " ";
        QCOMPARE(BrandAdvice::hardToRead(pale), std::vector{ColorPair::titleOnBackground});
    }

    void storedSettingsComeBackWithoutTheirPerPDFTexts() {
        ListingSettings stored;
        stored.title = "Old title";
        stored.pages = "1-3";
        stored.preview.pages = "2";
        stored.video.pages = "4";
        stored.preview.watermark = "SAMPLE";
        stored.showTitle = false;
        QSettings& store = freshStore();
        store.setValue("settings.v1", bytes(encodeSettings(stored)));

        ListingSession session(store, nullptr, tell());
        ListingSettings expected = stored;
        expected.title = expected.pages = expected.preview.pages = expected.video.pages = "";
        QCOMPARE(session.settings(), expected);
        QCOMPARE(storedSettings(), std::optional<ListingSettings>(stored)); // not rewritten
    }

    void aDamagedEntryCostsOnlyItselfAndIsSetAsideOnce() {
        const Brand mine = namedBrand("Mine"), other = namedBrand("Other");
        const QByteArray brands =
            bytes("[" + encodeBrand(mine) + R"(,{"name":"Broken"},)" + encodeBrand(other) + "]");
        ListingSettings kept;
        kept.preview.watermark = "MINE";
        kept.video.seconds = 14;
        std::string settings = encodeSettings(kept);
        settings.replace(settings.find("\"opacity\""), 9, "\"opacities\"");
        QSettings& store = freshStore();
        store.setValue("settings.v1", bytes(settings));
        store.setValue("brands.v1", brands);

        ListingSession session(store, nullptr, tell());
        QCOMPARE(session.brands(), (std::vector{mine, other}));
        QCOMPARE(session.settings(), kept);
        QCOMPARE(told_, std::optional(Texts::unreadableBrands(1)));
        QCOMPARE(store.value("brands.v1.unreadable").toStringList(),
                 QStringList{R"({"name":"Broken"})"});
        QCOMPARE(store.value("brands.v1").toByteArray(), brands);
        QCOMPARE(store.value("settings.v1").toByteArray(), bytes(settings));
        told_.reset();
        ListingSession(store, nullptr, tell());
        QVERIFY(!told_); // told once
    }

    void damagedPartialAndForeignStoresAreIgnored_data() {
        QTest::addColumn<QVariant>("settings");
        QTest::addColumn<QVariant>("brands");
        QTest::addColumn<QVariant>("brandID");
        QTest::newRow("damaged") << QVariant(QByteArray("{\"title\": "))
                                 << QVariant(QByteArray("[{")) << QVariant(QString("not a uuid"));
        std::string partial = encodeSettings(ListingSettings());
        partial.replace(partial.find("\"showTitle\""), 11, "\"shownTitle\"");
        QTest::newRow("a key missing, no brands, a deleted brand's id")
            << QVariant(bytes(partial)) << QVariant(QByteArray("[]"))
            << QVariant(QString::fromStdString(Uuid::random().text()));
        QTest::newRow("wrong types")
            << QVariant(42) << QVariant(QString("brands")) << QVariant(QByteArray("\x01\x02"));
    }
    void damagedPartialAndForeignStoresAreIgnored() {
        QFETCH(QVariant, settings);
        QFETCH(QVariant, brands);
        QFETCH(QVariant, brandID);
        QSettings& store = freshStore();
        store.setValue("settings.v1", settings);
        store.setValue("brands.v1", brands);
        store.setValue("brandID", brandID);

        ListingSession session(store, nullptr, tell());
        QCOMPARE(session.settings(), ListingSettings());
        QCOMPARE(session.brands(), std::vector<Brand>{Brand::classic()});
        QCOMPARE(session.brand(), Brand::classic());
    }

    void aChoiceStoredInLowerCaseIsTaken() {
        const Brand mine = namedBrand("Mine");
        QSettings& store = freshStore();
        store.setValue("brands.v1", bytes(encodeBrands({Brand::classic(), mine})));
        store.setValue("brandID", QString::fromStdString(mine.id.text()).toLower());

        ListingSession session(store, nullptr, tell());
        QCOMPARE(session.brand(), mine);
    }

    void everyAssignmentSavesButOnlyChangesNotify() {
        ListingSession session(freshStore(), nullptr, tell());
        QSignalSpy settingsChanged(&session, &ListingSession::settingsChanged);
        session.setSettings(session.settings()); // equal: saved, nobody told
        QVERIFY(storedSettings().has_value());
        QCOMPARE(settingsChanged.count(), 0);

        ListingSettings edited = session.settings();
        edited.preview.watermark = "DRAFT";
        session.setSettings(edited);
        QCOMPARE(settingsChanged.count(), 1);
        QCOMPARE(storedSettings()->preview.watermark, std::string("DRAFT"));

        QSignalSpy brandIDChanged(&session, &ListingSession::brandIDChanged);
        session.setBrandID(Brand::classic().id);
        QCOMPARE(brandIDChanged.count(), 0);
        QVERIFY(store_->contains("brandID"));
    }

    void theStoresFileFollowsEveryEditWithoutTheMainThreadWaiting() {
        QSettings& store = freshStore();
        QFile file(dir_.filePath("store.ini"));
        auto onDisk = [&file] {
            if (!file.open(QIODevice::ReadOnly)) return QByteArray();
            const QByteArray bytes = file.readAll();
            file.close();
            return bytes;
        };
        {
            ListingSession session(store, nullptr, tell());
            ListingSettings edited = session.settings();
            for (int i = 1; i <= 20; ++i) {
                edited.preview.watermark = "DRAFT-" + std::to_string(i);
                session.setSettings(edited);
            }
            QTRY_VERIFY(onDisk().contains("DRAFT-20"));
            edited.preview.watermark = "LAST";
            session.setSettings(edited);
        } // what is still pending is written when the model goes
        QVERIFY(onDisk().contains("LAST"));
    }

    void addingBrandsNamesCopiesAndChoosesThem() {
        ListingSession session(freshStore(), nullptr, tell());
        session.addBrand();
        session.addBrand();
        session.setBrandID(Brand::classic().id);
        session.addBrand();
        QStringList names;
        for (const auto& brand : session.brands())
            names << QString::fromStdString(brand.name);
        QCOMPARE(names, QStringList({"Classic", "My Brand", "My Brand Copy", "My Brand 2"}));
        QCOMPARE(session.brand().name, std::string("My Brand 2"));
        QCOMPARE(session.uniqueBrandName("my brand"), QString("my brand")); // case counts
        QCOMPARE(session.uniqueBrandName("My Brand"), QString("My Brand 3"));
    }

    void brandStepsAreUndoneAndStoredAsBefore() {
        ListingSession session(freshStore(), nullptr, tell());
        QUndoStack& steps = session.undoStack();
        session.addBrand();
        QCOMPARE(steps.undoText(), "New Brand “My Brand”");
        const Brand added = session.brand();

        // Typing a name is one step; the next field is another.
        QObject nameField, badgeField;
        Brand typed = added;
        for (const char* name : {"S", "Sh", "Shop"}) {
            typed.name = name;
            session.updateBrand(typed, &nameField);
        }
        typed.badge = "";
        session.updateBrand(typed, &badgeField);
        QCOMPARE(steps.count(), 3);
        steps.undo();
        QCOMPARE(steps.undoText(), "Edit Brand “My Brand”");
        QCOMPARE(session.brand().name, "Shop");
        QCOMPARE(session.brand().badge, added.badge);
        QCOMPARE(session.effectiveSettings().brand, session.brand());

        QSignalSpy brandsChanged(&session, &ListingSession::brandsChanged);
        session.updateBrand(namedBrand("Stranger")); // no brand has its id
        session.deleteBrand(Brand::classic().id);    // never deleted
        QCOMPARE(brandsChanged.count(), 0);
        session.deleteBrand(added.id); // the chosen one: Classic takes its place
        QCOMPARE(steps.undoText(), "Delete Brand “Shop”");
        QCOMPARE(session.brands(), std::vector<Brand>{Brand::classic()});
        QCOMPARE(store_->value("brandID").toString(),
                 QString::fromStdString(Brand::classic().id.text()));
        steps.undo(); // back, chosen again, and stored so
        QCOMPARE(session.brandID(), added.id);
        QCOMPARE(decodeBrands(store_->value("brands.v1").toByteArray().toStdString())->back().name,
                 "Shop");
        QCOMPARE(store_->value("brandID").toString(), QString::fromStdString(added.id.text()));

        steps.undo();
        steps.undo();
        QCOMPARE(session.brands(), std::vector<Brand>{Brand::classic()});
        QCOMPARE(session.brandID(), Brand::classic().id);
        steps.redo();
        QCOMPARE(session.brand(), added);
    }

    void settingsEditsAreOneStepPerFieldTyped() {
        ListingSession session(freshStore(), nullptr, tell());
        QUndoStack& steps = session.undoStack();
        QObject titleField;
        for (const char* title : {"F", "Fa", "Fall"})
            session.editSettings(
                "Title", [&](ListingSettings& s) { s.title = title; }, &titleField);
        session.editSettings("Desk",
                             [](ListingSettings& s) { s.layouts.erase(ImageLayout::desk); });
        session.editSettings("Desk",
                             [](ListingSettings& s) { s.layouts.erase(ImageLayout::desk); });
        QCOMPARE(steps.count(), 2); // the second Desk changed nothing
        session.editSettings(
            "Title", [](ListingSettings& s) { s.title = "Fall Pack"; }, &titleField);
        QCOMPARE(steps.count(), 3); // not typed on from the title: a step of its own

        steps.undo();
        steps.undo();
        QCOMPARE(steps.undoText(), "Title");
        QCOMPARE(storedSettings()->title, "Fall");
        QVERIFY(storedSettings()->layouts.contains(ImageLayout::desk));
        steps.undo();
        QCOMPARE(session.settings(), ListingSettings());
        QCOMPARE(storedSettings(), std::optional<ListingSettings>(ListingSettings()));

        // Typed back to where it began, the step goes.
        session.editSettings(
            "Title", [](ListingSettings& s) { s.title = "X"; }, &titleField);
        session.editSettings(
            "Title", [](ListingSettings& s) { s.title = ""; }, &titleField);
        QCOMPARE(steps.count(), 0);
    }

    // The longest unused PDF is forgotten first; an entry that cannot be read costs itself.
    void pdfMemoryKeepsTheLatestUsedAndSkipsDamagedEntries() {
        const std::filesystem::path file = dir_.filePath("memory/pdfs.json").toStdString();
        {
            PDFMemory memory(file);
            for (std::size_t i = 0; i < PDFMemory::capacity; ++i)
                memory.remember(QString::number(i), {"Title " + std::to_string(i), "", "", ""});
            QVERIFY(memory.recall("0")); // used again: now the latest
            memory.remember("new", {});
        }
        {
            PDFMemory memory(file);
            QCOMPARE(memory.count(), PDFMemory::capacity);
            QCOMPARE(memory.recall("0")->title, "Title 0");
            QVERIFY(!memory.knows("1"));
            QVERIFY(memory.knows("2") && memory.knows("new"));
        }

        auto storeFile = [&file](const QByteArray& bytes) {
            QFile out(QString::fromStdString(file.string()));
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(bytes);
        };
        storeFile(R"([{"key":"a","title":"A","pages":"1","previewPages":"","watermark":"W"},7,)"
                  R"({"key":"b","title":"B"},)"
                  R"({"key":"c","title":2,"pages":"","previewPages":"","watermark":""}])");
        PDFMemory lenient(file);
        QCOMPARE(lenient.count(), 1u);
        QCOMPARE(lenient.recall("a"), std::optional(PDFTexts{"A", "1", "", "W"}));
        storeFile("[{\"key\"");
        QCOMPARE(PDFMemory(file).count(), 0u);
    }

    void recentPDFsAreTheLastTenOnceEachAcrossRestarts() {
        QSettings& store = freshStore();
        StoreWriter writer(store);
        std::vector<std::filesystem::path> pdfs;
        for (int i = 0; i < 12; ++i) {
            pdfs.push_back(dir_.filePath(QString("%1, a.pdf").arg(i)).toStdString());
            std::ofstream(pdfs.back()) << "%PDF";
        }
        {
            RecentPDFs recent(store, writer);
            for (const auto& pdf : pdfs)
                recent.add(pdf);
            recent.add(pdfs[5]);
        }
        std::filesystem::remove(pdfs[11]);
        // As the file gives it back: a list of variants; one that is no place is skipped.
        QVariantList stored{QString("relative.pdf")};
        for (const QString& path : store.value("recentPDFs.v1").toStringList())
            stored << path;
        store.setValue("recentPDFs.v1", stored);

        RecentPDFs recent(store, writer);
        std::vector<RecentPDF> expected{{pdfs[5], true}, {pdfs[11], false}};
        for (int i = 10; i >= 2; --i)
            if (i != 5) expected.push_back({pdfs[std::size_t(i)], true});
        QCOMPARE(recent.list(), expected);
        recent.clear();
        QVERIFY(recent.list().empty());
        QVERIFY(!store.contains("recentPDFs.v1"));
    }

    void resetSizesTouchesOnlySizes() {
        ListingSession session(freshStore(), nullptr, tell());
        ListingSettings edited = session.settings();
        edited.images[0].size = {10, 20};
        edited.images[1].format = ImageFormat::png;
        edited.preview.sheetWidth = 3;
        edited.video.size = {1920, 1080};
        edited.video.fps = 24;
        edited.video.seconds = 14;
        edited.preview.watermark = "KEEP";
        session.setSettings(edited);

        session.resetSizes();
        ListingSettings expected = ListingSettings();
        expected.video.seconds = 14;
        expected.preview.watermark = "KEEP";
        QCOMPARE(session.settings(), expected);
        QCOMPARE(storedSettings(), std::optional<ListingSettings>(expected));

        QCOMPARE(session.undoStack().undoText(), "Reset to Defaults");
        session.undoStack().undo();
        QCOMPARE(storedSettings(), std::optional<ListingSettings>(edited));
    }

    void openingAPDFStartsTheListingAfresh() {
        // What each PDF's texts become is aPDFGetsItsTextsBackUnderAnyNameAfterARestart's.
        test::ModelFixture f;
        f.session.editSettings("Title", [](ListingSettings& s) { s.title = "Old"; });
        f.model.setPage(Page::sizes);
        f.model.setTab(ListingTab::video);
        f.previews.setVideoTime(3);
        f.previews.cacheImage(QImage(4, 4, QImage::Format_ARGB32_Premultiplied), "x");
        f.session.openPDF(); // the panel is cancelled: nothing changes
        QCOMPARE(f.session.settings().title, "Old");
        QVERIFY(!f.model.alert());

        f.panels.answers = {outside("CAD.pdf")};
        f.session.openPDF();
        QCOMPARE(f.panels.asked, QStringList(2, "Choose a printable PDF."));
        QVERIFY(f.session.source());
        QCOMPARE(f.session.sourceName(), QString("CAD.pdf"));
        QCOMPARE(f.previews.videoTime(), 0.0);
        QCOMPARE(f.previews.cache().count(), 0u);
        QCOMPARE(f.model.page(), std::optional<Page>(Page::listing));
        QCOMPARE(f.model.tab(), ListingTab::video);
        QCOMPARE(f.session.title(), QString("CAD"));
        // A typed title is the set's, trimmed by the library's rule.
        f.session.editSettings("Title", [](ListingSettings& s) { s.title = "  Fall Fun  "; });
        QCOMPARE(f.session.title(), QString("Fall Fun"));
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
        auto texts = [](const ListingSession& session) {
            const ListingSettings& s = session.settings();
            return QStringList{QString::fromStdString(s.title), QString::fromStdString(s.pages),
                               QString::fromStdString(s.preview.pages),
                               QString::fromStdString(s.preview.watermark),
                               QString::fromStdString(s.video.pages)};
        };
        {
            ListingSession session(store, nullptr, tell());
            QVERIFY(session.openFile(first));
            session.editSettings("Title", [](ListingSettings& s) {
                s.title = "Fall Unit";
                s.pages = "1-3";
                s.preview.pages = "2";
                s.preview.watermark = "MINE";
                s.video.pages = "4";
            });
            QVERIFY(session.openFile(other)); // unknown: the watermark stays, not remembered
            QCOMPARE(texts(session), QStringList({"", "", "", "MINE", ""}));
            QVERIFY(session.openFile(first));
            QCOMPARE(texts(session), QStringList({"Fall Unit", "1-3", "2", "MINE", ""}));
            session.undoStack().undo(); // nothing to undo across an open
            session.editSettings("Watermark",
                                 [](ListingSettings& s) { s.preview.watermark = "X"; });
            session.undoStack().undo(); // the undone edit is what is kept
        }
        std::filesystem::create_directory(moved.parent_path());
        std::filesystem::rename(first, moved);

        ListingSession session(store, nullptr, tell());
        QVERIFY(!session.source());
        QCOMPARE(texts(session), QStringList({"", "", "", "MINE", ""}));
        QVERIFY(session.openFile(other));
        QCOMPARE(texts(session), QStringList({"", "", "", "MINE", ""}));
        session.editSettings("Watermark", [](ListingSettings& s) { s.preview.watermark = "CARD"; });
        QVERIFY(session.openFile(moved));
        QCOMPARE(texts(session), QStringList({"Fall Unit", "1-3", "2", "MINE", ""}));
        QCOMPARE(session.undoStack().count(), 0);
        QVERIFY(session.openFile(other));
        QCOMPARE(texts(session), QStringList({"", "", "", "CARD", ""}));

        // The recent list survived too, the file's old place no longer there.
        QCOMPARE(session.recentPDFs(),
                 (std::vector<RecentPDF>{{other, true}, {moved, true}, {first, false}}));
    }

    void aPDFThatCannotBeOpenedAlertsAndKeepsTheOpenOne_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("locked") << "locked"
                                << "\u201Clocked.pdf\u201D is protected with a password. Save a "
                                   "copy without the password and try again.";
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
        else
            QCOMPARE(mkfifo(bad.c_str(), 0600), 0); // would block an open that waits

        QVERIFY(f.session.openFile(outside("asyRefCard.pdf")));
        const auto kept = f.session.source();
        QVERIFY(f.session.openFile(bad)); // a PDF by its name, so taken: the alert tells
        QCOMPARE(f.model.alert(), std::optional(message));
        QCOMPARE(f.session.source(), kept);
        QCOMPARE(f.session.sourceName(), QString("asyRefCard.pdf"));
        QCOMPARE(f.session.recentPDFs().size(), 1u);
    }

    void theFirstPDFOfADropIsOpened() {
        test::ModelFixture f;
        const auto png = f.path("cover.png");
        std::ofstream(png) << "png";
        QVERIFY(!f.session.openFile(png));
        QVERIFY(!f.session.source());
        QVERIFY(!f.session.openFiles({png}));

        const auto upper = f.path("Reference.PDF");
        std::filesystem::copy_file(outside("asyRefCard.pdf"), upper);
        QVERIFY(f.session.openFiles({png, upper, outside("CAD.pdf")}));
        QCOMPARE(f.session.sourceName(), QString("Reference.PDF"));
    }

    void findingsFollowThePDFAndItsSettingsOffTheMainThread() {
        test::ModelFixture f;
        ListingFindings findings(f.session);
        QVERIFY(f.session.openFile(test::outside("CAD.pdf")));
        f.session.editSettings("Pages", [](ListingSettings& s) { s.pages = "2, 14"; });
        QTRY_COMPARE_WITH_TIMEOUT(findings.findings().size(), std::size_t(1), 30000);
        QCOMPARE(findings.findings()[0].message, "Page 14 is not in this 7-page PDF.");
        f.session.editSettings("Pages", [](ListingSettings& s) { s.pages = "2"; });
        QTRY_VERIFY_WITH_TIMEOUT(findings.findings().empty(), 30000);
    }

    void theSampleOpensFromTheTemporaryFolderOrAlerts() {
        test::ModelFixture f;
        qputenv("TMPDIR", f.path("missing").c_str());
        f.session.openSample();
        QVERIFY(!f.session.source());
        QVERIFY(f.model.alert() && f.model.alert()->contains("Fall Math Practice.pdf"));
        qputenv("TMPDIR", f.dir.path().toUtf8());
        f.session.openSample();
        qunsetenv("TMPDIR");
        QCOMPARE(f.session.sourceName(), QString("Fall Math Practice.pdf"));
        QCOMPARE(f.session.source()->url(),
                 std::optional<std::filesystem::path>(f.path("Fall Math Practice.pdf")));
        QCOMPARE(f.session.source()->pageCount(), 8);
        QVERIFY(f.session.recentPDFs().empty()); // it has its own command
    }
};

QTEST_GUILESS_MAIN(ListingSessionTest)
#include "listing_session_test.moc"
