#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace folimo {

// A 128-bit identifier written as 8-4-4-4-12 hexadecimal digits.
struct Uuid {
    std::array<std::uint8_t, 16> bytes{};

    // Accepts exactly 36 characters in the 8-4-4-4-12 form, hexadecimal digits in either case.
    static std::optional<Uuid> parse(std::string_view text);
    // A new random (version 4) identifier.
    static Uuid random();
    // The standard text, upper case.
    std::string text() const;

    bool operator==(const Uuid&) const = default;
};

// The standard text, for test failure messages.
void PrintTo(const Uuid& uuid, std::ostream* out);

} // namespace folimo

template <> struct std::hash<folimo::Uuid> {
    std::size_t operator()(const folimo::Uuid& uuid) const noexcept;
};
