#include "export/flip_through_p.hpp"
#include "export/pending_file.hpp"
#include "export/video_encoder.hpp"
#include "folimo/flip_through.hpp"
#include "folimo/listing_error.hpp"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace folimo {
namespace {

// Frames waiting between the painting thread and the encoder: enough for the painter to run
// ahead through a held page into the next turn, within about 48 MB of distinct pictures
// (held frames share theirs). Frames of more than 16 megapixels wait one at a time: the
// encoder takes far longer over each than the painter.
std::size_t queueLength(PixelSize size) {
    const double pictureBytes = 1.5 * double(size.width) * double(size.height);
    return std::size_t(std::clamp(48e6 / pictureBytes, 1.0, 16.0));
}

constexpr std::int64_t progressInterval = 15;

// Hands pictures from one painting thread to the encoding thread, or the painter's failure.
class PictureQueue {
public:
    explicit PictureQueue(std::size_t length)
        : length_(length) {}

    // Waits for room; false when the painter is asked to stop instead.
    bool push(VideoPicture picture, std::stop_token stop) {
        std::unique_lock lock(mutex_);
        if (!changed_.wait(lock, stop, [&] { return pictures_.size() < length_; })) return false;
        pictures_.push_back(std::move(picture));
        changed_.notify_all();
        return true;
    }

    void fail(std::exception_ptr error) {
        std::lock_guard lock(mutex_);
        error_ = std::move(error);
        changed_.notify_all();
    }

    // The next picture. Rethrows the painter's failure; throws Cancelled when stop is
    // requested while waiting.
    VideoPicture pop(std::stop_token stop) {
        std::unique_lock lock(mutex_);
        if (!changed_.wait(lock, stop, [&] { return !pictures_.empty() || error_; }))
            throw Cancelled();
        if (pictures_.empty()) std::rethrow_exception(error_);
        VideoPicture picture = std::move(pictures_.front());
        pictures_.pop_front();
        changed_.notify_all();
        return picture;
    }

private:
    const std::size_t length_;
    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::deque<VideoPicture> pictures_;
    std::exception_ptr error_;
};

// Paints every frame in order and converts it for the encoder; a frame equal to the one
// before is sent again without painting or converting.
void paintFrames(const FlipThrough& video, const VideoFormat& format, PictureQueue& queue,
                 std::stop_token stop) {
    try {
        flip::FramePainter painter(video);
        PictureConverter converter(format);
        std::optional<VideoPicture> picture;
        for (std::int64_t i = 0, count = video.frameCount(); i < count; ++i) {
            if (painter.paint(double(i) / video.fps()) || !picture)
                picture = converter.convert(painter.data(), painter.stride());
            if (!queue.push(*picture, stop)) return;
        }
    } catch (...) {
        queue.fail(std::current_exception());
    }
}

} // namespace

void FlipThrough::write(const std::filesystem::path& path,
                        const std::function<void(double)>& progress, std::stop_token stop) const {
    const VideoFormat format{int(size_.width), int(size_.height), fps_, bitRate()};
    std::optional<PendingFile> file;
    try {
        file.emplace(path);
    } catch (const ListingError&) {
        throw ListingError::video("the file couldn\u2019t be created");
    }
    // FFmpeg opens the file by name, and again to move the index to the front.
    VideoEncoder encoder(file->path(), format);

    PictureQueue queue(queueLength(size_));
    std::jthread painting(
        [&](std::stop_token painterStop) { paintFrames(*this, format, queue, painterStop); });
    const std::int64_t count = frameCount();
    for (std::int64_t i = 0; i < count; ++i) {
        if (stop.stop_requested()) throw Cancelled();
        encoder.append(queue.pop(stop));
        if (progress && i % progressInterval == 0) progress(double(i) / double(count));
    }
    painting.join();
    encoder.finish(stop);
    try {
        file->commit();
    } catch (const ListingError&) {
        throw ListingError::video("the file wasn\u2019t finished");
    }
    if (progress) progress(1);
}

} // namespace folimo
