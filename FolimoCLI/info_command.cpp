// folimo-cli info: what Folimo reads from a PDF (its title, page count and page sizes).
#include "cli.hpp"
#include "folimo/source_pdf.hpp"

#include <cmath>
#include <iostream>
#include <nlohmann/json.hpp>

namespace folimo::cli {
namespace {

// A size in points as a JSON number: to a thousandth of a point (Poppler's box arithmetic
// leaves digits like 595.2760000000001), and an integer where whole.
nlohmann::ordered_json points(double value) {
    const double rounded = std::round(value * 1000) / 1000;
    if (std::abs(rounded) < 1e15 && std::trunc(rounded) == rounded) return std::int64_t(rounded);
    return rounded;
}

int run(Args& args) {
    const bool json = args.flag("--json");
    const auto files = args.positionals(1, 1);
    const auto pdf = SourcePDF::open(files[0]);

    if (json) {
        auto pages = nlohmann::ordered_json::array();
        for (int page = 0; page < pdf->pageCount(); ++page) {
            const Size size = pdf->pageSize(page);
            pages.push_back({{"width", points(size.width)}, {"height", points(size.height)}});
        }
        const nlohmann::ordered_json info = {
            {"title", pdf->title()}, {"pageCount", pdf->pageCount()}, {"pages", pages}};
        // File names need not be UTF-8; their stray bytes become U+FFFD rather than an error.
        std::cout << info.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << "\n";
        return 0;
    }
    std::cout << "title: " << pdf->title() << "\npages: " << pdf->pageCount() << "\n";
    for (int page = 0; page < pdf->pageCount(); ++page) {
        const Size size = pdf->pageSize(page);
        std::cout << "page " << page + 1 << ": " << points(size.width).dump() << " x "
                  << points(size.height).dump() << " pt\n";
    }
    return 0;
}

constexpr std::string_view usage =
    "usage: folimo-cli info FILE.pdf [--json]\n\n"
    "Prints what Folimo reads from a PDF: the title it offers for the listing (the PDF\u2019s\n"
    "own title, else the file name), the page count and each page\u2019s size in points as a\n"
    "viewer shows it (turned pages have width and height swapped).\n\n"
    "options:\n"
    "  --json                one JSON object: {\"title\": ..., \"pageCount\": N,\n"
    "                        \"pages\": [{\"width\": W, \"height\": H}, ...]}\n";

const Registration registration{
    {"info", "show a PDF\u2019s title, page count and page sizes", usage, &run}};

} // namespace
} // namespace folimo::cli
