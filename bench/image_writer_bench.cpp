// Writing one 2000 x 2000 listing image, as the exporter does 18 times a set.
#include "folimo/image_writer.hpp"
#include "folimo/source_pdf.hpp"
#include "render/image_p.hpp"
#include "render/source_pdf_p.hpp"

#include <benchmark/benchmark.h>
#include <filesystem>

using namespace folimo;

namespace {

// Something like a listing image: a warm gradient with wood grain and three pages of a
// real PDF turned on it.
const Image& listingPicture() {
    static const Image image = [] {
        auto pdf = SourcePDF::open("/usr/share/doc/asymptote/asymptote.pdf");
        auto canvas = Canvas::create(2000, 2000);
        cairo_t* cr = canvas->context();
        cairo_pattern_t* wood = cairo_pattern_create_radial(1000, 1000, 100, 1000, 1000, 1500);
        cairo_pattern_add_color_stop_rgb(wood, 0, 0.75, 0.55, 0.35);
        cairo_pattern_add_color_stop_rgb(wood, 1, 0.45, 0.3, 0.2);
        cairo_set_source(cr, wood);
        cairo_paint(cr);
        cairo_pattern_destroy(wood);
        cairo_set_source_rgba(cr, 0.3, 0.2, 0.1, 0.08);
        for (int k = 0; k < 400; ++k) {
            cairo_set_line_width(cr, 1 + k % 5);
            cairo_move_to(cr, 0, k * 5.0);
            cairo_curve_to(cr, 700, k * 5.0 + 20 * (k * 7 % 5), 1300, k * 5.0 - 15, 2000,
                           k * 5.0 + 8);
            cairo_stroke(cr);
        }
        for (int i = 0; i < 3; ++i) {
            cairo_save(cr);
            cairo_translate(cr, 1000, 900);
            cairo_rotate(cr, (i - 1) * 0.12);
            const Rect page{-600.0 + i * 80, -700, 1100, 1400};
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_rectangle(cr, page.x, page.y, page.width, page.height);
            cairo_fill(cr);
            drawPage(*pdf, i * 10, cr, page);
            cairo_restore(cr);
        }
        return std::move(*canvas).finish();
    }();
    return image;
}

void write(benchmark::State& state, ImageFormat format) {
    const auto path = std::filesystem::temp_directory_path() /
                      (std::string("folimo-bench.") + std::string(fileExtension(format)));
    for (auto _ : state)
        ImageWriter::write(listingPicture(), path, format, 0.9);
    state.counters["bytes"] = double(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}

void BM_WritePNG(benchmark::State& state) {
    write(state, ImageFormat::png);
}
void BM_WriteJPEG(benchmark::State& state) {
    write(state, ImageFormat::jpeg);
}

} // namespace

BENCHMARK(BM_WritePNG)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteJPEG)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
