// Opening a real PDF and drawing its pages, the costly first step of every layout.
#include "folimo/source_pdf.hpp"

#include <benchmark/benchmark.h>

using namespace folimo;

namespace {

const char* const manual = "/usr/share/doc/asymptote/asymptote.pdf"; // 196 Letter pages

void openManual(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(SourcePDF::open(manual));
}
BENCHMARK(openManual)->Unit(benchmark::kMillisecond);

// A fresh page bitmap every time: the widths are distinct, so nothing comes from the cache.
void pageBitmap(benchmark::State& state) {
    auto pdf = SourcePDF::open(manual);
    int width = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(pdf->image(0, width++));
}
BENCHMARK(pageBitmap)->Arg(600)->Arg(2000)->Arg(6000)->Unit(benchmark::kMillisecond);

// Opening and drawing the first page at 2000 pixels, as a listing's first image does.
void openAndDraw2000(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(SourcePDF::open(manual)->image(0, 2000));
}
BENCHMARK(openAndDraw2000)->Unit(benchmark::kMillisecond);

void cachedBitmap(benchmark::State& state) {
    auto pdf = SourcePDF::open(manual);
    pdf->image(0, 2000);
    for (auto _ : state)
        benchmark::DoNotOptimize(pdf->image(0, 2000));
}
BENCHMARK(cachedBitmap);

} // namespace

BENCHMARK_MAIN();
