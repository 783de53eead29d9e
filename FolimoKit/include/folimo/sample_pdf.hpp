#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The three printable packs the library draws itself, so that every feature can be tried
// without a PDF of one's own. Each pack is drawn afresh, in vector drawing only, into a
// multi-page US Letter PDF held in memory.
namespace folimo {

enum class SamplePDF { fallMath, planner, spelling };

// The pack's title followed by ".pdf": "Fall Math Practice.pdf", "Weekly Teacher Planner.pdf",
// "Spelling Word Work.pdf".
std::string fileName(SamplePDF pack);

// The whole pack as the bytes of a PDF: 612 x 792 point pages (8 for fallMath, 6 for the
// others), the title as the document title and "Folimo sample" as its creator. The same
// pack gives the same bytes every time. Safe to call from any thread, also for several
// packs at once. Does not fail.
std::vector<std::uint8_t> data(SamplePDF pack);

// Writes data(pack) to path. The bytes go to a temporary file beside it that is then
// renamed over path, so a failed write leaves no partial PDF behind (and an existing file
// at path untouched). Throws ListingError::writeFailed with path's file name.
void write(SamplePDF pack, const std::filesystem::path& path);

// Writes the pack as fileName(pack) into the temporary folder (TMPDIR, else /tmp), replacing
// any file there, and gives its path: how the command line and the application open a pack
// as the user's own PDF. Throws ListingError::writeFailed with the file name when there is
// no temporary folder or the file cannot be written.
std::filesystem::path writeToTemporaryFolder(SamplePDF pack);

} // namespace folimo
