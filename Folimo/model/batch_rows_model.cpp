#include "model/batch_rows_model.hpp"

#include "model/set_work.hpp"
#include "model/texts.hpp"

namespace folimo {
namespace {

std::vector<std::filesystem::path> pdfsOf(const std::vector<BatchRow>& rows) {
    std::vector<std::filesystem::path> pdfs;
    pdfs.reserve(rows.size());
    for (const auto& row : rows)
        pdfs.push_back(row.pdf);
    return pdfs;
}

} // namespace

BatchRowsModel::BatchRowsModel(SetWork& model, QObject* parent)
    : QAbstractListModel(parent)
    , model_(model)
    , shown_(pdfsOf(model.batchRows())) {
    connect(&model_, &SetWork::batchRowChanged, this, [this](int row) {
        if (row < 0 || row >= rowCount()) return;
        emit dataChanged(index(row), index(row));
    });
    connect(&model_, &SetWork::batchRowsChanged, this, [this] {
        auto pdfs = pdfsOf(model_.batchRows());
        if (pdfs == shown_) return;
        beginResetModel();
        shown_ = std::move(pdfs);
        endResetModel();
    });
}

int BatchRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant BatchRowsModel::data(const QModelIndex& index, int role) const {
    const auto& rows = model_.batchRows();
    if (!index.isValid() || index.row() >= static_cast<int>(rows.size())) return {};
    const BatchRow& row = rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return Texts::rowName(row);
    case Qt::AccessibleTextRole:
        return Texts::rowReading(row);
    case Qt::ToolTipRole: // the whole of a long status, which the row may cut off
        return row.status.kind == BatchRow::Status::Kind::failed ||
                       row.status.kind == BatchRow::Status::Kind::stopped
                   ? QVariant(Texts::statusText(row.status))
                   : QVariant();
    case StatusKindRole:
        return static_cast<int>(row.status.kind);
    case FractionRole:
        return row.status.fraction;
    case FilesRole:
        return static_cast<qint64>(row.status.files);
    case StatusTextRole:
        return Texts::statusText(row.status);
    case PathRole:
        return QString::fromStdString(row.pdf.string());
    default:
        return {};
    }
}

QHash<int, QByteArray> BatchRowsModel::roleNames() const {
    auto names = QAbstractListModel::roleNames();
    names[StatusKindRole] = "statusKind";
    names[FractionRole] = "fraction";
    names[FilesRole] = "files";
    names[StatusTextRole] = "statusText";
    names[PathRole] = "path";
    return names;
}

} // namespace folimo
