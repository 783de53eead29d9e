#include "model/page_selection_p.hpp"

#include <gtest/gtest.h>
#include <random>

using namespace folimo;
using Pages = std::vector<int>;

TEST(PageSelectionParse, BlankTextIsEveryPage) {
    EXPECT_EQ(PageSelection::parse("", 4), (Pages{0, 1, 2, 3}));
    EXPECT_EQ(PageSelection::parse(" \t\n\u00A0", 3), (Pages{0, 1, 2}));
    EXPECT_EQ(PageSelection::parse("", 0), Pages{});
    EXPECT_EQ(PageSelection::parse("1-3", -1), Pages{});
}

TEST(PageSelectionParse, NumbersInOrderOfFirstMention) {
    EXPECT_EQ(PageSelection::parse("3, 1, 3", 10), (Pages{2, 0}));
    EXPECT_EQ(PageSelection::parse("1;4", 10), (Pages{0, 3}));
    EXPECT_EQ(PageSelection::parse("\n 2 ,,; +4\t,", 10), (Pages{1, 3}));
    EXPECT_EQ(PageSelection::parse("0, 11", 10), Pages{});
}

TEST(PageSelectionParse, RangesAreCutToTheDocument) {
    EXPECT_EQ(PageSelection::parse("5-2", 10), (Pages{4, 3, 2, 1}));
    EXPECT_EQ(PageSelection::parse("12-8", 10), (Pages{9, 8, 7}));
    EXPECT_EQ(PageSelection::parse("9-7", 5), Pages{});
    EXPECT_EQ(PageSelection::parse("7-9", 5), Pages{});
    EXPECT_EQ(PageSelection::parse("3-", 5), (Pages{2, 3, 4}));
    EXPECT_EQ(PageSelection::parse(" - 2", 5), (Pages{0, 1}));
    EXPECT_EQ(PageSelection::parse("-", 3), (Pages{0, 1, 2}));
    EXPECT_EQ(PageSelection::parse("0-2", 5), (Pages{0, 1}));
    EXPECT_EQ(PageSelection::parse("1\u20133, 5\u20144", 6), (Pages{0, 1, 2, 4, 3}));
    // Walked only inside the document: these would take ages otherwise.
    EXPECT_EQ(PageSelection::parse("2-999999999999999999", 3), (Pages{1, 2}));
    EXPECT_EQ(PageSelection::parse("999999999999999999-0", 2), (Pages{1, 0}));
}

TEST(PageSelectionParse, WhatIsNotUnderstoodIsDropped) {
    for (const char* text : {"1 4", "a-3", "1-2-3", "--", "x", "1.5", "+", "++2", "2a", "\u22123",
                             "99999999999999999999", "1-99999999999999999999"})
        EXPECT_EQ(PageSelection::parse(text, 10), Pages{}) << text;
    EXPECT_EQ(PageSelection::parse("9223372036854775807, 2", 10), Pages{1});
    EXPECT_EQ(PageSelection::parse("1 4, 2", 10), Pages{1});
}

// Ranges up and down that overlap in every way, against walking each one page by page.
TEST(PageSelectionParse, OverlappingRangesKeepTheFirstMentionOfEachPage) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const int n = 1 + int(random() % 30);
        std::string text;
        Pages expected;
        std::vector<bool> seen(std::size_t(n), false);
        for (int piece = 0, count = 1 + int(random() % 6); piece < count; ++piece) {
            const int a = int(random() % std::uint32_t(n + 3)),
                      b = int(random() % std::uint32_t(n + 3));
            text += std::to_string(a) + "-" + std::to_string(b) + ", ";
            for (int v = a; a <= b ? v <= b : v >= b; v += a <= b ? 1 : -1)
                if (v >= 1 && v <= n && !seen[std::size_t(v - 1)]) {
                    seen[std::size_t(v - 1)] = true;
                    expected.push_back(v - 1);
                }
        }
        EXPECT_EQ(PageSelection::parse(text, n), expected) << text << " of " << n << " pages";
    }
}

// Lists of millions of pieces (pasted, or from a stored file) come out right; their time is
// measured in the benchmarks.
TEST(PageSelectionParse, ListsOfMillionsOfPieces) {
    EXPECT_EQ(PageSelection::parse(std::string(3'000'000, ','), 196), Pages{});
    std::string ranges;
    for (int i = 0; i < 1'000'000; ++i)
        ranges += i % 2 ? "1-196," : "196-2,";
    const Pages pages = PageSelection::parse(ranges, 196);
    ASSERT_EQ(pages.size(), 196u);
    EXPECT_EQ(pages.front(), 195);
    EXPECT_EQ(pages[194], 1);
    EXPECT_EQ(pages.back(), 0);
}

TEST(PageSelectionSpread, EvenlyFromFirstToLast) {
    EXPECT_EQ(PageSelection::spread(10, 6), (Pages{0, 2, 4, 5, 7, 9}));
    EXPECT_EQ(PageSelection::spread(40, 6), (Pages{0, 8, 16, 23, 31, 39}));
    EXPECT_EQ(PageSelection::spread(7, 3), (Pages{0, 3, 6}));
    EXPECT_EQ(PageSelection::spread(3, 5), (Pages{0, 1, 2}));
    EXPECT_EQ(PageSelection::spread(2, 2), (Pages{0, 1}));
    EXPECT_EQ(PageSelection::spread(9, 1), Pages{0});
    EXPECT_EQ(PageSelection::spread(0, 3), Pages{});
    EXPECT_EQ(PageSelection::spread(5, 0), Pages{});
}

TEST(PageSelectionDescribe, RunsJoinedWithEnDash) {
    EXPECT_EQ(PageSelection::describe({0, 1, 2, 4}), "1\u20133, 5");
    EXPECT_EQ(PageSelection::describe({4, 3}), "5, 4");
    EXPECT_EQ(PageSelection::describe({7}), "8");
    EXPECT_EQ(PageSelection::describe({}), "");
}

TEST(PageSelectionChoose, BlankSpreadsTypedIsCut) {
    EXPECT_EQ(PageSelection::choose(" \n", 4, 6, 12), (Pages{0, 1, 2, 3}));
    EXPECT_EQ(PageSelection::choose("", 40, 6, 12), (Pages{0, 8, 16, 23, 31, 39}));
    EXPECT_EQ(PageSelection::choose("1-20", 40, 5, 7), (Pages{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(PageSelection::choose("50", 40, 5, 7), Pages{});
    EXPECT_EQ(PageSelection::choose("1-4", 40, 3, 3), (Pages{0, 1, 2}));
}

TEST(PageSelectionFirstMissing, NamesTheFirstPageTheDocumentLacks) {
    using PageSelection::firstMissing;
    EXPECT_EQ(firstMissing("1-3, 14, 20", 12), 14);
    EXPECT_EQ(firstMissing("10-15", 12), 13);
    EXPECT_EQ(firstMissing("15-10", 12), 15);
    EXPECT_EQ(firstMissing("0-2", 12), 0);
    EXPECT_EQ(firstMissing("2\u201399999999999999999", 12), 13);
    // Every page there, or nothing named at all.
    for (const char* text : {"", "3-, 1", "12-1", "-", "x, 1 4, 1-2-3"})
        EXPECT_EQ(firstMissing(text, 12), std::nullopt) << text;
}
