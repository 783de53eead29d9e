#pragma once

#include "folimo/listing_error.hpp"
#include "folimo/settings.hpp"
#include "folimo/source_pdf.hpp"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <stop_token>
#include <vector>

// Writes one complete listing set of one PDF into one folder.
namespace folimo::ListingExporter {

// Writes into folder (created with any missing parents): every enabled image preset, in
// list order, in each chosen layout (grid, cover, fan, clipboard, desk, frame) into the
// preset's subfolder OutputNaming::safe(preset.name), at quality 0.9; then the preview
// PDF when settings.preview.isOn; then the flip-through video when settings.video.isOn.
// The preview and the video are named after settings.title, trimmed, or the PDF's title
// when that leaves nothing. Gives the files in that order: images preset by preset,
// layout by layout, then the preview, then the video. Presets whose names are made equal
// by safe() share a subfolder; the later preset's image replaces the earlier's.
//
// The work is shared by a few threads (one a core, at most four, the calling thread among
// them), the video overlapping the images, with the promises of a step-by-step export:
// - progress (may be empty) gets the fraction done, each image weighing 1, the preview 2
//   and the video 12 (moving smoothly while it is made): always within 0...1, never
//   decreasing, 1 at the end, never called when there is nothing to write. Calls come one
//   at a time, from any of those threads, and none after the call returns.
// - stop is checked before each image is started and by the video maker between frames;
//   a stop request makes it throw Stopped (a Cancelled that tells what the folder holds)
//   once the work in hand has ended. A request that comes after the last image was started
//   lets a set without a video finish; with a video, the preview in hand stops too.
// - Throws the first failure in the order above, unchanged: ListingError::writeFailed
//   with the folder's name when it cannot be made, writeFailed with an image's file name
//   when the image cannot be drawn or written (a preset subfolder that could not be made
//   shows up this way), the preview's and the video's own errors; or Stopped. Nothing
//   new is started after a failure or a stop request, and the video and preview in hand
//   are stopped. Files written before are left on disk, and so are any that the other
//   threads finished meanwhile; the preview and the video never leave a partial file.
std::vector<std::filesystem::path> exportSet(std::shared_ptr<const SourcePDF> source,
                                             const ListingSettings& settings,
                                             const std::filesystem::path& folder,
                                             std::function<void(double)> progress = {},
                                             std::stop_token stop = {});

// A set that a stop request ended before it was complete. By the time it is thrown the
// work has ended: the files listed are whole, and no partial or temporary file is left.
class Stopped : public Cancelled {
public:
    Stopped(std::filesystem::path folder, std::vector<std::filesystem::path> files,
            std::size_t plannedFiles)
        : folder_(std::move(folder))
        , files_(std::move(files))
        , plannedFiles_(plannedFiles) {}

    // The set's folder.
    const std::filesystem::path& folder() const { return folder_; }
    // The files written, in set order (as exportSet gives them).
    const std::vector<std::filesystem::path>& files() const { return files_; }
    // How many files the whole set would have held (counted as savedFileCount counts).
    std::size_t plannedFiles() const { return plannedFiles_; }

private:
    std::filesystem::path folder_;
    std::vector<std::filesystem::path> files_;
    std::size_t plannedFiles_;
};

// A set made in a folder of its own.
struct SavedSet {
    std::filesystem::path folder;
    std::vector<std::filesystem::path> files; // as exportSet gives them
};

// Claims a new set folder inside parent, named OutputNaming::folderName of the set's title
// (settings.title trimmed, else the PDF's title) and made unique at the moment it is created
// (OutputNaming::claim), so no other export can write into it; then exportSet into it.
// Throws as exportSet, and writeFailed with the folder's name when it cannot be claimed.
SavedSet exportNewSet(std::shared_ptr<const SourcePDF> source, const ListingSettings& settings,
                      const std::filesystem::path& parent,
                      std::function<void(double)> progress = {}, std::stop_token stop = {});

// The number of files an export left: presets whose names come out the same share a folder,
// so one file may have been written twice and is counted once.
std::size_t savedFileCount(const std::vector<std::filesystem::path>& written);

// Removes the temporary files (OutputNaming::isTemporaryFile) last changed more than maxAge
// ago from folder and from the folders one and two levels inside it: what a writer that was
// killed left in a set folder and its preset folders, or in a batch's output folder. Younger
// ones may belong to a writer still at work and stay; links are not followed; a folder that
// cannot be read is passed over. Gives the number of temporary files left there.
std::size_t removeStaleTemporaries(const std::filesystem::path& folder,
                                   std::chrono::seconds maxAge);

} // namespace folimo::ListingExporter
