#include "export/pending_file.hpp"
#include "folimo/listing_error.hpp"
#include "render/drawing/cairo_glue.hpp"
#include "samples/sample_pages.hpp"
#include "samples/sample_pdf_p.hpp"

#include <cairo-pdf.h>
#include <cstdio>
#include <new>

namespace folimo {
namespace {

constexpr double pageWidth = 612;
constexpr double pageHeight = 792;
// Fixed dates so that the same pack gives the same bytes.
constexpr const char* fixedDate = "2024-09-01T08:00:00Z";

std::vector<PageDrawer> pagesOf(SamplePDF pack) {
    switch (pack) {
    case SamplePDF::fallMath:
        return fallMathPages();
    case SamplePDF::planner:
        return plannerPages();
    case SamplePDF::spelling:
        return spellingPages();
    }
    return {};
}

cairo_status_t append(void* closure, const unsigned char* bytes, unsigned int length) {
    auto& buffer = *static_cast<std::vector<std::uint8_t>*>(closure);
    try {
        buffer.insert(buffer.end(), bytes, bytes + length);
        return CAIRO_STATUS_SUCCESS;
    } catch (...) {
        return CAIRO_STATUS_NO_MEMORY;
    }
}

// Cairo fails in memory only when memory runs out.
void check(cairo_status_t status) {
    if (status != CAIRO_STATUS_SUCCESS) throw std::bad_alloc();
}

} // namespace

std::string_view rawValue(SamplePDF pack) {
    switch (pack) {
    case SamplePDF::fallMath:
        return "Fall Math Practice";
    case SamplePDF::planner:
        return "Weekly Teacher Planner";
    case SamplePDF::spelling:
        return "Spelling Word Work";
    }
    return {};
}

std::optional<SamplePDF> samplePDFFromRawValue(std::string_view text) {
    for (SamplePDF pack : allSamplePDFs)
        if (rawValue(pack) == text) return pack;
    return std::nullopt;
}

std::string fileName(SamplePDF pack) {
    return std::string(rawValue(pack)) + ".pdf";
}

std::vector<std::uint8_t> data(SamplePDF pack) {
    std::vector<std::uint8_t> bytes;
    const std::string title(rawValue(pack));
    {
        SurfacePtr surface(
            cairo_pdf_surface_create_for_stream(append, &bytes, pageWidth, pageHeight));
        check(cairo_surface_status(surface.get()));
        cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
        cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "Folimo sample");
        cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATE_DATE, fixedDate);
        cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_MOD_DATE, fixedDate);

        ContextPtr cr(cairo_create(surface.get()));
        check(cairo_status(cr.get()));
        // Pages are drawn with the origin at the lower left and y upwards.
        cairo_translate(cr.get(), 0, pageHeight);
        cairo_scale(cr.get(), 1, -1);

        const std::vector<PageDrawer> pages = pagesOf(pack);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            cairo_save(cr.get());
            fillRect(cr.get(), {0, 0, pageWidth, pageHeight}, RGBColor::white);
            const Sheet sheet{cr.get(), int(i) + 1, int(pages.size()), title};
            pages[i](sheet);
            cairo_restore(cr.get());
            cairo_show_page(cr.get());
        }
        check(cairo_status(cr.get()));
        cr.reset();
        cairo_surface_finish(surface.get());
        check(cairo_surface_status(surface.get()));
    }
    return bytes;
}

void write(SamplePDF pack, const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = data(pack);
    PendingFile file(path);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.stream()) != bytes.size()) file.fail();
    file.commit();
}

std::filesystem::path writeToTemporaryFolder(SamplePDF pack) {
    std::error_code noTemporaryFolder;
    const auto folder = std::filesystem::temp_directory_path(noTemporaryFolder);
    if (noTemporaryFolder) throw ListingError::writeFailed(fileName(pack));
    const auto path = folder / fileName(pack);
    write(pack, path);
    return path;
}

} // namespace folimo
