// Previews through the model: sizes, cache keys and bounds, the non-blocking requests, and
// the video preview's frames and playback.
#include "model/listing_findings.hpp"
#include "model_test_support.hpp"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace folimo;
using folimo::test::outside;

namespace {

ImagePreset preset(std::int64_t width, std::int64_t height) {
    ImagePreset preset = ImagePreset::listing4x3();
    preset.size = {width, height};
    return preset;
}

QImage blank(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

} // namespace

class AppModelPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void withoutAPDFThereIsNothingToShow() {
        test::ModelFixture f;
        QVERIFY(f.model.previewImage(ImageLayout::grid, preset(2000, 1500), 260).isNull());
        QVERIFY(f.model.previewSheets().empty());
        QVERIFY(f.model.videoFrame().isNull());
        QVERIFY(f.model.requestVideoFrame().isNull());
        QCOMPARE(f.model.previewVideoLength(), 0.0);
        // Brands are shown on the sample pack until a PDF is opened.
        QCOMPARE(f.model.brandPreview(Brand::classic()).size(), QSize(960, 720));
    }

    void imagesHaveThePresetsProportionsAndComeFromTheCache() {
        test::ModelFixture f;
        QVERIFY(f.model.openFile(outside("CAD.pdf")));
        const QImage small = f.model.previewImage(ImageLayout::cover, preset(2000, 1500), 260);
        QCOMPARE(small.size(), QSize(260, 195));
        QCOMPARE(f.model.previewImage(ImageLayout::grid, preset(2000, 1500), 1100).size(),
                 QSize(1100, 825));
        // A size typed as 0 x 0 is drawn as exported (held to 64 x 64), not divided by zero.
        QCOMPARE(f.model.previewImage(ImageLayout::grid, preset(0, 0), 260).size(),
                 QSize(260, 260));
        const QImage again = f.model.previewImage(ImageLayout::cover, preset(2000, 1500), 260);
        QCOMPARE(again.constBits(), small.constBits());
        QCOMPARE(f.model.cache().count(), 3u);
    }

    void keysNameEverythingAnImageDependsOn() {
        test::ModelFixture f;
        const Brand classic = Brand::classic();
        const QString sampleKey = f.model.brandPreviewKey(classic);
        f.model.brandPreview(classic);
        QVERIFY(f.model.openFile(outside("CAD.pdf")));
        QVERIFY(f.model.brandPreviewKey(classic) != f.model.brandPreviewKey(Brand::chalkboard()));
        QVERIFY(f.model.brandPreviewKey(classic) != sampleKey); // now on the user's PDF

        const ImagePreset listing = preset(2000, 1500);
        auto keys = [&] {
            return QStringList{f.model.previewImageKey(ImageLayout::grid, listing, 260),
                               f.model.sheetImageKey({0, 1}, 1100), f.model.videoFrameKey()};
        };
        QVERIFY(keys()[0].startsWith("img|grid|260x195|"));
        QVERIFY(keys()[1].startsWith("sheet|[0, 1]|1100|"));
        QVERIFY(keys()[2].startsWith("video|0|720|"));

        QStringList seen = keys();
        auto expectNew = [&](const char* what, int changed) {
            const QStringList now = keys();
            for (int i = 0; i < 3; ++i)
                QVERIFY2((now[i] != seen[i]) == bool(changed & (1 << i)), what);
            seen = now;
        };
        ListingSettings edited = f.model.settings();
        edited.preview.watermark = "DRAFT";
        f.model.setSettings(edited);
        expectNew("watermark", 0b111);
        edited.showTitle = false;
        f.model.setSettings(edited);
        expectNew("title shown", 0b101);
        f.model.addBrand();
        Brand mine = f.model.brand();
        mine.background = {0.1, 0.2, 0.3};
        f.model.updateBrand(mine);
        expectNew("brand", 0b101);
        QVERIFY(f.model.openFile(outside("CAD.pdf"))); // the same file again: a new PDF
        expectNew("reopened", 0b111);
    }

    void theCacheLetsTheLeastRecentlyUsedGoByCountAndByBytes() {
        PreviewCache cache;
        for (int i = 0; i < 161; ++i)
            cache.insert(QString::number(i), blank(8, 8));
        QVERIFY(!cache.use("0").isNull());
        cache.insert("162nd", blank(8, 8));
        QCOMPARE(cache.count(), 161u);
        QVERIFY(cache.contains("0") && cache.contains("162nd") && !cache.contains("1"));

        // 1100 x 825 images are 3.6 MB: 73 fit into 256 MB, the 74th would pass it.
        cache.clear();
        const QImage large = blank(1100, 825);
        const auto fitting = PreviewCache::byteLimit / std::size_t(large.sizeInBytes());
        QCOMPARE(fitting, 73u);
        for (std::size_t i = 0; i < fitting; ++i)
            cache.insert(QString::number(i), large.copy());
        cache.use("0");
        cache.insert("74th", large.copy());
        QCOMPARE(cache.count(), fitting);
        QVERIFY(cache.contains("0") && cache.contains("74th") && !cache.contains("1"));
        QCOMPARE(cache.bytes(), fitting * std::size_t(large.sizeInBytes()));
    }

    void requestsAnswerAtOnceAndSignalWhenDrawn() {
        test::ModelFixture f;
        QVERIFY(f.model.openFile(outside("CAD.pdf")));
        const ImagePreset listing = preset(2000, 1500);
        QSignalSpy ready(&f.model, &AppModel::previewReady);
        QVERIFY(f.model.requestPreviewImage(ImageLayout::fan, listing, 260).isNull());
        QVERIFY(f.model.requestPreviewImage(ImageLayout::fan, listing, 260).isNull()); // once
        QTRY_COMPARE(ready.count(), 1);
        const QString key = f.model.previewImageKey(ImageLayout::fan, listing, 260);
        QCOMPARE(ready.at(0).at(0).toString(), key);
        const QImage drawn = f.model.requestPreviewImage(ImageLayout::fan, listing, 260);
        QCOMPARE(drawn.size(), QSize(260, 195));
        // The same pixels as the synchronous path draws.
        f.model.cacheImage(QImage(), key);
        QCOMPARE(f.model.previewImage(ImageLayout::fan, listing, 260), drawn);
    }

    void aDrawingMadeStaleByAnEditIsDropped() {
        test::ModelFixture f;
        QVERIFY(f.model.openFile(outside("CAD.pdf")));
        const ImagePreset listing = preset(2000, 1500);
        QSignalSpy ready(&f.model, &AppModel::previewReady);
        f.model.requestPreviewImage(ImageLayout::desk, listing, 1100);
        const QString stale = f.model.previewImageKey(ImageLayout::desk, listing, 1100);
        ListingSettings edited = f.model.settings();
        edited.title = "New title";
        f.model.setSettings(edited);
        f.model.requestPreviewImage(ImageLayout::desk, listing, 1100);
        const QString fresh = f.model.previewImageKey(ImageLayout::desk, listing, 1100);
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 1, 20000);
        QCOMPARE(ready.at(0).at(0).toString(), fresh);
        QTest::qWait(100);
        QCOMPARE(ready.count(), 1);
        QVERIFY(!f.model.cache().contains(stale));
    }

    void findingsFollowThePDFAndItsSettingsOffTheMainThread() {
        test::ModelFixture f;
        ListingFindings findings(f.model);
        QVERIFY(f.model.openFile(test::outside("CAD.pdf")));
        f.model.editSettings("Pages", [](ListingSettings& s) { s.pages = "2, 14"; });
        QTRY_COMPARE_WITH_TIMEOUT(findings.findings().size(), std::size_t(1), 30000);
        QCOMPARE(findings.findings()[0].message, "Page 14 is not in this 7-page PDF.");
        f.model.editSettings("Pages", [](ListingSettings& s) { s.pages = "2"; });
        QTRY_VERIFY_WITH_TIMEOUT(findings.findings().empty(), 30000);
    }

    void videoFramesAreTakenAtWholeFifteenthsAt720() {
        test::ModelFixture f;
        QVERIFY(f.model.openFile(outside("CAD.pdf")));
        ListingSettings wide = f.model.settings();
        wide.video.size = {1920, 1080};
        f.model.setSettings(wide);
        QCOMPARE(f.model.previewFlipThrough()->size(), (PixelSize{720, 404}));
        f.model.setVideoTime(1.99);
        QVERIFY(f.model.videoFrameKey().startsWith("video|1.9333333333333333|720|"));
        QCOMPARE(f.model.videoFrame().size(), QSize(720, 404));
        f.model.setVideoTime(1.94);
        QCOMPARE(f.model.videoFrame().constBits(),
                 f.model.cache().value(f.model.videoFrameKey()).constBits());
        QCOMPARE(f.model.cache().count(), 1u); // the same frame
    }

    void playbackStepsToTheEndAndNeverLoops() {
        test::ModelFixture f;
        f.model.togglePlayback(); // nothing to play
        QVERIFY(!f.model.playing());
        QVERIFY(f.model.openFile(outside("CAD.pdf")));
        const double length = f.model.previewVideoLength();
        QCOMPARE(length, 12.0);

        f.model.setVideoTime(length - 0.05);
        f.model.togglePlayback();
        QCOMPARE(f.model.videoTime(), 0.0); // near the end: from the start
        QVERIFY(f.model.playing());
        QElapsedTimer clock;
        clock.start();
        QTRY_VERIFY(f.model.videoTime() >= 10.0 / 15);
        const auto elapsed = clock.elapsed();
        QVERIFY2(elapsed >= 9 * 66, qPrintable(QString::number(elapsed))); // 66 ms a step
        f.model.togglePlayback();
        QVERIFY(!f.model.playing());
        const double stopped = f.model.videoTime();
        QTest::qWait(150);
        QCOMPARE(f.model.videoTime(), stopped);

        f.model.setVideoTime(length - 0.2);
        f.model.togglePlayback();
        QCOMPARE(f.model.videoTime(), length - 0.2);
        QTRY_VERIFY(!f.model.playing());
        QCOMPARE(f.model.videoTime(), length); // exactly the end

        f.model.togglePlayback();
        QVERIFY(f.model.playing());
        QVERIFY(f.model.openFile(outside("asyRefCard.pdf"))); // a new PDF stops it
        QVERIFY(!f.model.playing());
        QCOMPARE(f.model.videoTime(), 0.0);
    }
};

QTEST_GUILESS_MAIN(AppModelPreviewTest)
#include "app_model_preview_test.moc"
