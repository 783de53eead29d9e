#include "folimo/listing_error.hpp"

#include <cerrno>
#include <ostream>

namespace folimo {
namespace {

std::string message(ListingError::Kind kind, const std::string& payload, bool diskFull) {
    using Kind = ListingError::Kind;
    switch (kind) {
    case Kind::unreadable:
        return "\u201C" + payload + "\u201D couldn\u2019t be opened as a PDF.";
    case Kind::locked:
        return "\u201C" + payload +
               "\u201D is protected with a password. Save a copy without the password and try "
               "again.";
    case Kind::writeFailed:
        return "Couldn\u2019t save " + payload + (diskFull ? ": the disk is full." : ".");
    case Kind::video:
        return "The video couldn\u2019t be made: " + payload;
    case Kind::noPages:
        return "This PDF has no pages.";
    case Kind::noPagesSelected:
        return "None of the chosen pages are in this PDF. Use page numbers like 1-3, 5.";
    }
    return {};
}

} // namespace

ListingError::ListingError(Kind kind, std::string payload, bool diskFull)
    : kind_(kind)
    , payload_(std::move(payload))
    , diskFull_(diskFull)
    , message_(message(kind_, payload_, diskFull_)) {}

ListingError ListingError::writeFailed(std::string name, int errorNumber) {
    if (errorNumber == ENOSPC || errorNumber == EDQUOT) return diskFull(std::move(name));
    return writeFailed(std::move(name));
}

void PrintTo(const ListingError& error, std::ostream* out) {
    using Kind = ListingError::Kind;
    constexpr const char* names[] = {"unreadable", "locked",  "writeFailed",
                                     "video",      "noPages", "noPagesSelected"};
    static_assert(std::size(names) == std::size_t(Kind::noPagesSelected) + 1);
    *out << names[static_cast<int>(error.kind())] << ": " << error.errorDescription();
}

} // namespace folimo
