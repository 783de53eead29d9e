#include "folimo/image.hpp"
#include "folimo/listing_error.hpp"
#include "pdf_files.hpp"
#include "pdf_readback.hpp"
#include "samples/sample_content.hpp"
#include "samples/sample_pdf_p.hpp"
#include "test_support.hpp"

#include <algorithm>
#include <future>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace folimo;
using namespace folimo::test;
using sample::Problem;

namespace {

// ---- Seeded content ------------------------------------------------------------------

TEST(SampleContent, PracticePagesHaveTheirKnownProblemsAllWithinOneHundred) {
    const auto addition = sample::problems(sample::seed::addition, false);
    const auto subtraction = sample::problems(sample::seed::subtraction, true);
    ASSERT_EQ(addition.size(), 20u);
    ASSERT_EQ(subtraction.size(), 20u);
    for (const Problem& p : addition) {
        EXPECT_GE(p.b, 10);
        EXPECT_LE(p.a + p.b, 97);
    }
    for (const Problem& p : subtraction) {
        EXPECT_LE(p.a, 97);
        EXPECT_GE(p.a - p.b, 21);
    }
}

TEST(SampleContent, ColourBySumFactsAddUpToTheKeysSums) {
    const auto rows = sample::colourBySumFacts();
    ASSERT_EQ(rows.size(), 8u);
    const std::set<int> sums(sample::colourBySumKeySums.begin(), sample::colourBySumKeySums.end());
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 6u);
        for (const Problem& fact : row) {
            EXPECT_TRUE(sums.contains(fact.a + fact.b)) << fact.a << " + " << fact.b;
            EXPECT_GE(fact.a, 2);
            EXPECT_GE(fact.b, 2);
        }
    }
}

TEST(SampleContent, WordSearchHidesEachWordInItsRowAmongFillersWithoutQXZ) {
    const auto grid = sample::wordSearchGrid();
    const std::array<std::size_t, 10> columns = {1, 8, 1, 0, 8, 8, 3, 1, 0, 4};
    for (std::size_t w = 0; w < sample::spellingWords.size(); ++w) {
        std::string word(sample::spellingWords[w]);
        std::ranges::transform(word, word.begin(), [](char c) { return char(c - 'a' + 'A'); });
        const std::string row(grid[w + 1].begin(), grid[w + 1].end());
        EXPECT_EQ(row.substr(columns[w], word.size()), word) << "row " << w + 1 << ": " << row;
    }
    for (const auto& row : grid)
        for (char letter : row) {
            EXPECT_TRUE(letter >= 'A' && letter <= 'Z') << int(letter);
            EXPECT_EQ(std::string_view("QXZ").find(letter), std::string_view::npos);
        }
}

// ---- Names -----------------------------------------------------------------------------

TEST(SamplePDFNames, RawValuesAreThePackTitles) {
    EXPECT_EQ(samplePDFFromRawValue("fall math practice"), std::nullopt);
    EXPECT_EQ(samplePDFFromRawValue(""), std::nullopt);
    for (SamplePDF pack : allSamplePDFs)
        EXPECT_EQ(samplePDFFromRawValue(rawValue(pack)), pack);
}

// ---- The PDFs, read back through Poppler ----------------------------------------------

DocumentPtr open(SamplePDF pack) {
    return popplerDocument(data(pack));
}

int expectedPages(SamplePDF pack) {
    return pack == SamplePDF::fallMath ? 8 : 6;
}

TEST(SamplePDFDocument, EveryPackIsUSLetterWithItsTitleCreatorAndFooters) {
    for (SamplePDF pack : allSamplePDFs) {
        SCOPED_TRACE(rawValue(pack));
        const PDFContents read = contents(open(pack).get());
        const int pages = expectedPages(pack);
        EXPECT_EQ(read.pageSizes, std::vector<Size>(std::size_t(pages), Size{612, 792}));
        EXPECT_EQ(read.title, rawValue(pack));
        EXPECT_EQ(read.creator, "Folimo sample");
        // Worksheets carry the footer and covers do not.
        ASSERT_EQ(read.texts.size(), std::size_t(pages));
        EXPECT_EQ(read.texts[0].find("Page "), std::string::npos) << read.texts[0];
        EXPECT_EQ(read.texts[0].find("Name "), std::string::npos) << read.texts[0];
        for (int i = 1; i < pages; ++i) {
            const std::string& text = read.texts[std::size_t(i)];
            const std::string page =
                "Page " + std::to_string(i + 1) + " of " + std::to_string(pages);
            EXPECT_NE(text.find(page), std::string::npos) << text;
            EXPECT_NE(text.find(rawValue(pack)), std::string::npos) << text;
            EXPECT_NE(text.find("Name ____"), std::string::npos) << text;
        }
    }
}

TEST(SamplePDFDocument, PagesShowTheirTextsAndTheAnswerKeyMatchesThePracticePages) {
    const DocumentPtr fall = open(SamplePDF::fallMath);
    const PDFContents read = contents(fall.get());
    EXPECT_NE(read.texts[0].find("Grades 2\u20133"), std::string::npos);

    const std::string& key = read.texts[7];
    auto equation = [](const Problem& p, std::string_view sign, int result) {
        return std::to_string(p.a) + " " + std::string(sign) + " " + std::to_string(p.b) + " = " +
               std::to_string(result);
    };
    for (const Problem& p : sample::problems(sample::seed::addition, false))
        EXPECT_NE(key.find(equation(p, "+", p.a + p.b)), std::string::npos);
    for (const Problem& p : sample::problems(sample::seed::subtraction, true))
        EXPECT_NE(key.find(equation(p, "\u2212", p.a - p.b)), std::string::npos);

    // The hundred chart prints every number in its own cell, except the blanks.
    PagePtr chart(poppler_document_get_page(fall.get(), 5));
    std::map<int, std::string> cells; // cell number 1...100 -> the characters inside it
    PopplerRectangle* boxes = nullptr;
    guint count = 0;
    ASSERT_TRUE(poppler_page_get_text_layout(chart.get(), &boxes, &count));
    const char* character = read.texts[5].c_str();
    for (guint i = 0; i < count && *character; ++i, character = g_utf8_next_char(character)) {
        const double x = (boxes[i].x1 + boxes[i].x2) / 2 - 56;
        const double y = (boxes[i].y1 + boxes[i].y2) / 2 - 196; // from the top
        if (x > 0 && x < 500 && y > 0 && y < 500 && *character != '\n')
            cells[int(y / 50) * 10 + int(x / 50) + 1] += *character;
    }
    g_free(boxes);
    std::map<int, std::string> expected;
    const auto blanks = sample::hundredChartBlanks();
    for (int n = 1; n <= 100; ++n)
        if (!std::ranges::binary_search(blanks, n)) expected[n] = std::to_string(n);
    EXPECT_EQ(cells, expected);
}

// Ink between the content and the footer would collide with the footer rule or its text.
TEST(SamplePDFDocument, NothingOnAWorksheetReachesIntoTheFooter) {
    for (SamplePDF pack : allSamplePDFs) {
        const DocumentPtr document = open(pack);
        for (int i = 1; i < expectedPages(pack); ++i) {
            const Image image = renderPage(document.get(), i); // row 0 at the top
            int inked = 0;
            // Rows just above the rule (at 752 from the top) and between it and the footer text.
            for (int y : {744, 746, 748, 750, 755, 758, 760})
                for (int x = 0; x < 612; ++x)
                    if (image.pixel(x, y).red < 200) ++inked;
            EXPECT_EQ(inked, 0) << rawValue(pack) << " page " << i + 1;
        }
    }
}

TEST(SamplePDFDocument, APackGivesTheSameBytesEveryTimeAndOnEveryThread) {
    for (SamplePDF pack : allSamplePDFs) {
        const auto first = data(pack);
        EXPECT_EQ(data(pack), first) << rawValue(pack);
    }
    std::vector<std::future<std::vector<std::uint8_t>>> drawings;
    for (int i = 0; i < 4; ++i)
        drawings.push_back(
            std::async(std::launch::async, [] { return data(SamplePDF::spelling); }));
    const auto expected = data(SamplePDF::spelling);
    for (auto& drawing : drawings)
        EXPECT_EQ(drawing.get(), expected);
}

// ---- Writing ---------------------------------------------------------------------------

// Writing replaces what was there; a failed write names the file and leaves nothing behind.
TEST(SamplePDFWrite, WritesExactlyTheBytesOrNothing) {
    TempDir dir;
    write(SamplePDF::planner, dir / "planner.pdf");
    write(SamplePDF::planner, dir / "planner.pdf");
    EXPECT_EQ(readBytes(dir / "planner.pdf"), data(SamplePDF::planner));

    EXPECT_EQ(thrownError([&] { write(SamplePDF::fallMath, dir / "missing" / "Pack.pdf"); }),
              ListingError::writeFailed("Pack.pdf"));
    // A folder in the way: the bytes can be written beside it but not renamed over it.
    std::filesystem::create_directory(dir / "Taken.pdf");
    writeBytes(dir / "Taken.pdf" / "inside.txt", {'k'});
    EXPECT_EQ(thrownError([&] { write(SamplePDF::fallMath, dir / "Taken.pdf"); }),
              ListingError::writeFailed("Taken.pdf"));
    EXPECT_EQ(filesIn(dir.path()),
              (std::vector{dir / "Taken.pdf" / "inside.txt", dir / "planner.pdf"}));
    EXPECT_EQ(readBytes(dir / "Taken.pdf" / "inside.txt"), std::vector<std::uint8_t>{'k'});
}

} // namespace
