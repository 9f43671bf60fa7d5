// Scanning and decoding receive blocks, and collecting them from arriving
// bytes: frames per second, to set beside the line's 960 bytes per second
// at 9600 baud (ten 96-byte bursts a second at most).
#include "comm/BlockCollector.h"
#include "comm/FrameProtocol.h"
#include "tools/recorder/BpRecording.h"
#include "tools/recorder/BurstBuilder.h"

#include <benchmark/benchmark.h>

namespace {

QList<QByteArray> dayOfBursts(int frameOffset)
{
    const QList<BpReading> day = generateDayRecording(QDateTime(QDate(2024, 3, 7), QTime(8, 0)), 1);
    QList<QByteArray> bursts;
    for (const BpReading& r : day)
        bursts.append(buildBurst(r, BurstShape{96, frameOffset, false}));
    return bursts;
}

// Scan and decode a day of bursts with the frame at the given offset (0 is
// the best case, 60 the latest the scan accepts).
void BM_ScanAndDecode(benchmark::State& state)
{
    const QList<QByteArray> bursts = dayOfBursts(int(state.range(0)));
    qint64 frames = 0;
    for (auto _ : state) {
        for (const QByteArray& burst : bursts) {
            const ScanResult scan = ScanBlock(burst);
            benchmark::DoNotOptimize(DecodeFrame(burst, scan.offset, FrameLayout::Split));
        }
        frames += bursts.size();
    }
    state.SetItemsProcessed(frames);
    state.SetBytesProcessed(frames * 96);
}
BENCHMARK(BM_ScanAndDecode)->Arg(0)->Arg(5)->Arg(30)->Arg(60);

// The worst block: noise without a frame or marker, all 61 offsets tested.
void BM_ScanBlockWithoutFrame(benchmark::State& state)
{
    QRandomGenerator random(3);
    QList<QByteArray> blocks;
    for (int i = 0; i < 100; ++i)
        blocks.append(buildNoiseBurst(random, 96));
    qint64 n = 0;
    for (auto _ : state) {
        for (const QByteArray& block : blocks)
            benchmark::DoNotOptimize(ScanBlock(block));
        n += blocks.size();
    }
    state.SetItemsProcessed(n);
    state.SetBytesProcessed(n * 96);
}
BENCHMARK(BM_ScanBlockWithoutFrame);

void BM_DecodeFrame(benchmark::State& state)
{
    const QByteArray burst = dayOfBursts(5).first();
    const auto layout = state.range(0) ? FrameLayout::WholeByte : FrameLayout::Split;
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeFrame(burst, 5, layout));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeFrame)->Arg(0)->Arg(1);

// The whole receive path short of the port: bytes arrive in pieces of the
// given size, the collector reports stages and the block, the block is
// scanned and decoded, and the next wait is armed after a discard.
void BM_CollectScanDecode(benchmark::State& state)
{
    const QList<QByteArray> bursts = dayOfBursts(5);
    const int piece = int(state.range(0));
    BlockCollector collector;
    qint64 frames = 0;
    QObject::connect(&collector, &BlockCollector::blockReady, [&](quint64, const QByteArray& block) {
        const ScanResult scan = ScanBlock(block);
        if (scan.found) {
            benchmark::DoNotOptimize(DecodeFrame(block, scan.offset, FrameLayout::Split));
            ++frames;
        }
        collector.waitForBlock();
    });
    collector.setLineRate(960);
    collector.startRun();
    collector.waitForBlock();
    qint64 stamp = 0;
    for (auto _ : state) {
        for (const QByteArray& burst : bursts) {
            stamp += 300; // the recorder's pause between bursts
            for (int at = 0; at < burst.size(); at += piece)
                collector.feed(burst.mid(at, piece), stamp += piece);
        }
    }
    state.SetItemsProcessed(frames);
    state.SetBytesProcessed(state.iterations() * bursts.size() * 96);
}
BENCHMARK(BM_CollectScanDecode)->Arg(1)->Arg(16)->Arg(96);

} // namespace

BENCHMARK_MAIN();
