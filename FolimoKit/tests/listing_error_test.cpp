#include "folimo/listing_error.hpp"

#include <gtest/gtest.h>

using namespace folimo;

TEST(ListingError, MessagesReadExactlyAsShown) {
    EXPECT_EQ(ListingError::unreadable("worksheet.pdf").errorDescription(),
              "\u201Cworksheet.pdf\u201D couldn\u2019t be opened as a PDF.");
    EXPECT_EQ(ListingError::locked("Planner.pdf").errorDescription(),
              "\u201CPlanner.pdf\u201D is protected with a password. Save a copy without the "
              "password and try again.");
    EXPECT_EQ(ListingError::writeFailed("01-grid.png").errorDescription(),
              "Couldn\u2019t save 01-grid.png.");
    EXPECT_EQ(ListingError::video("the file wasn\u2019t finished").errorDescription(),
              "The video couldn\u2019t be made: the file wasn\u2019t finished");
    EXPECT_EQ(ListingError::noPages().errorDescription(), "This PDF has no pages.");
    EXPECT_EQ(ListingError::noPagesSelected().errorDescription(),
              "None of the chosen pages are in this PDF. Use page numbers like 1-3, 5.");
}

TEST(ListingError, EmptyPayloadLeavesItsPlaceEmpty) {
    EXPECT_EQ(ListingError::unreadable("").errorDescription(),
              "\u201C\u201D couldn\u2019t be opened as a PDF.");
    EXPECT_EQ(ListingError::writeFailed("").errorDescription(), "Couldn\u2019t save .");
    const ListingError error = ListingError::video("");
    EXPECT_STREQ(error.what(), error.errorDescription().c_str());
}

TEST(ListingError, EqualByCaseAndPayload) {
    EXPECT_EQ(ListingError::noPages(), ListingError::noPages());
    EXPECT_NE(ListingError::writeFailed("a.png"), ListingError::writeFailed("b.png"));
    EXPECT_NE(ListingError::unreadable("a.pdf"), ListingError::locked("a.pdf"));
    EXPECT_NE(ListingError::noPages(), ListingError::noPagesSelected());
}
