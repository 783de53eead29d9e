#include "test_support.hpp"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace folimo::test {

std::filesystem::path outsidePDF(std::string_view name) {
    return std::filesystem::path("/usr/share/doc/asymptote") / name;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "folimo-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::optional<ListingError> thrownError(const std::function<void()>& work) {
    try {
        work();
    } catch (const ListingError& error) {
        return error;
    }
    return std::nullopt;
}

} // namespace folimo::test
