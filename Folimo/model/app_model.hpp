#pragma once

#include "folimo/brand.hpp"
#include "folimo/flip_through.hpp"
#include "folimo/preview_pdf.hpp"
#include "folimo/settings.hpp"
#include "folimo/source_pdf.hpp"
#include "folimo/uuid.hpp"
#include "model/model_types.hpp"
#include "model/preview_cache.hpp"
#include "model/recent_pdfs.hpp"

#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUndoStack>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <thread>
#include <vector>

class QSettings;
class QThreadPool;

namespace folimo {

class Panels;
class PDFMemory;
class RecentPDFs;
class StoreWriter;
class WorkRecords;

// The one object behind the window: the open PDF, the settings, the brands and the choice
// among them, the window's navigation, the one alert, the export and batch state, the
// preview cache and the video playback.
//
// Threads: an AppModel lives on the main thread and every member is called there. Exports,
// batches and the non-blocking previews run on worker threads; their progress and results
// come back to the main thread as queued calls before they touch a field.
//
// Notification: every observed field has a change signal that fires only when the value
// really changes (assigning an equal value notifies nobody). Saving is not notification:
// every assignment to settings, brands or brandID is written to the store at once, also
// when the value is unchanged.
//
// Undo: a person's edits (of the settings, the brand choice, the brands, the sizes reset) go
// through the operations under "Edits", each one step of undoStack(); the plain setters are
// for the model's own assignments. Opening a PDF starts the steps afresh: its per-PDF texts
// begin as remembered for it (or empty), and no Undo brings the last PDF's title or pages
// onto the new one.
//
// Per-PDF memory: while a PDF is open, every change of its title, pages, preview pages or
// watermark is remembered for it (PDFMemory); opening it again, renamed or moved too, brings
// them back. Opening is never remembered as a change. The PDFs opened from files are listed,
// latest first, for File ▸ Open Recent (RecentPDFs).
//
// Store: "settings.v1" and "brands.v1" hold JSON bytes, "brandID" the brand's UUID text in
// upper case; "recentPDFs.v1" the recent list (RecentPDFs). The PDFs' texts are kept in a file
// beside the store's ("Folimo.conf": "Folimo-pdfs.json", see PDFMemory). The store
// object takes each value at once; its file is written soon after on a thread of the model's
// (StoreWriter), so a keystroke never waits for the disk.
class AppModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(std::optional<folimo::Page> page READ page WRITE setPage NOTIFY pageChanged)
    Q_PROPERTY(folimo::ListingTab tab READ tab WRITE setTab NOTIFY tabChanged)
    Q_PROPERTY(bool askForReview READ askForReview WRITE setAskForReview NOTIFY askForReviewChanged)
    Q_PROPERTY(std::optional<QString> alert READ alert WRITE setAlert NOTIFY alertChanged)
    Q_PROPERTY(std::shared_ptr<const folimo::SourcePDF> source READ source NOTIFY sourceChanged)
    Q_PROPERTY(QString sourceName READ sourceName NOTIFY sourceNameChanged)
    Q_PROPERTY(
        folimo::ListingSettings settings READ settings WRITE setSettings NOTIFY settingsChanged)
    Q_PROPERTY(std::vector<folimo::Brand> brands READ brands WRITE setBrands NOTIFY brandsChanged)
    Q_PROPERTY(folimo::Uuid brandID READ brandID WRITE setBrandID NOTIFY brandIDChanged)
    Q_PROPERTY(folimo::ImageLayout selectedLayout READ selectedLayout WRITE setSelectedLayout NOTIFY
                   selectedLayoutChanged)
    Q_PROPERTY(QString previewPresetID READ previewPresetID WRITE setPreviewPresetID NOTIFY
                   previewPresetIDChanged)
    Q_PROPERTY(double videoTime READ videoTime WRITE setVideoTime NOTIFY videoTimeChanged)
    Q_PROPERTY(bool playing READ playing NOTIFY playingChanged)
    Q_PROPERTY(folimo::ExportState exportState READ exportState NOTIFY exportStateChanged)
    Q_PROPERTY(
        std::optional<std::filesystem::path> batchInput READ batchInput NOTIFY batchInputChanged)
    Q_PROPERTY(std::vector<folimo::BatchRow> batchRows READ batchRows NOTIFY batchRowsChanged)
    Q_PROPERTY(
        std::optional<std::filesystem::path> batchOutput READ batchOutput NOTIFY batchOutputChanged)
    Q_PROPERTY(bool batchRunning READ batchRunning NOTIFY batchRunningChanged)

public:
    // A model on this store, asking the user through panels (may be null: then every
    // question is answered with nothing, until setPanels). Reads the stored settings, brands
    // and brand choice (see the .cpp for the start-up rules), and cleans up after work that
    // an earlier run on this store was killed in (WorkRecords). The store and the panels must
    // outlive the model. Tests give a QSettings on a file in a temporary folder.
    AppModel(QSettings& store, Panels* panels, QObject* parent = nullptr);
    // Stops running work and previews and waits for them (their late reports are dropped).
    ~AppModel() override;

    // Makes the one model of the application, on the user's own store (organisation and
    // application "Folimo"); shared() gives it while the owner lives. main() keeps the owner
    // in its scope, so that the model's work is stopped and joined before exit() takes the
    // library's static objects away. Not for tests.
    static std::unique_ptr<AppModel> makeShared();
    static AppModel& shared();
    void setPanels(Panels* panels);

    // --- Observed fields --------------------------------------------------------------
    // The sidebar page shown; nothing when the sidebar has no selection. Starts at listing.
    std::optional<Page> page() const { return page_; }
    void setPage(std::optional<Page> page);
    ListingTab tab() const { return tab_; }
    void setTab(ListingTab tab);
    bool askForReview() const { return askForReview_; }
    void setAskForReview(bool ask);
    // The message of the one alert; nothing = no alert. The alert's OK sets nothing.
    const std::optional<QString>& alert() const { return alert_; }
    void setAlert(std::optional<QString> alert);
    // The open PDF (replaced only by open()); null until one is opened.
    const std::shared_ptr<const SourcePDF>& source() const { return source_; }
    // The open PDF's file name with its extension; "" with none.
    const QString& sourceName() const { return sourceName_; }
    // Assigning saves at once (also an equal value); settingsChanged only on real change.
    const ListingSettings& settings() const { return settings_; }
    void setSettings(const ListingSettings& settings);
    // The saved brands in the user's order. Assigning saves.
    const std::vector<Brand>& brands() const { return brands_; }
    void setBrands(const std::vector<Brand>& brands);
    // The chosen brand's id (no brand need have it). Assigning saves.
    const Uuid& brandID() const { return brandID_; }
    void setBrandID(const Uuid& id);
    // The layout shown large on the images pane.
    ImageLayout selectedLayout() const { return selectedLayout_; }
    void setSelectedLayout(ImageLayout layout);
    // The id of the image preset the previews are drawn at ("listing-4x3" at start).
    const QString& previewPresetID() const { return previewPresetID_; }
    void setPreviewPresetID(const QString& id);
    // The video preview's position in seconds (the scrubber writes it).
    double videoTime() const { return videoTime_; }
    void setVideoTime(double seconds);
    bool playing() const { return playing_; }
    // The state of the one listing-set export ("export" is a C++ keyword).
    const ExportState& exportState() const { return export_; }
    const std::optional<std::filesystem::path>& batchInput() const { return batchInput_; }
    // One row per PDF of batchInput, in Batch::pdfs order. BatchRowsModel shows them.
    const std::vector<BatchRow>& batchRows() const { return batchRows_; }
    const std::optional<std::filesystem::path>& batchOutput() const { return batchOutput_; }
    bool batchRunning() const { return batchRunning_; }

    // --- Derived values (computed on every read) ----------------------------------------
    // The set's title by the library's rule (listingTitle): settings.title trimmed, else the PDF's
    // own; "" with no PDF.
    QString title() const;
    // The brand whose id is brandID, else Brand::classic().
    const Brand& brand() const;
    // settings with brand() put in: what exports, batches, previews and summaries use.
    ListingSettings effectiveSettings() const;
    // The image preset previews are drawn at: the one with previewPresetID among
    // settings.images, else the first preset, else the first default preset (Square
    // thumbnails).
    ImagePreset previewPreset() const;

    // --- Opening ------------------------------------------------------------------------
    // When the open PDF's file has changed on disk since it was opened (an editor saved over
    // it, or it was cut short), opens it again in its place, keeping the settings; the
    // previews are drawn anew. A file that no longer opens leaves the PDF as it was and
    // answers the library's message (previews then set alert to it, once for each PDF).
    std::optional<QString> reloadChangedSource();
    // Makes source the open PDF named name: stops playback, sets the four per-PDF texts of
    // the settings (saving after each) to what was remembered for its file (its watermark
    // too), or clears them when nothing was, videoTime 0, export idle, empties the cache, page
    // listing, and clears the steps of Undo.
    void open(std::shared_ptr<const SourcePDF> source, const QString& name);
    // Asks for a PDF ("Choose a printable PDF.") and opens it; a PDF that cannot be opened
    // sets alert to its message and leaves the open PDF as it was.
    void openPDF();
    // Opens path when its extension is "pdf" in any case (a failure sets alert) and answers
    // true; answers false and does nothing otherwise. Only a regular file (or a link to one)
    // is read, so a named pipe never blocks.
    bool openFile(const std::filesystem::path& path);
    // Whether openFile() takes path: its extension is "pdf" in any case. (A drop is refused
    // while it is being dragged when none of its files is a PDF.)
    static bool isPDF(const std::filesystem::path& path);
    // Tries paths in order and stops at the first that openFile() takes (a drop, or files
    // handed over by the system). Answers whether one was taken.
    bool openFiles(const std::vector<std::filesystem::path>& paths);
    // Writes the Fall Math Practice pack into the temporary folder and opens it from there.
    // (It has its own command, so it is not listed among the recent PDFs.)
    void openSample();
    // The PDFs opened last from files (the panel, a drop, the system, this list), latest
    // first, each looked up on disk now. Kept across runs.
    std::vector<RecentPDF> recentPDFs() const;
    void clearRecentPDFs();

    // --- Edits: each one step of Undo, saved at once --------------------------------------
    // The steps of Undo and Redo; a step's text names it ("Title", "Delete Brand “Shop”").
    QUndoStack& undoStack() { return undoStack_; }
    // A person's change to the settings through the control called name ("Title"). Changes
    // made one after another while typing into one field or dragging one slider (typing:
    // that control) are one step. A change that changes nothing saves and makes no step.
    void editSettings(const QString& name, const std::function<void(ListingSettings&)>& change,
                      const QObject* typing = nullptr);
    // Chooses the brand with this id ("Brand").
    void chooseBrand(const Uuid& id);
    // A copy of the chosen brand with a new id, named "My Brand" (from Classic) or
    // "NAME Copy", made unique; appended and chosen.
    void addBrand();
    // wanted when no brand has exactly that name, else "wanted 2", "wanted 3", ...
    QString uniqueBrandName(const QString& wanted) const;
    // Replaces the first brand with brand's id; nothing when there is none. Changes typed
    // into one field (typing) are one step, as with editSettings.
    void updateBrand(const Brand& brand, const QObject* typing = nullptr);
    // Removes every brand with this id (never Classic); a chosen one gives way to Classic.
    void deleteBrand(const Uuid& id);
    // Image presets, the preview's sheet size and the video's size and rate to their
    // defaults, as one step; nothing else in the settings changes.
    void resetSizes();

    // --- Export and batch ---------------------------------------------------------------
    // With no PDF open, does what openPDF() does. Otherwise asks where to save, claims a new
    // set folder there named after the title (made unique at the moment it is created, so
    // no other export can share it) and exports effectiveSettings() as they are now, off
    // the main thread. exportState goes running -> done / failed, or stopped with what the
    // folder holds. A new export while one runs takes over exportState and the Stop; the earlier
    // one runs to its end without changing exportState.
    void makeListingSet();
    // Stops the running export (and only it). Nothing when none runs.
    void cancelExport();
    // Asks for a folder of PDFs; new rows, all waiting; batchOutput cleared. A folder with
    // no PDFs directly inside sets the alert naming it. Nothing while a batch runs (its rows
    // belong to it).
    void chooseBatchFolder();
    // Asks where to save, then makes one set per row, one after another, off the main
    // thread; a failing PDF marks its row failed and the batch goes on. Nothing while a
    // batch runs.
    void runBatch();
    // Whether the last batch has ended with rows that failed, and its output folder is known:
    // what "Retry Failed" needs.
    bool canRetryFailed() const;
    // Makes the sets of the failed rows again, into the last batch's output folder (new set
    // folders beside what is there), asking nothing; the other rows keep their status.
    // Nothing unless canRetryFailed().
    void retryFailed();
    // Stops the running batch (and only it): a row whose set was begun becomes stopped with
    // what its folder holds, one stopped before its set began goes back to waiting.
    void cancelBatch();
    // Whether an export or a batch is being made: what quitting now would stop.
    bool workRunning() const;
    // Stops every export and the batch, as their Stop buttons do, and waits on the calling
    // (main) thread until their threads have ended: the images and the video frame in hand
    // are finished or dropped, and no temporary file is left. Their outcomes (stopped, or
    // done for a set that was complete) arrive afterwards as queued calls.
    void stopWork();
    // The folder question of the panels; nothing when there are no panels or no answer.
    std::optional<std::filesystem::path> chooseFolder(const QString& message,
                                                      const QString& prompt);
    // The export's progress: taken only while exportState is running.
    void reportExportProgress(double fraction);
    // A row's progress: taken only while that row is working.
    void reportRowProgress(int row, double fraction);

    // --- Previews, synchronous ----------------------------------------------------------
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

    // --- Previews, non-blocking (what the views use) -----------------------------------
    // Each answers at once: the cached image when there is one; otherwise a null QImage,
    // and the image is drawn on a worker thread and stored in the cache, after which
    // previewReady(key) is emitted on the main thread; asking again then answers from the
    // cache. Asking again while it is being drawn starts nothing new. A drawing made stale
    // by a newer edit (settings, brands or brand choice, a new PDF) is dropped: no cache
    // entry, no signal; ask again after previewsChanged. A drawing that fails (a page of a
    // PDF changed on disk) is not tried again in this generation. Before a drawing starts,
    // a PDF changed on disk is opened again (see reloadChangedSource). While a PDF is being
    // opened nothing is drawn: previewsChanged follows once it is open.
    QImage requestPreviewImage(ImageLayout layout, const ImagePreset& preset, double maxSide);
    QImage requestBrandPreview(const Brand& brand);
    QImage requestSheetImage(const std::vector<int>& pages, int width);
    QImage requestVideoFrame();
    // Withdraws the request for key when its drawing has not started (a sheet scrolled out
    // of sight): it is not drawn, and previewReady does not come for it.
    void dropRequest(const QString& key);

    // --- Playback -----------------------------------------------------------------------
    // Stops when playing; otherwise plays from videoTime (from 0 when within 0.1 s of the
    // end) in steps of 1/15 s every 66 ms, stopping at the end (never loops).
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
    void pageChanged();
    void tabChanged();
    void askForReviewChanged();
    void alertChanged();
    void sourceChanged();
    void sourceNameChanged();
    void settingsChanged();
    void brandsChanged();
    void brandIDChanged();
    void selectedLayoutChanged();
    void previewPresetIDChanged();
    void videoTimeChanged();
    void playingChanged();
    void exportStateChanged();
    void batchInputChanged();
    void batchRowsChanged();
    // One row's status changed (the rows' count and PDFs stayed); batchRowsChanged follows.
    void batchRowChanged(int row);
    void batchOutputChanged();
    void batchRunningChanged();
    void recentPDFsChanged();
    // Something every preview depends on changed (settings, brands, brand choice, the PDF):
    // views ask for their images again.
    void previewsChanged();
    // A non-blocking preview is in the cache under key.
    void previewReady(const QString& key);

private:
    // The brands and the choice among them, as one value for the steps of Undo.
    struct BrandsState {
        std::vector<Brand> brands;
        Uuid brandID;
        bool operator==(const BrandsState&) const = default;
    };
    void editBrands(const QString& name, BrandsState after, const QObject* typing = nullptr);

    void saveSettings();
    void saveBrands();
    void saveBrandID();
    void loadStore();
    bool openPath(const std::filesystem::path& path, const QString& name, bool listed = true);
    void rememberTexts(const ListingSettings& before);
    void post(std::function<void()> call);
    void setExportState(ExportState state);
    void finishExport(std::uint64_t id, const std::filesystem::path& folder,
                      const ExportState& outcome);
    void setBatchInput(std::optional<std::filesystem::path> folder);
    void setBatchOutput(std::optional<std::filesystem::path> folder);
    void setBatchRows(std::vector<BatchRow> rows);
    void setRowStatus(int row, BatchRow::Status status);
    void setBatchRunning(bool running);
    // Makes the sets of these rows into output, one after another, on the batch's thread.
    void startBatch(const std::vector<int>& rows, const std::filesystem::path& output);
    void setPlaying(bool playing);
    void playbackStep();
    void previewInputsChanged();
    std::shared_ptr<const SourcePDF> brandSource();
    void reloadForPreviews();
    QImage request(const QString& key, std::function<QImage()> draw);
    void finishDrawing(const QString& key, std::uint64_t generation,
                       const std::shared_ptr<std::atomic<bool>>& wanted, const QImage& image);

    QSettings& store_;
    std::unique_ptr<StoreWriter> storeWriter_; // the store's file is written off the main thread
    std::unique_ptr<WorkRecords> workRecords_;
    std::unique_ptr<PDFMemory> memory_;
    std::unique_ptr<RecentPDFs> recent_;
    Panels* panels_;

    std::optional<Page> page_ = Page::listing;
    ListingTab tab_ = ListingTab::images;
    bool askForReview_ = false;
    std::optional<QString> alert_;
    std::shared_ptr<const SourcePDF> source_;
    QString sourceName_;
    std::optional<QString> sourceKey_; // the open PDF's content key: what its texts are kept by
    ListingSettings settings_;
    std::vector<Brand> brands_{Brand::classic()};
    Uuid brandID_ = Brand::classic().id;
    ImageLayout selectedLayout_ = ImageLayout::grid;
    QString previewPresetID_ = QStringLiteral("listing-4x3");
    double videoTime_ = 0;
    bool playing_ = false;
    ExportState export_;
    std::optional<std::filesystem::path> batchInput_;
    std::vector<BatchRow> batchRows_;
    std::optional<std::filesystem::path> batchOutput_;
    bool batchRunning_ = false;

    // The export and the batch each have their own worker thread, so each Stop stops its own
    // work. Exports by id: an earlier export runs on to its end but is no longer stopped
    // and no longer changes exportState; the thread is joined when its outcome arrives.
    std::map<std::uint64_t, std::jthread> exports_;
    std::uint64_t exportID_ = 0;
    std::jthread batchWork_;
    std::uint64_t batchID_ = 0;
    QUndoStack undoStack_;
    QTimer player_;
    double playbackLength_ = 0;
    PreviewCache cache_;
    std::shared_ptr<const SourcePDF> sampleSource_;

    // Non-blocking previews: the pool that draws them, the keys being drawn, and the
    // generation of the preview inputs (a drawing of an older generation is stale).
    std::unique_ptr<QThreadPool> previewPool_;
    // The keys being drawn, each with whether it is still wanted (see dropRequest).
    std::map<QString, std::shared_ptr<std::atomic<bool>>> drawing_;
    // The open PDF whose file changed and could not be opened again: not tried again for
    // previews, only before an export.
    std::shared_ptr<const SourcePDF> reloadFailed_;
    std::set<QString> failed_; // drawn without an image in this generation: not drawn again
    std::atomic<std::uint64_t> previewGeneration_ = 0;
    bool opening_ = false; // a PDF is being opened: no drawing starts until it is open
};

} // namespace folimo
