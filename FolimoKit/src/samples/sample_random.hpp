#pragma once

#include <cstdint>

namespace folimo {

// The sample packs' own pseudo-random numbers: a fixed recipe (a 64-bit linear congruential
// step, then a murmur-style mix) so that a seed gives the same numbers on every machine and
// every library version. All arithmetic wraps modulo 2^64.
class SampleRandom {
public:
    explicit SampleRandom(std::uint64_t seed)
        : state_(seed + 0x9E3779B97F4A7C15u) {}

    std::uint64_t next() {
        state_ = state_ * 6364136223846793005u + 1442695040888963407u;
        const std::uint64_t z = (state_ ^ (state_ >> 33)) * 0xFF51AFD7ED558CCDu;
        return z ^ (z >> 33);
    }

    // An integer in 0 ..< n; n must be positive.
    std::uint64_t below(std::uint64_t n) { return next() % n; }

    // A fraction in 0 ..< 1 in steps of one millionth.
    double fraction() { return double(next() % 1'000'000) / 1'000'000; }

private:
    std::uint64_t state_;
};

} // namespace folimo
