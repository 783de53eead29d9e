#include "folimo/page_selection.hpp"

#include "unicode_trim.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <unordered_set>

namespace folimo::PageSelection {
namespace {

// An optional "+" and then only the digits 0-9; nothing for anything else or for a value
// beyond a 64-bit signed integer.
std::optional<std::int64_t> number(std::string_view text) {
    if (text.starts_with('+')) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const int digit = c - '0';
        if (value > (max - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

std::vector<std::string_view> split(std::string_view text, std::string_view separators,
                                    bool keepEmpty) {
    std::vector<std::string_view> parts;
    while (true) {
        const auto at = text.find_first_of(separators);
        const auto part = text.substr(0, at);
        if (keepEmpty || !part.empty()) parts.push_back(part);
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

std::string withHyphens(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        // U+2013 (en dash) and U+2014 (em dash) are E2 80 93 and E2 80 94 in UTF-8.
        const auto rest = text.substr(i);
        if (rest.starts_with("\u2013") || rest.starts_with("\u2014")) {
            result += '-';
            i += 3;
        } else {
            result += text[i++];
        }
    }
    return result;
}

class Collector {
public:
    explicit Collector(std::int64_t pageCount)
        : pageCount_(pageCount) {}

    // Page v, 1-based; pages outside the document and repeats are dropped.
    void add(std::int64_t v) {
        const std::int64_t index = v - 1;
        if (index < 0 || index >= pageCount_) return;
        if (seen_.insert(index).second) pages_.push_back(int(index));
    }

    std::vector<int> take() && { return std::move(pages_); }

private:
    std::int64_t pageCount_;
    std::unordered_set<std::int64_t> seen_;
    std::vector<int> pages_;
};

void addPiece(std::string_view piece, std::int64_t n, Collector& pages) {
    if (piece.find('-') == std::string_view::npos) {
        if (auto v = number(piece)) pages.add(*v);
        return;
    }
    const auto ends = split(piece, "-", true);
    if (ends.size() != 2) return;
    const auto first = trimBlanks(ends[0]);
    const auto second = trimBlanks(ends[1]);
    const auto a = first.empty() ? std::optional<std::int64_t>(1) : number(first);
    const auto b = second.empty() ? std::optional<std::int64_t>(n) : number(second);
    if (!a || !b) return;
    // Walked only inside the document, so a huge end costs no more than the last page.
    if (*a <= *b) {
        if (*a > n) return;
        for (std::int64_t v = *a, last = std::min(*b, n); v <= last; ++v)
            pages.add(v);
    } else {
        for (std::int64_t v = std::min(*a, n); v >= *b; --v)
            pages.add(v);
    }
}

} // namespace

std::vector<int> parse(std::string_view text, std::int64_t pageCount) {
    // Indices are ints; no document has more pages than that.
    const std::int64_t n = std::min<std::int64_t>(pageCount, std::numeric_limits<int>::max());
    text = trimWhitespaceAndNewlines(text);
    if (n < 1) return {};
    if (text.empty()) {
        std::vector<int> every(std::size_t(n), 0);
        for (std::size_t i = 0; i < every.size(); ++i)
            every[i] = int(i);
        return every;
    }
    Collector pages(n);
    const std::string hyphenated = withHyphens(text);
    for (auto piece : split(hyphenated, ",;", false))
        addPiece(trimBlanks(piece), n, pages);
    return std::move(pages).take();
}

std::vector<int> spread(std::int64_t count, std::int64_t pick) {
    const std::int64_t n = std::min<std::int64_t>(count, std::numeric_limits<int>::max());
    if (n < 1 || pick < 1) return {};
    if (pick >= n) return parse("", n);
    if (pick == 1) return {0};
    std::vector<int> picks;
    for (std::int64_t i = 0; i < pick; ++i) {
        const auto index = int(std::round(double(n - 1) * double(i) / double(pick - 1)));
        if (picks.empty() || picks.back() != index) picks.push_back(index); // ascending
    }
    return picks;
}

std::string describe(const std::vector<int>& pages) {
    std::string text;
    for (std::size_t start = 0; start < pages.size();) {
        std::size_t end = start;
        while (end + 1 < pages.size() &&
               std::int64_t(pages[end + 1]) == std::int64_t(pages[end]) + 1)
            ++end;
        if (!text.empty()) text += ", ";
        text += std::to_string(std::int64_t(pages[start]) + 1);
        if (end > start) text += "\u2013" + std::to_string(std::int64_t(pages[end]) + 1);
        start = end + 1;
    }
    return text;
}

std::vector<int> choose(std::string_view text, std::int64_t pageCount, std::int64_t pick,
                        std::int64_t limit) {
    if (trimWhitespaceAndNewlines(text).empty())
        return spread(pageCount, std::min(pageCount, pick));
    auto pages = parse(text, pageCount);
    if (std::int64_t(pages.size()) > limit)
        pages.resize(std::size_t(std::max<std::int64_t>(limit, 0)));
    return pages;
}

} // namespace folimo::PageSelection
