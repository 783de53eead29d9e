#include "model/page_selection_p.hpp"
#include "model/unicode_trim.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>

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

// The pages named so far, in order. Pages not yet named are kept as runs, so that a range
// walks only pages it adds: a list that names the same long range over and over costs no
// more than naming it once.
class Collector {
public:
    explicit Collector(std::int64_t pageCount) { unnamed_.emplace(1, pageCount); }

    // Pages first...last, 1-based, walked in that direction (first > last walks down);
    // pages outside the document and repeats are dropped.
    void add(std::int64_t first, std::int64_t last) {
        if (first <= last)
            addUp(first, last);
        else
            addDown(first, last);
    }

    std::vector<int> take() && { return std::move(pages_); }

private:
    // Runs of unnamed pages, first page -> last page.
    using Runs = std::map<std::int64_t, std::int64_t>;

    // The run holding page v or the first one after it.
    Runs::iterator runFrom(std::int64_t v) {
        auto run = unnamed_.upper_bound(v);
        if (run != unnamed_.begin() && std::prev(run)->second >= v) --run;
        return run;
    }

    // Names pages a...b (inside one run) and gives the run that follows them, if any.
    Runs::iterator take(Runs::iterator run, std::int64_t a, std::int64_t b) {
        const auto [first, last] = *run;
        run = unnamed_.erase(run);
        if (first < a) unnamed_.emplace(first, a - 1);
        if (b < last) run = unnamed_.emplace(b + 1, last).first;
        return run;
    }

    void addUp(std::int64_t first, std::int64_t last) {
        for (auto run = runFrom(first); run != unnamed_.end() && run->first <= last;) {
            const std::int64_t a = std::max(first, run->first);
            const std::int64_t b = std::min(last, run->second);
            for (std::int64_t v = a; v <= b; ++v)
                pages_.push_back(int(v - 1));
            run = take(run, a, b);
        }
    }

    void addDown(std::int64_t first, std::int64_t last) {
        auto run = unnamed_.upper_bound(first);
        while (run != unnamed_.begin()) {
            --run;
            if (run->second < last) return;
            const std::int64_t b = std::min(first, run->second);
            const std::int64_t a = std::max(last, run->first);
            for (std::int64_t v = b; v >= a; --v)
                pages_.push_back(int(v - 1));
            run = take(run, a, b);
            run = unnamed_.lower_bound(a);
        }
    }

    Runs unnamed_;
    std::vector<int> pages_;
};

// The pages a piece names, first...last (1-based, first > last for a reversed range), before
// anything is cut to the document; nothing for a piece that is no page or range.
std::optional<std::pair<std::int64_t, std::int64_t>> named(std::string_view piece, std::int64_t n) {
    const auto dash = piece.find('-');
    if (dash == std::string_view::npos) {
        const auto v = number(piece);
        if (!v) return std::nullopt;
        return std::pair{*v, *v};
    }
    if (piece.find('-', dash + 1) != std::string_view::npos) return std::nullopt;
    const auto first = trimBlanks(piece.substr(0, dash));
    const auto second = trimBlanks(piece.substr(dash + 1));
    const auto a = first.empty() ? std::optional<std::int64_t>(1) : number(first);
    const auto b = second.empty() ? std::optional<std::int64_t>(n) : number(second);
    if (!a || !b) return std::nullopt;
    return std::pair{*a, *b};
}

// Calls visit(first, last) for each piece of a non-blank list that names pages, in order.
template <class Visit> void eachNamed(std::string_view text, std::int64_t n, Visit visit) {
    const std::string hyphenated = withHyphens(text);
    for (std::string_view rest = hyphenated; !rest.empty();) {
        const auto at = rest.find_first_of(",;");
        if (const auto pages = named(trimBlanks(rest.substr(0, at)), n))
            visit(pages->first, pages->second);
        rest.remove_prefix(at == std::string_view::npos ? rest.size() : at + 1);
    }
}

// Indices are ints; no document has more pages than that.
std::int64_t pagesOf(std::int64_t pageCount) {
    return std::min<std::int64_t>(pageCount, std::numeric_limits<int>::max());
}

} // namespace

std::vector<int> parse(std::string_view text, std::int64_t pageCount) {
    const std::int64_t n = pagesOf(pageCount);
    text = trimWhitespaceAndNewlines(text);
    if (n < 1) return {};
    if (text.empty()) {
        std::vector<int> every(std::size_t(n), 0);
        for (std::size_t i = 0; i < every.size(); ++i)
            every[i] = int(i);
        return every;
    }
    Collector pages(n);
    eachNamed(text, n, [&pages](std::int64_t first, std::int64_t last) { pages.add(first, last); });
    return std::move(pages).take();
}

std::optional<std::int64_t> firstMissing(std::string_view text, std::int64_t pageCount) {
    const std::int64_t n = pagesOf(pageCount);
    std::optional<std::int64_t> missing;
    eachNamed(trimWhitespaceAndNewlines(text), n, [&](std::int64_t first, std::int64_t last) {
        if (missing) return;
        // A range is walked from its first page: the first it names outside 1...n.
        if (first < 1 || first > n)
            missing = first;
        else if (last > n)
            missing = n + 1;
        else if (last < 1)
            missing = 0;
    });
    return missing;
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
