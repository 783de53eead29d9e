// The program's texts made from model values, in their singular and plural forms.

#include "folimo/work_messages.hpp"
#include "model/texts.hpp"
#include "model/translation.hpp"

#include <QTest>
#include <cmath>

using namespace folimo;

class TextsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installTranslation(); }

    void sheetsHeaderNamesTheCountAndSize() {
        PreviewSettings preview;
        QCOMPARE(Texts::sheetsHeader(0, preview),
                 QStringLiteral("None of those pages are in this PDF."));
        QCOMPARE(Texts::sheetsHeader(1, preview), QStringLiteral("1 sheet, 11 × 8.5 in"));
        preview.sheetWidth = 8.5;
        preview.sheetHeight = 11;
        QCOMPARE(Texts::sheetsHeader(3, preview), QStringLiteral("3 sheets, 8.5 × 11 in"));
        QCOMPARE(Texts::sheetsHeader(2, preview, QLocale(QLocale::German)),
                 QStringLiteral("2 sheets, 8,5 × 11 in"));
        QCOMPARE(Texts::sheetName(1, {4, 5, 6, 7}), QStringLiteral("Preview sheet 2: pages 5–8"));
        QCOMPARE(Texts::sheetName(2, {8}), QStringLiteral("Preview sheet 3: page 9"));
    }

    void positionHasOneDecimalInTheLocale() {
        QCOMPARE(Texts::seconds(0), QStringLiteral("0.0"));
        QCOMPARE(Texts::seconds(1.9333, QLocale(QLocale::German)), QStringLiteral("1,9"));
        QCOMPARE(Texts::videoFrameName(12), QStringLiteral("Video frame at 12.0 seconds"));
    }

    void videoTextsShowClampedValues() {
        VideoSettings video;
        QCOMPARE(Texts::videoLength(video), QStringLiteral("12 s"));
        video.seconds = 12.9;
        QCOMPARE(Texts::videoLength(video), QStringLiteral("12 s"));
        video.seconds = 20;
        QCOMPARE(Texts::videoLength(video), QStringLiteral("15 s"));
        video.seconds = std::nan("");
        QCOMPARE(Texts::videoLength(video), QStringLiteral("10 s"));

        QCOMPARE(Texts::videoSize(video), QStringLiteral("1080 × 1080, 30 fps, MP4"));
        video.size = {10000, 10};
        video.fps = 0;
        QCOMPARE(Texts::videoSize(video), QStringLiteral("6000 × 64, 0 fps, MP4"));
    }

    void presetTexts() {
        const ImagePreset& preset = ImagePreset::listing4x3();
        QCOMPARE(Texts::presetDetail(preset), QStringLiteral("2000 × 1500 px, JPEG"));
        QCOMPARE(Texts::presetDetail(ImagePreset::squareThumbnails()),
                 QStringLiteral("750 × 750 px, PNG"));
        QCOMPARE(Texts::largeImageName(ImageLayout::cover, preset),
                 QStringLiteral("Cover image, 2000 by 1500 pixels"));
    }
    void countsReadInTheirSingularAndPluralForms() {
        ListingSettings settings;
        QCOMPARE(Texts::exportSummary(settings),
                 QString("20 files: 18 images, preview PDF, video"));
        settings.video.isOn = false;
        settings.preview.isOn = false;
        for (auto& preset : settings.images)
            preset.isOn = false;
        QCOMPARE(Texts::exportSummary(settings), QString("0 files: nothing chosen"));
        settings.preview.isOn = true;
        QCOMPARE(Texts::contents(settings), QString("preview PDF"));
        settings.preview.isOn = false;
        settings.images[0].isOn = true;
        QCOMPARE(Texts::filesPerPDF(settings), QString("6 files per PDF"));
        settings.layouts = {ImageLayout::cover};
        QCOMPARE(Texts::exportSummary(settings), QString("1 file: 1 image"));
        QCOMPARE(Texts::filesPerPDF(settings), QString("1 file per PDF"));

        const std::filesystem::path set = "/sets/Fall Math Practice listing";
        // The sentences the command line writes too read the same in English, in the singular
        // and the plural.
        for (const std::int64_t files : {1, 20}) {
            QCOMPARE(Texts::saved(set, files),
                     QString::fromStdString(WorkMessages::saved(set, files)));
            QCOMPARE(Texts::stopped(set, files - 1, files),
                     QString::fromStdString(WorkMessages::stopped(set, files - 1, files)));
        }
        QCOMPARE(Texts::noPDFsInside("/pdfs/Products/"),
                 QString::fromStdString(WorkMessages::noPDFsInside("/pdfs/Products/")));
        using Kind = ListingFinding::Kind;
        for (const Kind kind :
             {Kind::missingListingPage, Kind::missingPreviewPage, Kind::missingVideoPage,
              Kind::titleTooLong, Kind::titleCutBySquare, Kind::lowResolutionPage}) {
            const ListingFinding finding{kind, 14, {750, 500}, {}};
            QCOMPARE(Texts::finding(finding, 12),
                     QString::fromStdString(ListingCheck::message(finding, 12)));
        }
        QCOMPARE(Texts::statusText(BatchRow::Status::done(1, set)), QString("1 file"));
        QCOMPARE(Texts::batchSummary({{"a.pdf", BatchRow::Status::done(1, set)},
                                      {"b.pdf", BatchRow::Status::failed("No.")},
                                      {"c.pdf", BatchRow::Status::stopped(set, 1, 2)},
                                      {"d.pdf", BatchRow::Status::waiting()}}),
                 QString::fromStdString(WorkMessages::batchSummary(1, 1, 1)));
        QVERIFY(Texts::batchSummary({{"a.pdf", BatchRow::Status::waiting()}}).isEmpty());
        QCOMPARE(Texts::unreadableBrands(1),
                 QString("A saved brand couldn\u2019t be read, so it was set aside. Your other "
                         "brands are kept."));
    }
};

QTEST_MAIN(TextsTest)
#include "texts_test.moc"
