#pragma once

#include "model/work_notices.hpp"

#include <QDBusConnection>
#include <QObject>
#include <map>

namespace folimo {

// Tells the desktop what WorkNotices decides, over D-Bus: each notice as a notification of the
// freedesktop notification service (org.freedesktop.Notifications) whose default action,
// "Show", reveals the notice's folder; the progress of running work on the program's taskbar
// entry (the launcher-entry interface, com.canonical.Unity.LauncherEntry). Every call is
// asynchronous and its error ignored: without a bus, a notification service or a taskbar that
// listens, nothing is shown and nothing fails. Main thread only.
class DesktopNotices : public QObject {
    Q_OBJECT
public:
    DesktopNotices(WorkNotices& notices, QDBusConnection bus, QObject* parent = nullptr);

private slots:
    void actionInvoked(uint id, const QString& action);
    void notificationClosed(uint id, uint reason);

private:
    void send(const WorkNotice& notice);
    void showProgress();

    WorkNotices& notices_;
    QDBusConnection bus_;
    std::map<uint, WorkNotice> shown_; // the notifications on screen, by the service's id
};

} // namespace folimo
