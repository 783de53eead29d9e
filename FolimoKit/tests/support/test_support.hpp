#pragma once

#include "folimo/listing_error.hpp"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace folimo::test {

// A PDF from Debian's documentation that the project did not draw itself
// (/usr/share/doc/asymptote: CAD.pdf, asymptote.pdf, asyRefCard.pdf, asy-latex.pdf).
std::filesystem::path outsidePDF(std::string_view name);

// A fresh, empty folder removed again with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Every regular file below folder, at any depth, sorted.
std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder);

// The ListingError that work throws; nothing when it returns normally. Other exceptions pass.
std::optional<ListingError> thrownError(const std::function<void()>& work);

} // namespace folimo::test
