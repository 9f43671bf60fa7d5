// The practice-system simulator as the GDT link meets it: its DOS writer
// (code page 437, Ctrl-Z) and German 7-bit writer ("M}ller") are read back
// to the same patient; its slow writer, run for real over two seconds
// against a watcher, is taken once and whole; the result it reads back is
// shown in the result's own character set.
#include "exchange/GdtLines.h"
#include "exchange/GdtRequestWatcher.h"
#include "exchange/GdtResult.h"
#include "text/Edition.h"
#include "tools/practice/PracticeSide.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(PracticeWriter)

namespace {

PracticeRequest patient()
{
    PracticeRequest r;
    r.patient.number = QStringLiteral("4711");
    r.patient.surname = QString::fromUtf8("Müller-Lößer");
    r.patient.firstName = QString::fromUtf8("Jürgen Ägidius");
    r.patient.birthDate = QDate(1956, 4, 3);
    r.patient.sex = GdtSex::Male;
    return r;
}

} // namespace

class TestPracticeSide : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Edition::select(EditionId::English); }

    void writersAreReadBack_data()
    {
        QTest::addColumn<PracticeWriter>("writer");
        QTest::addColumn<QByteArray>("surnameBytes");
        QTest::addColumn<QByteArray>("ending");
        QTest::newRow("whole") << PracticeWriter::Whole << QByteArray("M\x81ller-L\x94\xe1" "er") << QByteArray("\r\n");
        QTest::newRow("DOS") << PracticeWriter::Dos << QByteArray("M\x81ller-L\x94\xe1" "er") << QByteArray("\r\n\x1a");
        QTest::newRow("7-bit") << PracticeWriter::SevenBit << QByteArray("M}ller-L|~er") << QByteArray("\r\n");
    }
    void writersAreReadBack()
    {
        QFETCH(PracticeWriter, writer);
        QFETCH(QByteArray, surnameBytes);
        QFETCH(QByteArray, ending);
        const QByteArray file = practiceRequestFile(patient(), writer);
        QVERIFY(file.contains("3101" + surnameBytes + "\r\n"));
        QVERIFY(file.endsWith(ending));
        QVERIFY(gdtFileComplete(file));
        const auto read = readGdtRequest(file);
        QVERIFY(std::holds_alternative<GdtRequest>(read));
        QCOMPARE(std::get<GdtRequest>(read).patient, patient().patient);
    }

    void piecesMakeTheWhole()
    {
        const QByteArray file = practiceRequestFile(patient());
        const QList<QByteArray> pieces = practicePieces(file, 6);
        QCOMPARE(pieces.size(), 6);
        QCOMPARE(pieces.join(), file);
    }

    // The simulator writing in place over two seconds, the watcher polling
    // as in the program: nothing half is taken, the whole once.
    void slowWriterIsTakenWhole()
    {
        QTemporaryDir dir;
        QList<GdtRequest> taken;
        QStringList refused;
        GdtRequestWatcher watcher({[&](const GdtRequest& r, const QString&) { taken << r; },
                                   [&](const QString& path, const GdtReadError& e, const QString&, const QString&) {
                                       refused << path + u' ' + e.reason;
                                   }});
        watcher.setPollInterval(100);
        watcher.watch(dir.path(), "KORV", "PRAX");
        QProcess practice;
        practice.start(qEnvironmentVariable("KORVANE_BUILD_DIR") + "/tools/korvane-practice",
                       {"--folder", dir.path(), "--patient", "4711", "--surname", "Nigro-Bertolucci", "--writer",
                        "slow", "--seconds", "2", "--wait", "0"});
        QVERIFY(practice.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(practice.state(), QProcess::NotRunning, 20000);
        QCOMPARE(practice.exitCode(), 0);
        QVERIFY2(practice.readAll().contains("piece 6 of 6"), "written in pieces");
        QTRY_COMPARE_WITH_TIMEOUT(taken.size(), 1, 5000);
        QTest::qWait(300);
        QCOMPARE(taken.size(), 1);
        QCOMPARE(taken[0].patient.surname, QStringLiteral("Nigro-Bertolucci"));
        QVERIFY2(refused.isEmpty(), qPrintable(refused.join(u'\n')));
    }

    // What the simulator shows of a result: the fields in the result's set.
    void resultIsShownInItsCharacterSet()
    {
        GdtResult result;
        result.patient.number = QStringLiteral("4711");
        result.patient.surname = QString::fromUtf8("Müller");
        result.charset = GdtCharset::Ascii;
        QVERIFY(practiceFieldsOf(writeGdtResult(result)).join(u'\n').contains(QRegularExpression("surname +Mueller$", QRegularExpression::MultilineOption)));
        result.charset = GdtCharset::Cp437;
        QVERIFY(practiceFieldsOf(writeGdtResult(result)).join(u'\n').contains(QRegularExpression(QString::fromUtf8("surname +Müller$"), QRegularExpression::MultilineOption)));
    }
};

QTEST_GUILESS_MAIN(TestPracticeSide)
#include "test_practiceside.moc"
