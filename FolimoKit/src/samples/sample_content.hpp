#pragma once

#include <array>
#include <string_view>
#include <vector>

// What the sample worksheets show: fixed word lists and the seeded content of the fall
// maths and spelling pages. Pure functions, so the content can be checked without drawing.
namespace folimo::sample {

inline constexpr std::array<std::string_view, 10> spellingWords = {
    "cat", "map", "bed", "pen", "sit", "fish", "jump", "sand", "nest", "milk"};

inline constexpr std::array<std::string_view, 4> storyProblems = {
    "Mia picked 24 pumpkins in the morning and 15 more after lunch. How many pumpkins did "
    "she pick in all?",
    "The farm stand had 63 apples. Families bought 28 of them. How many apples are left?",
    "Leo raked 37 leaves into one pile and 46 leaves into another. How many leaves did he "
    "rake?",
    "There were 52 acorns under the oak tree. Squirrels carried away 19. How many acorns are "
    "still there?"};

inline constexpr std::array<int, 4> colourBySumKeySums = {10, 12, 14, 16};

// Seeds of the pages that use chance.
namespace seed {
inline constexpr int addition = 1;
inline constexpr int subtraction = 2;
inline constexpr int countTheAcorns = 5;
inline constexpr int missingNumbers = 9;
inline constexpr int colourBySum = 13;
inline constexpr int wordSearch = 17;
inline constexpr int fallCover = 21;
} // namespace seed

// One two-number problem, a + b or a - b.
struct Problem {
    int a = 0;
    int b = 0;
    bool operator==(const Problem&) const = default;
};

// Twenty problems from the seed with both numbers of two digits: sums of at most 97, or,
// when subtract is set, differences of at least 21.
std::vector<Problem> problems(int seed, bool subtract);

// The number of acorns in each of the six rows of "Count the Acorns", 4 to 9 each.
std::vector<int> acornCounts();

// The numbers 1...100 of the hundred chart that are left blank, ascending.
std::vector<int> hundredChartBlanks();

// The 8 rows of 6 addition facts of "Color by Sum"; each sum is one of the key sums and
// both terms are at least 2.
std::vector<std::vector<Problem>> colourBySumFacts();

// The 12 rows of 12 upper-case letters of the word search: spelling word w written left to
// right in row w + 1, every other cell a filler letter other than Q, X and Z.
std::array<std::array<char, 12>, 12> wordSearchGrid();

} // namespace folimo::sample
