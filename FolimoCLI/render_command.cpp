// folimo-cli render: one listing image of a PDF.
#include "cli.hpp"
#include "folimo/image_writer.hpp"
#include "folimo/listing_error.hpp"
#include "folimo/listing_renderer.hpp"
#include "folimo/output_naming.hpp"
#include "folimo/source_pdf.hpp"
#include "stop_on_interrupt.hpp"

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace folimo::cli {
namespace {

ImageLayout parseLayout(std::string_view text) {
    if (auto layout = imageLayoutFromText(text)) return *layout;
    refuseValue("--layout", "grid, cover, fan, clipboard, desk or frame", text);
}

ImageFormat formatOf(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (extension == ".png") return ImageFormat::png;
    if (extension == ".jpg" || extension == ".jpeg") return ImageFormat::jpeg;
    refuseValue("-o", "a file ending in .png, .jpg or .jpeg", path.string());
}

int run(Args& args) {
    const auto output = args.value("-o");
    const auto layoutText = args.value("--layout");
    const auto sizeText = args.value("--size");
    const ListingSettings settings = readSettings(args);
    const auto files = args.positionals(1, 1);
    if (!layoutText) throw UsageError("missing --layout");
    if (!output) throw UsageError("missing -o");
    const ImageLayout layout = parseLayout(*layoutText);
    const PixelSize size = sizeText ? parseSize(*sizeText, "--size") : PixelSize{2000, 2000};
    const std::filesystem::path path = *output;
    const ImageFormat format = formatOf(path);

    // A stop asked for while the image is drawn is taken before anything is written; the
    // write itself is short and goes through a temporary file.
    StopOnInterrupt interrupt;
    const ListingRenderer renderer(SourcePDF::open(files[0]), settings);
    const auto image = renderer.render(layout, size);
    if (interrupt.token().stop_requested()) throw Cancelled();
    if (!image) throw ListingError::writeFailed(OutputNaming::shownName(path));
    ImageWriter::write(*image, path, format, ImageWriter::listingQuality);
    std::cout << path.string() << "\n";
    return 0;
}

// Built before the registration below, which refers to it (same file, so in order).
const std::string usage =
    std::string(
        "usage: folimo-cli render FILE.pdf --layout LAYOUT -o OUT.png|OUT.jpg [options]\n\n"
        "Draws one listing image of the PDF in the brand\u2019s colours and font, with the corner\n"
        "badge, and writes it as PNG or JPEG (by the extension of OUT). Prints the path written.\n"
        "Ctrl-C stops it and leaves no file.\n"
        "Each side is held to ") +
    rangeText(PixelSize::sideRange) +
    " pixels.\n\n"
    "options:\n"
    "  --layout LAYOUT       grid, cover, fan, clipboard, desk or frame\n"
    "  -o OUT.png|OUT.jpg    the file to write\n"
    "  --size WxH            the image size in pixels (default 2000x2000)\n" +
    settingsUsage();

const Registration registration{{"render", "draw one listing image of a PDF", usage, &run}};

} // namespace
} // namespace folimo::cli
