#pragma once

#include <QHash>
#include <QImage>
#include <QWidget>
#include <deque>

class QLabel;
class QListView;

namespace folimo {

class ListingSession;
class Previews;
class SheetList;
class SheetRows;

// The preview PDF pane: how many sheets and their size, then every sheet as it will print,
// in a list that draws only the sheets in sight. Pictures come from the model's cache, one
// copy each; the pane keeps only the few scaled to the size they are shown at. A hidden pane
// asks for nothing and works out its sheets when it is shown.
class PreviewPane : public QWidget {
    Q_OBJECT
public:
    PreviewPane(ListingSession& session, Previews& previews, QWidget* parent = nullptr);
    ~PreviewPane() override;

    QLabel* header() const { return header_; }
    // The sheets; each row reads to a screen reader as "Preview sheet 2: pages 3–4".
    QListView* sheets() const;
    // The picture of sheet row as drawn, or null while it is not (yet) in the model's cache.
    QImage picture(int row) const;
    // Whether every sheet in sight has its picture (for tests and benchmarks).
    bool drawnInSight() const;

    // For the list's painting: the sheet's picture scaled to pixels, asked for when it is
    // not drawn yet (then null).
    QImage scaledPicture(int row, QSize pixels);
    // Drops the requests for sheets outside rows first...last (scrolled out of sight).
    void keepRequestsFor(int first, int last);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();
    void drawn(const QString& key);

    ListingSession& session_;
    Previews& previews_;
    QLabel* header_;
    SheetRows* rows_;
    SheetList* list_;
    bool stale_ = true;         // the preview inputs changed while the pane was hidden
    QHash<QString, int> asked_; // keys requested and not drawn yet, with their rows
    struct Scaled {
        qint64 from;
        QImage image;
    };
    std::deque<Scaled> scaled_; // the most recently shown first, a few at most
};

} // namespace folimo
