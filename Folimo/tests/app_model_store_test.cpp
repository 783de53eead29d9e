// The model's start-up from the store, saving, brands and sizes, on a real QSettings file.
#include "folimo/settings_json.hpp"
#include "model/app_model.hpp"
#include "model/model_texts.hpp"
#include "model/pdf_memory.hpp"
#include "model/recent_pdfs.hpp"
#include "model/store_writer.hpp"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <fstream>
#include <memory>

using namespace folimo;

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

class AppModelStoreTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<QSettings> store_;

    QSettings& freshStore() {
        store_.reset();
        QFile::remove(dir_.filePath("store.ini"));
        store_ = std::make_unique<QSettings>(dir_.filePath("store.ini"), QSettings::IniFormat);
        return *store_;
    }
    std::optional<ListingSettings> storedSettings() const {
        return decodeSettings(store_->value("settings.v1").toByteArray().toStdString());
    }

private slots:
    void emptyStoreStartsFromDefaultsAndWritesNothing() {
        AppModel model(freshStore(), nullptr);
        QCOMPARE(model.settings(), ListingSettings());
        QCOMPARE(model.brands(), std::vector<Brand>{Brand::classic()});
        QCOMPARE(model.brandID(), Brand::classic().id);
        QCOMPARE(model.page(), std::optional<Page>(Page::listing));
        QCOMPARE(model.previewPresetID(), QString("listing-4x3"));
        QVERIFY(store_->allKeys().isEmpty());
    }

    void aHandEditedStoreWithoutSizesPreviewsAtTheFirstDefaultSize() {
        ListingSettings stored;
        stored.images.clear();
        QSettings& store = freshStore();
        store.setValue("settings.v1", bytes(encodeSettings(stored)));
        AppModel model(store, nullptr);
        QVERIFY(model.settings().images.empty());
        QCOMPARE(model.previewPreset().id, ImagePreset::squareThumbnails().id);
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

        AppModel model(store, nullptr);
        ListingSettings expected = stored;
        expected.title = expected.pages = expected.preview.pages = expected.video.pages = "";
        QCOMPARE(model.settings(), expected);
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

        AppModel model(store, nullptr);
        QCOMPARE(model.brands(), (std::vector{mine, other}));
        QCOMPARE(model.settings(), kept);
        QCOMPARE(model.alert(), std::optional(ModelTexts::unreadableBrands(1)));
        QCOMPARE(store.value("brands.v1.unreadable").toStringList(),
                 QStringList{R"({"name":"Broken"})"});
        QCOMPARE(store.value("brands.v1").toByteArray(), brands);
        QCOMPARE(store.value("settings.v1").toByteArray(), bytes(settings));
        QVERIFY(!AppModel(store, nullptr).alert()); // told once
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

        AppModel model(store, nullptr);
        QCOMPARE(model.settings(), ListingSettings());
        QCOMPARE(model.brands(), std::vector<Brand>{Brand::classic()});
        QCOMPARE(model.brand(), Brand::classic());
    }

    void storedBrandsAndChoiceAreTakenInUpperCase() {
        const Brand mine = namedBrand("Mine");
        QSettings& store = freshStore();
        store.setValue("brands.v1", bytes(encodeBrands({Brand::classic(), mine})));
        store.setValue("brandID", QString::fromStdString(mine.id.text()).toLower());

        AppModel model(store, nullptr);
        QCOMPARE(model.brands().size(), 2u);
        QCOMPARE(model.brand(), mine);
        model.setBrandID(mine.id);
        QCOMPARE(store.value("brandID").toString(), QString::fromStdString(mine.id.text()));
        QVERIFY(store.value("brandID").toString() == store.value("brandID").toString().toUpper());
    }

    void everyAssignmentSavesButOnlyChangesNotify() {
        AppModel model(freshStore(), nullptr);
        QSignalSpy settingsChanged(&model, &AppModel::settingsChanged);
        QSignalSpy previewsChanged(&model, &AppModel::previewsChanged);
        model.setSettings(model.settings()); // equal: saved, nobody told
        QVERIFY(storedSettings().has_value());
        QCOMPARE(settingsChanged.count(), 0);

        ListingSettings edited = model.settings();
        edited.preview.watermark = "DRAFT";
        model.setSettings(edited);
        QCOMPARE(settingsChanged.count(), 1);
        QCOMPARE(previewsChanged.count(), 1);
        QCOMPARE(storedSettings()->preview.watermark, std::string("DRAFT"));

        QSignalSpy tabChanged(&model, &AppModel::tabChanged);
        model.setTab(ListingTab::video);
        model.setTab(ListingTab::video);
        QCOMPARE(tabChanged.count(), 1);
        QSignalSpy brandIDChanged(&model, &AppModel::brandIDChanged);
        model.setBrandID(Brand::classic().id);
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
            AppModel model(store, nullptr);
            ListingSettings edited = model.settings();
            for (int i = 1; i <= 20; ++i) {
                edited.preview.watermark = "DRAFT-" + std::to_string(i);
                model.setSettings(edited);
            }
            QTRY_VERIFY(onDisk().contains("DRAFT-20"));
            edited.preview.watermark = "LAST";
            model.setSettings(edited);
        } // what is still pending is written when the model goes
        QVERIFY(onDisk().contains("LAST"));
    }

    void addingBrandsNamesCopiesAndChoosesThem() {
        AppModel model(freshStore(), nullptr);
        model.addBrand();
        model.addBrand();
        model.setBrandID(Brand::classic().id);
        model.addBrand();
        QStringList names;
        for (const auto& brand : model.brands())
            names << QString::fromStdString(brand.name);
        QCOMPARE(names, QStringList({"Classic", "My Brand", "My Brand Copy", "My Brand 2"}));
        QCOMPARE(model.brand().name, std::string("My Brand 2"));
        QCOMPARE(model.uniqueBrandName("my brand"), QString("my brand")); // case counts
        QCOMPARE(model.uniqueBrandName("My Brand"), QString("My Brand 3"));

        const auto saved = decodeBrands(store_->value("brands.v1").toByteArray().toStdString());
        QVERIFY(saved && *saved == model.brands());
        QCOMPARE(store_->value("brandID").toString(),
                 QString::fromStdString(model.brandID().text()));
    }

    void updatingAndDeletingBrands() {
        AppModel model(freshStore(), nullptr);
        model.addBrand();
        Brand edited = model.brand();
        edited.badge = "";
        model.updateBrand(edited);
        QCOMPARE(model.brand().badge, std::string());
        QCOMPARE(model.effectiveSettings().brand, edited);

        QSignalSpy brandsChanged(&model, &AppModel::brandsChanged);
        model.updateBrand(namedBrand("Stranger")); // no brand has its id
        model.deleteBrand(Brand::classic().id);    // never deleted
        QCOMPARE(brandsChanged.count(), 0);
        QCOMPARE(model.brands().size(), 2u);

        model.deleteBrand(edited.id);
        QCOMPARE(model.brands(), std::vector<Brand>{Brand::classic()});
        QCOMPARE(model.brandID(), Brand::classic().id);
        QCOMPARE(store_->value("brandID").toString(),
                 QString::fromStdString(Brand::classic().id.text()));
    }

    void brandStepsAreUndoneAndStoredAsBefore() {
        AppModel model(freshStore(), nullptr);
        QUndoStack& steps = model.undoStack();
        model.addBrand();
        QCOMPARE(steps.undoText(), "New Brand “My Brand”");
        const Brand added = model.brand();

        // Typing a name is one step; the next field is another.
        QObject nameField, badgeField;
        Brand typed = added;
        for (const char* name : {"S", "Sh", "Shop"}) {
            typed.name = name;
            model.updateBrand(typed, &nameField);
        }
        typed.badge = "";
        model.updateBrand(typed, &badgeField);
        QCOMPARE(steps.count(), 3);
        steps.undo();
        QCOMPARE(steps.undoText(), "Edit Brand “My Brand”");
        QCOMPARE(model.brand().name, "Shop");
        QCOMPARE(model.brand().badge, added.badge);

        model.deleteBrand(added.id);
        QCOMPARE(steps.undoText(), "Delete Brand “Shop”");
        steps.undo(); // back, chosen again, and stored so
        QCOMPARE(model.brandID(), added.id);
        QCOMPARE(decodeBrands(store_->value("brands.v1").toByteArray().toStdString())->back().name,
                 "Shop");
        QCOMPARE(store_->value("brandID").toString(), QString::fromStdString(added.id.text()));

        steps.undo();
        steps.undo();
        QCOMPARE(model.brands(), std::vector<Brand>{Brand::classic()});
        QCOMPARE(model.brandID(), Brand::classic().id);
        steps.redo();
        QCOMPARE(model.brand(), added);
    }

    void settingsEditsAreOneStepPerFieldTyped() {
        AppModel model(freshStore(), nullptr);
        QUndoStack& steps = model.undoStack();
        QObject titleField;
        for (const char* title : {"F", "Fa", "Fall"})
            model.editSettings(
                "Title", [&](ListingSettings& s) { s.title = title; }, &titleField);
        model.editSettings("Desk", [](ListingSettings& s) { s.layouts.erase(ImageLayout::desk); });
        model.editSettings("Desk", [](ListingSettings& s) { s.layouts.erase(ImageLayout::desk); });
        QCOMPARE(steps.count(), 2); // the second Desk changed nothing
        model.editSettings(
            "Title", [](ListingSettings& s) { s.title = "Fall Pack"; }, &titleField);
        QCOMPARE(steps.count(), 3); // not typed on from the title: a step of its own

        steps.undo();
        steps.undo();
        QCOMPARE(steps.undoText(), "Title");
        QCOMPARE(storedSettings()->title, "Fall");
        QVERIFY(storedSettings()->layouts.contains(ImageLayout::desk));
        steps.undo();
        QCOMPARE(model.settings(), ListingSettings());
        QCOMPARE(storedSettings(), std::optional<ListingSettings>(ListingSettings()));

        // Typed back to where it began, the step goes.
        model.editSettings(
            "Title", [](ListingSettings& s) { s.title = "X"; }, &titleField);
        model.editSettings(
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
        AppModel model(freshStore(), nullptr);
        ListingSettings edited = model.settings();
        edited.images[0].size = {10, 20};
        edited.images[1].format = ImageFormat::png;
        edited.preview.sheetWidth = 3;
        edited.video.size = {1920, 1080};
        edited.video.fps = 24;
        edited.video.seconds = 14;
        edited.preview.watermark = "KEEP";
        model.setSettings(edited);

        model.resetSizes();
        ListingSettings expected = ListingSettings();
        expected.video.seconds = 14;
        expected.preview.watermark = "KEEP";
        QCOMPARE(model.settings(), expected);
        QCOMPARE(storedSettings(), std::optional<ListingSettings>(expected));

        QCOMPARE(model.undoStack().undoText(), "Reset to Defaults");
        model.undoStack().undo();
        QCOMPARE(storedSettings(), std::optional<ListingSettings>(edited));
    }
};

QTEST_GUILESS_MAIN(AppModelStoreTest)
#include "app_model_store_test.moc"
