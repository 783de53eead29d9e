// The desktop's side of notices and taskbar progress, on a private session bus (ctest starts
// one) with a stand-in for the desktop's notification service on a connection of its own.
#include "app/desktop_notices.hpp"
#include "model/translation.hpp"
#include "model_test_support.hpp"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTest>
#include <QVariantList>

using namespace folimo;

namespace {

// Records what the notification service is asked, answers each Notify with the next id, and
// records every taskbar update heard on the bus.
class StandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QList<QVariantList> notified;
    QList<QVariantList> updates; // the path, the app's URI and the properties

public slots:
    uint Notify(const QString& appName, uint replacesID, const QString& icon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int timeout) {
        notified << QVariantList{appName, replacesID, icon, summary, body, actions, hints, timeout};
        return uint(41 + notified.size());
    }
    void update(const QString& uri, const QVariantMap& properties, const QDBusMessage& message) {
        updates << QVariantList{message.path(), uri, properties};
    }
};

} // namespace

class DesktopNoticesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        installTranslation();
        QVERIFY(QDBusConnection::sessionBus().isConnected());
    }

    void aSetMadeElsewhereIsNotifiedAndItsShowRevealsTheFolder() {
        test::ModelFixture f;
        std::vector<std::filesystem::path> revealed;
        WorkNotices notices(
            f.model.work(), [] { return false; },
            [&](const std::filesystem::path& folder) { revealed.push_back(folder); });
        DesktopNotices desktop(notices, QDBusConnection::sessionBus());

        // With no notification service on the bus nothing fails; a call on the same
        // connection answers once the bus has refused the notice.
        emit notices.notice({"Batch finished", "1 set made.", "/tmp"});
        QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(
            "org.freedesktop.Notifications"));

        StandIn standIn;
        QDBusConnection service =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, "stand-in");
        QVERIFY(service.registerObject("/org/freedesktop/Notifications", &standIn,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService("org.freedesktop.Notifications"));
        QVERIFY(service.connect({}, {}, "com.canonical.Unity.LauncherEntry", "Update", &standIn,
                                SLOT(update(QString, QVariantMap, QDBusMessage))));

        QVERIFY(f.model.session().openFile(test::outside("CAD.pdf")));
        f.model.session().setSettings(test::quickSettings());
        f.panels.answers = {f.path("out")};
        f.model.work().makeListingSet();
        QTRY_COMPARE_WITH_TIMEOUT(standIn.notified.size(), 1, 120000);
        const auto folder = f.path("out") / "CAD listing";
        QCOMPARE(standIn.notified[0],
                 (QVariantList{"Folimo", 0u, "com.corvane.Folimo", "Listing set made",
                               "Saved 3 files to \u201C"
                               "CAD listing\u201D.",
                               QStringList{"default", "Show"},
                               QVariantMap{{"desktop-entry", "com.corvane.Folimo"}}, -1}));

        // The taskbar entry showed the set's progress and was cleared at its end.
        QTRY_VERIFY(!standIn.updates.isEmpty() &&
                    !standIn.updates.back()[2].toMap()["progress-visible"].toBool());
        const QVariantList& first = standIn.updates.front();
        QVERIFY(first[0].toString().startsWith("/com/canonical/unity/launcherentry/"));
        QCOMPARE(first[1], QVariant("application://com.corvane.Folimo.desktop"));
        QCOMPARE(first[2].toMap(), (QVariantMap{{"progress", 0.0}, {"progress-visible", true}}));
        QVERIFY(standIn.updates.size() >= 3);

        // Clicking the notification (its default action) reveals the set's folder; another
        // program's notification does nothing.
        for (const uint id : {7u, 42u})
            service.send(QDBusMessage::createSignal("/org/freedesktop/Notifications",
                                                    "org.freedesktop.Notifications",
                                                    "ActionInvoked")
                         << id << QString("default"));
        QTRY_COMPARE(revealed, std::vector{folder});
        QDBusConnection::disconnectFromBus("stand-in");
    }
};

QTEST_GUILESS_MAIN(DesktopNoticesTest)
#include "desktop_notices_test.moc"
