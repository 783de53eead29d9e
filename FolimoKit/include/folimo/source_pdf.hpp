#pragma once

#include "folimo/geometry.hpp"
#include "folimo/image.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace folimo {

// The seller's PDF, opened once and shared (std::shared_ptr) by every renderer, export and
// preview made from it. Safe to use from several threads at once: one plain mutex guards
// the document and the page-image cache, so pages of one document are drawn one at a time.
// Page indices are 0-based and clamped into the document; no index is ever an error.
class SourcePDF {
public:
    // Opens the PDF file at path. Throws ListingError: unreadable (the file name with its
    // extension), locked (a password-protected PDF; checked before the page count) or
    // noPages.
    static std::shared_ptr<SourcePDF> open(const std::filesystem::path& path);
    // Opens a PDF held in memory; name stands for the file name in messages and is the
    // title fallback. Throws as open(path).
    static std::shared_ptr<SourcePDF> open(std::vector<std::uint8_t> data, const std::string& name);

    ~SourcePDF();
    SourcePDF(const SourcePDF&) = delete;
    SourcePDF& operator=(const SourcePDF&) = delete;

    // Where the PDF was opened from; absent when it was opened from bytes.
    const std::optional<std::filesystem::path>& url() const { return url_; }
    // 1 or more.
    int pageCount() const { return pageCount_; }
    // The document's title trimmed of white space, or the fallback name (the file name
    // without its extension, or the name given with the bytes).
    const std::string& title() const { return title_; }

    // The displayed size of a page in points (crop box, turned by the page's rotation).
    // 612 x 792 when the page cannot be had or a side is not a finite number.
    Size pageSize(int page) const;
    // width / height of pageSize(page); 0.773 when a side is not positive.
    double aspect(int page) const;
    // Whether the file at url() is no longer the one opened: gone, replaced by another file
    // (an editor saving over it) or changed in size or modification time. Never for a PDF
    // opened from bytes. A replaced file leaves this one readable as it was opened; one
    // changed in place does not (see image).
    bool changedOnDisk() const;

    // A bitmap of the page max(width, 16) pixels wide on white paper, from the cache or
    // freshly drawn. Its height follows the page's proportions (at least 16 pixels). Nothing
    // when the bitmap cannot be allocated: a side above 32767 pixels or more than 1 GiB of
    // pixels. Draws while other threads use the cache; only the drawing itself is serialised
    // with other drawing of the document. Throws ListingError::unreadable (the file's name)
    // when the page cannot be had, or when the file it reads from has changed in size or
    // modification time since it was opened (truncated or written over in place): Poppler
    // would draw such a page blank without a word; this holds for a bitmap in the cache too.
    std::optional<Image> image(int page, int width) const;

    // A picture placed on a page (a scanned page is one): its number on the page and the
    // size of the rectangle it is drawn into, in points of the displayed page.
    struct Picture {
        int number = 0;
        Size area;
        bool operator==(const Picture&) const = default;
    };
    // The pictures of a page in the order they are drawn. Reads the page's content but
    // decodes no picture. Throws as image() for a file changed in place.
    std::vector<Picture> pictures(int page) const;
    // A picture's own size in pixels; 0 x 0 when the page has no such picture. The first
    // time decodes it, which costs about as much as drawing the page at that size; throws
    // then as image() for a file changed in place.
    Size picturePixels(int page, int number) const;

    // The cache holds at most about this many bytes of bitmaps, and at most 120 of them (plus
    // the one being added); when either would be exceeded it is emptied wholesale.
    static constexpr std::size_t cacheByteLimit = 384u << 20;

    // The number of bitmaps in the cache now (for tests).
    std::size_t cachedImageCount() const;

private:
    // The most bitmaps the cache holds.
    static constexpr std::size_t cacheCountLimit = 120;
    // The largest bitmap image() makes (width x height x 4 bytes).
    static constexpr std::size_t imageByteLimit = 1u << 30;

    friend struct PageDrawing;
    struct Impl;
    explicit SourcePDF(std::unique_ptr<Impl> impl);
    static std::shared_ptr<SourcePDF> adopt(std::unique_ptr<Impl> impl,
                                            const std::string& fallbackTitle,
                                            std::optional<std::filesystem::path> url);
    int clamp(int page) const;
    void checkUnchanged() const;

    std::unique_ptr<Impl> impl_;
    std::optional<std::filesystem::path> url_;
    int pageCount_ = 0;
    std::string title_;
};

} // namespace folimo
