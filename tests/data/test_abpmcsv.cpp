// File > Export CSV: the file read back by Python's csv module equals the
// data file's rows (read with SQL of their own), in either edition; an
// empty file gives the header alone; WAKE says whether the patient was awake;
// the question before replacing a file; the open data file, other
// databases and folders are never replaced; a failed write leaves the old
// file as it was.
#include "AbpmRecording.h"

#include "data/AbpmCsv.h"
#include "data/RecordingDetailsStore.h"
#include "data/AbpmCsvExport.h"
#include "data/AbpmSettings.h"
#include "support/ScriptedSeams.h"
#include "support/Unprivileged.h"
#include "text/MessageCatalogue.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

using namespace abpmtest;

Q_DECLARE_METATYPE(EditionId)

namespace {

// The rows of a CSV file as Python's csv module reads them.
QList<QStringList> parsedCsv(const QString& path)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, json, sys\n"
                                 "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                 "    print(json.dumps(list(csv.reader(f, strict=True))))"),
                  path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        qWarning("python3 failed: %s", python.readAllStandardError().constData());
        return {};
    }
    QList<QStringList> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(python.readAllStandardOutput()).array()) {
        QStringList fields;
        for (const QJsonValue& field : row.toArray())
            fields << field.toString();
        rows << fields;
    }
    return rows;
}

// The rows the CSV must hold, from the file through SQL: the subject (the
// file's name), the record number, date and time, the four values, and WAKE
// by the standard periods (night 22:00-07:00).
QList<QStringList> expectedRows(const QString& path, EditionId edition)
{
    const QStringList c = AmbSchema::columns(edition);
    QList<QStringList> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("csv-look"));
        db.setDatabaseName(path);
        if (!db.open())
            return rows;
        QSqlQuery q(db);
        q.exec(QStringLiteral("select %1,%2,%3,%4,%5,%6,%7 from ambpdata order by %1")
                   .arg(c[0], c[1], c[2], c[3], c[4], c[5], c[6]));
        while (q.next()) {
            const QString time = q.value(2).toString();
            QString wake;
            if (!time.isEmpty()) {
                const int hour = time.left(2).toInt();
                wake = hour >= 22 || hour < 7 ? "0" : "1";
            }
            QStringList row{QFileInfo(path).completeBaseName(), q.value(0).toString(),
                            time.isEmpty() ? QString() : q.value(1).toString() + ' ' + time};
            for (int i = 3; i <= 6; ++i)
                row << (q.value(i).isNull() ? QString() : QString::number(q.value(i).toDouble(), 'g', 17));
            row << wake;
            rows << row;
        }
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("csv-look"));
    return rows;
}

// Numbers compared as numbers: the CSV writes 15 significant digits.
bool sameRow(const QStringList& csv, const QStringList& expected)
{
    if (csv.size() != expected.size())
        return false;
    for (int i = 0; i < csv.size(); ++i) {
        if (i >= 3 && i <= 6 && !csv[i].isEmpty() && !expected[i].isEmpty()) {
            if (std::abs(csv[i].toDouble() - expected[i].toDouble()) > 1e-12 * std::abs(expected[i].toDouble()))
                return false;
        } else if (csv[i] != expected[i]) {
            return false;
        }
    }
    return true;
}

const QStringList kHeader = {"ID", "NR", "DATE_TIME", "SBP", "DBP", "MAP", "HR", "WAKE"};

} // namespace

class TestAbpmCsv : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_files = 0;

    QString dataFileWith(const std::vector<BpRow>& rows, EditionId edition = EditionId::English)
    {
        const QString path = makeDataFile(m_dir.filePath(QStringLiteral("p%1.amb").arg(++m_files)), edition);
        insertRows(path, edition, rows);
        gDataFile = path;
        gFileReady = true;
        return path;
    }

    QString csvPath() { return m_dir.filePath(QStringLiteral("out%1.csv").arg(++m_files)); }

    // Runs the command, answering its file dialog with target.
    static void exportTo(ScriptedSeams& seams, const QString& target)
    {
        seams.filePaths.push_back(target);
        AbpmCsvExport::exportCsv(nullptr);
    }

private slots:
    void init()
    {
        Edition::select(EditionId::English);
        resetAll();
        AbpmSettings::store(AbpmPeriodChoice());
    }
    void cleanup() { resetAll(); }

    void readBackItEqualsTheFileRows_data()
    {
        QTest::addColumn<EditionId>("edition");
        QTest::newRow("English") << EditionId::English;
        QTest::newRow("German") << EditionId::German;
    }

    void readBackItEqualsTheFileRows()
    {
        QFETCH(EditionId, edition);
        Edition::select(edition);
        std::vector<BpRow> rows = generate(Plan()).rows;
        BpRow artefact = rows[4];
        artefact.sys = 300;
        BpRow noPulse = rows[5];
        noPulse.pulse.reset();
        noPulse.map = 280.0 / 3;
        BpRow noTime = rows[6];
        noTime.time = QTime();
        rows.insert(rows.begin() + 3, {artefact, noPulse, noTime});
        const QString data = dataFileWith(rows, edition);
        const QString csv = csvPath();
        ScriptedSeams seams;
        exportTo(seams, csv);
        QVERIFY2(seams.messages.empty(), qPrintable(seams.lastMessageText()));

        // The dialog proposes the data file's name beside it.
        QCOMPARE(seams.fileRequests.size(), size_t(1));
        const FileDialogRequest& request = seams.fileRequests[0];
        QCOMPARE(request.kind, FileDialogRequest::Kind::Save);
        QCOMPARE(request.title, catText("abpm.dlgExportTitle"));
        QCOMPARE(request.fileName, QFileInfo(data).completeBaseName() + ".csv");
        QCOMPARE(request.directory, QFileInfo(data).absolutePath());

        const QList<QStringList> parsed = parsedCsv(csv);
        const QList<QStringList> expected = expectedRows(data, edition);
        QCOMPARE(parsed.size(), 1 + 81);
        QCOMPARE(parsed[0], kHeader);
        QCOMPARE(expected.size(), 81);
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(sameRow(parsed[i + 1], expected[i]),
                     qPrintable(parsed[i + 1].join(',') + " vs " + expected[i].join(',')));
        // The fraction of the mean pressure survives; the records keep their order.
        QCOMPARE(parsed[5][5], QString("93.3333333333333"));
        QCOMPARE(parsed[5][6], QString());
        QCOMPARE(parsed[6][2], QString());
        QCOMPARE(parsed[6][7], QString());

        // Plain bytes: no byte order mark, lines ended by CR LF.
        const QByteArray bytes = fileBytes(csv);
        QVERIFY(bytes.startsWith("ID,NR,DATE_TIME,SBP,DBP,MAP,HR,WAKE\r\n" + QFileInfo(data).completeBaseName().toUtf8()
                                 + ",1,2024-03-07 10:00:00,143,83,"));
        QCOMPARE(bytes.count("\r\n"), 82);
        QCOMPARE(bytes.count('\n'), 82);
    }

    void anEmptyFileGivesTheHeaderAlone()
    {
        dataFileWith({});
        const QString csv = csvPath();
        ScriptedSeams seams;
        exportTo(seams, csv);
        QCOMPARE(fileBytes(csv), QByteArray("ID,NR,DATE_TIME,SBP,DBP,MAP,HR,WAKE\r\n"));
        QCOMPARE(parsedCsv(csv), QList<QStringList>{kHeader});
    }

    // WAKE says whether the patient was awake: by the wide day and night
    // even while the summary uses the narrow periods (06:30 and 21:00 lie in
    // neither narrow period, and are asleep and awake), empty in a gap the
    // user's own periods leave; then the mean of the WAKE rows is the
    // summary's day mean with those periods.
    void wakeSaysWhetherThePatientWasAwake_data()
    {
        QTest::addColumn<bool>("narrow");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("night");
        QTest::addColumn<QStringList>("expected");
        const QStringList wide = {"0", "0", "1", "1", "1", "1", "0", "0"};
        QTest::newRow("wide") << false << "07:00-22:00" << "22:00-07:00" << wide;
        QTest::newRow("narrow in force") << true << "07:00-22:00" << "22:00-07:00" << wide;
        QTest::newRow("own with gaps") << false << "08:00-21:00" << "22:00-06:00"
                                       << QStringList{"0", "", "", "1", "", "", "0", "0"};
        QTest::newRow("own with gaps, narrow in force") << true << "08:00-21:00" << "22:00-06:00"
                                                        << QStringList{"0", "", "", "1", "", "", "0", "0"};
    }
    void wakeSaysWhetherThePatientWasAwake()
    {
        QFETCH(bool, narrow);
        QFETCH(QString, day);
        QFETCH(QString, night);
        QFETCH(QStringList, expected);
        std::vector<BpRow> rows;
        int sys = 110;
        for (QTime t : {QTime(3, 0), QTime(6, 30), QTime(7, 0), QTime(8, 0), QTime(21, 0), QTime(21, 59),
                        QTime(22, 0), QTime(23, 0)}) {
            BpRow r = sampleRow();
            r.time = t;
            r.sys = sys += 3;
            rows.push_back(r);
        }
        dataFileWith(rows);
        AbpmPeriodChoice choice;
        choice.own = {*ClockPeriod::fromText(day), *ClockPeriod::fromText(night)};
        choice.narrow = narrow;
        QVERIFY(AbpmSettings::store(choice));
        const QString csv = csvPath();
        ScriptedSeams seams;
        exportTo(seams, csv);
        QStringList wake;
        double awakeSum = 0;
        int awake = 0;
        for (const QStringList& row : parsedCsv(csv).mid(1)) {
            wake << row.value(7);
            if (row.value(7) == QLatin1String("1")) {
                awakeSum += row.value(3).toDouble();
                ++awake;
            }
        }
        QCOMPARE(wake, expected);
        // The awake mean from the CSV is the one the own periods give.
        double daySum = 0;
        int dayCount = 0;
        for (const BpRow& r : rows)
            if (choice.own.day.contains(r.time)) {
                daySum += *r.sys;
                ++dayCount;
            }
        QCOMPARE(awake, dayCount);
        QCOMPARE(awakeSum / awake, daySum / dayCount);
    }

    // The patient's number is the subject, quoted when it must be; the
    // diary's periods decide WAKE.
    void subjectAndWakeFromTheDetails_data()
    {
        QTest::addColumn<QString>("number");
        QTest::newRow("plain") << QStringLiteral("4711");
        QTest::newRow("comma and quote") << QStringLiteral("A,\"7\"");
        QTest::newRow("umlaut") << QStringLiteral("Ä-0001");
        QTest::newRow("line break") << QStringLiteral("a\r\nb");
    }
    void subjectAndWakeFromTheDetails()
    {
        QFETCH(QString, number);
        std::vector<BpRow> rows;
        for (QTime t : {QTime(0, 30), QTime(5, 59), QTime(6, 0), QTime(22, 59), QTime(23, 0)}) {
            BpRow r = sampleRow();
            r.time = t;
            rows.push_back(r);
        }
        const QString data = dataFileWith(rows);
        RecordingDetails d;
        d.patientNumber = number;
        d.bedtime = QTime(23, 0);
        d.wakeUp = QTime(6, 0);
        {
            Connection c;
            QVERIFY(c.openFile(data));
            QVERIFY(RecordingDetailsStore::write(c, d));
        }
        const QString csv = csvPath();
        ScriptedSeams seams;
        exportTo(seams, csv);
        const QList<QStringList> parsed = parsedCsv(csv);
        QCOMPARE(parsed.size(), 6);
        QStringList wake;
        for (const QStringList& row : parsed.mid(1)) {
            QCOMPARE(row.value(0), number);
            wake << row.value(7);
        }
        QCOMPARE(wake, QStringList({"0", "0", "1", "1", "0"}));
        QCOMPARE(AbpmCsv::subjectOf(QString(), QStringLiteral("/x/Mrs. Doe.2025.amb")), QStringLiteral("Mrs. Doe.2025"));
    }

    void asksBeforeReplacingAFile()
    {
        dataFileWith({sampleRow()});
        const QString csv = csvPath();
        QFile old(csv);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();

        ScriptedSeams seams;
        seams.answers = {MsgAnswer::No};
        exportTo(seams, csv);
        QCOMPARE(seams.messages.size(), size_t(1));
        QCOMPARE(seams.messages[0].text, "File  " + csv + "  Exists ! , OverWrite ?");
        QCOMPARE(seams.messages[0].buttons, MsgButtons::YesNo);
        QCOMPARE(fileBytes(csv), QByteArray("old"));

        seams.answers = {MsgAnswer::Yes};
        exportTo(seams, csv);
        QVERIFY(fileBytes(csv).startsWith("ID,NR,DATE_TIME,"));
        QCOMPARE(parsedCsv(csv).size(), 2);
        // Nothing is left beside it.
        const QString name = QFileInfo(csv).fileName();
        QCOMPARE(QDir(m_dir.path()).entryList({name + "*"}, QDir::Files | QDir::Hidden), QStringList{name});
    }

    void neverReplacesADatabaseOrAFolder()
    {
        const QString data = dataFileWith({sampleRow()});
        const QByteArray before = fileBytes(data);
        const QString other = makeDataFile(m_dir.filePath("other.amb"), EditionId::English);
        const QString folder = m_dir.filePath("folder.csv");
        QVERIFY(QDir().mkdir(folder));
        for (const QString& target : {data, other, folder}) {
            ScriptedSeams seams;
            exportTo(seams, target);
            QCOMPARE(seams.messages.size(), size_t(1)); // no question, the refusal
            QCOMPARE(seams.messages[0].icon, MsgIcon::Information);
            QVERIFY2(seams.messages[0].text.startsWith("File  " + target + "  Can not Save ! , "),
                     qPrintable(seams.messages[0].text));
        }
        QCOMPARE(fileBytes(data), before);
        QVERIFY(QFileInfo(folder).isDir());
    }

    void aFailedWriteLeavesTheOldFile()
    {
        KORVANE_UNPRIVILEGED_WHEN_ROOT();
        dataFileWith({sampleRow()});
        const QString locked = m_dir.filePath("locked");
        QVERIFY(QDir().mkdir(locked));
        const QString csv = locked + "/out.csv";
        QFile old(csv);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        ScriptedSeams seams;
        seams.answers = {MsgAnswer::Yes};
        exportTo(seams, csv);
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(seams.messages.size(), size_t(2));
        QCOMPARE(seams.messages[1].text, "File  " + csv + "  Can not Save ! , File Can not Be Written");
        QCOMPARE(fileBytes(csv), QByteArray("old"));
        QCOMPARE(QDir(locked).entryList(QDir::Files | QDir::Hidden), QStringList{"out.csv"});
    }

private:
    static BpRow sampleRow()
    {
        BpRow r;
        r.sys = 120;
        r.dia = 80;
        r.map = 280.0 / 3;
        r.pulse = 70;
        return r;
    }
};

QTEST_GUILESS_MAIN(TestAbpmCsv)
#include "test_abpmcsv.moc"
