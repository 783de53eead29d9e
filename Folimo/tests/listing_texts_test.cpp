// The listing page's texts made from model values.

#include "model/listing_texts.hpp"
#include "model/translation.hpp"

#include <QTest>
#include <cmath>

using namespace folimo;

class ListingTextsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installTranslation(); }

    void sheetsHeaderNamesTheCountAndSize() {
        PreviewSettings preview;
        QCOMPARE(ListingTexts::sheetsHeader(0, preview),
                 QStringLiteral("None of those pages are in this PDF."));
        QCOMPARE(ListingTexts::sheetsHeader(1, preview), QStringLiteral("1 sheet, 11 × 8.5 in"));
        preview.sheetWidth = 8.5;
        preview.sheetHeight = 11;
        QCOMPARE(ListingTexts::sheetsHeader(3, preview), QStringLiteral("3 sheets, 8.5 × 11 in"));
        QCOMPARE(ListingTexts::sheetsHeader(2, preview, QLocale(QLocale::German)),
                 QStringLiteral("2 sheets, 8,5 × 11 in"));
        QCOMPARE(ListingTexts::sheetName(1, {4, 5, 6, 7}),
                 QStringLiteral("Preview sheet 2: pages 5–8"));
        QCOMPARE(ListingTexts::sheetName(2, {8}), QStringLiteral("Preview sheet 3: page 9"));
    }

    void positionHasOneDecimalInTheLocale() {
        QCOMPARE(ListingTexts::seconds(0), QStringLiteral("0.0"));
        QCOMPARE(ListingTexts::seconds(1.9333, QLocale(QLocale::German)), QStringLiteral("1,9"));
        QCOMPARE(ListingTexts::videoFrameName(12), QStringLiteral("Video frame at 12.0 seconds"));
    }

    void videoTextsShowClampedValues() {
        VideoSettings video;
        QCOMPARE(ListingTexts::videoLength(video), QStringLiteral("12 s"));
        video.seconds = 12.9;
        QCOMPARE(ListingTexts::videoLength(video), QStringLiteral("12 s"));
        video.seconds = 20;
        QCOMPARE(ListingTexts::videoLength(video), QStringLiteral("15 s"));
        video.seconds = std::nan("");
        QCOMPARE(ListingTexts::videoLength(video), QStringLiteral("10 s"));

        QCOMPARE(ListingTexts::videoSize(video), QStringLiteral("1080 × 1080, 30 fps, MP4"));
        video.size = {10000, 10};
        video.fps = 0;
        QCOMPARE(ListingTexts::videoSize(video), QStringLiteral("6000 × 64, 0 fps, MP4"));
    }

    void presetTexts() {
        const ImagePreset& preset = ImagePreset::listing4x3();
        QCOMPARE(ListingTexts::presetDetail(preset), QStringLiteral("2000 × 1500 px, JPEG"));
        QCOMPARE(ListingTexts::presetDetail(ImagePreset::squareThumbnails()),
                 QStringLiteral("750 × 750 px, PNG"));
        QCOMPARE(ListingTexts::largeImageName(ImageLayout::cover, preset),
                 QStringLiteral("Cover image, 2000 by 1500 pixels"));
    }
};

QTEST_MAIN(ListingTextsTest)
#include "listing_texts_test.moc"
