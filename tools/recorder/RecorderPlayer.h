#pragma once
// Plays what the recorder sends when its send key is pressed, in real time
// and on the event loop: blood-pressure bursts with a gap between them, or
// an ECG strip (a header burst, then one sample byte every 1/128 s).
//
// Bursts go out at once by default. With a line rate set (bytes per
// second; 960 at 9600 baud) they trickle out as from a real serial line,
// so the receiver sees the 20th, 40th and 60th byte arrive one after the
// other and the tail of a burst arrive after the block was taken.
#include "tools/recorder/EcgSynthesizer.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class RecorderPlayer : public QObject {
    Q_OBJECT
public:
    // Writes bytes to the line; returns how many went out (0 or less when
    // nobody listens: the bytes are lost, as on a real line).
    using Writer = std::function<qint64(const QByteArray&)>;

    explicit RecorderPlayer(Writer writer, QObject* parent = nullptr);

    // 0: every burst in one write.
    void setLineRate(int bytesPerSecond) { m_bytesPerSecond = qMax(0, bytesPerSecond); }
    static int lineRateForBaud(int baud) { return baud / 10; } // start, 8 data, stop bits

    void playBursts(const QList<QByteArray>& bursts, int gapMs);
    // seconds <= 0 plays until stop().
    void playEcg(const QByteArray& headerBurst, const EcgSynthesizer& ecg, int pauseMs,
                 double seconds);
    void stop();
    bool isPlaying() const { return m_phase != Phase::Idle; }

signals:
    void burstSent(int number, int count, bool delivered);
    void samplesSent(qint64 count);
    void finished();

private:
    enum class Phase { Idle, BurstDue, Burst, EcgPause, EcgSamples };

    void onTick();
    void beginBurst();
    void continueBurst();
    void burstDone();
    void sendDueSamples();
    void enter(Phase phase, int intervalMs, bool repeating);
    void finish();

    Writer m_writer;
    QTimer m_timer;
    Phase m_phase = Phase::Idle;
    quint64 m_play = 0; // changes at every stop, so a stopped play never resumes
    int m_bytesPerSecond = 0;

    QList<QByteArray> m_bursts;
    int m_next = 0;
    int m_gapMs = 300;
    qint64 m_written = 0;
    bool m_delivered = true;
    QElapsedTimer m_clock;

    std::optional<EcgSynthesizer> m_ecg;
    int m_ecgPauseMs = 0;
    qint64 m_samplesDue = 0;
    qint64 m_samplesSent = 0;
    qint64 m_secondReported = 0;
};
