#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace folimo {

class ListingSession;

// The listing page with no PDF open: an invitation to drop one, open one or try the sample,
// and the PDFs opened last, each opened again with a click or Return.
class EmptyStateView : public QWidget {
    Q_OBJECT
public:
    explicit EmptyStateView(ListingSession& session, QWidget* parent = nullptr);

    // The recent PDFs, by file name; hidden while there are none.
    QListWidget* recentList() const { return recent_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showRecent();
    void openRecent(const QListWidgetItem* item);

    ListingSession& session_;
    QWidget* column_;
    QLabel* recentHeader_;
    QListWidget* recent_;
};

} // namespace folimo
