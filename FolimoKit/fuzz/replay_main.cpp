// Replays inputs through a fuzz target where libFuzzer is not available (GCC builds, CTest):
// every file named on the command line, and every file inside every folder named there
// (recursively, in name order), is read and handed to LLVMFuzzerTestOneInput once. A crash
// shows as a crash; the exit status is 1 only when an argument cannot be read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << file << "\n";
        return false;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    // A copy in a buffer of exactly its size, so that reads past the end are caught by the
    // sanitizers.
    std::vector<std::uint8_t> input(bytes);
    static const std::uint8_t nothing = 0;
    LLVMFuzzerTestOneInput(input.empty() ? &nothing : input.data(), input.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    bool ok = true;
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path argument = argv[i];
        std::error_code error;
        if (std::filesystem::is_directory(argument, error)) {
            std::vector<std::filesystem::path> files;
            for (const auto& entry : std::filesystem::recursive_directory_iterator(argument, error))
                if (entry.is_regular_file()) files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const auto& file : files)
                count += replay(file) ? 1 : (ok = false, 0);
        } else {
            count += replay(argument) ? 1 : (ok = false, 0);
        }
    }
    std::cout << "replayed " << count << " inputs\n";
    return ok ? 0 : 1;
}
