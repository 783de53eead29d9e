#include "model/app_model.hpp"

#include "model/observed.hpp"

#include <QSettings>
#include <utility>

namespace folimo {
namespace {

// The application's model while makeShared()'s owner lives.
AppModel* sharedModel = nullptr;

} // namespace

AppModel::AppModel(QSettings& store, Panels* panels, QObject* parent)
    : QObject(parent)
    , session_(store, panels, [this](const QString& message) { setAlert(message); })
    , work_(session_, [this](const QString& message) { setAlert(message); })
    , previews_(session_, [this](const QString& message) { setAlert(message); }) {
    connect(&session_, &ListingSession::opened, this, [this] { setPage(Page::listing); });
}

AppModel::~AppModel() {
    if (sharedModel == this) sharedModel = nullptr;
}

std::unique_ptr<AppModel> AppModel::makeShared() {
    static QSettings store(QStringLiteral("Folimo"), QStringLiteral("Folimo"));
    auto model = std::make_unique<AppModel>(store, nullptr);
    sharedModel = model.get();
    return model;
}

AppModel& AppModel::shared() {
    Q_ASSERT(sharedModel);
    return *sharedModel;
}

void AppModel::setPage(std::optional<Page> page) {
    if (changeTo(page_, page)) emit pageChanged();
}

void AppModel::setTab(ListingTab tab) {
    if (changeTo(tab_, tab)) emit tabChanged();
}

void AppModel::setAskForReview(bool ask) {
    if (changeTo(askForReview_, ask)) emit askForReviewChanged();
}

void AppModel::setAlert(std::optional<QString> alert) {
    if (changeTo(alert_, std::move(alert))) emit alertChanged();
}

} // namespace folimo
