#include "samples/sample_content.hpp"

#include "samples/sample_random.hpp"

namespace folimo::sample {

std::vector<Problem> problems(int seed, bool subtract) {
    SampleRandom random{std::uint64_t(seed)};
    std::vector<Problem> result;
    for (int i = 0; i < 20; ++i) {
        const std::uint64_t a0 = random.next();
        const int b = int(random.below(20)) + 10;
        const int a = int(a0 % 48) + 21 + (subtract ? b : 0);
        result.push_back({a, b});
    }
    return result;
}

std::vector<int> acornCounts() {
    SampleRandom random(seed::countTheAcorns);
    std::vector<int> counts;
    for (int row = 0; row < 6; ++row)
        counts.push_back(int(random.below(6)) + 4);
    return counts;
}

std::vector<int> hundredChartBlanks() {
    SampleRandom random(seed::missingNumbers);
    std::vector<int> blanks;
    for (int n = 1; n <= 100; ++n)
        if (random.fraction() < 0.32) blanks.push_back(n);
    return blanks;
}

std::vector<std::vector<Problem>> colourBySumFacts() {
    SampleRandom random(seed::colourBySum);
    std::vector<std::vector<Problem>> rows(8);
    for (auto& row : rows)
        for (int space = 0; space < 6; ++space) {
            const int sum = colourBySumKeySums[random.below(colourBySumKeySums.size())];
            const int a = int(random.below(std::uint64_t(sum - 3))) + 2;
            row.push_back({a, sum - a});
        }
    return rows;
}

std::array<std::array<char, 12>, 12> wordSearchGrid() {
    // Q, X and Z are left out of the fillers: they stand out and never occur in the words.
    constexpr std::string_view fillers = "ABCDEFGHIJKLMNOPRSTUVWY";
    SampleRandom random(seed::wordSearch);
    std::array<std::array<char, 12>, 12> grid{};
    for (std::size_t w = 0; w < spellingWords.size(); ++w) {
        const std::string_view word = spellingWords[w];
        const std::size_t column = random.below(13 - word.size());
        for (std::size_t k = 0; k < word.size(); ++k)
            grid[w + 1][column + k] = char(word[k] - 'a' + 'A');
    }
    for (auto& row : grid)
        for (char& cell : row)
            if (cell == 0) cell = fillers[random.below(fillers.size())];
    return grid;
}

} // namespace folimo::sample
