// folimo-cli batch: one listing set for every PDF directly inside a folder.
#include "cli.hpp"
#include "folimo/batch.hpp"
#include "folimo/listing_error.hpp"
#include "folimo/listing_exporter.hpp"
#include "folimo/work_messages.hpp"
#include "progress_bar.hpp"
#include "set_options.hpp"
#include "stop_on_interrupt.hpp"

#include <clocale>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>

namespace folimo::cli {
namespace {

int run(Args& args) {
    const auto output = args.value("-o");
    if (args.value("--title"))
        throw UsageError("--title does not apply: each set takes its PDF\u2019s own title");
    const ListingSettings settings = readSetSettings(args);
    const std::filesystem::path input = args.positionals(1, 1)[0];
    if (!output) throw UsageError("needs the output folder: -o OUTPUT");

    // Names sort as the user's file browser sorts them.
    std::setlocale(LC_COLLATE, "");
    const auto pdfs = Batch::pdfs(input);
    if (pdfs.empty()) {
        std::cerr << WorkMessages::noPDFsInside(input) << "\n";
        return 1;
    }

    StopOnInterrupt interrupt;
    std::int64_t made = 0;
    std::int64_t failed = 0;
    const auto items = Batch::plan(pdfs, *output);
    std::optional<ProgressBar> bar;
    auto report = [&](std::size_t item, const std::string& outcome) {
        bar.reset();
        std::cout << items[item].pdf.stem().string() << ": " << outcome << std::endl;
    };
    Batch::Observer observer;
    observer.started = [&](std::size_t item) { bar.emplace(items[item].pdf.stem().string()); };
    observer.progress = [&](std::size_t, double fraction) { bar->update(fraction); };
    observer.done = [&](std::size_t item, const std::filesystem::path&,
                        const std::vector<std::filesystem::path>& files) {
        ++made;
        report(item, "Saved " + WorkMessages::fileCount(ListingExporter::savedFileCount(files)));
    };
    observer.failed = [&](std::size_t item, const std::string& message) {
        ++failed;
        report(item, message);
    };
    Batch::run(items, settings, observer, interrupt.token());
    std::cout << WorkMessages::batchSummary(made, failed, 0) << std::endl;
    return failed > 0 ? 1 : 0;
}

const std::string usage =
    std::string("usage: folimo-cli batch FOLDER -o OUTPUT [options]\n\n"
                "Makes one listing set for every PDF directly inside FOLDER, one after another,\n"
                "each in a folder of its own inside OUTPUT named after the PDF and titled from\n"
                "the PDF itself. Prints one line per PDF as it finishes and a count of the sets\n"
                "at the end; a PDF that fails does not stop the others, but the exit status is\n"
                "then 1. Ctrl-C stops it; the files written so far stay.\n\n"
                "options:\n"
                "  -o OUTPUT             where the set folders go (made when missing)\n") +
    settingsUsage(false) + std::string(setUsage);

const Registration registration{
    {"batch", "make a listing set for every PDF in a folder", usage, &run}};

} // namespace
} // namespace folimo::cli
