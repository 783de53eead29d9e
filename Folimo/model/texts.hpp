#pragma once

#include "folimo/listing_check.hpp"
#include "folimo/settings.hpp"
#include "model/model_types.hpp"

#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace folimo {

// The program's own texts that the model gives and those made from model values, so that
// views only place them. Pure functions, every text through tr() in this one context; counts
// take their plural forms from the installed translation (installTranslation()), numbers a
// person reads follow the given locale. The sentences the command line writes too keep the
// English wording of folimo/work_messages.hpp.
class Texts {
    Q_DECLARE_TR_FUNCTIONS(folimo::Texts)

public:
    // --- Pages and panes --------------------------------------------------------------------
    // What the sidebar and the Go menu call a page: "Listing Set", "Batch", ...
    static QString pageTitle(Page page);
    // What the "Show" control and the Go menu call a pane: "Images", "Preview PDF", ...
    static QString tabTitle(ListingTab tab);

    // --- The listing page and its inspector -------------------------------------------------
    // The name of a layout on its card and in labels: "Page grid", "Cover", ...
    static QString layoutName(ImageLayout layout);
    // "2000 × 1500 px".
    static QString pixelSize(const PixelSize& size);
    // A size toggle's second line: "2000 × 1500 px, JPEG".
    static QString presetDetail(const ImagePreset& preset);
    // What a screen reader says for the large image: "Cover image, 2000 by 1500 pixels".
    static QString largeImageName(ImageLayout layout, const ImagePreset& preset);
    // The preview pane's header: "3 sheets, 8.5 × 11 in", "1 sheet, …"; with no sheet,
    // "None of those pages are in this PDF.".
    static QString sheetsHeader(std::size_t sheets, const PreviewSettings& preview,
                                const QLocale& locale = {});
    // "Preview sheet 2: pages 5–8" for the sheet at 0-based index 1 holding pages 4...7;
    // "Preview sheet 3: page 9" for a sheet of one page.
    static QString sheetName(std::size_t index, const std::vector<int>& pages);
    // A playback position with exactly one decimal: "1.9".
    static QString seconds(double time, const QLocale& locale = {});
    // "Video frame at 1.9 seconds".
    static QString videoFrameName(double time, const QLocale& locale = {});
    // The length beside its slider: the seconds held to 10...15, the fraction dropped, and
    // " s".
    static QString videoLength(const VideoSettings& video);
    // The video size row: each side held to 64...6000, the frame rate as stored:
    // "1080 × 1080, 30 fps, MP4".
    static QString videoSize(const VideoSettings& video);

    // A finding of the publish check of a PDF of pageCount pages (ListingCheck::message() in
    // English).
    static QString finding(const ListingFinding& finding, std::int64_t pageCount);

    // --- Sets and batches ---------------------------------------------------------------------
    // The export bar's summary of what a set holds: "12 images, preview PDF, video" (presets
    // that are on x chosen layouts, then the preview PDF and the video when on), or "nothing
    // chosen".
    static QString contents(const ListingSettings& settings);
    // The export bar's summary line: the file count, " files: " and contents().
    static QString exportSummary(const ListingSettings& settings);
    // The batch page's count: "20 files per PDF".
    static QString filesPerPDF(const ListingSettings& settings);
    // The export bar's line for a finished set: "Saved 20 files to “Title listing”."
    static QString saved(const std::filesystem::path& folder, std::int64_t files);
    // The line for a set that was stopped, saying what its folder holds: "Stopped. 10 of 20
    // files saved in “Title listing”."
    static QString stopped(const std::filesystem::path& folder, std::int64_t files,
                           std::int64_t plannedFiles);
    // The alert for a batch folder without PDFs: "There are no PDFs directly inside
    // “Products”."
    static QString noPDFsInside(const std::filesystem::path& folder);
    // A batch row's name: the PDF's file name without its extension.
    static QString rowName(const BatchRow& row);
    // A batch row's status as text: "Waiting", "" while working (a bar shows it), "20 files",
    // stopped() for a set that was stopped, or the failure's message.
    static QString statusText(const BatchRow::Status& status);
    // What a screen reader reads for a batch row, as one element: the name, then the status
    // ("Unit 2, Waiting", "Unit 2, Working, 40%", "Unit 2, 20 files", "Unit 2, " and the
    // failure).
    static QString rowReading(const BatchRow& row);
    // The batch page's line once a batch has ended: “3 sets made, 1 failed.”, with the rows
    // stopped counted too (“2 sets made, 1 stopped.”). Empty while no row has ended.
    static QString batchSummary(const std::vector<BatchRow>& rows);

    // --- Questions ----------------------------------------------------------------------------
    // "Choose a printable PDF."
    static QString choosePDF();
    // Where to save one set, whose folder is named folderName.
    static QString chooseSetParent(const QString& folderName);
    // Where to save a batch's sets.
    static QString chooseBatchOutput();
    // Which folder of PDFs to batch.
    static QString chooseBatchInput();
    // The buttons that answer them: "Save Here" and "Choose".
    static QString saveHere();
    static QString choose();

    // --- Brands and the steps of Undo ---------------------------------------------------------
    // The name of a new brand copied from one named from: "My Brand" from Classic, else
    // "NAME Copy".
    static QString brandCopyName(const std::string& from);
    // The alert for brands in the store that couldn't be read and were set aside.
    static QString unreadableBrands(std::size_t count);
    // The steps' names: "Brand", "New Brand “Shop”", "Edit Brand “Shop”", "Delete Brand
    // “Shop”", "Reset to Defaults".
    static QString chooseBrandStep();
    static QString newBrandStep(const std::string& name);
    static QString editBrandStep(const std::string& name);
    static QString deleteBrandStep(const std::string& name);
    static QString resetSizesStep();
};

} // namespace folimo
