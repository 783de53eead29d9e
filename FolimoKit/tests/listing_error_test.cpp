#include "folimo/listing_error.hpp"

#include <cerrno>
#include <gtest/gtest.h>

using namespace folimo;

TEST(ListingError, MessagesReadExactlyAsShown) {
    const std::pair<ListingError, std::string> messages[] = {
        {ListingError::unreadable("worksheet.pdf"),
         "\u201Cworksheet.pdf\u201D couldn\u2019t be opened as a PDF."},
        {ListingError::locked("Planner.pdf"),
         "\u201CPlanner.pdf\u201D is protected with a password. Save a copy without the "
         "password and try again."},
        {ListingError::writeFailed("01-grid.png"), "Couldn\u2019t save 01-grid.png."},
        {ListingError::writeFailed("01-grid.jpg", ENOSPC),
         "Couldn\u2019t save 01-grid.jpg: the disk is full."},
        {ListingError::writeFailed("01-grid.jpg", EDQUOT),
         "Couldn\u2019t save 01-grid.jpg: the disk is full."},
        {ListingError::writeFailed("01-grid.jpg", EACCES), "Couldn\u2019t save 01-grid.jpg."},
        {ListingError::video("the file wasn\u2019t finished"),
         "The video couldn\u2019t be made: the file wasn\u2019t finished"},
        {ListingError::noPages(), "This PDF has no pages."},
        {ListingError::noPagesSelected(),
         "None of the chosen pages are in this PDF. Use page numbers like 1-3, 5."},
        // An empty payload leaves its place empty.
        {ListingError::unreadable(""), "\u201C\u201D couldn\u2019t be opened as a PDF."},
        {ListingError::writeFailed(""), "Couldn\u2019t save ."},
    };
    for (const auto& [error, message] : messages) {
        EXPECT_EQ(error.errorDescription(), message);
        EXPECT_EQ(error.what(), message);
    }
}

// Tests everywhere compare errors with ==: it must tell cases and payloads apart.
TEST(ListingError, EqualByCaseAndPayload) {
    EXPECT_EQ(ListingError::noPages(), ListingError::noPages());
    EXPECT_NE(ListingError::writeFailed("a.png"), ListingError::writeFailed("b.png"));
    EXPECT_NE(ListingError::unreadable("a.pdf"), ListingError::locked("a.pdf"));
    EXPECT_NE(ListingError::noPages(), ListingError::noPagesSelected());
}
