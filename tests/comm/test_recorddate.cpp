// The date a received month and day get when they are stored: with the
// recording's start, the first such date from the start on; without it the
// save date's year, the year before for days that lie ahead; none for days
// that do not exist. The first store into a file without a start sets it.
#include "comm/SaveRecords.h"
#include "data/DataTestSupport.h"
#include "data/RecordingDetailsStore.h"
#include "support/ScriptedSeams.h"

#include <QtTest>

class TestRecordDate : public QObject {
    Q_OBJECT
private slots:
    void dateOfAReceivedRecord_data()
    {
        QTest::addColumn<QDate>("saved");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QDate>("expected"); // invalid: not stored

        const QDate none;
        QTest::newRow("same day") << QDate(2025, 6, 1) << 6 << 1 << QDate(2025, 6, 1);
        QTest::newRow("one day ahead") << QDate(2025, 6, 1) << 6 << 2 << QDate(2025, 6, 2);
        QTest::newRow("two days ahead") << QDate(2025, 6, 1) << 6 << 3 << QDate(2024, 6, 3);
        QTest::newRow("new year's eve saved 2 Jan") << QDate(2025, 1, 2) << 12 << 31 << QDate(2024, 12, 31);
        QTest::newRow("1 Jan saved 31 Dec") << QDate(2024, 12, 31) << 1 << 1 << QDate(2024, 1, 1);
        QTest::newRow("31 Dec saved 31 Dec") << QDate(2024, 12, 31) << 12 << 31 << QDate(2024, 12, 31);
        QTest::newRow("29 Feb in a leap year") << QDate(2024, 3, 1) << 2 << 29 << QDate(2024, 2, 29);
        QTest::newRow("29 Feb outside a leap year") << QDate(2025, 3, 1) << 2 << 29 << none;
        QTest::newRow("29 Feb of last year, a leap year") << QDate(2025, 1, 2) << 2 << 29 << QDate(2024, 2, 29);
        QTest::newRow("29 Feb saved 28 Feb 2025") << QDate(2025, 2, 28) << 2 << 29 << none;
        QTest::newRow("31 April") << QDate(2025, 6, 1) << 4 << 31 << none;
        QTest::newRow("30 February") << QDate(2024, 6, 1) << 2 << 30 << none;
        QTest::newRow("month 13") << QDate(2025, 6, 1) << 13 << 1 << none;
        QTest::newRow("month 0") << QDate(2025, 6, 1) << 0 << 1 << none;
        QTest::newRow("day 32") << QDate(2025, 6, 1) << 1 << 32 << none;
        QTest::newRow("day 0") << QDate(2025, 6, 1) << 1 << 0 << none;
        QTest::newRow("byte 255") << QDate(2025, 6, 1) << 255 << 255 << none;
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

    void dateFromTheRecordingStart_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QDate>("expected"); // invalid: not stored
        const QDate start(2025, 12, 30);
        QTest::newRow("start day") << start << 12 << 30 << QDate(2025, 12, 30);
        QTest::newRow("new year's eve") << start << 12 << 31 << QDate(2025, 12, 31);
        QTest::newRow("new year's day") << start << 1 << 1 << QDate(2026, 1, 1);
        QTest::newRow("day before the start") << start << 12 << 29 << QDate(2025, 12, 29);
        QTest::newRow("two days before is next year") << start << 12 << 28 << QDate(2026, 12, 28);
        QTest::newRow("29 Feb from 2024-02-28") << QDate(2024, 2, 28) << 2 << 29 << QDate(2024, 2, 29);
        QTest::newRow("29 Feb from 2025-02-28") << QDate(2025, 2, 28) << 2 << 29 << QDate();
        QTest::newRow("1 Mar from 2024-02-28") << QDate(2024, 2, 28) << 3 << 1 << QDate(2024, 3, 1);
        QTest::newRow("31 April") << start << 4 << 31 << QDate();
        QTest::newRow("month 13") << start << 13 << 1 << QDate();
        QTest::newRow("day 0") << start << 1 << 0 << QDate();
    }
    void dateFromTheRecordingStart()
    {
        QFETCH(QDate, start);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QDate, expected);
        const std::optional<QDate> date = recordDateFromStart(month, day, start);
        QCOMPARE(date.has_value(), expected.isValid());
        if (date)
            QCOMPARE(*date, expected);
    }

    // A recording from 30 December to 1 January, stored on 2 January, on
    // 30 January and a year later: the start puts every reading in its year.
    // Without a start the save date's rule holds, and the first store sets
    // the start from its earliest reading.
    void storingAcrossNewYear_data()
    {
        QTest::addColumn<QDate>("saved");
        QTest::addColumn<bool>("withStart");
        QTest::addColumn<int>("yearOfDecember"); // the year the 30 Dec readings get
        QTest::newRow("2 Jan, start") << QDate(2026, 1, 2) << true << 2025;
        QTest::newRow("30 Jan, start") << QDate(2026, 1, 30) << true << 2025;
        QTest::newRow("a year later, start") << QDate(2027, 1, 20) << true << 2025;
        QTest::newRow("2 Jan, no start") << QDate(2026, 1, 2) << false << 2025;
        QTest::newRow("30 Jan, no start") << QDate(2026, 1, 30) << false << 2025;
        QTest::newRow("a year later, no start") << QDate(2027, 1, 20) << false << 2026;
    }
    void storingAcrossNewYear()
    {
        QFETCH(QDate, saved);
        QFETCH(bool, withStart);
        QFETCH(int, yearOfDecember);
        QTemporaryDir dir;
        Edition::select(EditionId::German);
        ScriptedSeams seams;
        seams.clock = QDateTime(saved, QTime(10, 0));
        const QString path = makeDataFile(dir.filePath(QStringLiteral("ny.amb")), EditionId::German);
        if (withStart) {
            RecordingDetails d;
            d.surname = QStringLiteral("Neujahr");
            d.recordingStart = QDateTime(QDate(2025, 12, 30), QTime(9, 0), Qt::UTC);
            Connection c;
            QVERIFY(c.openFile(path));
            QVERIFY(RecordingDetailsStore::write(c, d));
        }
        gDataFile = path;
        gFileReady = true;
        QList<BpRecord> run;
        for (int h = 0; h < 60; h += 2) { // 30 Dec 10:00 to 1 Jan 20:00
            const QDateTime t = QDateTime(QDate(2025, 12, 30), QTime(10, 0)).addSecs(qint64(h) * 3600);
            run.append({quint8(120 + h % 10), 80, 70, quint8(t.date().month()), quint8(t.date().day()),
                        quint8(t.time().hour()), 0});
        }
        const StoreOutcome outcome = SaveRecords(run);
        QVERIFY2(outcome.ok(), qPrintable(outcome.error));
        QCOMPARE(outcome.added, 30);
        const auto rs = gRecordset;
        const int dateColumn = rs->fieldIndex(AmbSchema::column(AmbSchema::Column::Date));
        for (qint64 row = 0; row < rs->recordCount(); ++row) {
            const QDate d = rs->valueAt(row, dateColumn).toDate();
            QCOMPARE(d.year(), d.month() == 12 ? yearOfDecember : yearOfDecember + 1);
        }
        const RecordingDetails details = *RecordingDetailsStore::read(*rs->connection());
        // A start given stays; a missing one is the earliest reading.
        QCOMPARE(details.recordingStart,
                 withStart ? QDateTime(QDate(2025, 12, 30), QTime(9, 0), Qt::UTC)
                           : QDateTime(QDate(yearOfDecember, 12, 30), QTime(10, 0), Qt::UTC));
        QCOMPARE(details.surname, withStart ? QStringLiteral("Neujahr") : QString());
        // A second run goes by the start the first one set, whatever the clock says.
        seams.clock = QDateTime(saved.addYears(1), QTime(10, 0));
        const StoreOutcome again = SaveRecords({BpRecord{150, 90, 70, 1, 1, 21, 0}});
        QCOMPARE(again.added, 1);
        bool found = false;
        for (qint64 row = 0; row < rs->recordCount(); ++row)
            found |= rs->valueAt(row, dateColumn).toDate() == QDate(yearOfDecember + 1, 1, 1)
                && rs->valueAt(row, rs->fieldIndex(QStringLiteral("SYS_mmHg"))).toInt() == 150;
        QVERIFY(found);
        resetAll();
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
        resetAll();
    }
};

QTEST_GUILESS_MAIN(TestRecordDate)
#include "test_recorddate.moc"
