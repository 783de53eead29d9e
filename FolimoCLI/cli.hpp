#pragma once

#include "folimo/settings.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace folimo::cli {

// A command line that doesn't make sense: the message and the command's usage go to
// stderr, exit status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// An input the command refuses before any work starts (a settings file that is not valid
// stored settings, say): the message alone goes to stderr, exit status 2.
struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The arguments after the command's name. Options are taken out as the command asks for
// them ("--size 10x10" or "--size=10x10"); what is left must be positional.
class Args {
public:
    explicit Args(std::vector<std::string> words);

    // The value of an option that takes one; nothing when the option is absent. The last
    // occurrence wins. Throws UsageError when the value is missing.
    std::optional<std::string> value(std::string_view option);
    // Whether a flag without value was given.
    bool flag(std::string_view option);
    // The positional arguments. Throws UsageError for any option nobody asked for, or when
    // the count is not within min...max.
    std::vector<std::string> positionals(std::size_t min, std::size_t max);

private:
    std::vector<std::string> words_;
};

struct Command {
    std::string_view name;
    std::string_view summary;
    std::string_view usage; // the full help text of the command
    int (*run)(Args& args);
};

// Each command registers itself from its own file:
//   static const cli::Registration registration{{"info", "...", "...", &run}};
struct Registration {
    explicit Registration(Command command);
};

const std::vector<Command>& commands();

// The settings options shared by the commands that draw: --settings FILE.json (stored
// settings form; InputError when the file is missing or not valid), then on top of it
// --title TEXT, --no-title, --pages LIST, --brand classic|chalkboard|bright|FILE.json.
ListingSettings readSettings(Args& args);
// The help lines of those options; without the --title line for a command that titles
// each set from its own PDF.
std::string settingsUsage(bool takesTitle = true);

// A setting's range as the help texts write it: "64…6000".
std::string rangeText(const Range<std::int64_t>& range);
std::string rangeText(const Range<double>& range);
// A number in its shortest plain form: "0.05", "2".
std::string numberText(double value);

// Throws UsageError("OPTION takes WHAT, not \"TEXT\"").
[[noreturn]] void refuseValue(std::string_view option, std::string_view what,
                              std::string_view text);
// "WxH" as a size; UsageError otherwise.
PixelSize parseSize(std::string_view text, std::string_view option);
// A finite decimal number; UsageError otherwise.
double parseNumber(std::string_view text, std::string_view option);
// An integer written without a fraction or exponent; UsageError otherwise.
std::int64_t parseWholeNumber(std::string_view text, std::string_view option);

// The file a command that writes one file writes: -o's value, or when that is a folder (or
// -o is absent: this folder) nameInFolder inside it.
std::filesystem::path outputFile(const std::optional<std::string>& output,
                                 const std::string& nameInFolder);

} // namespace folimo::cli
