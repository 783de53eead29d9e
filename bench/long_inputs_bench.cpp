// The worst a settings value can make a drawing cost: a 750 x 750 page grid, a video frame
// and a preview sheet with the usual texts beside the same with titles, badges and
// watermarks of 100,000 characters and of 50 MB (one long word, the slowest to lay out),
// and page lists of millions of pieces. Each should stay near its usual time.
#include "folimo/flip_through.hpp"
#include "folimo/listing_renderer.hpp"
#include "folimo/page_selection.hpp"
#include "folimo/preview_pdf.hpp"

#include <benchmark/benchmark.h>

using namespace folimo;

namespace {

const std::shared_ptr<SourcePDF>& manual() {
    static const auto source = SourcePDF::open("/usr/share/doc/asymptote/asymptote.pdf");
    return source;
}

enum class Field { none, title, badge };

// Texts of state.range(0) characters: 0 keeps the defaults.
ListingSettings withLongText(Field field, std::int64_t length) {
    ListingSettings settings;
    const std::string text(std::size_t(length), 'W');
    if (length > 0 && field == Field::title) settings.title = text;
    if (length > 0 && field == Field::badge) settings.brand.badge = text;
    return settings;
}

void lengths(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(0)->Arg(100'000)->Arg(50'000'000)->Unit(benchmark::kMillisecond);
}

void gridImage(benchmark::State& state, Field field) {
    const ListingRenderer renderer(manual(), withLongText(field, state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(renderer.render(ImageLayout::grid, {750, 750}));
}

void videoFrame(benchmark::State& state, Field field) {
    ListingSettings settings = withLongText(field, state.range(0));
    settings.video.size = {1080, 1080};
    const FlipThrough video(manual(), settings);
    for (auto _ : state)
        benchmark::DoNotOptimize(video.image(1.0));
}

void previewSheet(benchmark::State& state) {
    PreviewSettings settings;
    if (state.range(0) > 0) settings.watermark = std::string(std::size_t(state.range(0)), 'W');
    for (auto _ : state)
        benchmark::DoNotOptimize(PreviewPDF::sheetImage(*manual(), settings, {0, 1}, 1100));
}

void pageList(benchmark::State& state, std::string piece) {
    std::string text;
    for (std::int64_t i = 0; i < state.range(0); ++i)
        text += piece;
    for (auto _ : state)
        benchmark::DoNotOptimize(PageSelection::parse(text, 196));
}

} // namespace

BENCHMARK_CAPTURE(gridImage, title, Field::title)->Apply(lengths);
BENCHMARK_CAPTURE(gridImage, badge, Field::badge)->Apply(lengths);
BENCHMARK_CAPTURE(videoFrame, title, Field::title)->Apply(lengths);
BENCHMARK_CAPTURE(videoFrame, badge, Field::badge)->Apply(lengths);
BENCHMARK(previewSheet)->Apply(lengths);
BENCHMARK_CAPTURE(pageList, commas, std::string(","))
    ->Arg(1)
    ->Arg(3'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(pageList, wholeRanges, std::string("1-196,"))
    ->Arg(1)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
