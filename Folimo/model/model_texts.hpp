#pragma once

#include "folimo/settings.hpp"
#include "model/model_types.hpp"

#include <QString>

// The texts the views show that are made from model values, so that the views only place
// them. Pure functions. Counts take their plural forms from the installed translation
// (installTranslation()). The sentences the command line writes too keep the English
// wording of folimo/work_messages.hpp.
namespace folimo::ModelTexts {

// The export bar's summary of what a set holds: "12 images, preview PDF, video" (presets
// that are on x chosen layouts, then the preview PDF and the video when on), or "nothing
// chosen".
QString contents(const ListingSettings& settings);
// The export bar's summary line: the file count, " files: " and contents().
QString exportSummary(const ListingSettings& settings);
// The batch page's count: "20 files per PDF".
QString filesPerPDF(const ListingSettings& settings);
// The export bar's line for a finished set: "Saved 20 files to “Title listing”."
QString saved(const std::filesystem::path& folder, std::int64_t files);
// The line for a set that was stopped, saying what its folder holds: "Stopped. 10 of 20 files
// saved in “Title listing”."
QString stopped(const std::filesystem::path& folder, std::int64_t files, std::int64_t plannedFiles);
// The alert for a batch folder without PDFs: "There are no PDFs directly inside “Products”."
QString noPDFsInside(const std::filesystem::path& folder);
// A batch row's name: the PDF's file name without its extension.
QString rowName(const BatchRow& row);
// A batch row's status as text: "Waiting", "" while working (a bar shows it), "20 files",
// stopped() for a set that was stopped, or the failure's message.
QString statusText(const BatchRow::Status& status);
// What a screen reader reads for a batch row, as one element: the name, then the status
// ("Unit 2, Waiting", "Unit 2, Working, 40%", "Unit 2, 20 files", "Unit 2, " and the failure).
QString rowReading(const BatchRow& row);
// The batch page's line once a batch has ended: “3 sets made, 1 failed.”, with the rows
// stopped counted too (“2 sets made, 1 stopped.”). Empty while no row has ended.
QString batchSummary(const std::vector<BatchRow>& rows);

// The alert for brands in the store that couldn't be read and were set aside.
QString unreadableBrands(std::size_t count);

} // namespace folimo::ModelTexts
