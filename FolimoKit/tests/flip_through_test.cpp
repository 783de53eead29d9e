#include "drawing.hpp"
#include "export/flip_through_p.hpp"
#include "export/video_encoder.hpp"
#include "folimo/flip_through.hpp"
#include "folimo/listing_error.hpp"
#include "pdf_files.hpp"
#include "test_support.hpp"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <cmath>
#include <gtest/gtest.h>

using namespace folimo;
using namespace folimo::test;

namespace {

ListingSettings videoSettings(PixelSize size, double seconds, std::int64_t fps,
                              std::string pages = {}) {
    ListingSettings settings;
    settings.video.size = size;
    settings.video.seconds = seconds;
    settings.video.fps = fps;
    settings.video.pages = std::move(pages);
    return settings;
}

int grey(const Image& image, double x, double y) { // y up, as the frame is drawn
    const RGBA8 p = pixelUp(image, x, y);
    return (p.red + p.green + p.blue) / 3;
}

} // namespace

TEST(FlipThroughSettings, AreHeldToWhatAVideoCanBe) {
    FlipThrough odd(manual(), videoSettings({1081, 601}, 30, 120, "1-40"));
    EXPECT_EQ(odd.size(), (PixelSize{1080, 600}));
    EXPECT_EQ(odd.fps(), 60);
    EXPECT_EQ(odd.pages().size(), 20u);

    FlipThrough tiny(manual(), videoSettings({50, 50}, 5, 0, "900-950"));
    EXPECT_EQ(tiny.pages(), std::vector<int>{0});
    EXPECT_EQ(tiny.bitRate(), 1'000'000);
}

TEST(FlipThroughTiming, PagesHoldThenTurnInTheLastPartOfTheirSlot) {
    FlipThrough video(manual(), videoSettings({1080, 1080}, 12, 30, "1-10"));
    auto at = [&](int frame) { return video.pageAndTurn(frame / 30.0); };
    for (int frame = 0; frame <= 21; ++frame)
        EXPECT_EQ(at(frame), (FlipThrough::PageAndTurn{0, 0})) << frame;
    EXPECT_EQ(at(22).page, 0);
    EXPECT_NEAR(at(22).turn, 0.028, 0.001);
    EXPECT_NEAR(at(35).turn, 0.93, 0.001);
    EXPECT_EQ(at(36), (FlipThrough::PageAndTurn{1, 0}));
    EXPECT_EQ(video.pageAndTurn(-3), (FlipThrough::PageAndTurn{0, 0}));
    // The last page holds to the end and beyond.
    EXPECT_EQ(at(359), (FlipThrough::PageAndTurn{9, 0}));
    EXPECT_EQ(video.pageAndTurn(1e300), (FlipThrough::PageAndTurn{9, 0}));

    FlipThrough single(manual(), videoSettings({1080, 1080}, 12, 30, "3"));
    for (double t : {-1.0, 0.0, 5.9, 11.99})
        EXPECT_EQ(single.pageAndTurn(t), (FlipThrough::PageAndTurn{0, 0}));
}

TEST(FlipThroughTiming, TheFirstFrameOfEverySlotShowsItsPageFlat) {
    // Frame times land on slot starts in rounded arithmetic (3.6 s, 70 / 12 s); none of them
    // may show the page before turned all the way.
    for (double seconds : {10.0, 12.0, 12.5, 15.0})
        for (int fps : {12, 13, 24, 25, 30, 60})
            for (int n : {3, 7, 10, 12, 13, 20}) {
                FlipThrough video(manual(),
                                  videoSettings({64, 64}, seconds, fps, "1-" + std::to_string(n)));
                for (std::int64_t i = 0; i < video.frameCount(); ++i) {
                    const double slots = double(i) * n / (fps * seconds);
                    if (std::abs(slots - std::round(slots)) > 1e-6) continue;
                    EXPECT_EQ(video.pageAndTurn(double(i) / fps),
                              (FlipThrough::PageAndTurn{int(std::round(slots)), 0}))
                        << seconds << " s, " << fps << " fps, " << n << " pages, frame " << i;
                }
            }
}

// The page stands on the same margin with or without a title, the title's band taking room
// above it; a wide frame is limited by its height and centred across.
TEST(FlipThroughGeometry, PageRectLiesBelowTheTitleInTheFirstPagesShape) {
    const Size page = manual()->pageSize(0);
    const Rect r = FlipThrough(manual(), ListingSettings{}).pageRect();
    EXPECT_NEAR(r.width / r.height, page.width / page.height, 1e-9);
    ListingSettings plain;
    plain.showTitle = false;
    const Rect grown = FlipThrough(manual(), plain).pageRect();
    EXPECT_NEAR(grown.minY(), r.minY(), 1e-9);
    EXPECT_GT(grown.maxY(), r.maxY() + 0.05 * 1080);
    const Rect wide = FlipThrough(manual(), videoSettings({2000, 1000}, 12, 30)).pageRect();
    EXPECT_NEAR(wide.height, 1000 - 150 - 80, 1e-9);
    EXPECT_NEAR(wide.midX(), 1000, 1e-9);
}

// At the very end of a turn the page is a sliver under a pixel wide: that frame shows the
// page beneath and no badge, drawn whole or from layers alike.
TEST(FlipThroughFrames, TurningPageNarrowsBulgesDarkensAndTakesTheBadgeAway) {
    TempDir dir;
    ListingSettings settings = videoSettings({400, 400}, 12, 30);
    settings.showTitle = false;
    FlipThrough video(blankPages(dir.path(), 2), settings);
    const Rect r = video.pageRect();
    // Two pages: each owns 6 s and turns in the last 0.7 s; halfway through that turn:
    const double midTurn = 6 - 0.35;
    ASSERT_NEAR(video.pageAndTurn(midTurn).turn, 0.5, 1e-9);
    const auto flat = video.image(0), turning = video.image(midTurn);
    ASSERT_TRUE(flat && turning);

    // White paper under black at alpha 0.15, and only 0.707 of the width left of it.
    const double y = r.midY();
    EXPECT_EQ(grey(*flat, r.minX() + 0.6 * r.width, y), 255);
    EXPECT_NEAR(grey(*turning, r.minX() + 0.6 * r.width, y), 217, 4);
    EXPECT_GT(grey(*turning, r.minX() + 0.8 * r.width, y), 235); // the page beneath
    // 4 % taller: it reaches above the page rectangle, where the flat frame shows background.
    const double above = r.maxY() + 0.01 * r.height;
    EXPECT_NEAR(grey(*turning, r.minX() + 0.3 * r.width, above), 217, 4);
    EXPECT_GT(grey(*flat, r.minX() + 0.3 * r.width, above), 230);

    const double sliver = 6 - 1e-4;
    ASSERT_LT(std::cos(video.pageAndTurn(sliver).turn * M_PI / 2) * r.width, 1);
    // Inside the capsule's right end, clear of its text.
    auto isAccent = [&](const Image& image) {
        const RGBA8 p = pixelUp(image, 400 - 0.035 * 400 - 8, 0.035 * 400 + 0.0375 * 400);
        const RGBColor accent = settings.brand.accent;
        return std::abs(p.red - accent.red * 255) < 3 && std::abs(p.blue - accent.blue * 255) < 3;
    };
    EXPECT_TRUE(isAccent(*flat));
    const auto whole = video.image(sliver);
    EXPECT_FALSE(isAccent(*whole));
    flip::FramePainter painter(video);
    painter.paint(sliver);
    EXPECT_TRUE(samePixels(painter.data(), painter.stride(), *whole));
}

TEST(FlipThroughFrames, FramesPaintedFromLayersEqualFramesDrawnWhole) {
    FlipThrough video(manual(), videoSettings({240, 180}, 10, 10, "1-4"));
    flip::FramePainter painter(video);
    int painted = 0;
    for (std::int64_t i = 0; i < video.frameCount(); ++i) {
        const double t = double(i) / video.fps();
        painted += painter.paint(t);
        const auto whole = video.image(t);
        ASSERT_TRUE(whole);
        ASSERT_TRUE(samePixels(painter.data(), painter.stride(), *whole)) << "frame " << i;
    }
    // Held frames repeat the one before: 4 holds, and 3 turns of 0.7 s showing 6 frames each.
    EXPECT_EQ(painted, 4 + 3 * 6);
}

namespace {

// What a player learns from the file, read back with FFmpeg.
struct Probe {
    AVCodecID codec = AV_CODEC_ID_NONE;
    int profile = 0;
    int format = -1;
    int width = 0, height = 0;
    AVRational frameRate{};
    double duration = 0;
    int frames = 0;
    bool indexFirst = false;
};

// Top-level MP4 boxes: the index (moov) must come before the media data (mdat).
bool indexBeforeMedia(const std::filesystem::path& path) {
    const auto bytes = readBytes(path);
    for (std::size_t at = 0; at + 8 <= bytes.size();) {
        const std::string type(bytes.begin() + long(at) + 4, bytes.begin() + long(at) + 8);
        if (type == "moov") return true;
        if (type == "mdat") return false;
        const std::size_t size = std::size_t(bytes[at]) << 24 | std::size_t(bytes[at + 1]) << 16 |
                                 std::size_t(bytes[at + 2]) << 8 | bytes[at + 3];
        if (size < 8) return false;
        at += size;
    }
    return false;
}

Probe probe(const std::filesystem::path& path) {
    Probe result;
    AVFormatContext* file = nullptr;
    if (avformat_open_input(&file, path.c_str(), nullptr, nullptr) < 0) return result;
    if (avformat_find_stream_info(file, nullptr) >= 0 && file->nb_streams == 1) {
        const AVStream* stream = file->streams[0];
        const AVCodecParameters* codec = stream->codecpar;
        result = {codec->codec_id,
                  codec->profile,
                  codec->format,
                  codec->width,
                  codec->height,
                  stream->r_frame_rate,
                  double(stream->duration) * av_q2d(stream->time_base)};
        AVPacket* packet = av_packet_alloc();
        while (av_read_frame(file, packet) >= 0) {
            ++result.frames;
            av_packet_unref(packet);
        }
        av_packet_free(&packet);
    }
    avformat_close_input(&file);
    result.indexFirst = indexBeforeMedia(path);
    return result;
}

} // namespace

TEST(FlipThroughWrite, WritesAStreamableHighProfileH264File) {
    TempDir dir;
    const auto path = dir / "Fall Math: flip-through.mp4";
    writeBytes(path, {'o', 'l', 'd'});
    FlipThrough video(manual(), videoSettings({160, 120}, 10, 10, "1-5"));
    std::vector<double> reports;
    video.write(path, [&](double fraction) { reports.push_back(fraction); }, {});

    const Probe found = probe(path);
    EXPECT_EQ(found.codec, AV_CODEC_ID_H264);
    EXPECT_EQ(found.profile, FF_PROFILE_H264_HIGH);
    EXPECT_EQ(found.format, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(found.width, 160);
    EXPECT_EQ(found.height, 120);
    EXPECT_EQ(av_cmp_q(found.frameRate, {10, 1}), 0);
    EXPECT_EQ(found.frames, 100);
    EXPECT_DOUBLE_EQ(found.duration, 10.0);
    EXPECT_TRUE(found.indexFirst);
    EXPECT_EQ(reports, (std::vector<double>{0, 0.15, 0.3, 0.45, 0.6, 0.75, 0.9, 1}));
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::filesystem::path>{path});

    // Equal frames give equal bytes.
    video.write(dir / "again.mp4", {}, {});
    EXPECT_EQ(readBytes(path), readBytes(dir / "again.mp4"));
}

// Frames above 4K UHD go through the encoder one at a time, each shared out in slices:
// the same kind of file, and equal frames still give equal bytes.
TEST(FlipThroughWrite, FramesLargerThan4KGiveTheSameKindOfFile) {
    TempDir dir;
    const VideoFormat format{4000, 2100, 10, 42'000'000};
    std::vector<std::uint8_t> white(std::size_t(format.width) * format.height * 4, 0xff);
    const VideoPicture picture = PictureConverter(format).convert(white.data(), format.width * 4);
    for (const char* name : {"big.mp4", "again.mp4"}) {
        VideoEncoder encoder(dir / name, format);
        for (int i = 0; i < 3; ++i)
            encoder.append(picture);
        encoder.finish({});
    }
    const Probe found = probe(dir / "big.mp4");
    EXPECT_EQ(found.profile, FF_PROFILE_H264_HIGH);
    EXPECT_EQ(found.width, 4000);
    EXPECT_EQ(found.height, 2100);
    EXPECT_EQ(found.frames, 3);
    EXPECT_EQ(readBytes(dir / "big.mp4"), readBytes(dir / "again.mp4"));
}

TEST(FlipThroughWrite, StopsWithinAFrameAndLeavesNoFile) {
    TempDir dir;
    const auto path = dir / "video.mp4";
    FlipThrough video(manual(), videoSettings({320, 240}, 15, 60));
    std::stop_source stop;
    std::vector<double> reports;
    EXPECT_THROW(video.write(
                     path,
                     [&](double fraction) {
                         reports.push_back(fraction);
                         if (fraction >= 0.1) stop.request_stop();
                     },
                     stop.get_token()),
                 Cancelled);
    // The frame after the request is not started: no report follows the one that stopped.
    ASSERT_FALSE(reports.empty());
    EXPECT_NEAR(reports.back(), 90.0 / 900, 1e-12);
    EXPECT_TRUE(filesIn(dir.path()).empty());

    stop = {};
    stop.request_stop();
    EXPECT_THROW(video.write(path, {}, stop.get_token()), Cancelled);
    EXPECT_TRUE(filesIn(dir.path()).empty());
}

TEST(FlipThroughWrite, FailuresAreVideoErrors) {
    TempDir dir;
    FlipThrough video(manual(), videoSettings({64, 64}, 10, 10));
    const auto error =
        thrownError([&] { video.write(dir / "missing folder" / "video.mp4", {}, {}); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), ListingError::Kind::video);
    EXPECT_TRUE(filesIn(dir.path()).empty());

    // An encoder whose file cannot be opened (a folder's name) fails once the codec is set
    // up; what it had made is freed (the sanitizer build reports anything left).
    const auto encoderError = thrownError([&] {
        VideoEncoder(dir.path(), {64, 64, 10, 1'000'000});
    });
    ASSERT_TRUE(encoderError);
    EXPECT_EQ(encoderError->kind(), ListingError::Kind::video);
}
