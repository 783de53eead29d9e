#include "folimo/batch.hpp"

#include "folimo/listing_error.hpp"
#include "folimo/listing_exporter.hpp"
#include "folimo/source_pdf.hpp"
#include "model/glib_glue.hpp"
#include "model/output_naming_p.hpp"

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

bool isListedPDF(const std::filesystem::directory_entry& entry) {
    std::error_code error;
    // is_regular_file follows links; it only looks (stat), never opens.
    if (!entry.is_regular_file(error)) return false;
    const std::string name = entry.path().filename().string();
    if (name.starts_with('.')) return false; // hidden, "._" companions included
    std::string extension = entry.path().extension().string();
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
        if (isListedPDF(*entries))
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

void run(const std::vector<Item>& items, const ListingSettings& settings, const Observer& observer,
         std::stop_token stop) {
    const ListingSettings batchSettings = Batch::settings(settings);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (stop.stop_requested()) throw Cancelled();
        if (observer.started) observer.started(i);
        try {
            auto source = SourcePDF::open(items[i].pdf);
            const auto folder = OutputNaming::claim(items[i].folder.filename().string(),
                                                    items[i].folder.parent_path());
            auto progress = [&observer, i](double fraction) {
                if (observer.progress) observer.progress(i, fraction);
            };
            const auto files = ListingExporter::exportSet(std::move(source), batchSettings, folder,
                                                          progress, stop);
            if (observer.done) observer.done(i, folder, files);
        } catch (const Cancelled&) {
            throw;
        } catch (const ListingError& error) {
            if (observer.failed) observer.failed(i, error.errorDescription());
        }
    }
}

} // namespace folimo::Batch
