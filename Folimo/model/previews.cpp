#include "model/previews.hpp"

#include "folimo/listing_error.hpp"
#include "folimo/listing_renderer.hpp"
#include "folimo/page_selection.hpp"
#include "folimo/preview_pdf.hpp"
#include "folimo/sample_pdf.hpp"
#include "model/observed.hpp"
#include "model/qt_image.hpp"

#include <QLocale>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <cmath>
#include <exception>

namespace folimo {
namespace {

constexpr double videoPreviewSide = 720;
constexpr double stepSeconds = 1.0 / 15;
constexpr PixelSize brandPreviewSize{960, 720};

template <typename T> QString hashText(const T& value) {
    return QString::number(static_cast<qint64>(std::hash<T>()(value)));
}

QString identity(const std::shared_ptr<const SourcePDF>& source) {
    return QString::number(reinterpret_cast<quintptr>(source.get()));
}

// Free text inside a key: bars and backslashes escaped, so no text can pass for a field.
QString keyText(const std::string& text) {
    QString escaped = QString::fromStdString(text);
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('|'), QStringLiteral("\\|"));
    return escaped;
}

QString pageList(const std::vector<int>& pages) {
    QStringList numbers;
    for (const int page : pages)
        numbers << QString::number(page);
    return QLatin1Char('[') + numbers.join(QStringLiteral(", ")) + QLatin1Char(']');
}

// The preset's proportions (as its images come out: each side within 64...6000) with the
// longer side maxSide, the fractions dropped. Nothing for a side that is not a positive
// finite number.
std::optional<PixelSize> previewSize(const ImagePreset& preset, double maxSide) {
    if (!std::isfinite(maxSide) || maxSide < 1) return std::nullopt;
    const PixelSize size = preset.size.clamped();
    const double k = maxSide / double(std::max(size.width, size.height));
    return PixelSize{static_cast<std::int64_t>(k * double(size.width)),
                     static_cast<std::int64_t>(k * double(size.height))};
}

// The truncation to whole steps of playback, so that one playback draws each frame once.
double frameTime(double videoTime) {
    return std::trunc(videoTime * 15) / 15;
}

} // namespace

Previews::Previews(ListingSession& session, ListingSession::Alert alert, QObject* parent)
    : QObject(parent)
    , session_(session)
    , alert_(std::move(alert))
    , pool_(std::make_unique<QThreadPool>()) {
    pool_->setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    player_.setTimerType(Qt::PreciseTimer);
    player_.setInterval(66);
    connect(&player_, &QTimer::timeout, this, &Previews::playbackStep);
    for (auto changed : {&ListingSession::settingsChanged, &ListingSession::brandsChanged,
                         &ListingSession::brandIDChanged})
        connect(&session, changed, this, &Previews::inputsChanged);
    connect(&session, &ListingSession::sourceChanged, this, [this] {
        cache_.clear();
        inputsChanged();
    });
    // Views ask for previews on each change of an opening; drawings started then would be of
    // inputs about to change, and would keep the pool from the ones asked for at the end.
    connect(&session, &ListingSession::opening, this, [this] {
        opening_ = true;
        stopPlayback();
    });
    connect(&session, &ListingSession::opened, this, [this] {
        setVideoTime(0);
        cache_.clear();
        opening_ = false;
        inputsChanged();
    });
}

Previews::~Previews() {
    pool_->clear();
    pool_->waitForDone();
}

void Previews::setSelectedLayout(ImageLayout layout) {
    if (changeTo(selectedLayout_, layout)) emit selectedLayoutChanged();
}

void Previews::setPreviewPresetID(const QString& id) {
    if (changeTo(previewPresetID_, id)) emit previewPresetIDChanged();
}

void Previews::setVideoTime(double seconds) {
    if (changeTo(videoTime_, seconds)) emit videoTimeChanged();
}

void Previews::setPlaying(bool playing) {
    if (changeTo(playing_, playing)) emit playingChanged();
}

ImagePreset Previews::previewPreset() const {
    const auto& presets = session_.settings().images;
    const std::string id = previewPresetID_.toStdString();
    const auto found = std::find_if(presets.begin(), presets.end(),
                                    [&id](const ImagePreset& preset) { return preset.id == id; });
    if (found != presets.end()) return *found;
    return presets.empty() ? ImagePreset::defaults().front() : presets.front();
}

// --- Keys ---------------------------------------------------------------------------------

QString Previews::previewImageKey(ImageLayout layout, const ImagePreset& preset,
                                  double maxSide) const {
    const auto size = previewSize(preset, maxSide);
    if (!size) return {};
    return QStringLiteral("img|") + QString::fromUtf8(storedText(layout)) + QLatin1Char('|') +
           QString::number(size->width) + QLatin1Char('x') + QString::number(size->height) +
           QLatin1Char('|') + hashText(session_.effectiveSettings()) + QLatin1Char('|') +
           identity(session_.source());
}

QString Previews::brandPreviewKey(const Brand& brand) const {
    const auto& pdf = session_.source() ? session_.source() : sampleSource_;
    return QStringLiteral("brand|") + hashText(brand) + QLatin1Char('|') +
           keyText(session_.settings().title) + QLatin1Char('|') +
           (session_.settings().showTitle ? QStringLiteral("true") : QStringLiteral("false")) +
           QLatin1Char('|') + keyText(session_.settings().pages) + QLatin1Char('|') + identity(pdf);
}

QString Previews::sheetImageKey(const std::vector<int>& pages, int width) const {
    return QStringLiteral("sheet|") + pageList(pages) + QLatin1Char('|') + QString::number(width) +
           QLatin1Char('|') + hashText(session_.settings().preview) + QLatin1Char('|') +
           identity(session_.source());
}

QString Previews::videoFrameKey() const {
    const auto video = previewFlipThrough();
    if (!video) return {};
    return QStringLiteral("video|") +
           QString::number(frameTime(videoTime_), 'g', QLocale::FloatingPointShortest) +
           QLatin1Char('|') + QString::number(video->size().width) + QLatin1Char('|') +
           hashText(session_.settings()) + QLatin1Char('|') + hashText(session_.brand()) +
           QLatin1Char('|') + identity(session_.source());
}

// --- Cache ----------------------------------------------------------------------------------

void Previews::cacheImage(const QImage& image, const QString& key) {
    cache_.insert(key, image);
}

void Previews::inputsChanged() {
    // Drawings under way belong to the old inputs: they are dropped when they end.
    ++generation_;
    drawing_.clear();
    failed_.clear();
    emit previewsChanged();
}

std::shared_ptr<const SourcePDF> Previews::brandSource() {
    if (!sampleSource_) {
        try {
            sampleSource_ =
                SourcePDF::open(data(SamplePDF::fallMath), fileName(SamplePDF::fallMath));
        } catch (const ListingError&) {
        }
    }
    return session_.source() ? session_.source() : sampleSource_;
}

// --- Drawing: each gives the drawing as a call that can run on any thread -------------

namespace {

std::function<QImage()> listingDrawing(std::shared_ptr<const SourcePDF> source,
                                       ListingSettings settings, ImageLayout layout,
                                       PixelSize size) {
    return [source = std::move(source), settings = std::move(settings), layout, size] {
        return toQImage(ListingRenderer(source, settings).render(layout, size));
    };
}

std::function<QImage()> sheetDrawing(std::shared_ptr<const SourcePDF> source,
                                     PreviewSettings preview, std::vector<int> pages, int width) {
    return [source = std::move(source), preview = std::move(preview), pages = std::move(pages),
            width] { return toQImage(PreviewPDF::sheetImage(*source, preview, pages, width)); };
}

std::function<QImage()> frameDrawing(FlipThrough video, double t) {
    return [video = std::move(video), t] { return toQImage(video.image(t)); };
}

} // namespace

// --- Synchronous previews -----------------------------------------------------------------

QImage Previews::previewImage(ImageLayout layout, const ImagePreset& preset, double maxSide) {
    const auto size = previewSize(preset, maxSide);
    if (!session_.source() || !size) return {};
    const QString key = previewImageKey(layout, preset, maxSide);
    if (cache_.contains(key)) return cache_.use(key);
    const QImage image =
        listingDrawing(session_.source(), session_.effectiveSettings(), layout, *size)();
    cacheImage(image, key);
    return image;
}

QImage Previews::brandPreview(const Brand& brand) {
    const auto pdf = brandSource();
    if (!pdf) return {};
    const QString key = brandPreviewKey(brand);
    if (cache_.contains(key)) return cache_.use(key);
    ListingSettings settings = session_.settings();
    settings.brand = brand;
    const QImage image = listingDrawing(pdf, settings, ImageLayout::cover, brandPreviewSize)();
    cacheImage(image, key);
    return image;
}

PreviewPDF::Sheets Previews::previewSheets() const {
    if (!session_.source()) return {};
    return {PageSelection::parse(session_.settings().preview.pages, session_.source()->pageCount()),
            session_.settings().preview};
}

QImage Previews::sheetImage(const std::vector<int>& pages, int width) {
    if (!session_.source()) return {};
    const QString key = sheetImageKey(pages, width);
    if (cache_.contains(key)) return cache_.use(key);
    const QImage image =
        sheetDrawing(session_.source(), session_.settings().preview, pages, width)();
    cacheImage(image, key);
    return image;
}

std::optional<FlipThrough> Previews::previewFlipThrough() const {
    if (!session_.source()) return std::nullopt;
    ListingSettings settings = session_.effectiveSettings();
    // The exported video's proportions (its sides held to 64...6000) at 720 on the longer side.
    const PixelSize size = settings.video.size.clamped();
    const double k = videoPreviewSide / double(std::max(size.width, size.height));
    settings.video.size = {static_cast<std::int64_t>(k * double(size.width)),
                           static_cast<std::int64_t>(k * double(size.height))};
    return FlipThrough(session_.source(), std::move(settings));
}

double Previews::previewVideoLength() const {
    const auto video = previewFlipThrough();
    return video ? video->seconds() : 0;
}

QImage Previews::videoFrame() {
    auto video = previewFlipThrough();
    if (!video) return {};
    const QString key = videoFrameKey();
    if (cache_.contains(key)) return cache_.use(key);
    const QImage image = frameDrawing(std::move(*video), frameTime(videoTime_))();
    cacheImage(image, key);
    return image;
}

// --- Non-blocking previews ------------------------------------------------------------------

QImage Previews::request(const QString& key, std::function<QImage()> draw) {
    if (cache_.contains(key)) return cache_.use(key);
    if (opening_ || failed_.contains(key) || drawing_.contains(key)) return {};
    // A PDF changed on disk is opened again before its previews are drawn; not in the middle
    // of a view's painting, where this is asked.
    if (session_.source() && !session_.reloadFailed() && session_.source()->changedOnDisk())
        calls_.post([this] { reloadForPreviews(); });
    auto wanted = std::make_shared<std::atomic<bool>>(true);
    drawing_.emplace(key, wanted);
    const std::uint64_t generation = generation_;
    drawings_.push([this, key, generation, wanted, draw = std::move(draw)] {
        // Queued drawings of inputs that have changed since, or that nobody wants any more,
        // are not started at all. A page that fails to draw gives no image.
        QImage image;
        if (generation == generation_ && *wanted) {
            try {
                image = draw();
            } catch (const std::exception&) {
            }
        }
        calls_.post([this, key, generation, wanted, image] {
            finishDrawing(key, generation, wanted, image);
        });
    });
    pool_->start([this] { drawings_.runOldest(); });
    return {};
}

void Previews::dropRequest(const QString& key) {
    if (const auto found = drawing_.find(key); found != drawing_.end()) {
        *found->second = false;
        drawing_.erase(found);
    }
}

void Previews::reloadForPreviews() {
    if (session_.reloadFailed()) return;
    if (const auto problem = session_.reloadChangedSource()) alert_(*problem);
}

void Previews::finishDrawing(const QString& key, std::uint64_t generation,
                             const std::shared_ptr<std::atomic<bool>>& wanted,
                             const QImage& image) {
    if (generation != generation_) return;
    const auto found = drawing_.find(key);
    if (found == drawing_.end() || found->second != wanted) return; // dropped, maybe asked again
    drawing_.erase(found);
    if (image.isNull()) {
        failed_.insert(key);
        reloadForPreviews();
        return;
    }
    cacheImage(image, key);
    emit previewReady(key, image);
}

QImage Previews::requestPreviewImage(ImageLayout layout, const ImagePreset& preset,
                                     double maxSide) {
    const auto size = previewSize(preset, maxSide);
    if (!session_.source() || !size) return {};
    return request(previewImageKey(layout, preset, maxSide),
                   listingDrawing(session_.source(), session_.effectiveSettings(), layout, *size));
}

QImage Previews::requestBrandPreview(const Brand& brand) {
    const auto pdf = brandSource();
    if (!pdf) return {};
    ListingSettings settings = session_.settings();
    settings.brand = brand;
    return request(brandPreviewKey(brand),
                   listingDrawing(pdf, std::move(settings), ImageLayout::cover, brandPreviewSize));
}

QImage Previews::requestSheetImage(const std::vector<int>& pages, int width) {
    if (!session_.source()) return {};
    return request(sheetImageKey(pages, width),
                   sheetDrawing(session_.source(), session_.settings().preview, pages, width));
}

QImage Previews::requestVideoFrame() {
    auto video = previewFlipThrough();
    if (!video) return {};
    return request(videoFrameKey(), frameDrawing(std::move(*video), frameTime(videoTime_)));
}

// --- Playback -------------------------------------------------------------------------------

void Previews::togglePlayback() {
    if (playing_) {
        stopPlayback();
        return;
    }
    const auto video = previewFlipThrough();
    if (!video) return;
    setPlaying(true);
    playbackLength_ = video->seconds();
    if (videoTime_ >= playbackLength_ - 0.1) setVideoTime(0);
    player_.start();
}

void Previews::playbackStep() {
    if (!playing_) {
        player_.stop();
        return;
    }
    setVideoTime(videoTime_ + stepSeconds);
    if (videoTime_ >= playbackLength_) {
        setVideoTime(playbackLength_);
        stopPlayback();
    }
}

void Previews::stopPlayback() {
    setPlaying(false);
    player_.stop();
}

} // namespace folimo
