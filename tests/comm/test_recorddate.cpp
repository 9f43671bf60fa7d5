// The date a received month and day get when they are stored: the latest
// date with that month and day not later than the day after storing,
// whatever the file's details say; none for days that do not exist in the
// year up to it. Storing
// writes the readings and nothing else: a file without details keeps the
// template's tables, given details stay as they were, and stored readings
// keep their dates when the file is used again.
#include "comm/SaveRecords.h"
#include "data/DataTestSupport.h"
#include "data/RecordingDetailsStore.h"
#include "support/ScriptedSeams.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

// The rule written out the long way for one save date: walk back a day at
// a time from the day after storing through the year up to it; the first
// day met of each month and day is its date.
QHash<int, QDate> latestDatesNotAfterTomorrow(const QDate& saved)
{
    QHash<int, QDate> dates;
    const QDate limit = saved.addDays(1);
    for (QDate d = limit; d > limit.addYears(-1); d = d.addDays(-1))
        if (!dates.contains(d.month() * 100 + d.day()))
            dates.insert(d.month() * 100 + d.day(), d);
    return dates;
}

BpRecord recordAt(const QDateTime& t, int systolic = 120)
{
    return BpRecord{quint8(systolic), 80, 70, quint8(t.date().month()), quint8(t.date().day()),
                    quint8(t.time().hour()), quint8(t.time().minute())};
}

// Every stored row's moment, in record order.
QList<QDateTime> storedMoments(const Recordset& rs)
{
    const int date = rs.fieldIndex(AmbSchema::column(AmbSchema::Column::Date));
    const int time = rs.fieldIndex(AmbSchema::column(AmbSchema::Column::Time));
    QList<QDateTime> moments;
    for (qint64 row = 0; row < rs.recordCount(); ++row)
        moments << QDateTime(rs.valueAt(row, date).toDate(), rs.valueAt(row, time).toTime(), Qt::UTC);
    return moments;
}

// The file's own list of tables.
QStringList masterRows(const QString& path)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-master"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("select type, name, tbl_name, sql from sqlite_master order by name"));
            while (q.next())
                rows << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                    q.value(3).toString()}
                            .join(QLatin1Char('|'));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test-master"));
    return rows;
}

// A recording from 28 December 2025 08:00 to 3 January 2026 20:00, every six hours.
QList<BpRecord> acrossNewYear()
{
    QList<BpRecord> run;
    for (QDateTime t(QDate(2025, 12, 28), QTime(8, 0), Qt::UTC); t <= QDateTime(QDate(2026, 1, 3), QTime(20, 0), Qt::UTC);
         t = t.addSecs(6 * 3600))
        run << recordAt(t, 110 + run.size());
    return run;
}

} // namespace

class TestRecordDate : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { resetAll(); }

    void dateOfAReceivedRecord_data()
    {
        QTest::addColumn<QDate>("saved");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QDate>("expected"); // invalid: not stored

        const QDate none;
        QTest::newRow("same day") << QDate(2025, 6, 1) << 6 << 1 << QDate(2025, 6, 1);
        QTest::newRow("clock a day ahead") << QDate(2025, 6, 1) << 6 << 2 << QDate(2025, 6, 2);
        QTest::newRow("two days ahead") << QDate(2025, 6, 1) << 6 << 3 << QDate(2024, 6, 3);
        QTest::newRow("new year's eve saved 2 Jan") << QDate(2025, 1, 2) << 12 << 31 << QDate(2024, 12, 31);
        QTest::newRow("1 Jan saved 31 Dec: clock a day ahead") << QDate(2024, 12, 31) << 1 << 1 << QDate(2025, 1, 1);
        QTest::newRow("2 Jan saved 31 Dec") << QDate(2024, 12, 31) << 1 << 2 << QDate(2024, 1, 2);
        QTest::newRow("31 Dec saved 31 Dec") << QDate(2024, 12, 31) << 12 << 31 << QDate(2024, 12, 31);
        QTest::newRow("29 Feb in a leap year") << QDate(2024, 3, 1) << 2 << 29 << QDate(2024, 2, 29);
        QTest::newRow("29 Feb saved 28 Feb 2024: clock a day ahead") << QDate(2024, 2, 28) << 2 << 29 << QDate(2024, 2, 29);
        QTest::newRow("1 Mar saved 28 Feb 2024") << QDate(2024, 2, 28) << 3 << 1 << QDate(2023, 3, 1);
        QTest::newRow("1 Mar saved 29 Feb 2024") << QDate(2024, 2, 29) << 3 << 1 << QDate(2024, 3, 1);
        QTest::newRow("29 Feb saved 2 Jan 2025: last year's") << QDate(2025, 1, 2) << 2 << 29 << QDate(2024, 2, 29);
        QTest::newRow("29 Feb saved 27 Feb 2025: last year's") << QDate(2025, 2, 27) << 2 << 29 << QDate(2024, 2, 29);
        QTest::newRow("29 Feb saved 28 Feb 2025: over a year") << QDate(2025, 2, 28) << 2 << 29 << none;
        QTest::newRow("29 Feb saved 1 Mar 2025: over a year") << QDate(2025, 3, 1) << 2 << 29 << none;
        QTest::newRow("29 Feb saved 2026") << QDate(2026, 3, 1) << 2 << 29 << none;
        QTest::newRow("29 Feb saved 28 Feb 2028") << QDate(2028, 2, 28) << 2 << 29 << QDate(2028, 2, 29);
        QTest::newRow("31 April") << QDate(2025, 6, 1) << 4 << 31 << none;
        QTest::newRow("30 February") << QDate(2024, 6, 1) << 2 << 30 << none;
        QTest::newRow("month 13") << QDate(2025, 6, 1) << 13 << 1 << none;
        QTest::newRow("month 0") << QDate(2025, 6, 1) << 0 << 1 << none;
        QTest::newRow("day 32") << QDate(2025, 6, 1) << 1 << 32 << none;
        QTest::newRow("day 0") << QDate(2025, 6, 1) << 1 << 0 << none;
        QTest::newRow("byte 255") << QDate(2025, 6, 1) << 255 << 255 << none;
        QTest::newRow("no save date") << QDate() << 6 << 1 << none;
    }

    void dateOfAReceivedRecord()
    {
        QFETCH(QDate, saved);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QDate, expected);
        const std::optional<QDate> date = recordDate(month, day, saved);
        QCOMPARE(date.has_value(), expected.isValid());
        if (date)
            QCOMPARE(*date, expected);
    }

    // Every month and day stored on every day of six years (two leap days
    // among them) against the rule walked out day by day.
    void everyDayOfSixYearsFollowsTheRule()
    {
        int compared = 0;
        for (QDate saved(2023, 1, 1); saved <= QDate(2028, 12, 31); saved = saved.addDays(1)) {
            const QHash<int, QDate> dates = latestDatesNotAfterTomorrow(saved);
            for (int month = 1; month <= 12; ++month)
                for (int day = 1; day <= 31; ++day) {
                    const std::optional<QDate> got = recordDate(month, day, saved);
                    const auto found = dates.constFind(month * 100 + day);
                    const std::optional<QDate> want =
                        found == dates.constEnd() ? std::nullopt : std::optional<QDate>(*found);
                    if (got != want)
                        QFAIL(qPrintable(QStringLiteral("%1/%2 saved %3: %4 instead of %5")
                                             .arg(month)
                                             .arg(day)
                                             .arg(saved.toString(Qt::ISODate),
                                                  got ? got->toString(Qt::ISODate) : QStringLiteral("none"),
                                                  want ? want->toString(Qt::ISODate) : QStringLiteral("none"))));
                    ++compared;
                }
        }
        QCOMPARE(compared, 2192 * 372);
    }

    // A recording from 28 December to 3 January stored on every day from
    // 25 December to 10 January, into a file without details, one with a
    // patient and a start given, and one whose start was typed two days
    // late: the readings get the same dates in all three. A reading that
    // lies more than a day after the store day is last year's.
    void storingAcrossNewYear_data()
    {
        QTest::addColumn<QDate>("saved");
        QTest::addColumn<QDateTime>("start"); // invalid: no details
        const QDateTime onTime(QDate(2025, 12, 28), QTime(7, 45), Qt::UTC);
        const QDateTime late(QDate(2025, 12, 30), QTime(9, 0), Qt::UTC);
        for (QDate saved(2025, 12, 25); saved <= QDate(2026, 1, 10); saved = saved.addDays(1)) {
            const QByteArray day = saved.toString(Qt::ISODate).toLatin1();
            QTest::newRow(day + " no details") << saved << QDateTime();
            QTest::newRow(day + " start given") << saved << onTime;
            QTest::newRow(day + " start typed late") << saved << late;
        }
    }
    void storingAcrossNewYear()
    {
        QFETCH(QDate, saved);
        QFETCH(QDateTime, start);
        QTemporaryDir dir;
        for (EditionId edition : {EditionId::English, EditionId::German}) {
            Edition::select(edition);
            ScriptedSeams seams;
            seams.clock = QDateTime(saved, QTime(23, 50));
            const QString templatePath = makeDataFile(dir.filePath(QStringLiteral("template%1.amb").arg(int(edition))), edition);
            const QString path = makeDataFile(dir.filePath(QStringLiteral("ny%1.amb").arg(int(edition))), edition);
            RecordingDetails given;
            if (start.isValid()) {
                given.surname = QStringLiteral("Neujahr");
                given.patientNumber = QStringLiteral("1231");
                given.recordingStart = start;
                Connection c;
                QVERIFY(c.openFile(path));
                QVERIFY(RecordingDetailsStore::write(c, given));
            }
            gDataFile = path;
            gFileReady = true;
            const QList<BpRecord> run = acrossNewYear();
            const StoreOutcome outcome = SaveRecords(run);
            QVERIFY2(outcome.ok(), qPrintable(outcome.error));
            QCOMPARE(outcome.added, int(run.size()));

            // Stored last received first: compare as sets of moments.
            QList<QDateTime> expected;
            const QDate tomorrow = saved.addDays(1);
            for (QDateTime t(QDate(2025, 12, 28), QTime(8, 0), Qt::UTC); expected.size() < run.size();
                 t = t.addSecs(6 * 3600))
                expected << (t.date() <= tomorrow ? t : t.addYears(-1));
            QList<QDateTime> stored = storedMoments(*gRecordset);
            std::sort(stored.begin(), stored.end());
            std::sort(expected.begin(), expected.end());
            QCOMPARE(stored, expected);

            // Storing wrote the readings only: details given are as they were,
            // a file without them has the template's tables, byte for byte.
            const std::optional<RecordingDetails> after = RecordingDetailsStore::read(*gRecordset->connection());
            QVERIFY(after);
            QCOMPARE(*after, given);
            resetAll();
            if (!start.isValid()) {
                QCOMPARE(masterRows(path), masterRows(templatePath));
                QVERIFY(schemaText(templatePath).contains("ambpdata ("));
                QCOMPARE(schemaText(path), schemaText(templatePath));
            }
        }
    }

    // A file with details (a start in November 2025) gets another recording
    // in November 2026 with the same values at the same clock times: it is
    // dated 2026, so none of it counts as a duplicate of last year's rows,
    // and last year's rows keep their dates.
    void aFileUsedAgainAYearLater()
    {
        QTemporaryDir dir;
        Edition::select(EditionId::English);
        ScriptedSeams seams;
        const QString path = makeDataFile(dir.filePath(QStringLiteral("again.amb")), EditionId::English);
        RecordingDetails given;
        given.surname = QStringLiteral("Wieder");
        given.recordingStart = QDateTime(QDate(2025, 11, 10), QTime(9, 0), Qt::UTC);
        {
            Connection c;
            QVERIFY(c.openFile(path));
            QVERIFY(RecordingDetailsStore::write(c, given));
        }
        gDataFile = path;
        gFileReady = true;
        QList<BpRecord> day;
        for (int h = 0; h < 24; ++h)
            day << recordAt(QDateTime(QDate(2025, 11, 10), QTime(9, 0), Qt::UTC).addSecs(h * 3600), 120 + h);
        seams.clock = QDateTime(QDate(2025, 11, 11), QTime(10, 0));
        QCOMPARE(SaveRecords(day).added, 24);
        const QList<QDateTime> lastYear = storedMoments(*gRecordset);

        seams.clock = QDateTime(QDate(2026, 11, 12), QTime(10, 0));
        const StoreOutcome again = SaveRecords(day);
        QVERIFY2(again.ok(), qPrintable(again.error));
        QCOMPARE(again.added, 24);
        QCOMPARE(again.duplicates, 0);
        const QList<QDateTime> all = storedMoments(*gRecordset);
        QCOMPARE(all.size(), 48);
        QCOMPARE(all.mid(0, 24), lastYear); // never re-dated
        QList<QDateTime> thisYear = all.mid(24);
        QList<QDateTime> expected;
        for (const QDateTime& t : lastYear)
            expected << t.addYears(1);
        std::sort(thisYear.begin(), thisYear.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(thisYear, expected);
        // The same recording stored twice the same day is stored once.
        QCOMPARE(SaveRecords(day).duplicates, 24);
        QCOMPARE(*RecordingDetailsStore::read(*gRecordset->connection()), given);
    }

    // Leap days stored into a file, and a recorder whose clock runs a day
    // ahead of the computer's on New Year's Eve.
    void leapDaysAndAClockADayAhead()
    {
        QTemporaryDir dir;
        Edition::select(EditionId::German);
        ScriptedSeams seams;
        const QString path = makeDataFile(dir.filePath(QStringLiteral("leap.amb")), EditionId::German);
        gDataFile = path;
        gFileReady = true;
        seams.clock = QDateTime(QDate(2024, 3, 1), QTime(8, 0));
        QCOMPARE(SaveRecords({recordAt(QDateTime(QDate(2024, 2, 28), QTime(22, 0))),
                              recordAt(QDateTime(QDate(2024, 2, 29), QTime(8, 0))),
                              recordAt(QDateTime(QDate(2024, 3, 1), QTime(7, 30)))})
                     .added,
                 3);
        seams.clock = QDateTime(QDate(2024, 12, 31), QTime(23, 40));
        QCOMPARE(SaveRecords({recordAt(QDateTime(QDate(2024, 12, 31), QTime(23, 30)), 140),
                              recordAt(QDateTime(QDate(2025, 1, 1), QTime(0, 30)), 141)})
                     .added,
                 2);
        // In a year without 29 February the leap day is last year's while
        // that is less than a year ago, and none after.
        seams.clock = QDateTime(QDate(2025, 2, 27), QTime(8, 0));
        QCOMPARE(SaveRecords({recordAt(QDateTime(QDate(2024, 2, 29), QTime(9, 0)), 150)}).added, 1);
        seams.clock = QDateTime(QDate(2026, 3, 1), QTime(8, 0));
        const StoreOutcome old = SaveRecords({recordAt(QDateTime(QDate(2024, 2, 29), QTime(10, 0)), 151)});
        QCOMPARE(old.added, 0);
        QCOMPARE(old.outOfRange, 1);

        QList<QDateTime> stored = storedMoments(*gRecordset);
        std::sort(stored.begin(), stored.end());
        QCOMPARE(stored, (QList<QDateTime>{
                             QDateTime(QDate(2024, 2, 28), QTime(22, 0), Qt::UTC),
                             QDateTime(QDate(2024, 2, 29), QTime(8, 0), Qt::UTC),
                             QDateTime(QDate(2024, 2, 29), QTime(9, 0), Qt::UTC),
                             QDateTime(QDate(2024, 3, 1), QTime(7, 30), Qt::UTC),
                             QDateTime(QDate(2024, 12, 31), QTime(23, 30), Qt::UTC),
                             QDateTime(QDate(2025, 1, 1), QTime(0, 30), Qt::UTC),
                         }));
    }

    void timeOfAReceivedRecord()
    {
        QCOMPARE(recordTime(0, 0), std::optional<QTime>(QTime(0, 0)));
        QCOMPARE(recordTime(23, 59), std::optional<QTime>(QTime(23, 59, 0)));
        QVERIFY(!recordTime(24, 0));
        QVERIFY(!recordTime(12, 60));
    }

    // A reading is the same as a stored row only when the stored values are
    // the same: a stored 120.5 is not a received 120.
    void duplicatesCompareTheValuesAsStored()
    {
        QTemporaryDir dir;
        Edition::select(EditionId::English);
        const QString path = makeDataFile(dir.filePath(QStringLiteral("d.amb")), EditionId::English);
        BpRow stored{120.5, 80, 93.5, 70};
        stored.date = QDate(2025, 3, 7);
        stored.time = QTime(14, 5);
        BpRow same{121, 81, 94.3, 71};
        same.date = QDate(2025, 3, 7);
        same.time = QTime(14, 20);
        insertRows(path, EditionId::English, {stored, same});
        auto rs = openRecords(path);
        BpRecord r120{120, 80, 70, 3, 7, 14, 5};
        BpRecord r121{121, 81, 71, 3, 7, 14, 20};
        const StoreOutcome outcome = storeRecords({r120, r121}, *rs, QDate(2025, 6, 1));
        QVERIFY(outcome.ok());
        QCOMPARE(outcome.added, 1);
        QCOMPARE(outcome.duplicates, 1);
        QCOMPARE(rs->recordCount(), 3);
    }
};

QTEST_GUILESS_MAIN(TestRecordDate)
#include "test_recorddate.moc"
