// Any bytes given to the settings decoder: it must never crash or throw, and whatever it
// accepts must survive encode -> decode unchanged (the stored form loses nothing).
#include "folimo/settings_json.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const auto settings = folimo::decodeSettings(text, &problem);
    if (!settings) {
        if (problem.empty()) std::abort(); // a refusal always says why
        return 0;
    }
    if (folimo::decodeSettings(folimo::encodeSettings(*settings)) != settings) std::abort();
    return 0;
}
