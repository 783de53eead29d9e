#pragma once

#include "folimo/brand.hpp"
#include "folimo/settings.hpp"
#include "folimo/source_pdf.hpp"
#include "folimo/uuid.hpp"
#include "model/recent_pdfs.hpp"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QSettings;

namespace folimo {

class Panels;
class PDFMemory;
class StoreWriter;

// What the seller is working on: the open PDF, the settings, the brands and the choice among
// them, the steps of Undo, and the store they are kept in.
//
// Threads: lives on the main thread and every member is called there.
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
// upper case, "showSquareCrop" a boolean; "recentPDFs.v1" the recent list (RecentPDFs). The PDFs'
// texts are kept in a file beside the store's ("Folimo.conf": "Folimo-pdfs.json", see PDFMemory).
// The store object takes each value at once; its file is written soon after on a thread of its own
// (StoreWriter), so a keystroke never waits for the disk.
class ListingSession : public QObject {
    Q_OBJECT
    Q_PROPERTY(std::shared_ptr<const folimo::SourcePDF> source READ source NOTIFY sourceChanged)
    Q_PROPERTY(QString sourceName READ sourceName NOTIFY sourceNameChanged)
    Q_PROPERTY(
        folimo::ListingSettings settings READ settings WRITE setSettings NOTIFY settingsChanged)
    Q_PROPERTY(std::vector<folimo::Brand> brands READ brands WRITE setBrands NOTIFY brandsChanged)
    Q_PROPERTY(folimo::Uuid brandID READ brandID WRITE setBrandID NOTIFY brandIDChanged)

public:
    // How a part of the model tells the seller of a problem (the model's one alert).
    using Alert = std::function<void(const QString& message)>;

    // A session on this store, asking through panels (may be null: then every question is
    // answered with nothing, until setPanels). Reads the stored settings, brands and brand
    // choice (see the .cpp for the start-up rules). The store and the panels must outlive
    // the session.
    ListingSession(QSettings& store, Panels* panels, Alert alert, QObject* parent = nullptr);
    ~ListingSession() override;

    Panels* panels() const { return panels_; }
    void setPanels(Panels* panels) { panels_ = panels; }
    QSettings& store() { return store_; }
    StoreWriter& storeWriter() { return *storeWriter_; }

    // --- Observed fields --------------------------------------------------------------
    // The open PDF (replaced only by open() and reloadChangedSource()); null until one is
    // opened.
    const std::shared_ptr<const SourcePDF>& source() const { return source_; }
    // The open PDF's file name with its extension; "" with none.
    const QString& sourceName() const { return sourceName_; }
    const ListingSettings& settings() const { return settings_; }
    void setSettings(const ListingSettings& settings);
    // The saved brands in the user's order.
    const std::vector<Brand>& brands() const { return brands_; }
    void setBrands(const std::vector<Brand>& brands);
    // The chosen brand's id (no brand need have it).
    const Uuid& brandID() const { return brandID_; }
    void setBrandID(const Uuid& id);
    // Whether the large image shows the square a shop's search results crop it to; kept in
    // the store, so it stays as the user left it.
    bool showSquareCrop() const;
    void setShowSquareCrop(bool show);

    // --- Derived values (computed on every read) ----------------------------------------
    // The set's title by the library's rule (listingTitle): settings.title trimmed, else the
    // PDF's own; "" with no PDF.
    QString title() const;
    // The brand whose id is brandID, else Brand::classic().
    const Brand& brand() const;
    // settings with brand() put in: what exports, batches, previews and summaries use.
    ListingSettings effectiveSettings() const;

    // --- Opening ------------------------------------------------------------------------
    // When the open PDF's file has changed on disk since it was opened (an editor saved over
    // it, or it was cut short), opens it again in its place, keeping the settings. A file
    // that no longer opens leaves the PDF as it was and answers the library's message.
    std::optional<QString> reloadChangedSource();
    // Whether the open PDF changed on disk and could not be opened again (reloadChangedSource):
    // previews do not try it again, an export does.
    bool reloadFailed() const { return source_ && source_ == reloadFailed_; }
    // Makes source the open PDF named name: sets the four per-PDF texts of the settings
    // (saving after each) to what was remembered for its file (its watermark too), or clears
    // them when nothing was, and clears the steps of Undo. opening() comes first, opened()
    // last.
    void open(std::shared_ptr<const SourcePDF> source, const QString& name);
    // Asks for a PDF ("Choose a printable PDF.") and opens it; a PDF that cannot be opened
    // is alerted with its message and leaves the open PDF as it was.
    void openPDF();
    // Opens path when its extension is "pdf" in any case (a failure is alerted) and answers
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

signals:
    void sourceChanged();
    void sourceNameChanged();
    void settingsChanged();
    void brandsChanged();
    void brandIDChanged();
    void showSquareCropChanged();
    void recentPDFsChanged();
    // A PDF is about to be opened: the changes up to opened() are the opening's own.
    void opening();
    void opened();

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

    QSettings& store_;
    std::unique_ptr<StoreWriter> storeWriter_; // the store's file is written off the main thread
    std::unique_ptr<PDFMemory> memory_;
    std::unique_ptr<RecentPDFs> recent_;
    Panels* panels_;
    Alert alert_;

    std::shared_ptr<const SourcePDF> source_;
    QString sourceName_;
    std::optional<QString> sourceKey_; // the open PDF's content key: what its texts are kept by
    ListingSettings settings_;
    std::vector<Brand> brands_{Brand::classic()};
    Uuid brandID_ = Brand::classic().id;
    std::shared_ptr<const SourcePDF> reloadFailed_;
    QUndoStack undoStack_;
};

} // namespace folimo
