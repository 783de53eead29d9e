#pragma once

#include <QAbstractListModel>
#include <filesystem>
#include <vector>

namespace folimo {

class SetWork;

// The batch rows of the set work as a list model for the batch page: one item per row, in
// order, following the model's batchRows (a new folder resets the list, a status change
// emits dataChanged for its row). Main thread only.
class BatchRowsModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        // Qt::DisplayRole: the PDF's file name without its extension.
        // Qt::ToolTipRole: the status text of a failed or stopped row, which may be cut off.
        // Qt::AccessibleTextRole: Texts::rowReading, the whole row as one text.
        StatusKindRole = Qt::UserRole + 1, // int of BatchRow::Status::Kind
        FractionRole,                      // double 0...1 while working
        FilesRole,                         // qint64 files written when done
        StatusTextRole,                    // Texts::statusText
        PathRole,                          // the PDF's full path as QString
    };

    explicit BatchRowsModel(SetWork& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    SetWork& model_;
    std::vector<std::filesystem::path> shown_; // the PDFs of the rows the view has
};

} // namespace folimo
