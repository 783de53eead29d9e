#pragma once

#include "folimo/settings.hpp"

#include <QWidget>
#include <functional>
#include <vector>

class QFormLayout;
class QVBoxLayout;

namespace folimo {

class AppModel;

// The settings column of the listing page: the "Listing" section, the sections of the pane
// shown, and the export bar at its foot. Every control writes straight into the model and
// shows what the model holds; it validates nothing and keeps nothing of its own.
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
    // Writes one change into the model's settings (which saves them).
    void edit(const std::function<void(ListingSettings&)>& change);
    void refresh();

    AppModel& model_;
    QVBoxLayout* content_;
    QWidget* tabSections_ = nullptr;
    // Each shows one model value in its control; the tab's go with the tab's sections.
    std::vector<std::function<void()>> listingShows_;
    std::vector<std::function<void()>> tabShows_;
    QStringList shownPresets_; // the Sizes rows as built: name and detail of each preset
};

} // namespace folimo
