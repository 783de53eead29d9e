// folimo-cli sample: writes one of the built-in sample packs as a PDF file.
#include "cli.hpp"
#include "folimo/listing_error.hpp"
#include "folimo/sample_pdf.hpp"
#include "stop_on_interrupt.hpp"

#include <array>
#include <filesystem>
#include <iostream>
#include <utility>

namespace folimo::cli {
namespace {

// The packs by the names people type.
constexpr std::array<std::pair<std::string_view, SamplePDF>, 3> packNames = {
    {{"fallMath", SamplePDF::fallMath},
     {"planner", SamplePDF::planner},
     {"spelling", SamplePDF::spelling}}};

SamplePDF packNamed(std::string_view name) {
    for (const auto& [text, pack] : packNames)
        if (text == name) return pack;
    throw UsageError("there is no sample pack \"" + std::string(name) + "\"");
}

int run(Args& args) {
    const std::optional<std::string> output = args.value("-o");
    const auto names = args.positionals(0, 1);
    const SamplePDF pack = names.empty() ? SamplePDF::fallMath : packNamed(names[0]);

    const std::filesystem::path path = outputFile(output, fileName(pack));
    // The pack is drawn in well under a second; a stop asked for meanwhile is taken once its
    // file is whole, so no temporary file is left behind.
    StopOnInterrupt interrupt;
    write(pack, path);
    if (interrupt.token().stop_requested()) throw Cancelled();
    std::cout << path.string() << "\n";
    return 0;
}

constexpr std::string_view usage =
    "usage: folimo-cli sample [fallMath|planner|spelling] [-o OUT.pdf|FOLDER]\n\n"
    "Writes a built-in sample pack as a US Letter PDF: fallMath (Fall Math Practice,\n"
    "8 pages, the default), planner (Weekly Teacher Planner, 6 pages) or spelling\n"
    "(Spelling Word Work, 6 pages). Prints the path written.\n\n"
    "options:\n"
    "  -o OUT.pdf|FOLDER     the file to write, or a folder to write the pack\u2019s own\n"
    "                        file name into (default: the pack\u2019s file name here)\n";

const Registration registration{{"sample", "write a built-in sample pack as a PDF", usage, &run}};

} // namespace
} // namespace folimo::cli
