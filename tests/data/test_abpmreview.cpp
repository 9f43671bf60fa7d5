// The ABPM summary with the recording's details and review, against an
// independent computation over generated recordings: the diary's bedtime
// and wake-up decide asleep and awake, readings the doctor set aside are
// left out and counted apart from the artefact rules, and the office
// pressure against the ambulatory means gives its class, at the
// boundaries of both.
#include "data/AbpmRecording.h"
#include "data/AbpmSummary.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace abpmtest;

namespace {

bool near(double a, double b)
{
    return std::abs(a - b) < 1e-9;
}

int minuteOf(QTime t)
{
    return t.hour() * 60 + t.minute();
}

// The diary's rule written out by minutes: asleep from bedtime (included)
// to wake-up (excluded), across midnight when bedtime is later.
bool asleep(QTime t, QTime bedtime, QTime wakeUp)
{
    const int m = minuteOf(t), bed = minuteOf(bedtime), up = minuteOf(wakeUp);
    return bed > up ? (m >= bed || m < up) : (m >= bed && m < up);
}

double sysOf(const BpRow& r) { return *r.sys; }
double diaOf(const BpRow& r) { return *r.dia; }

RecordingDetails diary(QTime bedtime, QTime wakeUp)
{
    RecordingDetails d;
    d.bedtime = bedtime;
    d.wakeUp = wakeUp;
    return d;
}

} // namespace

class TestAbpmReview : public QObject {
    Q_OBJECT

private slots:
    void init() { Edition::select(EditionId::English); }

    void diaryDecidesAsleepAndAwake_data()
    {
        QTest::addColumn<QTime>("bedtime");
        QTest::addColumn<QTime>("wakeUp");
        QTest::newRow("23:30-06:15") << QTime(23, 30) << QTime(6, 15);
        QTest::newRow("exactly on readings 22:00-07:00") << QTime(22, 0) << QTime(7, 0);
        QTest::newRow("a minute past readings 22:01-07:01") << QTime(22, 1) << QTime(7, 1);
        QTest::newRow("after midnight 00:45-08:30") << QTime(0, 45) << QTime(8, 30);
        QTest::newRow("day sleeper 09:00-16:00") << QTime(9, 0) << QTime(16, 0);
    }
    void diaryDecidesAsleepAndAwake()
    {
        QFETCH(QTime, bedtime);
        QFETCH(QTime, wakeUp);
        Plan plan;
        plan.hours = 26;
        plan.nightStepMinutes = 15;
        const Generated g = generate(plan);
        const std::vector<AbpmReading> readings = readingsOf(g.rows);
        const AbpmSummary s = computeAbpmSummary(readings, AbpmPeriods::narrowFixed(), diary(bedtime, wakeUp), {});
        QCOMPARE(s.periodSource, AbpmPeriodSource::Diary);
        QCOMPARE(s.periodsUsed.night.start, bedtime);
        QCOMPARE(s.periodsUsed.night.end, wakeUp);
        for (bool night : {false, true}) {
            const auto keep = [&](size_t i) { return asleep(g.rows[i].time, bedtime, wakeUp) == night; };
            const AbpmPeriodFigures& f = s.period(night ? AbpmPeriodKind::Night : AbpmPeriodKind::Day);
            const Reference sys = reference(g.rows, sysOf, keep);
            const Reference dia = reference(g.rows, diaOf, keep);
            QCOMPARE(f.readings, sys.n);
            QVERIFY(near(*f.of(AbpmQuantity::Sys).mean, sys.mean));
            QVERIFY(near(*f.of(AbpmQuantity::Dia).mean, dia.mean));
            QVERIFY(near(*f.of(AbpmQuantity::Sys).arv, sys.arv));
        }
        // The two diary periods cover the whole day: nothing is in neither.
        QCOMPARE(s.period(AbpmPeriodKind::Day).readings + s.period(AbpmPeriodKind::Night).readings, s.valid);
    }

    void withoutBothDiaryTimesTheGivenPeriodsHold()
    {
        const Generated g = generate(Plan{});
        const std::vector<AbpmReading> readings = readingsOf(g.rows);
        const AbpmSummary plain = computeAbpmSummary(readings, AbpmPeriods::narrowFixed());
        for (const RecordingDetails& d : {diary(QTime(23, 0), QTime()), diary(QTime(), QTime(6, 0)),
                                          diary(QTime(23, 0), QTime(23, 0))}) {
            const AbpmSummary s = computeAbpmSummary(readings, AbpmPeriods::narrowFixed(), d, {});
            QCOMPARE(s.periodSource, AbpmPeriodSource::Given);
            QCOMPARE(s.periodsUsed, AbpmPeriods::narrowFixed());
            QCOMPARE(s.period(AbpmPeriodKind::Night).readings, plain.period(AbpmPeriodKind::Night).readings);
            QCOMPARE(s.period(AbpmPeriodKind::Day).readings, plain.period(AbpmPeriodKind::Day).readings);
        }
    }

    void setAsideReadingsAreLeftOutAndCountedApart()
    {
        Plan plan;
        Generated g = generate(plan);
        // Two artefacts the rules find; one of them is also set aside.
        g.rows[4].sys = 300;
        g.rows[9].dia = std::nullopt;
        QRandomGenerator random(20240307);
        SetAsideReadings marks;
        while (marks.size() < 12)
            marks[qint64(random.bounded(int(g.rows.size()))) + 1] = {SetAsideReason::PatientMoved, {}};
        marks[5] = {SetAsideReason::Artefact, {}};
        marks.erase(10);
        marks[qint64(g.rows.size()) + 50] = {SetAsideReason::Other, QStringLiteral("no such reading")};
        const std::vector<AbpmReading> readings = readingsOf(g.rows);
        const AbpmSummary s = computeAbpmSummary(readings, AbpmPeriods::standard(), {}, marks);

        const qint64 setAside = qint64(marks.size()) - 1; // the mark of no reading counts nothing
        QCOMPARE(s.setAside, setAside);
        QCOMPARE(s.excludedBy(ArtefactRule::SysOutOfRange), 0); // row 5 is set aside first
        QCOMPARE(s.excludedBy(ArtefactRule::EmptyValue), 1);
        QCOMPARE(s.valid, qint64(g.rows.size()) - setAside - 1);
        QVERIFY(near(s.validShare(), double(s.valid) / double(g.rows.size())));

        // The reference drops the same readings first, then takes periods.
        std::vector<BpRow> kept;
        std::vector<bool> keptNight;
        for (size_t i = 0; i < g.rows.size(); ++i) {
            if (marks.count(qint64(i) + 1) || i == 9)
                continue;
            kept.push_back(g.rows[i]);
            keptNight.push_back(g.night[i]);
        }
        for (bool night : {false, true}) {
            const auto keep = [&](size_t i) { return keptNight[i] == night; };
            const Reference sys = reference(kept, sysOf, keep);
            const AbpmPeriodFigures& f = s.period(night ? AbpmPeriodKind::Night : AbpmPeriodKind::Day);
            QCOMPARE(f.readings, sys.n);
            QVERIFY(near(*f.of(AbpmQuantity::Sys).mean, sys.mean));
            QVERIFY(near(*f.of(AbpmQuantity::Sys).sd, sys.sd));
            QVERIFY(near(*f.of(AbpmQuantity::Sys).arv, sys.arv));
        }
        // Set aside every reading: nothing valid, the recording not valid for diagnosis.
        SetAsideReadings all;
        for (qint64 id = 1; id <= qint64(g.rows.size()); ++id)
            all[id] = {};
        const AbpmSummary none = computeAbpmSummary(readings, AbpmPeriods::standard(), {}, all);
        QCOMPARE(none.valid, 0);
        QCOMPARE(none.setAside, qint64(g.rows.size()));
        QVERIFY(!none.validForDiagnosis());
        QVERIFY(!none.period(AbpmPeriodKind::Day24).of(AbpmQuantity::Sys).mean);
    }

    void officeClassAtTheBoundaries_data()
    {
        QTest::addColumn<int>("ambSys");
        QTest::addColumn<int>("ambDia");
        QTest::addColumn<int>("officeSys");
        QTest::addColumn<int>("officeDia");
        // A level recording: every period's means are the same, so the
        // night's 120/70 is the threshold that decides.
        const int amb[][2] = {{119, 69}, {120, 69}, {119, 70}, {110, 60}, {150, 95}};
        const int office[][2] = {{139, 89}, {140, 89}, {139, 90}, {140, 90}, {120, 80}, {180, 110}};
        for (const auto& a : amb)
            for (const auto& o : office)
                QTest::newRow(qPrintable(QStringLiteral("amb %1/%2 office %3/%4").arg(a[0]).arg(a[1]).arg(o[0]).arg(o[1])))
                    << a[0] << a[1] << o[0] << o[1];
    }
    void officeClassAtTheBoundaries()
    {
        QFETCH(int, ambSys);
        QFETCH(int, ambDia);
        QFETCH(int, officeSys);
        QFETCH(int, officeDia);
        Plan plan;
        plan.daySys = ambSys;
        plan.dayDia = ambDia;
        plan.dipPercent = 0;
        plan.swing = 0;
        const std::vector<AbpmReading> readings = readingsOf(generate(plan).rows);
        RecordingDetails d;
        d.officeSys = officeSys;
        d.officeDia = officeDia;
        const AbpmSummary s = computeAbpmSummary(readings, AbpmPeriods::standard(), d, {});
        const bool officeHigh = officeSys >= 140 || officeDia >= 90;
        const bool ambHigh = ambSys >= 120 || ambDia >= 70;
        const OfficeClass expected = officeHigh ? (ambHigh ? OfficeClass::SustainedHypertension
                                                           : OfficeClass::WhiteCoatHypertension)
                                                : (ambHigh ? OfficeClass::MaskedHypertension : OfficeClass::Normotension);
        QVERIFY(s.officeClass);
        QCOMPARE(*s.officeClass, expected);
    }

    void officeClassFollowsTheMeansAsShown()
    {
        // Night means of 119.95 show as 120.0 and reach the threshold; 119.94 does not.
        Plan plan;
        plan.dipPercent = 0;
        plan.swing = 0;
        plan.daySys = 100;
        plan.dayDia = 60;
        for (const auto& [nightSys, masked] : {std::pair{119.95, true}, std::pair{119.94, false}}) {
            Generated g = generate(plan);
            for (size_t i = 0; i < g.rows.size(); ++i)
                if (g.night[i])
                    g.rows[i].sys = nightSys;
            RecordingDetails d;
            d.officeSys = 130;
            d.officeDia = 85;
            const AbpmSummary s = computeAbpmSummary(readingsOf(g.rows), AbpmPeriods::standard(), d, {});
            QCOMPARE(*s.officeClass, masked ? OfficeClass::MaskedHypertension : OfficeClass::Normotension);
        }
    }

    void noOfficeClassWithoutBothPressuresOrReadings()
    {
        const std::vector<AbpmReading> readings = readingsOf(generate(Plan{}).rows);
        RecordingDetails d;
        d.officeSys = 150;
        QVERIFY(!computeAbpmSummary(readings, AbpmPeriods::standard(), d, {}).officeClass);
        d.officeDia = 95;
        QVERIFY(computeAbpmSummary(readings, AbpmPeriods::standard(), d, {}).officeClass);
        QVERIFY(!computeAbpmSummary({}, AbpmPeriods::standard(), d, {}).officeClass);
        QVERIFY(!computeAbpmSummary(readings, AbpmPeriods::standard()).officeClass);
    }
};

QTEST_GUILESS_MAIN(TestAbpmReview)
#include "test_abpmreview.moc"
