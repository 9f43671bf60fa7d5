// The result writer, checked by an independent reader (check_gdt_result.py):
// every line's length, 8100, the field order, the three character sets,
// the patient as written in each, and the values against the readings,
// in both editions; a recording without night readings leaves the night's
// blocks out; line breaks in a value stay one line; an overlong findings
// or table text goes on in more lines; 7-bit never writes a byte German
// 7-bit reads as a letter; the counts have no decimal.
#include "exchange/GdtAbpmResult.h"
#include "exchange/GdtLines.h"
#include "text/Edition.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(GdtCharset)
Q_DECLARE_METATYPE(EditionId)

namespace {

struct Reading {
    QTime time;
    int sys, dia, pulse;
};

// Every 20 minutes from 10:00 for 24 hours; night lower; values vary so
// that no mean is a round figure.
std::vector<Reading> recording(bool withNight = true)
{
    std::vector<Reading> readings;
    for (int i = 0; i < 72; ++i) {
        const QTime time = QTime(10, 0).addSecs(i * 20 * 60);
        const bool night = time.hour() >= 22 || time.hour() < 7;
        if (night && !withNight)
            continue;
        readings.push_back({time, (night ? 118 : 137) + i % 7, (night ? 68 : 84) + i % 5, (night ? 58 : 74) + i % 3});
    }
    return readings;
}

AbpmSummary summaryOf(const std::vector<Reading>& readings)
{
    std::vector<AbpmReading> abpm;
    qint64 id = 0;
    for (const Reading& r : readings) {
        const QDate date = r.time < QTime(10, 0) ? QDate(2026, 3, 8) : QDate(2026, 3, 7);
        abpm.push_back({++id, QDateTime(date, r.time, Qt::UTC), double(r.sys), double(r.dia),
                        (r.sys + 2.0 * r.dia) / 3.0, double(r.pulse)});
    }
    return computeAbpmSummary(abpm, AbpmPeriods::standard());
}

RecordingDetails patientDetails()
{
    RecordingDetails d;
    d.patientNumber = QStringLiteral("A-4711");
    d.surname = QString::fromUtf8("Müller-Lüdenscheidt");
    d.firstName = QString::fromUtf8("Zoë Łucja");
    d.birthDate = QDate(1956, 4, 3);
    d.sex = PatientSex::Female;
    d.recordingStart = QDateTime(QDate(2026, 3, 7), QTime(9, 55), Qt::UTC);
    d.physician = QString::fromUtf8("Dr. Jürgen Weiß");
    return d;
}

// Runs the independent reader; its complaints become the test's.
bool independentReaderAgrees(const QString& resultPath, const QJsonObject& expected)
{
    const QString expectedPath = resultPath + QStringLiteral(".json");
    QFile file(expectedPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(expected).toJson()) < 0)
        return false;
    file.close();
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral(GDT_CHECKER), resultPath, expectedPath});
    if (!python.waitForFinished(30000))
        return false;
    const QByteArray complaints = python.readAllStandardError();
    if (!complaints.isEmpty())
        qWarning("independent reader: %s", complaints.constData());
    return python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0;
}

QJsonObject expectationsOf(const RecordingDetails& d, GdtCharset charset, const std::vector<Reading>& readings,
                           const QString& attachment)
{
    QJsonArray rows;
    for (const Reading& r : readings)
        rows.append(QJsonArray{r.time.hour() * 100 + r.time.minute(), r.sys, r.dia, r.pulse});
    return {
        {"charset", QString::number(int(charset))},
        {"patient", QJsonObject{{"number", d.patientNumber}, {"surname", d.surname}, {"firstName", d.firstName},
                                {"born", d.birthDate.toString(QStringLiteral("ddMMyyyy"))}, {"sex", "2"}}},
        {"physician", d.physician},
        {"attachment", attachment.isEmpty() ? QJsonValue() : QJsonValue(attachment)},
        {"readings", rows},
    };
}

} // namespace

class TestGdtResult : public QObject {
    Q_OBJECT
private slots:
    void independentReader_data()
    {
        QTest::addColumn<EditionId>("edition");
        QTest::addColumn<GdtCharset>("charset");
        QTest::addColumn<bool>("attached");
        QTest::newRow("English, 7-bit") << EditionId::English << GdtCharset::Ascii << true;
        QTest::newRow("English, CP437") << EditionId::English << GdtCharset::Cp437 << false;
        QTest::newRow("English, ISO 8859-1") << EditionId::English << GdtCharset::Latin1 << true;
        QTest::newRow("German, 7-bit") << EditionId::German << GdtCharset::Ascii << false;
        QTest::newRow("German, CP437") << EditionId::German << GdtCharset::Cp437 << true;
        QTest::newRow("German, ISO 8859-1") << EditionId::German << GdtCharset::Latin1 << true;
    }
    void independentReader()
    {
        QFETCH(EditionId, edition);
        QFETCH(GdtCharset, charset);
        QFETCH(bool, attached);
        Edition::select(edition);
        const std::vector<Reading> readings = recording();
        const RecordingDetails details = patientDetails();
        GdtResult result = gdtAbpmResult(summaryOf(readings), details,
                                         {QStringLiteral("PRAX"), QStringLiteral("KORV"), charset});
        const QString pdf = QString::fromUtf8("/srv/gdt/Ergebnisse für Müller/KORV_A-4711.pdf");
        if (attached)
            result.attachment = GdtAttachment{QStringLiteral("KORV_A-4711"), QStringLiteral("PDF"),
                                              QStringLiteral("ABPM"), pdf};
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("PRAXKORV.GDT"));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(writeGdtResult(result));
        out.close();
        QVERIFY(independentReaderAgrees(path, expectationsOf(details, charset, readings, attached ? pdf : QString())));
    }

    void testNamesInTheEditionsLanguage()
    {
        for (const EditionId edition : {EditionId::English, EditionId::German}) {
            Edition::select(edition);
            const GdtResult result = gdtAbpmResult(summaryOf(recording()), patientDetails(), {});
            const auto sys24 = std::find_if(result.tests.begin(), result.tests.end(),
                                            [](const GdtTest& t) { return t.ident == u"SYS24"; });
            QVERIFY(sys24 != result.tests.end());
            QCOMPARE(sys24->name, edition == EditionId::German ? QStringLiteral("Systolischer Mittelwert 24 h")
                                                               : QStringLiteral("Systolic mean 24 h"));
            QCOMPARE(sys24->unit, QStringLiteral("mmHg"));
        }
    }

    void noNightLeavesTheNightOut()
    {
        Edition::select(EditionId::English);
        const GdtResult result = gdtAbpmResult(summaryOf(recording(false)), patientDetails(), {});
        QStringList idents;
        for (const GdtTest& t : result.tests)
            idents << t.ident;
        QCOMPARE(idents, (QStringList{"SYS24", "DIA24", "MAP24", "PULS24", "SYSTAG", "DIATAG", "PULSTAG", "ANZAHL",
                                      "GUELTIG"}));
        QVERIFY(result.findings.first().startsWith(QStringLiteral("Not valid for diagnosis:")));
        const auto value = [&](const char* ident) {
            for (const GdtTest& t : result.tests)
                if (t.ident == QLatin1String(ident))
                    return t.value;
            return QString();
        };
        QCOMPARE(value("ANZAHL"), QString::number(recording(false).size()));
        QCOMPARE(value("GUELTIG"), QString::number(recording(false).size()));
    }

    // What German 7-bit reads as letters is never written; what a 7-bit
    // reader then shows is the spelt-out name.
    void sevenBitSpellsOut()
    {
        GdtResult result;
        result.charset = GdtCharset::Ascii;
        result.patient.number = QStringLiteral("4711");
        result.patient.surname = QString::fromUtf8("Müller-Lüdenscheidt [Weiß] {Öz} ~ Ä|Ü a@b \\ § Renée");
        const QByteArray file = writeGdtResult(result);
        for (const char c : QByteArrayView("[\\]{|}~@"))
            QVERIFY2(!file.contains(c), &c);
        QVERIFY(std::all_of(file.begin(), file.end(), [](char c) { return c > 0; }));
        QString surname;
        for (const GdtLine& line : gdtLines(file))
            if (line.fieldId == 3101)
                surname = gdtDecode(line.content, GdtCharset::Ascii);
        QCOMPARE(surname, QStringLiteral("Mueller-Luedenscheidt (Weiss) (Oez) - Ae/Ue aatb / Par. Renee"));
    }

    // A findings or table text over a line's room goes on in lines of the
    // same field; nothing of it is cut away.
    void longTextGoesOnInMoreLines()
    {
        GdtResult result;
        result.patient.number = QStringLiteral("4711");
        QString words;
        for (int i = 0; words.size() < 2500; ++i)
            words += QStringLiteral("word%1 ").arg(i);
        const QString table = QString(1500, u'-');
        result.findings << words.trimmed();
        result.table << table;
        const QByteArray file = writeGdtResult(result);
        QByteArray findings, rows;
        int findingLines = 0, tableLines = 0;
        for (const GdtLine& line : gdtLines(file)) {
            QVERIFY(line.lengthAgrees() && line.length <= 999);
            if (line.fieldId == 6220) {
                findings += line.content;
                ++findingLines;
            } else if (line.fieldId == 6228) {
                rows += line.content;
                ++tableLines;
            }
        }
        QCOMPARE(findingLines, 3);
        QCOMPARE(tableLines, 2);
        QCOMPARE(QString::fromLatin1(findings), words.trimmed());
        QCOMPARE(QString::fromLatin1(rows), table);
        QCOMPARE(gdtDeclaredFileLength(file), file.size());
        const std::vector<GdtLine> lines = gdtLines(file);
        const auto first = std::find_if(lines.begin(), lines.end(), [](const GdtLine& l) { return l.fieldId == 6220; });
        QVERIFY(first->content.endsWith(' ')); // broken after a word, not inside one
    }

    // A value with a line break, an empty name, an overlong finding: every
    // line still holds one field of the length it says.
    void awkwardValuesStayOneLineEach()
    {
        GdtResult result;
        result.receiverId = QStringLiteral("PRAX");
        result.senderId = QStringLiteral("KORV");
        result.patient.number = QStringLiteral("1\r\n8000 6302");
        result.patient.surname = QString(2000, u'x');
        result.findings << QString::fromUtf8("😀 ✓ Ω");
        const QByteArray file = writeGdtResult(result);
        const std::vector<GdtLine> lines = gdtLines(file);
        for (const GdtLine& line : lines)
            QVERIFY2(line.isField() && line.lengthAgrees() && line.length <= 999, qPrintable(QString::number(line.number)));
        QCOMPARE(gdtDeclaredFileLength(file), file.size());
        QCOMPARE(std::count_if(lines.begin(), lines.end(), [](const GdtLine& l) { return l.fieldId == 8000; }), 1);
        QCOMPARE(lines.back().content, QByteArray("? ? \xea")); // one "?" per character the set lacks
        QCOMPARE(std::count_if(lines.begin(), lines.end(), [](const GdtLine& l) { return l.fieldId == 3101; }), 1);
    }
};

QTEST_GUILESS_MAIN(TestGdtResult)
#include "test_gdtresult.moc"
