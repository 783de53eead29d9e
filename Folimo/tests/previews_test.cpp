// The previews: sizes, cache keys and bounds, the non-blocking requests, and the video
// preview's frames and playback.
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

class PreviewsTest : public QObject {
    Q_OBJECT

private slots:
    void withoutAPDFThereIsNothingToShow() {
        test::ModelFixture f;
        QVERIFY(f.previews.previewImage(ImageLayout::grid, preset(2000, 1500), 260).isNull());
        QVERIFY(f.previews.previewSheets().empty());
        QVERIFY(f.previews.videoFrame().isNull());
        QVERIFY(f.previews.requestVideoFrame().isNull());
        QCOMPARE(f.previews.previewVideoLength(), 0.0);
        // Brands are shown on the sample pack until a PDF is opened.
        QCOMPARE(f.previews.brandPreview(Brand::classic()).size(), QSize(960, 720));
    }

    void imagesHaveThePresetsProportionsAndComeFromTheCache() {
        test::ModelFixture f;
        QVERIFY(f.session.openFile(outside("CAD.pdf")));
        const QImage small = f.previews.previewImage(ImageLayout::cover, preset(2000, 1500), 260);
        QCOMPARE(small.size(), QSize(260, 195));
        QCOMPARE(f.previews.previewImage(ImageLayout::grid, preset(2000, 1500), 1100).size(),
                 QSize(1100, 825));
        // A size typed as 0 x 0 is drawn as exported (held to 64 x 64), not divided by zero.
        QCOMPARE(f.previews.previewImage(ImageLayout::grid, preset(0, 0), 260).size(),
                 QSize(260, 260));
        const QImage again = f.previews.previewImage(ImageLayout::cover, preset(2000, 1500), 260);
        QCOMPARE(again.constBits(), small.constBits());
        QCOMPARE(f.previews.cache().count(), 3u);

        // Settings without sizes (edited by hand) preview at the first default size.
        ListingSettings noSizes;
        noSizes.images.clear();
        f.session.setSettings(noSizes);
        QCOMPARE(f.previews.previewPreset().id, ImagePreset::squareThumbnails().id);
    }

    void keysNameEverythingAnImageDependsOn() {
        test::ModelFixture f;
        const Brand classic = Brand::classic();
        const QString sampleKey = f.previews.brandPreviewKey(classic);
        f.previews.brandPreview(classic);
        QVERIFY(f.session.openFile(outside("CAD.pdf")));
        QVERIFY(f.previews.brandPreviewKey(classic) !=
                f.previews.brandPreviewKey(Brand::chalkboard()));
        QVERIFY(f.previews.brandPreviewKey(classic) != sampleKey); // now on the user's PDF

        const ImagePreset listing = preset(2000, 1500);
        auto keys = [&] {
            return QStringList{f.previews.previewImageKey(ImageLayout::grid, listing, 260),
                               f.previews.sheetImageKey({0, 1}, 1100), f.previews.videoFrameKey()};
        };
        QStringList seen = keys();
        auto expectNew = [&](const char* what, int changed) {
            const QStringList now = keys();
            for (int i = 0; i < 3; ++i)
                QVERIFY2((now[i] != seen[i]) == bool(changed & (1 << i)), what);
            seen = now;
        };
        ListingSettings edited = f.session.settings();
        edited.preview.watermark = "DRAFT";
        f.session.setSettings(edited);
        expectNew("watermark", 0b111);
        edited.showTitle = false;
        f.session.setSettings(edited);
        expectNew("title shown", 0b101);
        f.session.addBrand();
        Brand mine = f.session.brand();
        mine.background = {0.1, 0.2, 0.3};
        f.session.updateBrand(mine);
        expectNew("brand", 0b101);
        QVERIFY(f.session.openFile(outside("CAD.pdf"))); // the same file again: a new PDF
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
        QVERIFY(f.session.openFile(outside("CAD.pdf")));
        const ImagePreset listing = preset(2000, 1500);
        QSignalSpy ready(&f.previews, &Previews::previewReady);
        QVERIFY(f.previews.requestPreviewImage(ImageLayout::fan, listing, 260).isNull());
        QVERIFY(f.previews.requestPreviewImage(ImageLayout::fan, listing, 260).isNull()); // once
        QTRY_COMPARE(ready.count(), 1);
        const QString key = f.previews.previewImageKey(ImageLayout::fan, listing, 260);
        QCOMPARE(ready.at(0).at(0).toString(), key);
        const QImage drawn = f.previews.requestPreviewImage(ImageLayout::fan, listing, 260);
        QCOMPARE(drawn.size(), QSize(260, 195));
        QCOMPARE(ready.at(0).at(1).value<QImage>().constBits(), drawn.constBits());
        // The same pixels as the synchronous path draws.
        f.previews.cacheImage(QImage(), key);
        QCOMPARE(f.previews.previewImage(ImageLayout::fan, listing, 260), drawn);
    }

    void aDrawingMadeStaleByAnEditIsDropped() {
        test::ModelFixture f;
        QVERIFY(f.session.openFile(outside("CAD.pdf")));
        const ImagePreset listing = preset(2000, 1500);
        QSignalSpy ready(&f.previews, &Previews::previewReady);
        f.previews.requestPreviewImage(ImageLayout::desk, listing, 1100);
        const QString stale = f.previews.previewImageKey(ImageLayout::desk, listing, 1100);
        QSignalSpy changed(&f.previews, &Previews::previewsChanged);
        ListingSettings edited = f.session.settings();
        edited.title = "New title";
        f.session.setSettings(edited);
        QCOMPARE(changed.count(), 1);
        f.previews.requestPreviewImage(ImageLayout::desk, listing, 1100);
        const QString fresh = f.previews.previewImageKey(ImageLayout::desk, listing, 1100);
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 1, 20000);
        QCOMPARE(ready.at(0).at(0).toString(), fresh);
        QTest::qWait(100);
        QCOMPARE(ready.count(), 1);
        QVERIFY(!f.previews.cache().contains(stale));
    }

    void videoFramesAreTakenAtWholeFifteenthsAt720() {
        test::ModelFixture f;
        QVERIFY(f.session.openFile(outside("CAD.pdf")));
        ListingSettings wide = f.session.settings();
        wide.video.size = {1920, 1080};
        f.session.setSettings(wide);
        QCOMPARE(f.previews.previewFlipThrough()->size(), (PixelSize{720, 404}));
        f.previews.setVideoTime(1.99);
        QVERIFY(f.previews.videoFrameKey().startsWith("video|1.9333333333333333|720|"));
        QCOMPARE(f.previews.videoFrame().size(), QSize(720, 404));
        f.previews.setVideoTime(1.94);
        QCOMPARE(f.previews.videoFrame().constBits(),
                 f.previews.cache().value(f.previews.videoFrameKey()).constBits());
        QCOMPARE(f.previews.cache().count(), 1u); // the same frame
    }

    void playbackStepsToTheEndAndNeverLoops() {
        test::ModelFixture f;
        f.previews.togglePlayback(); // nothing to play
        QVERIFY(!f.previews.playing());
        QVERIFY(f.session.openFile(outside("CAD.pdf")));
        const double length = f.previews.previewVideoLength();
        QCOMPARE(length, 12.0);

        f.previews.setVideoTime(length - 0.05);
        f.previews.togglePlayback();
        QCOMPARE(f.previews.videoTime(), 0.0); // near the end: from the start
        QVERIFY(f.previews.playing());
        QElapsedTimer clock;
        clock.start();
        QTRY_VERIFY(f.previews.videoTime() >= 10.0 / 15);
        const auto elapsed = clock.elapsed();
        QVERIFY2(elapsed >= 9 * 66, qPrintable(QString::number(elapsed))); // 66 ms a step
        f.previews.togglePlayback();
        QVERIFY(!f.previews.playing());
        const double stopped = f.previews.videoTime();
        QTest::qWait(150);
        QCOMPARE(f.previews.videoTime(), stopped);

        f.previews.setVideoTime(length - 0.2);
        f.previews.togglePlayback();
        QCOMPARE(f.previews.videoTime(), length - 0.2);
        QTRY_VERIFY(!f.previews.playing());
        QCOMPARE(f.previews.videoTime(), length); // exactly the end

        f.previews.togglePlayback();
        QVERIFY(f.previews.playing());
        QVERIFY(f.session.openFile(outside("asyRefCard.pdf"))); // a new PDF stops it
        QVERIFY(!f.previews.playing());
        QCOMPARE(f.previews.videoTime(), 0.0);
    }
};

QTEST_GUILESS_MAIN(PreviewsTest)
#include "previews_test.moc"
