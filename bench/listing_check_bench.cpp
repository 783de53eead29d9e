// The publish check against the set it checks: a default listing set of a 36-page PDF (the
// first pages of a real manual, vector pages with a few pictures) and of the same pages
// scanned at 150 dpi (a picture a page, every page shown decoded), each from a freshly opened
// PDF as `folimo-cli make` does it; and the check again on a PDF already checked, as an
// application asks on every edit. The check's share is its time over the set's.
#include "folimo/listing_check.hpp"
#include "folimo/listing_exporter.hpp"
#include "render/image_p.hpp"

#include <benchmark/benchmark.h>
#include <cairo-pdf.h>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

using namespace folimo;
namespace fs = std::filesystem;

namespace {

const fs::path folder = fs::temp_directory_path() / "folimo-listing-check-bench";

fs::path vectorPages() {
    const fs::path pdf = folder / "36 pages.pdf";
    if (!fs::exists(pdf)) {
        fs::create_directories(folder);
        const std::string command = "qpdf --empty --pages /usr/share/doc/asymptote/asymptote.pdf "
                                    "1-36 -- '" +
                                    pdf.string() + "'";
        if (std::system(command.c_str()) != 0) throw std::runtime_error("qpdf failed");
    }
    return pdf;
}

// Each page drawn at 150 dpi and placed as one picture on a Letter page.
fs::path scannedPages() {
    const fs::path pdf = folder / "36 scans.pdf";
    if (fs::exists(pdf)) return pdf;
    const auto source = SourcePDF::open(vectorPages());
    cairo_surface_t* surface = cairo_pdf_surface_create(pdf.c_str(), 612, 792);
    cairo_t* cr = cairo_create(surface);
    cairo_translate(cr, 0, 792);
    cairo_scale(cr, 1, -1);
    for (int page = 0; page < source->pageCount(); ++page) {
        drawImage(cr, *source->image(page, 612 * 150 / 72), {0, 0, 612, 792});
        cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return pdf;
}

fs::path pdfFor(const benchmark::State& state) {
    return state.range(0) == 0 ? vectorPages() : scannedPages();
}

void label(benchmark::State& state) {
    state.SetLabel(state.range(0) == 0 ? "36 vector pages" : "36 pages scanned at 150 dpi");
}

void defaultSet(benchmark::State& state) {
    const fs::path pdf = pdfFor(state);
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(folder / "set");
        state.ResumeTiming();
        ListingExporter::exportSet(SourcePDF::open(pdf), {}, folder / "set");
    }
    label(state);
}

void checkFresh(benchmark::State& state) {
    const fs::path pdf = pdfFor(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(ListingCheck::findings(SourcePDF::open(pdf), {}));
    label(state);
}

void checkAgain(benchmark::State& state) {
    const auto source = SourcePDF::open(pdfFor(state));
    ListingCheck::findings(source, {});
    for (auto _ : state)
        benchmark::DoNotOptimize(ListingCheck::findings(source, {}));
    label(state);
}

} // namespace

BENCHMARK(defaultSet)->Arg(0)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(checkFresh)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(checkAgain)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
