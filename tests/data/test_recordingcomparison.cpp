// The follow-up comparison's figures over generated recordings: every
// figure of a recording is the one its own summary and report give
// (computed here through computeAbpmSummary and computeAbpmReport), the
// change against the first is the difference of the figures as written,
// with its sign; recordings oldest first whatever order they come in; a
// recording without asleep readings, one without valid readings,
// different lengths, 2 and 4 recordings; the noon-to-noon axis over a
// night across midnight; recordings of different patients told.
#include "data/AbpmRecording.h"
#include "data/AbpmSummaryWords.h"
#include "data/RecordingComparison.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace abpmtest;

namespace {

AbpmReportSource sourceOf(const Plan& plan, const QString& file, quint32 seed, RecordingDetails details = {})
{
    Generated g = generate(plan);
    QRandomGenerator random(seed);
    for (BpRow& r : g.rows) {
        r.sys = *r.sys + random.bounded(-11, 12);
        r.dia = *r.dia + random.bounded(-6, 7);
    }
    AbpmReportSource s;
    s.dataFile = QStringLiteral("/practice/data/") + file;
    s.readings = readingsOf(g.rows);
    s.details = details;
    s.periods = AbpmPeriods::standard();
    return s;
}

Plan planOf(QDate day, QTime start, int hours, double daySys, double dip)
{
    Plan p;
    p.start = QDateTime(day, start, Qt::UTC);
    p.hours = hours;
    p.daySys = daySys;
    p.dayDia = daySys * 0.6;
    p.dipPercent = dip;
    return p;
}

const ComparedRecording& byFile(const RecordingComparison& c, const AbpmReportSource& s)
{
    for (const ComparedRecording& r : c.recordings)
        if (r.dataFile == s.dataFile)
            return r;
    qFatal("recording %s missing from the comparison", qPrintable(s.dataFile));
}

double written(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(v * scale) / scale;
}

} // namespace

class TestRecordingComparison : public QObject {
    Q_OBJECT

private slots:
    void everyFigureIsTheRecordingsOwn_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("2 recordings") << 2;
        QTest::newRow("3 recordings") << 3;
        QTest::newRow("4 recordings") << 4;
    }

    void everyFigureIsTheRecordingsOwn()
    {
        QFETCH(int, count);
        std::vector<AbpmReportSource> sources;
        // Different lengths, schedules, dips; a diary, an office pressure, readings set aside.
        sources.push_back(sourceOf(planOf(QDate(2023, 2, 1), QTime(9, 30), 24, 152, 12), "a.amb", 1));
        RecordingDetails diary;
        diary.bedtime = QTime(23, 15);
        diary.wakeUp = QTime(6, 30);
        diary.officeSys = 158;
        diary.officeDia = 96;
        sources.push_back(sourceOf(planOf(QDate(2023, 8, 14), QTime(11, 0), 26, 141, 4), "b.amb", 2, diary));
        Plan shortPlan = planOf(QDate(2024, 1, 9), QTime(14, 0), 20, 133, 22);
        shortPlan.dayStepMinutes = 20;
        shortPlan.nightStepMinutes = 60;
        sources.push_back(sourceOf(shortPlan, "c.amb", 3));
        sources.push_back(sourceOf(planOf(QDate(2024, 7, 2), QTime(8, 0), 25, 127, -3), "d.amb", 4));
        sources[3].setAside[5] = SetAside{};
        sources[3].setAside[40] = SetAside{};
        sources.resize(size_t(count));

        const RecordingComparison c = compareRecordings(sources);
        QCOMPARE(int(c.recordings.size()), count);
        for (const AbpmReportSource& s : sources) {
            const ComparedRecording& r = byFile(c, s);
            const AbpmSummary own = computeAbpmSummary(s.readings, s.periods, s.details, s.setAside);
            const AbpmReportFigures report = computeAbpmReport(s.readings, s.periods, s.details, s.setAside);
            const auto mean = [&](AbpmPeriodKind p, AbpmQuantity q) { return own.period(p).assessedMean(q); };
            QCOMPARE(r.value(ComparedFigure::ValidReadings), std::optional<double>(double(own.valid)));
            QCOMPARE(r.value(ComparedFigure::ValidShare),
                     std::optional<double>(std::floor(1000.0 * double(own.valid) / double(own.readings)) / 10.0));
            QCOMPARE(r.value(ComparedFigure::Sys24), mean(AbpmPeriodKind::Day24, AbpmQuantity::Sys));
            QCOMPARE(r.value(ComparedFigure::Dia24), mean(AbpmPeriodKind::Day24, AbpmQuantity::Dia));
            QCOMPARE(r.value(ComparedFigure::SysAwake), mean(AbpmPeriodKind::Day, AbpmQuantity::Sys));
            QCOMPARE(r.value(ComparedFigure::DiaAwake), mean(AbpmPeriodKind::Day, AbpmQuantity::Dia));
            QCOMPARE(r.value(ComparedFigure::SysAsleep), mean(AbpmPeriodKind::Night, AbpmQuantity::Sys));
            QCOMPARE(r.value(ComparedFigure::DiaAsleep), mean(AbpmPeriodKind::Night, AbpmQuantity::Dia));
            QCOMPARE(r.value(ComparedFigure::SysRatio), own.sysDipping.ratio);
            QCOMPARE(r.value(ComparedFigure::DiaRatio), own.diaDipping.ratio);
            QCOMPARE(r.value(ComparedFigure::SysLoad24), report.period(AbpmPeriodKind::Day24).sysLoad);
            QCOMPARE(r.value(ComparedFigure::DiaLoad24), report.period(AbpmPeriodKind::Day24).diaLoad);
            QCOMPARE(r.value(ComparedFigure::SysLoadAwake), report.period(AbpmPeriodKind::Day).sysLoad);
            QCOMPARE(r.value(ComparedFigure::DiaLoadAwake), report.period(AbpmPeriodKind::Day).diaLoad);
            QCOMPARE(r.value(ComparedFigure::SysLoadAsleep), report.period(AbpmPeriodKind::Night).sysLoad);
            QCOMPARE(r.value(ComparedFigure::DiaLoadAsleep), report.period(AbpmPeriodKind::Night).diaLoad);
            // The words come from the same summary.
            QCOMPARE(r.figures.summary.sysDipping.dipClass, own.sysDipping.dipClass);
            QCOMPARE(r.figures.summary.diaDipping.dipClass, own.diaDipping.dipClass);
            QCOMPARE(r.figures.summary.problems, own.problems);
            QCOMPARE(r.figures.summary.officeClass, own.officeClass);
            QCOMPARE(r.figures.summary.setAside, own.setAside);
        }
        // The diary's recording: its own periods decided, as in its own summary.
        if (count >= 2) {
            QCOMPARE(byFile(c, sources[1]).figures.summary.periodSource, AbpmPeriodSource::Diary);
            QVERIFY(byFile(c, sources[1]).figures.summary.officeClass.has_value());
        }
    }

    void changesAgainstTheOldestAsWritten()
    {
        // Given newest first: the page puts them oldest first.
        std::vector<AbpmReportSource> sources = {
            sourceOf(planOf(QDate(2025, 1, 10), QTime(10, 0), 24, 161, 18), "third.amb", 7),
            sourceOf(planOf(QDate(2024, 1, 10), QTime(10, 0), 24, 148, 5), "first.amb", 8),
            sourceOf(planOf(QDate(2024, 6, 10), QTime(10, 0), 24, 133, 11), "second.amb", 9),
        };
        const RecordingComparison c = compareRecordings(sources);
        QCOMPARE(c.recordings[0].dataFile, sources[1].dataFile);
        QCOMPARE(c.recordings[1].dataFile, sources[2].dataFile);
        QCOMPARE(c.recordings[2].dataFile, sources[0].dataFile);
        QCOMPARE(c.newest().dataFile, sources[0].dataFile);
        for (const std::optional<double>& change : c.recordings[0].changes)
            QVERIFY(!change);

        const auto own = [](const AbpmReportSource& s) {
            return computeAbpmSummary(s.readings, s.periods, s.details, s.setAside);
        };
        const AbpmSummary first = own(sources[1]);
        const double firstSys = *first.period(AbpmPeriodKind::Day24).assessedMean(AbpmQuantity::Sys);
        const double firstRatio = *first.sysDipping.ratio;
        for (size_t i : {size_t(1), size_t(2)}) {
            const ComparedRecording& r = c.recordings[i];
            const AbpmSummary s = own(i == 1 ? sources[2] : sources[0]);
            const double sys = *s.period(AbpmPeriodKind::Day24).assessedMean(AbpmQuantity::Sys);
            const double expected = written(written(sys, 1) - written(firstSys, 1), 1);
            QCOMPARE(*r.change(ComparedFigure::Sys24), expected);
            const double ratio = written(written(*s.sysDipping.ratio, kAbpmRatioDecimals)
                                             - written(firstRatio, kAbpmRatioDecimals),
                                         kAbpmRatioDecimals);
            QCOMPARE(*r.change(ComparedFigure::SysRatio), ratio);
            QCOMPARE(*r.change(ComparedFigure::ValidReadings), double(s.valid - first.valid));
        }
        // The second is lower and dips more; the third higher by day and dips most.
        QVERIFY(*c.recordings[1].change(ComparedFigure::Sys24) < -10);
        QVERIFY(*c.recordings[1].change(ComparedFigure::SysRatio) < 0);
        QVERIFY(*c.recordings[2].change(ComparedFigure::SysAwake) > 10);
        QVERIFY(*c.recordings[2].change(ComparedFigure::DiaAwake) > 5);
        QVERIFY(*c.recordings[2].change(ComparedFigure::SysRatio) < 0);
    }

    void missingPeriodsAndNoValidReadings()
    {
        const AbpmReportSource full = sourceOf(planOf(QDate(2024, 3, 1), QTime(10, 0), 24, 145, 12), "full.amb", 11);
        // Awake only: 08:00 to 20:00, no asleep reading.
        const AbpmReportSource day = sourceOf(planOf(QDate(2024, 4, 1), QTime(8, 0), 12, 138, 12), "day.amb", 12);
        // Every reading left out by the artefact rules.
        AbpmReportSource none = sourceOf(planOf(QDate(2024, 5, 1), QTime(10, 0), 24, 145, 12), "none.amb", 13);
        for (AbpmReading& r : none.readings)
            r.sys = 400;
        const RecordingComparison c = compareRecordings(std::vector<AbpmReportSource>{day, none, full});
        const ComparedRecording& d = c.recordings[1];
        QCOMPARE(d.dataFile, day.dataFile);
        QVERIFY(d.value(ComparedFigure::SysAwake));
        QVERIFY(!d.value(ComparedFigure::SysAsleep));
        QVERIFY(!d.value(ComparedFigure::SysRatio));
        QVERIFY(!d.value(ComparedFigure::SysLoadAsleep));
        QVERIFY(!d.figures.summary.sysDipping.dipClass);
        QVERIFY(!d.change(ComparedFigure::SysAsleep));
        QVERIFY(!d.change(ComparedFigure::DiaRatio));
        QVERIFY(d.change(ComparedFigure::Sys24));
        QVERIFY(d.change(ComparedFigure::SysLoadAwake));
        QVERIFY(!d.figures.summary.validForDiagnosis());

        const ComparedRecording& n = c.recordings[2];
        QCOMPARE(n.dataFile, none.dataFile);
        QCOMPARE(*n.value(ComparedFigure::ValidReadings), 0.0);
        QCOMPARE(*n.value(ComparedFigure::ValidShare), 0.0);
        for (ComparedFigure f : {ComparedFigure::Sys24, ComparedFigure::DiaAsleep, ComparedFigure::SysRatio,
                                 ComparedFigure::SysLoad24, ComparedFigure::DiaLoadAwake}) {
            QVERIFY(!n.value(f));
            QVERIFY(!n.change(f));
        }
        const AbpmSummary fullOwn = computeAbpmSummary(full.readings, full.periods, full.details, full.setAside);
        QCOMPARE(*n.change(ComparedFigure::ValidReadings), -double(fullOwn.valid));
        QCOMPARE(*n.change(ComparedFigure::ValidShare), -100.0);
        for (const AbpmHour& h : n.noonToNoon)
            QCOMPARE(h.readings, 0);
    }

    void noonToNoonAxisWrapsAtMidnight()
    {
        QCOMPARE(noonToNoonSlot(12), 0);
        QCOMPARE(noonToNoonSlot(23), 11);
        QCOMPARE(noonToNoonSlot(0), 12);
        QCOMPARE(noonToNoonSlot(11), 23);
        // 20:00 to 06:00 the next morning.
        const AbpmReportSource night = sourceOf(planOf(QDate(2024, 12, 31), QTime(20, 0), 10, 150, 10), "night.amb", 21);
        const AbpmReportSource day = sourceOf(planOf(QDate(2024, 11, 2), QTime(9, 0), 24, 150, 10), "day.amb", 22);
        const RecordingComparison c = compareRecordings(std::vector<AbpmReportSource>{night, day});
        const ComparedRecording& r = c.recordings[1];
        QCOMPARE(r.dataFile, night.dataFile);
        const AbpmSummary own = computeAbpmSummary(night.readings, night.periods, night.details, night.setAside);
        for (int hour = 0; hour < 24; ++hour) {
            const AbpmHour& placed = r.noonToNoon[size_t(noonToNoonSlot(hour))];
            QCOMPARE(placed.readings, own.hours[size_t(hour)].readings);
            QCOMPARE(placed.sysMean, own.hours[size_t(hour)].sysMean);
            QCOMPARE(placed.diaMean, own.hours[size_t(hour)].diaMean);
        }
        // One unbroken run in the middle of the axis: 20:00 (slot 8) to 05:00 (slot 17).
        for (int slot = 0; slot < 24; ++slot)
            QCOMPARE(r.noonToNoon[size_t(slot)].readings > 0, slot >= 8 && slot <= 17);
    }

    void patientsAndStartsTold()
    {
        RecordingDetails p1;
        p1.patientNumber = QStringLiteral("4711");
        p1.surname = QStringLiteral("Nigro");
        RecordingDetails p1Again = p1;
        p1Again.surname = QStringLiteral("Nigro-Weber"); // a new name, the same number
        p1Again.recordingStart = QDateTime(QDate(2020, 5, 5), QTime(9, 0), Qt::UTC);
        RecordingDetails p2;
        p2.patientNumber = QStringLiteral("4712");
        const Plan plan = planOf(QDate(2024, 3, 1), QTime(10, 0), 24, 140, 10);
        const AbpmReportSource a = sourceOf(plan, "a.amb", 31, p1);
        // Readings of 2024, but the details say it started in 2020: the details' start counts.
        const AbpmReportSource b = sourceOf(plan, "b.amb", 32, p1Again);
        RecordingComparison c = compareRecordings(std::vector<AbpmReportSource>{a, b});
        QVERIFY(c.samePatient);
        QCOMPARE(c.recordings[0].dataFile, b.dataFile);
        QCOMPARE(c.recordings[0].start, p1Again.recordingStart);

        c = compareRecordings(std::vector<AbpmReportSource>{a, sourceOf(plan, "c.amb", 33, p2)});
        QVERIFY(!c.samePatient);

        // Without numbers the name and birth date tell; a file naming nobody says nothing.
        RecordingDetails named;
        named.surname = QStringLiteral("Kurz");
        named.birthDate = QDate(1950, 1, 1);
        RecordingDetails otherBirth = named;
        otherBirth.birthDate = QDate(1951, 1, 1);
        QVERIFY(compareRecordings(std::vector<AbpmReportSource>{sourceOf(plan, "d.amb", 34, named),
                                                                sourceOf(plan, "e.amb", 35, named),
                                                                sourceOf(plan, "f.amb", 36)})
                    .samePatient);
        QVERIFY(!compareRecordings(std::vector<AbpmReportSource>{sourceOf(plan, "d.amb", 34, named),
                                                                 sourceOf(plan, "e.amb", 35, otherBirth)})
                     .samePatient);

        // A recording without any moment goes after those with one, keeping its place.
        AbpmReportSource timeless = sourceOf(plan, "timeless.amb", 37);
        for (AbpmReading& r : timeless.readings)
            r.moment = QDateTime();
        c = compareRecordings(std::vector<AbpmReportSource>{timeless, a, b});
        QCOMPARE(c.recordings[2].dataFile, timeless.dataFile);
        QVERIFY(!c.recordings[2].start.isValid());
        // Readings without a moment count nowhere: it has no figures to compare.
        QVERIFY(!c.recordings[2].value(ComparedFigure::Sys24));
        QVERIFY(!c.recordings[2].change(ComparedFigure::Sys24));
        QCOMPARE(*c.recordings[2].change(ComparedFigure::ValidReadings), -*c.recordings[0].value(ComparedFigure::ValidReadings));
    }
};

QTEST_GUILESS_MAIN(TestRecordingComparison)
#include "test_recordingcomparison.moc"
