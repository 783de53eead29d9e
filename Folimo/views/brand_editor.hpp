#pragma once

#include <QWidget>
#include <folimo/brand.hpp>

class QComboBox;
class QLabel;
class QPushButton;

namespace folimo {

class ListingSession;
class Previews;
class FormSection;
class PictureView;
class TextField;

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
    // The colours' buttons, and the warning when a pair of them is hard to read.
    void showColors();
    void showFontNotice();
    void askForPreview();

    ListingSession& session_;
    Previews& previews_;
    Brand brand_;
    FormSection* form_;
    TextField* name_;
    QComboBox* font_;
    QLabel* fontNotice_;   // a family not installed here, and what draws in its place
    QLabel* colorWarning_; // the colours too close to be read one on the other
    struct ColorButton {
        QPushButton* button;
        QString name;
        RGBColor Brand::*color;
    };
    std::vector<ColorButton> colors_;
    TextField* badge_;
    PictureView* preview_;
};

} // namespace folimo
