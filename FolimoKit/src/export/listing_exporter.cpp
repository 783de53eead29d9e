#include "folimo/listing_exporter.hpp"

#include "folimo/flip_through.hpp"
#include "folimo/image_writer.hpp"
#include "folimo/listing_error.hpp"
#include "folimo/listing_renderer.hpp"
#include "folimo/preview_pdf.hpp"
#include "model/output_naming_p.hpp"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>
#include <thread>

namespace folimo::ListingExporter {
namespace {

constexpr int imageWeight = 1;
constexpr int previewWeight = 2;
constexpr int videoWeight = 12;
constexpr unsigned maxWorkers = 4;

// One file of the set, at its place in the set's order.
struct Step {
    enum class Kind { image, preview, video };
    Kind kind = Kind::image;
    std::filesystem::path path;
    int weight = 0;
    ImageLayout layout = ImageLayout::grid;
    PixelSize size;
    ImageFormat format = ImageFormat::png;
    // An earlier image that writes the same file (presets whose names safe() makes equal):
    // this one waits for it, so the later preset's image is the one that stays.
    std::optional<std::size_t> sameFileBefore;
};

enum class Outcome { pending, running, done, failed, skipped };

Step fileStep(Step::Kind kind, std::filesystem::path path, int weight) {
    Step step;
    step.kind = kind;
    step.path = std::move(path);
    step.weight = weight;
    return step;
}

std::vector<Step> planSteps(const ListingSettings& settings, const std::filesystem::path& folder,
                            const std::string& title) {
    std::vector<Step> steps;
    const std::vector<ImageLayout> layouts = settings.orderedLayouts();
    for (const auto& preset : settings.images) {
        if (!preset.isOn) continue;
        const std::filesystem::path subfolder = folder / OutputNaming::safe(preset.name);
        for (ImageLayout layout : layouts) {
            Step step =
                fileStep(Step::Kind::image,
                         subfolder / OutputNaming::imageFile(layout, preset.format), imageWeight);
            step.layout = layout;
            step.size = preset.size;
            step.format = preset.format;
            for (std::size_t i = steps.size(); i-- > 0;)
                if (steps[i].path == step.path) {
                    step.sameFileBefore = i;
                    break;
                }
            steps.push_back(std::move(step));
        }
    }
    if (settings.preview.isOn)
        steps.push_back(fileStep(Step::Kind::preview, folder / OutputNaming::previewFile(title),
                                 previewWeight));
    if (settings.video.isOn)
        steps.push_back(
            fileStep(Step::Kind::video, folder / OutputNaming::videoFile(title), videoWeight));
    return steps;
}

// The order in which the workers take the steps up. The video goes first: it is by far the
// longest step, so it must start early to overlap the rest, and started first it keeps the
// memory peak lower than started last (its encoder's frames and the preview's page
// pictures are then less often held at once) at the same speed. Images follow in set
// order, so that a stop or a failure leaves the set's first files.
std::vector<std::size_t> workOrder(const std::vector<Step>& steps) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < steps.size(); ++i)
        if (steps[i].kind == Step::Kind::video) order.push_back(i);
    for (std::size_t i = 0; i < steps.size(); ++i)
        if (steps[i].kind != Step::Kind::video) order.push_back(i);
    return order;
}

// One export in flight: the steps, their outcomes and the progress, shared by the workers.
class Run {
public:
    Run(std::shared_ptr<const SourcePDF> source, const ListingSettings& settings,
        std::filesystem::path folder, std::vector<Step> steps, std::function<void(double)> progress,
        std::stop_token stop)
        : source_(source)
        , settings_(settings)
        , folder_(std::move(folder))
        , renderer_(std::move(source), settings)
        , steps_(std::move(steps))
        , order_(workOrder(steps_))
        , outcomes_(steps_.size(), Outcome::pending)
        , errors_(steps_.size())
        , progress_(std::move(progress))
        , stop_(std::move(stop))
        , forwardStop_(stop_, [this] { halt_.request_stop(); }) {
        for (const auto& step : steps_)
            total_ += step.weight;
    }

    // Takes steps up one after another until none is left; called by every worker.
    void work() {
        for (std::size_t taken; (taken = next_.fetch_add(1)) < order_.size();) {
            const std::size_t index = order_[taken];
            if (!begin(index)) continue;
            try {
                perform(steps_[index]);
                finish(index, Outcome::done, steps_[index].weight);
            } catch (const Cancelled&) {
                finish(index, Outcome::skipped, 0);
            } catch (...) {
                errors_[index] = std::current_exception();
                finish(index, Outcome::failed, 0);
            }
        }
    }

    // The files in set order, or the first failure or stop in set order.
    std::vector<std::filesystem::path> result() const {
        std::vector<std::filesystem::path> written;
        bool stopped = false;
        for (std::size_t i = 0; i < steps_.size(); ++i) {
            switch (outcomes_[i]) {
            case Outcome::done:
                written.push_back(steps_[i].path);
                break;
            case Outcome::failed:
                if (!stopped) std::rethrow_exception(errors_[i]);
                break;
            default:
                // A step left out because of a later step's failure is passed over: that
                // failure is the one to report. One left out on request means stopped.
                if (stop_.stop_requested()) stopped = true;
            }
        }
        if (stopped) throw Stopped(folder_, std::move(written), plannedFiles());
        return written;
    }

private:
    std::size_t plannedFiles() const {
        std::vector<std::filesystem::path> planned;
        for (const auto& step : steps_)
            planned.push_back(step.path);
        return savedFileCount(planned);
    }

    // Whether the step may start. Nothing starts after a failure, or after an image found a
    // stop request: images check for one before they start, the preview does not (a request
    // that comes after the last image was started lets the preview be written), and the
    // video notices one between its frames. An image writing the same file as an earlier
    // one waits for it.
    bool begin(std::size_t index) {
        const Step& step = steps_[index];
        std::unique_lock lock(mutex_);
        if (step.sameFileBefore)
            finished_.wait(lock, [&] {
                const Outcome earlier = outcomes_[*step.sameFileBefore];
                return earlier != Outcome::pending && earlier != Outcome::running;
            });
        if (step.kind == Step::Kind::image && stop_.stop_requested()) abandoned_ = true;
        if (abandoned_) {
            outcomes_[index] = Outcome::skipped;
            finished_.notify_all();
            return false;
        }
        outcomes_[index] = Outcome::running;
        return true;
    }

    void finish(std::size_t index, Outcome outcome, int weight) {
        {
            std::lock_guard lock(mutex_);
            outcomes_[index] = outcome;
            if (outcome == Outcome::failed) abandoned_ = true;
            if (weight > 0) {
                done_ += weight;
                if (steps_[index].kind == Step::Kind::video) videoFraction_ = 0;
                report();
            }
            finished_.notify_all();
        }
        // Outside the lock: the video's and the preview's own stop callbacks run here.
        if (outcome == Outcome::failed) {
            failed_.request_stop();
            halt_.request_stop();
        }
    }

    void videoProgress(double fraction) {
        std::lock_guard lock(mutex_);
        if (!(fraction > videoFraction_)) return;
        videoFraction_ = std::min(fraction, 1.0);
        report();
    }

    // Called with mutex_ held, so reports come one at a time and never go back.
    void report() {
        if (!progress_ || total_ == 0) return;
        const double fraction =
            std::min(1.0, (done_ + videoWeight * videoFraction_) / static_cast<double>(total_));
        if (fraction < reported_) return;
        reported_ = fraction;
        progress_(fraction);
    }

    void perform(const Step& step) {
        switch (step.kind) {
        case Step::Kind::image: {
            const auto image = renderer_.render(step.layout, step.size);
            if (!image) throw ListingError::writeFailed(OutputNaming::shownName(step.path));
            ImageWriter::write(*image, step.path, step.format, ImageWriter::listingQuality);
            break;
        }
        case Step::Kind::preview:
            // With a video to come, a stop request ends the export anyway, so the preview
            // stops too rather than finish for nothing; without one it is written whole.
            PreviewPDF::write(*source_, settings_.preview,
                              listingTitle(settings_.title, source_->title()), step.path,
                              settings_.video.isOn ? halt_.get_token() : failed_.get_token());
            break;
        case Step::Kind::video:
            FlipThrough(source_, settings_)
                .write(
                    step.path, [this](double fraction) { videoProgress(fraction); },
                    halt_.get_token());
            break;
        }
    }

    std::shared_ptr<const SourcePDF> source_;
    const ListingSettings& settings_;
    std::filesystem::path folder_;
    ListingRenderer renderer_;
    std::vector<Step> steps_;
    std::vector<std::size_t> order_;

    std::mutex mutex_;
    std::condition_variable finished_;
    std::vector<Outcome> outcomes_;
    std::vector<std::exception_ptr> errors_;
    std::atomic<std::size_t> next_{0};

    std::function<void(double)> progress_;
    int total_ = 0;
    int done_ = 0;
    double videoFraction_ = 0;
    double reported_ = 0;

    std::stop_token stop_;
    bool abandoned_ = false; // after a failure or a stop request seen before an image
    // Asked to stop after a failure, and halt_ also on the caller's request: they stop the
    // video and the preview in hand.
    std::stop_source failed_;
    std::stop_source halt_;
    std::stop_callback<std::function<void()>> forwardStop_;
};

} // namespace

std::vector<std::filesystem::path> exportSet(std::shared_ptr<const SourcePDF> source,
                                             const ListingSettings& settings,
                                             const std::filesystem::path& folder,
                                             std::function<void(double)> progress,
                                             std::stop_token stop) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) throw ListingError::writeFailed(OutputNaming::shownName(folder));

    for (const auto& preset : settings.images)
        if (preset.isOn)
            // A subfolder that cannot be made shows up as the failure of its first image.
            std::filesystem::create_directories(folder / OutputNaming::safe(preset.name), error);

    const std::string title(listingTitle(settings.title, source->title()));
    std::vector<Step> steps = planSteps(settings, folder, title);
    if (steps.empty()) return {};

    Run run(std::move(source), settings, folder, std::move(steps), std::move(progress),
            std::move(stop));
    // One worker a core, but no more than a few: every worker holds a whole bitmap (up to
    // 6000 x 6000 pixels) while it draws and encodes.
    const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, maxWorkers);
    {
        std::vector<std::jthread> helpers;
        for (unsigned i = 1; i < workers; ++i)
            helpers.emplace_back([&run] { run.work(); });
        run.work();
    }
    return run.result();
}

SavedSet exportNewSet(std::shared_ptr<const SourcePDF> source, const ListingSettings& settings,
                      const std::filesystem::path& parent, std::function<void(double)> progress,
                      std::stop_token stop) {
    const std::string title(listingTitle(settings.title, source->title()));
    SavedSet saved;
    saved.folder = OutputNaming::claim(OutputNaming::folderName(title), parent);
    saved.files =
        exportSet(std::move(source), settings, saved.folder, std::move(progress), std::move(stop));
    return saved;
}

std::size_t savedFileCount(const std::vector<std::filesystem::path>& written) {
    return std::set<std::filesystem::path>(written.begin(), written.end()).size();
}

std::size_t removeStaleTemporaries(const std::filesystem::path& folder,
                                   std::chrono::seconds maxAge) {
    namespace fs = std::filesystem;
    constexpr int depth = 2; // a batch's output folder, its set folders, their preset folders
    std::size_t left = 0;
    std::error_code error;
    const auto now = fs::file_time_type::clock::now();
    fs::recursive_directory_iterator entry(folder, fs::directory_options::skip_permission_denied,
                                           error);
    for (; !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
        if (entry.depth() >= depth) entry.disable_recursion_pending();
        std::error_code look;
        if (!OutputNaming::isTemporaryFile(entry->path().filename().string()) ||
            entry->is_symlink(look) || !entry->is_regular_file(look))
            continue;
        const auto changed = entry->last_write_time(look);
        if (!look && now - changed > maxAge && fs::remove(entry->path(), look)) continue;
        ++left;
    }
    return left;
}

} // namespace folimo::ListingExporter
