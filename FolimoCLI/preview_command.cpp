// folimo-cli preview: the watermarked preview PDF of a listing set, on its own.
#include "cli.hpp"
#include "folimo/listing_renderer.hpp"
#include "folimo/output_naming.hpp"
#include "folimo/preview_pdf.hpp"
#include "folimo/source_pdf.hpp"
#include "stop_on_interrupt.hpp"

#include <filesystem>
#include <iostream>

namespace folimo::cli {
namespace {

// "8.5x11" as inches.
std::pair<double, double> parseSheet(std::string_view text) {
    const auto x = text.find_first_of("xX");
    if (x == std::string_view::npos) refuseValue("--sheet", "a size in inches like 11x8.5", text);
    return {parseNumber(text.substr(0, x), "--sheet"), parseNumber(text.substr(x + 1), "--sheet")};
}

// The preview's own options on top of the stored settings. --pages means the preview's
// pages here, so it is taken out before the shared settings options are read.
ListingSettings readPreviewSettings(Args& args) {
    const auto pages = args.value("--pages");
    ListingSettings settings = readSettings(args);
    PreviewSettings& preview = settings.preview;
    if (pages) preview.pages = *pages;
    if (auto count = args.value("--per-sheet"))
        preview.pagesPerSheet = parseWholeNumber(*count, "--per-sheet");
    if (auto style = args.value("--style")) {
        auto parsed = watermarkStyleFromText(*style);
        if (!parsed) refuseValue("--style", "diagonal or corner", *style);
        preview.style = *parsed;
    }
    if (auto text = args.value("--watermark")) preview.watermark = *text;
    if (auto opacity = args.value("--opacity"))
        preview.opacity = parseNumber(*opacity, "--opacity");
    if (args.flag("--no-flatten")) preview.flatten = false;
    if (auto sheet = args.value("--sheet"))
        std::tie(preview.sheetWidth, preview.sheetHeight) = parseSheet(*sheet);
    return settings;
}

int run(Args& args) {
    const std::optional<std::string> output = args.value("-o");
    const ListingSettings settings = readPreviewSettings(args);
    const auto files = args.positionals(1, 1);
    const auto pdf = SourcePDF::open(files[0]);
    const std::string title(listingTitle(settings.title, pdf->title()));

    const std::filesystem::path path = outputFile(output, OutputNaming::previewFile(title));
    StopOnInterrupt interrupt;
    const int sheets = PreviewPDF::write(*pdf, settings.preview, title, path, interrupt.token());
    std::cout << path.string() << "\n";
    std::cerr << sheets << (sheets == 1 ? " sheet\n" : " sheets\n");
    return 0;
}

// Built before the registration below, which refers to it (same file, so in order).
const std::string usage =
    std::string(
        "usage: folimo-cli preview FILE.pdf [-o OUT.pdf|FOLDER] [options]\n\n"
        "Writes the watermarked preview PDF of a listing set: the chosen pages one or two to a\n"
        "sheet, each with a watermark and \u201CPage 3 of 12\u201D under it; flattened into "
        "pictures\n"
        "unless --no-flatten, so that buyers cannot copy the text. Prints the path written.\n\n"
        "options:\n"
        "  -o OUT.pdf|FOLDER     the file to write, or a folder to write \u201CTITLE "
        "preview.pdf\u201D\n"
        "                        into (default: that name here)\n"
        "  --settings FILE.json  start from stored settings (their preview part and title)\n"
        "  --title TEXT          the listing title (default: the PDF\u2019s own title)\n"
        "  --pages LIST          pages for the preview, like 1-6 or 1, 3, 5 (default: all)\n"
        "  --per-sheet N         pages on a sheet: 1, or 2 for any larger number (default 2)\n"
        "  --style STYLE         diagonal or corner (default diagonal)\n"
        "  --watermark TEXT      the watermark\u2019s text (default PREVIEW)\n"
        "  --opacity X           the watermark\u2019s strength, 0\u20261, held to ") +
    rangeText(PreviewSettings::opacityRange) +
    "\n"
    "                        (default 0.22)\n"
    "  --no-flatten          keep pages as vector content with selectable text\n"
    "  --sheet WxH           sheet size in inches, like 8.5x11 (default 11x8.5; each side\n"
    "                        held to " +
    rangeText(PreviewSettings::sheetSideRange) + " inches)\n";

const Registration registration{
    {"preview", "write the watermarked preview PDF of a PDF", usage, &run}};

} // namespace
} // namespace folimo::cli
