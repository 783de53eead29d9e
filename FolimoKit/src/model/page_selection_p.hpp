#pragma once

#include "folimo/page_selection.hpp"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// What the drawings make of a page list: the pages a seller named that a PDF lacks, and evenly
// spread picks for blank fields.
namespace folimo::PageSelection {

// The first page (1-based) that the text names and a document of pageCount pages lacks, in
// the order the text names them (a range counts with its first such page); nothing when
// every page named is in the document. parse() drops such pages without a word; this tells.
std::optional<std::int64_t> firstMissing(std::string_view text, std::int64_t pageCount);
// Up to pick indices spread evenly from the first to the last page, ascending.
std::vector<int> spread(std::int64_t count, std::int64_t pick);
// Blank text: spread(pageCount, min(pageCount, pick)); otherwise the first limit entries of
// parse(text, pageCount).
std::vector<int> choose(std::string_view text, std::int64_t pageCount, std::int64_t pick,
                        std::int64_t limit);

} // namespace folimo::PageSelection
