// folimo-cli video: the flip-through video of a listing set, on its own.
#include "cli.hpp"
#include "folimo/flip_through.hpp"
#include "folimo/listing_renderer.hpp"
#include "folimo/output_naming.hpp"
#include "folimo/source_pdf.hpp"
#include "progress_bar.hpp"
#include "stop_on_interrupt.hpp"

#include <filesystem>
#include <iostream>

namespace folimo::cli {
namespace {

// The video's own options on top of the stored settings. --pages means the video's pages
// here, so it is taken out before the shared settings options are read.
ListingSettings readVideoSettings(Args& args) {
    const auto pages = args.value("--pages");
    ListingSettings settings = readSettings(args);
    VideoSettings& video = settings.video;
    if (pages) video.pages = *pages;
    if (auto seconds = args.value("--seconds")) video.seconds = parseNumber(*seconds, "--seconds");
    if (auto fps = args.value("--fps")) video.fps = parseWholeNumber(*fps, "--fps");
    if (auto size = args.value("--size")) video.size = parseSize(*size, "--size");
    return settings;
}

int run(Args& args) {
    const std::optional<std::string> output = args.value("-o");
    const ListingSettings settings = readVideoSettings(args);
    const auto files = args.positionals(1, 1);

    StopOnInterrupt interrupt;
    const auto pdf = SourcePDF::open(files[0]);
    const FlipThrough video(pdf, settings);
    const std::filesystem::path path =
        outputFile(output, OutputNaming::videoFile(listingTitle(settings.title, pdf->title())));

    ProgressBar bar;
    video.write(
        path, [&bar](double fraction) { bar.update(fraction); }, interrupt.token());
    bar.clear();
    std::cout << path.string() << "\n";
    std::cerr << video.size().width << " \u00D7 " << video.size().height << ", "
              << video.frameCount() << " frames at " << video.fps() << " fps, "
              << video.pages().size() << (video.pages().size() == 1 ? " page\n" : " pages\n");
    return 0;
}

// Built before the registration below, which refers to it (same file, so in order).
const std::string usage =
    std::string(
        "usage: folimo-cli video FILE.pdf [-o OUT.mp4|FOLDER] [options]\n\n"
        "Writes the flip-through video of a listing set: an H.264 MP4 in which the chosen pages\n"
        "lie on the brand\u2019s background one after another and turn away to the left. Prints\n"
        "the path written. Ctrl-C stops it and leaves no file.\n\n"
        "options:\n"
        "  -o OUT.mp4|FOLDER     the file to write, or a folder to write \u201CTITLE "
        "flip-through.mp4\u201D\n"
        "                        into (default: that name here)\n"
        "  --settings FILE.json  start from stored settings (their video part, title and brand)\n"
        "  --title TEXT          the listing title (default: the PDF\u2019s own title)\n"
        "  --no-title            draw no title above the pages\n"
        "  --brand NAME|FILE     classic, chalkboard, bright or a brand\u2019s JSON file\n"
        "  --pages LIST          pages for the video, like 1-10 or 1, 3, 5 (default: up to 10\n"
        "                        spread from the first page to the last; at most 20)\n"
        "  --seconds S           length, ") +
    rangeText(VideoSettings::secondsRange) + " (default " + numberText(VideoSettings().seconds) +
    ")\n"
    "  --fps N               frames a second, " +
    rangeText(VideoSettings::fpsRange) + " (default " + std::to_string(VideoSettings().fps) +
    ")\n"
    "  --size WxH            frame size in pixels, " +
    rangeText(PixelSize::sideRange) +
    " a side, made even\n"
    "                        (default 1080x1080)\n";

const Registration registration{{"video", "write the flip-through video of a PDF", usage, &run}};

} // namespace
} // namespace folimo::cli
