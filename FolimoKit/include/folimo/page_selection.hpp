#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Page lists as sellers type them ("1-3, 5") turned into 0-based page indices, and evenly
// spread picks for blank fields. Pure functions; nothing here fails: text that cannot be
// understood gives fewer pages, possibly none.
namespace folimo::PageSelection {

// Distinct 0-based indices in the order the text names them. Blank text: every page.
// Ranges are walked only inside the document.
std::vector<int> parse(std::string_view text, std::int64_t pageCount);
// The first page (1-based) that the text names and a document of pageCount pages lacks, in
// the order the text names them (a range counts with its first such page); nothing when
// every page named is in the document. parse() drops such pages without a word; this tells.
std::optional<std::int64_t> firstMissing(std::string_view text, std::int64_t pageCount);
// Up to pick indices spread evenly from the first to the last page, ascending.
std::vector<int> spread(std::int64_t count, std::int64_t pick);
// The 1-based text of a list: runs joined with an en dash, runs separated by ", ".
std::string describe(const std::vector<int>& pages);
// Blank text: spread(pageCount, min(pageCount, pick)); otherwise the first limit entries of
// parse(text, pageCount).
std::vector<int> choose(std::string_view text, std::int64_t pageCount, std::int64_t pick,
                        std::int64_t limit);

} // namespace folimo::PageSelection
