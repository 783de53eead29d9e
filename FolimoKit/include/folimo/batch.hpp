#pragma once

#include "folimo/settings.hpp"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

// One listing set for every PDF directly inside a folder: which files count, in which
// order, where each set goes and with which settings, and the loop that makes them.
namespace folimo::Batch {

// One planned set, identified by its PDF.
struct Item {
    std::filesystem::path pdf;
    std::filesystem::path folder; // the set folder inside the output folder

    bool operator==(const Item&) const = default;
};

// The PDFs directly inside folder (no subfolders): regular files, and links to them, whose
// extension is "pdf" in any case, except hidden ones and "._" companions (a folder, a named
// pipe or a device called "x.pdf" is no PDF, so nothing can block on opening it). Sorted as a file
// browser sorts names: case ignored, runs of digits by their value (Unit 2 before Unit 10), the
// rest by the locale's collation (LC_COLLATE); names that still compare equal keep the listing's
// order. An unreadable folder gives no PDFs.
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

// What run() tells its caller, item by item (index into the items). Each may be empty.
// Called on run()'s thread, except progress, which may come from any of the exporter's.
struct Observer {
    std::function<void(std::size_t item)> started;
    std::function<void(std::size_t item, double fraction)> progress;
    // The set's folder as claimed and the files written (ListingExporter::exportSet's list).
    std::function<void(std::size_t item, const std::filesystem::path& folder,
                       const std::vector<std::filesystem::path>& files)>
        done;
    // The failure's user-facing message (a PDF that cannot be opened, a set not written).
    std::function<void(std::size_t item, const std::string& message)> failed;
};

// Makes the sets one after another, in order, each with settings(settings): claims the
// item's folder (its planned name, or the next free one if something took it meanwhile:
// OutputNaming::claim), opens the PDF and exports it. A failing item is reported and the
// loop goes on. Checks stop before each item and inside each export; throws Cancelled when
// stopped (the item in hand is then neither done nor failed): ListingExporter::Stopped,
// naming that item's set folder and what it holds, when its export had begun.
void run(const std::vector<Item>& items, const ListingSettings& settings, const Observer& observer,
         std::stop_token stop);

} // namespace folimo::Batch
