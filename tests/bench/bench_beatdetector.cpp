// Samples per second through the beat detector (the recorder streams 128).
//
//   bench_beatdetector [--benchmark_filter=...]

#include "comm/BeatDetector.h"
#include "comm/BeatDisplay.h"

#include "SyntheticEcg.h"

#include <benchmark/benchmark.h>

namespace {

// Stands in for the waveform window: formats the rate as the window would.
class CountingDisplay : public BeatDisplay {
public:
    void setBeatIndicatorVisible(bool visible) override { m_visible = visible; }
    void setHeartRateText(const QString &text) override { m_text = text; }
    QString m_text;
    bool m_visible = false;
};

QByteArray ecgStrip(double seconds, double bpm)
{
    EcgSettings settings;
    settings.seconds = seconds;
    settings.beatsPerMinute = bpm;
    settings.noiseMillivolts = 0.02;
    return makeSyntheticEcg(settings).samples;
}

void runStrip(benchmark::State &state, const QByteArray &strip, BeatDisplay *display)
{
    BeatDetector detector(display);
    detector.UpdateRise(quint8(strip.at(0)));
    detector.ResetBeatDetector();
    for (auto _ : state) {
        for (char byte : strip)
            detector.addSample(quint8(byte));
        benchmark::DoNotOptimize(detector.beats());
    }
    state.SetItemsProcessed(state.iterations() * strip.size());
    state.counters["beats"] = detector.beats();
}

// One minute of ECG at the given rate, with the display effects.
void BM_DetectBeat_EcgMinute(benchmark::State &state)
{
    const QByteArray strip = ecgStrip(60, double(state.range(0)));
    CountingDisplay display;
    runStrip(state, strip, &display);
}
BENCHMARK(BM_DetectBeat_EcgMinute)->Arg(72)->Arg(180);

// Half an hour of ECG, no display: the arithmetic alone.
void BM_DetectBeat_EcgHalfHourNoDisplay(benchmark::State &state)
{
    const QByteArray strip = ecgStrip(1800, 72);
    runStrip(state, strip, nullptr);
}
BENCHMARK(BM_DetectBeat_EcgHalfHourNoDisplay)->Unit(benchmark::kMillisecond);

// A flat line: the path where no beat is ever found.
void BM_DetectBeat_FlatLine(benchmark::State &state)
{
    const QByteArray strip(128 * 60, char(100));
    CountingDisplay display;
    runStrip(state, strip, &display);
}
BENCHMARK(BM_DetectBeat_FlatLine);

} // namespace

BENCHMARK_MAIN();
