// Drawing each sample pack into a PDF in memory, as the application does whenever it needs
// the sample for its brand previews. Reports the PDF's size in bytes as a counter.
#include "folimo/sample_pdf.hpp"

#include <benchmark/benchmark.h>

using namespace folimo;

namespace {

void drawPack(benchmark::State& state, SamplePDF pack) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto pdf = data(pack);
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["bytes"] = double(bytes);
}

BENCHMARK_CAPTURE(drawPack, fallMath, SamplePDF::fallMath)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawPack, planner, SamplePDF::planner)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawPack, spelling, SamplePDF::spelling)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
