#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

// Every file and folder name of a listing set, made from the set's title, so that the
// exporter, the batch planner and the application agree on names and never make one the
// file system refuses. Pure functions apart from claim(), which creates a folder, and
// shownName(), which may ask for the working folder. Nothing else here fails. Texts are
// UTF-8; invalid bytes become U+FFFD.
namespace folimo::OutputNaming {

// The title as a file name + " listing": "/" and ":" become "-", control and format characters
// go, as do blanks at the ends and leading dots, and a title longer than 80 characters is cut
// (never inside a character); "Listing listing" when nothing is left.
std::string folderName(std::string_view title);
// The title as a file name, as in folderName(), + " preview.pdf".
std::string previewFile(std::string_view title);
// The title as a file name, as in folderName(), + " flip-through.mp4".
std::string videoFile(std::string_view title);

// The name a message gives a file or folder: the last real component of path, so that
// "Sets/", "Sets/." and (in Sets) "." are all "Sets". A relative path is taken from the
// working folder.
std::string shownName(const std::filesystem::path& path);

// Creates a new, empty folder inside folder (made with its parents when missing) under name,
// or name + " 2", " 3", ..., the first not present there nor in taken (names in lower case),
// and gives its path. Looking and creating are one step: when another process or thread
// creates that name first, the next name is taken, so two callers never get the same folder. Throws
// ListingError::writeFailed with the name when a folder cannot be made there (no permission, no
// space, a file in the way of folder).
std::filesystem::path claim(std::string_view name, const std::filesystem::path& folder,
                            const std::set<std::string>& taken = {});

} // namespace folimo::OutputNaming
