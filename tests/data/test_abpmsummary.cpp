// The ABPM summary against an independent computation over generated
// recordings: the chosen means and dip, the variability figures, a
// recording across midnight and one over two nights, the validity rules,
// the artefact rules and their counts, other day and night periods, the
// periods' own rules and their place in the settings store, and the
// readings of a data file of either edition.
#include "AbpmRecording.h"

#include "data/AbpmSettings.h"
#include "data/AbpmSummary.h"
#include "platform/SettingsStore.h"
#include "text/MessageCatalogue.h"

#include <QtTest>

using namespace abpmtest;

Q_DECLARE_METATYPE(DipClass)
Q_DECLARE_METATYPE(ArtefactRule)
Q_DECLARE_METATYPE(std::optional<ArtefactRule>)

namespace {

const double kTolerance = 1e-9;

bool near(double a, double b)
{
    return std::abs(a - b) < kTolerance;
}

double sysOf(const BpRow& r)
{
    return *r.sys;
}
double diaOf(const BpRow& r)
{
    return *r.dia;
}
double pulseOf(const BpRow& r)
{
    return *r.pulse;
}

AbpmSummary summarise(const std::vector<BpRow>& rows, const AbpmPeriods& periods = AbpmPeriods::standard())
{
    const std::vector<AbpmReading> readings = readingsOf(rows);
    return computeAbpmSummary(readings, periods);
}

// The summary's figures of a period equal the reference for one quantity.
void compareFigures(const AbpmFigures& f, const Reference& ref)
{
    QVERIFY(f.mean && f.sd && f.cv && f.arv);
    QVERIFY2(near(*f.mean, ref.mean), qPrintable(QString("%1 vs %2").arg(*f.mean).arg(ref.mean)));
    QVERIFY2(near(*f.sd, ref.sd), qPrintable(QString("%1 vs %2").arg(*f.sd).arg(ref.sd)));
    QVERIFY(near(*f.cv, ref.sd / ref.mean * 100));
    QVERIFY2(near(*f.arv, ref.arv), qPrintable(QString("%1 vs %2").arg(*f.arv).arg(ref.arv)));
}

BpRow reading(std::optional<double> sys, std::optional<double> dia, QTime time = QTime(12, 0))
{
    BpRow r;
    r.sys = sys;
    r.dia = dia;
    r.map = sys && dia ? std::optional<double>((*sys + 2 * *dia) / 3) : std::nullopt;
    r.pulse = 70;
    r.time = time;
    return r;
}

} // namespace

class TestAbpmSummary : public QObject {
    Q_OBJECT

private slots:
    void init() { Edition::select(EditionId::English); }

    void chosenMeansAndDipComeBack_data()
    {
        QTest::addColumn<double>("dip");
        QTest::addColumn<DipClass>("dipClass");
        QTest::newRow("extreme dipper") << 25.0 << DipClass::ExtremeDipper;
        QTest::newRow("dipper") << 15.0 << DipClass::Dipper;
        QTest::newRow("non-dipper") << 5.0 << DipClass::NonDipper;
        QTest::newRow("reverse dipper") << -5.0 << DipClass::ReverseDipper;
    }

    void chosenMeansAndDipComeBack()
    {
        QFETCH(double, dip);
        QFETCH(DipClass, dipClass);
        Plan plan;
        plan.dipPercent = dip;
        const Generated g = generate(plan);
        const AbpmSummary s = summarise(g.rows);

        // 10:00 to 09:45 the next morning: 48 + 12 day readings, 18 by night.
        QCOMPARE(s.readings, 78);
        QCOMPARE(s.valid, 78);
        QCOMPARE(s.period(AbpmPeriodKind::Day).readings, 60);
        QCOMPARE(s.period(AbpmPeriodKind::Night).readings, 18);
        QCOMPARE(s.period(AbpmPeriodKind::Day24).readings, 78);

        // The chosen means.
        const AbpmPeriodFigures& day = s.period(AbpmPeriodKind::Day);
        const AbpmPeriodFigures& night = s.period(AbpmPeriodKind::Night);
        QVERIFY(near(*day.of(AbpmQuantity::Sys).mean, 140));
        QVERIFY(near(*day.of(AbpmQuantity::Dia).mean, 80));
        QVERIFY(near(*night.of(AbpmQuantity::Sys).mean, 140 * (1 - dip / 100)));
        QVERIFY(near(*night.of(AbpmQuantity::Dia).mean, 80 * (1 - dip / 100)));
        QVERIFY(near(*night.of(AbpmQuantity::Pulse).mean, 60));
        QVERIFY(near(*s.period(AbpmPeriodKind::Day24).of(AbpmQuantity::Sys).mean,
                     (60 * 140 + 18 * 140 * (1 - dip / 100)) / 78));

        // The chosen dip and its class, for both pressures.
        QVERIFY(near(*s.sysDipping.ratio, 1 - dip / 100));
        QVERIFY(near(*s.sysDipping.percent, dip));
        QCOMPARE(*s.sysDipping.dipClass, dipClass);
        QVERIFY(near(*s.diaDipping.percent, dip));
        QCOMPARE(*s.diaDipping.dipClass, dipClass);

        // Alternating 3 mmHg above and below: successive readings differ by 6.
        QVERIFY(near(*day.of(AbpmQuantity::Sys).arv, 6));
        QVERIFY(near(*night.of(AbpmQuantity::Dia).arv, 6));
        QVERIFY(near(*day.of(AbpmQuantity::Sys).sd, std::sqrt(60 * 9.0 / 59)));

        // Every figure of every period against the reference.
        auto all = [](size_t) { return true; };
        auto byDay = [&](size_t i) { return !g.night[i]; };
        auto byNight = [&](size_t i) { return bool(g.night[i]); };
        compareFigures(s.period(AbpmPeriodKind::Day24).of(AbpmQuantity::Sys), reference(g.rows, sysOf, all));
        compareFigures(s.period(AbpmPeriodKind::Day24).of(AbpmQuantity::Dia), reference(g.rows, diaOf, all));
        compareFigures(day.of(AbpmQuantity::Sys), reference(g.rows, sysOf, byDay));
        compareFigures(night.of(AbpmQuantity::Dia), reference(g.rows, diaOf, byNight));
        QVERIFY(near(*s.period(AbpmPeriodKind::Day24).of(AbpmQuantity::Pulse).mean,
                     reference(g.rows, pulseOf, all).mean));
        QVERIFY(s.validForDiagnosis());
    }

    void thresholdsAndShares()
    {
        // Day 140/80 swinging 3: every systolic day reading is at or above
        // 135, no diastolic one reaches 85. Night 119/68 (15 % dip): 122
        // and 116 alternate about 120, 71 and 65 about 70.
        const Generated g = generate(Plan());
        const AbpmSummary s = summarise(g.rows);
        const AbpmPeriodFigures& day = s.period(AbpmPeriodKind::Day);
        const AbpmPeriodFigures& night = s.period(AbpmPeriodKind::Night);
        QCOMPARE(day.sysAtOrAbove, 60);
        QCOMPARE(day.diaAtOrAbove, 0);
        QCOMPARE(night.sysAtOrAbove, 9); // 122 every other reading
        QCOMPARE(night.diaAtOrAbove, 9); // 71 every other reading
        QVERIFY(meansAtOrAboveThreshold(s, AbpmPeriodKind::Day));     // 140 >= 135
        QVERIFY(!meansAtOrAboveThreshold(s, AbpmPeriodKind::Night)); // 119/68 < 120/70
        // A mean is compared as it is shown: 119.96 shows as 120.0, and the verdict names the pressure.
        AbpmSummary shown;
        AbpmPeriodFigures& night24 = shown.periods[size_t(AbpmPeriodKind::Night)];
        night24.quantity[size_t(AbpmQuantity::Sys)].mean = 119.96;
        night24.quantity[size_t(AbpmQuantity::Dia)].mean = 60;
        QVERIFY(meansAtOrAboveThreshold(shown, AbpmPeriodKind::Night));
        QVERIFY(meansVerdict(shown, AbpmPeriodKind::Night)->sysAtOrAbove);
        QVERIFY(!meansVerdict(shown, AbpmPeriodKind::Night)->diaAtOrAbove);
        night24.quantity[size_t(AbpmQuantity::Sys)].mean = 119.94;
        QVERIFY(!meansAtOrAboveThreshold(shown, AbpmPeriodKind::Night));
        // The other set reads the same night against 110/65.
        shown.thresholds = AbpmThresholdSet::AccAha2017;
        QVERIFY(meansAtOrAboveThreshold(shown, AbpmPeriodKind::Night));
    }

    void dipClassBoundariesOfTheRatio_data()
    {
        QTest::addColumn<double>("day");
        QTest::addColumn<double>("night");
        QTest::addColumn<int>("thousandths");
        QTest::addColumn<DipClass>("dipClass");
        QTest::newRow("0.8") << 200.0 << 160.0 << 800 << DipClass::ExtremeDipper;
        QTest::newRow("0.7995 up to 0.800") << 200.0 << 159.9 << 800 << DipClass::ExtremeDipper;
        QTest::newRow("0.8005 up to 0.801") << 200.0 << 160.1 << 801 << DipClass::Dipper;
        QTest::newRow("0.9") << 200.0 << 180.0 << 900 << DipClass::Dipper;
        QTest::newRow("0.9005") << 200.0 << 180.1 << 901 << DipClass::NonDipper;
        QTest::newRow("1.0") << 130.0 << 130.0 << 1000 << DipClass::NonDipper;
        QTest::newRow("1.0004 (130.1 over 130.0)") << 130.0 << 130.1 << 1001 << DipClass::ReverseDipper;
        QTest::newRow("0.9995 up to 1.000") << 200.0 << 199.9 << 1000 << DipClass::NonDipper;
        QTest::newRow("means as shown: 129.96 over 130.04") << 130.04 << 129.96 << 1000 << DipClass::NonDipper;
    }

    void dipClassBoundariesOfTheRatio()
    {
        QFETCH(double, day);
        QFETCH(double, night);
        QFETCH(int, thousandths);
        QFETCH(DipClass, dipClass);
        QCOMPARE(dipRatioThousandths(day, night), std::optional<int>(thousandths));
        QCOMPARE(dipClassOf(thousandths), dipClass);
    }

    void exactTenPercentIsDipper()
    {
        // 130 by day and 117 by night is a fall of exactly 10 %, which
        // floating point puts a hair below 10.
        std::vector<BpRow> rows;
        for (int i = 0; i < 4; ++i) {
            rows.push_back(reading(130, 80, QTime(12, i)));
            rows.push_back(reading(117, 70, QTime(2, i)));
        }
        const AbpmSummary s = summarise(rows);
        QCOMPARE(*s.sysDipping.dipClass, DipClass::Dipper);
    }

    void acrossMidnightTheNightIsOne()
    {
        // 20:00 to 08:00: the night runs across the change of date.
        Plan plan;
        plan.start = QDateTime(QDate(2024, 3, 7), QTime(20, 0), Qt::UTC);
        plan.hours = 12;
        const Generated g = generate(plan);
        const AbpmSummary s = summarise(g.rows);
        QCOMPARE(s.first, QDateTime(QDate(2024, 3, 7), QTime(20, 0), Qt::UTC));
        QCOMPARE(s.last, QDateTime(QDate(2024, 3, 8), QTime(7, 45), Qt::UTC));
        // 22:00 to 06:30 in one run: the pair 23:30 - 00:00 is successive.
        QCOMPARE(s.period(AbpmPeriodKind::Night).readings, 18);
        QVERIFY(near(*s.period(AbpmPeriodKind::Night).of(AbpmQuantity::Sys).arv, 6));
        // The clock hours on both sides of midnight keep their own means.
        QCOMPARE(s.hours[23].readings, 2);
        QCOMPARE(s.hours[0].readings, 2);
        QVERIFY(near(*s.hours[0].sysMean, 119)); // +3 and -3 about 119
        QCOMPARE(s.hours[21].readings, 4);
        QVERIFY(!s.hours[12].sysMean);
        // Only 12 day readings (20:00-21:45 and 07:00-07:45): not valid.
        QCOMPARE(s.period(AbpmPeriodKind::Day).readings, 12);
        QCOMPARE(s.problems, std::vector<ValidityProblem>{ValidityProblem::TooFewDay});
    }

    void twoNightsPairOnlyWithinEachNight()
    {
        Plan plan;
        plan.hours = 48;
        Generated g = generate(plan);
        // The second night lies 20 mmHg higher than the first.
        for (size_t i = 0; i < g.rows.size(); ++i)
            if (g.night[i] && g.rows[i].date >= QDate(2024, 3, 8) && g.rows[i].time.hour() >= 22)
                *g.rows[i].sys += 20;
        for (size_t i = 0; i < g.rows.size(); ++i)
            if (g.night[i] && g.rows[i].date == QDate(2024, 3, 9))
                *g.rows[i].sys += 20;
        const AbpmSummary s = summarise(g.rows);
        QCOMPARE(s.period(AbpmPeriodKind::Night).readings, 36);
        QCOMPARE(s.period(AbpmPeriodKind::Day).readings, 120);
        // Within a night successive readings still differ by 6; the last
        // reading of the first night and the first of the second are not
        // successive (a day lies between them).
        QVERIFY(near(*s.period(AbpmPeriodKind::Night).of(AbpmQuantity::Sys).arv, 6));
        QVERIFY(near(*s.period(AbpmPeriodKind::Night).of(AbpmQuantity::Sys).mean, 129));
        auto byNight = [&](size_t i) { return bool(g.night[i]); };
        compareFigures(s.period(AbpmPeriodKind::Night).of(AbpmQuantity::Sys), reference(g.rows, sysOf, byNight));
    }

    void readingsOutOfTimeOrderAreTakenInTimeOrder()
    {
        // A reading typed in later (a higher record number) for an earlier time.
        const Generated g = generate(Plan());
        std::vector<BpRow> rows = g.rows;
        std::rotate(rows.begin(), rows.begin() + 5, rows.end());
        const AbpmSummary moved = summarise(rows);
        const AbpmSummary ordered = summarise(g.rows);
        QVERIFY(near(*moved.period(AbpmPeriodKind::Day24).of(AbpmQuantity::Sys).arv,
                     *ordered.period(AbpmPeriodKind::Day24).of(AbpmQuantity::Sys).arv));
        QCOMPARE(moved.first, ordered.first);
    }

    void validityNamesEachProblem()
    {
        // Night readings every 90 minutes: 6 of them.
        Plan plan;
        plan.nightStepMinutes = 90;
        AbpmSummary s = summarise(generate(plan).rows);
        QCOMPARE(s.period(AbpmPeriodKind::Night).readings, 6);
        QCOMPARE(s.problems, std::vector<ValidityProblem>{ValidityProblem::TooFewNight});
        QVERIFY(!s.validForDiagnosis());

        // Exactly 7 by night and 20 by day pass.
        std::vector<BpRow> rows;
        for (int i = 0; i < 20; ++i)
            rows.push_back(reading(130, 80, QTime(8, 0).addSecs(i * 1800)));
        for (int i = 0; i < 7; ++i)
            rows.push_back(reading(110, 65, QTime(0, 0).addSecs(i * 1800)));
        s = summarise(rows);
        QVERIFY(s.validForDiagnosis());

        // 70 % valid passes, under 70 % does not.
        for (int i = 0; i < 11; ++i)
            rows.push_back(reading(300, 80));
        s = summarise(rows);
        QCOMPARE(s.valid, 27);
        QCOMPARE(s.readings, 38);
        QCOMPARE(s.problems, std::vector<ValidityProblem>{}); // 27/38 = 71 %
        for (int i = 0; i < 2; ++i)
            rows.push_back(reading(300, 80));
        s = summarise(rows);
        QCOMPARE(s.problems, std::vector<ValidityProblem>{ValidityProblem::TooFewValid}); // 27/40 = 67.5 %

        // Nothing at all.
        s = summarise({});
        QCOMPARE(s.problems, std::vector<ValidityProblem>{ValidityProblem::NoReadings});
        QVERIFY(!s.period(AbpmPeriodKind::Day24).of(AbpmQuantity::Sys).mean);
        QVERIFY(!s.sysDipping.ratio);
        QVERIFY(!s.first.isValid());
    }

    void artefactRules_data()
    {
        QTest::addColumn<std::optional<double>>("sys");
        QTest::addColumn<std::optional<double>>("dia");
        QTest::addColumn<std::optional<ArtefactRule>>("rule");
        const std::optional<ArtefactRule> valid;
        QTest::newRow("valid") << std::optional<double>(120) << std::optional<double>(80) << valid;
        QTest::newRow("sys 70") << std::optional<double>(70) << std::optional<double>(40) << valid;
        QTest::newRow("sys 69") << std::optional<double>(69) << std::optional<double>(45)
                                << std::optional(ArtefactRule::SysOutOfRange);
        QTest::newRow("sys 250") << std::optional<double>(250) << std::optional<double>(150) << valid;
        QTest::newRow("sys 251") << std::optional<double>(251) << std::optional<double>(90)
                                 << std::optional(ArtefactRule::SysOutOfRange);
        QTest::newRow("dia 39") << std::optional<double>(120) << std::optional<double>(39)
                                << std::optional(ArtefactRule::DiaOutOfRange);
        QTest::newRow("dia 151") << std::optional<double>(240) << std::optional<double>(151)
                                 << std::optional(ArtefactRule::DiaOutOfRange);
        QTest::newRow("dia = sys") << std::optional<double>(100) << std::optional<double>(100)
                                   << std::optional(ArtefactRule::DiaNotBelowSys);
        QTest::newRow("dia > sys") << std::optional<double>(90) << std::optional<double>(110)
                                   << std::optional(ArtefactRule::DiaNotBelowSys);
        QTest::newRow("pulse pressure 19") << std::optional<double>(99) << std::optional<double>(80)
                                           << std::optional(ArtefactRule::NarrowPulsePressure);
        QTest::newRow("pulse pressure 20") << std::optional<double>(100) << std::optional<double>(80) << valid;
        QTest::newRow("empty systolic") << std::optional<double>() << std::optional<double>(80)
                                        << std::optional(ArtefactRule::EmptyValue);
        // Breaks three rules; counted under the first only.
        QTest::newRow("first rule counts") << std::optional<double>(260) << std::optional<double>(30)
                                           << std::optional(ArtefactRule::SysOutOfRange);
    }

    void artefactRules()
    {
        QFETCH(std::optional<double>, sys);
        QFETCH(std::optional<double>, dia);
        QFETCH(std::optional<ArtefactRule>, rule);
        const std::vector<AbpmReading> readings = readingsOf({reading(sys, dia)});
        QCOMPARE(artefactOf(readings[0]), rule);
    }

    void artefactsAreLeftOutAndCounted()
    {
        const Generated g = generate(Plan());
        std::vector<BpRow> rows = g.rows;
        BpRow noPulse = reading(120, 80);
        noPulse.pulse.reset();
        BpRow noTime = reading(120, 80);
        noTime.time = QTime();
        const std::vector<BpRow> artefacts = {reading(300, 80), reading(40, 30), reading(120, 35),
                                              reading(120, 120), reading(95, 80), noPulse, noTime,
                                              reading(260, 160)};
        // Put them between the readings, where they would break the pairs.
        for (size_t i = 0; i < artefacts.size(); ++i)
            rows.insert(rows.begin() + qsizetype(10 * i + 3), artefacts[i]);
        const AbpmSummary s = summarise(rows);
        QCOMPARE(s.readings, 86);
        QCOMPARE(s.valid, 78);
        QCOMPARE(s.excludedBy(ArtefactRule::EmptyValue), 2);
        QCOMPARE(s.excludedBy(ArtefactRule::SysOutOfRange), 3); // 300, 40 and 260
        QCOMPARE(s.excludedBy(ArtefactRule::DiaOutOfRange), 1);
        QCOMPARE(s.excludedBy(ArtefactRule::DiaNotBelowSys), 1);
        QCOMPARE(s.excludedBy(ArtefactRule::NarrowPulsePressure), 1);
        // The figures are those of the recording without them.
        const AbpmSummary clean = summarise(g.rows);
        for (int p = 0; p < kAbpmPeriodCount; ++p) {
            for (int q = 0; q < kAbpmQuantityCount; ++q) {
                const AbpmFigures& a = s.periods[size_t(p)].quantity[size_t(q)];
                const AbpmFigures& b = clean.periods[size_t(p)].quantity[size_t(q)];
                QVERIFY(near(*a.mean, *b.mean) && near(*a.sd, *b.sd) && near(*a.arv, *b.arv));
            }
        }
        QVERIFY(s.validForDiagnosis()); // 78 of 86 valid
    }

    void otherPeriodsChangeTheFigures()
    {
        const Generated g = generate(Plan());
        // Narrow fixed periods: day 10:00-19:45 (40 readings), night
        // 00:00-05:30 (12); the hours between count for 24 hours only.
        AbpmSummary s = summarise(g.rows, AbpmPeriods::narrowFixed());
        QCOMPARE(s.period(AbpmPeriodKind::Day).readings, 40);
        QCOMPARE(s.period(AbpmPeriodKind::Night).readings, 12);
        QCOMPARE(s.period(AbpmPeriodKind::Day24).readings, 78);
        auto narrowDay = [&](size_t i) { return g.rows[i].time.hour() >= 10 && g.rows[i].time.hour() < 20; };
        auto narrowNight = [&](size_t i) { return g.rows[i].time.hour() < 6; };
        compareFigures(s.period(AbpmPeriodKind::Day).of(AbpmQuantity::Sys), reference(g.rows, sysOf, narrowDay));
        compareFigures(s.period(AbpmPeriodKind::Night).of(AbpmQuantity::Dia),
                       reference(g.rows, diaOf, narrowNight));
        QCOMPARE(s.problems, std::vector<ValidityProblem>{}); // 40 and 12 are enough

        // A night from 23:30 to 06:00 takes 22:00-23:15 and 06:00-06:30
        // into neither period; a day from 06:00 takes the early morning.
        const AbpmPeriods own{{QTime(6, 0), QTime(22, 0)}, {QTime(23, 30), QTime(6, 0)}};
        s = summarise(g.rows, own);
        auto ownDay = [&](size_t i) { return g.rows[i].time.hour() >= 6 && g.rows[i].time.hour() < 22; };
        auto ownNight = [&](size_t i) { return g.rows[i].time >= QTime(23, 30) || g.rows[i].time < QTime(6, 0); };
        compareFigures(s.period(AbpmPeriodKind::Day).of(AbpmQuantity::Sys), reference(g.rows, sysOf, ownDay));
        compareFigures(s.period(AbpmPeriodKind::Night).of(AbpmQuantity::Sys), reference(g.rows, sysOf, ownNight));
        QVERIFY(*s.sysDipping.percent != *summarise(g.rows).sysDipping.percent);
    }

    void clockPeriodsIncludeTheStartAndNotTheEnd()
    {
        const AbpmPeriods p = AbpmPeriods::standard();
        QCOMPARE(p.phaseOf(QTime(7, 0)), AbpmPhase::Day);
        QCOMPARE(p.phaseOf(QTime(6, 59)), AbpmPhase::Night);
        QCOMPARE(p.phaseOf(QTime(21, 59)), AbpmPhase::Day);
        QCOMPARE(p.phaseOf(QTime(22, 0)), AbpmPhase::Night);
        QCOMPARE(p.phaseOf(QTime(0, 0)), AbpmPhase::Night);
        const AbpmPeriods narrow = AbpmPeriods::narrowFixed();
        QCOMPARE(narrow.phaseOf(QTime(6, 0)), AbpmPhase::Neither);
        QCOMPARE(narrow.phaseOf(QTime(20, 0)), AbpmPhase::Neither);
        QCOMPARE(narrow.phaseOf(QTime(0, 0)), AbpmPhase::Night);
        QVERIFY(p.problem().isEmpty() && narrow.problem().isEmpty());
    }

    void unusablePeriodsSayWhy()
    {
        AbpmPeriods p{{QTime(8, 0), QTime(8, 0)}, {QTime(22, 0), QTime(6, 0)}};
        QCOMPARE(p.problem(), QString("The Day Starts and Ends at the Same Time"));
        p = {{QTime(6, 0), QTime(22, 30)}, {QTime(22, 0), QTime(6, 0)}};
        QCOMPARE(p.problem(), QString("Day and Night Both Hold 22:00"));
        p = {{QTime(5, 0), QTime(22, 0)}, {QTime(22, 0), QTime(5, 1)}};
        QCOMPARE(p.problem(), QString("Day and Night Both Hold 05:00"));
        Edition::select(EditionId::German);
        QCOMPARE(p.problem(), QString("Tag und Nacht enthalten beide 05:00"));
        p = {{QTime(8, 0), QTime(20, 0)}, {QTime(1, 0), QTime(1, 0)}};
        QCOMPARE(p.problem(), QString("Die Nacht beginnt und endet zur selben Zeit"));
    }

    void periodsTextRoundTrip()
    {
        const ClockPeriod night{QTime(22, 30), QTime(6, 45)};
        QCOMPARE(night.text(), QString("22:30-06:45"));
        QCOMPARE(ClockPeriod::fromText(night.text()), std::optional(night));
        QCOMPARE(ClockPeriod::fromText(" 7:05 - 21:00 "), std::optional(ClockPeriod{QTime(7, 5), QTime(21, 0)}));
        for (const char* bad : {"", "7-22", "25:00-07:00", "07:60-08:00", "07:00", "07:00-08:00x"})
            QVERIFY2(!ClockPeriod::fromText(QString::fromLatin1(bad)), bad);
    }

    void settingsStoreKeepsTheChoice()
    {
        const QString app = QString::fromLatin1(kAppTitle);
        const QString section = QString::fromLatin1(AbpmSettings::kSection);
        // Nothing stored: the standard periods.
        QCOMPARE(AbpmSettings::load(), AbpmPeriodChoice());
        AbpmPeriodChoice choice;
        choice.own = {{QTime(6, 30), QTime(23, 0)}, {QTime(23, 0), QTime(6, 30)}};
        choice.narrow = true;
        QVERIFY(AbpmSettings::store(choice));
        QCOMPARE(AbpmSettings::load(), choice);
        QCOMPARE(AbpmSettings::load().inForce(), AbpmPeriods::narrowFixed());
        QCOMPARE(readSetting(app, section, "DAY"), QString("06:30-23:00"));
        QCOMPARE(readSetting(app, section, "NARROW"), QString("YES"));
        // Edited by hand into something unusable: the standard periods.
        writeSetting(app, section, "NIGHT", "20:00-08:00"); // overlaps the day
        writeSetting(app, section, "NARROW", "yes");        // only YES is yes
        QCOMPARE(AbpmSettings::load(), AbpmPeriodChoice());
    }

    // The readings of a data file, by the columns of its edition.
    void readingsOfBothEditionsFiles()
    {
        QTemporaryDir dir;
        for (EditionId edition : {EditionId::English, EditionId::German}) {
            Edition::select(edition);
            const QString path = makeDataFile(dir.filePath(edition == EditionId::German ? "de.amb" : "en.amb"),
                                              edition);
            BpRow empty;
            empty.time = QTime();
            insertRows(path, edition, {reading(120, 80, QTime(23, 15)), empty});
            const std::shared_ptr<Recordset> rs = openRecords(path);
            QString why;
            const std::optional<std::vector<AbpmReading>> readings = abpmReadingsOf(*rs, &why);
            QVERIFY2(readings, qPrintable(why));
            QCOMPARE(readings->size(), size_t(2));
            QCOMPARE((*readings)[0].id, std::optional<qint64>(1));
            QCOMPARE((*readings)[0].moment, QDateTime(QDate(2024, 3, 7), QTime(23, 15), Qt::UTC));
            QCOMPARE((*readings)[0].map, std::optional<double>((120 + 160) / 3.0));
            QCOMPARE((*readings)[0].pulse, std::optional<double>(70));
            QVERIFY(!(*readings)[1].moment.isValid());
            QVERIFY(!(*readings)[1].sys);
            // A record being added is not read until it is stored.
            QVERIFY(rs->addNew());
            QCOMPARE(abpmReadingsOf(*rs, &why)->size(), size_t(2));
            QVERIFY(rs->cancelUpdate());
            resetAll();
        }
        // The other edition's file lacks the columns: refused by name.
        Edition::select(EditionId::English);
        const QString german = makeDataFile(dir.filePath("other.amb"), EditionId::German);
        const std::shared_ptr<Recordset> rs = std::make_shared<Recordset>();
        auto connection = std::make_shared<Connection>();
        QVERIFY(connection->openFile(german));
        QVERIFY(rs->open(QStringLiteral("select * from ambpdata"), connection));
        QString why;
        QVERIFY(!abpmReadingsOf(*rs, &why));
        QVERIFY2(why.contains("ID"), qPrintable(why));
        rs->close();
        connection->close();
    }
};

QTEST_GUILESS_MAIN(TestAbpmSummary)
#include "test_abpmsummary.moc"
