#include "app/single_instance.hpp"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <future>
#include <memory>
#include <sys/stat.h>
#include <vector>

using folimo::SingleInstance;
using HandOver = SingleInstance::HandOver;

namespace {

// A later launch, as a process of its own would make it: its blocking hand-over runs while
// this thread's event loop serves the running instance.
HandOver launch(const QString& server, const QStringList& files) {
    auto handOver =
        std::async(std::launch::async, [&] { return SingleInstance(server).handOver(files); });
    while (handOver.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return handOver.get();
}

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
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
        QCOMPARE(alone.handOver({"/tmp/a.pdf"}), HandOver::alone);
        QVERIFY(!alone.listen());
    }

    // Idle connections cannot wear the server down: past 32 they are refused, and each is
    // dropped after five quiet seconds without handing anything over. A launch that finds
    // every connection taken keeps its files and knows it was not answered.
    void idleConnectionsAreLimitedAndDropped() {
        QTemporaryDir dir;
        SingleInstance running(dir.filePath("socket"));
        QVERIFY(running.listen());
        QSignalSpy received(&running, &SingleInstance::filesReceived);
        std::vector<std::unique_ptr<QLocalSocket>> idle;
        for (int i = 0; i < SingleInstance::maxConnections; ++i) {
            idle.push_back(std::make_unique<QLocalSocket>());
            idle.back()->connectToServer(dir.filePath("socket"));
            QVERIFY(idle.back()->waitForConnected(1000));
        }
        QCOMPARE(launch(dir.filePath("socket"), {"/tmp/a.pdf"}), HandOver::refused);
        QCOMPARE(idle.front()->state(), QLocalSocket::ConnectedState);
        QTRY_COMPARE_WITH_TIMEOUT(idle.front()->state(), QLocalSocket::UnconnectedState,
                                  3 * SingleInstance::idleTimeoutMs);
        QCOMPARE(received.count(), 0);
        QCOMPARE(launch(dir.filePath("socket"), {"/tmp/a.pdf"}), HandOver::taken);
        QCOMPARE(received.count(), 1);
    }

    void aLaterLaunchHandsItsFilesOverInOrder() {
        QTemporaryDir dir;
        SingleInstance running(dir.filePath("socket"));
        QVERIFY(running.listen());
        QSignalSpy received(&running, &SingleInstance::filesReceived);

        // Names with spaces, line breaks and letters beyond ASCII arrive as they were sent.
        const QStringList files{"/home/me/Fall Math.pdf", "/tmp/two\nlines.pdf",
                                "/tmp/Écoles ünd 数学.PDF"};
        QCOMPARE(launch(dir.filePath("socket"), files), HandOver::taken);
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toStringList(), files);

        // A launch with no files only asks for the window.
        QCOMPARE(launch(dir.filePath("socket"), {}), HandOver::taken);
        QCOMPARE(received.count(), 2);
        QCOMPARE(received.at(1).at(0).toStringList(), QStringList());
    }

    void aSocketLeftByACrashedLaunchIsTakenOver() {
        QTemporaryDir dir;
        QFile stale(dir.filePath("socket"));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SingleInstance first(dir.filePath("socket"));
        QCOMPARE(first.handOver({}), HandOver::alone);
        QVERIFY(first.listen());
        QSignalSpy received(&first, &SingleInstance::filesReceived);
        QCOMPARE(launch(dir.filePath("socket"), {"/tmp/a.pdf"}), HandOver::taken);
        QCOMPARE(received.count(), 1);
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
        QCOMPARE(launch(dir.filePath("socket"), {"/tmp/a.pdf"}), HandOver::taken);
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toStringList(), QStringList{"/tmp/a.pdf"});
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
