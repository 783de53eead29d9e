#pragma once

#include "folimo/settings.hpp"

#include <QWidget>
#include <functional>
#include <vector>

class QCheckBox;
class QFormLayout;
class QLineEdit;
class QScrollArea;
class QVBoxLayout;

namespace folimo {

class AppModel;
class ListingSession;
struct ListingFinding;

// The settings column of the listing page: the "Listing" section, the sections of the pane
// shown, and at its foot what would look wrong in a shop and the export bar. Every control writes
// straight into the model, one step of Undo per change, and shows what the model holds; it
// validates nothing and keeps nothing of its own.
class InspectorView : public QWidget {
    Q_OBJECT
public:
    explicit InspectorView(AppModel& model, QWidget* parent = nullptr);

    // The section of the current pane (rebuilt when the pane changes).
    QWidget* tabSections() const { return tabSections_; }

private:
    // A titled group of rows with an optional footer, added to column.
    QFormLayout* addSection(QVBoxLayout* column, const QString& title, const QString& footer = {});
    void buildListing(QVBoxLayout* column);
    void buildTab();
    void buildImages(QVBoxLayout* column);
    void buildPreview(QVBoxLayout* column);
    void buildVideo(QVBoxLayout* column);
    // Writes one change into the model's settings (which saves them) as a step of Undo named
    // name; changes typed into one field (typing) are one step.
    void edit(const QString& name, const std::function<void(ListingSettings&)>& change,
              const QObject* typing = nullptr);
    // Hands every change of the box, or of the field's text, to the model as change, named
    // after the control.
    void toggles(QCheckBox* box, const std::function<void(ListingSettings&, bool)>& change);
    void types(QLineEdit* field, const std::function<void(ListingSettings&, std::string)>& change);
    void refresh();
    // Takes the seller to the field that fixes the finding: the title, or the page list of the
    // pane it concerns.
    void editFinding(const ListingFinding& finding);

    AppModel& model_;
    ListingSession& session_;
    QVBoxLayout* content_;
    QScrollArea* scroll_ = nullptr;
    QLineEdit* title_ = nullptr;
    QWidget* tabSections_ = nullptr;
    // Each shows one model value in its control; the tab's go with the tab's sections.
    std::vector<std::function<void()>> listingShows_;
    std::vector<std::function<void()>> tabShows_;
    QStringList shownPresets_; // the Sizes rows as built: name and detail of each preset
};

} // namespace folimo
