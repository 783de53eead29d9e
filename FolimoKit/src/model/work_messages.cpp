#include "folimo/work_messages.hpp"

#include "folimo/output_naming.hpp"

namespace folimo::WorkMessages {
namespace {

std::string quoted(const std::string& name) {
    return "\u201C" + name + "\u201D";
}

std::string noun(std::int64_t count) {
    return count == 1 ? "file" : "files";
}

} // namespace

std::string fileCount(std::int64_t files) {
    return std::to_string(files) + " " + noun(files);
}

std::string saved(const std::filesystem::path& folder, std::int64_t files) {
    return "Saved " + fileCount(files) + " to " + quoted(folder.filename().string()) + ".";
}

std::string stopped(const std::filesystem::path& folder, std::int64_t files,
                    std::int64_t plannedFiles) {
    return "Stopped. " + std::to_string(files) + " of " + fileCount(plannedFiles) + " saved in " +
           quoted(folder.filename().string()) + ".";
}

std::string noPDFsInside(const std::filesystem::path& folder) {
    return "There are no PDFs directly inside " + quoted(OutputNaming::shownName(folder)) + ".";
}

std::string batchSummary(std::int64_t made, std::int64_t failed, std::int64_t stopped) {
    std::string summary = std::to_string(made) + (made == 1 ? " set made" : " sets made");
    if (failed > 0) summary += ", " + std::to_string(failed) + " failed";
    if (stopped > 0) summary += ", " + std::to_string(stopped) + " stopped";
    return summary + ".";
}

} // namespace folimo::WorkMessages
