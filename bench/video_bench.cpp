// The flip-through video at the defaults (1080 x 1080, 12 s, 30 fps, 10 of 12 pages of a
// real manual): painting the frames, encoding them, the whole write, and for scale ffmpeg
// re-encoding the written video with x264's medium preset at the same bit rate. Times are
// wall-clock; "cpu_s" adds up every thread (and ffmpeg's process).
#include "export/flip_through_p.hpp"
#include "export/video_encoder.hpp"
#include "folimo/flip_through.hpp"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <sys/resource.h>

using namespace folimo;

namespace {

const std::filesystem::path& folder() {
    static const std::filesystem::path path = [] {
        auto made = std::filesystem::temp_directory_path() / "folimo-video-bench";
        std::filesystem::create_directories(made);
        return made;
    }();
    return path;
}

// Pages 1-12 of the Asymptote manual as a PDF of their own.
const std::filesystem::path& twelvePages() {
    static const std::filesystem::path path = [] {
        auto pdf = folder() / "twelve.pdf";
        const std::string command = "qpdf --empty --pages /usr/share/doc/asymptote/asymptote.pdf "
                                    "1-12 -- '" +
                                    pdf.string() + "'";
        if (std::system(command.c_str()) != 0) throw std::runtime_error("qpdf failed");
        return pdf;
    }();
    return path;
}

// Each run opens the PDF afresh, so page bitmaps are drawn as in a real export.
FlipThrough freshVideo() {
    return FlipThrough(SourcePDF::open(twelvePages()), {});
}

double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    auto seconds = [](timeval t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void reportFrames(benchmark::State& state, std::int64_t frames, double cpu) {
    state.counters["frames/s"] =
        benchmark::Counter(double(frames), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}

VideoFormat formatOf(const FlipThrough& video) {
    return {int(video.size().width), int(video.size().height), video.fps(), video.bitRate()};
}

// Times work on a video opened afresh for each run, leaving the opening out.
template <class Work> void timeFreshVideos(benchmark::State& state, Work work) {
    double cpu = 0;
    std::int64_t frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const FlipThrough video = freshVideo();
        state.ResumeTiming();
        const double start = cpuSeconds(RUSAGE_SELF);
        work(video);
        cpu += cpuSeconds(RUSAGE_SELF) - start;
        frames = video.frameCount();
    }
    reportFrames(state, frames, cpu);
}

// Every frame drawn whole, as image(t) does for the video pane.
void BM_DrawFramesWhole(benchmark::State& state) {
    const FlipThrough video = freshVideo();
    const double cpu = cpuSeconds(RUSAGE_SELF);
    for (auto _ : state)
        for (std::int64_t i = 0; i < video.frameCount(); ++i)
            benchmark::DoNotOptimize(video.image(double(i) / video.fps()));
    reportFrames(state, video.frameCount(), cpuSeconds(RUSAGE_SELF) - cpu);
}

// Frames painted from cached layers and converted for the encoder, as write() does.
void BM_PaintFrames(benchmark::State& state) {
    timeFreshVideos(state, [](const FlipThrough& video) {
        PictureConverter converter(formatOf(video));
        flip::FramePainter painter(video);
        for (std::int64_t i = 0; i < video.frameCount(); ++i)
            if (painter.paint(double(i) / video.fps()))
                benchmark::DoNotOptimize(converter.convert(painter.data(), painter.stride()));
    });
}

// The encoder alone, fed frames painted beforehand.
void BM_EncodeFrames(benchmark::State& state) {
    const FlipThrough video = freshVideo();
    const VideoFormat format = formatOf(video);
    std::vector<VideoPicture> pictures;
    {
        PictureConverter converter(format);
        flip::FramePainter painter(video);
        for (std::int64_t i = 0; i < video.frameCount(); ++i)
            if (painter.paint(double(i) / video.fps()) || pictures.empty())
                pictures.push_back(converter.convert(painter.data(), painter.stride()));
            else
                pictures.push_back(pictures.back());
    }
    const double cpu = cpuSeconds(RUSAGE_SELF);
    for (auto _ : state) {
        VideoEncoder encoder(folder() / "encoded.mp4", format);
        for (const auto& picture : pictures)
            encoder.append(picture);
        encoder.finish({});
    }
    reportFrames(state, video.frameCount(), cpuSeconds(RUSAGE_SELF) - cpu);
}

void BM_WriteVideo(benchmark::State& state) {
    timeFreshVideos(state,
                    [](const FlipThrough& video) { video.write(folder() / "video.mp4", {}, {}); });
    state.counters["bytes"] = double(std::filesystem::file_size(folder() / "video.mp4"));
}

// What a seller's own ffmpeg would spend on the same frames: decode the written video and
// encode it again with the medium preset at the video's bit rate.
void BM_ReencodeMedium(benchmark::State& state) {
    const auto source = folder() / "reference.mp4";
    freshVideo().write(source, {}, {});
    const std::string command = "ffmpeg -v error -y -i '" + source.string() +
                                "' -c:v libx264 -preset medium -b:v 5832k '" +
                                (folder() / "reencoded.mp4").string() + "'";
    const double cpu = cpuSeconds(RUSAGE_CHILDREN);
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("ffmpeg failed");
    reportFrames(state, 360, cpuSeconds(RUSAGE_CHILDREN) - cpu);
}

} // namespace

BENCHMARK(BM_DrawFramesWhole)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_PaintFrames)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_EncodeFrames)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_WriteVideo)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ReencodeMedium)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(3);
BENCHMARK_MAIN();
