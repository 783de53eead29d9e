// The three scenes at a shop size and at the largest size, through the renderer as the
// exporter calls it. The page bitmaps come from the cache after the first round, so what is
// measured is the drawing: wood grain, dust, gradients, shadows and props.
#include "folimo/listing_renderer.hpp"
#include "folimo/source_pdf.hpp"

#include <benchmark/benchmark.h>

using namespace folimo;

namespace {

void renderScene(benchmark::State& state, ImageLayout layout) {
    static const auto source = SourcePDF::open("/usr/share/doc/asymptote/asymptote.pdf");
    const ListingRenderer renderer(source, ListingSettings{});
    const int side = int(state.range(0));
    for (auto _ : state) {
        auto image = renderer.render(layout, {side, side});
        benchmark::DoNotOptimize(image);
    }
}

BENCHMARK_CAPTURE(renderScene, clipboard, ImageLayout::clipboard)
    ->Arg(2000)
    ->Arg(6000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(renderScene, desk, ImageLayout::desk)
    ->Arg(2000)
    ->Arg(6000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(renderScene, frame, ImageLayout::frame)
    ->Arg(2000)
    ->Arg(6000)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
