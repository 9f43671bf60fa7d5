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
// wait, and the block holds every byte waiting at that moment (at least 80).
// One wait yields one block; arm the next with waitForBlock() again
// (usually after discardWaiting()).
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
// 60, so that a measurement is lost. So when a block was still trickling
// in (it came in several pieces, the last less than kBurstPauseMs after the
// one before), the bytes that continue its burst are thrown away: bytes
// that come with pauses shorter than the burst pause, for at most the tail
// limit after the block. The first byte after a longer pause starts the
// next burst. A block that came in one piece has no tail. Both times grow
// with a slow line (setLineRate): at 300 baud a byte alone takes 33 ms.
//
// Pauses are measured when bytes are read, not when they came: a reader
// held up by a busy machine reads a burst's last bytes late, and the real
// silence before the next burst looks short, and a pause inside a burst
// appears where the reader was held up. So the silence before a piece is
// taken as the time since the last piece less the line time its bytes
// needed (setLineRate), and a tail is also limited by
// count: a recorder's bursts are all of one length, learnt as the shortest
// burst seen (a block and the tail that a pause ended), and no more than
// the rest of such a burst is thrown away after a block.
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

    explicit BlockCollector(QObject* parent = nullptr);

    // Milliseconds of a monotonic clock; tests set their own.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock);
    // Bytes per second the line brings (baud / 10); 0 for the fast-line
    // defaults.
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
    int waitingCount() const { return int(m_waiting.size()); }
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
    void learnBurstLength();

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
    int m_burstLength = 0;     // shortest whole burst seen; 0 while unknown
    int m_lastBlockSize = 0;
    int m_tailOfBlock = 0;     // bytes thrown away after the last block
    Wait m_wait = Wait::None;
    int m_stagesReported = 0;
    quint64 m_run = 0;
    bool m_running = false;
    // Changes whenever a wait is armed, ended or the run changes, so that a
    // delivery interrupted by a receiver's reaction is not continued.
    quint64 m_waitId = 0;
};
