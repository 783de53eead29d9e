#pragma once

#include "folimo/flip_through.hpp"
#include "folimo/preview_pdf.hpp"
#include "model/handoff.hpp"
#include "model/listing_session.hpp"
#include "model/preview_cache.hpp"

#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class QThreadPool;

namespace folimo {

// The pictures of the listing set as the window shows them: the listing images, the brands'
// covers, the preview PDF's sheets and the video's frames, each kept in one cache under a key
// of every field it depends on; and the video preview's playback.
//
// Threads: lives on the main thread and every member is called there. The non-blocking
// requests draw on a pool of worker threads and hand the image back as a queued call.
class Previews : public QObject {
    Q_OBJECT
    Q_PROPERTY(folimo::ImageLayout selectedLayout READ selectedLayout WRITE setSelectedLayout NOTIFY
                   selectedLayoutChanged)
    Q_PROPERTY(QString previewPresetID READ previewPresetID WRITE setPreviewPresetID NOTIFY
                   previewPresetIDChanged)
    Q_PROPERTY(double videoTime READ videoTime WRITE setVideoTime NOTIFY videoTimeChanged)
    Q_PROPERTY(bool playing READ playing NOTIFY playingChanged)

public:
    // The previews of what session has open; session must outlive them. A PDF that changed
    // on disk and cannot be opened again is alerted, once for each PDF.
    Previews(ListingSession& session, ListingSession::Alert alert, QObject* parent = nullptr);
    // Drops the drawings not begun and waits for those under way.
    ~Previews() override;

    // The layout shown large on the images pane.
    ImageLayout selectedLayout() const { return selectedLayout_; }
    void setSelectedLayout(ImageLayout layout);
    // The id of the image preset the previews are drawn at ("listing-4x3" at start).
    const QString& previewPresetID() const { return previewPresetID_; }
    void setPreviewPresetID(const QString& id);
    // The video preview's position in seconds (the scrubber writes it). 0 for a PDF just
    // opened.
    double videoTime() const { return videoTime_; }
    void setVideoTime(double seconds);
    bool playing() const { return playing_; }
    // The image preset previews are drawn at: the one with previewPresetID among
    // settings.images, else the first preset, else the first default preset (Square
    // thumbnails).
    ImagePreset previewPreset() const;

    // --- Synchronous ----------------------------------------------------------------------
    // Drawn on the calling (main) thread when not cached, then kept in the cache. A null
    // QImage means no image (no PDF, or the bitmap could not be made). Images are
    // ARGB32_Premultiplied and share the library's pixels.
    //
    // layout at preset's proportions, its longer side maxSide pixels (the fraction dropped).
    QImage previewImage(ImageLayout layout, const ImagePreset& preset, double maxSide);
    // The cover of the open PDF (or, with none, the sample pack) in brand, 960 x 720.
    QImage brandPreview(const Brand& brand);
    // The preview PDF's sheets, each a list of 0-based pages; none with no PDF. Costs the
    // page list only, never a list per sheet.
    PreviewPDF::Sheets previewSheets() const;
    // One sheet, width pixels wide.
    QImage sheetImage(const std::vector<int>& pages, int width);
    // The video for on-screen preview: the set's, scaled to 720 pixels on its longer side.
    std::optional<FlipThrough> previewFlipThrough() const;
    // The preview video's length in seconds; 0 with no PDF. (The scrubber's range.)
    double previewVideoLength() const;
    // The frame at videoTime truncated to a whole 1/15 s.
    QImage videoFrame();

    // --- Non-blocking (what the views use) -------------------------------------------------
    // Each answers at once: the cached image when there is one; otherwise a null QImage,
    // and the image is drawn on a worker thread and stored in the cache, after which
    // previewReady(key, image) is emitted on the main thread. Asking again while it is being
    // drawn starts nothing new. A drawing made stale by a newer edit (settings, brands or
    // brand choice, a new PDF) is dropped: no cache entry, no signal; ask again after
    // previewsChanged. A drawing that fails (a page of a PDF changed on disk) is not tried
    // again in this generation. Before a drawing starts, a PDF changed on disk is opened
    // again (see ListingSession::reloadChangedSource). While a PDF is being opened nothing is
    // drawn: previewsChanged follows once it is open.
    QImage requestPreviewImage(ImageLayout layout, const ImagePreset& preset, double maxSide);
    QImage requestBrandPreview(const Brand& brand);
    QImage requestSheetImage(const std::vector<int>& pages, int width);
    QImage requestVideoFrame();
    // Withdraws the request for key when its drawing has not started (a sheet scrolled out
    // of sight): it is not drawn, and previewReady does not come for it.
    void dropRequest(const QString& key);

    // --- Playback -------------------------------------------------------------------------
    // Stops when playing; otherwise plays from videoTime (from 0 when within 0.1 s of the
    // end) in steps of 1/15 s every 66 ms, stopping at the end (never loops). Opening a PDF
    // stops it.
    void togglePlayback();
    void stopPlayback();

    // --- Cache ----------------------------------------------------------------------------
    // Stores image under key (a null image removes the key).
    void cacheImage(const QImage& image, const QString& key);
    const PreviewCache& cache() const { return cache_; }
    // The keys of the four families (every field the image depends on, nothing else).
    QString previewImageKey(ImageLayout layout, const ImagePreset& preset, double maxSide) const;
    QString brandPreviewKey(const Brand& brand) const;
    QString sheetImageKey(const std::vector<int>& pages, int width) const;
    QString videoFrameKey() const;

signals:
    void selectedLayoutChanged();
    void previewPresetIDChanged();
    void videoTimeChanged();
    void playingChanged();
    // Something every preview depends on changed (settings, brands, brand choice, the PDF):
    // views ask for their images again.
    void previewsChanged();
    // A non-blocking preview is in the cache under key. Each view takes the keys it asked for.
    void previewReady(const QString& key, const QImage& image);

private:
    void setPlaying(bool playing);
    void playbackStep();
    void inputsChanged();
    std::shared_ptr<const SourcePDF> brandSource();
    void reloadForPreviews();
    QImage request(const QString& key, std::function<QImage()> draw);
    void finishDrawing(const QString& key, std::uint64_t generation,
                       const std::shared_ptr<std::atomic<bool>>& wanted, const QImage& image);

    ListingSession& session_;
    ListingSession::Alert alert_;
    MainThreadCalls calls_; // from the pool, and from a view's painting to after it
    ImageLayout selectedLayout_ = ImageLayout::grid;
    QString previewPresetID_ = QStringLiteral("listing-4x3");
    double videoTime_ = 0;
    bool playing_ = false;
    QTimer player_;
    double playbackLength_ = 0;
    PreviewCache cache_;
    std::shared_ptr<const SourcePDF> sampleSource_;

    // The pool that draws the non-blocking previews (each of its runnables takes the oldest
    // of the drawings), the keys being drawn, and the generation of the preview inputs (a
    // drawing of an older generation is stale).
    std::unique_ptr<QThreadPool> pool_;
    CallQueue drawings_;
    // The keys being drawn, each with whether it is still wanted (see dropRequest).
    std::map<QString, std::shared_ptr<std::atomic<bool>>> drawing_;
    std::set<QString> failed_; // drawn without an image in this generation: not drawn again
    std::atomic<std::uint64_t> generation_ = 0;
    bool opening_ = false; // a PDF is being opened: no drawing starts until it is open
};

} // namespace folimo
