#pragma once

#include "model/listing_session.hpp"
#include "model/model_types.hpp"
#include "model/previews.hpp"
#include "model/set_work.hpp"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QSettings;

namespace folimo {

class Panels;

// The one object behind the window: its navigation and its one alert, over the parts that
// hold the rest. session() is what the seller works on (the PDF, settings, brands, store,
// Undo), work() the sets being made, previews() the pictures the window shows. Views take
// the part they read; the few that move between pages or show the alert take the whole.
//
// Threads: an AppModel and its parts live on the main thread and every member is called
// there. Fields change only on real change, with a change signal.
class AppModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(std::optional<folimo::Page> page READ page WRITE setPage NOTIFY pageChanged)
    Q_PROPERTY(folimo::ListingTab tab READ tab WRITE setTab NOTIFY tabChanged)
    Q_PROPERTY(bool askForReview READ askForReview WRITE setAskForReview NOTIFY askForReviewChanged)
    Q_PROPERTY(std::optional<QString> alert READ alert WRITE setAlert NOTIFY alertChanged)

public:
    // A model on this store, asking the user through panels (may be null: then every
    // question is answered with nothing, until setPanels). The store and the panels must
    // outlive the model. Tests give a QSettings on a file in a temporary folder.
    AppModel(QSettings& store, Panels* panels, QObject* parent = nullptr);
    // Stops the previews, then the work, and waits for them before the session and its store
    // go (their late reports are dropped).
    ~AppModel() override;

    // Makes the one model of the application, on the user's own store (organisation and
    // application "Folimo"); shared() gives it while the owner lives. main() keeps the owner
    // in its scope, so that the model's work is stopped and joined before exit() takes the
    // library's static objects away. Not for tests.
    static std::unique_ptr<AppModel> makeShared();
    static AppModel& shared();
    void setPanels(Panels* panels) { session_.setPanels(panels); }

    ListingSession& session() { return session_; }
    const ListingSession& session() const { return session_; }
    SetWork& work() { return work_; }
    const SetWork& work() const { return work_; }
    Previews& previews() { return previews_; }
    const Previews& previews() const { return previews_; }

    // The sidebar page shown; nothing when the sidebar has no selection. Starts at listing,
    // and goes back to it when a PDF is opened.
    std::optional<Page> page() const { return page_; }
    void setPage(std::optional<Page> page);
    ListingTab tab() const { return tab_; }
    void setTab(ListingTab tab);
    bool askForReview() const { return askForReview_; }
    void setAskForReview(bool ask);
    // The message of the one alert; nothing = no alert. The alert's OK sets nothing.
    const std::optional<QString>& alert() const { return alert_; }
    void setAlert(std::optional<QString> alert);

signals:
    void pageChanged();
    void tabChanged();
    void askForReviewChanged();
    void alertChanged();

private:
    std::optional<Page> page_ = Page::listing;
    ListingTab tab_ = ListingTab::images;
    bool askForReview_ = false;
    std::optional<QString> alert_;
    // Destroyed in the reverse order: previews and work end before the session they read.
    ListingSession session_;
    SetWork work_;
    Previews previews_;
};

} // namespace folimo
