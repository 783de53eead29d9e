#pragma once

#include <QFontMetrics>
#include <QIcon>
#include <QString>
#include <QWidget>
#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

namespace folimo {

// A file name made to fit WIDTH pixels: shortened in the middle with "…", its extension always
// kept whole.
QString shortenedFileName(const QString& name, const QFontMetrics& metrics, int width);

// The window's left column: one row per page, and at its foot the open PDF (name and page
// count) and the "More Apps" button (hidden unless the window has other apps to list).
class Sidebar : public QWidget {
    Q_OBJECT
public:
    struct Row {
        QString title;
        QIcon icon;
    };

    Sidebar(const QList<Row>& rows, QWidget* parent = nullptr);

    // The highlighted row; absent clears the selection. Emits nothing.
    void setCurrentRow(std::optional<int> row);
    std::optional<int> currentRow() const;
    // The open PDF shown at the foot; an empty name hides it.
    void setSource(const QString& name, int pageCount);
    void setMoreAppsVisible(bool visible);

signals:
    void rowChosen(std::optional<int> row);
    void moreAppsClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showSourceName();

    QListWidget* list_;
    QWidget* source_;
    QLabel* sourceName_;
    QLabel* sourcePages_;
    QPushButton* moreApps_;
    QString fullName_;
};

} // namespace folimo
