#include "updates/updater.hpp"

#include "updates/feed_probe.hpp"
#include "updates/update_messages.hpp"

#include <QCoreApplication>
#include <QSettings>

namespace folimo::updates {
namespace {

QUrl feedURL(const QSettings& store) {
    const QVariant stored = store.value(QStringLiteral("updates.feedURL"));
    const QString text = stored.typeId() == QMetaType::QString
                             ? stored.toString()
                             : QStringLiteral(FOLIMO_UPDATE_FEED_URL);
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const bool web = url.isValid() && (url.scheme() == u"https" || url.scheme() == u"http") &&
                     !url.host().isEmpty();
    return web ? url : QUrl();
}

} // namespace

Updater& Updater::shared() {
    static QSettings store(QStringLiteral("Folimo"), QStringLiteral("Folimo"));
    static Updater* const updater = new Updater(store, QCoreApplication::instance());
    return *updater;
}

Updater::Updater(QSettings& store, QObject* parent)
    : QObject(parent)
    , checker_(store, feedURL(store)) {
    checker_.startScheduledChecks();
}

void Updater::check(QWidget* window) {
    if (checking_) return;
    window_ = window;
    if (checker_.feedURL().isEmpty()) {
        checker_.checkForUpdates(window);
        return;
    }
    checking_ = true;
    emit checkingChanged(true);
    probeFeed(network_, checker_.feedURL(), probeTimeout_, this, [this](ProbeOutcome outcome) {
        checking_ = false;
        emit checkingChanged(false);
        switch (outcome) {
        case ProbeOutcome::reachable:
            checker_.checkForUpdates(window_);
            break;
        case ProbeOutcome::notPublished:
            showMessage(upToDateMessage(applicationName(), applicationVersion()), window_);
            break;
        case ProbeOutcome::unreachable:
            showMessage(unreachableMessage(applicationName()), window_);
            break;
        }
    });
}

} // namespace folimo::updates
