#pragma once

#include <cstdint>

namespace folimo {

// The fixed-seed generator behind the scene textures: a 64-bit linear congruential state
// with a murmur-style mix on the way out. A plain value, one per texture, so the same
// seed gives the same draws on any thread.
class Noise {
public:
    static constexpr std::uint64_t tableWoodSeed = 0x9E3779B97F4A7C18;
    static constexpr std::uint64_t clipboardGrainSeed = 0x9E3779B97F4A7C1C;
    static constexpr std::uint64_t deskSpeckleSeed = 0x9E3779B97F4A7C20;

    explicit constexpr Noise(std::uint64_t seed)
        : state_(seed) {}

    // The next draw, in [0, 1) with a resolution of one millionth.
    constexpr double next() {
        state_ = state_ * 6364136223846793005u + 1442695040888963407u;
        std::uint64_t z = (state_ ^ (state_ >> 33)) * 0xFF51AFD7ED558CCDu;
        z ^= z >> 33;
        return static_cast<double>(z % 1000000) / 1000000.0;
    }

private:
    std::uint64_t state_;
};

} // namespace folimo
