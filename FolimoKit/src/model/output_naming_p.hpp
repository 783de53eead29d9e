#pragma once

#include "folimo/output_naming.hpp"
#include "folimo/settings.hpp"

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

// The names inside a listing set and the steps the public names are made of.
namespace folimo::OutputNaming {

// The title as a file name: "/" and ":" become "-", control and format characters (tabs,
// line breaks, zero-width joiners, ...) go, white space at the ends goes, leading dots go
// (no hidden files), and a title longer than 80 characters is cut to its first 80 and
// trimmed of blanks again. Characters are what a reader counts: an accented letter or an
// emoji flag is one and is never split. The cut also keeps the name within 200 bytes, so
// that the longest suffix still fits the 255-byte limit of Linux file names. "Listing"
// when nothing is left.
std::string safe(std::string_view title);

// "01-grid.png" ... "06-frame.jpg": the layout's fixed number, its stored text and the
// format's extension. The same for every preset: presets have folders of their own.
std::string imageFile(ImageLayout layout, ImageFormat format);
// The hidden name a file of a set is written under until it is complete: ".folimo-" + tag +
// ".part". A writer that is killed leaves it behind.
std::string temporaryFile(std::string_view tag);
// Whether name is a temporaryFile name, whatever its tag.
bool isTemporaryFile(std::string_view name);

// The form of a name that `taken` holds: lower case, Unicode-aware.
std::string lowercased(std::string_view name);

// name, or name + " 2", " 3", ... (always built from name), the first that is neither in
// taken (compared in lower case; taken holds lowercased() names) nor present directly inside
// folder (a file, folder or link of that name, as the file system compares names). A caller
// planning several names at once adds each one's lowercased() form to taken.
std::string unique(std::string_view name, const std::filesystem::path& folder,
                   const std::set<std::string>& taken);

} // namespace folimo::OutputNaming
