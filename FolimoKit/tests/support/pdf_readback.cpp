#include "pdf_readback.hpp"

#include "render/image_p.hpp"

#include <gtest/gtest.h>
#include <string_view>

namespace folimo::test {
namespace {

DocumentPtr opened(PopplerDocument* document, GError* error, std::string_view what) {
    if (!document)
        ADD_FAILURE() << "Poppler cannot open " << what << ": " << (error ? error->message : "");
    if (error) g_error_free(error);
    return DocumentPtr(document);
}

std::string taken(gchar* text) {
    return text ? GCharPtr(text).get() : "";
}

} // namespace

DocumentPtr popplerDocument(const std::filesystem::path& path) {
    GCharPtr uri(g_filename_to_uri(std::filesystem::absolute(path).c_str(), nullptr, nullptr));
    GError* error = nullptr;
    PopplerDocument* document = poppler_document_new_from_file(uri.get(), nullptr, &error);
    return opened(document, error, path.string());
}

DocumentPtr popplerDocument(const std::vector<std::uint8_t>& bytes) {
    GBytes* copy = g_bytes_new(bytes.data(), bytes.size());
    GError* error = nullptr;
    PopplerDocument* document = poppler_document_new_from_bytes(copy, nullptr, &error);
    g_bytes_unref(copy);
    return opened(document, error, "the bytes");
}

PDFContents contents(PopplerDocument* document) {
    PDFContents read;
    if (!document) return read;
    read.title = taken(poppler_document_get_title(document));
    read.creator = taken(poppler_document_get_creator(document));
    for (int i = 0; i < poppler_document_get_n_pages(document); ++i) {
        PagePtr page(poppler_document_get_page(document, i));
        Size size;
        poppler_page_get_size(page.get(), &size.width, &size.height);
        read.pageSizes.push_back(size);
        read.texts.push_back(taken(poppler_page_get_text(page.get())));
    }
    return read;
}

PDFContents contents(const std::filesystem::path& path) {
    return contents(popplerDocument(path).get());
}

Image renderPage(PopplerDocument* document, int index) {
    PagePtr page(poppler_document_get_page(document, index));
    double width = 0, height = 0;
    poppler_page_get_size(page.get(), &width, &height);
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(width), int(height));
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    poppler_page_render(page.get(), cr);
    cairo_destroy(cr);
    return adoptImage(surface);
}

} // namespace folimo::test
