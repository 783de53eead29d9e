#include "export/pending_file.hpp"

#include "folimo/listing_error.hpp"
#include "model/output_naming_p.hpp"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <string>
#include <unistd.h>
#include <utility>

namespace folimo {
namespace {

// Opens a new file with a fresh random name in folder. O_EXCL never reuses someone else's
// file, and the mode 0666 lets the umask decide the final permissions as for any new file.
std::FILE* createTemporary(const std::filesystem::path& folder, std::filesystem::path& path) {
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, int(sizeof letters) - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string tag;
        for (int i = 0; i < 10; ++i)
            tag += letters[pick(random)];
        path = folder / OutputNaming::temporaryFile(tag);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return nullptr;
        }
        if (std::FILE* stream = ::fdopen(fd, "wb")) return stream;
        ::close(fd);
        ::unlink(path.c_str());
        return nullptr;
    }
    return nullptr;
}

} // namespace

PendingFile::PendingFile(std::filesystem::path destination)
    : destination_(std::move(destination)) {
    std::filesystem::path folder = destination_.parent_path();
    if (folder.empty()) folder = ".";
    stream_ = createTemporary(folder, temporary_);
    if (!stream_) fail();
}

PendingFile::~PendingFile() {
    if (!stream_) return;
    std::fclose(stream_);
    ::unlink(temporary_.c_str());
}

void PendingFile::commit() {
    // errno of the write, the close or the rename that failed (a full disk shows at any).
    int error = 0;
    bool failed = std::fflush(stream_) != 0 || std::ferror(stream_);
    if (failed) error = errno;
    if (std::fclose(std::exchange(stream_, nullptr)) != 0 && !failed) {
        failed = true;
        error = errno;
    }
    if (!failed && ::rename(temporary_.c_str(), destination_.c_str()) == 0) return;
    if (!failed) error = errno;
    ::unlink(temporary_.c_str());
    fail(error);
}

void PendingFile::fail(int errorNumber) const {
    throw ListingError::writeFailed(OutputNaming::shownName(destination_), errorNumber);
}

} // namespace folimo
