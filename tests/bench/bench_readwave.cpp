// The ECG waveform window's whole sample path, offscreen: bytes into the
// window's collector as the port hands them over, the beat detector, the
// line drawn, and the window repainted after every piece. Samples per
// second, in pieces of 1 byte (a recorder's sample at a time), 8 and 128;
// the recorder sends 128 a second, a 9600 baud line at most 960.
#include "platform/SteadyClock.h"
#include "state/SharedState.h"
#include "views/EcgTraceArea.h"
#include "views/frmReadwave.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "text/Edition.h"
#include "tools/recorder/BurstBuilder.h"
#include "tools/recorder/EcgSynthesizer.h"
#include "tools/recorder/PtyEndpoint.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>

#include <benchmark/benchmark.h>

namespace {

QByteArray strip()
{
    static const QByteArray samples = [] {
        EcgSynthesizer ecg(72);
        QByteArray s(EcgSynthesizer::kSamplesPerSecond * 60, '\0');
        for (char& b : s)
            b = char(ecg.nextSample());
        return s;
    }();
    return samples;
}

// Counts the drawing area's paint events, to show that every piece was
// shown and not only drawn into the image.
struct PaintCounter : QObject {
    qint64 paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

bool settle(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 3000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void BM_SamplesDrawnAndShown(benchmark::State& state)
{
    const bool german = state.range(0) != 0;
    const int piece = int(state.range(1));
    Edition::select(german ? EditionId::German : EditionId::English);
    PtyEndpoint recorder;
    if (!recorder.open()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kPortsSection), QStringLiteral("COM1"),
                 recorder.devicePath());
    gCommSet = QStringLiteral("9600,n,8,1");
    gCommPort = QStringLiteral("COM1");
    frmReadwave window;
    window.show();
    BlockCollector& collector = window.run().link().collector();
    if (!settle([&] { return window.currentRun() > 0 && recorder.peerIsOpen(); })) {
        state.SkipWithError("the window did not start reading");
        return;
    }
    qint64 stamp = steadyMs();
    collector.feed(buildHeaderBurst(EcgHeader{}, german ? FrameLayout::Split : FrameLayout::WholeByte, BurstShape{}), stamp);
    if (!window.run().isSampling()) {
        state.SkipWithError("the header was not taken");
        return;
    }
    PaintCounter counter;
    window.Picture1->installEventFilter(&counter);
    const QByteArray samples = strip();
    qsizetype at = 0;
    for (auto _ : state) {
        if (at + piece > samples.size())
            at = 0;
        collector.feed(samples.mid(at, piece), stamp += 8);
        at += piece;
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * piece);
    state.counters["lines"] = double(window.Picture1->linesDrawn());
    state.counters["paints"] = double(counter.paints);
    window.close();
}
BENCHMARK(BM_SamplesDrawnAndShown)
    ->ArgNames({"german", "piece"})
    ->ArgsProduct({{0, 1}, {1, 8, 128}})
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
