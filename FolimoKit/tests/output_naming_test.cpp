#include "model/output_naming_p.hpp"
#include "test_support.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <thread>
#include <vector>

using namespace folimo;
namespace fs = std::filesystem;

namespace {

std::string repeated(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

} // namespace

TEST(OutputNamingSafe, ReplacesSeparatorsAndDropsInvisibleCharacters) {
    EXPECT_EQ(OutputNaming::safe("Fall Math: Grade 2/3"), "Fall Math- Grade 2-3");
    EXPECT_EQ(OutputNaming::safe("Tab\there\nand\r\nthere\u200B\uFEFF\u00AD!"), "Tabhereandthere!");
    EXPECT_EQ(OutputNaming::safe("  Spring \u3000\n"), "Spring");
    EXPECT_EQ(OutputNaming::safe("Why? *Really* \"<a|b>\" \U0001F34E"),
              "Why? *Really* \"<a|b>\" \U0001F34E");
}

TEST(OutputNamingSafe, NeverMakesHiddenOrEmptyNames) {
    EXPECT_EQ(OutputNaming::safe(" .x"), "x");
    EXPECT_EQ(OutputNaming::safe("...hidden"), "hidden");
    EXPECT_EQ(OutputNaming::safe("\t.\u200B.env"), "env");
    for (std::string_view empty : {"", "   ", "...", "\t\n\r\x01", " . ", "/"})
        EXPECT_EQ(OutputNaming::safe(empty), empty == "/" ? "-" : "Listing") << empty;
    EXPECT_EQ(OutputNaming::folderName("\n\n"), "Listing listing");
}

TEST(OutputNamingSafe, LongTitlesAreCutAtEightyCharacters) {
    EXPECT_EQ(OutputNaming::safe(repeated("a", 100)), repeated("a", 80));
    EXPECT_EQ(OutputNaming::safe(repeated("a", 79) + "  bbb"), repeated("a", 79));
    // An accented letter made of two code points and a flag made of two are one character
    // each, kept whole at the cut.
    EXPECT_EQ(OutputNaming::safe(repeated("a", 79) + "e\u0301xyz"), repeated("a", 79) + "e\u0301");
    EXPECT_EQ(OutputNaming::safe(repeated("a", 79) + "\U0001F1EB\U0001F1F7z"),
              repeated("a", 79) + "\U0001F1EB\U0001F1F7");
    EXPECT_EQ(OutputNaming::safe(repeated("e\u0301", 50) + repeated("a", 40)),
              repeated("e\u0301", 50) + repeated("a", 30));
}

// Eighty characters of a script that takes three or four bytes a character would exceed the
// 255-byte limit of Linux file names once " flip-through.mp4" is added.
TEST(OutputNamingSafe, NamesStayWithinTheFileSystemLimit) {
    const std::string japanese = OutputNaming::safe(repeated("\u6F22", 100));
    EXPECT_EQ(japanese, repeated("\u6F22", 66));
    const std::string flags = OutputNaming::safe(repeated("\U0001F1EB\U0001F1F7", 80));
    EXPECT_EQ(flags, repeated("\U0001F1EB\U0001F1F7", 25));

    test::TempDir dir;
    for (const std::string& name : {OutputNaming::videoFile(repeated("\u6F22", 100)),
                                    OutputNaming::previewFile(repeated("\U0001F600", 90))})
        EXPECT_TRUE(std::ofstream(dir / name).good()) << name;
}

TEST(OutputNamingSafe, InvalidUTF8BecomesReplacementCharacters) {
    EXPECT_EQ(OutputNaming::safe("Bad\xff\xfe name\xe2\x82"), "Bad\uFFFD\uFFFD name\uFFFD\uFFFD");
    EXPECT_EQ(OutputNaming::lowercased("A\xff"), "a\uFFFD");
}

TEST(OutputNamingFiles, NamesOfTheSetsFiles) {
    EXPECT_EQ(OutputNaming::previewFile("Fall Math: 2/3"), "Fall Math- 2-3 preview.pdf");
    const char* images[] = {"01-grid.png",      "02-cover.jpg", "03-fan.png",
                            "04-clipboard.jpg", "05-desk.png",  "06-frame.jpg"};
    for (std::size_t i = 0; i < allLayouts.size(); ++i)
        EXPECT_EQ(OutputNaming::imageFile(allLayouts[i], allImageFormats[i % 2]), images[i]);
}

TEST(OutputNamingShownName, NamesTheLastRealComponent) {
    EXPECT_EQ(OutputNaming::shownName("/home/me/Unit 1.pdf"), "Unit 1.pdf");
    for (const char* folder : {"/home/me/Sets/", "/home/me/Sets/.", "/home/me/Sets//"})
        EXPECT_EQ(OutputNaming::shownName(folder), "Sets") << folder;
    EXPECT_EQ(OutputNaming::shownName("."), fs::current_path().filename().string());
}

TEST(OutputNamingUnique, NamesPlannedTogetherDifferBeyondCase) {
    test::TempDir dir;
    std::set<std::string> taken;
    std::vector<std::string> planned;
    for (std::string_view title : {"report", "Report", "REPORT", "\u00C4rger", "\u00E4rger"}) {
        planned.push_back(OutputNaming::unique(OutputNaming::folderName(title), dir.path(), taken));
        taken.insert(OutputNaming::lowercased(planned.back()));
    }
    EXPECT_EQ(planned,
              (std::vector<std::string>{"report listing", "Report listing 2", "REPORT listing 3",
                                        "\u00C4rger listing", "\u00E4rger listing 2"}));
}

TEST(OutputNamingUnique, SkipsWhatIsOnDisk) {
    test::TempDir dir;
    fs::create_directory(dir / "Fall Math listing");
    fs::create_directory(dir / "Fall Math listing 2");
    EXPECT_EQ(OutputNaming::unique("Fall Math listing", dir.path(), {}), "Fall Math listing 3");

    // Files and dangling links count as present; numbers are added to the given name.
    std::ofstream(dir / "Fall Math listing 3") << "x";
    fs::create_symlink(dir / "nowhere", dir / "Fall Math listing 4");
    EXPECT_EQ(OutputNaming::unique("Fall Math listing", dir.path(), {"fall math listing 5"}),
              "Fall Math listing 6");

    EXPECT_EQ(OutputNaming::unique("Free", dir / "absent", {}), "Free");
}

TEST(OutputNamingClaim, CallersStartedTogetherEachGetAFolderOfTheirOwn) {
    test::TempDir dir;
    fs::create_directory(dir / "Set listing");
    constexpr int callers = 16;
    std::vector<fs::path> claimed(callers);
    {
        std::vector<std::jthread> threads;
        for (int i = 0; i < callers; ++i)
            threads.emplace_back(
                [&, i] { claimed[i] = OutputNaming::claim("Set listing", dir.path()); });
    }
    std::set<fs::path> distinct(claimed.begin(), claimed.end());
    EXPECT_EQ(distinct.size(), std::size_t(callers));
    EXPECT_FALSE(distinct.contains(dir / "Set listing"));
    for (const auto& folder : claimed)
        EXPECT_TRUE(fs::is_directory(folder) && fs::is_empty(folder)) << folder;
}

TEST(OutputNamingClaim, MakesMissingParentsAndNamesWhatItCannotMake) {
    test::TempDir dir;
    EXPECT_EQ(OutputNaming::claim("A listing", dir / "new" / "parent"),
              dir / "new" / "parent" / "A listing");
    std::ofstream(dir / "file") << "in the way";
    EXPECT_EQ(test::thrownError([&] { OutputNaming::claim("A listing", dir / "file"); }),
              ListingError::writeFailed("A listing"));
}
