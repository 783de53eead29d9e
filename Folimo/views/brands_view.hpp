#pragma once

#include <QWidget>

class QListWidget;
class QToolButton;

namespace folimo {

class ListingSession;
class Previews;
class BrandEditor;

// The brand presets page: the list of brands (swatches and name), "+" and "−" (asked first)
// under it, and
// the editor of the chosen brand, made afresh from the stored brand whenever the choice
// changes.
class BrandsView : public QWidget {
    Q_OBJECT
public:
    BrandsView(ListingSession& session, Previews& previews, QWidget* parent = nullptr);

    BrandEditor* editor() const { return editor_; }

private:
    void showBrands();
    void showChoice();

    ListingSession& session_;
    Previews& previews_;
    QListWidget* list_;
    QToolButton* add_;
    QToolButton* remove_;
    BrandEditor* editor_ = nullptr;
};

} // namespace folimo
