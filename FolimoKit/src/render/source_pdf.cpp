#include "folimo/source_pdf.hpp"

#include "folimo/listing_error.hpp"
#include "folimo/output_naming.hpp"
#include "model/unicode_trim.hpp"
#include "render/drawing/cairo_glue.hpp"
#include "render/image_p.hpp"
#include "render/poppler_glue.hpp"
#include "render/source_pdf_p.hpp"

#include <algorithm>
#include <cmath>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace folimo {

// What identifies a file's contents for our purposes: which file, its size and when it
// was last written.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    static FileStamp of(const struct stat& status) {
        return FileStamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim};
    }
    bool sameContents(const FileStamp& other) const {
        return size == other.size && modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
    bool sameFile(const FileStamp& other) const {
        return device == other.device && inode == other.inode && sameContents(other);
    }
};

struct SourcePDF::Impl {
    ~Impl() {
        if (watched >= 0) ::close(watched);
    }

    DocumentPtr document;
    // The name in messages, and for a PDF opened from a file a descriptor of its own on the
    // file Poppler reads (Poppler reads it lazily, page by page) with the file's stamp when
    // it was opened.
    std::string name;
    int watched = -1;
    FileStamp opened;
    // Guards document and cache. Poppler is not thread-safe, so every Poppler call on the
    // document happens under it.
    std::mutex mutex;
    std::map<int, std::map<int, Image>> cache;
    std::size_t cacheBytes = 0;
    // Pictures' own sizes never change and cost a decode each: kept for good.
    std::map<std::pair<int, int>, Size> picturePixels;

    std::size_t imageCount() const {
        std::size_t count = 0;
        for (const auto& [page, widths] : cache)
            count += widths.size();
        return count;
    }

    static std::size_t bytesOf(const Image& image) {
        return std::size_t(image.stride()) * std::size_t(image.height());
    }

    // Emptied wholesale, never trimmed: above cacheCountLimit images, or when the new image
    // would take the cache past cacheByteLimit. An image bigger than the byte limit on its
    // own is not kept. A bitmap stored meanwhile by another thread is replaced.
    void store(int page, int width, const Image& image) {
        if (imageCount() > cacheCountLimit) emptyCache();
        if (auto widths = cache.find(page); widths != cache.end()) {
            if (auto stale = widths->second.find(width); stale != widths->second.end()) {
                cacheBytes -= bytesOf(stale->second);
                widths->second.erase(stale);
            }
        }
        const std::size_t bytes = bytesOf(image);
        if (bytes > cacheByteLimit) return;
        if (cacheBytes + bytes > cacheByteLimit) emptyCache();
        cache[page].insert_or_assign(width, image);
        cacheBytes += bytes;
    }

    void emptyCache() {
        cache.clear();
        cacheBytes = 0;
    }
};

namespace {

struct Opened {
    DocumentPtr document;
    GErrorPtr error;
};

bool isLocked(const GErrorPtr& error) {
    return error && g_error_matches(error.get(), POPPLER_ERROR, POPPLER_ERROR_ENCRYPTED);
}

// Opened without waiting (O_NONBLOCK) and read only when it is a regular file: a named pipe
// or a device called "x.pdf" would otherwise block the open or the reads for ever. watched
// receives a second descriptor on the same file and stamp its stamp.
Opened openFile(const std::filesystem::path& path, int& watched, FileStamp& stamp) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {};
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return {};
    }
    stamp = FileStamp::of(status);
    watched = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    // Poppler owns the descriptor from here on, also when it fails.
    GError* error = nullptr;
    DocumentPtr document(poppler_document_new_from_fd(fd, nullptr, &error));
    return {std::move(document), GErrorPtr(error)};
}

std::optional<FileStamp> stampOf(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) return std::nullopt;
    return FileStamp::of(status);
}

std::optional<FileStamp> stampOf(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileStamp::of(status);
}

Opened openBytes(std::vector<std::uint8_t> data) {
    // The GBytes owns the bytes for as long as Poppler reads from them.
    auto* owned = new std::vector<std::uint8_t>(std::move(data));
    GBytes* bytes = g_bytes_new_with_free_func(
        owned->data(), owned->size(),
        [](gpointer vector) { delete static_cast<std::vector<std::uint8_t>*>(vector); }, owned);
    GError* error = nullptr;
    DocumentPtr document(poppler_document_new_from_bytes(bytes, nullptr, &error));
    g_bytes_unref(bytes);
    return {std::move(document), GErrorPtr(error)};
}

std::string titleOf(PopplerDocument* document, const std::string& fallback) {
    GCharPtr title(poppler_document_get_title(document));
    if (!title) return fallback;
    const auto trimmed = trimWhitespaceAndNewlines(title.get());
    return trimmed.empty() ? fallback : std::string(trimmed);
}

} // namespace

SourcePDF::SourcePDF(std::unique_ptr<Impl> impl)
    : impl_(std::move(impl)) {}

SourcePDF::~SourcePDF() = default;

std::shared_ptr<SourcePDF> SourcePDF::open(const std::filesystem::path& path) {
    auto impl = std::make_unique<Impl>();
    impl->name = OutputNaming::shownName(path);
    Opened opened = openFile(path, impl->watched, impl->opened);
    if (!opened.document) {
        if (isLocked(opened.error)) throw ListingError::locked(impl->name);
        throw ListingError::unreadable(impl->name);
    }
    impl->document = std::move(opened.document);
    return adopt(std::move(impl), path.stem().string(), path);
}

std::shared_ptr<SourcePDF> SourcePDF::open(std::vector<std::uint8_t> data,
                                           const std::string& name) {
    Opened opened = openBytes(std::move(data));
    if (!opened.document) {
        if (isLocked(opened.error)) throw ListingError::locked(name);
        throw ListingError::unreadable(name);
    }
    auto impl = std::make_unique<Impl>();
    impl->document = std::move(opened.document);
    impl->name = name;
    return adopt(std::move(impl), name, std::nullopt);
}

std::shared_ptr<SourcePDF> SourcePDF::adopt(std::unique_ptr<Impl> impl,
                                            const std::string& fallbackTitle,
                                            std::optional<std::filesystem::path> url) {
    const int pageCount = poppler_document_get_n_pages(impl->document.get());
    if (pageCount < 1) throw ListingError::noPages();
    std::string title = titleOf(impl->document.get(), fallbackTitle);
    std::shared_ptr<SourcePDF> source(new SourcePDF(std::move(impl)));
    source->url_ = std::move(url);
    source->pageCount_ = pageCount;
    source->title_ = std::move(title);
    return source;
}

int SourcePDF::clamp(int page) const {
    return std::clamp(page, 0, pageCount_ - 1);
}

Size SourcePDF::pageSize(int page) const {
    std::lock_guard lock(impl_->mutex);
    PagePtr handle(poppler_document_get_page(impl_->document.get(), clamp(page)));
    if (!handle) return {612, 792};
    // Poppler gives the crop box already turned by the page's rotation.
    Size size;
    poppler_page_get_size(handle.get(), &size.width, &size.height);
    // A box beyond any number (a width of 10^400 reads as infinity) has no shape to keep.
    if (!std::isfinite(size.width) || !std::isfinite(size.height)) return {612, 792};
    return size;
}

double SourcePDF::aspect(int page) const {
    const Size size = pageSize(page);
    return size.width > 0 && size.height > 0 ? size.width / size.height : 0.773;
}

bool SourcePDF::changedOnDisk() const {
    if (!url_) return false;
    const auto now = stampOf(*url_);
    return !now || !now->sameFile(impl_->opened);
}

void SourcePDF::checkUnchanged() const {
    if (impl_->watched < 0) return;
    const auto now = stampOf(impl_->watched);
    if (!now || !now->sameContents(impl_->opened)) throw ListingError::unreadable(impl_->name);
}

// The page drawing of drawPage, which reaches into the document.
struct PageDrawing {
    static void draw(const SourcePDF& source, int page, cairo_t* cr, const Rect& rect);
};

void drawPage(const SourcePDF& source, int page, cairo_t* cr, const Rect& rect) {
    PageDrawing::draw(source, page, cr, rect);
}

void PageDrawing::draw(const SourcePDF& source, int page, cairo_t* cr, const Rect& rect) {
    source.checkUnchanged();
    auto& impl = *source.impl_;
    std::lock_guard lock(impl.mutex);
    PagePtr handle(poppler_document_get_page(impl.document.get(), source.clamp(page)));
    if (!handle) throw ListingError::unreadable(impl.name);
    double w = 0, h = 0;
    poppler_page_get_size(handle.get(), &w, &h);
    if (!(w > 0 && h > 0)) return;
    const double s = std::min(rect.width / w, rect.height / h);
    // A zero or non-finite scale would put the caller's context into a lasting error state.
    if (!(s > 0) || !std::isfinite(s)) return;
    const double x0 = rect.midX() - w * s * 0.5;
    const double y0 = rect.midY() - h * s * 0.5;

    cairo_save(cr);
    cairo_translate(cr, x0, y0);
    cairo_scale(cr, s, s);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_clip(cr);
    // Poppler draws the page upright (its rotation applied) with y downwards from the top
    // left corner of the displayed size; our space has y upwards.
    cairo_translate(cr, 0, h);
    cairo_scale(cr, 1, -1);
    poppler_page_render(handle.get(), cr);
    cairo_restore(cr);
}

std::optional<Image> SourcePDF::image(int page, int width) const {
    page = clamp(page);
    const int W = std::max(width, 16);
    checkUnchanged();
    {
        std::lock_guard lock(impl_->mutex);
        if (auto widths = impl_->cache.find(page); widths != impl_->cache.end())
            if (auto found = widths->second.find(W); found != widths->second.end())
                return found->second;
    }

    const Size size = pageSize(page);
    const double height = std::max(std::round(size.height * W / std::max(size.width, 1.0)), 16.0);
    // Absurd sizes (a sliver of a page, a huge width) are refused before anything is
    // allocated; Cairo would refuse sides above 32767 pixels anyway.
    if (!std::isfinite(height) || double(W) * height * 4 > double(imageByteLimit))
        return std::nullopt;
    auto canvas = Canvas::create(W, int(height));
    if (!canvas) return std::nullopt;
    cairo_t* cr = canvas->context();
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    // Cairo sets each glyph on a whole pixel, so a page drawn straight at a thumbnail's width
    // spaces its words unevenly ("ch ip") and breaks thin rules into dashes. Narrow pages are
    // drawn up to four times as large and averaged down; from 480 pixels on the unevenness
    // is too small to see and drawing large would cost more than it gives.
    const int scale = W < 480 ? std::min(4, int(std::ceil(960.0 / W))) : 1;
    std::optional<Canvas> large;
    if (scale > 1) large = Canvas::create(W * scale, int(height) * scale);
    if (large) {
        cairo_set_source_rgb(large->context(), 1, 1, 1);
        cairo_paint(large->context());
        drawPage(*this, page, large->context(), large->bounds());
        drawImage(cr, std::move(*large).finish(), canvas->bounds());
    } else {
        drawPage(*this, page, cr, canvas->bounds());
    }
    Image image = std::move(*canvas).finish();

    std::lock_guard lock(impl_->mutex);
    impl_->store(page, W, image);
    return image;
}

std::vector<SourcePDF::Picture> SourcePDF::pictures(int page) const {
    checkUnchanged();
    std::lock_guard lock(impl_->mutex);
    PagePtr handle(poppler_document_get_page(impl_->document.get(), clamp(page)));
    if (!handle) return {};
    GList* mappings = poppler_page_get_image_mapping(handle.get());
    std::vector<Picture> pictures;
    for (GList* item = mappings; item; item = item->next) {
        const auto* mapping = static_cast<const PopplerImageMapping*>(item->data);
        const PopplerRectangle& area = mapping->area;
        pictures.push_back(
            {mapping->image_id, {std::abs(area.x2 - area.x1), std::abs(area.y2 - area.y1)}});
    }
    poppler_page_free_image_mapping(mappings);
    return pictures;
}

Size SourcePDF::picturePixels(int page, int number) const {
    page = clamp(page);
    std::lock_guard lock(impl_->mutex);
    const auto key = std::pair{page, number};
    if (auto known = impl_->picturePixels.find(key); known != impl_->picturePixels.end())
        return known->second;
    checkUnchanged();
    Size pixels;
    if (PagePtr handle{poppler_document_get_page(impl_->document.get(), page)}) {
        const SurfacePtr picture(poppler_page_get_image(handle.get(), number));
        if (picture && cairo_surface_status(picture.get()) == CAIRO_STATUS_SUCCESS &&
            cairo_surface_get_type(picture.get()) == CAIRO_SURFACE_TYPE_IMAGE)
            pixels = {double(cairo_image_surface_get_width(picture.get())),
                      double(cairo_image_surface_get_height(picture.get()))};
    }
    impl_->picturePixels.emplace(key, pixels);
    return pixels;
}

std::size_t SourcePDF::cachedImageCount() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->imageCount();
}

} // namespace folimo
