#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

class QPainter;

namespace folimo {

// A picture drawn by the library, shown scaled to fit inside the widget less its padding,
// centred, never enlarged past what the layout gives it. Screen readers see it as a graphic
// named by its accessible name. A null picture leaves the place empty.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    void setPicture(const QImage& picture);
    void setPadding(int padding);
    // Filled behind the picture over the whole widget; invalid: nothing is filled.
    void setBackground(const QColor& color);
    // The pixels a side of length side covers on widget's screen: more than side on a
    // high-density screen, so what is drawn at that many pixels shows sharp there.
    int devicePixels(const QWidget& widget, double side);

    // A soft black shadow at 20 % under the picture, drawn into the padding.
    void setShadow(bool shadow);
    // Over a picture that is not square, the centred square a shop's search results crop it
    // to: the rest dimmed, the square outlined.
    void setSquareCrop(bool show);
    bool squareCrop() const { return squareCrop_; }
    // Width over height of the pictures shown here; when set, the widget asks for the
    // height that fits a picture of that shape at the width it is given.
    void setAspect(double aspect);
    // Where the scaled picture lands, in widget coordinates.
    QRect pictureRect() const;

    bool hasHeightForWidth() const override { return aspect_ > 0; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintSquareCrop(QPainter& painter, const QRect& target) const;

    QImage picture_;
    int padding_ = 0;
    QColor background_;
    bool shadow_ = false;
    bool squareCrop_ = false;
    double aspect_ = 0;
    // The picture scaled to the pixels it covers, made once per picture and size, so a
    // repaint only copies pixels.
    QImage scaled_;
    qint64 scaledFrom_ = 0;
};

// The pixels a side of length side covers on widget's screen: more than side on a
// high-density screen, so what is drawn at that many pixels shows sharp there.
int devicePixels(const QWidget& widget, double side);

// A soft black shadow at 20 % under a picture at target, a little below it: the one shadow of
// pictures on screen.
void paintSoftShadow(QPainter& painter, const QRect& target);

} // namespace folimo
