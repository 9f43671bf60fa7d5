// What the chart windows read: the rows of a record window from the file,
// a record's position in the shared record set by its number, and the
// statistic computed again only when the shared record set changed.
#include "data/DataTestSupport.h"

#include "data/BpStatisticsReuse.h"
#include "data/ChartQuery.h"
#include "state/StateNotifier.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

std::vector<BpRow> rowsCounting(int count)
{
    std::vector<BpRow> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({120.0 + i, 80.0 + i, 95.0 + i, 60.0 + i});
    return rows;
}

} // namespace

class TestChartData : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_files = 0;

    QString fileWith(const std::vector<BpRow>& rows)
    {
        const EditionId e = Edition::current().id();
        const QString path = makeDataFile(m_dir.filePath(QStringLiteral("d%1.amb").arg(++m_files)), e);
        insertRows(path, e, rows);
        return path;
    }

    // Another program's change to the file.
    static void runOnFile(const QString& path, const QString& sql)
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(sql));
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
    }

private slots:
    void init() { resetAll(); }
    void cleanup()
    {
        resetAll();
        Edition::select(EditionId::English);
    }

    void rowsOfARecordWindow_data()
    {
        QTest::addColumn<EditionId>("edition");
        QTest::newRow("English") << EditionId::English;
        QTest::newRow("German") << EditionId::German;
    }

    void rowsOfARecordWindow()
    {
        QFETCH(EditionId, edition);
        Edition::select(edition);
        std::vector<BpRow> rows = rowsCounting(35);
        rows[31].dia = std::nullopt;
        rows[32].pulse = std::nullopt;
        const QString path = fileWith(rows);
        Connection connection;
        QVERIFY(connection.openFile(path));

        QString why;
        const auto first = ChartQuery::readRows(connection, 0, 30, &why);
        QVERIFY2(first, qPrintable(why));
        QCOMPARE(first->size(), size_t(30));
        QCOMPARE(first->front().id, std::optional<qint64>(1));
        QCOMPARE(first->front().sys, std::optional<double>(120));
        QCOMPARE(first->front().map, std::optional<double>(95));
        QCOMPARE(first->back().id, std::optional<qint64>(30));

        const auto last = ChartQuery::readRows(connection, 30, 30, &why);
        QVERIFY(last);
        QCOMPARE(last->size(), size_t(5));
        QCOMPARE(last->at(1).id, std::optional<qint64>(32));
        QVERIFY(!last->at(1).dia);
        QCOMPARE(last->at(1).sys, std::optional<double>(151));
        QVERIFY(!last->at(2).pulse);
        QVERIFY(ChartQuery::readRows(connection, 35, 30)->empty());
    }

    void aRecordsPositionByItsNumber()
    {
        const QString path = fileWith(rowsCounting(5));
        runOnFile(path, "delete from ambpdata where ID = 2");
        const auto rs = openRecords(path);
        QCOMPARE(ChartQuery::positionOfRecord(*rs, 1), 1);
        QCOMPARE(ChartQuery::positionOfRecord(*rs, 3), 2);
        QCOMPARE(ChartQuery::positionOfRecord(*rs, 5), 4);
        QCOMPARE(ChartQuery::positionOfRecord(*rs, 2), 0);
        QCOMPARE(ChartQuery::positionOfRecord(*rs, 6), 0);
    }

    void theStatisticIsReusedUntilTheRecordSetChanges()
    {
        const auto rs = openRecords(fileWith(rowsCounting(4)));
        QSignalSpy computed(&StateNotifier::instance(), &StateNotifier::statisticsChanged);
        QVERIFY(!bpStatisticsCurrent());
        QVERIFY(UpdateBpStatisticsIfChanged());
        QCOMPARE(computed.count(), 1);
        QCOMPARE(gBpStats.sysAverage, 121.5);
        QVERIFY(bpStatisticsCurrent());

        // Unchanged: reused, and the cursor still goes to the first record.
        QVERIFY(rs->setAbsolutePosition(3));
        QVERIFY(UpdateBpStatisticsIfChanged());
        QCOMPARE(computed.count(), 1);
        QCOMPARE(rs->absolutePosition(), 1);

        // A value written and saved.
        QVERIFY(rs->setAbsolutePosition(2));
        QVERIFY(rs->setValue(QStringLiteral("SYS_mmHg"), 161));
        QVERIFY(rs->update());
        QVERIFY(!bpStatisticsCurrent());
        QVERIFY(UpdateBpStatisticsIfChanged());
        QCOMPARE(computed.count(), 2);
        QCOMPARE(gBpStats.sysAverage, (120 + 161 + 122 + 123) / 4.0);
        QCOMPARE(bpClassAt(2), QString("Hypertension"));

        // A value still being edited is saved by going to the first record, and counted.
        QVERIFY(rs->setAbsolutePosition(4));
        QVERIFY(rs->setValue(QStringLiteral("SYS_mmHg"), 83));
        QVERIFY(UpdateBpStatisticsIfChanged());
        QCOMPARE(computed.count(), 3);
        QCOMPARE(gBpStats.sysMinimum, 83);
        QCOMPARE(rs->editMode(), int(Recordset::EditNone));

        // A row deleted, a requery.
        QVERIFY(rs->setAbsolutePosition(1));
        QVERIFY(rs->deleteRecord());
        QVERIFY(UpdateBpStatisticsIfChanged());
        QCOMPARE(computed.count(), 4);
        QCOMPARE(gBpStats.count, 3);
        QVERIFY(rs->requery());
        QVERIFY(!bpStatisticsCurrent());
        QVERIFY(UpdateBpStatisticsIfChanged());
        QCOMPARE(computed.count(), 5);
    }

    void anotherRecordSetIsComputedAfresh()
    {
        openRecords(fileWith(rowsCounting(4)));
        QVERIFY(UpdateBpStatisticsIfChanged());
        QCOMPARE(gBpStats.count, 4);
        // A cursor opens another file (or the same one afresh).
        openRecords(fileWith(rowsCounting(7)));
        QVERIFY(!bpStatisticsCurrent());
        QVERIFY(UpdateBpStatisticsIfChanged());
        QCOMPARE(gBpStats.count, 7);
        // Computed by someone else on the current set: current too.
        openRecords(fileWith(rowsCounting(2)));
        QVERIFY(UpdateBpStatistics());
        QVERIFY(bpStatisticsCurrent());
    }

    void aClosedRecordSetIsAFailure()
    {
        const auto rs = openRecords(fileWith(rowsCounting(3)));
        QVERIFY(UpdateBpStatisticsIfChanged());
        rs->close();
        QString why;
        QVERIFY(!UpdateBpStatisticsIfChanged(&why));
        QCOMPARE(why, QString("The record set is closed."));
    }
};

QTEST_MAIN(TestChartData)
#include "test_chartdata.moc"
