// The ABPM report's figures against an independent computation over
// generated recordings (the generator's own night rule, brute force over
// its rows): extremes with their moments, loads, the morning surge as Kario
// defined it; the drafted conclusion in both editions; the conclusion kept
// in the data file and read back, a file without it left unchanged.
#include "data/AbpmConclusion.h"
#include "data/AbpmRecording.h"
#include "data/DataTransaction.h"
#include "platform/Connection.h"
#include "text/Edition.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace abpmtest;

namespace {

// Generated readings with systolic values scattered, so that extremes and
// the lowest asleep reading fall anywhere.
Generated scattered(quint32 seed)
{
    Plan plan;
    plan.start = QDateTime(QDate(2024, 3, 7), QTime(12, 0), Qt::UTC);
    Generated g = generate(plan);
    QRandomGenerator random(seed);
    for (BpRow& r : g.rows) {
        r.sys = *r.sys + random.bounded(-12, 13);
        r.pulse = *r.pulse + random.bounded(-5, 6);
    }
    return g;
}

QDateTime momentOf(const BpRow& r)
{
    return QDateTime(r.date, r.time, Qt::UTC);
}

} // namespace

class TestAbpmReportFigures : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Edition::select(EditionId::English); }

    void extremesAndLoadsMatchBruteForce_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 42u, 1234u})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }
    void extremesAndLoadsMatchBruteForce()
    {
        QFETCH(quint32, seed);
        const Generated g = scattered(seed);
        const AbpmReportFigures f = computeAbpmReport(readingsOf(g.rows), AbpmPeriods::standard(), {}, {});
        for (int p = 0; p < 3; ++p) {
            const auto keep = [&](size_t i) { return p == 0 || (p == 1 ? !g.night[i] : g.night[i]); };
            double minSys = 1e9, maxSys = -1e9, minPulse = 1e9;
            QDateTime minAt, maxAt, minPulseAt;
            qint64 n = 0, above = 0;
            const int threshold = p == 0 ? 130 : p == 1 ? 135 : 120;
            for (size_t i = 0; i < g.rows.size(); ++i) {
                if (!keep(i))
                    continue;
                const BpRow& r = g.rows[i];
                ++n;
                above += *r.sys >= threshold;
                if (*r.sys < minSys) { minSys = *r.sys; minAt = momentOf(r); }
                if (*r.sys > maxSys) { maxSys = *r.sys; maxAt = momentOf(r); }
                if (*r.pulse < minPulse) { minPulse = *r.pulse; minPulseAt = momentOf(r); }
            }
            const AbpmReportPeriod& period = f.periods[size_t(p)];
            QCOMPARE(period.count, n);
            QCOMPARE(period.of(ReportQuantity::Sys).minimum->value, minSys);
            QCOMPARE(period.of(ReportQuantity::Sys).minimum->moment, minAt);
            QCOMPARE(period.of(ReportQuantity::Sys).maximum->value, maxSys);
            QCOMPARE(period.of(ReportQuantity::Sys).maximum->moment, maxAt);
            QCOMPARE(period.of(ReportQuantity::Pulse).minimum->moment, minPulseAt);
            // The load as shown: cut to one decimal.
            QCOMPARE(*period.sysLoad, double(above * 1000 / n) / 10.0);
            QCOMPARE(*period.of(ReportQuantity::Sys).mean, reference(g.rows, [](const BpRow& r) { return *r.sys; }, keep).mean);
        }
        QCOMPARE(f.profile.size(), g.rows.size());
    }

    void morningSurgeIsMorningMeanLessLowestThree_data() { extremesAndLoadsMatchBruteForce_data(); }
    void morningSurgeIsMorningMeanLessLowestThree()
    {
        QFETCH(quint32, seed);
        const Generated g = scattered(seed);
        // The generator's first night, its lowest reading and its neighbours in the night.
        size_t first = 0;
        while (!g.night[first])
            ++first;
        size_t end = first;
        while (end < g.rows.size() && g.night[end])
            ++end;
        size_t lowest = first;
        for (size_t i = first; i < end; ++i)
            if (*g.rows[i].sys < *g.rows[lowest].sys)
                lowest = i;
        double lowSum = 0;
        int lowCount = 0;
        for (size_t i = lowest == first ? first : lowest - 1; i <= lowest + 1 && i < end; ++i, ++lowCount)
            lowSum += *g.rows[i].sys;
        const QDateTime wake(g.rows[end - 1].date, QTime(7, 0), Qt::UTC);
        double morningSum = 0;
        int morningCount = 0;
        for (const BpRow& r : g.rows)
            if (momentOf(r) >= wake && momentOf(r) < wake.addSecs(7200)) {
                morningSum += *r.sys;
                ++morningCount;
            }
        QCOMPARE(morningCount, 8); // every 15 minutes from 07:00 to 08:45
        const AbpmReportFigures f = computeAbpmReport(readingsOf(g.rows), AbpmPeriods::standard(), {}, {});
        QVERIFY(f.morningSurge);
        QCOMPARE(f.morningSurge->wakeUp, wake);
        QVERIFY(std::abs(f.morningSurge->lowestMean - lowSum / lowCount) < 1e-9);
        QVERIFY(std::abs(f.morningSurge->surge - (morningSum / morningCount - lowSum / lowCount)) < 1e-9);
    }

    void morningSurgeFollowsTheDiaryAndNeedsAMorning()
    {
        const Generated g = scattered(3);
        RecordingDetails diary;
        diary.bedtime = QTime(23, 0);
        diary.wakeUp = QTime(6, 0);
        const AbpmReportFigures f = computeAbpmReport(readingsOf(g.rows), AbpmPeriods::standard(), diary, {});
        QVERIFY(f.morningSurge);
        QCOMPARE(f.morningSurge->wakeUp.time(), QTime(6, 0));
        // A recording that ends before waking has no surge.
        std::vector<BpRow> rows;
        for (const BpRow& r : g.rows)
            if (momentOf(r) < QDateTime(QDate(2024, 3, 8), QTime(6, 30), Qt::UTC))
                rows.push_back(r);
        QVERIFY(!computeAbpmReport(readingsOf(rows), AbpmPeriods::standard(), {}, {}).morningSurge);
        QVERIFY(!computeAbpmReport({}, AbpmPeriods::standard(), {}, {}).morningSurge);
    }

    void setAsideReadingsArePlottedApartAndLeftOut()
    {
        const Generated g = scattered(5);
        const std::vector<AbpmReading> readings = readingsOf(g.rows);
        SetAsideReadings marks{{3, {SetAsideReason::PatientMoved, {}}}, {20, {SetAsideReason::Other, QStringLiteral("x")}}};
        const AbpmReportFigures f = computeAbpmReport(readings, AbpmPeriods::standard(), {}, marks);
        QCOMPARE(f.setAside.size(), size_t(2));
        QCOMPARE(f.setAside[0].moment, readings[2].moment);
        QCOMPARE(f.profile.size(), readings.size() - 2);
        QCOMPARE(f.period(AbpmPeriodKind::Day24).count, qint64(readings.size() - 2));
    }

    void conclusionIsDraftedInTheEdition()
    {
        // Day 150/94, night lower by 5 %: 24-hour above, non-dipper.
        Plan plan;
        plan.daySys = 142;
        plan.dayDia = 88;
        plan.dipPercent = 5;
        const AbpmReportFigures f = computeAbpmReport(readingsOf(generate(plan).rows), AbpmPeriods::standard(), {}, {});
        const AbpmPeriodFigures& all = f.summary.period(AbpmPeriodKind::Day24);
        const double sys = *all.of(AbpmQuantity::Sys).weightedMean, dia = *all.of(AbpmQuantity::Dia).weightedMean;
        const auto one = [](double v, QChar point) {
            return QString::number(std::round(v * 10) / 10, 'f', 1).replace(QLatin1Char('.'), point);
        };
        const QString s = one(sys, u'.'), d = one(dia, u'.');
        QCOMPARE(draftConclusion(f),
                 QStringLiteral("24-hour mean (time-weighted) %1/%2 mmHg, systolic %1 at or above 130, diastolic %2 at or "
                                "above 80: ambulatory hypertension (ESH thresholds); systolic non-dipper, diastolic "
                                "non-dipper.")
                     .arg(s, d));
        Edition::select(EditionId::German);
        QCOMPARE(draftConclusion(f),
                 QStringLiteral("24-Stunden-Mittel (zeitgewichtet) %1/%2 mmHg, systolisch %1 auf oder über 130, "
                                "diastolisch %2 auf oder über 80: ambulante Hypertonie (Grenzwerte ESH); systolisch "
                                "Non-Dipper, diastolisch Non-Dipper.")
                     .arg(one(sys, u','), one(dia, u',')));

        // Below 130/80 over 24 hours, but high at night: the asleep mean is named; with an office pressure, its class.
        Edition::select(EditionId::English);
        plan.daySys = 124;
        plan.dayDia = 76;
        plan.dipPercent = -5;
        RecordingDetails office;
        office.officeSys = 150;
        office.officeDia = 95;
        const AbpmReportFigures night = computeAbpmReport(readingsOf(generate(plan).rows), AbpmPeriods::standard(), office, {});
        const QString text = draftConclusion(night);
        QVERIFY2(text.contains(QStringLiteral("below 130/80; asleep mean ")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral(" at or above 70: ambulatory hypertension (ESH thresholds); systolic reverse "
                                              "dipper, diastolic reverse dipper; sustained hypertension.")),
                 qPrintable(text));
        // Too short to be fit for diagnosis; nothing valid at all.
        plan.hours = 3;
        QVERIFY(draftConclusion(computeAbpmReport(readingsOf(generate(plan).rows), AbpmPeriods::standard(), {}, {}))
                    .endsWith(QStringLiteral("; the recording is not fit for diagnosis.")));
        QCOMPARE(draftConclusion(computeAbpmReport({}, AbpmPeriods::standard(), {}, {})),
                 QStringLiteral("No valid readings: no conclusion can be drawn."));
    }

    void conclusionIsKeptInTheDataFile()
    {
        QTemporaryDir folder;
        const QString path = makeDataFile(folder.filePath(QStringLiteral("c.amb")), EditionId::English);
        {
            Connection c;
            QVERIFY(c.openFile(path));
            QString why;
            const std::optional<AbpmConclusion> none = AbpmConclusionStore::read(c, &why);
            QVERIFY2(none, qPrintable(why));
            QCOMPARE(*none, AbpmConclusion{});
            QVERIFY(!*tableExists(c.database(), QLatin1String(AbpmConclusionStore::kTable), &why)); // reading made nothing
            const AbpmConclusion kept{QStringLiteral("Dipper.\nSecond line; \"quoted\" – ü"), QDate(2024, 3, 8),
                                      QStringLiteral("Dr. Weber")};
            QVERIFY2(AbpmConclusionStore::write(c, kept, &why), qPrintable(why));
            QVERIFY(AbpmConclusionStore::write(c, {QStringLiteral("Edited."), QDate(2024, 3, 9), QString()}, &why));
        }
        Connection again;
        QVERIFY(again.openFile(path));
        const std::optional<AbpmConclusion> read = AbpmConclusionStore::read(again);
        QVERIFY(read);
        QCOMPARE(read->text, QStringLiteral("Edited."));
        QCOMPARE(read->date, QDate(2024, 3, 9));
        QCOMPARE(read->physician, QString());
    }
};

QTEST_GUILESS_MAIN(TestAbpmReportFigures)
#include "test_abpmreportfigures.moc"
