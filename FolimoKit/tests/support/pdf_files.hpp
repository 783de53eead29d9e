#pragma once

#include "folimo/source_pdf.hpp"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace folimo::test {

// One page of a hand-made PDF. Boxes are [x0 y0 x1 y1] in points; an infinite side is
// written as 10^400.
struct TinyPage {
    std::array<double, 4> mediaBox{0, 0, 612, 792};
    std::optional<std::array<double, 4>> cropBox;
    int rotate = 0;
    std::string content; // the page's content stream, e.g. "0 0 100 100 re f"
};

// Writes a small, valid PDF (correct cross-reference table) with these pages; no pages gives
// an empty page tree. title, when given, is written verbatim as the Info dictionary's /Title
// value, so it is a PDF string: "(Hello)" or "<FEFF0041>".
void writeTinyPDF(const std::filesystem::path& path, const std::vector<TinyPage>& pages,
                  const std::optional<std::string>& title = std::nullopt);

// A PDF of Letter pages of plain white paper, written to folder/blank.pdf and opened.
std::shared_ptr<SourcePDF> blankPages(const std::filesystem::path& folder, int count);

// The 196-page Asymptote manual, opened once and shared by the tests of a program.
const std::shared_ptr<SourcePDF>& manual();

// Runs `qpdf <options> input output` (e.g. "--rotate=+90", "--encrypt user owner 256 --");
// throws std::runtime_error when qpdf fails. Warnings (exit status 3) are not failures.
void qpdf(const std::string& options, const std::filesystem::path& input,
          const std::filesystem::path& output);

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

} // namespace folimo::test
