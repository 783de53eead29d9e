// folimo-cli settings: the stored settings form, to start a settings file from and to check
// one before a long run.
#include "cli.hpp"
#include "folimo/settings_json.hpp"

#include <iostream>
#include <nlohmann/json.hpp>

namespace folimo::cli {
namespace {

int run(Args& args) {
    const bool defaults = args.flag("--defaults");
    const auto check = args.value("--check");
    args.positionals(0, 0);
    if (defaults == check.has_value()) throw UsageError("give either --defaults or --check FILE");

    if (defaults) {
        // Re-read with key order kept so the fields appear as the settings declare them.
        std::cout << nlohmann::ordered_json::parse(encodeSettings(ListingSettings())).dump(2)
                  << "\n";
        return 0;
    }
    // The same reading the drawing commands do for --settings, with the same complaints.
    Args settingsFile({"--settings", *check});
    readSettings(settingsFile);
    std::cout << "ok\n";
    return 0;
}

constexpr std::string_view usage =
    "usage: folimo-cli settings --defaults\n"
    "       folimo-cli settings --check FILE.json\n\n"
    "Folimo\u2019s settings as stored JSON: every key must be present with a value of the right\n"
    "type; keys Folimo doesn\u2019t know are ignored. The commands that draw take such a file\n"
    "with --settings FILE.json.\n\n"
    "options:\n"
    "  --defaults            print the default settings, ready to edit\n"
    "  --check FILE.json     print ok when the file holds valid settings; otherwise say\n"
    "                        what is wrong and where, and exit with status 2\n";

const Registration registration{
    {"settings", "print the default settings or check a settings file", usage, &run}};

} // namespace
} // namespace folimo::cli
