#include "pdf_files.hpp"

#include "test_support.hpp"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace folimo::test {
namespace {

// A number as PDF writes it: digits and a point, never an exponent. Infinity is written as
// 10^400, which readers take as infinite.
std::string number(double value) {
    if (std::isinf(value)) return (value < 0 ? "-1" : "1") + std::string(400, '0');
    std::ostringstream text;
    text << std::fixed << std::setprecision(3) << value;
    return text.str();
}

std::string box(const std::array<double, 4>& b) {
    return "[" + number(b[0]) + " " + number(b[1]) + " " + number(b[2]) + " " + number(b[3]) + "]";
}

std::string quoted(const std::filesystem::path& path) {
    std::string text = "'";
    for (char c : path.string())
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

} // namespace

void writeTinyPDF(const std::filesystem::path& path, const std::vector<TinyPage>& pages,
                  const std::optional<std::string>& title) {
    // Objects: 1 catalog, 2 page tree, 3 info, then a page and its content per page.
    std::vector<std::string> objects(3);
    std::string kids;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const auto& page = pages[i];
        const std::size_t pageObject = 4 + 2 * i;
        kids += std::to_string(pageObject) + " 0 R ";
        std::string dictionary = "<< /Type /Page /Parent 2 0 R /MediaBox " + box(page.mediaBox);
        if (page.cropBox) dictionary += " /CropBox " + box(*page.cropBox);
        if (page.rotate != 0) dictionary += " /Rotate " + std::to_string(page.rotate);
        dictionary += " /Contents " + std::to_string(pageObject + 1) + " 0 R >>";
        objects.push_back(dictionary);
        objects.push_back("<< /Length " + std::to_string(page.content.size()) + " >>\nstream\n" +
                          page.content + "\nendstream");
    }
    objects[0] = "<< /Type /Catalog /Pages 2 0 R >>";
    objects[1] =
        "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>";
    objects[2] = title ? "<< /Title " + *title + " >>" : "<< >>";

    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t offset : offsets) {
        std::string number = std::to_string(offset);
        pdf += std::string(10 - number.size(), '0') + number + " 00000 n \n";
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
           " /Root 1 0 R /Info 3 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    writeBytes(path, {pdf.begin(), pdf.end()});
}

std::shared_ptr<SourcePDF> blankPages(const std::filesystem::path& folder, int count) {
    writeTinyPDF(folder / "blank.pdf", std::vector<TinyPage>(std::size_t(count)));
    return SourcePDF::open(folder / "blank.pdf");
}

const std::shared_ptr<SourcePDF>& manual() {
    static const auto pdf = SourcePDF::open(outsidePDF("asymptote.pdf"));
    return pdf;
}

void qpdf(const std::string& options, const std::filesystem::path& input,
          const std::filesystem::path& output) {
    const int status =
        std::system(("qpdf " + options + " " + quoted(input) + " " + quoted(output)).c_str());
    if (!WIFEXITED(status) || (WEXITSTATUS(status) != 0 && WEXITSTATUS(status) != 3))
        throw std::runtime_error("qpdf " + options + " failed");
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

} // namespace folimo::test
