#include "app/single_instance.hpp"

#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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
