#include "cli.hpp"

#include "folimo/settings_json.hpp"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <system_error>

namespace folimo::cli {
namespace {

std::vector<Command>& registry() {
    static std::vector<Command> commands;
    return commands;
}

bool isOption(const std::string& word) {
    return word.size() > 1 && word[0] == '-';
}

std::string readFile(const std::string& path, std::string_view what) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw InputError("couldn\u2019t read the " + std::string(what) + " file \u201C" + path +
                         "\u201D");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Whether the whole of text reads as a T, which it is then stored in.
template <class T> bool readWhole(std::string_view text, T& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

} // namespace

Args::Args(std::vector<std::string> words)
    : words_(std::move(words)) {}

std::optional<std::string> Args::value(std::string_view option) {
    std::optional<std::string> found;
    for (std::size_t i = 0; i < words_.size();) {
        const std::string& word = words_[i];
        if (word == option) {
            if (i + 1 >= words_.size()) throw UsageError(std::string(option) + " needs a value");
            found = words_[i + 1];
            words_.erase(words_.begin() + long(i), words_.begin() + long(i) + 2);
        } else if (word.size() > option.size() && word.starts_with(option) &&
                   word[option.size()] == '=') {
            found = word.substr(option.size() + 1);
            words_.erase(words_.begin() + long(i));
        } else {
            ++i;
        }
    }
    return found;
}

bool Args::flag(std::string_view option) {
    return std::erase(words_, std::string(option)) > 0;
}

std::vector<std::string> Args::positionals(std::size_t min, std::size_t max) {
    for (const auto& word : words_)
        if (isOption(word)) throw UsageError("unknown option " + word);
    if (words_.size() < min) throw UsageError("missing argument");
    if (words_.size() > max) throw UsageError("unexpected argument \"" + words_[max] + "\"");
    return words_;
}

Registration::Registration(Command command) {
    registry().push_back(command);
}

const std::vector<Command>& commands() {
    return registry();
}

std::string settingsUsage(bool takesTitle) {
    return std::string(
               "  --settings FILE.json  start from stored settings (as `folimo-cli settings "
               "--defaults`)\n") +
           (takesTitle ? "  --title TEXT          the listing title (default: the PDF\u2019s own "
                         "title)\n"
                       : "") +
           "  --no-title            draw no title on the images\n"
           "  --pages LIST          pages for the images, like 1-6 or 1, 3, 5\n"
           "  --brand NAME|FILE     classic, chalkboard, bright or a brand\u2019s JSON file\n";
}

std::string numberText(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string rangeText(const Range<std::int64_t>& range) {
    return std::to_string(range.min) + "\u2026" + std::to_string(range.max);
}

std::string rangeText(const Range<double>& range) {
    return numberText(range.min) + "\u2026" + numberText(range.max);
}

ListingSettings readSettings(Args& args) {
    ListingSettings settings;
    if (auto path = args.value("--settings")) {
        std::string problem;
        auto decoded = decodeSettings(readFile(*path, "settings"), &problem);
        if (!decoded)
            throw InputError("\u201C" + *path + "\u201D is not valid settings: " + problem);
        settings = std::move(*decoded);
    }
    if (auto title = args.value("--title")) settings.title = *title;
    if (args.flag("--no-title")) settings.showTitle = false;
    if (auto pages = args.value("--pages")) settings.pages = *pages;
    if (auto brand = args.value("--brand")) {
        if (*brand == "classic")
            settings.brand = Brand::classic();
        else if (*brand == "chalkboard")
            settings.brand = Brand::chalkboard();
        else if (*brand == "bright")
            settings.brand = Brand::bright();
        else {
            std::string problem;
            auto decoded = decodeBrand(readFile(*brand, "brand"), &problem);
            if (!decoded)
                throw InputError("\u201C" + *brand + "\u201D is not a valid brand: " + problem);
            settings.brand = std::move(*decoded);
        }
    }
    return settings;
}

void refuseValue(std::string_view option, std::string_view what, std::string_view text) {
    throw UsageError(std::string(option) + " takes " + std::string(what) + ", not \"" +
                     std::string(text) + "\"");
}

PixelSize parseSize(std::string_view text, std::string_view option) {
    const auto x = text.find_first_of("xX");
    PixelSize size;
    if (x == std::string_view::npos || !readWhole(text.substr(0, x), size.width) ||
        !readWhole(text.substr(x + 1), size.height))
        refuseValue(option, "a size like 2000x1500", text);
    return size;
}

double parseNumber(std::string_view text, std::string_view option) {
    double value = 0;
    if (!readWhole(text, value) || !std::isfinite(value)) refuseValue(option, "a number", text);
    return value;
}

std::int64_t parseWholeNumber(std::string_view text, std::string_view option) {
    std::int64_t value = 0;
    if (!readWhole(text, value)) refuseValue(option, "a whole number", text);
    return value;
}

std::filesystem::path outputFile(const std::optional<std::string>& output,
                                 const std::string& nameInFolder) {
    std::filesystem::path path = output.value_or(".");
    // A place that cannot even be looked at (a symbolic link loop, a name too long) is not a
    // folder; writing the file there then fails with the library's own message.
    std::error_code unreadable;
    if (std::filesystem::is_directory(path, unreadable)) path /= nameInFolder;
    return path;
}

} // namespace folimo::cli
