// Classification and statistic of the shared record set, and the number text.
#include "data/DataTestSupport.h"
#include "data/BpClassification.h"
#include "data/NumberText.h"
#include "state/StateNotifier.h"

#include <QtTest>

Q_DECLARE_METATYPE(std::vector<BpSample>)
Q_DECLARE_METATYPE(std::vector<BpClass>)
Q_DECLARE_METATYPE(BpStatistics)

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
        QCOMPARE(bpClassAt(1), QString("Normal"));
        QCOMPARE(rs->absolutePosition(), 1);
    }

    void twoRecordsMeanAbsoluteDeviation()
    {
        auto rs = open({{150, 85, 106, 60}, {170, 100, 123.5, 90}});
        rs->moveLast();
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(bpClassAt(1), QString("Borderline"));
        QCOMPARE(bpClassAt(2), QString("Hypertension"));
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
        QCOMPARE(bpClassAt(1), english);
        resetAll();
        Edition::select(EditionId::German);
        open({{sys, dia, (sys + 2 * dia) / 3, 70}});
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(bpClassAt(1), german);
    }

    void shorterFileKeepsLaterClassesOfTheLongerOne()
    {
        open({{170, 80}, {150, 80}, {85, 60}, {120, 80}});
        QVERIFY(UpdateBpStatistics());
        open({{120, 80}});
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpStats.count, 1);
        QCOMPARE(bpClassAt(1), QString("Normal"));
        QCOMPARE(bpClassAt(2), QString("Borderline"));
        QCOMPARE(bpClassAt(3), QString("Hypotension"));
        QCOMPARE(bpClassAt(4), QString("Normal"));
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
        QCOMPARE(bpClassAt(2), QString("Normal"));
        QCOMPARE(bpClassAt(3), QString()); // no systolic: the class cannot be told
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
        QCOMPARE(bpClassAt(1), QString("Hypertension"));
    }

    void moreThanAThousandRecordsAreAllClassified()
    {
        std::vector<BpRow> rows(1500, BpRow{120, 80, 93, 70});
        rows[1200] = BpRow{170, 80, 110, 70};
        open(rows);
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(gBpStats.count, 1500);
        QCOMPARE(bpClassAt(1201), QString("Hypertension"));
        QCOMPARE(bpClassAt(1500), QString("Normal"));
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
        QCOMPARE(bpClassAt(2), QString("Hypertension"));
    }

    void closedRecordsetIsAFailureForTheCaller()
    {
        auto rs = open({{120, 80, 93, 70}});
        rs->close();
        QString why;
        QVERIFY(!UpdateBpStatistics(&why));
        QVERIFY(!why.isEmpty());
    }

    // The computation itself, without a file.
    void computedStatistic_data()
    {
        QTest::addColumn<std::vector<BpSample>>("records");
        QTest::addColumn<BpStatistics>("expected");
        QTest::addColumn<std::vector<BpClass>>("classes");
        BpStatistics one;
        one.count = 1;
        one.sysAverage = one.sysMaximum = one.sysMinimum = 120;
        one.diaAverage = one.diaMaximum = one.diaMinimum = 80;
        one.mapAverage = one.mapMaximum = one.mapMinimum = 93;
        one.pulseAverage = one.pulseMaximum = one.pulseMinimum = 70;
        QTest::newRow("one") << std::vector<BpSample>{{120, 80, 93, 70}} << one
                             << std::vector<BpClass>{BpClass::Normal};
        BpStatistics two;
        two.count = 2;
        two.sysAverage = 160, two.sysDeviation = 10, two.sysMaximum = 170, two.sysMinimum = 150;
        two.diaAverage = 92.5, two.diaDeviation = 7.5, two.diaMaximum = 100, two.diaMinimum = 85;
        two.mapAverage = 114.75, two.mapDeviation = 8.75, two.mapMaximum = 124, two.mapMinimum = 106;
        two.pulseAverage = 75, two.pulseDeviation = 15, two.pulseMaximum = 90, two.pulseMinimum = 60;
        QTest::newRow("two, halves to even")
            << std::vector<BpSample>{{150, 85, 106, 60}, {170, 100, 123.5, 90}} << two
            << std::vector<BpClass>{BpClass::Borderline, BpClass::Hypertension};
        BpStatistics high;
        high.count = 1;
        high.sysAverage = high.sysMaximum = 310;
        high.sysMinimum = 300; // nothing is below the starting value
        high.diaAverage = high.diaMaximum = high.diaMinimum = 80;
        high.mapAverage = high.mapMaximum = high.mapMinimum = 156;
        high.pulseAverage = high.pulseMaximum = high.pulseMinimum = 70;
        QTest::newRow("above 300") << std::vector<BpSample>{{310, 80, 156, 70}} << high
                                   << std::vector<BpClass>{BpClass::Hypertension};
        BpStatistics gap;
        gap.count = 2;
        gap.sysAverage = gap.sysMaximum = gap.sysMinimum = 120;
        gap.diaAverage = 75, gap.diaDeviation = 5, gap.diaMaximum = 80, gap.diaMinimum = 70;
        gap.mapAverage = gap.mapMaximum = gap.mapMinimum = 93;
        gap.pulseAverage = gap.pulseMaximum = gap.pulseMinimum = 70;
        QTest::newRow("empty values left out")
            << std::vector<BpSample>{{120, 80, 93, std::nullopt}, {std::nullopt, 70, std::nullopt, 70}}
            << gap << std::vector<BpClass>{BpClass::Normal, BpClass::Unknown};
        QTest::newRow("none") << std::vector<BpSample>{} << BpStatistics() << std::vector<BpClass>{};
    }
    void computedStatistic()
    {
        QFETCH(std::vector<BpSample>, records);
        QFETCH(BpStatistics, expected);
        QFETCH(std::vector<BpClass>, classes);
        const BpStatisticsResult r = computeBpStatistics(records);
        const BpStatistics& s = r.stats;
        QCOMPARE(s.count, expected.count);
        const double got[] = {s.sysAverage, s.diaAverage, s.mapAverage, s.pulseAverage,
                              s.sysDeviation, s.diaDeviation, s.mapDeviation, s.pulseDeviation};
        const double want[] = {expected.sysAverage, expected.diaAverage, expected.mapAverage,
                               expected.pulseAverage, expected.sysDeviation, expected.diaDeviation,
                               expected.mapDeviation, expected.pulseDeviation};
        for (int i = 0; i < 8; ++i)
            QVERIFY2(qFuzzyCompare(1 + got[i], 1 + want[i]), qPrintable(QString::number(i)));
        const qint64 gotExtremes[] = {s.sysMaximum, s.diaMaximum, s.mapMaximum, s.pulseMaximum,
                                      s.sysMinimum, s.diaMinimum, s.mapMinimum, s.pulseMinimum};
        const qint64 wantExtremes[] = {expected.sysMaximum, expected.diaMaximum, expected.mapMaximum,
                                       expected.pulseMaximum, expected.sysMinimum, expected.diaMinimum,
                                       expected.mapMinimum, expected.pulseMinimum};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(gotExtremes[i], wantExtremes[i]);
        QVERIFY(r.classes == classes);
    }

    void classBoundaries_data()
    {
        QTest::addColumn<double>("sys");
        QTest::addColumn<double>("dia");
        QTest::addColumn<BpClass>("expected");
        const struct { double sys, dia; BpClass c; } table[] = {
            {161, 70, BpClass::Hypertension}, {120, 96, BpClass::Hypertension},
            {160, 95, BpClass::Borderline},   {141, 70, BpClass::Borderline},
            {120, 91, BpClass::Borderline},   {140, 90, BpClass::Normal},
            {90, 60, BpClass::Normal},        {89, 60, BpClass::Hypotension},
            {85, 92, BpClass::Borderline},    {85, 100, BpClass::Hypertension},
        };
        for (const auto& row : table)
            QTest::addRow("%g/%g", row.sys, row.dia) << row.sys << row.dia << row.c;
    }
    void classBoundaries()
    {
        QFETCH(double, sys);
        QFETCH(double, dia);
        QFETCH(BpClass, expected);
        QCOMPARE(classifyBp(sys, dia), expected);
        // The class word comes from the catalogue only when shown.
        const BpStatisticsResult r = computeBpStatistics(std::vector<BpSample>{{sys, dia, 0, 0}});
        QCOMPARE(r.classes.front(), expected);
    }

    void publishingTellsTheNotifier()
    {
        open({{120, 80, 93, 70}});
        QSignalSpy spy(&StateNotifier::instance(), &StateNotifier::statisticsChanged);
        QVERIFY(UpdateBpStatistics());
        QCOMPARE(spy.count(), 1);
        open({});
        QVERIFY(UpdateBpStatistics()); // an empty set changes nothing
        QCOMPARE(spy.count(), 1);
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
