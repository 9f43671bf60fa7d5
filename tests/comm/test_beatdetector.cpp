#include "comm/BeatDetector.h"
#include "comm/BeatDisplay.h"

#include "SyntheticEcg.h"

#include <QtTest>

#include <cmath>
#include <set>
#include <vector>

namespace {

// Records what the detector shows, as the waveform window would show it.
class RecordingDisplay : public BeatDisplay {
public:
    void setBeatIndicatorVisible(bool visible) override
    {
        indicatorVisible = visible;
        ++indicatorCalls;
    }
    void setHeartRateText(const QString &text) override
    {
        rateText = text;
        rateWrites << text;
    }

    bool indicatorVisible = true; // so that a missing hide shows up
    int indicatorCalls = 0;
    QString rateText = QStringLiteral("unset");
    QStringList rateWrites;
};

struct Run {
    std::vector<int> beatsAt;         // n of every beat found
    std::vector<QString> rateAtBeat;  // Text1 right after each beat
};

// Feeds count samples (n = 1..count after the call's start) of a level
// baseline with a one-sample spike of the given height at each spike
// position (counted in samples from the start of this call, from 1).
Run feedSpikes(BeatDetector &detector, RecordingDisplay &display, int count, const std::set<int> &spikes,
               quint8 baseline = 50, quint8 height = 30)
{
    Run run;
    for (int i = 1; i <= count; ++i) {
        const double lastBeat = detector.beatAt();
        detector.addSample(spikes.count(i) ? quint8(baseline + height) : baseline);
        if (detector.beatAt() != lastBeat) {
            run.beatsAt.push_back(int(detector.n()));
            run.rateAtBeat.push_back(display.rateText);
        }
    }
    return run;
}

std::set<int> everyNth(int first, int interval, int count)
{
    std::set<int> positions;
    for (int k = 0; k < count; ++k)
        positions.insert(first + k * interval);
    return positions;
}

// A detector after a reset whose previous sample is the given level, as after
// a run that ended on that level.
void startAtLevel(BeatDetector &detector, quint8 level)
{
    detector.UpdateRise(level);
    detector.ResetBeatDetector();
}

} // namespace

class TestBeatDetector : public QObject {
    Q_OBJECT
private slots:
    // --- Reset and a flat line ---------------------------------------------

    void resetSetsItsValuesHidesIndicatorAndShowsZero()
    {
        RecordingDisplay display;
        BeatDetector detector(&display);
        detector.ResetBeatDetector();
        QCOMPARE(detector.threshold(), quint8(8));
        QCOMPARE(detector.maxRise(), quint8(0));
        QCOMPARE(detector.n(), 0.0);
        QCOMPARE(detector.rr()[0], qint16(40));
        QCOMPARE(detector.beats(), quint8(0));
        QVERIFY(!display.indicatorVisible);
        QCOMPARE(display.rateText, QString("0"));
    }

    void flatSignalNeverBeatsAndThresholdDropsToTwoAtSample21()
    {
        for (quint8 level : { quint8(0), quint8(128), quint8(255) }) {
            RecordingDisplay display;
            BeatDetector detector(&display);
            startAtLevel(detector, level);
            for (int i = 1; i <= 20; ++i)
                detector.addSample(level);
            QCOMPARE(detector.threshold(), quint8(8));
            detector.addSample(level);
            QCOMPARE(detector.threshold(), quint8(2));
            for (int i = 22; i <= 2000; ++i)
                detector.addSample(level);
            QCOMPARE(detector.beats(), quint8(0));
            QCOMPARE(display.rateWrites, QStringList { "0" });
            QVERIFY(!display.indicatorVisible);
        }
    }

    void firstSampleIsRisenAgainstTheSampleBeforeTheReset()
    {
        // A freshly loaded window holds previous = 0, so a strip that starts
        // high begins with one beat at its first sample.
        RecordingDisplay display;
        BeatDetector detector(&display);
        detector.ResetBeatDetector();
        detector.addSample(128);
        QCOMPARE(detector.rise(), quint8(128));
        QCOMPARE(detector.beats(), quint8(1));
        QCOMPARE(detector.beatAt(), 1.0);
    }

    // --- One beat: indicator, refractory time, threshold ----------------------

    void stepOfTenAtSampleFiveIsABeatShownForEighteenSamples()
    {
        RecordingDisplay display;
        BeatDetector detector(&display);
        startAtLevel(detector, 50);
        std::vector<int> shown;
        for (int i = 1; i <= 40; ++i) {
            detector.addSample(i < 5 ? 50 : 60);
            if (display.indicatorVisible)
                shown.push_back(i);
            if (i == 5) {
                QCOMPARE(detector.beats(), quint8(1));
                QCOMPARE(detector.beatAt(), 5.0);
                QCOMPARE(detector.rr()[1], qint16(5)); // the interval as measured
                QCOMPARE(detector.rr()[0], qint16(38)); // clamped for the refractory test
                QCOMPARE(detector.maxRise(), quint8(10));
            }
            // Half of 38 is 19: the threshold stays shut while n - beatAt <= 19,
            // then is two thirds of the beat's rise 10, rounded: 7 (not 6).
            if (i == 24)
                QCOMPARE(detector.threshold(), quint8(255));
            if (i == 25)
                QCOMPARE(detector.threshold(), quint8(7));
        }
        std::vector<int> expected;
        for (int i = 5; i <= 22; ++i)
            expected.push_back(i);
        QCOMPARE(shown, expected);
        QCOMPARE(detector.beats(), quint8(1));
    }

    void spikeTenSamplesAfterABeatIsIgnored()
    {
        RecordingDisplay display;
        BeatDetector detector(&display);
        startAtLevel(detector, 50);
        // Beats 128 apart; spikes as tall as the range allows come 10 samples
        // after the third beat (the indicator is still up) and 25 after it
        // (the threshold is still shut for half the interval, 64 samples).
        std::set<int> spikes = everyNth(128, 128, 3);
        spikes.insert(3 * 128 + 10);
        spikes.insert(3 * 128 + 25);
        const Run run = feedSpikes(detector, display, 3 * 128 + 100, spikes, 0, 255);
        QCOMPARE(run.beatsAt, (std::vector<int> { 128, 256, 384 }));
        // The ignored spikes still count towards the next threshold: 170, held at 32.
        QCOMPARE(detector.threshold(), quint8(32));
    }

    void refractoryTimeIsHalfTheLastInterval()
    {
        // After beats 100 apart the threshold opens at the sample where
        // n - beatAt first exceeds 50 and applies from the sample after it:
        // a spike 51 samples after a beat is lost, one 52 after is a beat.
        for (int offset : { 51, 52 }) {
            RecordingDisplay display;
            BeatDetector detector(&display);
            startAtLevel(detector, 50);
            std::set<int> spikes = everyNth(100, 100, 3);
            spikes.insert(300 + offset);
            const Run run = feedSpikes(detector, display, 300 + offset + 5, spikes);
            QCOMPARE(int(run.beatsAt.size()), offset == 51 ? 3 : 4);
        }
    }

    void upstrokeOfSixtyAdaptsTheThresholdToThirtyTwo()
    {
        RecordingDisplay display;
        BeatDetector detector(&display);
        startAtLevel(detector, 50);
        // A beat with a rise of 60 at n = 100, then quiet until the refractory
        // time is over: the threshold is 32, not 40.
        feedSpikes(detector, display, 200, { 100 }, 50, 60);
        QCOMPARE(detector.beats(), quint8(1));
        QCOMPARE(detector.threshold(), quint8(32));
        // So a rise of 32 passes unseen and one of 33 is the next beat.
        feedSpikes(detector, display, 10, { 5 }, 50, 32);
        QCOMPARE(detector.beats(), quint8(1));
        feedSpikes(detector, display, 10, { 5 }, 50, 33);
        QCOMPARE(detector.beats(), quint8(2));
        // The rise of 60 belongs to the earlier beat: the threshold after this
        // one is two thirds of 33.
        feedSpikes(detector, display, 100, {});
        QCOMPARE(detector.threshold(), quint8(22));
    }

    void moreThan256QuietSamplesDropTheThresholdToTwo()
    {
        RecordingDisplay display;
        BeatDetector detector(&display);
        startAtLevel(detector, 50);
        feedSpikes(detector, display, 10 + 256, { 10 }, 50, 60);
        QCOMPARE(detector.n() - detector.beatAt(), 256.0);
        QCOMPARE(detector.threshold(), quint8(32));
        detector.addSample(50);
        QCOMPARE(detector.threshold(), quint8(2));
        // A rise of 3 is now a beat.
        feedSpikes(detector, display, 3, { 2 }, 50, 3);
        QCOMPARE(detector.beats(), quint8(2));
    }

    // --- Heart rate ---------------------------------------------------------------

    void regularSpikesGiveTheRateFromTheFifthBeat_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<QString>("rate");
        QTest::newRow("128 samples") << 128 << "60";
        QTest::newRow("96 samples") << 96 << "80";
        QTest::newRow("64 samples") << 64 << "120";
        // 30720 / 12288 = 2.5: halves go to the even neighbour.
        QTest::newRow("3072 samples, half to even") << 3072 << "2";
        // 30720 / 4096 = 7.5
        QTest::newRow("1024 samples, half to even") << 1024 << "8";
    }

    void regularSpikesGiveTheRateFromTheFifthBeat()
    {
        QFETCH(int, interval);
        QFETCH(QString, rate);
        RecordingDisplay display;
        BeatDetector detector(&display);
        startAtLevel(detector, 50);
        const Run run = feedSpikes(detector, display, 8 * interval + 10, everyNth(interval, interval, 8));
        QCOMPARE(int(run.beatsAt.size()), 8);
        for (size_t k = 0; k < run.beatsAt.size(); ++k) {
            QCOMPARE(run.beatsAt[k], int(k + 1) * interval);
            QCOMPARE(run.rateAtBeat[k], k < 4 ? QString("0") : rate);
        }
        // "0" from the reset, then one write per beat from the fifth on.
        QCOMPARE(display.rateWrites.size(), 1 + 4);
        QCOMPARE(display.rateText, rate);
    }

    void beatCountHoldsAt250AndTheRateGoesOn()
    {
        RecordingDisplay display;
        BeatDetector detector(&display);
        startAtLevel(detector, 50);
        feedSpikes(detector, display, 300 * 96 + 5, everyNth(96, 96, 300));
        QCOMPARE(detector.beats(), quint8(250));
        QCOMPARE(display.rateWrites.size(), 1 + 296);
        QCOMPARE(display.rateText, QString("80"));
    }

    // --- Reset keeps previous, inBeat and rr[1..3] ----------------------------------

    void stateThatSurvivesAReset()
    {
        RecordingDisplay display;
        BeatDetector detector(&display);
        startAtLevel(detector, 50);
        // A run with beats 50 apart that ends 5 samples after its last beat,
        // on level 90.
        feedSpikes(detector, display, 205, everyNth(50, 50, 4));
        detector.addSample(90);
        QVERIFY(detector.inBeat());
        QCOMPARE(detector.rr()[1], qint16(50));
        QCOMPARE(detector.rr()[2], qint16(50));
        QCOMPARE(detector.rr()[3], qint16(50));

        detector.ResetBeatDetector();
        QVERIFY(!display.indicatorVisible);
        QCOMPARE(display.rateText, QString("0"));
        QVERIFY(detector.inBeat());
        QCOMPARE(detector.previous(), quint8(90));
        QCOMPARE(detector.rr()[0], qint16(40));
        QCOMPARE(detector.rr()[3], qint16(50));

        // The beat still showing blocks detection until n = 18, where it ends.
        for (int i = 1; i <= 18; ++i)
            detector.addSample(i % 2 ? 90 : 200);
        QCOMPARE(detector.beats(), quint8(0));
        QVERIFY(!detector.inBeat());
        // Level 90 against previous 90: no rise; then a rise of 9 > 8 is a beat.
        detector.addSample(90);
        QCOMPARE(detector.beats(), quint8(0));
        detector.addSample(99);
        QCOMPARE(detector.beats(), quint8(1));
        // Its sum still holds the old run's intervals (the rate is not shown
        // before the fifth beat, so they never reach the display).
        QCOMPARE(detector.rrSum(), 20.0 + 150.0);
    }

    void staleIntervalsNeverReachTheShownRate()
    {
        RecordingDisplay display;
        BeatDetector detector(&display);
        startAtLevel(detector, 50);
        feedSpikes(detector, display, 1000, everyNth(30, 30, 20));
        QCOMPARE(display.rateText, QString("256"));
        detector.ResetBeatDetector();
        const Run run = feedSpikes(detector, display, 5 * 128 + 5, everyNth(128, 128, 5));
        QCOMPARE(run.rateAtBeat, (std::vector<QString> { "0", "0", "0", "0", "60" }));
    }

    // --- Intervals beyond the 16-bit range --------------------------------------------

    void gapOfMoreThanFourMinutesShowsNoRateUntilFourIntervalsFit_data()
    {
        QTest::addColumn<int>("gapSamples");
        QTest::newRow("4 min 16 s, one over the range") << 32768;
        QTest::newRow("5 minutes") << 5 * 60 * 128;
        QTest::newRow("10 minutes, beyond 65535 too") << 10 * 60 * 128;
    }

    void gapOfMoreThanFourMinutesShowsNoRateUntilFourIntervalsFit()
    {
        QFETCH(int, gapSamples);
        RecordingDisplay display;
        BeatDetector detector(&display);
        startAtLevel(detector, 50);
        // Six beats 128 samples apart (rate 60 shown), then gapSamples without
        // a beat, then beats 160 apart (48). The beat that ends the gap and the
        // three after it have the gap in their sum: no rate, "0".
        std::set<int> spikes = everyNth(128, 128, 6);
        const int resume = 6 * 128 + gapSamples;
        for (int k = 0; k < 6; ++k)
            spikes.insert(resume + k * 160);
        const Run run = feedSpikes(detector, display, resume + 6 * 160, spikes);
        QCOMPARE(int(run.beatsAt.size()), 12);
        QCOMPARE(run.beatsAt[6], resume);
        QCOMPARE(detector.rr()[1], qint16(160));
        const std::vector<QString> expected { "0", "0", "0", "0", "60", "60", // before the gap
                                              "0", "0", "0", "0", "48", "48" };
        QCOMPARE(run.rateAtBeat, expected);
    }

    void intervalAtTheTopOfTheRangeFitsButItsSumDoesNot()
    {
        // 32767 samples fit as an interval; with three more the sum is beyond
        // the range, so no rate, while the indicator goes on as usual.
        RecordingDisplay display;
        BeatDetector detector(&display);
        startAtLevel(detector, 50);
        std::set<int> spikes = everyNth(128, 128, 5);
        const int resume = 5 * 128 + 32767;
        spikes.insert(resume);
        const Run run = feedSpikes(detector, display, resume + 10, spikes);
        QCOMPARE(run.beatsAt.back(), resume);
        QCOMPARE(detector.rrSum(), 32767.0 + 3 * 128);
        QCOMPARE(display.rateText, QString("0"));
        QVERIFY(display.indicatorVisible);
    }

    void sumOfIntervalsAtTheEdgeOfTheRange_data()
    {
        QTest::addColumn<int>("lastInterval");
        QTest::addColumn<QString>("rate");
        // Intervals 8191 + 8192 + 8192 + last.
        QTest::newRow("sum 32767: 0.94 rounds to 1") << 8192 << "1";
        QTest::newRow("sum 32768: beyond the range, no rate") << 8193 << "0";
        QTest::newRow("sum 40000: would wrap negative") << 15425 << "0";
    }

    void sumOfIntervalsAtTheEdgeOfTheRange()
    {
        QFETCH(int, lastInterval);
        QFETCH(QString, rate);
        RecordingDisplay display;
        BeatDetector detector(&display);
        startAtLevel(detector, 50);
        const int b1 = 100, b2 = b1 + 8191, b3 = b2 + 8192, b4 = b3 + 8192, b5 = b4 + lastInterval;
        const Run run = feedSpikes(detector, display, b5 + 200, { b1, b2, b3, b4, b5 });
        QCOMPARE(run.beatsAt, (std::vector<int> { b1, b2, b3, b4, b5 }));
        QCOMPARE(display.rateText, rate);
        QVERIFY(detector.heartRate() >= 0);
    }

    // --- Synthetic ECG -----------------------------------------------------------------

    void syntheticEcgRateWithinTwoBeatsPerMinute_data()
    {
        QTest::addColumn<double>("bpm");
        QTest::newRow("50 bpm") << 50.0;
        QTest::newRow("72 bpm") << 72.0;
        QTest::newRow("120 bpm") << 120.0;
        QTest::newRow("180 bpm") << 180.0;
    }

    void syntheticEcgRateWithinTwoBeatsPerMinute()
    {
        QFETCH(double, bpm);
        EcgSettings settings;
        settings.beatsPerMinute = bpm;
        settings.seconds = 120;
        settings.firstBeatSeconds = 0.1; // sampling starts just before an R wave
        settings.wanderMillivolts = 0.3;
        settings.wanderHz = 0.3;
        settings.noiseMillivolts = 0.02;
        settings.seed = quint64(bpm);
        const SyntheticEcg ecg = makeSyntheticEcg(settings);

        RecordingDisplay display;
        BeatDetector detector(&display);
        startAtLevel(detector, quint8(ecg.samples.at(0)));
        std::vector<double> found; // sample index of each beat, from 0
        int shown = 0;
        for (int i = 0; i < ecg.samples.size(); ++i) {
            const double lastBeat = detector.beatAt();
            const qsizetype writes = display.rateWrites.size();
            detector.addSample(quint8(ecg.samples.at(i)));
            if (detector.beatAt() != lastBeat)
                found.push_back(i);
            if (display.rateWrites.size() > writes) {
                ++shown;
                const double rate = display.rateText.toDouble();
                QVERIFY2(std::abs(rate - bpm) <= 2.0,
                         qPrintable(QString("shows %1 at sample %2").arg(display.rateText).arg(i)));
            }
        }
        // Each R wave counted exactly once, on its upstroke.
        QCOMPARE(found.size(), ecg.beatSamples.size());
        for (size_t k = 0; k < found.size(); ++k)
            QVERIFY2(found[k] >= ecg.beatSamples[k] - 4 && found[k] <= ecg.beatSamples[k],
                     qPrintable(QString("beat %1 at %2, R peak at %3").arg(k).arg(found[k]).arg(ecg.beatSamples[k])));
        QCOMPARE(shown, int(found.size()) - 4);
    }

    // --- Known limits ----------------------------------------------------------------

    void stripStartingBetweenBeatsCountsThePWaveOnce()
    {
        // Before the first beat the threshold falls to 2 from the 21st sample,
        // so the P wave of a clean strip that starts mid-interval is taken as a
        // beat. Its short interval to the R wave ends at beat 2 and so enters
        // the first shown rate, and only that one.
        EcgSettings settings;
        settings.beatsPerMinute = 72;
        settings.seconds = 30;
        settings.firstBeatSeconds = 0.5;
        settings.noiseMillivolts = 0;
        const SyntheticEcg ecg = makeSyntheticEcg(settings);

        RecordingDisplay display;
        BeatDetector detector(&display);
        startAtLevel(detector, quint8(ecg.samples.at(0)));
        std::vector<double> found;
        for (int i = 0; i < ecg.samples.size(); ++i) {
            const double lastBeat = detector.beatAt();
            detector.addSample(quint8(ecg.samples.at(i)));
            if (detector.beatAt() != lastBeat)
                found.push_back(i);
        }
        QCOMPARE(found.size(), ecg.beatSamples.size() + 1);
        QVERIFY(found[0] < ecg.beatSamples[0] - 15);
        QCOMPARE(display.rateWrites.size(), 1 + int(found.size()) - 4);
        QVERIFY(std::abs(display.rateWrites[1].toDouble() - 72) > 2);
        for (qsizetype k = 2; k < display.rateWrites.size(); ++k)
            QVERIFY(std::abs(display.rateWrites[k].toDouble() - 72) <= 2);
    }

    void afterOneMissedBeatOneSampleSpikesAreCountedAtHalfRate()
    {
        // A missed beat makes the last interval twice the true one, so the
        // refractory time becomes a whole true interval and the threshold
        // reopens only 2 samples after the next spike is due. An upstroke
        // that lasts one sample is then missed every time.
        RecordingDisplay display;
        BeatDetector detector(&display);
        startAtLevel(detector, 50);
        std::set<int> spikes = everyNth(100, 100, 30);
        spikes.erase(300);
        const Run run = feedSpikes(detector, display, 3010, spikes);
        QCOMPARE(run.beatsAt.front(), 100);
        QCOMPARE(run.beatsAt[2], 400);
        QCOMPARE(run.beatsAt[3], 600);
        QCOMPARE(display.rateText, QString("38")); // 30720 / 800, where 77 is true
    }
};

QTEST_GUILESS_MAIN(TestBeatDetector)
#include "test_beatdetector.moc"
