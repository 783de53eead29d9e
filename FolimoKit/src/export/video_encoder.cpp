#include "export/video_encoder.hpp"

#include "folimo/listing_error.hpp"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <cctype>
#include <mutex>
#include <string>
#include <utility>

namespace folimo {
namespace {

// The x264 speed preset. At the video's bit rate every preset is close to lossless on
// still and turning pages; veryfast's worst frame (mid-turn) keeps an SSIM of 0.999 where
// medium's is 0.9995, in half medium's time. superfast and ultrafast fall to 0.998 on
// turning frames, and ultrafast overshoots the bit rate.
constexpr const char* preset = "veryfast";
// x264's output depends on its number of threads; a number fixed for each frame size makes
// the bytes the same on every machine. Four keep two to four cores busy, and the exporter
// draws images on any others meanwhile.
constexpr int encoderThreads = 4;
// With veryfast's own settings x264 holds a few dozen frames at once (four in the frame
// threads, the rate control's look-ahead, B-frames and their references, each with its
// half-pixel planes): about 90 MB per megapixel of the frame, 3.3 GB at 6000 x 6000. Frames
// larger than 4K UHD are encoded one at a time instead, the threads sharing each frame in
// slices, without look-ahead or B-frames: about 20 MB per megapixel. At five bits a pixel
// that costs next to nothing (the default video encoded both ways keeps an SSIM of 0.99996
// against 0.99998).
constexpr std::int64_t largestFrameWithLookAhead = 3840 * 2160;
constexpr const char* oneFrameAtATime =
    "sliced-threads=1:rc-lookahead=0:sync-lookahead=0:bframes=0:mbtree=0";

// FFmpeg's description of an error code, starting in lower case as a reason does.
std::string describe(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    std::string reason = text;
    if (reason.size() > 1 && std::islower(static_cast<unsigned char>(reason[1])))
        reason[0] = char(std::tolower(static_cast<unsigned char>(reason[0])));
    return reason;
}

[[noreturn]] void fail(int code) {
    throw ListingError::video(describe(code));
}

void check(int code) {
    if (code < 0) fail(code);
}

// The library reports through its errors and never writes to the terminal.
void silenceLogging() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

ListingError outOfMemory() {
    return ListingError::video("out of memory");
}

} // namespace

PictureConverter::PictureConverter(const VideoFormat& format)
    : format_(format) {
    silenceLogging();
    scaler_ =
        sws_getContext(format.width, format.height, AV_PIX_FMT_BGRA, format.width, format.height,
                       AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!scaler_) throw outOfMemory();
    // Full-range sRGB in, BT.709 limited range out, as the stream is tagged.
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(scaler_, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
}

PictureConverter::~PictureConverter() {
    sws_freeContext(scaler_);
}

VideoPicture PictureConverter::convert(const std::uint8_t* bgra, int stride) const {
    std::shared_ptr<AVFrame> frame(av_frame_alloc(), [](AVFrame* f) { av_frame_free(&f); });
    if (!frame) throw outOfMemory();
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = format_.width;
    frame->height = format_.height;
    frame->color_range = AVCOL_RANGE_MPEG;
    frame->colorspace = AVCOL_SPC_BT709;
    frame->color_primaries = AVCOL_PRI_BT709;
    frame->color_trc = AVCOL_TRC_BT709;
    if (av_frame_get_buffer(frame.get(), 0) < 0) throw outOfMemory();
    sws_scale(scaler_, &bgra, &stride, 0, format_.height, frame->data, frame->linesize);
    return VideoPicture(std::move(frame));
}

VideoEncoder::VideoEncoder(const std::filesystem::path& path, const VideoFormat& format)
    : format_(format) {
    // A constructor that throws runs no destructor: what was made so far is freed here.
    try {
        open(path);
    } catch (...) {
        release();
        throw;
    }
}

void VideoEncoder::open(const std::filesystem::path& path) {
    const VideoFormat& format = format_;
    silenceLogging();
    check(avformat_alloc_output_context2(&container_, nullptr, "mp4", nullptr));
    // "file:" keeps a name with a colon from being taken for another protocol.
    container_->url = av_strdup(("file:" + path.string()).c_str());
    if (!container_->url) throw outOfMemory();
    container_->flags |= AVFMT_FLAG_BITEXACT;

    const AVCodec* h264 = avcodec_find_encoder_by_name("libx264");
    if (!h264) throw ListingError::video("the H.264 encoder isn\u2019t available");
    codec_ = avcodec_alloc_context3(h264);
    stream_ = avformat_new_stream(container_, nullptr);
    packet_ = av_packet_alloc();
    if (!codec_ || !stream_ || !packet_) throw outOfMemory();

    codec_->width = format.width;
    codec_->height = format.height;
    codec_->sample_aspect_ratio = {1, 1};
    codec_->pix_fmt = AV_PIX_FMT_YUV420P;
    codec_->color_range = AVCOL_RANGE_MPEG;
    codec_->colorspace = AVCOL_SPC_BT709;
    codec_->color_primaries = AVCOL_PRI_BT709;
    codec_->color_trc = AVCOL_TRC_BT709;
    codec_->time_base = {1, format.fps};
    codec_->framerate = {format.fps, 1};
    codec_->bit_rate = format.bitRate;
    codec_->gop_size = 2 * format.fps;
    codec_->thread_count = encoderThreads;
    codec_->flags |= AV_CODEC_FLAG_BITEXACT;
    if (container_->oformat->flags & AVFMT_GLOBALHEADER)
        codec_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "preset", preset, 0);
    av_dict_set(&options, "profile", "high", 0);
    if (std::int64_t(format.width) * format.height > largestFrameWithLookAhead)
        av_dict_set(&options, "x264-params", oneFrameAtATime, 0);
    const int opened = avcodec_open2(codec_, h264, &options);
    av_dict_free(&options);
    if (opened == AVERROR(ENOMEM)) fail(opened);
    if (opened < 0)
        throw ListingError::video("the size " + std::to_string(format.width) + " \u00D7 " +
                                  std::to_string(format.height) + " isn\u2019t supported");

    check(avcodec_parameters_from_context(stream_->codecpar, codec_));
    stream_->time_base = codec_->time_base;
    stream_->avg_frame_rate = codec_->framerate;
    check(avio_open(&container_->pb, container_->url, AVIO_FLAG_WRITE));
    AVDictionary* muxing = nullptr;
    av_dict_set(&muxing, "movflags", "+faststart", 0);
    const int started = avformat_write_header(container_, &muxing);
    av_dict_free(&muxing);
    check(started);
}

VideoEncoder::~VideoEncoder() {
    release();
}

void VideoEncoder::release() {
    av_packet_free(&packet_);
    avcodec_free_context(&codec_);
    if (container_ && container_->pb) avio_closep(&container_->pb);
    avformat_free_context(std::exchange(container_, nullptr));
    stream_ = nullptr;
}

void VideoEncoder::append(const VideoPicture& picture) {
    AVFrame* frame = av_frame_clone(picture.frame());
    if (!frame) throw outOfMemory();
    frame->pts = nextFrame_++;
    const int sent = avcodec_send_frame(codec_, frame);
    av_frame_free(&frame);
    check(sent);
    while (writeNextPacket()) {
    }
}

void VideoEncoder::finish(std::stop_token stop) {
    check(avcodec_send_frame(codec_, nullptr));
    do {
        if (stop.stop_requested()) throw Cancelled();
    } while (writeNextPacket());
    check(av_write_trailer(container_));
    if (container_->pb->error < 0) fail(container_->pb->error);
    check(avio_closep(&container_->pb));
}

bool VideoEncoder::writeNextPacket() {
    const int received = avcodec_receive_packet(codec_, packet_);
    if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return false;
    check(received);
    packet_->stream_index = stream_->index;
    // Every frame shows for one tick, the last one too, so the stream ends at N / fps.
    if (packet_->duration == 0) packet_->duration = 1;
    av_packet_rescale_ts(packet_, codec_->time_base, stream_->time_base);
    check(av_interleaved_write_frame(container_, packet_));
    return true;
}

} // namespace folimo
