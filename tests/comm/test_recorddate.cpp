// The date a received month and day get when they are stored: the save
// date's year, the year before for days that lie ahead, none for days that
// do not exist.
#include "comm/SaveRecords.h"
#include "data/DataTestSupport.h"

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
