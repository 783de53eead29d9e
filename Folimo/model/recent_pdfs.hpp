#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

class QSettings;

namespace folimo {

class StoreWriter;

// One PDF of File ▸ Open Recent: its path, and whether a file is there now (one that was
// moved, deleted or sits on a disk not mounted is shown but cannot be chosen).
struct RecentPDF {
    std::filesystem::path path;
    bool available = false;
    bool operator==(const RecentPDF&) const = default;
};

// The PDFs opened last, most recent first, at most RecentPDFs::capacity, each once. Stored
// under "recentPDFs.v1" as a list of paths; read leniently (an entry that is not a path is
// skipped). Main thread only.
class RecentPDFs {
public:
    static constexpr std::size_t capacity = 10;

    // The list held in store; its changes are written through writer. Both must outlive it.
    RecentPDFs(QSettings& store, StoreWriter& writer);

    // The list, each path looked up on disk now.
    std::vector<RecentPDF> list() const;
    // Puts path first (moving it up when it is already listed), dropping the oldest beyond
    // capacity.
    void add(const std::filesystem::path& path);
    void clear();

private:
    void save();

    QSettings& store_;
    StoreWriter& writer_;
    std::vector<std::filesystem::path> paths_; // most recent first
};

} // namespace folimo
