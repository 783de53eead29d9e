#include "updates/update_checker.hpp"

#include "updates/appcast.hpp"
#include "updates/feed_request.hpp"
#include "updates/update_messages.hpp"
#include "updates/update_window.hpp"

#include <QNetworkReply>
#include <QSettings>

namespace folimo::updates {
namespace {

const QString lastCheckKey = QStringLiteral("updates.lastCheck");
const QString skippedKey = QStringLiteral("updates.skippedVersion");
constexpr qint64 day = 24 * 60 * 60;

} // namespace

UpdateChecker::UpdateChecker(QSettings& store, QUrl feed, QObject* parent)
    : QObject(parent)
    , store_(store)
    , feed_(std::move(feed)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::VeryCoarseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { fetch(false); });
}

UpdateChecker::~UpdateChecker() {
    if (window_) window_->close();
}

void UpdateChecker::checkForUpdates(QWidget* window) {
    userWindow_ = window;
    if (feed_.isEmpty()) {
        showMessage(noFeedMessage(applicationName()), window);
        return;
    }
    fetch(true);
}

void UpdateChecker::startScheduledChecks() {
    if (!feed_.isEmpty()) planNext();
}

void UpdateChecker::planNext() {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDateTime last = store_.value(lastCheckKey).toDateTime();
    // A last check in the future means the clock was set back: check now.
    next_ = last.isValid() && last <= now ? last.addSecs(day) : now;
    const qint64 wait = std::max<qint64>(0, now.msecsTo(next_));
    timer_.start(static_cast<int>(std::min<qint64>(wait, day * 1000)));
}

void UpdateChecker::fetch(bool byUser) {
    byUser_ = byUser_ || byUser;
    if (reply_) return; // the check under way answers for both
    timer_.stop();
    next_ = {};
    QNetworkReply* reply = network_.get(feedRequest(feed_));
    abortAfter(reply, timeout_);
    reply_ = reply;
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > maximumFeedBytes) reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
}

void UpdateChecker::finished(QNetworkReply* reply) {
    reply->deleteLater();
    const bool byUser = std::exchange(byUser_, false);
    store_.setValue(lastCheckKey, QDateTime::currentDateTimeUtc());
    planNext();

    if (reply->error() != QNetworkReply::NoError) {
        if (byUser) showMessage(unreachableMessage(applicationName()), userWindow_);
        return;
    }
    const auto items = parseAppcast(reply->read(maximumFeedBytes));
    if (!items) {
        if (byUser) showMessage(unreadableFeedMessage(applicationName()), userWindow_);
        return;
    }
    const auto newer = newerItem(*items, applicationVersion());
    if (newer && (byUser || newer->version != store_.value(skippedKey).toString()))
        offer(*newer, byUser ? userWindow_.data() : nullptr);
    else if (byUser)
        showMessage(upToDateMessage(applicationName(), applicationVersion()), userWindow_);
}

void UpdateChecker::offer(const AppcastItem& item, QWidget* window) {
    if (window_) window_->close();
    window_ = new UpdateWindow(item, applicationName(), applicationVersion(), window);
    connect(window_, &UpdateWindow::skipped, this,
            [this](const QString& version) { store_.setValue(skippedKey, version); });
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace folimo::updates
