// Classification and statistic of the shared record set, and the number text.
#include "data/DataTestSupport.h"
#include "data/BpClassification.h"
#include "data/NumberText.h"

#include <QtTest>

class TestBpStatistics : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_files = 0;

    // A file of the current edition holding rows, opened as gRecordset.
    std::shared_ptr<Recordset> open(const std::vector<BpRow>& rows)
    {
        const EditionId e = Edition::current().id();
        const QString path = makeDataFile(m_dir.filePath(QStringLiteral("s%1.amb").arg(++m_files)), e);
        insertRows(path, e, rows);
        return openRecords(path);
    }

private slots:
    void init()
    {
        Edition::select(EditionId::English);
        resetAll();
    }
    void cleanup() { resetAll(); }

    void startValuesAreZero()
    {
        QCOMPARE(gBpStats.count, 0);
        QCOMPARE(gBpStats.sysMinimum, 0);
        QCOMPARE(gBpStats.pulseMaximum, 0);
        QVERIFY(gBpClass.size() >= 1001);
    }

    void oneRecord()
    {
        auto rs = open({{120, 80, 93, 70}});
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpStats.count, 1);
        QCOMPARE(gBpStats.sysAverage, 120.0);
        QCOMPARE(gBpStats.diaAverage, 80.0);
        QCOMPARE(gBpStats.mapAverage, 93.0);
        QCOMPARE(gBpStats.pulseAverage, 70.0);
        QCOMPARE(gBpStats.sysDeviation, 0.0);
        QCOMPARE(gBpStats.pulseDeviation, 0.0);
        QCOMPARE(gBpStats.sysMaximum, 120);
        QCOMPARE(gBpStats.sysMinimum, 120);
        QCOMPARE(gBpStats.mapMaximum, 93);
        QCOMPARE(gBpStats.pulseMinimum, 70);
        QCOMPARE(gBpClass[1], QString("Normal"));
        QCOMPARE(rs->absolutePosition(), 1);
    }

    void twoRecordsMeanAbsoluteDeviation()
    {
        auto rs = open({{150, 85, 106, 60}, {170, 100, 123.5, 90}});
        rs->moveLast();
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpClass[1], QString("Borderline"));
        QCOMPARE(gBpClass[2], QString("Hypertension"));
        QCOMPARE(gBpStats.sysAverage, 160.0);
        QCOMPARE(gBpStats.sysDeviation, 10.0);
        QCOMPARE(gBpStats.diaDeviation, 7.5); // not the root-mean-square form (also 7.5 here)
        QCOMPARE(gBpStats.pulseDeviation, 15.0);
        QCOMPARE(rs->absolutePosition(), 1); // first record current afterwards
    }

    void deviationIsMeanAbsoluteNotRootMeanSquare()
    {
        open({{100}, {100}, {130}});
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpStats.sysAverage, 110.0);
        QCOMPARE(gBpStats.sysDeviation, 40.0 / 3.0); // RMS would be 14.142...
    }

    void extremesRoundHalvesToEven()
    {
        open({{120, 80, 92.5, 70}, {121, 81, 93.5, 71}});
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpStats.mapMinimum, 92);
        QCOMPARE(gBpStats.mapMaximum, 94);
        open({{120, 80, 94.5, 70}});
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpStats.mapMinimum, 94);
        QCOMPARE(gBpStats.mapMaximum, 94);
    }

    void systolicAbove300LeavesMinimumAt300()
    {
        open({{310, 100, 170, 80}, {305, 98, 167, 82}});
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpStats.sysMinimum, 300);
        QCOMPARE(gBpStats.sysMaximum, 310);
        QCOMPARE(gBpStats.diaMinimum, 98);
    }

    void boundaryTable_data()
    {
        QTest::addColumn<double>("sys");
        QTest::addColumn<double>("dia");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        QTest::newRow("161/70") << 161.0 << 70.0 << "Hypertension" << "Hypertonie";
        QTest::newRow("120/96") << 120.0 << 96.0 << "Hypertension" << "Hypertonie";
        QTest::newRow("160/95") << 160.0 << 95.0 << "Borderline" << "Grenzlinie";
        QTest::newRow("141/70") << 141.0 << 70.0 << "Borderline" << "Grenzlinie";
        QTest::newRow("120/91") << 120.0 << 91.0 << "Borderline" << "Grenzlinie";
        QTest::newRow("140/90") << 140.0 << 90.0 << "Normal" << "Normal";
        QTest::newRow("90/60") << 90.0 << 60.0 << "Normal" << "Normal";
        QTest::newRow("89/60") << 89.0 << 60.0 << "Hypotension" << "Hypotonie";
        QTest::newRow("85/92") << 85.0 << 92.0 << "Borderline" << "Grenzlinie";
        QTest::newRow("85/100") << 85.0 << 100.0 << "Hypertension" << "Hypertonie";
        QTest::newRow("120/40 low diastolic alone") << 120.0 << 40.0 << "Normal" << "Normal";
    }
    void boundaryTable()
    {
        QFETCH(double, sys);
        QFETCH(double, dia);
        QFETCH(QString, english);
        QFETCH(QString, german);
        open({{sys, dia, (sys + 2 * dia) / 3, 70}});
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpClass[1], english);
        resetAll();
        Edition::select(EditionId::German);
        open({{sys, dia, (sys + 2 * dia) / 3, 70}});
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpClass[1], german);
    }

    void shorterFileKeepsLaterClassesOfTheLongerOne()
    {
        open({{170, 80}, {150, 80}, {85, 60}, {120, 80}});
        QVERIFY(UpdateBpStatistics());
        open({{120, 80}});
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpStats.count, 1);
        QCOMPARE(gBpClass[1], QString("Normal"));
        QCOMPARE(gBpClass[2], QString("Borderline"));
        QCOMPARE(gBpClass[3], QString("Hypotension"));
        QCOMPARE(gBpClass[4], QString("Normal"));
    }

    void emptyFileKeepsThePreviousResults()
    {
        open({{150, 85, 106, 60}, {170, 100, 123, 90}});
        QVERIFY(UpdateBpStatistics());
        const BpStatistics before = gBpStats;
        auto rs = open({});
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpStats.count, before.count);
        QCOMPARE(gBpStats.sysAverage, before.sysAverage);
        QCOMPARE(gBpStats.pulseDeviation, before.pulseDeviation);
        QVERIFY(rs->bof() && rs->eof());
    }

    void emptyValuesAreLeftOutOfTheirQuantity()
    {
        // Sums and counts per quantity: the empty pulse is not a zero.
        open({{120, 80, 93, 60}, {140, 90, 106, std::nullopt}, {std::nullopt, 70, 80, 80}});
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpStats.count, 3);
        QCOMPARE(gBpStats.pulseAverage, 70.0);
        QCOMPARE(gBpStats.pulseDeviation, 10.0);
        QCOMPARE(gBpStats.pulseMinimum, 60);
        QCOMPARE(gBpStats.sysAverage, 130.0);
        QCOMPARE(gBpStats.diaAverage, 80.0);
        QCOMPARE(gBpClass[2], QString("Normal"));
        QCOMPARE(gBpClass[3], QString()); // no systolic: the class cannot be told
    }

    void missingValueStillProvesHypertension()
    {
        QCOMPARE(classifyBp(std::nullopt, 100.0), BpClass::Hypertension);
        QCOMPARE(classifyBp(170.0, std::nullopt), BpClass::Hypertension);
        QCOMPARE(classifyBp(85.0, std::nullopt), BpClass::Unknown);
    }

    void valuesBeyond16BitsDoNotOverflow()
    {
        open({{70000, 80, 1e10, -40000}, {120, 80, 93, 70}});
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpStats.sysMaximum, 70000);
        QCOMPARE(gBpStats.mapMaximum, qint64(10000000000));
        QCOMPARE(gBpStats.pulseMinimum, -40000);
        QCOMPARE(gBpClass[1], QString("Hypertension"));
    }

    void moreThanAThousandRecordsAreAllClassified()
    {
        std::vector<BpRow> rows(1500, BpRow{120, 80, 93, 70});
        rows[1200] = BpRow{170, 80, 110, 70};
        open(rows);
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpStats.count, 1500);
        QCOMPARE(gBpClass[1201], QString("Hypertension"));
        QCOMPARE(gBpClass[1500], QString("Normal"));
        QCOMPARE(bpClassAt(1501), QString());
        QCOMPARE(gBpStats.sysDeviation, 2.0 * 50 * 1499 / 1500 / 1500);
    }

    void pendingChangeIsSavedByTheWalk()
    {
        auto rs = open({{120, 80, 93, 70}, {130, 85, 100, 72}});
        rs->moveLast();
        rs->setValue("SYS_mmHg", 200);
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpStats.sysMaximum, 200);
        QCOMPARE(rs->editMode(), int(Recordset::EditNone));
        QCOMPARE(gBpClass[2], QString("Hypertension"));
    }

    void closedRecordsetIsAFailureForTheCaller()
    {
        auto rs = open({{120, 80, 93, 70}});
        rs->close();
        QString why;
        QVERIFY(!UpdateBpStatistics(&why));
        QVERIFY(!why.isEmpty());
    }

    void numberText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 120.0 << " 120";
        QTest::newRow("half") << 132.5 << " 132.5";
        QTest::newRow("quarter") << 0.25 << " .25";
        QTest::newRow("third") << 1.0 / 3.0 << " .333333333333333";
        QTest::newRow("negative") << -4.0 << "-4";
        QTest::newRow("negative fraction") << -0.5 << "-.5";
        QTest::newRow("zero") << 0.0 << " 0";
        QTest::newRow("mean") << 280.0 / 3.0 << " 93.3333333333333";
        QTest::newRow("large") << 1e15 << " 1E+15";
        QTest::newRow("small") << 0.00001 << " 1E-05";
    }
    void numberText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(::numberText(value), text);
    }

    void numberTextIgnoresRegionalSettings()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(::numberText(1234.5), QString(" 1234.5"));
        QCOMPARE(::numberText(QVariant(qlonglong(12))), QString(" 12"));
        QCOMPARE(::numberText(QVariant()), QString());
        QLocale::setDefault(before);
    }
};

QTEST_GUILESS_MAIN(TestBpStatistics)
#include "test_bpstatistics.moc"
