#include "folimo/batch.hpp"
#include "test_support.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace folimo;
namespace fs = std::filesystem;

namespace {

void touch(const fs::path& path) {
    std::ofstream(path) << "%PDF-1.4\n";
}

std::vector<std::string> names(const std::vector<fs::path>& paths) {
    std::vector<std::string> result;
    for (const auto& path : paths)
        result.push_back(path.filename().string());
    return result;
}

std::vector<std::string> folderNames(const std::vector<Batch::Item>& items) {
    std::vector<std::string> result;
    for (const auto& item : items)
        result.push_back(item.folder.filename().string());
    return result;
}

} // namespace

TEST(BatchPDFs, KeepsVisiblePDFsDirectlyInsideWhateverTheExtensionsCase) {
    test::TempDir dir;
    for (const char* name : {"a.pdf", "B.PDF", "c.Pdf", "notes.txt", ".hidden.pdf", "._a.pdf",
                             "pdf", "archive.pdf.zip"})
        touch(dir / name);
    fs::create_directories(dir / "sub");
    touch(dir / "sub" / "deeper.pdf");
    // Only regular files and links to them: a folder, a named pipe (which would block the
    // batch on opening it) and a dangling link named like a PDF are no PDFs.
    fs::create_directories(dir / "d.pdf");
    ASSERT_EQ(mkfifo((dir / "pipe.pdf").c_str(), 0600), 0);
    fs::create_symlink(dir / "a.pdf", dir / "link.pdf");
    fs::create_symlink(dir / "gone", dir / "dangling.pdf");

    EXPECT_EQ(names(Batch::pdfs(dir.path())),
              (std::vector<std::string>{"a.pdf", "B.PDF", "c.Pdf", "link.pdf"}));
}

TEST(BatchPDFs, SortsAsAFileBrowserDoes) {
    test::TempDir dir;
    for (const char* name : {"Unit 10.pdf", "unit 1.pdf", "Unit 2.pdf", "apple.pdf", "Zebra.pdf",
                             "b 100.pdf", "b 20.pdf"})
        touch(dir / name);
    EXPECT_EQ(names(Batch::pdfs(dir.path())),
              (std::vector<std::string>{"apple.pdf", "b 20.pdf", "b 100.pdf", "unit 1.pdf",
                                        "Unit 2.pdf", "Unit 10.pdf", "Zebra.pdf"}));
}

TEST(BatchPDFs, OddFoldersAndNamesAreHandledQuietly) {
    test::TempDir dir;
    EXPECT_TRUE(Batch::pdfs(dir / "missing").empty());
    touch(dir / "caf\xE9.pdf"); // not UTF-8: listed, not dropped
    touch(dir / "b.pdf");
    EXPECT_EQ(Batch::pdfs(dir.path()).size(), 2u);
    EXPECT_TRUE(Batch::pdfs(dir / "b.pdf").empty());
}

TEST(BatchPlan, NamesEachSetAfterItsPDFUniqueAgainstDiskAndBatch) {
    test::TempDir in;
    test::TempDir out;
    fs::create_directories(out / "worksheet listing");
    const auto items = Batch::plan({in / "worksheet.pdf", in / "Plan: A.pdf", in / "Plan- A.pdf",
                                    in / "report.pdf", in / "Report.pdf", in / "v1.2.pdf"},
                                   out.path());

    EXPECT_EQ(folderNames(items), (std::vector<std::string>{
                                      "worksheet listing 2", "Plan- A listing", "Plan- A listing 2",
                                      "report listing", "Report listing 2", "v1.2 listing"}));
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[1].pdf, in / "Plan: A.pdf");
    EXPECT_EQ(items[1].folder, out / "Plan- A listing");
    // Planning makes nothing.
    EXPECT_EQ(std::distance(fs::directory_iterator(out.path()), fs::directory_iterator()), 1);
}
