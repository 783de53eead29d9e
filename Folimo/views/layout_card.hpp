#pragma once

#include "folimo/settings.hpp"

#include <QAbstractButton>
#include <QImage>

class QLabel;

namespace folimo {

class ListingSession;
class Previews;
class PictureView;

// One small card of the images pane: the layout's thumbnail at the shown size, a check mark
// when the layout is in the set, and its name. Clicking it shows that layout large. Screen
// readers read the name, "In the set" or "Not in the set", and whether it is the one shown.
class LayoutCard : public QAbstractButton {
    Q_OBJECT
public:
    LayoutCard(ListingSession& session, Previews& previews, ImageLayout layout,
               QWidget* parent = nullptr);

    ImageLayout layout() const { return layout_; }
    bool isSelectedLayout() const;
    bool isInSet() const;
    // "In the set" or "Not in the set".
    QString membershipText() const;

    void setThumbnail(const QImage& thumbnail);
    const QImage& thumbnail() const;
    // Shows what the model holds now: the check mark, the name's style and the selection.
    void refresh();

    // The thumbnail's frame and where the check mark sits, in card coordinates.
    static QRect thumbnailFrame();
    static QRect checkMarkRect();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ListingSession& session_;
    Previews& previews_;
    ImageLayout layout_;
    PictureView* thumbnail_;
    QLabel* checkMark_;
    bool shownInSet_ = true;
    bool shownSelected_ = false;
};

} // namespace folimo
