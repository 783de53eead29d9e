#include "updates/appcast.hpp"

#include <QTest>

using namespace folimo::updates;

class AppcastTest : public QObject {
    Q_OBJECT

private slots:
    void readsBothFormsOfItem();
    void refusesWhatIsNotAFeed_data();
    void refusesWhatIsNotAFeed();
    void versionsCompareNumerically_data();
    void versionsCompareNumerically();
    void newerItem();
};

void AppcastTest::readsBothFormsOfItem() {
    const QByteArray feed = R"xml(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle">
  <channel>
    <title>Folimo</title>
    <item>
      <title>Version 1.10</title>
      <sparkle:version>1.10.0</sparkle:version>
      <sparkle:shortVersionString>1.10</sparkle:shortVersionString>
      <sparkle:releaseNotesLink>https://example.org/notes/1.10.html</sparkle:releaseNotesLink>
      <pubDate>Mon, 07 Dec 2026 10:00:00 +0000</pubDate>
      <enclosure url="https://example.org/folimo-1.10.tar.gz" length="1234" type="application/octet-stream"/>
    </item>
    <item>
      <title>Version 1.9</title>
      <enclosure url="https://example.org/folimo-1.9.tar.gz" sparkle:version="1.9" sparkle:shortVersionString="1.9 (beta)"/>
    </item>
    <item>
      <title>A link to open something else</title>
      <sparkle:version>2.0</sparkle:version>
      <sparkle:releaseNotesLink>file:///etc/passwd</sparkle:releaseNotesLink>
      <link>javascript:alert(1)</link>
    </item>
    <item><title>No version</title><link>https://example.org/</link></item>
  </channel>
</rss>)xml";
    const auto items = parseAppcast(feed);
    QVERIFY(items);
    QCOMPARE(items->size(), 3u);
    QCOMPARE(items->at(0), (AppcastItem{"Version 1.10", "1.10.0", "1.10",
                                        QUrl("https://example.org/notes/1.10.html"),
                                        QUrl("https://example.org/folimo-1.10.tar.gz")}));
    QCOMPARE(items->at(1).version, "1.9");
    QCOMPARE(items->at(1).shortVersion, "1.9 (beta)");
    // Links the desktop would open with something other than a browser are dropped.
    QVERIFY(items->at(2).releaseNotes.isEmpty());
    QVERIFY(items->at(2).download.isEmpty());
}

void AppcastTest::refusesWhatIsNotAFeed_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("HTML") << QByteArray("<html><body>Not found</body></html>");
    QTest::newRow("cut short") << QByteArray("<rss><channel><item><sparkle:version>2");
    QTest::newRow("entity bomb") << QByteArray(
        R"(<!DOCTYPE rss [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">
<!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;"><!ENTITY d "&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;">
<!ENTITY e "&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;">]><rss><channel><item><title>&e;&e;&e;</title>
</item></channel></rss>)");
}

void AppcastTest::refusesWhatIsNotAFeed() {
    QFETCH(QByteArray, text);
    QVERIFY(!parseAppcast(text));
}

void AppcastTest::versionsCompareNumerically_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("order");
    QTest::newRow("numbers, not text") << "1.10"
                                       << "1.9" << 1;
    QTest::newRow("trailing zeros") << "1.2"
                                    << "1.2.0" << 0;
    QTest::newRow("longer is newer") << "1.2"
                                     << "1.2.1" << -1;
    QTest::newRow("suffix ignored") << "2.0b3"
                                    << "2.0" << 0;
    QTest::newRow("huge part") << "1.99999999999999999999999"
                               << "1.2" << 1;
    QTest::newRow("empty") << ""
                           << "0.1" << -1;
}

void AppcastTest::versionsCompareNumerically() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, order);
    QCOMPARE(compareVersions(a, b), order);
    QCOMPARE(compareVersions(b, a), -order);
}

void AppcastTest::newerItem() {
    const QUrl link("https://example.org/get");
    const std::vector<AppcastItem> items = {{"", "1.2", "1.2", {}, link},
                                            {"", "1.4", "1.4", {}, link},
                                            {"", "1.3", "1.3", {}, link},
                                            {"", "9.0", "9.0", {}, {}}};
    QCOMPARE(folimo::updates::newerItem(items, "1.1")->version, "1.4");
    QVERIFY(!folimo::updates::newerItem(items, "1.4"));
    QVERIFY(!folimo::updates::newerItem(items, "1.5"));
}

QTEST_GUILESS_MAIN(AppcastTest)
#include "appcast_test.moc"
