// folimo-cli check: what would look wrong in a shop, before a set is made.
#include "cli.hpp"
#include "folimo/listing_check.hpp"
#include "folimo/source_pdf.hpp"
#include "set_options.hpp"
#include "stop_on_interrupt.hpp"

#include <iostream>

namespace folimo::cli {
namespace {

int run(Args& args) {
    const ListingSettings settings = readSetSettings(args);
    const auto files = args.positionals(1, 1);
    StopOnInterrupt interrupt;
    const auto findings =
        ListingCheck::findings(SourcePDF::open(files[0]), settings, interrupt.token());
    for (const ListingFinding& finding : findings)
        std::cout << finding.message << "\n";
    return findings.empty() ? 0 : 3;
}

const std::string usage =
    std::string(
        "usage: folimo-cli check FILE.pdf [options]\n\n"
        "Tells what would look wrong in the listing set that `make` would make with the\n"
        "same options, one line each: pages the page lists name that the PDF lacks, a\n"
        "title too long to read or cut off in a square thumbnail, pages whose pictures\n"
        "would look blurry. Exits with 0 when there is nothing to tell, 3 when there is.\n\n"
        "options:\n") +
    settingsUsage() + std::string(setUsage);

const Registration registration{
    {"check", "tell what would look wrong in a listing set", usage, &run}};

} // namespace
} // namespace folimo::cli
