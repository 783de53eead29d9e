#pragma once

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace folimo {

// A file that appears under its name only when it is complete. It is written under a
// hidden temporary name in the destination's folder and renamed over the destination by
// commit(), so a failed or interrupted write never leaves a truncated file where a seller
// would pick it up. Dropping it without commit() removes the temporary file.
class PendingFile {
public:
    // Throws ListingError::writeFailed(destination's file name) when the folder takes no file.
    explicit PendingFile(std::filesystem::path destination);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    std::FILE* stream() const { return stream_; }
    // The temporary file, for writers that open it by name; it is renamed by commit().
    const std::filesystem::path& path() const { return temporary_; }

    // Flushes, closes and renames the file into place, replacing whatever was there.
    // Throws ListingError::writeFailed(destination's file name).
    void commit();
    // The ListingError for this file; for writers that found a failure of their own. The
    // message names a full disk when errorNumber (errno as the failure left it) says so.
    [[noreturn]] void fail(int errorNumber = errno) const;

private:
    std::filesystem::path destination_;
    std::filesystem::path temporary_;
    std::FILE* stream_ = nullptr;
};

} // namespace folimo
