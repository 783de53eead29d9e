#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stop_token>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;
struct SwsContext;

// H.264 in MP4 through FFmpeg (libavformat, libavcodec with libx264, libswscale). Every
// failure is thrown as ListingError::video with FFmpeg's own description in lower case.
namespace folimo {

// The shape of the video to write.
struct VideoFormat {
    int width = 0;  // even
    int height = 0; // even
    int fps = 30;
    std::int64_t bitRate = 0; // average, bits a second
};

// One frame in the encoder's own layout (8-bit 4:2:0, BT.709, limited range). Copies share
// the pixels, so a frame that repeats is converted once and sent as often as it shows.
class VideoPicture {
public:
    explicit VideoPicture(std::shared_ptr<const AVFrame> frame)
        : frame_(std::move(frame)) {}
    const AVFrame* frame() const { return frame_.get(); }

private:
    std::shared_ptr<const AVFrame> frame_;
};

// Turns opaque Cairo ARGB32 frames (bytes B, G, R, A) into encoder pictures. One thread at
// a time.
class PictureConverter {
public:
    explicit PictureConverter(const VideoFormat& format);
    ~PictureConverter();
    PictureConverter(const PictureConverter&) = delete;
    PictureConverter& operator=(const PictureConverter&) = delete;

    // Throws ListingError::video("out of memory") when the picture cannot be allocated.
    VideoPicture convert(const std::uint8_t* bgra, int stride) const;

private:
    VideoFormat format_;
    SwsContext* scaler_ = nullptr;
};

// An MP4 file being written: High profile H.264 at an average bit rate, a key frame at
// least every two seconds, each frame lasting 1 / fps, the index (moov) before the media
// data. No creation time or muxer version in the file, and a fixed number of encoder
// threads, so equal frames give equal bytes.
// Dropping it unfinished closes the file as it is (the caller removes it).
class VideoEncoder {
public:
    // Creates the file at path. Throws ListingError::video, with "the size W × H isn’t
    // supported" when the encoder refuses the frame size.
    VideoEncoder(const std::filesystem::path& path, const VideoFormat& format);
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Adds the next frame; frame i is shown at i / fps.
    void append(const VideoPicture& picture);
    // Compresses what the encoder still holds, then completes the file. Throws Cancelled
    // when stop is requested meanwhile.
    void finish(std::stop_token stop);

private:
    // The constructor's work: sets up the encoder and the container and creates the file.
    void open(const std::filesystem::path& path);
    // Frees everything made so far and closes the file; safe to call again.
    void release();
    // Writes one packet the encoder has ready; false when it has none.
    bool writeNextPacket();

    VideoFormat format_;
    AVFormatContext* container_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVStream* stream_ = nullptr;
    AVPacket* packet_ = nullptr;
    std::int64_t nextFrame_ = 0;
};

} // namespace folimo
