#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Page lists as sellers type them ("1-3, 5") turned into 0-based page indices and back. Pure
// functions; nothing here fails: text that cannot be understood gives fewer pages, possibly
// none.
namespace folimo::PageSelection {

// Distinct 0-based indices in the order the text names them. Blank text: every page.
// Ranges are walked only inside the document.
std::vector<int> parse(std::string_view text, std::int64_t pageCount);
// The 1-based text of a list: runs joined with an en dash, runs separated by ", ".
std::string describe(const std::vector<int>& pages);

} // namespace folimo::PageSelection
