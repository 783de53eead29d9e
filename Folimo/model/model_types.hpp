#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string_view>

// The small value types the application model is made of. Plain values, compared by value.
namespace folimo {

// The sidebar pages, in sidebar order.
enum class Page { listing, batch, brands, sizes };
inline constexpr std::array<Page, 4> allPages = {Page::listing, Page::batch, Page::brands,
                                                 Page::sizes};
// "listing", "batch", "brands", "sizes".
std::string_view rawValue(Page page);

// The panes of the listing page, in picker order.
enum class ListingTab { images, preview, video };
inline constexpr std::array<ListingTab, 3> allListingTabs = {
    ListingTab::images, ListingTab::preview, ListingTab::video};
// "images", "preview", "video".
std::string_view rawValue(ListingTab tab);

// The state of the one listing-set export: idle; running with the fraction done (0...1);
// done with the set's folder and the number of files written; stopped with the set's folder,
// the number of files it holds and the number the whole set would have held; failed with the
// message shown to the user. Only the fields of the state's kind are meaningful; the others
// keep their defaults, so == compares by value.
struct ExportState {
    enum class Kind { idle, running, done, stopped, failed };

    Kind kind = Kind::idle;
    double fraction = 0;
    std::filesystem::path folder;
    std::int64_t files = 0;
    std::int64_t plannedFiles = 0;
    QString message;

    static ExportState idle() { return {}; }
    static ExportState running(double fraction) { return {Kind::running, fraction, {}, 0, 0, {}}; }
    static ExportState done(std::filesystem::path folder, std::int64_t files) {
        return {Kind::done, 0, std::move(folder), files, 0, {}};
    }
    static ExportState stopped(std::filesystem::path folder, std::int64_t files,
                               std::int64_t plannedFiles) {
        return {Kind::stopped, 0, std::move(folder), files, plannedFiles, {}};
    }
    static ExportState failed(QString message) {
        return {Kind::failed, 0, {}, 0, 0, std::move(message)};
    }

    bool isRunning() const { return kind == Kind::running; }
    bool operator==(const ExportState&) const = default;
};

// One PDF of a batch and how far its set has come. The PDF is the row's identity.
struct BatchRow {
    // waiting; working with the fraction done (0...1); done with the number of files
    // written and the set's folder; stopped with the set's folder, the files it holds and the
    // number the whole set would have held; failed with the message shown to the user.
    struct Status {
        enum class Kind { waiting, working, done, stopped, failed };

        Kind kind = Kind::waiting;
        double fraction = 0;
        std::int64_t files = 0;
        std::int64_t plannedFiles = 0;
        std::filesystem::path folder;
        QString message;

        static Status waiting() { return {}; }
        static Status working(double fraction) { return {Kind::working, fraction, 0, 0, {}, {}}; }
        static Status done(std::int64_t files, std::filesystem::path folder) {
            return {Kind::done, 0, files, 0, std::move(folder), {}};
        }
        static Status stopped(std::filesystem::path folder, std::int64_t files,
                              std::int64_t plannedFiles) {
            return {Kind::stopped, 0, files, plannedFiles, std::move(folder), {}};
        }
        static Status failed(QString message) {
            return {Kind::failed, 0, 0, 0, {}, std::move(message)};
        }

        bool operator==(const Status&) const = default;
    };

    std::filesystem::path pdf;
    Status status;

    bool operator==(const BatchRow&) const = default;
};

} // namespace folimo
