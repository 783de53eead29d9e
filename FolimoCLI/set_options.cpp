#include "set_options.hpp"

#include <set>
#include <string>

namespace folimo::cli {
namespace {

std::set<ImageLayout> parseLayouts(std::string_view text) {
    std::set<ImageLayout> layouts;
    while (!text.empty()) {
        const auto comma = text.find(',');
        std::string_view word = text.substr(0, comma);
        while (!word.empty() && word.front() == ' ')
            word.remove_prefix(1);
        while (!word.empty() && word.back() == ' ')
            word.remove_suffix(1);
        if (!word.empty()) {
            const auto layout = imageLayoutFromText(word);
            if (!layout)
                throw UsageError("--layouts knows grid, cover, fan, clipboard, desk and frame, "
                                 "not \"" +
                                 std::string(word) + "\"");
            layouts.insert(*layout);
        }
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return layouts;
}

} // namespace

ListingSettings readSetSettings(Args& args) {
    ListingSettings settings = readSettings(args);
    if (auto layouts = args.value("--layouts")) settings.layouts = parseLayouts(*layouts);
    if (args.flag("--no-preview")) settings.preview.isOn = false;
    if (args.flag("--no-video")) settings.video.isOn = false;
    return settings;
}

} // namespace folimo::cli
