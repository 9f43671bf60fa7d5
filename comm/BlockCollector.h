#pragma once
// The receive side of a reading run as an event-driven object: it is fed
// the bytes that arrive from the port and tells the reading window when a
// stage of a receive block is reached, when a block is complete, or when a
// waveform sample has come. It does no I/O itself (RecorderLink feeds it
// from the serial port; tests and the fuzzer feed it directly).
//
// The bytes fed and not yet taken are the bytes "waiting", as the port's
// receive buffer would hold them.
//
// Block wait (waitForBlock): while the wait is armed, stageReached(run, 1),
// (run, 2), (run, 3) come once each, in order, as soon as more than 19, 39
// and 59 bytes wait; blockReady(run, block) comes as soon as more than 79
// wait, and the block holds every byte waiting at that moment (at least 80)
// that belongs to the burst of its 80th byte, see below.
// One wait yields one block; arm the next with waitForBlock() again. The
// rest of a block's burst is thrown away here, so a receiver need not
// discard between blocks.
//
// Sample stream (streamSamples): from then on until the run ends or another
// wait is armed, every byte is a sample: samplesArrived(run, bytes) passes
// on each piece as it comes, in order, the bytes already waiting first.
// Nothing is dropped: not as the rest of a burst, not beyond the receive
// buffer (the stream keeps nothing waiting, so a piece larger than the
// buffer is one the port itself held).
//
// Runs: startRun() begins a new run and returns its number; the earlier run
// is over. stop() ends the current run. A run that is over never gets
// another signal, even when it had a wait armed, and every signal carries
// its run number so that a receiver can also tell stale deliveries apart.
// Arming a wait while no run is active does nothing.
//
// The rest of a burst is not the next block. A block is taken when its 80th
// byte arrives, but on a real line the burst goes on (a 96-byte burst has
// 16 more bytes, 17 ms at 9600 baud). Counted as waiting bytes, such tails
// add up from burst to burst and push a later burst's frame beyond offset
// 60, so that a measurement is lost. So the rest of a block's burst is
// thrown away, and a block never reaches into the next burst.
//
// Where a burst ends is counted from the recorder's frames, because the
// moments bytes are read say little on a busy machine: a reader held up
// reads a burst's rest, the silence after it and the next burst's first
// bytes as one piece. Every byte fed has a place in the run's stream, and
// each block is searched for frames at every offset:
// - the recorder's burst length is the shortest distance between two
//   frames that follow each other (80 to 1024 bytes; a burst without a
//   found frame in between only makes a distance longer);
// - its frame offset is the smallest offset, 0..60, at which a block's
//   first frame lay;
// - so the burst of a block whose first frame lies at offsets 0..60 ends
//   at that frame - offset + length, and that of another block where the
//   bursts placed by the last such frame end.
// A block then holds the waiting bytes up to its burst's end only (bytes
// beyond it stay waiting for the next block), and the bytes up to that end
// that are still to come are thrown away as they arrive, unless the line
// paused before they all came: a burst's rest comes without a pause. A
// pause is measured over everything read since the block, as the time
// that the bytes read did not fill, so a late read does not hide it.
//
// Until two frames have been seen in a run (and for a sample stream's
// header) the moments of arrival decide: when a block was still trickling
// in (it came in several pieces, the last less than kBurstPauseMs after the
// one before), the bytes that continue its burst are thrown away: bytes
// that come with pauses shorter than the burst pause, for at most the tail
// limit after the block. The first byte after a longer pause starts the
// next burst. A block that came in one piece has no tail. The silence before a piece is the time since the last piece less
// the line time its bytes needed (setLineRate), since a reader held up
// reads bytes later than they came; the burst pause and the tail limit
// grow with a slow line, where a byte alone takes 33 ms at 300 baud.
//
// streamBroken() says that bytes went by unfed (the port threw them away),
// so that bursts can no longer be counted from the last frame.
//
// A wait armed while enough bytes already wait reports on the next pass of
// the event loop, never from inside waitForBlock() or streamSamples(), so
// a receiver may re-arm from its own slot without recursion.
#include <QByteArray>
#include <QObject>

#include <functional>

class BlockCollector : public QObject {
    Q_OBJECT
public:
    // More than these many waiting bytes reach stages 1, 2, 3 and the block.
    static constexpr int kStageThreshold[3] = {19, 39, 59};
    static constexpr int kBlockThreshold = 79;
    // Like the port's receive buffer: bytes beyond this many are dropped.
    static constexpr int kReceiveBufferSize = 1024;
    // Bursts are 300 ms and more apart; within a burst bytes come about 1 ms
    // apart at 9600 baud, 8 ms at 1200 baud, and a USB adapter may hold
    // them back up to 16 ms.
    static constexpr int kBurstPauseMs = 50;
    static constexpr int kTailLimitMs = 300;
    // Byte times within a burst that still count as the same burst, and
    // after a block that a tail may last (a burst's rest is 16 bytes).
    static constexpr int kBurstPauseBytes = 4;
    static constexpr int kTailLimitBytes = 32;
    // Distances between two frames that can be a burst length.
    static constexpr int kShortestBurst = kBlockThreshold + 1;

    explicit BlockCollector(QObject* parent = nullptr);

    // Milliseconds of a monotonic clock; tests set their own.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock);
    // Bytes per second the line brings (baud / 10); RecorderLink sets it
    // as it opens the port. 0 for the fast-line defaults, with which every
    // millisecond after a block counts as a pause.
    void setLineRate(int bytesPerSecond);
    int burstPauseMs() const { return m_burstPauseMs; }
    int tailLimitMs() const { return m_tailLimitMs; }

    quint64 startRun();
    void stop();
    quint64 currentRun() const { return m_run; }
    bool isRunning() const { return m_running; }

    void waitForBlock();
    void streamSamples();

    // Bytes that have arrived.
    void feed(const QByteArray& bytes);
    // Throws away every waiting byte. An armed wait stays armed, with its
    // stages already reported.
    void discardWaiting();
    // Bytes went by without being fed.
    void streamBroken();
    int waitingCount() const { return int(m_waiting.size()); }
    // The recorder's burst length as learnt in this run; 0 while unknown.
    int burstLength() const { return m_burstLength; }
    // Bytes thrown away as the rest of a burst whose block was taken.
    qint64 tailBytesDropped() const { return m_tailDropped; }

signals:
    void stageReached(quint64 run, int stage);
    void blockReady(quint64 run, const QByteArray& block);
    void samplesArrived(quint64 run, const QByteArray& samples);

private:
    enum class Wait { None, Block, Stream };

    void arm(Wait wait);
    void deliver();
    bool stillArmed(quint64 waitId) const { return m_waitId == waitId; }
    // The longest silence there can have been before bytes read now: the
    // line needed byteMs for each of them.
    qint64 silenceBefore(qint64 now, qsizetype bytes) const;
    bool continuesTakenBurst(qint64 now, qsizetype bytes) const;
    // Throws away the front of `bytes` (which start at stream position
    // `at`) that is still the rest of the last block's burst.
    void dropRestOfBurst(qint64 now, QByteArray& bytes, qint64& at);
    // Where the burst of a block starting at `blockStart` ends, learning
    // from the block's frame; -1 while that cannot be counted.
    qint64 burstEndOf(const QByteArray& block, qint64 blockStart);
    void takeBlock();

    Clock m_clock;
    int m_burstPauseMs = kBurstPauseMs;
    int m_tailLimitMs = kTailLimitMs;
    double m_byteMs = 0; // line time of one byte; 0 while the rate is unknown
    QByteArray m_waiting;
    bool m_tailOpen = false; // the burst of the last block may still arrive
    qint64 m_blockAt = 0;
    qint64 m_lastArrival = 0;
    qint64 m_lastPause = 0;  // between the last two pieces that arrived
    int m_piecesWaiting = 0; // pieces that make up the waiting bytes
    qint64 m_tailDropped = 0;
    // Stream positions: bytes fed so far, the first waiting byte, the end
    // of the last block's burst (-1 when not counted), the last frame seen
    // and the first frame of the last block that had one.
    qint64 m_fed = 0;
    qint64 m_waitingFrom = 0;
    qint64 m_burstEnd = -1;
    qint64 m_lastFrameAt = -1;
    qint64 m_placingFrameAt = -1;
    // The last read before the block: its stream position and time.
    qint64 m_restFrom = 0;
    qint64 m_restSince = 0;
    int m_burstLength = 0;  // shortest distance between frames; 0 unknown
    int m_frameOffset = -1; // smallest offset of a block's frame; -1 unknown
    bool m_waitingHasGap = false; // bytes were lost between waiting ones
    Wait m_wait = Wait::None;
    int m_stagesReported = 0;
    quint64 m_run = 0;
    bool m_running = false;
    // Changes whenever a wait is armed, ended or the run changes, so that a
    // delivery interrupted by a receiver's reaction is not continued.
    quint64 m_waitId = 0;
};
