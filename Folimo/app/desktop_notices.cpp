#include "app/desktop_notices.hpp"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QHash>
#include <QVariantMap>

namespace folimo {
namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
// The desktop entry's name, which is also the icon's.
const QString entry = QStringLiteral("com.corvane.Folimo");

QString launcherURI() {
    return QStringLiteral("application://") + entry + QStringLiteral(".desktop");
}

// Taskbars listen on every path; the entry's own path keeps programs apart on the bus.
QString launcherPath() {
    return QStringLiteral("/com/canonical/unity/launcherentry/") +
           QString::number(qHash(launcherURI(), 0));
}

} // namespace

DesktopNotices::DesktopNotices(WorkNotices& notices, QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , notices_(notices)
    , bus_(std::move(bus)) {
    connect(&notices_, &WorkNotices::notice, this, &DesktopNotices::send);
    connect(&notices_, &WorkNotices::progressChanged, this, &DesktopNotices::showProgress);
    if (!bus_.isConnected()) return;
    bus_.connect(service, path, service, QStringLiteral("ActionInvoked"), this,
                 SLOT(actionInvoked(uint, QString)));
    bus_.connect(service, path, service, QStringLiteral("NotificationClosed"), this,
                 SLOT(notificationClosed(uint, uint)));
}

void DesktopNotices::send(const WorkNotice& notice) {
    if (!bus_.isConnected()) return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Notify"));
    const QStringList actions =
        notice.folder.empty() ? QStringList() : QStringList{QStringLiteral("default"), tr("Show")};
    call << QStringLiteral("Folimo") << uint(0) << entry << notice.summary << notice.body << actions
         << QVariantMap{{QStringLiteral("desktop-entry"), entry}} << -1;
    // Asked without waiting: a slow or missing service never holds up the window.
    auto* answer = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this, [this, answer, notice] {
        const QDBusPendingReply<uint> reply = *answer;
        if (!reply.isError() && !notice.folder.empty()) shown_[reply.value()] = notice;
        answer->deleteLater();
    });
}

void DesktopNotices::actionInvoked(uint id, const QString& action) {
    const auto shown = shown_.find(id);
    if (shown == shown_.end() || action != QStringLiteral("default")) return;
    notices_.show(shown->second);
}

void DesktopNotices::notificationClosed(uint id, uint) {
    shown_.erase(id);
}

void DesktopNotices::showProgress() {
    if (!bus_.isConnected()) return;
    const std::optional<double> progress = notices_.progress();
    QDBusMessage update = QDBusMessage::createSignal(
        launcherPath(), QStringLiteral("com.canonical.Unity.LauncherEntry"),
        QStringLiteral("Update"));
    update << launcherURI()
           << QVariantMap{{QStringLiteral("progress"), progress.value_or(0.0)},
                          {QStringLiteral("progress-visible"), progress.has_value()}};
    bus_.send(update);
}

} // namespace folimo
