// Listing images at 2000 x 2000 from a real manual (196 pages): each layout with a cold page
// cache (a freshly opened PDF, so every page bitmap is drawn) and with a warm one (the
// bitmaps of the first run reused, as the exporter reuses them across layouts and sizes).
#include "folimo/listing_renderer.hpp"

#include <benchmark/benchmark.h>

using namespace folimo;

namespace {

const char* const manual = "/usr/share/doc/asymptote/asymptote.pdf";
constexpr PixelSize size{2000, 2000};

void renderCold(benchmark::State& state) {
    const auto layout = static_cast<ImageLayout>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        const ListingRenderer renderer(SourcePDF::open(manual), {});
        state.ResumeTiming();
        benchmark::DoNotOptimize(renderer.render(layout, size));
    }
    state.SetLabel(std::string(storedText(layout)));
}

void renderWarm(benchmark::State& state) {
    const auto layout = static_cast<ImageLayout>(state.range(0));
    const ListingRenderer renderer(SourcePDF::open(manual), {});
    renderer.render(layout, size);
    for (auto _ : state)
        benchmark::DoNotOptimize(renderer.render(layout, size));
    state.SetLabel(std::string(storedText(layout)));
}

void eachLayout(benchmark::internal::Benchmark* benchmark) {
    for (ImageLayout layout : folimo::allLayouts)
        benchmark->Arg(static_cast<int>(layout));
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(renderCold)->Apply(eachLayout);
BENCHMARK(renderWarm)->Apply(eachLayout);
BENCHMARK_MAIN();
