#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// The sentences both front ends write about a set's work, in English. The command line prints
// them as they stand; the app shows its translated forms of the same sentences, whose English
// forms are kept equal to these by the app's tests.
namespace folimo::WorkMessages {

// "1 file", "20 files".
std::string fileCount(std::int64_t files);
// "Saved 20 files to “Title listing”." with the set folder's own name.
std::string saved(const std::filesystem::path& folder, std::int64_t files);
// What a stopped set's folder holds: "Stopped. 10 of 20 files saved in “Title listing”." The
// noun goes with the whole set's count: "1 of 20 files", "0 of 1 file".
std::string stopped(const std::filesystem::path& folder, std::int64_t files,
                    std::int64_t plannedFiles);
// "There are no PDFs directly inside “Products”." with the name OutputNaming::shownName gives.
std::string noPDFsInside(const std::filesystem::path& folder);
// The line once a batch has ended: "3 sets made, 1 failed.", with sets stopped counted too
// ("2 sets made, 1 stopped.").
std::string batchSummary(std::int64_t made, std::int64_t failed, std::int64_t stopped);

} // namespace folimo::WorkMessages
