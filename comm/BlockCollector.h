#pragma once
// The receive side of a reading run: it is fed the pieces that came from
// the port, each stamped with the moment it came, and tells the reading
// window when a stage of a receive block is reached, when a block is
// complete, or when waveform samples have come. It does no I/O and reads
// no clock (RecorderLink feeds it from the serial port; tests and the
// fuzzer feed it directly).
//
// A burst is a run of bytes between two silences of the line. A silence
// ends a burst when it lasts at least silenceMs(): the longer of 20 ms and
// 3 byte times at the line's rate (setLineRate), so bytes that a USB
// adapter hands on in packets 16 ms apart stay one burst. The silence
// before a piece is the time since the piece before less the line time
// its own bytes needed. lineQuietUntil(now) says that nothing came until
// now, which ends a burst without waiting for the next one.
//
// A block is what one burst gives: its bytes from the first on, taken as
// soon as its 80th byte has come (with the rest of that piece), or as it
// stands when the burst ends sooner. The bytes of a burst after its block
// are its rest: they are never part of a later block.
//
// Block wait (waitForBlock): works on the oldest block not yet taken:
// stageReached(run, 1), (run, 2), (run, 3) once each, in order, as it
// holds more than 19, 39 and 59 bytes; then blockReady(run, block). One
// wait yields one block; arm the next with waitForBlock() again. Blocks of
// bursts that came while no wait was armed wait, in order, up to the
// receive buffer's 1024 bytes.
//
// Sample stream (streamSamples): from then on until the run ends or another
// wait is armed, every byte is a sample: samplesArrived(run, bytes) passes
// on the bytes already waiting, then each piece as it comes, the rest of
// the last block's burst included. Nothing is dropped.
//
// Runs: startRun() begins a new run and returns its number; the earlier run
// is over. stop() ends the current run. A run that is over never gets
// another signal, and every signal carries its run number. A wait armed
// while enough bytes already wait reports on the next pass of the event
// loop, never from inside waitForBlock() or streamSamples().
#include <QByteArray>
#include <QList>
#include <QObject>

class BlockCollector : public QObject {
    Q_OBJECT
public:
    // More than these many bytes of a burst reach stages 1, 2, 3 and the block.
    static constexpr int kStageThreshold[3] = {19, 39, 59};
    static constexpr int kBlockThreshold = 79;
    // Like the port's receive buffer: bytes beyond this many are dropped.
    static constexpr int kReceiveBufferSize = 1024;
    static constexpr int kShortestSilenceMs = 20;
    static constexpr int kSilenceBytes = 3;

    explicit BlockCollector(QObject* parent = nullptr);

    // Bytes per second the line brings (baud / 10); 0 while unknown.
    void setLineRate(int bytesPerSecond);
    int silenceMs() const { return m_silenceMs; }

    quint64 startRun();
    void stop();
    quint64 currentRun() const { return m_run; }
    bool isRunning() const { return m_running; }

    void waitForBlock();
    void streamSamples();

    // Bytes that came; `stampMs` is when the last of them had come.
    void feed(const QByteArray& bytes, qint64 stampMs);
    void lineQuietUntil(qint64 nowMs);
    // When the burst going on ends if nothing more comes; -1 when none is.
    qint64 burstEndsAt() const { return m_inBurst ? m_lastStamp + m_silenceMs : -1; }
    qint64 lastStamp() const { return m_lastStamp; }

    // Throws away every waiting byte; the next byte starts a block. An
    // armed wait stays armed.
    void discardWaiting();
    int waitingCount() const;

signals:
    void stageReached(quint64 run, int stage);
    void blockReady(quint64 run, const QByteArray& block);
    void samplesArrived(quint64 run, const QByteArray& samples);

private:
    enum class Wait { None, Block, Stream };

    void arm(Wait wait);
    void endBurst();
    void keep(const QByteArray& bytes);
    void deliver();
    bool stillArmed(quint64 waitId) const { return m_waitId == waitId; }

    int m_silenceMs = kShortestSilenceMs;
    double m_byteMs = 0;
    // Blocks of bursts that ended, oldest first, and the block of the
    // burst going on (empty once taken).
    QList<QByteArray> m_ended;
    QByteArray m_current;
    bool m_inBurst = false;
    bool m_currentTaken = false;
    qint64 m_lastStamp = -1;
    Wait m_wait = Wait::None;
    int m_stagesReported = 0;
    quint64 m_run = 0;
    bool m_running = false;
    // Changes whenever a wait is armed, ended or the run changes, so that a
    // delivery interrupted by a receiver's reaction is not continued.
    quint64 m_waitId = 0;
};
