#include "folimo/listing_error.hpp"
#include "model/glib_glue.hpp"
#include "model/grapheme_breaks.hpp"
#include "model/output_naming_p.hpp"
#include "model/settings_p.hpp"
#include "model/unicode_trim.hpp"
#include "model/valid_utf8.hpp"

#include <cstdio>
#include <glib.h>

namespace folimo::OutputNaming {
namespace {

constexpr std::size_t maxCharacters = 80;
constexpr std::size_t maxBytes = 200;
constexpr std::string_view temporaryPrefix = ".folimo-";
constexpr std::string_view temporarySuffix = ".part";

// Without the characters of the Unicode categories Cc (controls, tabs, line breaks) and Cf
// (format characters such as U+200B, U+200D, U+FEFF).
std::string withoutControls(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (const char* p = text.data(); p < text.data() + text.size();) {
        const char* next = g_utf8_next_char(p);
        const GUnicodeType type = g_unichar_type(g_utf8_get_char(p));
        if (type != G_UNICODE_CONTROL && type != G_UNICODE_FORMAT) kept.append(p, next);
        p = next;
    }
    return kept;
}

} // namespace

std::string safe(std::string_view title) {
    std::string text = validUTF8(title);
    for (char& c : text)
        if (c == '/' || c == ':') c = '-';
    text = withoutControls(text);
    std::string_view name = trimWhitespaceAndNewlines(text);
    while (name.starts_with('.'))
        name.remove_prefix(1);

    const std::size_t cut = graphemePrefix(name, maxCharacters, maxBytes);
    if (cut < name.size()) name = trimBlanks(name.substr(0, cut));
    return name.empty() ? "Listing" : std::string(name);
}

std::string folderName(std::string_view title) {
    return safe(title) + " listing";
}

std::string imageFile(ImageLayout layout, ImageFormat format) {
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%02d-", folimo::number(layout));
    return prefix + std::string(storedText(layout)) + "." + std::string(fileExtension(format));
}

std::string previewFile(std::string_view title) {
    return safe(title) + " preview.pdf";
}

std::string videoFile(std::string_view title) {
    return safe(title) + " flip-through.mp4";
}

std::string temporaryFile(std::string_view tag) {
    return std::string(temporaryPrefix) + std::string(tag) + std::string(temporarySuffix);
}

bool isTemporaryFile(std::string_view name) {
    return name.size() > temporaryPrefix.size() + temporarySuffix.size() &&
           name.starts_with(temporaryPrefix) && name.ends_with(temporarySuffix);
}

std::string lowercased(std::string_view name) {
    const std::string valid = validUTF8(name);
    return takeString(g_utf8_strdown(valid.data(), gssize(valid.size())));
}

std::string unique(std::string_view name, const std::filesystem::path& folder,
                   const std::set<std::string>& taken) {
    // Only a name known to exist counts as present: an error while looking (no such folder,
    // no permission) must not make every candidate look taken.
    auto present = [&folder](const std::string& candidate) {
        std::error_code error;
        return std::filesystem::exists(std::filesystem::symlink_status(folder / candidate, error));
    };
    std::string candidate(name);
    for (long long n = 2;; ++n) {
        if (!taken.contains(lowercased(candidate)) && !present(candidate)) return candidate;
        candidate = std::string(name) + " " + std::to_string(n);
    }
}

std::filesystem::path claim(std::string_view name, const std::filesystem::path& folder,
                            const std::set<std::string>& taken) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::set<std::string> tried = taken;
    for (;;) {
        const std::string candidate = unique(name, folder, tried);
        const std::filesystem::path path = folder / candidate;
        // One mkdir both looks and creates: it refuses a name that appeared since unique()
        // looked (reported as no error for a folder, file_exists for anything else).
        if (std::filesystem::create_directory(path, error)) return path;
        if (error && error != std::errc::file_exists) throw ListingError::writeFailed(candidate);
        tried.insert(lowercased(candidate));
    }
}

std::string shownName(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    if (error) full = path;
    full = full.lexically_normal();
    return (full.has_filename() ? full : full.parent_path()).filename().string();
}

} // namespace folimo::OutputNaming
