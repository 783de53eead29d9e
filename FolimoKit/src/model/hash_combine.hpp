#pragma once

#include <cstddef>
#include <functional>

namespace folimo {

// One hash of several values, each through its std::hash (ranges element by element, with
// their length, so that [a, b] + [] and [a] + [b] differ), mixed in the boost manner.
class HashCombine {
public:
    template <class T> HashCombine& add(const T& value) {
        mix(std::hash<T>{}(value));
        return *this;
    }
    template <class Range> HashCombine& addRange(const Range& range) {
        std::size_t count = 0;
        for (const auto& element : range) {
            add(element);
            ++count;
        }
        return add(count);
    }
    std::size_t value() const { return seed_; }

private:
    void mix(std::size_t hash) { seed_ ^= hash + 0x9e3779b97f4a7c15 + (seed_ << 6) + (seed_ >> 2); }

    std::size_t seed_ = 0;
};

} // namespace folimo
