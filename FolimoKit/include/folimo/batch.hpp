#pragma once

#include "folimo/settings.hpp"

#include <cstddef>
#include <filesystem>
#include <vector>

// One listing set for every PDF directly inside a folder: which files count, in which
// order, where each set goes and with which settings. Running the plan (opening each PDF
// and exporting it) is the caller's.
namespace folimo::Batch {

// One planned set, identified by its PDF.
struct Item {
    std::filesystem::path pdf;
    std::filesystem::path folder; // the set folder inside the output folder

    bool operator==(const Item&) const = default;
};

// The PDFs directly inside folder (no subfolders): entries whose extension is "pdf" in any
// case, except hidden ones and "._" companions; entries are not tested for being regular
// files. Sorted as a file browser sorts names: case ignored, runs of digits by their value
// (Unit 2 before Unit 10), the rest by the locale's collation (LC_COLLATE); names that
// still compare equal keep the listing's order. An unreadable folder gives no PDFs.
std::vector<std::filesystem::path> pdfs(const std::filesystem::path& folder);

// One item per PDF, in the same order: the folder is named after the PDF's file name
// without its extension (OutputNaming::folderName), made unique against what already
// exists in outputRoot and against the names planned before it in this batch (case
// ignored). Creates nothing on disk and never fails.
std::vector<Item> plan(const std::vector<std::filesystem::path>& pdfs,
                       const std::filesystem::path& outputRoot);

// The settings every set of a batch is made with: these, with an empty title, so that
// each set takes the title of its own PDF.
ListingSettings settings(const ListingSettings& settings);

} // namespace folimo::Batch

template <> struct std::hash<folimo::Batch::Item> {
    std::size_t operator()(const folimo::Batch::Item& item) const noexcept;
};
