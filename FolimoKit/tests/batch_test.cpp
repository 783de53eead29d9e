#include "folimo/batch.hpp"
#include "pdf_files.hpp"
#include "test_support.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <set>
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

// One small image per set and a one-page preview, so a batch of real PDFs stays quick.
ListingSettings smallSets() {
    ListingSettings settings;
    settings.title = "Shared Title";
    settings.images = {{"a", "Tiny", {48, 48}, ImageFormat::png, true}};
    settings.layouts = {ImageLayout::grid};
    settings.preview.pages = "1";
    settings.video.isOn = false;
    return settings;
}

// What a batch told its observer, in order; progress only as the items that reported it,
// since it may come from any thread.
struct Log {
    std::mutex mutex;
    std::vector<std::string> events;
    std::set<std::size_t> progressed;
    std::vector<std::vector<fs::path>> written;
    std::function<void(const std::string&)> onEvent;

    Batch::Observer observer() {
        return {
            [this](std::size_t item) { add("started " + std::to_string(item)); },
            [this](std::size_t item, double) {
                std::lock_guard lock(mutex);
                progressed.insert(item);
            },
            [this](std::size_t item, const fs::path& folder, const std::vector<fs::path>& files) {
                written.push_back(files);
                add("done " + std::to_string(item) + " " + folder.filename().string());
            },
            [this](std::size_t item, const std::string& message) {
                add("failed " + std::to_string(item) + " " + message);
            }};
    }
    void add(const std::string& event) {
        events.push_back(event);
        if (onEvent) onEvent(event);
    }
};

} // namespace

TEST(BatchPDFs, KeepsVisiblePDFsDirectlyInsideWhateverTheExtensionsCase) {
    test::TempDir dir;
    for (const char* name : {"a.pdf", "B.PDF", "c.Pdf", "notes.txt", ".hidden.pdf", "._a.pdf",
                             "pdf", "archive.pdf.zip", "caf\xE9.pdf"}) // not UTF-8: still listed
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
              (std::vector<std::string>{"a.pdf", "B.PDF", "c.Pdf", "caf\xE9.pdf", "link.pdf"}));
    // A folder that is missing or a file: nothing, quietly.
    EXPECT_TRUE(Batch::pdfs(dir / "missing").empty());
    EXPECT_TRUE(Batch::pdfs(dir / "a.pdf").empty());
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

TEST(BatchRun, MakesTheSetsInOrderEachWithItsOwnTitleAndGoesOnPastAPDFThatFails) {
    test::TempDir in;
    test::TempDir out;
    fs::copy_file(test::outsidePDF("CAD.pdf"), in / "Unit 2.pdf");
    fs::copy_file(test::outsidePDF("asy-latex.pdf"), in / "Unit 10.pdf");
    auto damaged = test::readBytes(test::outsidePDF("CAD.pdf"));
    damaged.resize(damaged.size() / 3);
    test::writeBytes(in / "Unit 3.pdf", damaged);
    const auto items = Batch::plan(Batch::pdfs(in.path()), out.path());
    // Something takes the first set's folder between planning and making.
    fs::create_directories(items[0].folder);

    Log log;
    Batch::run(items, smallSets(), log.observer(), {});

    EXPECT_EQ(log.events,
              (std::vector<std::string>{
                  "started 0", "done 0 Unit 2 listing 2", "started 1",
                  "failed 1 " + ListingError::unreadable("Unit 3.pdf").errorDescription(),
                  "started 2", "done 2 Unit 10 listing"}));
    EXPECT_EQ(log.progressed, (std::set<std::size_t>{0, 2}));
    EXPECT_FALSE(fs::exists(items[1].folder));
    ASSERT_EQ(log.written.size(), 2u);
    // The shared title gives way to each PDF's own (asy-latex.pdf carries one).
    EXPECT_EQ(log.written[1],
              (std::vector<fs::path>{out / "Unit 10 listing/Tiny/01-grid.png",
                                     out / "Unit 10 listing/The asymptote package preview.pdf"}));
    EXPECT_EQ(test::filesIn(out / "Unit 2 listing 2").size(), 2u);
}

TEST(BatchRun, StopEndsTheBatchAndTheItemInHandIsNeitherDoneNorFailed) {
    test::TempDir in;
    test::TempDir out;
    for (const char* name : {"a.pdf", "b.pdf"})
        fs::copy_file(test::outsidePDF("CAD.pdf"), in / name);
    const auto items = Batch::plan(Batch::pdfs(in.path()), out.path());

    struct Case {
        const char* stopOn; // the event that asks to stop; empty: asked before the batch
        std::vector<std::string> events;
    };
    for (const Case& c : {Case{"", {}}, Case{"started 0", {"started 0"}},
                          Case{"done 0 a listing", {"started 0", "done 0 a listing"}}}) {
        SCOPED_TRACE(c.stopOn);
        fs::remove_all(out.path() / "a listing");
        std::stop_source stop;
        if (!*c.stopOn) stop.request_stop();
        Log log;
        log.onEvent = [&](const std::string& event) {
            if (event == c.stopOn) stop.request_stop();
        };
        EXPECT_THROW(Batch::run(items, smallSets(), log.observer(), stop.get_token()), Cancelled);
        EXPECT_EQ(log.events, c.events);
    }
}
