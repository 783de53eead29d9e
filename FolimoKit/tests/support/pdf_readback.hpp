#pragma once

#include "folimo/geometry.hpp"
#include "folimo/image.hpp"
#include "render/poppler_glue.hpp"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Reading written PDFs back through Poppler, as a viewer would.
namespace folimo::test {

// The document, or a test failure and nothing when Poppler cannot open it.
DocumentPtr popplerDocument(const std::filesystem::path& path);
DocumentPtr popplerDocument(const std::vector<std::uint8_t>& bytes);

struct PDFContents {
    std::string title, creator;
    std::vector<Size> pageSizes;    // in points
    std::vector<std::string> texts; // per page, in Poppler's reading order
};
PDFContents contents(PopplerDocument* document);
PDFContents contents(const std::filesystem::path& path);

// The page drawn on white paper, one pixel a point, row 0 at the top.
Image renderPage(PopplerDocument* document, int index);

} // namespace folimo::test
