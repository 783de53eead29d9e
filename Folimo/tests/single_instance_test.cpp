#include "app/single_instance.hpp"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>
#include <vector>

using folimo::SingleInstance;

class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void aFirstLaunchFindsNobodyToHandOverTo() {
        QTemporaryDir dir;
        SingleInstance first(dir.filePath("socket"));
        QVERIFY(!first.handOver({"/tmp/a.pdf"}));
        QVERIFY(first.listen());
    }

    // Only a folder of the user's own that nobody else may enter takes the socket; without
    // one there is no socket at all and the program runs alone.
    void theSocketLivesOnlyInAPrivateFolder() {
        QTemporaryDir dir;
        const QString open = dir.filePath("open"), own = dir.filePath("own");
        QVERIFY(QDir().mkdir(open) && QDir().mkdir(own));
        QVERIFY(::chmod(QFile::encodeName(open).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(own).constData(), 0700) == 0);
        QVERIFY(QFile::link(own, dir.filePath("link")));
        QCOMPARE(SingleInstance::serverIn(own), own + "/folimo.socket");
        QCOMPARE(SingleInstance::serverIn(open), QString());
        QCOMPARE(SingleInstance::serverIn(dir.filePath("link")), QString());
        QCOMPARE(SingleInstance::serverIn(dir.filePath("missing")), QString());
        SingleInstance alone(SingleInstance::serverIn(open));
        QVERIFY(!alone.handOver({"/tmp/a.pdf"}));
        QVERIFY(!alone.listen());
    }

    // Idle connections cannot wear the server down: past 32 they are refused, and each is
    // dropped after five quiet seconds without handing anything over.
    void idleConnectionsAreLimitedAndDropped() {
        QTemporaryDir dir;
        SingleInstance running(dir.filePath("socket"));
        QVERIFY(running.listen());
        QSignalSpy received(&running, &SingleInstance::filesReceived);
        std::vector<std::unique_ptr<QLocalSocket>> idle;
        for (int i = 0; i <= SingleInstance::maxConnections; ++i) {
            idle.push_back(std::make_unique<QLocalSocket>());
            idle.back()->connectToServer(dir.filePath("socket"));
            QVERIFY(idle.back()->waitForConnected(1000));
        }
        QTRY_COMPARE(idle.back()->state(), QLocalSocket::UnconnectedState);
        QCOMPARE(idle.front()->state(), QLocalSocket::ConnectedState);
        QTRY_COMPARE_WITH_TIMEOUT(idle.front()->state(), QLocalSocket::UnconnectedState,
                                  3 * SingleInstance::idleTimeoutMs);
        QCOMPARE(received.count(), 0);
        QVERIFY(SingleInstance(dir.filePath("socket")).handOver({"/tmp/a.pdf"}));
        QTRY_COMPARE(received.count(), 1);
    }

    void aLaterLaunchHandsItsFilesOverInOrder() {
        QTemporaryDir dir;
        SingleInstance running(dir.filePath("socket"));
        QVERIFY(running.listen());
        QSignalSpy received(&running, &SingleInstance::filesReceived);

        // Names with spaces, line breaks and letters beyond ASCII arrive as they were sent.
        const QStringList files{"/home/me/Fall Math.pdf", "/tmp/two\nlines.pdf",
                                "/tmp/Écoles ünd 数学.PDF"};
        QVERIFY(SingleInstance(dir.filePath("socket")).handOver(files));
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toStringList(), files);

        // A launch with no files only asks for the window.
        QVERIFY(SingleInstance(dir.filePath("socket")).handOver({}));
        QTRY_COMPARE(received.count(), 2);
        QCOMPARE(received.at(1).at(0).toStringList(), QStringList());
    }

    void aSocketLeftByACrashedLaunchIsTakenOver() {
        QTemporaryDir dir;
        QFile stale(dir.filePath("socket"));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SingleInstance launch(dir.filePath("socket"));
        QVERIFY(!launch.handOver({}));
        QVERIFY(launch.listen());
        QSignalSpy received(&launch, &SingleInstance::filesReceived);
        QVERIFY(SingleInstance(dir.filePath("socket")).handOver({"/tmp/a.pdf"}));
        QTRY_COMPARE(received.count(), 1);
    }

    void aFloodOnTheSocketIsDroppedNotOpened() {
        QTemporaryDir dir;
        SingleInstance running(dir.filePath("socket"));
        QVERIFY(running.listen());
        QSignalSpy received(&running, &SingleInstance::filesReceived);

        QLocalSocket flood;
        flood.connectToServer(dir.filePath("socket"));
        QVERIFY(flood.waitForConnected(1000));
        const QByteArray chunk(64 * 1024, 'x');
        for (int i = 0; i < 40 && flood.state() == QLocalSocket::ConnectedState; ++i) {
            flood.write(chunk);
            flood.waitForBytesWritten(100);
            QCoreApplication::processEvents();
        }
        QTRY_COMPARE(flood.state(), QLocalSocket::UnconnectedState);
        // The running instance still serves the next launch.
        QVERIFY(SingleInstance(dir.filePath("socket")).handOver({"/tmp/a.pdf"}));
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toStringList(), QStringList{"/tmp/a.pdf"});
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
