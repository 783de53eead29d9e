#pragma once

#include "folimo/settings_json.hpp"

#include <cstddef>

namespace folimo {

// The most image presets read from the store; the application never makes more.
inline constexpr std::size_t storedPresetLimit = 64;

} // namespace folimo
