// folimo-cli make: one PDF in, one complete listing set folder out.
#include "cli.hpp"
#include "folimo/listing_check.hpp"
#include "folimo/listing_error.hpp"
#include "folimo/listing_exporter.hpp"
#include "folimo/sample_pdf.hpp"
#include "folimo/source_pdf.hpp"
#include "folimo/work_messages.hpp"
#include "progress_bar.hpp"
#include "set_options.hpp"
#include "stop_on_interrupt.hpp"

#include <iostream>
#include <string>
#include <system_error>

namespace folimo::cli {
namespace {

int run(Args& args) {
    const bool sample = args.flag("--sample");
    const std::filesystem::path parent = args.value("-o").value_or(".");
    const ListingSettings settings = readSetSettings(args);
    const auto files = args.positionals(sample ? 0 : 1, sample ? 0 : 1);

    StopOnInterrupt interrupt;
    // The sample pack is opened from a real file, as the application does.
    const std::shared_ptr<const SourcePDF> source = SourcePDF::open(
        sample ? writeToTemporaryFolder(SamplePDF::fallMath) : std::filesystem::path(files[0]));

    // What would look wrong is told first; the set is made all the same.
    for (const ListingFinding& finding :
         ListingCheck::findings(source, settings, interrupt.token()))
        std::cerr << finding.message << "\n";

    ProgressBar bar;
    const auto saved = ListingExporter::exportNewSet(
        source, settings, parent, [&bar](double fraction) { bar.update(fraction); },
        interrupt.token());
    bar.clear();
    // The set is saved by now: a working folder that has gone leaves the path as given.
    std::error_code noWorkingFolder;
    std::filesystem::path shown = std::filesystem::absolute(saved.folder, noWorkingFolder);
    if (noWorkingFolder) shown = saved.folder;
    std::cout << WorkMessages::saved(saved.folder, ListingExporter::savedFileCount(saved.files))
              << "\n"
              << shown.lexically_normal().string() << "\n";
    return 0;
}

const std::string usage =
    std::string("usage: folimo-cli make FILE.pdf [options]\n"
                "       folimo-cli make --sample [options]\n\n"
                "Makes one listing set folder inside PARENT, named after the title (\u201CTitle\n"
                "listing\u201D, made unique): every image size in every layout, the watermarked\n"
                "preview PDF and the flip-through video. What would look wrong in a shop (see\n"
                "`folimo-cli check`) is printed on stderr before it starts. Ctrl-C stops it; the\n"
                "files written so far stay.\n\n"
                "options:\n"
                "  -o PARENT             where the set folder goes (default: here)\n"
                "  --sample              use the built-in Fall Math Practice pack\n") +
    settingsUsage() + std::string(setUsage);

const Registration registration{
    {"make", "make a listing set: images, preview PDF and video", usage, &run}};

} // namespace
} // namespace folimo::cli
