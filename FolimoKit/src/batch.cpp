#include "folimo/batch.hpp"

#include "folimo/output_naming.hpp"
#include "glib_glue.hpp"
#include "hash_combine.hpp"

#include <algorithm>
#include <glib.h>
#include <set>
#include <string>
#include <system_error>

namespace folimo::Batch {
namespace {

// A file browser's sort key for a name. GLib's filename key orders runs of digits by
// value and collates the rest by LC_COLLATE; folding the case first keeps case out of the
// order even in the C locale, where collation is plain byte order. Names that are not
// UTF-8 (Linux allows any bytes) are mended first, as GLib needs valid text.
std::string sortKey(const std::string& name) {
    const GCharPtr valid(g_utf8_make_valid(name.c_str(), static_cast<gssize>(name.size())));
    const GCharPtr folded(g_utf8_casefold(valid.get(), -1));
    return takeString(g_utf8_collate_key_for_filename(folded.get(), -1));
}

bool isListedPDF(const std::filesystem::path& entry) {
    const std::string name = entry.filename().string();
    if (name.starts_with('.')) return false; // hidden, "._" companions included
    std::string extension = entry.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(g_ascii_tolower(c)); });
    return extension == ".pdf";
}

} // namespace

std::vector<std::filesystem::path> pdfs(const std::filesystem::path& folder) {
    struct Entry {
        std::string key;
        std::filesystem::path path;
    };
    std::vector<Entry> found;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) return {};
    for (; entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (error) return {};
        if (isListedPDF(entries->path()))
            found.push_back({sortKey(entries->path().filename().string()), entries->path()});
    }
    if (error) return {};
    std::stable_sort(found.begin(), found.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    std::vector<std::filesystem::path> result;
    result.reserve(found.size());
    for (auto& entry : found)
        result.push_back(std::move(entry.path));
    return result;
}

std::vector<Item> plan(const std::vector<std::filesystem::path>& pdfs,
                       const std::filesystem::path& outputRoot) {
    std::set<std::string> taken;
    std::vector<Item> items;
    items.reserve(pdfs.size());
    for (const auto& pdf : pdfs) {
        const std::string name =
            OutputNaming::unique(OutputNaming::folderName(pdf.stem().string()), outputRoot, taken);
        taken.insert(OutputNaming::lowercased(name));
        items.push_back({pdf, outputRoot / name});
    }
    return items;
}

ListingSettings settings(const ListingSettings& settings) {
    ListingSettings batchSettings = settings;
    batchSettings.title.clear();
    return batchSettings;
}

} // namespace folimo::Batch

std::size_t
std::hash<folimo::Batch::Item>::operator()(const folimo::Batch::Item& item) const noexcept {
    return folimo::HashCombine()
        .add(std::filesystem::hash_value(item.pdf))
        .add(std::filesystem::hash_value(item.folder))
        .value();
}
