#pragma once

#include <QImage>
#include <QWidget>
#include <folimo/brand.hpp>

class QComboBox;
class QLabel;
class QPushButton;

namespace folimo {

class ListingSession;
class Previews;
class FormSection;
class TextField;

// The picture of a brand's sample listing image, scaled to fit with a soft shadow, on the
// under-page background.
class BrandPreview : public QWidget {
    Q_OBJECT
public:
    explicit BrandPreview(QWidget* parent = nullptr);
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    QImage shadow_; // the blurred 20 % black the image casts, at the size last painted
    QSize shadowFor_;
};

// The form and live preview of one brand. It edits a working copy, starting from the brand it
// is made with, and hands the whole copy to the model on every keystroke and colour change;
// when the stored brand changes otherwise (Undo), the copy and the form follow it. Classic is
// shown but cannot be edited.
class BrandEditor : public QWidget {
    Q_OBJECT
public:
    BrandEditor(ListingSession& session, Previews& previews, const Brand& brand,
                QWidget* parent = nullptr);

    const Brand& brand() const { return brand_; }

private:
    // typing: the field or colour dialog the change comes from, so its changes are one step.
    void change(const std::function<void(Brand&)>& edit, const QObject* typing = nullptr);
    void showBrand();
    // A button showing one of the brand's colours, read by screen readers as name and the
    // colour ("Background colour, #F6F0E6"); it opens the colour dialog.
    QPushButton* colorButton(const QString& name, RGBColor Brand::*color);
    void showColors();
    void askForPreview();

    ListingSession& session_;
    Previews& previews_;
    Brand brand_;
    FormSection* form_;
    TextField* name_;
    QComboBox* font_;
    struct ColorButton {
        QPushButton* button;
        QString name;
        RGBColor Brand::*color;
    };
    std::vector<ColorButton> colors_;
    TextField* badge_;
    BrandPreview* preview_;
};

} // namespace folimo
