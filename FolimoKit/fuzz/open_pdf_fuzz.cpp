// Opens arbitrary bytes as a PDF and, when that works, asks for everything a listing needs
// from the first and last pages. Any outcome but a ListingError or a result is a fault.
#include "folimo/listing_error.hpp"
#include "folimo/source_pdf.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        auto pdf =
            folimo::SourcePDF::open(std::vector<std::uint8_t>(data, data + size), "fuzz.pdf");
        for (int page : {0, pdf->pageCount() - 1}) {
            pdf->aspect(page);
            pdf->image(page, 24);
        }
    } catch (const folimo::ListingError&) {
    }
    return 0;
}
