#include "model/work_notices.hpp"

#include "model/observed.hpp"
#include "model/set_work.hpp"
#include "model/texts.hpp"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace folimo {
namespace {

using RowKind = BatchRow::Status::Kind;

// The part of a row's set that is made: a row that has ended counts whole.
double rowDone(const BatchRow::Status& status) {
    switch (status.kind) {
    case RowKind::waiting:
        return 0;
    case RowKind::working:
        return std::clamp(status.fraction, 0.0, 1.0);
    case RowKind::done:
    case RowKind::stopped:
    case RowKind::failed:
        return 1;
    }
    return 0;
}

WorkNotice exportNotice(const ExportState& state) {
    switch (state.kind) {
    case ExportState::Kind::done:
        return {QCoreApplication::translate("WorkNotices", "Listing set made"),
                Texts::saved(state.folder, state.files), state.folder};
    case ExportState::Kind::stopped:
        return {QCoreApplication::translate("WorkNotices", "Listing set stopped"),
                Texts::stopped(state.folder, state.files, state.plannedFiles), state.folder};
    default:
        return {QCoreApplication::translate("WorkNotices", "Couldn\u2019t make the listing set"),
                state.message,
                {}};
    }
}

} // namespace

WorkNotices::WorkNotices(SetWork& model, std::function<bool()> attended,
                         std::function<void(const std::filesystem::path&)> reveal, QObject* parent)
    : QObject(parent)
    , model_(model)
    , attended_(std::move(attended))
    , reveal_(std::move(reveal))
    , exportRunning_(model.exportState().isRunning()) {
    connect(&model_, &SetWork::exportStateChanged, this, &WorkNotices::exportChanged);
    connect(&model_, &SetWork::batchRunningChanged, this, &WorkNotices::batchChanged);
    connect(&model_, &SetWork::batchRowsChanged, this, &WorkNotices::updateProgress);
    updateProgress();
}

std::optional<double> WorkNotices::progress() const {
    if (!percent_) return std::nullopt;
    return *percent_ / 100.0;
}

void WorkNotices::show(const WorkNotice& notice) const {
    if (!notice.folder.empty()) reveal_(notice.folder);
}

void WorkNotices::exportChanged() {
    const ExportState& state = model_.exportState();
    const bool ended = exportRunning_ && !state.isRunning();
    exportRunning_ = state.isRunning();
    updateProgress();
    // Opening another PDF while a set is made makes the export idle: nothing to tell then.
    if (ended && state.kind != ExportState::Kind::idle && !attended_())
        emit notice(exportNotice(state));
}

void WorkNotices::batchChanged() {
    const auto& rows = model_.batchRows();
    if (model_.batchRunning()) {
        // The rows this run makes are those it set waiting (Retry Failed makes only some).
        batchRows_.clear();
        for (std::size_t row = 0; row < rows.size(); ++row)
            if (rows[row].status.kind == RowKind::waiting) batchRows_.push_back(row);
    }
    updateProgress();
    if (model_.batchRunning() || attended_()) return;
    // A row of the run left waiting or stopped means the batch was stopped before its end.
    const bool finished = std::all_of(batchRows_.begin(), batchRows_.end(), [&](std::size_t row) {
        return row < rows.size() &&
               (rows[row].status.kind == RowKind::done || rows[row].status.kind == RowKind::failed);
    });
    emit notice({finished ? QCoreApplication::translate("WorkNotices", "Batch finished")
                          : QCoreApplication::translate("WorkNotices", "Batch stopped"),
                 Texts::batchSummary(rows),
                 model_.batchOutput().value_or(std::filesystem::path())});
}

double WorkNotices::batchFraction() const {
    const auto& rows = model_.batchRows();
    if (batchRows_.empty()) return 0;
    double done = 0;
    for (const std::size_t row : batchRows_)
        if (row < rows.size()) done += rowDone(rows[row].status);
    return done / double(batchRows_.size());
}

void WorkNotices::updateProgress() {
    const ExportState& state = model_.exportState();
    const bool batch = model_.batchRunning();
    std::optional<int> percent;
    if (state.isRunning() || batch) {
        const double sum = (state.isRunning() ? std::clamp(state.fraction, 0.0, 1.0) : 0.0) +
                           (batch ? batchFraction() : 0.0);
        const int jobs = int(state.isRunning()) + int(batch);
        // Whole hundredths: the desktop hears of a change at most a hundred times a run.
        percent = int(std::lround(sum / jobs * 100));
    }
    if (changeTo(percent_, percent)) emit progressChanged();
}

} // namespace folimo
