#include "folimo/listing_error.hpp"
#include "folimo/listing_exporter.hpp"
#include "image_files.hpp"
#include "test_support.hpp"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

using namespace folimo;
namespace fs = std::filesystem;

namespace {

// Small sizes keep a whole set quick: two presets, a short preview and a tiny video.
ListingSettings smallSet() {
    ListingSettings settings;
    settings.title = "Small Set";
    settings.images = {{"a", "Thumbs", {64, 64}, ImageFormat::png, true},
                       {"b", "Off", {64, 64}, ImageFormat::png, false},
                       {"c", "Wide", {96, 72}, ImageFormat::jpeg, true}};
    settings.layouts = {ImageLayout::grid, ImageLayout::fan, ImageLayout::frame};
    settings.preview.pages = "1-2";
    settings.video.size = {64, 64};
    settings.video.seconds = 10;
    settings.video.fps = 10;
    return settings;
}

std::shared_ptr<const SourcePDF> cad() {
    return SourcePDF::open(test::outsidePDF("CAD.pdf"));
}

// Every progress report, in the order it came.
struct Reports {
    std::mutex mutex;
    std::vector<double> values;
    std::function<void(double)> callback() {
        return [this](double value) {
            std::lock_guard lock(mutex);
            values.push_back(value);
        };
    }
};

} // namespace

TEST(ListingExporterFiles, WritesTheWholeSetInSetOrder) {
    test::TempDir dir;
    const fs::path folder = dir / "deep" / "Small Set listing";
    const auto written = ListingExporter::exportSet(cad(), smallSet(), folder);

    const std::vector<fs::path> expected = {
        folder / "Thumbs/01-grid.png",    folder / "Thumbs/03-fan.png",
        folder / "Thumbs/06-frame.png",   folder / "Wide/01-grid.jpg",
        folder / "Wide/03-fan.jpg",       folder / "Wide/06-frame.jpg",
        folder / "Small Set preview.pdf", folder / "Small Set flip-through.mp4"};
    EXPECT_EQ(written, expected);
    // Nothing else: no subfolder for the preset that is off, no temporary files left.
    std::vector<fs::path> sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(test::filesIn(folder), sorted);
    EXPECT_FALSE(fs::exists(folder / "Off"));
}

TEST(ListingExporterFiles, PresetsMadeEqualBySafeShareAFolderAndTheLaterOneWins) {
    test::TempDir dir;
    ListingSettings settings = smallSet();
    // The earlier image is the slower one to draw, and both are drawn at once on different
    // threads: the later preset's must still be the one that stays.
    settings.images = {{"a", "A/B", {900, 900}, ImageFormat::png, true},
                       {"b", "A:B", {64, 64}, ImageFormat::png, true}};
    settings.layouts = {ImageLayout::desk};
    settings.preview.isOn = false;
    settings.video.isOn = false;
    for (int round = 0; round < 3; ++round) {
        const auto written = ListingExporter::exportSet(cad(), settings, dir / "set");
        ASSERT_EQ(written, (std::vector<fs::path>(2, dir / "set" / "A-B" / "05-desk.png")));
        EXPECT_EQ(test::readPNG(written[0]).width, 64);
    }
    EXPECT_EQ(test::filesIn(dir / "set").size(), 1u);
}

TEST(ListingExporterFiles, PartsLeftOutLeaveTheirFoldersEmpty) {
    test::TempDir dir;
    ListingSettings settings = smallSet();
    settings.layouts.clear();
    settings.title = " \t\n"; // a blank title takes the PDF's own
    EXPECT_EQ(ListingExporter::exportSet(cad(), settings, dir / "set"),
              (std::vector<fs::path>{dir / "set" / "CAD preview.pdf",
                                     dir / "set" / "CAD flip-through.mp4"}));
    EXPECT_TRUE(fs::is_empty(dir / "set" / "Thumbs"));
    EXPECT_TRUE(fs::is_empty(dir / "set" / "Wide"));

    settings.images.clear();
    settings.preview.isOn = false;
    settings.video.isOn = false;
    Reports reports;
    EXPECT_TRUE(
        ListingExporter::exportSet(cad(), settings, dir / "empty", reports.callback()).empty());
    EXPECT_TRUE(fs::is_directory(dir / "empty"));
    EXPECT_TRUE(reports.values.empty());
}

TEST(ListingExporterProgress, RisesByTheWeightsOfTheStepsToOne) {
    test::TempDir dir;
    ListingSettings settings = smallSet();
    settings.video.isOn = false;
    Reports reports;
    ListingExporter::exportSet(cad(), settings, dir / "set", reports.callback());

    // Six images of 1 and the preview of 2: eight steps of the total 8, in whatever order
    // the threads finish them.
    ASSERT_EQ(reports.values.size(), 7u);
    std::vector<double> steps;
    double last = 0;
    for (double value : reports.values) {
        steps.push_back(std::round((value - last) * 8 * 1000) / 1000);
        last = value;
    }
    std::sort(steps.begin(), steps.end());
    EXPECT_EQ(steps, (std::vector<double>{1, 1, 1, 1, 1, 1, 2}));
    EXPECT_EQ(reports.values.back(), 1.0);
}

TEST(ListingExporterProgress, TheVideoMovesItSmoothlyAndItNeverGoesBack) {
    test::TempDir dir;
    Reports reports;
    ListingExporter::exportSet(cad(), smallSet(), dir / "set", reports.callback());

    // 6 images + preview 2 + video 12 = 20; the video reports every 15 frames of 100.
    EXPECT_GT(reports.values.size(), 7u + 3u);
    EXPECT_TRUE(std::is_sorted(reports.values.begin(), reports.values.end()));
    EXPECT_GT(reports.values.front(), 0.0);
    EXPECT_EQ(reports.values.back(), 1.0);
    const auto fractional =
        std::count_if(reports.values.begin(), reports.values.end(), [](double v) {
            const double twentieths = v * 20;
            return std::abs(twentieths - std::round(twentieths)) > 1e-9;
        });
    EXPECT_GT(fractional, 0) << "the video's own progress should show between whole steps";
}

TEST(ListingExporterCancel, StopDuringTheImagesKeepsWhatWasWrittenAndStartsNoMore) {
    test::TempDir dir;
    ListingSettings settings = smallSet();
    settings.layouts = {allLayouts.begin(), allLayouts.end()};
    // A video long enough to be still in hand when the first image is done.
    settings.video.size = {320, 320};
    settings.video.seconds = 15;
    settings.video.fps = 30;
    const fs::path first = dir / "set" / "Thumbs" / "01-grid.png";
    std::stop_source stop;
    try {
        ListingExporter::exportSet(
            cad(), settings, dir / "set",
            [&](double) {
                if (fs::exists(first)) stop.request_stop();
            },
            stop.get_token());
        FAIL() << "the export was not stopped";
    } catch (const ListingExporter::Stopped& stopped) {
        // It tells what is on disk: every file whole, no temporary one left. The images in
        // hand when the first was done (one a thread at most) still finish; no other is
        // started, and the video in hand stops without leaving a file.
        const auto files = test::filesIn(dir / "set");
        auto written = stopped.files();
        std::sort(written.begin(), written.end());
        EXPECT_EQ(written, files);
        EXPECT_EQ(stopped.folder(), dir / "set");
        EXPECT_EQ(stopped.plannedFiles(), 14u);
        EXPECT_TRUE(std::find(files.begin(), files.end(), first) != files.end());
        EXPECT_LE(files.size(), std::max(1u, std::thread::hardware_concurrency()));
        EXPECT_FALSE(fs::exists(dir / "set" / "Small Set flip-through.mp4"));
    }
}

TEST(ListingExporterCancel, StopAfterTheLastImageWithoutVideoLetsTheSetFinish) {
    test::TempDir dir;
    ListingSettings settings = smallSet();
    settings.images.resize(1);
    settings.layouts = {ImageLayout::cover};
    settings.video.isOn = false;
    std::stop_source stop;
    const auto written = ListingExporter::exportSet(
        cad(), settings, dir / "set", [&](double) { stop.request_stop(); }, stop.get_token());
    EXPECT_EQ(written.size(), 2u);
}

TEST(ListingExporterLeftovers, TemporaryFilesADayOldGoWithinTwoFoldersDepth) {
    test::TempDir dir;
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(25);
    auto make = [&](const fs::path& path, bool aged) {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "x";
        if (aged) fs::last_write_time(path, old);
    };
    const fs::path set = dir / "out" / "Unit 2 listing";
    make(set / ".folimo-aaaaaaaaaa.part", true);
    make(set / "Thumbs" / ".folimo-bbbbbbbbbb.part", true);
    make(set / "Thumbs" / ".folimo-cccccccccc.part", false); // perhaps still being written
    make(set / "Thumbs" / "01-grid.png", true);
    make(set / "Thumbs" / "deeper" / ".folimo-dddddddddd.part", true);
    fs::create_symlink(set / "Thumbs" / "01-grid.png", set / ".folimo-eeeeeeeeee.part");

    EXPECT_EQ(ListingExporter::removeStaleTemporaries(dir / "out", std::chrono::hours(24)), 1u);
    EXPECT_EQ(test::filesIn(dir / "out"),
              (std::vector<fs::path>{set / ".folimo-eeeeeeeeee.part", // a link: not ours
                                     set / "Thumbs" / ".folimo-cccccccccc.part",
                                     set / "Thumbs" / "01-grid.png",
                                     set / "Thumbs" / "deeper" / ".folimo-dddddddddd.part"}));
    EXPECT_EQ(ListingExporter::removeStaleTemporaries(dir / "gone", std::chrono::hours(24)), 0u);
}

TEST(ListingExporterFailures, AFolderThatCannotBeMadeIsNamed) {
    test::TempDir dir;
    std::ofstream(dir / "file") << "x";
    EXPECT_EQ(test::thrownError(
                  [&] { ListingExporter::exportSet(cad(), smallSet(), dir / "file" / "set"); }),
              ListingError::writeFailed("set"));
    EXPECT_EQ(
        test::thrownError([&] { ListingExporter::exportSet(cad(), smallSet(), dir / "file"); }),
        ListingError::writeFailed("file"));
}

TEST(ListingExporterFailures, TheFirstFailureInSetOrderIsPassedOnAndEarlierFilesStay) {
    test::TempDir dir;
    ListingSettings settings = smallSet();
    settings.images.push_back({"d", "Blocked", {64, 64}, ImageFormat::jpeg, true});
    settings.images.push_back({"e", "Blocked too", {64, 64}, ImageFormat::png, true});
    const fs::path folder = dir / "set";
    fs::create_directories(folder);
    // Files where the last two presets' subfolders belong.
    std::ofstream(folder / "Blocked") << "x";
    std::ofstream(folder / "Blocked too") << "x";

    EXPECT_EQ(test::thrownError([&] { ListingExporter::exportSet(cad(), settings, folder); }),
              ListingError::writeFailed("01-grid.jpg"));
    EXPECT_TRUE(fs::exists(folder / "Thumbs" / "01-grid.png"));
    EXPECT_TRUE(fs::exists(folder / "Wide" / "06-frame.jpg"));
}

// Poppler reads the file as it draws: a PDF cut short or written over in place after it was
// opened would come out as blank pages. The export fails instead, naming the PDF.
TEST(ListingExporterFailures, APDFChangedOnDiskSinceItWasOpenedFailsTheExport) {
    test::TempDir dir;
    fs::copy_file(test::outsidePDF("CAD.pdf"), dir / "edit.pdf");
    const auto source = SourcePDF::open(dir / "edit.pdf");
    fs::resize_file(dir / "edit.pdf", fs::file_size(dir / "edit.pdf") / 3);
    EXPECT_EQ(
        test::thrownError([&] { ListingExporter::exportSet(source, smallSet(), dir / "set"); }),
        ListingError::unreadable("edit.pdf"));
}
