// The update checks against a real HTTP server on localhost, with their real windows.
#include "local_http_server.hpp"
#include "updates/feed_probe.hpp"
#include "updates/update_messages.hpp"
#include "updates/update_window.hpp"
#include "updates/updater.hpp"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace folimo::updates;
using namespace std::chrono_literals;

namespace {

template <typename T> T* shown() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<T*>(widget); window && window->isVisible()) return window;
    return nullptr;
}

// The texts of the message on screen, which is then dismissed.
UpdateMessage takeMessage() {
    QMessageBox* box = shown<QMessageBox>();
    if (!box) return {};
    const UpdateMessage message{box->text(), box->informativeText()};
    box->button(QMessageBox::Ok)->click();
    return message;
}

QByteArray appcast(const QString& version) {
    return QStringLiteral(
               "<rss xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">"
               "<channel><item><sparkle:version>%1</sparkle:version>"
               "<enclosure url=\"https://example.org/folimo-%1.tar.gz\"/>"
               "</item></channel></rss>")
        .arg(version)
        .toUtf8();
}

} // namespace

class UpdaterTest : public QObject {
    Q_OBJECT

    QSettings& store() { return *store_; }

    QTemporaryDir folder_;
    std::unique_ptr<QSettings> store_;
    std::unique_ptr<LocalHttpServer> server_;

private slots:
    void initTestCase() {
        QCoreApplication::setApplicationName("Folimo");
        QCoreApplication::setApplicationVersion("1.4.0");
    }

    void init() {
        store_ = std::make_unique<QSettings>(folder_.filePath("store.ini"), QSettings::IniFormat);
        store_->clear();
        // No scheduled check unless a test asks for one.
        store_->setValue("updates.lastCheck", QDateTime::currentDateTimeUtc());
        server_ = std::make_unique<LocalHttpServer>();
    }

    void cleanup() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            widget->close();
        store_.reset();
    }

    void probeStatuses() {
        // The statuses the user's checks below do not meet.
        QCOMPARE(probeOutcome(204), ProbeOutcome::reachable);
        QCOMPARE(probeOutcome(501), ProbeOutcome::reachable);
        QCOMPARE(probeOutcome(403), ProbeOutcome::unreachable);
        QCOMPARE(probeOutcome(std::nullopt), ProbeOutcome::unreachable);
    }

    void userCheck_data() {
        QTest::addColumn<LocalHttpServer::Answer>("answer");
        QTest::addColumn<QString>("title"); // of the message, none when the update window shows
        QTest::addColumn<QStringList>("requests");

        const QStringList probeOnly{"HEAD /feed.xml"}, both{"HEAD /feed.xml", "GET /feed.xml"};
        using Answer = LocalHttpServer::Answer;
        QTest::newRow("404: not published") << Answer{404} << "You’re up to date" << probeOnly;
        QTest::newRow("410: not published") << Answer{410} << "You’re up to date" << probeOnly;
        QTest::newRow("500") << Answer{500} << "Couldn’t check for updates" << probeOnly;
        QTest::newRow("newer") << Answer{200, appcast("1.5")} << "" << both;
        // A server that refuses HEAD still serves the feed.
        QTest::newRow("HEAD refused, newer")
            << Answer{200, appcast("1.10"), false, 405} << "" << both;
        QTest::newRow("the same") << Answer{200, appcast("1.4")} << "You’re up to date" << both;
        QTest::newRow("older") << Answer{200, appcast("1.3.9")} << "You’re up to date" << both;
        QTest::newRow("not a feed")
            << Answer{200, "<html>"} << "Couldn’t check for updates" << both;
        QTest::newRow("feed too large")
            << Answer{200, QByteArray(UpdateChecker::maximumFeedBytes + 1, ' ')}
            << "Couldn’t check for updates" << both;
        QTest::newRow("feed gone after the probe")
            << Answer{404, {}, false, 200} << "Couldn’t check for updates" << both;
    }

    void userCheck() {
        QFETCH(LocalHttpServer::Answer, answer);
        QFETCH(QString, title);
        QFETCH(QStringList, requests);

        server_->answer("/feed.xml", answer);
        store().setValue("updates.feedURL", server_->url("/feed.xml").toString());
        Updater updater(store());
        QSignalSpy checking(&updater, &Updater::checkingChanged);
        updater.check();
        QVERIFY(updater.checking());

        if (title.isEmpty()) {
            QTRY_VERIFY(shown<UpdateWindow>());
            QVERIFY(shown<UpdateWindow>()->findChild<QLabel*>("details")->text().endsWith(
                " is out; you have 1.4.0."));
        } else {
            QTRY_VERIFY(shown<QMessageBox>());
            QCOMPARE(takeMessage().title, title);
        }
        QCOMPARE(checking.size(), 2);
        QVERIFY(!updater.checking());
        QCOMPARE(server_->requests(), requests);
    }

    void withoutFeedNothingIsRequested() {
        // Neither the build nor the store names a feed (a bad URL counts as none).
        store().setValue("updates.feedURL", "file:///etc/passwd");
        store().remove("updates.lastCheck");
        Updater updater(store());
        QVERIFY(updater.checker().feedURL().isEmpty());
        QVERIFY(!updater.checker().nextScheduledCheck().isValid());
        QWidget window;
        updater.check(&window);
        QVERIFY(!updater.checking());
        QTRY_VERIFY(shown<QMessageBox>());
        QCOMPARE(shown<QMessageBox>()->parentWidget(), &window); // centred on the window
        QCOMPARE(takeMessage(), noFeedMessage("Folimo"));
    }

    void secondCheckWhileProbingIsIgnored() {
        server_->answer("/feed.xml", {200, {}, true});
        store().setValue("updates.feedURL", server_->url("/feed.xml").toString());
        Updater updater(store());
        updater.setProbeTimeout(300ms);
        updater.check();
        updater.check();
        QTRY_COMPARE(server_->requests().size(), 1);
        QTRY_VERIFY(shown<QMessageBox>());
        QCOMPARE(takeMessage(), unreachableMessage("Folimo"));
        QVERIFY(!updater.checking());
        QCOMPARE(server_->requests(), QStringList{"HEAD /feed.xml"});
    }

    void aTricklingFeedMeetsTheDeadline() {
        // A byte every 100 ms is never silence, yet the scheduled check under way ends at its
        // deadline, and the user's check that waits for it answers then.
        server_->answer("/feed.xml", {200, {}, false, 0, true});
        store().setValue("updates.feedURL", server_->url("/feed.xml").toString());
        store().remove("updates.lastCheck");
        Updater updater(store());
        updater.checker().setTimeout(1500ms);
        QTRY_COMPARE(server_->requests(), QStringList{"GET /feed.xml"});
        updater.check();
        QTRY_VERIFY(shown<QMessageBox>());
        QCOMPARE(takeMessage(), unreachableMessage("Folimo"));
        QCOMPARE(server_->requests(), (QStringList{"GET /feed.xml", "HEAD /feed.xml"}));
    }

    void skippedVersionIsOfferedOnlyWhenAsked() {
        server_->answer("/feed.xml", {200, appcast("2.0")});
        UpdateChecker checker(store(), server_->url("/feed.xml"));
        checker.checkForUpdates();
        QTRY_VERIFY(shown<UpdateWindow>());
        for (QPushButton* button : shown<UpdateWindow>()->findChildren<QPushButton*>())
            if (button->text() == "Skip This Version") button->click();
        QTRY_VERIFY(!shown<UpdateWindow>());
        QCOMPARE(store().value("updates.skippedVersion").toString(), "2.0");

        // The scheduled check stays silent about it...
        store().remove("updates.lastCheck");
        checker.startScheduledChecks();
        QTRY_COMPARE(server_->requests().size(), 2);
        QTRY_VERIFY(store().contains("updates.lastCheck"));
        // ...and the user's own check still offers it.
        checker.checkForUpdates();
        QTRY_VERIFY(shown<UpdateWindow>());
        QCOMPARE(server_->requests().size(), 3);
    }

    void scheduledChecks() {
        server_->answer("/feed.xml", {200, appcast("1.5")});
        store().setValue("updates.feedURL", server_->url("/feed.xml").toString());

        // Checked an hour ago: the next check is a day after that one, nothing now.
        const QDateTime hourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
        store().setValue("updates.lastCheck", hourAgo);
        {
            Updater updater(store());
            QCOMPARE(updater.checker().nextScheduledCheck(), hourAgo.addDays(1));
            QCoreApplication::processEvents();
            QVERIFY(server_->requests().isEmpty());
        }

        // Two days ago: at once, with the feed alone (no probe), and a newer version is offered.
        const QDateTime started = QDateTime::currentDateTimeUtc();
        store().setValue("updates.lastCheck", started.addDays(-2));
        Updater updater(store());
        QTRY_VERIFY(shown<UpdateWindow>());
        QCOMPARE(server_->requests(), QStringList{"GET /feed.xml"});
        QVERIFY(store().value("updates.lastCheck").toDateTime() >= started);
        QCOMPARE(updater.checker().nextScheduledCheck(),
                 store().value("updates.lastCheck").toDateTime().addDays(1));
    }
};

QTEST_MAIN(UpdaterTest)
#include "updater_test.moc"
