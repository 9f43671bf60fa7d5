// Where does the beat detector count wrong? Runs synthetic ECG strips over a
// grid of rates, noise, mains hum and R-amplitude swing, several seeds each,
// and prints per setting: strips with a wrong count or a shown rate more than
// 2 bpm off, missed and false beats, and the worst error of a shown rate.
//
//   beat_sweep [seconds-per-strip] [seeds]

#include "comm/BeatDetector.h"
#include "comm/BeatDisplay.h"

#include "SyntheticEcg.h"

#include <QString>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

class RateRecorder : public BeatDisplay {
public:
    void setBeatIndicatorVisible(bool) override { }
    void setHeartRateText(const QString &text) override
    {
        rate = text.toDouble();
        ++writes;
    }
    double rate = 0;
    int writes = 0;
};

struct Outcome {
    int strips = 0;
    int failedStrips = 0;
    int missed = 0;
    int falseBeats = 0;
    int badRates = 0;
    int rates = 0;
    double worstError = 0;
};

void runStrip(const EcgSettings &settings, Outcome &outcome)
{
    const SyntheticEcg ecg = makeSyntheticEcg(settings);
    RateRecorder display;
    BeatDetector detector(&display);
    detector.UpdateRise(quint8(ecg.samples.at(0)));
    detector.ResetBeatDetector();

    std::vector<int> found;
    int badRates = 0;
    for (int i = 0; i < ecg.samples.size(); ++i) {
        const double lastBeat = detector.beatAt();
        const int writes = display.writes;
        detector.addSample(quint8(ecg.samples.at(i)));
        if (detector.beatAt() != lastBeat)
            found.push_back(i);
        if (display.writes > writes) {
            ++outcome.rates;
            const double error = std::abs(display.rate - settings.beatsPerMinute);
            outcome.worstError = std::max(outcome.worstError, error);
            if (error > 2)
                ++badRates;
        }
    }
    // A detection belongs to an R wave when it lies on its upstroke.
    int matched = 0;
    size_t f = 0;
    for (double peak : ecg.beatSamples) {
        while (f < found.size() && found[f] < peak - 6)
            ++f;
        if (f < found.size() && found[f] <= peak + 2) {
            ++matched;
            ++f;
        }
    }
    const int missed = int(ecg.beatSamples.size()) - matched;
    const int falseBeats = int(found.size()) - matched;
    ++outcome.strips;
    outcome.missed += missed;
    outcome.falseBeats += falseBeats;
    outcome.badRates += badRates;
    if (missed || falseBeats || badRates)
        ++outcome.failedStrips;
}

void report(const char *label, double value, const EcgSettings &base, int seeds)
{
    Outcome outcome;
    for (int seed = 1; seed <= seeds; ++seed) {
        EcgSettings settings = base;
        settings.seed = quint64(seed);
        runStrip(settings, outcome);
    }
    std::printf("  %-10s %7.3f | failed strips %2d/%-2d  missed %4d  false %4d  rates off>2 %4d/%-5d  worst %5.1f\n",
                label, value, outcome.failedStrips, outcome.strips, outcome.missed, outcome.falseBeats,
                outcome.badRates, outcome.rates, outcome.worstError);
}

} // namespace

int main(int argc, char **argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 120;
    const int seeds = argc > 2 ? std::atoi(argv[2]) : 10;
    EcgSettings base;
    base.seconds = seconds;
    base.firstBeatSeconds = 0.1; // the strip starts just before an R wave

    std::printf("Rate, noise 0.02 mV, wander 0.3 mV at 0.3 Hz\n");
    for (double bpm : { 20.0, 25.0, 29.0, 31.0, 40.0, 50.0, 72.0, 100.0, 120.0, 150.0, 180.0, 200.0, 220.0,
                        240.0, 260.0, 300.0, 340.0, 380.0 }) {
        EcgSettings s = base;
        s.beatsPerMinute = bpm;
        s.noiseMillivolts = 0.02;
        report("bpm", bpm, s, seeds);
    }
    for (double bpm : { 50.0, 72.0, 120.0, 180.0 }) {
        std::printf("White noise (mV) at %.0f bpm\n", bpm);
        for (double noise : { 0.0, 0.01, 0.02, 0.03, 0.04, 0.05, 0.07, 0.1, 0.15 }) {
            EcgSettings s = base;
            s.beatsPerMinute = bpm;
            s.noiseMillivolts = noise;
            report("noise", noise, s, seeds);
        }
    }
    std::printf("50 Hz hum (mV) at 72 bpm, noise 0.01 mV\n");
    for (double hum : { 0.0, 0.02, 0.05, 0.1, 0.15, 0.2, 0.3 }) {
        EcgSettings s = base;
        s.noiseMillivolts = 0.01;
        s.mainsMillivolts = hum;
        report("hum", hum, s, seeds);
    }
    std::printf("R amplitude swing with breathing at 72 bpm, noise 0.01 mV\n");
    for (double swing : { 0.0, 0.1, 0.15, 0.2, 0.25, 0.3 }) {
        EcgSettings s = base;
        s.noiseMillivolts = 0.01;
        s.rModulation = swing;
        report("swing", swing, s, seeds);
    }
    std::printf("Baseline wander 0.5 mV at 72 bpm, noise 0.01 mV, by wander frequency (Hz)\n");
    for (double hz : { 0.3, 1.0, 2.0, 3.0, 4.0 }) {
        EcgSettings s = base;
        s.noiseMillivolts = 0.01;
        s.wanderMillivolts = 0.5;
        s.wanderHz = hz;
        s.baseline = 128;
        report("wander Hz", hz, s, seeds);
    }
    std::printf("R height (mV) at 72 bpm, noise 0.01 mV, baseline 100 (the 8-bit range ends 1.8 mV above it)\n");
    for (double r : { 0.3, 0.5, 0.8, 1.2, 1.5, 1.8, 2.2 }) {
        EcgSettings s = base;
        s.noiseMillivolts = 0.01;
        s.rMillivolts = r;
        report("R mV", r, s, seeds);
    }
    std::printf("Wander (mV at 0.5 Hz) that drives the R wave into the top of the 8-bit range, baseline 128, 72 bpm\n");
    for (double wander : { 0.25, 0.5, 0.75, 1.0 }) {
        EcgSettings s = base;
        s.noiseMillivolts = 0.01;
        s.wanderMillivolts = wander;
        s.wanderHz = 0.5;
        s.baseline = 128;
        report("wander mV", wander, s, seeds);
    }
    std::printf("T height (mV) at 150 bpm, noise 0.01 mV\n");
    for (double t : { 0.35, 0.6, 0.9, 1.2 }) {
        EcgSettings s = base;
        s.beatsPerMinute = 150;
        s.noiseMillivolts = 0.01;
        s.tMillivolts = t;
        report("T mV", t, s, seeds);
    }
    std::printf("R width (s) at 72 bpm, noise 0.02 mV\n");
    for (double width : { 0.008, 0.01, 0.012, 0.014, 0.018, 0.024, 0.03 }) {
        EcgSettings s = base;
        s.noiseMillivolts = 0.02;
        s.rWidthSeconds = width;
        report("width", width, s, seeds);
    }
    std::printf("Strip starting mid-interval (first R at 0.5 s) at 72 bpm\n");
    for (double noise : { 0.0, 0.005, 0.01, 0.02, 0.03 }) {
        EcgSettings s = base;
        s.firstBeatSeconds = 0.5;
        s.noiseMillivolts = noise;
        report("noise", noise, s, seeds);
    }
    return 0;
}
