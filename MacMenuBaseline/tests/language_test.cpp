#include <QProcess>
#include <QTest>

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void strings_data();
    void strings();
    void missingResourceStopsTheProcess();
};

void LanguageTest::strings_data() {
    QTest::addColumn<QString>("userLanguages");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("spanish"); // the texts chosen: Spanish, or else English

    // A tool or test follows the user's own languages.
    QTest::newRow("Spanish user") << "es_MX" << QStringList{} << true;
    QTest::newRow("French user") << "fr_FR" << QStringList{} << false;
    QTest::newRow("French, then Spanish") << "fr_FR:es_ES" << QStringList{} << true;
    // An application follows its own language: the first user language it ships.
    QTest::newRow("installed, ships none") << "es_ES" << QStringList{"--installed"} << false;
    QTest::newRow("ships Spanish") << "es_MX" << QStringList{"--ships=en,es"} << true;
    QTest::newRow("ships French and Spanish")
        << "fr_FR:es_ES" << QStringList{"--ships=es,fr"} << false;
    QTest::newRow("ships only Base") << "es_ES" << QStringList{"--ships=Base"} << true;
}

QProcess* probe(const QString& userLanguages, const QStringList& arguments) {
    auto* process = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LANGUAGE", userLanguages);
    environment.insert("LANG", userLanguages.section(':', 0, 0) + ".UTF-8");
    environment.remove("LC_ALL");
    environment.remove("LC_MESSAGES");
    process->setProcessEnvironment(environment);
    process->start(STRINGS_PROBE, arguments);
    return process;
}

void LanguageTest::strings() {
    QFETCH(QString, userLanguages);
    QFETCH(QStringList, arguments);
    QFETCH(bool, spanish);

    std::unique_ptr<QProcess> process(probe(userLanguages, arguments));
    QVERIFY(process->waitForFinished());
    QCOMPARE(process->exitCode(), 0);
    const QStringList lines = QString::fromUtf8(process->readAllStandardOutput()).split('\n');
    const QStringList expected = spanish ? QStringList{"Cerrar ventana", "Ayuda de Folimo"}
                                         : QStringList{"Close Window", "Folimo Help"};
    QCOMPARE(lines.mid(0, 2), expected);
}

void LanguageTest::missingResourceStopsTheProcess() {
    std::unique_ptr<QProcess> process(probe("en_US", {"--no-resource"}));
    QVERIFY(process->waitForFinished());
    QCOMPARE(process->exitStatus(), QProcess::CrashExit);
    QVERIFY(process->readAllStandardError().contains(
        "unable to find bundle named Corvane_MacMenuBaseline"));
    QVERIFY(process->readAllStandardOutput().isEmpty());
}

QTEST_GUILESS_MAIN(LanguageTest)
#include "language_test.moc"
